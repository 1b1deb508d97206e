#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "project/projectfile.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class QuantitiesCommand : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString sample(const QString& name) const {
        return QStringLiteral(VESKPLAN_SOURCE_DIR "/data/") + name;
    }
    QString out(const QString& name) const { return dir.filePath(name); }
    // The status, standard output and standard error of a run, '|' between them.
    QString run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, dir.path());
        env.insert(u"XDG_CONFIG_HOME"_s, dir.path());
        env.insert(u"XDG_DATA_HOME"_s, dir.path());
        env.insert(u"APPDATA"_s, dir.path());  // on Windows, not the user's own configuration
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-cli"), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::number(process.exitCode()) + u'|' +
               QString::fromUtf8(process.readAllStandardOutput()) + u'|' +
               QString::fromUtf8(process.readAllStandardError());
    }
    QStringList sampleRun(const QString& project) {
        return {u"quantities"_s,
                project,
                sample(u"sample-takeoff-summary.csv"_s),
                sample(u"sample-takeoff-detailed.csv"_s),
                sample(u"sample-takeoff-traps.csv"_s),
                u"--layout"_s,
                sample(u"sample-takeoff-layout.txt"_s),
                u"--category"_s,
                u"01"_s,
                u"--rounding"_s,
                sample(u"sample-rounding.txt"_s)};
    }
};

const QString kLeftOut =
    u"1|left out: 2303-0100140 (category 03): unit differs\nleft out: 2999-0100010: not in "
    u"list\n|veskplan-cli: 2 rows need a decision and were left out\n"_s;

TEST_F(QuantitiesCommand, TheReviewIsWrittenAndEveryRowWithoutADecisionApplied) {
    const QByteArray project = test::readFile(sample(u"sample.vsk"_s));
    EXPECT_EQ(
        run(sampleRun(sample(u"sample.vsk"_s)) +
            QStringList{u"--report"_s, out(u"review.csv"_s), u"--apply"_s, out(u"new.vsk"_s)}),
        kLeftOut);
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"cli/quantities-review.csv"_s),
                                test::readFile(out(u"review.csv"_s))));
    EXPECT_EQ(run({u"list"_s, out(u"new.vsk"_s)}),
              u"0|"_s + QString::fromUtf8(test::dataFile(u"cli/quantities-applied.txt"_s)) + u'|');
    EXPECT_EQ(test::readFile(sample(u"sample.vsk"_s)), project);
    // The project applied to remembers the import.
    QStringList names;
    const projectfile::Contents applied = projectfile::readWithPrices(out(u"new.vsk"_s));
    for (const TakeoffImportRecord::File& file : applied.takeoff.files()) {
        names << file.name;
    }
    EXPECT_EQ(names.join(u','),
              u"sample-takeoff-summary.csv,sample-takeoff-detailed.csv,"
              u"sample-takeoff-traps.csv"_s);
    // What changed against the milestone before, the largest moves first.
    EXPECT_EQ(run({u"diff"_s, sample(u"sample.vsk"_s), out(u"new.vsk"_s), u"--csv"_s,
                   out(u"diff.csv"_s)}),
              u"0||"_s);
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"cli/diff.csv"_s), test::readFile(out(u"diff.csv"_s))));
    // The same as a workbook and a PDF: what they hold is the report's own test.
    for (const auto& [option, start] : {std::pair(u"--xlsx"_s, "PK"), {u"--pdf"_s, "%PDF"}}) {
        EXPECT_EQ(run({u"diff"_s, sample(u"sample.vsk"_s), out(u"new.vsk"_s), option,
                       out(u"diff"_s + option)}),
                  u"0||"_s);
        EXPECT_TRUE(test::readFile(out(u"diff"_s + option)).startsWith(start));
    }
    // Without --report the review goes to standard output; the project itself is written only
    // when named for --apply.
    const QString copy = out(u"copy.vsk"_s);
    ASSERT_TRUE(QFile::copy(sample(u"sample.vsk"_s), copy));
    EXPECT_EQ(run(sampleRun(copy) + QStringList{u"--apply"_s, copy}),
              u"1|"_s + QString::fromUtf8(test::dataFile(u"cli/quantities-review.csv"_s)) + u'|' +
                  kLeftOut.section(u'|', 2));
    EXPECT_EQ(run({u"list"_s, copy}), run({u"list"_s, out(u"new.vsk"_s)}));
    EXPECT_EQ(run({u"quantities"_s, copy, sample(u"sample-takeoff-summary.csv"_s), u"--category"_s,
                   u"1"_s, u"--report"_s, out(u"again.csv"_s)}),
              u"0||"_s);
