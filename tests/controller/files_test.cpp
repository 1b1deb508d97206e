#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QFont>

#include "base/sqlitedb.h"
#include "controller/controllertexts.h"
#include "files/accessproject.h"
#include "files/recoverystate.h"
#include "project/projectfile.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::readFile;

class FilesTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
    // Two items in two categories with header fields, saved as `name`.
    void buildAndSave(const QString& name) {
        addMasterRow(0);
        ProjectGridModel& model = controller->editing().model();
        ASSERT_TRUE(model.setData(model.index(0, ProjectGridModel::QuantityColumn), u"12.5"_s));
        controller->editing().typeCategoryDescription(u"Mainline"_s);
        controller->editing().storeCategoryDescription();
        controller->editing().addCategory();
        addMasterRow(3);
        controller->editing().setProjectNumber(u"STP-12-B(7)03"_s);
        controller->editing().setDesigner(u"Pat Quinn"_s);
        controller->editing().setLettingMonth(1);
        saveTo(name);
        port.clear();
    }
    void saveTo(const QString& name) {
        port.files = {projectPath(name)};
        controller->files().save();
    }
    void open(const QString& name) {
        port.files = {projectPath(name)};
        controller->openProject();
    }
    void open(const QString& name, const std::vector<ProjectRecord>& rows) {
        test::makeProjectFile(projectPath(name), rows);
        open(name);
    }
    // What the working copy keeps for a recovery.
    std::map<QString, QString> recoveryValues() {
        std::map<QString, QString> kept;
        for (const auto& [name, value] : RecoveryState::valuesOf(doc())) {
            kept[name] = value;
        }
        return kept;
    }
};

TEST_F(FilesTest, ASavedProjectComesBackWholeAndTheBoxesShowWhatWasSaved) {
    port.files = {std::nullopt};
    addMasterRow(0);
    controller->files().save();  // cancelled: nothing saved
    ASSERT_EQ(port.dialogs.size(), 1u);
    EXPECT_EQ(port.dialogs[0].filters,
              (QStringList{u"All Files (*.*)"_s, u"Project Item Database Files (*.vsk)"_s}));
    EXPECT_EQ(port.dialogs[0].selectedFilter, 1);
    EXPECT_EQ(port.dialogs[0].directory, sandbox.projectsDir());
    EXPECT_TRUE(doc().isUntitled());
    controller->editing().removeCurrentItem();
    buildAndSave(u"trip.vsk"_s);
    // The project holds what the file holds, the empty description as written, and no step
    // undone and redone since brings the empty one back.
    const QStringList written{u"Mainline"_s, u"No Description"_s};
    const auto held = [this] {
        return std::pair(doc().categories().descriptions(), doc().isModified());
    };
    EXPECT_EQ(std::pair(held(), boxes().descriptionText()),
              std::pair(std::pair(written, false), u"No Description"_s));
    doc().undoStack().setIndex(0);
    doc().undoStack().setIndex(doc().undoStack().count());
    EXPECT_EQ(held(), std::pair(written, false));
    // Two items, two header rows, two category rows.
    EXPECT_EQ(projectfile::read(projectPath(u"trip.vsk"_s)).size(), 6u);
    addMasterRow(2);
    controller->files().save();  // titled: no dialog
    EXPECT_TRUE(port.dialogs.empty());
    EXPECT_EQ(projectfile::read(projectPath(u"trip.vsk"_s)).size(), 7u);

    controller->files().newProject();
    controller.reset();  // quit, and start again
    start();
    open(u"trip.vsk"_s);
    EXPECT_EQ(projectRows()[0], "2101-0100000|01|CLEARING" + std::string(32, ' ') + "|ACRE|12.5");
    EXPECT_EQ(std::tuple(store().recordCount(), doc().header().projNum, doc().header().designer,
                         doc().header().letMonth, boxes().numberIndex(), doc().fileName()),
              std::tuple(3, u"STP-12-B(7)03"_s, u"Pat Quinn"_s, 1, 0, projectPath(u"trip.vsk"_s)));
    EXPECT_EQ(held(), std::pair(written, false));
    EXPECT_TRUE(controller->files().exit());
    EXPECT_TRUE(port.messages.empty());  // opened without a word, and untouched: nothing asked
}

