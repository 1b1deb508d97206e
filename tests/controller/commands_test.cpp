#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>

#include "controller/controllertexts.h"
#include "export/exporttexts.h"
#include "support/controllerfixture.h"
#include "support/externaltools.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Kind = CommandOutcome::Kind;
using Id = ExportFormat::Id;

class CommandsTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        addMasterRow(1);
        controller->editing().addCategory();
        addMasterRow(0);
        ProjectGridModel& model = controller->editing().model();
        model.setData(model.index(0, ProjectGridModel::QuantityColumn), u"7"_s);
        model.setData(model.index(1, ProjectGridModel::QuantityColumn), u"3"_s);
        controller->editing().setProjectNumber(u"STP-12-B(7)03"_s);
        controller->editing().setDesigner(u"Pat Quinn"_s);
        controller->editing().setLettingMonth(1);
        port.clear();
    }
    QString out() const { return sandbox.path(u"out.txt"_s); }
    // What the next export is answered and given, the last one's messages forgotten.
    void next(std::optional<QString> file, std::deque<Answer> answers = {Answer::ExportAnyway}) {
        port.clear();
        port.answers = std::move(answers);
        port.files = {std::move(file)};
    }
    // The grid as a user may leave it: "BridgeKey" order, another row.
    void disturbTheGrid() {
        controller->editing().sortByHeading(ProjectGridModel::ItemNumberColumn);
        controller->editing().setCurrentCell(1, 2);
    }
    void expectWorkingOrder() {
        EXPECT_EQ(controller->editing().gridState().order(), IndexOrder::PrimaryKey);
        EXPECT_EQ(controller->editing().currentRow(), 0);
    }
};

TEST_F(CommandsTest, TrnsportProposesItsNameInTheMonthFolderAndKeepsTheCounty) {
    port.files = {out()};
    EXPECT_EQ(controller->exports().exportAs(Id::Trnsport).kind, Kind::Written);
    const FileDialogRequest& dialog = port.dialogs.at(0);
    EXPECT_EQ(std::tuple(dialog.title, dialog.fileName, dialog.directory),
              std::tuple(u"Export Project Item List to a Trns*Port file"_s, u"C03.R012B007"_s,
                         sandbox.path(u"tsp/February"_s)));
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{u"Trns*Port file saved as "_s +
                                                        QDir::toNativeSeparators(out())});
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"controller/trnsport.txt"_s), test::readFile(out())));
    EXPECT_EQ(controller->countyName(), u"Cedar Falls"_s);

    // The file follows the order the grid shows; a number naming no county keeps the last one.
    controller->editing().sortByHeading(ProjectGridModel::ItemNumberColumn);
    controller->editing().setProjectNumber(u"STP-12-B(7)A3"_s);
    controller->editing().setLettingMonth(-1);
    next(out());  // no county, no letting month: export anyway
    controller->exports().exportAs(Id::Trnsport);
    EXPECT_FALSE(port.messages[0].defaultAnswer);  // warnings only: the usual default
    EXPECT_EQ(port.dialogs[0].directory, sandbox.path(u"tsp/"_s));
    EXPECT_EQ(port.dialogs[0].fileName, u"C00.R012B007"_s);
    const QByteArray bytes = test::readFile(out());
    EXPECT_TRUE(bytes.startsWith("Project: STP-12-B(7)A3\r\nCounty: Cedar Falls\r\n"));
    EXPECT_TRUE(
        bytes.endsWith("02     000000003.000\r\n2105-0500000       01     000000007.000\r\n"));

    next(std::nullopt);
    EXPECT_EQ(controller->exports().exportAs(Id::Trnsport).kind, Kind::Cancelled);
    EXPECT_EQ(port.messages.size(), 1u);  // the checks; a cancelled dialog says nothing more
    const QString target = sandbox.path(u"no-such-dir/out.txt"_s);
    next(target);
    EXPECT_EQ(controller->exports().exportAs(Id::Trnsport).kind, Kind::Failed);
    EXPECT_TRUE(port.messages.at(1).text.contains(QDir::toNativeSeparators(target)) &&
                port.messages.at(1).text.endsWith(texts::noSuchFolder()));
    EXPECT_FALSE(QFileInfo::exists(target));
    VESKPLAN_SKIP_ON_WINDOWS("a file size limit to fill the disk");
    next(out());
    {
        const test::FileSizeLimit fullDisk(16);
        EXPECT_EQ(controller->exports().exportAs(Id::Trnsport).kind, Kind::Failed);
    }
    EXPECT_TRUE(port.messages.at(1).text.endsWith(u"could not be written: the disk is full"_s))
        << port.messages.at(1).text.toStdString();
}

