#include "controller/filecommands.h"

#include <QDir>
#include <QFileInfo>

#include "base/apppaths.h"
#include "base/configfile.h"
#include "base/error.h"
#include "base/sqlitedb.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/filedialogs.h"
#include "controller/projectbinding.h"
#include "controller/projectediting.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "files/accessproject.h"
#include "files/recentprojects.h"
#include "files/recoverystate.h"
#include "files/workingcopy.h"
#include "master/mastersession.h"
#include "project/projectdocument.h"
#include "project/projectfile.h"
#include "project/projecttexts.h"
#include "project/specialrows.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

FileDialogRequest projectDialog(FileDialogRequest::Mode mode, const QString& directory,
                                const QString& fileName) {
    FileDialogRequest request;
    request.mode = mode;
    request.title = mode == FileDialogRequest::Mode::Open ? texts::openProjectTitle()
                                                          : texts::saveProjectTitle();
    request.filters = mode == FileDialogRequest::Mode::Open
                          ? QStringList{texts::allFilesFilter(), texts::anyProjectFilter(),
                                        texts::projectFilter(), texts::accessProjectFilter()}
                          : QStringList{texts::allFilesFilter(), texts::projectFilter()};
    request.selectedFilter = 1;
    request.directory = directory;
    if (mode == FileDialogRequest::Mode::Save) {
        request.fileName = fileName;
        request.defaultSuffix = u"vsk"_s;
    }
    return request;
}

}  // namespace

std::optional<QString> droppedProject(const QList<QUrl>& urls) {
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        return urls.first().toLocalFile();
    }
    return std::nullopt;
}

QStringList FileCommands::recentProjects() const {
    return recent_.paths();
}

void FileCommands::commitTyping() {
    Q_EMIT requests_.commitTypingRequested();
    editing_.storeCategoryDescription();
}

bool FileCommands::confirmDiscard() {
    commitTyping();
    if (!document_.isModified()) {
        return true;
    }
    const Answer answer =
        port_.showMessage(MessageRequest{texts::unsavedQuestion(), texts::attentionTitle(),
                                         MessageButtons::YesNoCancel, MessageIcon::Question});
    switch (answer) {
        case Answer::Yes:
            return save() == SaveResult::Saved;
        case Answer::No:
            return true;
        default:
            return false;
    }
}

FileCommands::SaveResult FileCommands::save() {
    commitTyping();
    return write(document_.isUntitled());
}

FileCommands::SaveResult FileCommands::saveAs() {
    commitTyping();
    return write(true);
}

FileCommands::SaveResult FileCommands::write(bool askForName) {
    QString target = document_.fileName();
    if (askForName) {
        // An imported project is proposed as a project file of its own beside the old one.
        const QFileInfo imported(document_.importedFrom());
        const QString proposal =
            document_.importedFrom().isEmpty()
                ? document_.fileName()
                : imported.dir().filePath(imported.completeBaseName() + u".vsk"_s);
        const auto chosen = dialogs_.choose(
            projectDialog(FileDialogRequest::Mode::Save, config_.lastDir, proposal));
        if (!chosen) {
            return SaveResult::Cancelled;
        }
        target = *chosen;
    }

    BusyCursor busy(busy_);
    const std::vector<ProjectRecord> specialRows = specialrows::compose(
        document_.header(), master_.unitIndex(), master_.masterDate(), document_.categories());
    try {
        projectfile::write(target, document_.items().records(IndexOrder::PrimaryKey), specialRows,
                           document_.prices(), document_.takeoffRecord());
    } catch (const Error& error) {
        // The project stays where it was, with its changes still unsaved.
        port_.warn(error.message());
        return SaveResult::Failed;
    }
    if (askForName) {
        config_.lastDir = directoryOf(target);
    }
    // Nothing is read back, and the history stays: the document takes the categories as the
    // file holds them.
    document_.markSaved(target, master_.masterDate(), specialrows::split(specialRows).categories);
    recent_.add(target);
    return SaveResult::Saved;
}

bool FileCommands::newProject() {
    if (!confirmDiscard()) {
        return false;
    }
    document_.clearForNewProject();
    editing_.pickFirstCategory();
    return true;
}

