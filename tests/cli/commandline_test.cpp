#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "files/accessproject.h"
#include "history/bidhistory.h"
#include "project/projectfile.h"
#include "support/controllerfixture.h"
#include "support/installedunits.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QByteArray said() const { return QByteArray::number(exitCode) + '|' + out + '|' + err; }
};

class CommandLineTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        addMasterRow(0);
        addMasterRow(3);
        ProjectGridModel& model = controller->editing().model();
        model.setData(model.index(0, ProjectGridModel::QuantityColumn), u"12.5"_s);
        controller->editing().addCategory();
        addMasterRow(0);
        addMasterRow(4);
        model.setData(model.index(2, ProjectGridModel::QuantityColumn), u"4"_s);
        controller->editing().setProjectNumber(u"STP-12-B(7)03"_s);
        controller->editing().setDesigner(u"Pat Quinn"_s);
        controller->editing().setLettingMonth(3);
        port.files = {project()};
        controller->files().save();
        port.clear();
    }
    QString project() const { return projectPath(u"job.vsk"_s); }
    QString out(const QString& name) const { return sandbox.path(name); }

    QStringList words(const char* line) const {  // "@project" the project, "@name" a file
        QStringList list = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
        for (QString& w : list) {
            w = w == u"@project"_s ? project() : w.startsWith(u'@') ? out(w.mid(1)) : w;
        }
        return list;
    }
    CliRun cli(const char* line) { return cli(words(line)); }
    CliRun cli(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(sandbox.environment().variables);
        env.remove(u"APPDATA"_s);  // the user's own configuration on Windows: the sandbox's only
        env.insert(u"LC_ALL"_s, u"en_US.UTF-8"_s);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-cli"), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return CliRun{process.exitCode(), process.readAllStandardOutput(),
                      process.readAllStandardError()};
    }
};

TEST_F(CommandLineTest, ExportsAreTheWindowsBytes) {
    // The window's county name starts empty, as a fresh run's does; the last run shows the grid
    // ordered by item number.
    std::vector<ExportFormat> formats = exportFormats();
    formats.push_back(exportFormat(ExportFormat::Id::Trnsport));
    for (const ExportFormat& format : formats) {
        if (&format == &formats.back()) {
            controller->editing().sortByHeading(ProjectGridModel::ItemNumberColumn);
        }
        // The window's save dialog adds the extension a name lacks; the command line writes the
        // name it is given.
        const QString& kind = format.commandName;
        const QString windowFile = out(u"window-"_s + kind + u'.' + format.suffix);
        port.files = {windowFile};
        port.answers = {Answer::ExportAnyway};  // the project has items without quantities
        controller->exports().exportAs(format.id);
        QStringList arguments{u"export"_s, kind, project(), out(u"cli-"_s + kind)};
        if (controller->editing().gridState().order() == IndexOrder::BridgeKey) {
            arguments += QStringList{u"--order"_s, u"bridge"_s};
        }
        EXPECT_EQ(cli(arguments).said(), "0||");
        EXPECT_TRUE(
            test::sameBytes(test::readFile(windowFile), test::readFile(out(u"cli-"_s + kind))))
            << kind.toStdString();
    }
}

TEST_F(CommandLineTest, PricesNeverReachThePlanFilesOrTheQuantityTable) {
    const auto outputs = [&](const QString& tag) {
        std::vector<QByteArray> bytes;
        for (const ExportFormat& format : exportFormats()) {
            const QString file = out(tag + format.commandName);
            EXPECT_EQ(cli({u"export"_s, format.commandName, project(), file}).exitCode, 0);
            bytes.push_back(test::readFile(file));
        }
        EXPECT_EQ(cli({u"print"_s, project(), u"--text"_s, out(tag + u"table"_s)}).exitCode, 0);
        bytes.push_back(test::readFile(out(tag + u"table"_s)));
        return bytes;
    };
    const std::vector<QByteArray> plain = outputs(u"plain-"_s);
    for (int row = 0; row < store().recordCount(); ++row) {
        doc().setPrice(
            ItemKey::of(store().record(row)),
            ItemPrice{1234.56 + row, store().record(row).units, PriceKind::Typed, u"quote"_s});
    }
    doc().setMobilizationPercent(5);
    controller->files().save();
    ASSERT_EQ(projectfile::readWithPrices(project()).prices.items().size(), 4u);
    const std::vector<QByteArray> priced = outputs(u"priced-"_s);
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_TRUE(test::sameBytes(plain[i], priced[i])) << i;
        EXPECT_FALSE(priced[i].contains("1234"));
    }
}

