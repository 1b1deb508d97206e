#include <gtest/gtest.h>

#include "base/numbertext.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using namespace numbertext;

TEST(NumberText, ReadsAndWritesTheTableOfNumbers) {
    for (const QStringList& c : test::tableRows(u"base/numbers.txt"_s)) {
        SCOPED_TRACE(c.join(u'|').toStdString());
        if (c[0] == u"leading"_s) {
            EXPECT_EQ(leadingValue(c[1]), c[2].toDouble());
        } else if (c[0] == u"whole"_s) {
            const std::optional<int> value = wholeNumber(c[1]);
            EXPECT_EQ(value ? QString::number(*value) : u"-"_s, c[2]);
        } else if (c[0] == u"forms"_s) {
            const double value = c[1].toDouble();
            EXPECT_EQ((QStringList{shortest(value), zeroPadded(value), oneDecimal(value)}),
                      c.mid(2));
        } else {
            ASSERT_EQ(c[0], u"quantity"_s);
            const ParsedQuantity parsed = parseQuantity(c[1], c[2].at(0));
            EXPECT_EQ((parsed.valid ? u""_s : u"-"_s) +
                          (parsed.value ? QString::number(*parsed.value) : QString()),
                      c[3]);
        }
    }
    EXPECT_EQ(shortest(-4.5, u','), u"-4,5");
}

TEST(NumberText, ProductsRoundTheDecimalFiguresHalfAwayFromZero) {
    for (const QStringList& c : test::tableRows(u"base/products.txt"_s, 4)) {
        EXPECT_EQ(decimalProduct(c[0].toDouble(), c[1].toLongLong(), c[2].toInt()),
                  c[3].toLongLong())
            << c[0].toStdString();
    }
}

}  // namespace
}  // namespace veskplan