TEST_F(CommandsTest, ExportsTellWhatTheReceivingProgramWouldRefuseBeforeWritingAnything) {
    ProjectGridModel& model = controller->editing().model();
    model.setData(model.index(0, ProjectGridModel::QuantityColumn), u"-2"_s);
    controller->editing().setLettingMonth(-1);
    for (const ExportFormat& format : exportFormats()) {
        controller->editing().setCurrentCell(1, ProjectGridModel::QuantityColumn);
        port.clear();
        port.answers = {Answer::GoBack};
        EXPECT_EQ(controller->exports().exportAs(format.id).kind, Kind::Cancelled);
        // Going back (Enter's answer) shows the item in error; no file was asked for.
        ASSERT_EQ(port.messages.size(), 1u);
        const MessageRequest& asked = port.messages[0];
        EXPECT_EQ(
            std::tuple(store().record(controller->editing().currentRow()).quantity,
                       port.lastFocus(), port.dialogs.size(), asked.buttons, asked.defaultAnswer),
            std::tuple(std::optional(-2.0), u"projItemDB"_s, size_t{0},
                       MessageButtons::ExportAnywayGoBack, std::optional(Answer::GoBack)));
        EXPECT_TRUE(asked.text.startsWith(u"1 error(s) and 1 warning(s)"_s) &&
                    asked.text.contains(u"Error: 2105-0500000 (category 01): "_s))
            << asked.text.toStdString();
        port.answers = {Answer::ExportAnyway};
        port.files = {sandbox.path(u"anyway."_s + format.commandName)};
        EXPECT_EQ(controller->exports().exportAs(format.id).kind, Kind::Written);
    }
}

TEST_F(CommandsTest, CadFilesProposeTheProjectsNameAndWriteTheirHeader) {
    port.files = {projectPath(u"job.vsk"_s)};
    controller->files().save();
    for (const bool road : {true, false}) {
        next(out(), {});
        EXPECT_EQ(controller->exports().exportAs(road ? Id::RoadCad : Id::BridgeCad).kind,
                  Kind::Written);
        const FileDialogRequest& dialog = port.dialogs.at(0);
        EXPECT_EQ(std::tuple(dialog.fileName, dialog.directory, dialog.filters.at(1),
                             port.messageTexts().at(0)),
                  std::tuple(projectPath(u"job.txt"_s), sandbox.projectsDir(),
                             road ? texts::roadCadFilter() : texts::bridgeCadFilter(),
                             (road ? texts::roadCadSaved() : texts::bridgeCadSaved()) +
                                 QDir::toNativeSeparators(out())));
        EXPECT_TRUE(test::readFile(out()).startsWith(road ? "100-1BE\r\n" : "vesk2\r\n"));
    }
}