TEST_F(CommandLineTest, EstimatePricesFromTheHistoryThenThePublishedAverages) {
    const QString history = out(u"bids.db"_s);
    BidHistory::open(history, false)
        .import(test::dataPath(u"cli/estimate-bids.csv"_s), test::installedUnits());
    const QString prices = test::dataPath(u"cli/estimate-prices.csv"_s);
    const QStringList common =
        words("estimate @project --history @bids.db --region North --on 2026-03-31 --prices")
        << prices;
    // The region picks the bids and the published rows; bids let before the window do not count.
    CliRun run = cli(common + words("--csv @estimate.csv"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"cli/estimate.csv"_s),
                                test::readFile(out(u"estimate.csv"_s))));
    for (const auto& [option, magic] : {std::pair{u"--xlsx"_s, "PK"}, {u"--pdf"_s, "%PDF"}}) {
        EXPECT_EQ(cli(common + QStringList{option, out(u"estimate"_s)}).exitCode, 0);
        EXPECT_TRUE(test::readFile(out(u"estimate"_s)).startsWith(magic)) << magic;
    }

    for (const QStringList& c : test::tableRows(u"cli/estimate-mistakes.txt"_s, 2)) {
        run = cli(c[0].toUtf8().constData());
        EXPECT_EQ(run.exitCode, c[1].toInt()) << c[0].toStdString();
        EXPECT_TRUE(run.err.startsWith("veskplan-cli: ")) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out(u"x"_s)));
    }
    EXPECT_TRUE(run.err.contains(QDir::toNativeSeparators(history).toUtf8()));

    // A window that selects no bid is a failure; one that prices some items is not.
    run = cli("estimate @project --history @bids.db --region Nowhere --csv @x");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("veskplan-cli: No bid of the bid history falls in the window"))
        << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out(u"x"_s)));
}

// Without options the project's own estimate setup prices it, as the window did; options
// override it for the run; "-" is standard output.
TEST_F(CommandLineTest, EstimateTakesTheProjectsSetupUnlessOptionsSayOtherwise) {
    const QString history = out(u"bids.db"_s);
    BidHistory::open(history, false)
        .import(test::dataPath(u"cli/estimate-bids.csv"_s), test::installedUnits());
    doc().setEstimateSetup(
        EstimateSetup::fromValues({{u"history"_s, history},
                                   {u"prices"_s, test::dataPath(u"cli/estimate-prices.csv"_s)},
                                   {u"estimate date"_s, u"2026-03-31"_s},
                                   {u"region"_s, u"North"_s}}));
    controller->files().save();
    CliRun run = cli("estimate @project --csv -");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"cli/estimate.csv"_s), run.out));
    run = cli({u"estimate"_s, project(), u"--region"_s, QString(), u"--csv"_s, u"-"_s});
    EXPECT_TRUE(run.out.contains("\r\n2101-0100000,01,CLEARING,ACRE,12.5,392.00,"))
        << run.out.data();
    // The project's window, 2024-03-31 to 2026-03-31, moved to end earlier: A only.
    run = cli("estimate @project --to 2025-06-30 --csv -");
    EXPECT_TRUE(run.out.contains("\r\n2101-0100000,01,CLEARING,ACRE,12.5,300.00,"))
        << run.out.data();
    EXPECT_FALSE(QFileInfo::exists(u"-"_s));
}

