// The veskplan-sampledata command line, run in process.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include "sampledata/sampledata.h"
#include "sampledata/sampledatatool.h"

using namespace Qt::Literals::StringLiterals;

namespace veskplan::sampledata {
namespace {

struct ToolRun {
    int exitCode;
    QString errors;
};

ToolRun run(const QStringList& arguments) {
    QString errors;
    QTextStream stream(&errors);
    const int code = runTool(arguments, stream);
    stream.flush();
    return {code, errors};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool oneLine(const QString& text) {
    return text.endsWith(u'\n') && text.count(u'\n') == 1 && text.size() > 1;
}

TEST(SampleDataToolTest, SampleWritesTheFourBundledFilesIntoANewFolder) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString dir = temp.filePath(u"new/data"_s);
    const ToolRun result = run({u"sample"_s, dir});
    EXPECT_EQ(result.exitCode, kExitOk);
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.toStdString();
    EXPECT_TRUE(readAll(dir + u"/itemse.txt"_s) == masterList(Units::English));
    EXPECT_TRUE(readAll(dir + u"/itemsm.txt"_s) == masterList(Units::Metric));
    EXPECT_TRUE(readAll(dir + u"/itemcats.txt"_s) == categoryFile());
    EXPECT_TRUE(readAll(dir + u"/counties.txt"_s) == countyFile());
}

TEST(SampleDataToolTest, ListReplacesAnExistingFileWhole) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString path = temp.filePath(u"list.txt"_s);
    ASSERT_TRUE(writeAll(path, QByteArray(100000, 'x')));  // longer than the new list
    const ToolRun result = run({u"list"_s, u"500"_s, u"metric"_s, path});
    EXPECT_EQ(result.exitCode, kExitOk);
    EXPECT_TRUE(readAll(path) == largeMasterList(500, Units::Metric));
    EXPECT_EQ(run({u"list"_s, u"0"_s, u"english"_s, path}).exitCode, kExitOk);
    EXPECT_EQ(QFile(path).size(), 0);
}

TEST(SampleDataToolTest, WrongArgumentsAreUsageErrorsAndWriteNothing) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString out = temp.filePath(u"out.txt"_s);
    const QStringList cases[] = {
        {},
        {u"sample"_s},
        {u"sample"_s, out, u"extra"_s},
        {u"list"_s, u"10"_s, u"english"_s},
        {u"list"_s, u"-1"_s, u"english"_s, out},
        {u"list"_s, u"+10"_s, u"english"_s, out},
        {u"list"_s, u" 10"_s, u"english"_s, out},
        {u"list"_s, u"ten"_s, u"english"_s, out},
        {u"list"_s, u"5000001"_s, u"english"_s, out},
        {u"list"_s, u"99999999999"_s, u"english"_s, out},
        {u"list"_s, u"10"_s, u"imperial"_s, out},
        {u"list"_s, u"10"_s, u"English"_s, out},
        {u"convert"_s, out},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ToolRun result = run(arguments);
        EXPECT_EQ(result.exitCode, kExitUsage);
        EXPECT_TRUE(oneLine(result.errors)) << result.errors.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

// Failures to write are reported, never taken for success. A path below a plain file cannot be
// created even by an administrator, so the test does not depend on who runs it.
TEST(SampleDataToolTest, WriteFailuresAreReported) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString plainFile = temp.filePath(u"plain"_s);
    ASSERT_TRUE(writeAll(plainFile, "x"));

    const QStringList cases[] = {
        {u"list"_s, u"10"_s, u"english"_s, plainFile + u"/list.txt"_s},
        {u"list"_s, u"10"_s, u"english"_s, temp.path()},
        {u"sample"_s, plainFile},
        {u"sample"_s, plainFile + u"/data"_s},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ToolRun result = run(arguments);
        EXPECT_EQ(result.exitCode, kExitFailed);
        EXPECT_TRUE(oneLine(result.errors)) << result.errors.toStdString();
        EXPECT_TRUE(result.errors.contains(QDir::toNativeSeparators(plainFile)) ||
                    result.errors.contains(QDir::toNativeSeparators(temp.path())))
            << result.errors.toStdString();
    }
    EXPECT_EQ(readAll(plainFile), "x");
}

}  // namespace
}  // namespace veskplan::sampledata
