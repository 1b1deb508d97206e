// Behaviour of the large synthetic lists beyond their line format (see fileformat_test.cpp).

#include <gtest/gtest.h>

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <climits>
#include <stdexcept>

#include "sampledata/sampledata.h"

namespace veskplan::sampledata {
namespace {

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();  // after the last line end
    return lines;
}

TEST(LargeMasterListTest, SmallestListsAreWorkedOutByHand) {
    EXPECT_TRUE(largeMasterList(0, Units::English).isEmpty());
    const QByteArray freeText = "2599-9999    SPECIAL ITEM (DESCRIBE)                 LS  \r\n";
    EXPECT_EQ(largeMasterList(1, Units::English), freeText);
    EXPECT_EQ(largeMasterList(1, Units::Metric, 99), freeText);
}

TEST(LargeMasterListTest, RejectsRowCountsOutsideTheRange) {
    for (int rows : {-1, INT_MIN, kMaxLargeRows + 1, INT_MAX}) {
        EXPECT_THROW(largeMasterList(rows, Units::English), std::invalid_argument) << rows;
    }
}

TEST(LargeMasterListTest, SameArgumentsGiveTheSameBytes) {
    for (int rows : {6000, 60000}) {
        const QByteArray first = largeMasterList(rows, Units::English, 5);
        EXPECT_EQ(linesOf(first).size(), rows);
        EXPECT_TRUE(first == largeMasterList(rows, Units::English, 5)) << rows;
    }
    EXPECT_TRUE(largeMasterList(6000, Units::Metric) == largeMasterList(6000, Units::Metric, 1));
}

TEST(LargeMasterListTest, SeedChangesContentButNotSize) {
    const QByteArray one = largeMasterList(6000, Units::English, 1);
    const QByteArray two = largeMasterList(6000, Units::English, 2);
    EXPECT_EQ(one.size(), two.size());
    EXPECT_FALSE(one == two);
}

// The rows are bundled items under new numbers: the English and Metric lists of one seed share
// their numbers, and each row's two texts are one bundled item in both unit systems.
TEST(LargeMasterListTest, RowsAreBundledItemsInBothUnits) {
    QHash<QByteArray, QByteArray> metricOf;  // bundled English text and unit -> Metric
    const auto bundledEnglish = linesOf(masterList(Units::English));
    const auto bundledMetric = linesOf(masterList(Units::Metric));
    ASSERT_EQ(bundledEnglish.size(), bundledMetric.size());
    for (qsizetype i = 0; i < bundledEnglish.size(); ++i) {
        metricOf.insert(bundledEnglish[i].mid(13, 44), bundledMetric[i].mid(13, 44));
    }

    const auto english = linesOf(largeMasterList(6000, Units::English, 11));
    const auto metric = linesOf(largeMasterList(6000, Units::Metric, 11));
    ASSERT_EQ(english.size(), 6000);
    ASSERT_EQ(metric.size(), 6000);
    QSet<QByteArray> distinct;
    for (qsizetype i = 0; i < english.size(); ++i) {
        EXPECT_EQ(english[i].left(13), metric[i].left(13)) << i;
        const QByteArray text = english[i].mid(13, 44);
        ASSERT_TRUE(metricOf.contains(text)) << english[i].data();
        EXPECT_EQ(metricOf.value(text), metric[i].mid(13, 44)) << english[i].data();
        distinct.insert(text);
    }
    // Drawn across the vocabulary, not a handful of items repeated.
    EXPECT_GE(distinct.size(), bundledEnglish.size() / 2);
}

}  // namespace
}  // namespace veskplan::sampledata