TEST_F(FilesTest, PricesAndTheLastTakeoffImportAreKeptForARecoveryAndBadOnesLeftOut) {
    addMasterRow(0);
    const ItemKey key = ItemKey::of(store().record(0));
    doc().setPrice(key, ItemPrice{310, u"ACRE"_s, PriceKind::Typed, u"quote"_s});
    doc().setMobilizationPercent(4);
    EstimateSetup setup;
    setup.sources = {{u"prices"_s, u"north.csv"_s}, {u"prices"_s, u"state.csv"_s}};
    setup.from = QDate(2025, 1, 1);
    doc().setEstimateSetup(setup);
    TakeoffImportRecord takeoff;
    takeoff.addFile({u"sheet 1.csv"_s, QString(64, u'a'), QDate(2026, 12, 6)});
    takeoff.setQuantity(u"01"_s, u"2101-0100000"_s, 12.5);
    doc().setTakeoffRecord(takeoff);
    doc().setMilestone(Milestone::Final);
    const ProjectPrices prices = doc().prices();
    std::map<QString, QString> kept = recoveryValues();
    EXPECT_EQ(RecoveryState::read(kept).prices, prices);
    EXPECT_EQ(RecoveryState::read(kept).takeoff, takeoff);
    kept[u"takeoff"_s] =
        u"{\"files\":[[\"a.csv\",\"AB\",\"2026-12-06\"]],"
        u"\"items\":[[\"01\",\"2101\",-1],[\"01\",\"2102\",\"x\"]]}"_s;
    EXPECT_TRUE(RecoveryState::read(kept).takeoff.isEmpty());
    kept[u"prices"_s] =
        u"{\"items\":[{\"kind\":\"typed\",\"price\":-4}],\"contingency\":1e9,"
        u"\"setup\":[[\"let from\",\"2025-02-30\"]],\"milestone\":\"45\"}"_s;
    EXPECT_TRUE(RecoveryState::read(kept).prices.isEmpty());
}

TEST_F(FilesTest, StateOfTheProjectThroughTheFileCommands) {
    test::makeProjectFile(projectPath(u"empty.vsk"_s), {});
    const auto expectState = [&](const char* after, bool untitled, bool modified, bool enabled) {
        EXPECT_EQ(doc().isUntitled(), untitled) << after;
        EXPECT_EQ(doc().isModified(), modified) << after;
        EXPECT_EQ(controller->guardedCommandsEnabled(), enabled) << after;
    };
    expectState("the start", true, false, false);
    addMasterRow(0);
    saveTo(u"s.vsk"_s);
    expectState("a save", false, false, true);
    port.files = {std::nullopt};
    controller->files().saveAs();
    expectState("a cancelled Save As", false, false, true);
    controller->files().newProject();
    expectState("New Project", true, false, false);
    open(u"s.vsk"_s);
    expectState("an open", false, false, true);
    open(u"empty.vsk"_s);
    expectState("an empty project opened", false, false, false);
    // Saved with its header rows, an empty project can be saved again, before and after an
    // undo past the save.
    controller->editing().setDesigner(u"Kim"_s);
    controller->files().save();
    expectState("the empty project saved", false, false, true);
    doc().undoStack().undo();
    expectState("an undo past the save", false, true, true);
}