TEST_F(CommandLineTest, ListPrintAndExportWriteToFilesOrStandardOutput) {
    EXPECT_EQ(cli("list @project").said(), "0|" + test::dataFile(u"cli/list.txt"_s) + '|');
    ASSERT_EQ(cli("print @project --text @table.txt").said(), "0||");
    const QList<QByteArray> lines = test::readFile(out(u"table.txt"_s)).split('\n');
    ASSERT_GT(lines.size(), 8);
    EXPECT_TRUE(
        lines[1].startsWith("Project: STP-12-B(7)03           Filename: " + project().toUtf8()));
    EXPECT_EQ(lines[2],
              "County: Cedar Falls              Designer: Pat Quinn            "
              "Letting Month: April");
    EXPECT_TRUE(lines[6].endsWith("ACRE       12.5         4.0        16.5")) << lines[6].data();
    ASSERT_EQ(cli("print @project --pdf @table.pdf").said(), "0||");
    EXPECT_TRUE(test::readFile(out(u"table.pdf"_s)).startsWith("%PDF"));
    const CliRun run = cli("export trnsport @project -");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith("Project: STP-12-B(7)03\r\n"));
    VESKPLAN_SKIP_ON_WINDOWS("/dev/full");
    QProcess process;
    process.setStandardOutputFile(u"/dev/full"_s);
    process.start(QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-cli"), {u"list"_s, project()});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("standard output could not be written"));
}

TEST_F(CommandLineTest, AnAccessProjectExportsAsItsConversionDoes) {
    if (!accessproject::canRead()) {
        GTEST_SKIP() << "this build has no Access reader";
    }
    const QString mdb = test::dataPath(u"mdb/project.mdb"_s);
    ASSERT_EQ(cli(QStringList{u"convert"_s, mdb, out(u"converted.vsk"_s)}).exitCode, 0);
    for (const QString& kind : {u"trnsport"_s, u"roadcad"_s, u"bridgecad"_s, u"tabfill"_s}) {
        EXPECT_EQ(cli({u"export"_s, kind, mdb, out(u"a"_s)}).exitCode, 0);
        EXPECT_EQ(cli(QStringList{u"export"_s, kind} + words("@converted.vsk @b")).exitCode, 0);
        EXPECT_TRUE(test::sameBytes(test::readFile(out(u"a"_s)), test::readFile(out(u"b"_s))))
            << kind.toStdString();
    }
    const CliRun run = cli({u"list"_s, test::dataPath(u"mdb/damaged.mdb"_s)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();  // the library says nothing
}

TEST_F(CommandLineTest, CheckTellsErrorsAndWarningsByItsExitStatusAndCompareWritesCsv) {
    const QString list = sandbox.dataDir() + u"/itemse.txt"_s;
    test::makeProjectFile(out(u"clean.vsk"_s),
                          {test::rec("0000-1000000", "00", "STP-12-B(7)03", "0"),
                           test::rec("0000-2000000", "00", "3/14/26", "3"),
                           test::rec("2101-0100000", "01", "CLEARING", "ACRE", 4)});
    test::makeProjectFile(out(u"marked.vsk"_s),
                          {test::rec("2101-0100000  <<", "01", "X", "LS", 1)});
    const std::tuple<const char*, int, const char*> cases[] = {
        {"check @clean.vsk --master", 0, ""},
        {"check @project --master", 3, "warning\t2501-0150000\t01\t"},  // no quantity: a warning
        {"check @marked.vsk --master", 1, "error\t2101-0100000  <<\t01\t"},
    };
    for (const auto& [command, status, first] : cases) {
        const CliRun run = cli(words(command) << list);
        EXPECT_EQ(run.exitCode, status) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(first)) << run.out.toStdString();
    }
    CliRun run = cli(words("compare @marked.vsk --master") << list);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith("Kind,Category,Quantity,Project Item Number,"));
    EXPECT_TRUE(run.out.contains("\ndescription changed,01,1,2101-0100000,X,LS,"));
    EXPECT_EQ(cli("compare @project").exitCode, 2);
    run = cli(words("compare @project --master") << list << u"--mapping"_s << out(u"none.csv"_s));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("none.csv")) << run.err.toStdString();
}

