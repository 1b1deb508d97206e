// The veskplan-sampledata command line, run in process.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "files/projectfile.h"
#include "sampledata/sampledata.h"
#include "sampledata/sampledatatool.h"
#include "support/testfiles.h"

using namespace Qt::Literals::StringLiterals;

namespace veskplan::sampledata {
namespace {

struct ToolRun {
    int exitCode;
    QString errors;
};

// Runs the tool, checking that it says nothing on success and why in one line on failure.
ToolRun run(const QStringList& arguments) {
    QString errors;
    QTextStream stream(&errors);
    const int code = runTool(arguments, stream);
    stream.flush();
    EXPECT_EQ(errors.isEmpty(), code == kExitOk) << errors.toStdString();
    EXPECT_TRUE(errors.isEmpty() ||
                (errors.endsWith(u'\n') && errors.count(u'\n') == 1 && errors.size() > 1))
        << errors.toStdString();
    return {code, errors};
}

TEST(SampleDataToolTest, WritesTheBundledFilesAListAndTheSampleProject) {
    QTemporaryDir temp;
    const QString dir = temp.filePath(u"new/data"_s);  // made as needed
    EXPECT_EQ(run({u"sample"_s, dir}).exitCode, kExitOk);
    EXPECT_TRUE(test::readFile(dir + u"/itemse.txt"_s) == masterList(Units::English));
    EXPECT_TRUE(test::readFile(dir + u"/itemsm.txt"_s) == masterList(Units::Metric));
    EXPECT_TRUE(test::readFile(dir + u"/itemcats.txt"_s) == categoryFile());
    EXPECT_TRUE(test::readFile(dir + u"/counties.txt"_s) == countyFile());

    // A list replaces an existing, longer file whole.
    const QString list = temp.filePath(u"list.txt"_s);
    test::writeFile(list, QByteArray(100000, 'x'));
    EXPECT_EQ(run({u"list"_s, u"500"_s, u"metric"_s, list}).exitCode, kExitOk);
    EXPECT_TRUE(test::readFile(list) == largeMasterList(500, Units::Metric));
    EXPECT_EQ(run({u"list"_s, u"0"_s, u"english"_s, list}).exitCode, kExitOk);
    EXPECT_EQ(QFile(list).size(), 0);

    // The sample project: two header rows, three categories, items, nothing left over.
    const QString project = temp.filePath(u"sample.vsk"_s);
    EXPECT_EQ(run({u"project"_s, project}).exitCode, kExitOk);
    int special = 0;
    int items = 0;
    for (const ProjectRecord& row : projectfile::read(project)) {
        (row.itemNumber.startsWith(u"0000") ? special : items)++;
    }
    EXPECT_EQ(special, 5);
    EXPECT_GE(items, 30);
    EXPECT_FALSE(QFileInfo::exists(project + u".part"_s));
}

// Wrong arguments are usage errors; failures to write are reported, never taken for success.
// Below a plain file nothing can be made even by an administrator, so the test does not depend
// on who runs it.
TEST(SampleDataToolTest, RefusalsWriteNothing) {
    QTemporaryDir temp;
    const QString out = temp.filePath(u"out.txt"_s);
    const QString plain = temp.filePath(u"plain"_s);
    test::writeFile(plain, "x");
    // Arguments separated by "|"; OUT is a file to write, PLAIN the plain file, DIR a folder.
    const auto arguments = [&](const QString& line) {
        return line.isEmpty() ? QStringList()
                              : QString(line)
                                    .replace(u"OUT"_s, out)
                                    .replace(u"PLAIN"_s, plain)
                                    .replace(u"DIR"_s, temp.path())
                                    .split(u'|');
    };
    for (const QString& line :
         {u""_s, u"sample"_s, u"sample|OUT|extra"_s, u"list|10|english"_s, u"list|-1|english|OUT"_s,
          u"list|+10|english|OUT"_s, u"list| 10|english|OUT"_s, u"list|ten|english|OUT"_s,
          u"list|5000001|english|OUT"_s, u"list|99999999999|english|OUT"_s,
          u"list|10|imperial|OUT"_s, u"list|10|English|OUT"_s, u"convert|OUT"_s}) {
        EXPECT_EQ(run(arguments(line)).exitCode, kExitUsage) << line.toStdString();
    }
    for (const QString& line : {u"list|10|english|PLAIN/list.txt"_s, u"list|10|english|DIR"_s,
                                u"sample|PLAIN"_s, u"sample|PLAIN/data"_s}) {
        const ToolRun result = run(arguments(line));
        EXPECT_EQ(result.exitCode, kExitFailed) << line.toStdString();
        EXPECT_TRUE(result.errors.contains(QDir::toNativeSeparators(plain)) ||
                    result.errors.contains(QDir::toNativeSeparators(temp.path())))
            << result.errors.toStdString();
    }
    EXPECT_EQ(test::readFile(plain), "x");
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
}  // namespace veskplan::sampledata