TEST_F(FilesTest, NewOpenAndExitAskBeforeLosingWork) {
    struct Case {
        std::deque<Answer> answers;
        std::deque<std::optional<QString>> files;
        bool goesOn;
        bool saved;
    };
    const Case cases[] = {{{Answer::Yes}, {projectPath(u"y.vsk"_s)}, true, true},
                          {{Answer::No}, {}, true, false},
                          {{Answer::Cancel}, {}, false, false},
                          {{Answer::Yes}, {std::nullopt}, false, false}};
    for (const Case& c : cases) {
        for (int command = 0; command < 2; ++command) {
            start();
            addMasterRow(0);
            port.answers = c.answers;
            port.files = c.files;
            const bool wentOn = command == 0
                                    ? (controller->files().newProject(), store().recordCount() == 0)
                                    : controller->files().exit();
            EXPECT_EQ(wentOn, c.goesOn);
            EXPECT_EQ(QFileInfo::exists(projectPath(u"y.vsk"_s)), c.saved);
            EXPECT_EQ(port.messages[0].buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(port.messages[0].title, u"Attention"_s);
            QFile::remove(projectPath(u"y.vsk"_s));
        }
    }
}

TEST_F(FilesTest, ClosingAsksYesOrNoKeepsTheWindowAfterAFailedSaveAndWritesTheConfiguration) {
    addMasterRow(0);
    QFile::remove(sandbox.configFile());
    port.answers = {Answer::Yes};
    port.files = {std::nullopt};
    EXPECT_FALSE(controller->files().closeWindow());
    EXPECT_FALSE(QFileInfo::exists(sandbox.configFile()));
    port.answers = {Answer::No};
    EXPECT_TRUE(controller->files().closeWindow());
    EXPECT_EQ(port.messages.back().buttons, MessageButtons::YesNo);
    EXPECT_TRUE(readFile(sandbox.configFile())
                    .endsWith("lastDir = " + QFile::encodeName(sandbox.projectsDir()) + "\r\n"));
}

TEST_F(FilesTest, ClosingWritesTheUsersOwnConfigurationAndLeavesTheSystemOneAsItWas) {
    sandbox.writeConfig();
    const QByteArray agencys = readFile(sandbox.configFile());
    Environment env = sandbox.environment();
    env.variables.insert(u"APPDATA"_s, sandbox.path(u"roaming"_s));
    MainController own(port, port, env, QLocale(QLocale::English, QLocale::UnitedStates),
                       [] { return QDate(2026, 12, 6); });
    own.start();
    EXPECT_TRUE(own.files().closeWindow());
    EXPECT_EQ(readFile(sandbox.path(u"roaming/Veskplan/veskplan.ini"_s)), agencys);
    EXPECT_EQ(readFile(sandbox.configFile()), agencys);
}

TEST_F(FilesTest, AFailedSaveSaysSoAndLeavesTheOldFileWhole) {
    VESKPLAN_SKIP_ON_WINDOWS("a file size limit to fill the disk");
    buildAndSave(u"whole.vsk"_s);
    const QByteArray before = readFile(projectPath(u"whole.vsk"_s));
    addMasterRow(2);
    {
        const test::FileSizeLimit fullDisk(1);
        controller->files().save();
    }
    EXPECT_EQ(readFile(projectPath(u"whole.vsk"_s)), before);
    EXPECT_TRUE(doc().isModified());
    ASSERT_FALSE(port.messages.empty());  // the working copy may have met the full disk too
    EXPECT_TRUE(port.messages[0].text.contains(u"whole.vsk"_s));
    EXPECT_EQ(QDir(sandbox.projectsDir()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"whole.vsk"_s});

    port.clear();
    port.files = {sandbox.path(u"gone/x.vsk"_s)};  // a folder that does not exist
    controller->files().saveAs();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(QDir::toNativeSeparators(sandbox.path(u"gone"_s))));
    EXPECT_EQ(doc().fileName(), projectPath(u"whole.vsk"_s));
    EXPECT_EQ(controller->config().lastDir, sandbox.projectsDir());
}

TEST_F(FilesTest, AFullTemporaryFolderIsToldAsSuchAndNotAsABadProject) {
    VESKPLAN_SKIP_ON_WINDOWS("a file size limit to fill the disk");
    std::vector<ProjectRecord> rows;
    for (int i = 0; i < 3000; ++i) {
        rows.push_back(test::rec("2101", "01", QByteArray::number(i).constData(), "LS", i));
    }
    test::makeProjectFile(projectPath(u"big.vsk"_s), rows);
    {
        const test::FileSizeLimit fullDisk(64 * 1024);  // the working copy cannot hold the project
        open(u"big.vsk"_s);
    }
    ASSERT_FALSE(port.messages.empty());
    EXPECT_TRUE(port.messages.back().text.contains(u"working copy"_s));
    EXPECT_TRUE(port.messages.back().text.contains(u"the disk is full"_s))
        << port.messages.back().text.toStdString();
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_TRUE(doc().isUntitled());
    // So it is when a copy left by a crash is recovered at the start; the copy waits.
    const QString left = sandbox.tempDir() + u"/veskDataTmp-left.vsk"_s;
    ASSERT_TRUE(QFile::copy(projectPath(u"big.vsk"_s), left));
    controller.reset();
    port.clear();
    port.answers = {Answer::Recover};
    controller = makeController();
    {
        const test::FileSizeLimit fullDisk(64 * 1024);
        controller->start();
    }
    EXPECT_TRUE(port.messageTexts().back().contains(u"the disk is full"_s));
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_TRUE(QFileInfo::exists(left));
    // A copy left while another project was being put in place holds parts of two: not offered.
    SqliteDb(left, SqliteDb::Mode::ReadWriteCreate)
        .exec(
            "CREATE TABLE workstate (key, value); INSERT INTO workstate VALUES "
            "('modified', '1'), ('replacing', '1')");
    controller.reset();
    port.clear();
    controller = makeController();
    controller->start();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(QFileInfo::exists(left));
}