void FileCommands::openProject() {
    if (!confirmDiscard()) {
        return;
    }
    const auto chosen =
        dialogs_.choose(projectDialog(FileDialogRequest::Mode::Open, config_.lastDir, QString()));
    if (!chosen) {
        return;
    }
    try {
        openFile(*chosen);
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

void FileCommands::openProject(const QString& path) {
    if (!QFileInfo::exists(path) && recent_.paths().contains(QDir::cleanPath(path))) {
        recent_.remove(path);
        port_.warn(texts::missingRecentProject(QDir::toNativeSeparators(path)));
        return;
    }
    if (!confirmDiscard()) {
        return;
    }
    try {
        openFile(path);
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

void FileCommands::openFile(const QString& path, bool checkRevision) {
    const bool imported = accessproject::isAccessDatabase(path);
    projectfile::Contents read = imported ? projectfile::Contents{readProjectFile(path), {}, {}}
                                          : projectfile::readWithPrices(path);
    specialrows::ProjectContents contents = specialrows::split(std::move(read.records));
    const RecoveryWriter::Replacing replacing(recovery_);
    putItems(contents.items, QDir::toNativeSeparators(path));
    if (imported) {
        document_.setFile(QString(), true);
        document_.setImportedFrom(path);
    } else {
        document_.setFile(path, false);
    }
    config_.lastDir = directoryOf(path);
    binding_.bind(contents, checkRevision);
    document_.setPrices(read.prices);
    document_.setTakeoffRecord(read.takeoff);
    document_.setModified(false);
    recent_.add(path);
}

void FileCommands::putItems(const std::vector<ProjectRecord>& items, const QString& shownFile) {
    try {
        document_.items().replaceAll(items);
    } catch (const SqliteError& error) {
        throw Error(
            texts::projectNotOpened(shownFile, texts::workingCopyCannotTakeIt(error.reason())));
    } catch (const DuplicateKeyError&) {
        throw Error(texts::projectNotOpened(shownFile, texts::duplicateRowsInFile()));
    }
}

void FileCommands::offerRecovery(const QString& tempDir) {
    WorkingCopy::OrphanSearch found = WorkingCopy::findOrphans(tempDir);
    for (const QString& message : found.unreadable) {
        port_.warn(message);
    }
    bool recovered = false;
    for (WorkingCopy::Orphan& orphan : found.orphans) {
        if (!orphan.holdsUnsavedWork()) {
            orphan.discard();
            continue;
        }
        if (recovered) {
            continue;
        }
        const RecoveryState& state = orphan.state;
        const QString file =
            state.fileName.isEmpty() ? texts::untitled() : QDir::toNativeSeparators(state.fileName);
        const Answer answer = port_.showMessage(MessageRequest{
            texts::recoverQuestion(file, locale_.toString(orphan.changed, QLocale::ShortFormat)),
            texts::appTitle(), MessageButtons::RecoverDiscardLater, MessageIcon::Question});
        if (answer == Answer::Recover) {
            const RecoveryWriter::Replacing replacing(recovery_);
            try {
                putItems(orphan.items, file);
            } catch (const Error& error) {
                port_.warn(error.message());  // the copy stays for the next start
                continue;
            }
            specialrows::ProjectContents contents;
            contents.hadRows = true;
            contents.items = orphan.items;
            contents.projNum = state.header.projNum;
            contents.designer = state.header.designer;
            contents.letMonth = state.header.letMonth;
            contents.masterDate = state.storedMasterDate;
            contents.categories = state.categories;
            contents.unitIndex = state.unitIndex;
            binding_.bind(contents, false);
            document_.setQuantityReviews(state.reviews);
            document_.setPrices(state.prices);
            document_.setTakeoffRecord(state.takeoff);
            document_.setFile(state.fileName, state.untitled);
            document_.setModified(true);
            recovered = true;
        }
        if (answer != Answer::Later) {
            orphan.discard();
        }
    }
}

bool FileCommands::exit() {
    if (!confirmDiscard()) {
        return false;
    }
    writeConfiguration();
    return true;
}

bool FileCommands::closeWindow() {
    commitTyping();
    if (document_.isModified()) {
        const Answer answer =
            port_.showMessage(MessageRequest{texts::unsavedQuestion(), texts::attentionTitle(),
                                             MessageButtons::YesNo, MessageIcon::Question});
        // Work the user asked to save is never thrown away: a save that was cancelled or
        // failed keeps the window open.
        if (answer == Answer::Yes && save() != SaveResult::Saved) {
            return false;
        }
    }
    writeConfiguration();
    return true;
}

void FileCommands::writeConfiguration() {
    try {
        ConfigFile(paths_.configFile).write(config_);
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

}  // namespace veskplan
