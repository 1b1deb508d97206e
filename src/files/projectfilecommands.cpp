#include "files/projectfilecommands.h"

#include <QDir>

#include "files/projectfile.h"
#include "project/gridbinder.h"
#include "project/headereditor.h"
#include "project/specialrows.h"
#include "shell/configfile.h"
#include "shell/error.h"
#include "shell/sqlitedb.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

FileDialogRequest projectDialog(FileDialogRequest::Mode mode, const Workspace& ws) {
    FileDialogRequest request;
    request.mode = mode;
    request.title = mode == FileDialogRequest::Mode::Open ? texts::openProjectTitle()
                                                          : texts::saveProjectTitle();
    request.filters = QStringList{texts::allFilesFilter(), texts::projectFilter()};
    request.selectedFilter = 1;
    request.directory = ws.config.lastDir;
    if (mode == FileDialogRequest::Mode::Save) {
        request.fileName = ws.flags.projFile;
    }
    return request;
}

void warn(UserPort& port, const QString& text) {
    port.showMessage(
        MessageRequest{text, texts::appTitle(), MessageButtons::Ok, MessageIcon::Exclamation});
}

}  // namespace

bool ProjectFileCommands::confirmDiscard() {
    if (ws_.flags.projSaved) {
        return true;
    }
    const Answer answer =
        ws_.port.showMessage(MessageRequest{texts::unsavedQuestion(), texts::attentionTitle(),
                                            MessageButtons::YesNoCancel, MessageIcon::Question});
    switch (answer) {
        case Answer::Yes:
            return saver() == SaveResult::Saved;
        case Answer::No:
            return true;
        default:
            return false;
    }
}

void ProjectFileCommands::appendSpecialRows() {
    RecordStore& store = *ws_.store;
    const QString units = QString::number(ws_.engMet);
    store.append(ProjectRecord{specialrows::firstHeader(), specialrows::cat(),
                               ws_.header.projNum.leftJustified(25, u' ') + ws_.header.designer,
                               units, std::nullopt});
    store.append(ProjectRecord{specialrows::secondHeader(), specialrows::cat(), ws_.masterDate(),
                               QString::number(ws_.header.letMonth), std::nullopt});
    const CategoryList& categories = ws_.categories;
    for (int i = 0; i < categories.count(); ++i) {
        const QString description =
            i < categories.descriptions().size() ? categories.descriptions()[i] : QString();
        store.append(ProjectRecord{specialrows::categoryRow(i + 1), specialrows::cat(),
                                   description.isEmpty() ? texts::noDescription() : description,
                                   categories.numbers()[i], std::nullopt});
    }
}

ProjectFileCommands::SaveResult ProjectFileCommands::saver() {
    ws_.port.commitPendingEdits();
    CategoryList& categories = ws_.categories;
    categories.replaceDescription(categories.numberIndex(), categories.descriptionText());

    const ProjectFlags before = ws_.flags;
    const QString lastDirBefore = ws_.config.lastDir;
    if (ws_.flags.projUntitled) {
        const auto chosen = ws_.chooseFile(projectDialog(FileDialogRequest::Mode::Save, ws_));
        if (!chosen) {
            return SaveResult::Cancelled;
        }
        ws_.flags.projFile = *chosen;
        ws_.config.lastDir = directoryOf(*chosen);
    }
    const QString target = ws_.flags.projFile;

    QString failure;
    {
        BusyCursor busy(ws_.port);
        RecordStore& store = *ws_.store;
        try {
            RecordStore::Batch batch(store);
            appendSpecialRows();
            batch.commit();
            store.moveFirst();
            projectfile::write(store, target);
        } catch (const Error& error) {
            failure = error.message();
        } catch (const DuplicateKeyError&) {
            failure = texts::projectNotSaved(QDir::toNativeSeparators(target),
                                             texts::duplicateSpecialRows());
        } catch (const SqliteError& error) {
            failure = texts::projectNotSaved(QDir::toNativeSeparators(target), error.message());
        }
        // Reads the special rows back into the boxes and removes them from the table, whether
        // or not the copy succeeded.
        binder_.setupGrid();
    }
    if (!failure.isEmpty()) {
        ws_.flags.projFile = before.projFile;
        ws_.flags.projUntitled = before.projUntitled;
        ws_.config.lastDir = lastDirBefore;
        ws_.markUnsaved();
        warn(ws_.port, failure);
        return SaveResult::Failed;
    }
    ws_.flags.projSaved = true;
    ws_.flags.projUntitled = false;
    return SaveResult::Saved;
}

bool ProjectFileCommands::mnuFileNew_Click() {
    if (!confirmDiscard()) {
        return false;
    }
    ws_.store->deleteAll();
    ws_.guardedEnabled = false;
    header_.projNum_Change(QString());
    header_.designer_Change(QString());
    header_.letMonth_Click(-1);
    ws_.flags.projUntitled = true;
    ws_.flags.projFile.clear();
    return true;
}

void ProjectFileCommands::mnuFileOpen_Click() {
    if (!confirmDiscard()) {
        return;
    }
    const auto chosen = ws_.chooseFile(projectDialog(FileDialogRequest::Mode::Open, ws_));
    if (!chosen) {
        return;
    }
    try {
        openFile(*chosen);
    } catch (const Error& error) {
        warn(ws_.port, error.message());
    }
}

void ProjectFileCommands::openFile(const QString& path, bool checkRevision) {
    const std::vector<ProjectRecord> records = projectfile::read(path);
    const QString shown = QDir::toNativeSeparators(path);
    try {
        ws_.store->replaceAll(records);
    } catch (const DuplicateKeyError&) {
        throw Error(texts::projectNotOpened(shown, texts::duplicateRowsInFile()));
    } catch (const SqliteError& error) {
        throw Error(texts::projectNotOpened(shown, error.message()));
    }
    ws_.flags.projFile = path;
    ws_.config.lastDir = directoryOf(path);
    ws_.flags.projUntitled = false;
    ws_.flags.projOpening = checkRevision;
    binder_.setupGrid();
    ws_.flags.projOpening = false;
    ws_.flags.projSaved = true;
}

void ProjectFileCommands::mnuFileSave_Click() {
    saver();
}

void ProjectFileCommands::mnuFileSaveas_Click() {
    ws_.flags.projUntitled = true;
    saver();
}

bool ProjectFileCommands::mnuFileExit_Click() {
    if (!confirmDiscard()) {
        return false;
    }
    iniSave();
    return true;
}

bool ProjectFileCommands::Form_Unload() {
    if (!ws_.flags.projSaved) {
        const Answer answer =
            ws_.port.showMessage(MessageRequest{texts::unsavedQuestion(), texts::attentionTitle(),
                                                MessageButtons::YesNo, MessageIcon::Question});
        // Work the user asked to save is never thrown away: a save that was cancelled or
        // failed keeps the window open.
        if (answer == Answer::Yes && saver() != SaveResult::Saved) {
            return false;
        }
    }
    iniSave();
    return true;
}

void ProjectFileCommands::iniSave() {
    try {
        ConfigFile(ws_.paths.configFile).write(ws_.config);
    } catch (const Error& error) {
        warn(ws_.port, error.message());
    }
}

}  // namespace veskplan