TEST_F(FilesTest, ACopyLeftForLaterIsOfferedWithTheTimeOfItsLastChangeAtEveryStart) {
    // What a program killed mid-work leaves: the copy and its log, not yet replayed into it.
    const QString working = projectPath(u"working.vsk"_s);
    const QString left = sandbox.tempDir() + u"/veskDataTmp-left.vsk"_s;
    test::makeProjectFile(working, {test::rec("2101", "01", "1", "LS", 1)});
    {
        SqliteDb db(working, SqliteDb::Mode::ReadWriteCreate);
        db.exec(
            "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0; CREATE TABLE workstate "
            "(key, value); INSERT INTO workstate VALUES ('modified', '1')");
        for (const QString& suffix : {QString(), u"-wal"_s}) {
            ASSERT_TRUE(QFile::copy(working + suffix, left + suffix));
        }
    }
    const QDateTime changed(QDate(2026, 3, 2), QTime(9, 15));
    for (const QString& suffix : {QString(), u"-wal"_s}) {
        QFile file(left + suffix);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(changed, QFileDevice::FileModificationTime));
    }
    QStringList asked;
    for (int start = 0; start < 2; ++start) {  // Later, and Later again at the next start
        controller.reset();
        port.clear();
        port.answers = {Answer::Later};
        controller = makeController();
        controller->start();
        ASSERT_EQ(port.messages.size(), 1u);
        asked.append(port.messages[0].text);
    }
    EXPECT_EQ(asked[1], asked[0]);
    EXPECT_TRUE(asked[0].contains(u"9:15"_s)) << asked[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(left));
}

TEST_F(FilesTest, AnAccessProjectOpensUntitledAndIsSavedAsAProjectFileOfOurOwn) {
    if (!accessproject::canRead()) {
        GTEST_SKIP() << "this build has no Access reader";
    }
    const QString old = projectPath(u"th61.mdb"_s);
    ASSERT_TRUE(QFile::copy(test::dataPath(u"mdb/project.mdb"_s), old));
    const QByteArray before = readFile(old);
    open(u"th61.mdb"_s);
    EXPECT_EQ(port.dialogs[0].filters[1], u"Project files (*.vsk *.mdb)"_s);
    EXPECT_EQ(doc().header().projNum, u"STP-12-B(7)03"_s);
    EXPECT_EQ(doc().categories().count(), 3);
    EXPECT_TRUE(doc().isUntitled());
    EXPECT_EQ(doc().importedFrom(), old);
    saveTo(u"th61.vsk"_s);
    EXPECT_EQ(port.dialogs[1].fileName, projectPath(u"th61.vsk"_s));
    EXPECT_EQ(doc().fileName(), projectPath(u"th61.vsk"_s));
    EXPECT_TRUE(doc().importedFrom().isEmpty());
    EXPECT_EQ(readFile(old), before);
}

TEST_F(FilesTest, AFileThatIsNoProjectIsRefusedAndTheOpenProjectStaysAsItWas) {
    buildAndSave(u"mine.vsk"_s);
    addMasterRow(2);
    const auto rowsBefore = projectRows();
    test::writeFile(projectPath(u"text.vsk"_s), "Project: not a database\r\n");
    port.answers = {Answer::No};
    open(u"text.vsk"_s);
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_TRUE(
        port.messages[1].text.contains(QDir::toNativeSeparators(projectPath(u"text.vsk"_s))));
    EXPECT_EQ(projectRows(), rowsBefore);
    EXPECT_EQ(doc().fileName(), projectPath(u"mine.vsk"_s));
    EXPECT_TRUE(doc().isModified());
}