TEST_F(CommandLineTest, AStrictExportWritesNothingPastAnErrorAndIsPlainOtherwise) {
    test::makeProjectFile(out(u"bad.vsk"_s),
                          {test::rec("2101-0100000  <<", "01", "CLEARING", "ACRE", 1),
                           test::rec("2105-0500000", "02", "COMMON EXCAVATION", "CY", -2)});
    const QString x = out(u"x"_s);
    for (const ExportFormat& format : exportFormats()) {
        const CliRun run =
            cli(QStringList{u"export"_s, format.commandName} + words("@bad.vsk @x --strict"));
        EXPECT_EQ(std::pair(run.exitCode, run.err.count('\n')), std::pair(1, qsizetype{1}))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith(
            "veskplan-cli: the checks before an export found 2 error(s), nothing was written: "
            "2101-0100000 (category 01): "))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("; 2105-0500000 (category 02): ") && !run.err.contains("<<") &&
                    !QFileInfo::exists(x))
            << run.err.toStdString();
    }
    // Without it, or with warnings only, the export is written as ever.
    EXPECT_EQ(cli("export trnsport @bad.vsk @x").exitCode, 0);
    EXPECT_EQ(cli("export trnsport @project - --order bridge --strict").said(),
              cli("export trnsport @project - --order bridge").said());
}

TEST_F(CommandLineTest, MistakesAndFailuresSayWhatWentWrongFirstAndWriteNothing) {
    CliRun run = cli("--help");
    EXPECT_TRUE(run.exitCode == 0 &&
                run.out.contains("veskplan-cli export trnsport|roadcad|bridgecad|tabfill"));
    run = cli("--version");
    EXPECT_TRUE(run.exitCode == 0 && run.out.startsWith("veskplan-cli "));
    test::writeFile(out(u"notes.vsk"_s), "just some text\r\n");
    test::makeProjectFile(out(u"six.vsk"_s), {test::rec("2101-0100000", "06", "X", "LS", 1)});
    for (const QStringList& c : test::tableRows(u"cli/mistakes.txt"_s, 3)) {
        run = cli(c[0].toUtf8().constData());
        const QString err = QString::fromUtf8(run.err);
        EXPECT_EQ(run.exitCode, c[1].toInt()) << err.toStdString();
        EXPECT_TRUE(err.startsWith(u"veskplan-cli: "_s) && err.section(u'\n', 0, 0).contains(c[2]))
            << err.toStdString();
        EXPECT_EQ(err.count(u'\n') == 1, c[1] == u"1"_s) << err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out(u"x"_s))) << c[0].toStdString();
    }
}

TEST_F(CommandLineTest, ThePrintedPdfIsOnTheLocalesPaperOrTheOneNamed) {
    // The paper's width and height in points, as the page's box gives them.
    const std::pair<const char*, QByteArray> cases[] = {
        // The test's locale is the United States'.
        {"", "/MediaBox [0 0 612.000000 792.000000]"},
        {"--paper a4", "/MediaBox [0 0 595.000000 842.000000]"},
        {"--paper letter", "/MediaBox [0 0 612.000000 792.000000]"},
    };
    for (const auto& [options, box] : cases) {
        const CliRun run = cli(words("print @project --pdf @t.pdf") + words(options));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(test::readFile(out(u"t.pdf"_s)).contains(box)) << box.data();
    }
}

}  // namespace
}  // namespace veskplan
