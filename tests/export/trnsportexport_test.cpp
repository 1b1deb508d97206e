#include <gtest/gtest.h>

#include "export/exportgolden.h"
#include "export/trnsportexport.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::item;
using test::sp;

TEST(TrnsportFile, HeaderAndOneLinePerRecordInTheGivenOrder) {
    const QByteArray expected =
        "Project: STP-12-B(7)03\r\n"
        "County: Cedar Falls\r\n"
        "Designer: Pat Quinn\r\n"
        "\r\n"
        "2101-0100000" +
        sp(7) + "01" + sp(5) +
        "000000003.000\r\n"
        "2105-0500000" +
        sp(7) + "01" + sp(5) +
        "000000000.000\r\n"
        "2101-0100000" +
        sp(7) + "02" + sp(5) +
        "000000012.500\r\n"
        "2101-0100000  <<" +
        sp(3) + "03" + sp(5) +
        "-000000004.250\r\n"
        "ABCDEFGHIJKLMNOPQRST\r\n" +
        sp(19) + "03" + sp(5) + "000000000.000\r\n";
    const QByteArray actual = TrnsportExport::render(
        QStringLiteral("STP-12-B(7)03"), QStringLiteral("Cedar Falls"), QStringLiteral("Pat Quinn"),
        {item("2101-0100000", "01", "A", "LS", 3),
         item("2105-0500000", "01", "B", "LS", std::nullopt),
         item("2101-0100000", "02", "A", "LS", 12.5),
         item("2101-0100000  <<", "03", "A", "LS", -4.25),
         item("ABCDEFGHIJKLMNOPQRST", "03", "C", "LS", 0)});
    EXPECT_TRUE(test::sameBytes(expected, actual));
}

TEST(TrnsportFile, EmptyTableGivesTheFourHeaderLines) {
    EXPECT_TRUE(test::sameBytes("Project: \r\nCounty: \r\nDesigner: \r\n\r\n",
                                TrnsportExport::render(QString(), QString(), QString(), {})));
}

TEST(TrnsportFile, DefaultFileNameFromTheProjectNumber) {
    struct Case {
        const char* number;
        const char* name;
    };
    const Case cases[] = {
        {"STP-12-B(7)03", "C03.R012B007"},
        {"STP-0012-B(7)03", "C03.R012B007"},
        {"STP-1234-B(7)03", "C03.R1234B007"},
        {"IM-94-4(123)45", "C45.R0944123"},
        {"NH-AB-C(XY)A3", "C00.RABCXY"},
        {"STP-12-B(7)-5", "C05.R012B007"},
        {"STP12B(7)03", ""},    // one dash
        {"STP-12-B703", ""},    // no bracket
        {"(STP-12-B)03", ""},   // bracket first
        {"STP-12-B)7(03", ""},  // no ")" after "("
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrnsportExport::defaultFileName(QString::fromLatin1(c.number)),
                  QString::fromLatin1(c.name))
            << c.number;
    }
}

class TrnsportCommandTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        addMasterRow(2);
        controller->addCat_Click();
        addMasterRow(1);
        ws().projectModel->setData(ws().projectModel->index(1, 4), QStringLiteral("3"));
        controller->projNum_Change(QStringLiteral("STP-12-B(7)03"));
        controller->designer_Change(QStringLiteral("Pat Quinn"));
        controller->letMonth_Click(1);
        port.clear();
    }
    QString out() const { return sandbox.path(QStringLiteral("out.txt")); }
};

TEST_F(TrnsportCommandTest, DialogProposesTheNameInTheMonthDirectory) {
    port.files = {out()};
    const ExportOutcome outcome = controller->mnuExpTrans_Click();
    ASSERT_EQ(outcome.kind, ExportOutcome::Kind::Written);
    ASSERT_EQ(port.dialogs.size(), 1u);
    const FileDialogRequest& dialog = port.dialogs[0];
    EXPECT_EQ(dialog.title, QStringLiteral("Export Project Item List to a TRNS*PORT file"));
    EXPECT_EQ(dialog.fileName, QStringLiteral("C03.R012B007"));
    EXPECT_EQ(dialog.directory, sandbox.path(QStringLiteral("tsp/February")));
    EXPECT_EQ(dialog.filters, QStringList{QStringLiteral("All Files (*.*)")});
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{QStringLiteral("Trns*port file saved as ") + out()});
    EXPECT_EQ(ws().countyName, QStringLiteral("Cedar Falls"));
    EXPECT_TRUE(test::sameBytes(
        "Project: STP-12-B(7)03\r\nCounty: Cedar Falls\r\nDesigner: Pat Quinn\r\n\r\n"
        "2105-0500000" +
            sp(7) + "01" + sp(5) +
            "000000000.000\r\n"
            "2101-0100000" +
            sp(7) + "02" + sp(5) + "000000003.000\r\n",
        test::readFile(out())));
}

TEST_F(TrnsportCommandTest, FollowsTheGridOrderChosenByTheHeading) {
    controller->projItemDB_HeadClick(0);
    port.files = {out()};
    controller->mnuExpTrans_Click();
    EXPECT_TRUE(test::readFile(out()).endsWith("2101-0100000" + sp(7) + "02" + sp(5) +
                                               "000000003.000\r\n2105-0500000" + sp(7) + "01" +
                                               sp(5) + "000000000.000\r\n"));
}

TEST_F(TrnsportCommandTest, NoMonthOpensTheTrnsPortDirectoryAndAnOddNumberProposesNoName) {
    controller->letMonth_Click(-1);
    controller->projNum_Change(QStringLiteral("LOCAL 17"));
    port.files = {std::nullopt};
    EXPECT_EQ(controller->mnuExpTrans_Click().kind, ExportOutcome::Kind::Cancelled);
    EXPECT_EQ(port.dialogs[0].directory, sandbox.path(QStringLiteral("tsp/")));
    EXPECT_TRUE(port.dialogs[0].fileName.isEmpty());
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(QFileInfo::exists(out()));
    EXPECT_TRUE(ws().countyName.isEmpty());
}

TEST_F(TrnsportCommandTest, CountyNameIsKeptWhenTheNumberNamesNoCounty) {
    port.files = {out(), out()};
    controller->mnuExpTrans_Click();
    controller->projNum_Change(QStringLiteral("STP-12-B(7)A3"));
    controller->mnuExpTrans_Click();
    EXPECT_TRUE(
        test::readFile(out()).startsWith("Project: STP-12-B(7)A3\r\nCounty: Cedar Falls\r\n"));
}

TEST_F(TrnsportCommandTest, UnwritableTargetIsReportedAndLeavesNothing) {
    const QString target = sandbox.path(QStringLiteral("no-such-dir/out.txt"));
    port.files = {target};
    const ExportOutcome outcome = controller->mnuExpTrans_Click();
    EXPECT_EQ(outcome.kind, ExportOutcome::Kind::Failed);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(target));
    EXPECT_FALSE(port.messages[0].text.startsWith(QStringLiteral("Trns*port file saved")));
    EXPECT_FALSE(QFileInfo::exists(target));
}

}  // namespace
}  // namespace veskplan