TEST_F(FilesTest, OpeningAgainstANewerListMarksTheMissingItemsOnce) {
    open(u"old.vsk"_s,
         {test::rec("0000-2000000", "00", "1/1/20", "-1"), test::rec("2101-0100000  <<", "01"),
          test::rec("9999-0000001", "01"), test::rec("0000-1000000", "00", "P", "1")});
    EXPECT_EQ(master().unitIndex(), 1);  // the project's unit, loaded without a question
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{texts::revisionCheck(u"1/1/20"_s, u"4/2/26"_s)});
    EXPECT_EQ(store().record(0).itemNumber, u"2101-0100000"_s);
    EXPECT_EQ(store().record(1).itemNumber, u"9999-0000001  <<"_s);
    EXPECT_FALSE(doc().isModified());
}

TEST_F(FilesTest, LastYearsProjectShowsWhatChangedAndTakesTheReplacementsInOneStep) {
    SettingsStore(sandbox.path(u"userconfig/veskplan-window.conf"_s))
        .setValue(u"catalogue/mappingFile"_s, test::dataPath(u"controller/mapping.csv"_s));
    CatalogueCommands& catalogue = controller->catalogue();
    const CatalogueReport& report = catalogue.report();
    port.catalogueReport = [&] {
        // A retired item, whose successor the mapping file names, and a changed unit.
        ASSERT_EQ(report.rowCount(), 2);
        EXPECT_EQ(report.counts()[0], 1);
        catalogue.goToItem(0);
        EXPECT_EQ(store().record(controller->editing().currentRow()).itemNumber,
                  u"9999-0000001  <<"_s);
        catalogue.replaceAll();
    };
    open(u"old.vsk"_s, {test::rec("0000-2000000", "00", "1/1/20", "-1"),
                        test::rec("2101-0100000", "01", "CLEARING", "ACRE", 2),  // still ACRE
                        test::rec("9999-0000001", "01", "OLD CULVERT", "LF", 5),
                        test::rec("2105-0500000", "02", "COMMON EXCAVATION", "M3", 7)});
    EXPECT_EQ(port.catalogueReports, 1);
    EXPECT_EQ(projectRows()[1],
              "2501-0150000|01|15 INCH RC PIPE CULVERT" + std::string(17, ' ') + "|LF  |5");
    EXPECT_EQ(report.rowCount(), 0);
    EXPECT_EQ(doc().undoStack().undoText(), u"Replace Items"_s);
    doc().undoStack().undo();  // one step brings every replaced item back
    EXPECT_EQ(store().record(1).itemNumber, u"9999-0000001  <<"_s);
    port.catalogueReport = nullptr;
    catalogue.check();
    EXPECT_EQ(port.catalogueReports, 2);
}

