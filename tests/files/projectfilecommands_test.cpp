#include <gtest/gtest.h>
#include <sys/resource.h>
#include <QFile>
#include <QFileInfo>

#include <csignal>

#include "shell/configfile.h"
#include "shell/sqlitedb.h"

#include <sqlite3.h>
#include "shell/texts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::ControllerTest;
using test::readFile;

// Rows of a project file, "number|cat|description|units|quantity", in file order by key.
std::vector<std::string> fileRows(const QString& path) {
    SqliteDb db(path, SqliteDb::Mode::ReadOnly);
    auto select = db.prepare(
        "SELECT \"Item Number\", \"Cat\", \"Description\", \"Units\", \"Quantity\" FROM veskdata "
        "ORDER BY \"Cat\", \"Item Number\", \"Description\"");
    std::vector<std::string> rows;
    while (select.step()) {
        const QString quantity = select.isNull(4) ? QString() : QString::number(select.real(4));
        rows.push_back((select.text(0) + u'|' + select.text(1) + u'|' + select.text(2) + u'|' +
                        select.text(3) + u'|' + quantity)
                           .toStdString());
    }
    return rows;
}

class ProjectFilesTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
    // Two items in two categories with header fields, saved as `name`.
    void buildAndSave(const QString& name) {
        addMasterRow(1);
        ASSERT_TRUE(
            ws().projectModel->setData(ws().projectModel->index(0, 4), QStringLiteral("12.5")));
        controller->catDesc_Change(QStringLiteral("Mainline"));
        controller->catDesc_LostFocus();
        controller->addCat_Click();
        addMasterRow(4);
        controller->projNum_Change(QStringLiteral("STP-12-B(7)03"));
        controller->designer_Change(QStringLiteral("Pat Quinn"));
        controller->letMonth_Click(1);
        port.files = {projectPath(name)};
        controller->mnuFileSave_Click();
        port.clear();
    }
    bool prompted() const {
        for (const auto& message : port.messages) {
            if (message.text == texts::unsavedQuestion()) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(ProjectFilesTest, SavedFileHoldsItemsTwoHeaderRowsAndOneRowPerCategory) {
    buildAndSave(QStringLiteral("job.vsk"));
    EXPECT_EQ(
        fileRows(projectPath(QStringLiteral("job.vsk"))),
        (std::vector<std::string>{
            "0000-0000001|00|Mainline|01|", "0000-0000002|00|No Description|02|",
            "0000-1000000|00|STP-12-B(7)03            Pat Quinn|0|", "0000-2000000|00|3/14/26|1|",
            "2101-0100000|01|CLEARING                                |ACRE|12.5",
            "2501-0150000|02|15 INCH RC PIPE CULVERT                 |LF  |"}));
    // The working table holds the items only again, and the boxes what was saved.
    EXPECT_EQ(store().recordCount(), 2);
    EXPECT_EQ(ws().categories.descriptions(),
              (QStringList{QStringLiteral("Mainline"), QStringLiteral("No Description")}));
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_FALSE(ws().flags.projUntitled);
    EXPECT_TRUE(ws().guardedEnabled);
    EXPECT_EQ(ws().config.lastDir, sandbox.projectsDir());
}

TEST_F(ProjectFilesTest, SaveDialogOffersTheProjectFilter) {
    addMasterRow(1);
    port.files = {std::nullopt};
    controller->mnuFileSave_Click();
    ASSERT_EQ(port.dialogs.size(), 1u);
    const FileDialogRequest& dialog = port.dialogs[0];
    EXPECT_EQ(dialog.mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(dialog.filters, (QStringList{QStringLiteral("All Files (*.*)"),
                                           QStringLiteral("Project Item Database Files (*.vsk)")}));
    EXPECT_EQ(dialog.selectedFilter, 1);
    EXPECT_EQ(dialog.directory, sandbox.projectsDir());
    EXPECT_EQ(dialog.title, QStringLiteral("Save Project As"));
    // Cancelled: nothing saved, still untitled and unsaved.
    EXPECT_TRUE(ws().flags.projUntitled);
    EXPECT_FALSE(ws().flags.projSaved);
    EXPECT_EQ(store().recordCount(), 1);
}

TEST_F(ProjectFilesTest, RoundTripRestoresEverything) {
    buildAndSave(QStringLiteral("trip.vsk"));
    controller->mnuFileNew_Click();
    controller = nullptr;  // quit
    start();
    port.files = {projectPath(QStringLiteral("trip.vsk"))};
    controller->mnuFileOpen_Click();
    EXPECT_EQ(projectRows(),
              (std::vector<std::string>{
                  "2101-0100000|01|CLEARING                                |ACRE|12.5",
                  "2501-0150000|02|15 INCH RC PIPE CULVERT                 |LF  |"}));
    EXPECT_EQ(ws().header.projNum, QStringLiteral("STP-12-B(7)03"));
    EXPECT_EQ(ws().header.designer, QStringLiteral("Pat Quinn"));
    EXPECT_EQ(ws().header.letMonth, 1);
    EXPECT_EQ(ws().categories.numbers(), (QStringList{QStringLiteral("01"), QStringLiteral("02")}));
    EXPECT_EQ(ws().categories.descriptions()[0], QStringLiteral("Mainline"));
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(ProjectFilesTest, SavingWorksWithoutAMasterList) {
    buildAndSave(QStringLiteral("nolist.vsk"));
    QFile::remove(sandbox.dataDir() + QStringLiteral("/itemse.txt"));
    controller->engMet_Click(0);  // the list is gone: reported, grid empty
    port.clear();
    controller->projNum_Change(QStringLiteral("CHANGED"));
    controller->mnuFileSave_Click();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_EQ(store().recordCount(), 2);
}

TEST_F(ProjectFilesTest, SaveOfATitledProjectWritesWithoutADialog) {
    buildAndSave(QStringLiteral("t.vsk"));
    addMasterRow(2);
    controller->mnuFileSave_Click();
    EXPECT_TRUE(port.dialogs.empty());
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(fileRows(projectPath(QStringLiteral("t.vsk"))).size(), 7u);
}

TEST_F(ProjectFilesTest, SaveAsGoesToTheNewDirectoryAndLastDirReachesTheConfigurationAtExit) {
    buildAndSave(QStringLiteral("a.vsk"));
    QDir().mkpath(sandbox.path(QStringLiteral("other")));
    port.files = {sandbox.path(QStringLiteral("other/b.vsk"))};
    controller->mnuFileSaveas_Click();
    EXPECT_EQ(ws().flags.projFile, sandbox.path(QStringLiteral("other/b.vsk")));
    EXPECT_EQ(ws().config.lastDir, sandbox.path(QStringLiteral("other")));
    // Not written before the end.
    EXPECT_TRUE(readFile(sandbox.configFile())
                    .contains("lastDir = " + QFile::encodeName(sandbox.projectsDir())));
    EXPECT_TRUE(controller->mnuFileExit_Click());
    EXPECT_TRUE(readFile(sandbox.configFile())
                    .endsWith("lastDir = " +
                              QFile::encodeName(sandbox.path(QStringLiteral("other"))) + "\r\n"));
}

TEST_F(ProjectFilesTest, StateTable) {
    // start-up
    EXPECT_TRUE(ws().flags.projUntitled);
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_FALSE(ws().guardedEnabled);
    // first item added
    addMasterRow(1);
    EXPECT_TRUE(ws().flags.projUntitled);
    EXPECT_FALSE(ws().flags.projSaved);
    EXPECT_TRUE(ws().guardedEnabled);
    // last item removed
    controller->remItem_Click();
    EXPECT_FALSE(ws().flags.projSaved);
    EXPECT_FALSE(ws().guardedEnabled);
    // successful save
    addMasterRow(1);
    port.files = {projectPath(QStringLiteral("s.vsk"))};
    controller->mnuFileSave_Click();
    EXPECT_FALSE(ws().flags.projUntitled);
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_TRUE(ws().guardedEnabled);
    // Save As cancelled
    port.files = {std::nullopt};
    controller->mnuFileSaveas_Click();
    EXPECT_TRUE(ws().flags.projUntitled);
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_TRUE(ws().guardedEnabled);
    // New
    controller->mnuFileNew_Click();
    EXPECT_TRUE(ws().flags.projUntitled);
    EXPECT_FALSE(ws().guardedEnabled);
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_TRUE(ws().flags.projFile.isEmpty());
    // Open of a saved project
    port.files = {projectPath(QStringLiteral("s.vsk"))};
    controller->mnuFileOpen_Click();
    EXPECT_FALSE(ws().flags.projUntitled);
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_TRUE(ws().guardedEnabled);
    // Open of a file whose table is empty
    test::makeProjectFile(projectPath(QStringLiteral("empty.vsk")), {});
    ws().guardedEnabled = false;
    port.files = {projectPath(QStringLiteral("empty.vsk"))};
    controller->mnuFileOpen_Click();
    EXPECT_FALSE(ws().flags.projUntitled);
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_FALSE(ws().guardedEnabled);
}

TEST_F(ProjectFilesTest, NewClearsTheHeaderButKeepsCategoriesUnitAndList) {
    controller->addCat_Click();
    controller->engMet_Click(1);
    ws().flags.projSaved = true;
    controller->mnuFileNew_Click();  // nothing held a value: no change
    EXPECT_TRUE(ws().flags.projSaved);
    controller->projNum_Change(QStringLiteral("X"));
    ws().flags.projSaved = true;
    controller->mnuFileNew_Click();
    EXPECT_FALSE(ws().flags.projSaved);  // clearing the number is a change
    EXPECT_TRUE(ws().header.projNum.isEmpty());
    EXPECT_EQ(ws().header.letMonth, -1);
    EXPECT_EQ(ws().categories.count(), 2);
    EXPECT_EQ(ws().engMet, 1);
    EXPECT_EQ(ws().master.list().count(), 3);
}

struct PromptCase {
    const char* name;
    std::vector<Answer> answers;
    std::vector<std::optional<QString>> files;  // save dialog, then (for Open) the open dialog
    bool proceeds;
    bool saved;
};

void PrintTo(const PromptCase& c, std::ostream* out) {
    *out << c.name;
}

class PromptTest : public ProjectFilesTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptTest, NewOpenAndExitAskBeforeLosingWork) {
    const PromptCase& c = GetParam();
    test::makeProjectFile(projectPath(QStringLiteral("other.vsk")),
                          {test::rec("2101-0100000", "01")});
    for (const char* command : {"new", "open", "exit"}) {
        controller = nullptr;
        start();
        addMasterRow(2);
        port.answers = {c.answers.begin(), c.answers.end()};
        port.files.clear();
        for (const auto& file : c.files) {  // an empty name stands for "saved.vsk"
            port.files.push_back(file && file->isEmpty()
                                     ? std::optional(projectPath(QStringLiteral("saved.vsk")))
                                     : file);
        }
        if (std::string(command) == "open") {
            port.files.push_back(projectPath(QStringLiteral("other.vsk")));
        }
        bool went = true;
        if (std::string(command) == "new") {
            controller->mnuFileNew_Click();
            went = store().recordCount() == 0;
        } else if (std::string(command) == "open") {
            controller->mnuFileOpen_Click();
            went = ws().flags.projFile == projectPath(QStringLiteral("other.vsk"));
        } else {
            went = controller->mnuFileExit_Click();
        }
        EXPECT_TRUE(prompted()) << c.name << ' ' << command;
        EXPECT_EQ(port.messages[0].title, QStringLiteral("Attention")) << command;
        EXPECT_EQ(port.messages[0].buttons, MessageButtons::YesNoCancel) << command;
        EXPECT_EQ(port.messages[0].icon, MessageIcon::Question) << command;
        EXPECT_EQ(went, c.proceeds) << c.name << ' ' << command;
        EXPECT_EQ(QFileInfo::exists(projectPath(QStringLiteral("saved.vsk"))), c.saved) << c.name;
        if (!c.proceeds) {
            EXPECT_EQ(store().recordCount(), 1) << c.name << ' ' << command;
            EXPECT_FALSE(ws().flags.projSaved) << c.name << ' ' << command;
        }
        EXPECT_TRUE(port.answers.empty()) << c.name << ' ' << command;
        const bool openDialogUnasked = std::string(command) == "open" && !c.proceeds;
        EXPECT_EQ(port.files.size(), openDialogUnasked ? 1u : 0u) << c.name << ' ' << command;
        QFile::remove(projectPath(QStringLiteral("saved.vsk")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PromptTest,
    ::testing::Values(
        PromptCase{"yes", {Answer::Yes}, {QString()}, true, true},
        PromptCase{"no", {Answer::No}, {}, true, false},
        PromptCase{"cancel", {Answer::Cancel}, {}, false, false},
        PromptCase{"yes then cancelled dialog", {Answer::Yes}, {std::nullopt}, false, false}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_F(ProjectFilesTest, OpeningAndExitingUntouchedAsksNothing) {
    buildAndSave(QStringLiteral("u.vsk"));
    port.files = {projectPath(QStringLiteral("u.vsk"))};
    controller->mnuFileOpen_Click();
    EXPECT_TRUE(controller->mnuFileExit_Click());
    EXPECT_FALSE(prompted());
}

TEST_F(ProjectFilesTest, ClosingTheWindowAsksYesOrNoAndAlwaysWritesTheConfiguration) {
    addMasterRow(1);
    QFile::remove(sandbox.configFile());
    port.answers = {Answer::No};
    EXPECT_TRUE(controller->Form_Unload());
    EXPECT_EQ(port.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(QFileInfo::exists(sandbox.configFile()));
    EXPECT_FALSE(QFileInfo::exists(projectPath(QStringLiteral("c.vsk"))));

    port.clear();
    port.answers = {Answer::Yes};
    port.files = {projectPath(QStringLiteral("c.vsk"))};
    EXPECT_TRUE(controller->Form_Unload());
    EXPECT_TRUE(QFileInfo::exists(projectPath(QStringLiteral("c.vsk"))));
}

TEST_F(ProjectFilesTest, ClosingAfterACancelledSaveKeepsTheWindowOpen) {
    addMasterRow(1);
    QFile::remove(sandbox.configFile());
    port.answers = {Answer::Yes};
    port.files = {std::nullopt};
    EXPECT_FALSE(controller->Form_Unload());
    EXPECT_EQ(store().recordCount(), 1);
    EXPECT_FALSE(QFileInfo::exists(sandbox.configFile()));
}

TEST_F(ProjectFilesTest, SaveIntoAReadOnlyDirectoryFailsVisiblyAndKeepsTheOldFile) {
    buildAndSave(QStringLiteral("keep.vsk"));
    const QByteArray before = readFile(projectPath(QStringLiteral("keep.vsk")));
    addMasterRow(2);
    const QString locked = sandbox.path(QStringLiteral("locked"));
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    const bool rootCanWrite = QFile(locked + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
    const QString target = rootCanWrite ? sandbox.path(QStringLiteral("gone/x.vsk"))
                                        : locked + QStringLiteral("/x.vsk");
    port.files = {target};
    controller->mnuFileSaveas_Click();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(QDir::toNativeSeparators(target)));
    EXPECT_FALSE(ws().flags.projSaved);
    EXPECT_EQ(ws().flags.projFile, projectPath(QStringLiteral("keep.vsk")));
    EXPECT_EQ(ws().config.lastDir, sandbox.projectsDir());
    EXPECT_EQ(store().recordCount(), 3);  // no special rows left behind
    EXPECT_EQ(readFile(projectPath(QStringLiteral("keep.vsk"))), before);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(ProjectFilesTest, FailedSaveOverAnExistingFileLeavesItWhole) {
    buildAndSave(QStringLiteral("whole.vsk"));
    const QByteArray before = readFile(projectPath(QStringLiteral("whole.vsk")));
    // A full disk: no file may grow.
    addMasterRow(3);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &tiny);
    controller->mnuFileSave_Click();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(readFile(projectPath(QStringLiteral("whole.vsk"))), before);
    EXPECT_FALSE(ws().flags.projSaved);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(QStringLiteral("whole.vsk")));
    EXPECT_EQ(store().recordCount(), 3);
}

struct BadFile {
    const char* name;
    std::function<void(const QString&)> make;
    const char* reason;
};

void PrintTo(const BadFile& c, std::ostream* out) {
    *out << c.name;
}

class BadFileTest : public ProjectFilesTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFileTest, IsRefusedByNameAndTheProjectStaysAsItWas) {
    const BadFile& bad = GetParam();
    buildAndSave(QStringLiteral("mine.vsk"));
    addMasterRow(3);
    const auto rowsBefore = projectRows();
    const QString path = projectPath(QString::fromLatin1(bad.name));
    bad.make(path);
    port.files = {path};
    port.answers = {Answer::No};
    controller->mnuFileOpen_Click();
    ASSERT_EQ(port.messages.size(), 2u);
    const QString& text = port.messages[1].text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromLatin1(bad.reason))) << text.toStdString();
    EXPECT_EQ(projectRows(), rowsBefore);
    EXPECT_EQ(ws().flags.projFile, projectPath(QStringLiteral("mine.vsk")));
    EXPECT_FALSE(ws().flags.projSaved);
    EXPECT_EQ(ws().header.projNum, QStringLiteral("STP-12-B(7)03"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFile{"missing.vsk", [](const QString&) {}, "does not exist"},
        BadFile{"text.vsk",
                [](const QString& p) { test::writeFile(p, "Project: not a database\r\n"); },
                "not a database"},
        BadFile{"other.vsk",
                [](const QString& p) {
                    SqliteDb db(p, SqliteDb::Mode::ReadWriteCreate);
                    db.exec("CREATE TABLE notes (x TEXT)");
                },
                "no project item table"},
        BadFile{"columns.vsk",
                [](const QString& p) {
                    SqliteDb db(p, SqliteDb::Mode::ReadWriteCreate);
                    db.exec("CREATE TABLE veskdata (\"Item Number\" TEXT, \"Cat\" TEXT)");
                },
                "Description"},
        BadFile{"trigger.vsk",
                [](const QString& p) {
                    test::makeProjectFile(p, {test::rec("2101-0100000", "01")});
                    SqliteDb db(p, SqliteDb::Mode::ReadWriteCreate);
                    sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
                    db.exec("CREATE TABLE log (x)");
                    db.exec(
                        "CREATE TRIGGER t AFTER INSERT ON veskdata BEGIN INSERT INTO log VALUES "
                        "(1); END");
                },
                "triggers"},
        BadFile{"quantity.vsk",
                [](const QString& p) {
                    SqliteDb db(p, SqliteDb::Mode::ReadWriteCreate);
                    db.exec(
                        "CREATE TABLE veskdata (\"Item Number\" TEXT, \"Cat\" TEXT, "
                        "\"Description\" TEXT, "
                        "\"Units\" TEXT, \"Quantity\")");
                    db.exec(
                        "INSERT INTO veskdata VALUES ('2101-0100000', '01', 'X', 'LS', 'lots')");
                },
                "not a number"},
        BadFile{"twice.vsk",
                [](const QString& p) {
                    SqliteDb db(p, SqliteDb::Mode::ReadWriteCreate);
                    db.exec(
                        "CREATE TABLE veskdata (\"Item Number\" TEXT, \"Cat\" TEXT, "
                        "\"Description\" TEXT, "
                        "\"Units\" TEXT, \"Quantity\" REAL)");
                    db.exec(
                        "INSERT INTO veskdata VALUES ('A', '01', 'X', 'LS', 1), ('A', '01', 'X', "
                        "'LS', 2)");
                },
                "twice"}),
    [](const auto& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

}  // namespace
}  // namespace veskplan
