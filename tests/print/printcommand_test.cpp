#include <gtest/gtest.h>

#include <QFile>

#include "print/printcommand.h"
#include "shell/error.h"
#include "shell/workspace.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class PrintCommandTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }

    // The English master rows 1 and 2 in categories 1 to `highest`.
    void addItems(int highest) {
        addMasterRow(1);
        addMasterRow(2);
        for (int c = 2; c <= highest; ++c) {
            controller->addCat_Click();
            addMasterRow(1);
        }
    }

    // The grid as a user may leave it: "BridgeKey" order, another row, other widths.
    void disturbTheGrid() {
        controller->projItemDB_HeadClick(0);
        store().setCurrentRow(1);
        ws().projectColumnWidths = {1, 2, 3, 4, 5};
    }

    ExportOutcome print() { return PrintCommand(ws()).printProjList_Click(); }
};

TEST_F(PrintCommandTest, CancelChangesNothingPrintingRestoresTheWorkingOrderAndSaysSo) {
    addItems(2);
    controller->projNum_Change(u"STP-12-B(7)03"_s);
    ws().countyName = u"Earlier"_s;
    disturbTheGrid();
    const bool saved = ws().flags.projSaved;
    const std::vector<ProjectRecord> rowsBefore = store().records(IndexOrder::PrimaryKey);
    port.clear();
    port.printerChosen = false;
    EXPECT_EQ(print().kind, ExportOutcome::Kind::Cancelled);
    EXPECT_EQ(port.printerDialogs, 1);
    EXPECT_TRUE(port.printed.empty());
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(ws().countyName, u"Earlier"_s);
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);
    EXPECT_EQ(store().currentRow(), 1);
    EXPECT_EQ(ws().projectColumnWidths, (ProjectGridModel::ColumnWidths{1, 2, 3, 4, 5}));
    EXPECT_EQ(ws().flags.projSaved, saved);

    port.printerChosen = true;
    port.printPdf = sandbox.path(u"printed.pdf"_s);
    EXPECT_EQ(print().kind, ExportOutcome::Kind::Written);
    EXPECT_EQ(port.printed, std::vector<QPageLayout::Orientation>{QPageLayout::Portrait});
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, u"Done Printing Quantity Table"_s);
    EXPECT_EQ(port.messages[0].title, u"veskplan"_s);
    EXPECT_EQ(port.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(store().index(), IndexOrder::PrimaryKey);
    EXPECT_EQ(store().currentRow(), 0);
    EXPECT_EQ(ws().projectColumnWidths, ProjectGridModel::standardWidths());
    EXPECT_EQ(ws().countyName, u"Cedar Falls"_s);
    EXPECT_EQ(store().records(IndexOrder::PrimaryKey), rowsBefore);  // printing changes no data
    EXPECT_EQ(ws().flags.projSaved, saved);
    EXPECT_TRUE(test::readFile(port.printPdf).startsWith("%PDF-"));

    // Up to two categories fit across a portrait page, from three on the table is landscape.
    controller->addCat_Click();
    addMasterRow(2);
    port.printed.clear();
    EXPECT_EQ(print().kind, ExportOutcome::Kind::Written);
    EXPECT_EQ(port.printed, std::vector<QPageLayout::Orientation>{QPageLayout::Landscape});
}