TEST_F(FilesTest, TheCatalogueReportFiltersTakesOneRowOverAndSaysWhatItCannotTake) {
    open(u"old.vsk"_s, {test::rec("9999-0000001", "01", "OLD CULVERT", "LF", 5),
                        test::rec("2501-0150000", "01", "15 INCH RC PIPE CULVERT", "LF", 1),
                        test::rec("2105-0500000", "02", "COMMON EXCAVATION", "M3", 7)});
    CatalogueCommands& catalogue = controller->catalogue();
    CatalogueReport& report = catalogue.report();
    // A mapping file without its columns is told and proposes nothing; a good one is kept.
    test::writeFile(sandbox.path(u"bad.csv"_s), "Old,New\r\n9999-0000001,2501-0150000\r\n");
    port.files = {sandbox.path(u"bad.csv"_s)};
    catalogue.chooseMappingFile();
    EXPECT_TRUE(port.messageTexts().back().contains(u"cannot be used"_s));
    port.files = {test::dataPath(u"controller/mapping.csv"_s)};
    catalogue.chooseMappingFile();
    EXPECT_EQ(catalogue.mappingFile(), test::dataPath(u"controller/mapping.csv"_s));
    ASSERT_TRUE(report.findings().front().replacement);

    report.setFilter(CatalogueReport::Kind::UnitChanged);
    ASSERT_EQ(report.rowCount(), 1);
    EXPECT_EQ(report.data(report.index(0, CatalogueReport::KindColumn)), u"Unit changed"_s);
    EXPECT_EQ(report.data(report.index(0, CatalogueReport::ListUnitColumn)), u"CY  "_s);
    EXPECT_EQ(report.headerData(CatalogueReport::ReplacementColumn, Qt::Horizontal),
              u"Replacement"_s);
    EXPECT_EQ(catalogue.projectRowOf(0), 2);
    catalogue.replace(0);
    EXPECT_EQ(report.rowCount(), 0);
    EXPECT_EQ(store().record(2).units, u"CY  "_s);

    // The successor is in the category already: refused, the item stays as it was.
    report.setFilter(std::nullopt);
    ASSERT_EQ(report.rowCount(), 1);
    EXPECT_EQ(report.data(report.index(0, CatalogueReport::ReplacementColumn)).toString(),
              u"2501-0150000  15 INCH RC PIPE CULVERT  (9999-0000001 was replaced by "
              u"2501-0150000.)"_s);
    port.clear();
    catalogue.replace(0);
    ASSERT_EQ(port.messageTexts().size(), 1);
    EXPECT_EQ(port.messageTexts()[0],
              u"Some items were not replaced:\n9999-0000001: 2501-0150000 "
              u"is already in category 01."_s);
    EXPECT_EQ(store().record(1).itemNumber, u"9999-0000001  <<"_s);
    catalogue.print();
    EXPECT_EQ(port.printed, std::vector{QPageLayout::Landscape});
}

TEST_F(FilesTest, GuessesWaitForTheirOwnYesAndAQuantityInANewUnitStopsTheExport) {
    open(u"old.vsk"_s, {test::rec("9999-0000001", "01", "OLD CULVERT", "LF", 5),
                        test::rec("2105-0500000", "01", "COMMON EXCAVATION", "M3", 7)});
    CatalogueCommands& catalogue = controller->catalogue();
    const CatalogueReport& report = catalogue.report();
    // Without a mapping file the retired item's proposal is a guess, and looks it.
    const QModelIndex proposedBy = report.index(1, CatalogueReport::ProposedByColumn);
    ASSERT_EQ(proposedBy.data().toString(), u"Guess"_s);
    EXPECT_TRUE(proposedBy.data(Qt::FontRole).value<QFont>().italic());
    EXPECT_EQ(report.index(1, CatalogueReport::NumberColumn).data(), u"9999-0000001"_s);
    catalogue.replaceAll();  // takes the unit, leaves the guess
    EXPECT_EQ(projectRows(), (std::vector<std::string>{"2105-0500000|01|COMMON EXCAVATION|CY  |7",
                                                       "9999-0000001  <<|01|OLD CULVERT|LF|5"}));
    ASSERT_EQ(report.rowCount(), 1);
    port.clear();
    port.answers = {Answer::No, Answer::Yes};
    catalogue.replace(0);
    EXPECT_EQ(port.messageTexts().at(0),
              u"The list proposes no successor for 9999-0000001. Replace it by 2501-0150000 15 "
              u"INCH RC PIPE CULVERT, the list item with the closest description?"_s);
    EXPECT_EQ(store().record(1).itemNumber, u"9999-0000001  <<"_s);
    catalogue.replace(0);
    EXPECT_EQ(store().record(1).itemNumber, u"2501-0150000"_s);

    // 7 M3 are not 7 CY: the checks before an export stop at it.
    const ProjectRecord excavation = store().record(0);
    EXPECT_EQ(doc().quantityReviews().formerUnit(excavation), u"M3"_s);
    port.clear();
    port.answers = {Answer::GoBack};
    controller->exports().exportAs(ExportFormat::Id::Trnsport);
    EXPECT_TRUE(port.messageTexts().at(0).contains(
        u"Error: 2105-0500000 (category 01): The unit changed from M3 to CY: check the quantity "
        u"and type it again."_s));
    // The working copy keeps the mark for a recovery.
    EXPECT_TRUE(RecoveryState::read(recoveryValues()).reviews == doc().quantityReviews());
}

}  // namespace
}  // namespace veskplan
