#include "export/exportsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "shell/error.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan::exportsupport {

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw Error(texts::fileNotWritten(QDir::toNativeSeparators(path), file.errorString()));
    }
}

void restoreWorkingOrder(Workspace& ws) {
    ws.store->setIndex(IndexOrder::PrimaryKey);
    ws.projectColumnWidths = ProjectGridModel::standardWidths();
    ws.store->moveFirst();
}

ExportOutcome report(Workspace& ws, ExportOutcome outcome) {
    ws.port.showMessage(MessageRequest{outcome.message, texts::appTitle(), MessageButtons::Ok,
                                       outcome.kind == ExportOutcome::Kind::Failed
                                           ? MessageIcon::Exclamation
                                           : MessageIcon::None});
    return outcome;
}

}  // namespace veskplan::exportsupport