#ifndef Q_OS_WIN  // a user data folder that a started program takes from XDG_DATA_HOME
    // Headings the window was told the columns of are read as it was told.
    QDir().mkpath(out(u"veskplan"_s));
    QFile::copy(QStringLiteral(VESKPLAN_TEST_DATA_DIR "/takeoff/kept-layouts.csv"),
                out(u"veskplan/takeoff-layouts.csv"_s));
    test::writeFile(out(u"mapped.csv"_s), "PAYITEM,QTY_TOTAL,UOM,STA\n2101-0300010,1,LS,1+00\n");
    EXPECT_TRUE(run({u"quantities"_s, copy, out(u"mapped.csv"_s)})
                    .contains(u"\n2101-0300010,CLEARING AND GRUBBING,LS,1,LS,1,1,same,01\n"_s));
#endif
}

TEST_F(QuantitiesCommand, MistakesAndBadFilesSayWhatWentWrongAndWriteNothing) {
    const QString bad = out(u"bad.csv"_s);
    test::writeFile(bad, "Pay Item ID,Quantity,Unit\n2101-0300010,12 feet,LS\n");
    const QString project = sample(u"sample.vsk"_s);
    const QString report = out(u"review.csv"_s);
    const QString cases[][2] = {
        {u"quantities @p"_s,
         u"2||veskplan-cli: quantities needs a project and one or more take-off files\n"_s},
        {u"quantities @p @s --category"_s, u"2||veskplan-cli: an option lacks its value\n"_s},
        {u"diff @p --csv @r"_s,
         u"2||veskplan-cli: diff needs two projects and --csv, --xlsx or --pdf OUTPUT\n"_s},
        {u"diff @p @p --csv @r --pdf @r"_s,
         u"2||veskplan-cli: diff needs two projects and --csv, --xlsx or --pdf OUTPUT\n"_s},
        {u"diff @p @p --xlsx -"_s,
         u"2||veskplan-cli: --xlsx and --pdf write a file, not standard output\n"_s},
        {u"quantities @p @s --category 100"_s,
         u"2||veskplan-cli: --category takes a category number from 01 to 99\n"_s},
        {u"quantities @p @s --category 7 --report @r"_s,
         u"1||veskplan-cli: the project has no category 07\n"_s},
        {u"quantities @p @b --report @r --apply @r"_s,
         u"1||veskplan-cli: The take-off file "_s + QDir::toNativeSeparators(bad) +
             u" could not be read at line 2: the quantity is in FT but the unit column says "
             u"LS\n"_s},
    };
    for (const auto& [line, said] : cases) {
        QStringList args = line.split(u' ');
        args.replaceInStrings(u"@p"_s, project)
            .replaceInStrings(u"@s"_s, sample(u"sample-takeoff-summary.csv"_s))
            .replaceInStrings(u"@b"_s, bad)
            .replaceInStrings(u"@r"_s, report);
        EXPECT_EQ(run(args).section(u'\n', 0, 0) + u'\n', said)
            << line.toStdString();  // usage follows
        EXPECT_FALSE(QFile::exists(report));
    }
}

}  // namespace
}  // namespace veskplan