TEST_F(CommandsTest, TheWorkbookIsRefusedBeyondFiveCategoriesAndNeedsItsSeed) {
    disturbTheGrid();
    port.files = {std::nullopt};
    EXPECT_EQ(controller->exports().exportAs(Id::Tabfill).kind, Kind::Cancelled);
    EXPECT_EQ(port.dialogs.at(0).fileName, u"100-01b.xlsx"_s);
    // Cancelled: the grid stays as it was.
    EXPECT_EQ(controller->editing().gridState().order(), IndexOrder::BridgeKey);
    port.files = {sandbox.path(u"t.xlsx"_s)};
    EXPECT_EQ(controller->exports().exportAs(Id::Tabfill).kind, Kind::Written);
    EXPECT_EQ(port.messageTexts().back(),
              texts::tabfillSaved() + QDir::toNativeSeparators(sandbox.path(u"t.xlsx"_s)));
    expectWorkingOrder();

    QFile::remove(sandbox.dataDir() + u"/seed100-01.xlsx"_s);
    port.clear();
    EXPECT_EQ(controller->exports().exportAs(Id::Tabfill).kind, Kind::Failed);
    EXPECT_TRUE(port.messages.at(0).text.contains(u"seed100-01.xlsx"_s) && port.dialogs.empty());
    for (int n = 3; n <= 6; ++n) {
        controller->editing().addCategory();
    }
    addMasterRow(2);
    port.clear();
    EXPECT_EQ(controller->exports().exportAs(Id::Tabfill).kind, Kind::Refused);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::tabfillTooManyCategories()});
}

TEST_F(CommandsTest, PrintingAsksForThePrinterAndLeavesTheWorkingOrder) {
    disturbTheGrid();
    port.printerChosen = false;
    EXPECT_EQ(controller->printing().run().kind, Kind::Cancelled);
    EXPECT_EQ(std::tuple(port.printed.size(), controller->countyName(),
                         controller->editing().gridState().order()),
              std::tuple(size_t{0}, QString(), IndexOrder::BridgeKey));

    port.printerChosen = true;
    port.printPdf = sandbox.path(u"printed.pdf"_s);
    const bool modified = doc().isModified();
    EXPECT_EQ(controller->printing().run().kind, Kind::Written);
    EXPECT_EQ(
        std::tuple(port.printed, port.messageTexts(), controller->countyName(), doc().isModified()),
        std::tuple(std::vector{QPageLayout::Portrait}, std::vector{texts::donePrinting()},
                   u"Cedar Falls"_s, modified));
    EXPECT_TRUE(test::readFile(port.printPdf).startsWith("%PDF-"));
    expectWorkingOrder();
    controller->editing().addCategory();
    addMasterRow(2);
    controller->printing().run();
    EXPECT_EQ(port.printed.back(), QPageLayout::Landscape);  // three categories
}

TEST_F(CommandsTest, TheQuantityTableGoesToAPdfOnTheLocalesPaperAndItsFolderIsRemembered) {
    disturbTheGrid();
    const QString folder = sandbox.path(u"tables"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    port.files = {folder + u"/table"_s};
    EXPECT_EQ(controller->printing().exportPdf().kind, Kind::Written);
    const QString pdf = folder + u"/table.pdf"_s;
    EXPECT_EQ(std::pair(port.messageTexts(), port.dialogs.at(0).filters.at(1)),
              std::pair(std::vector{u"Quantity table saved as "_s + QDir::toNativeSeparators(pdf)},
                        u"PDF Files (*.pdf)"_s));
    EXPECT_TRUE(
        test::readFile(pdf).contains("/MediaBox [0 0 612.000000 792.000000]"));  // US Letter
    EXPECT_EQ(controller->countyName(), u"Cedar Falls"_s);
    expectWorkingOrder();
    EXPECT_EQ(SettingsStore(controller->paths().settingsFile).text(u"print/pdfFolder"_s), folder);
    next(std::nullopt, {});
    EXPECT_EQ(controller->printing().exportPdf().kind, Kind::Cancelled);
    EXPECT_EQ(std::pair(port.dialogs.at(0).directory, port.messages.size()),
              std::pair(folder, size_t{0}));
    VESKPLAN_SKIP_ON_WINDOWS("pdftotext to read the PDF back");
    const std::optional<QString> text = test::pdfText(pdf);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains(u"Project: STP-12-B(7)03"_s)) << text->toStdString();
}

}  // namespace
}  // namespace veskplan