TEST_F(PrintCommandTest, TableForTakesTheHeaderFromTheWindowAndKeepsTheCursor) {
    addItems(2);
    controller->projNum_Change(u"STP-12-B(7)03"_s);
    controller->designer_Change(u"J. Doe"_s);
    controller->letMonth_Click(2);
    controller->catNum_Click(0);
    controller->catDesc_Change(u"Mainline"_s);
    controller->catDesc_LostFocus();
    ws().flags.projFile = u"/p/sr12.vsk"_s;
    disturbTheGrid();

    const QuantityTable table = PrintCommand::tableFor(ws());
    EXPECT_EQ(ws().countyName, u"Cedar Falls"_s);
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);
    EXPECT_EQ(store().currentRow(), 1);
    ASSERT_GE(table.lines.size(), 3);
    // The clock says 6 December 2026; the locale is English (United States).
    EXPECT_EQ(table.lines[1], u"Project: STP-12-B(7)03"_s + QString(11, u' ') +
                                  u"Filename: /p/sr12.vsk"_s + QString(55, u' ') + u"12/6/26"_s);
    EXPECT_EQ(table.lines[2], u"County: Cedar Falls"_s + QString(14, u' ') + u"Designer: J. Doe"_s +
                                  QString(15, u' ') + u"Letting Month: March"_s);
    EXPECT_EQ(table.lines.mid(table.lines.size() - 2),
              (QStringList{u"Category 1: Mainline"_s, u"Category 2: "_s}));
    // Master rows 1 and 2: CLEARING in both categories on one line, COMMON EXCAVATION in one.
    EXPECT_EQ(table.highestCategory, 2);
    EXPECT_TRUE(table.lines[6].startsWith(u"2101-0100000  CLEARING"_s));
    EXPECT_TRUE(table.lines[8].startsWith(u"2105-0500000  COMMON EXCAVATION"_s));
}

// A printer whose preview the user closes, or that fails: `outcome` says how it ends.
class PreviewPort : public test::ScriptedPort {
public:
    std::function<bool()> outcome;

    std::unique_ptr<PrintTarget> choosePrinter() override {
        struct Target : PrintTarget {
            explicit Target(PreviewPort& port) : port(port) {}
            bool print(QPageLayout::Orientation orientation,
                       const std::function<void(QPagedPaintDevice&)>&) override {
                port.printed.push_back(orientation);
                return port.outcome();
            }
            PreviewPort& port;
        };
        ++printerDialogs;
        return std::make_unique<Target>(*this);
    }
};

class PrintPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(sandbox.dataDir() + u"/counties.txt"_s, test::crlf({"Alder", "Birchwood"}));
        ws.store = RecordStore::create(sandbox.tempDir() + u"/work.db"_s);
        ws.store->append(test::rec("2101-0100000", "01", "CLEARING", "ACRE", 1));
        ws.store->append(test::rec("2105-0500000", "01", "EXCAVATION", "CY", 2));
        ws.store->setIndex(IndexOrder::BridgeKey);
        ws.store->setCurrentRow(1);
        ws.header.projNum = u"STP-1-A(1)02"_s;
        ws.countyName = u"Earlier"_s;
    }

    // Nothing the user sees or the project holds has moved.
    void expectUnchanged() {
        EXPECT_EQ(ws.countyName, u"Earlier"_s);
        EXPECT_EQ(ws.store->index(), IndexOrder::BridgeKey);
        EXPECT_EQ(ws.store->currentRow(), 1);
    }

    test::Sandbox sandbox;
    PreviewPort port;
    Workspace ws{port, sandbox.environment(), QLocale::c(), [] { return QDate(2026, 1, 2); }};
};

TEST_F(PrintPreviewTest, AClosedPreviewOrAFailingPrinterChangesNothing) {
    port.outcome = [] { return false; };
    EXPECT_EQ(PrintCommand(ws).printProjList_Click().kind, ExportOutcome::Kind::Cancelled);
    EXPECT_EQ(port.printed.size(), 1u);
    EXPECT_TRUE(port.messages.empty());
    expectUnchanged();

    port.outcome = []() -> bool {
        throw Error(u"The file /x.pdf could not be written: disk full"_s);
    };
    EXPECT_EQ(PrintCommand(ws).printProjList_Click().kind, ExportOutcome::Kind::Failed);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, u"The file /x.pdf could not be written: disk full"_s);
    EXPECT_EQ(port.messages[0].icon, MessageIcon::Exclamation);
    expectUnchanged();
}

}  // namespace
}  // namespace veskplan
