#pragma once

#include <QByteArray>
#include <QString>

namespace veskplan {

struct Workspace;

// How an export or the print ended.
struct ExportOutcome {
    enum class Kind { Written, Cancelled, Refused, Failed };
    Kind kind = Kind::Cancelled;
    QString file;     // the file written, when Written
    QString message;  // what the user was told, when Refused or Failed

    static ExportOutcome written(QString file) { return {Kind::Written, std::move(file), {}}; }
    static ExportOutcome cancelled() { return {}; }
    static ExportOutcome refused(QString message) {
        return {Kind::Refused, {}, std::move(message)};
    }
    static ExportOutcome failed(QString message) { return {Kind::Failed, {}, std::move(message)}; }
};

namespace exportsupport {

// Writes the bytes through a temporary file that is renamed into place: either the whole file
// is there or the old one is untouched. Throws Error naming the file and the reason.
void writeFile(const QString& path, const QByteArray& bytes);

// Puts the project grid back in its working order and standard layout, on the first row.
void restoreWorkingOrder(Workspace& workspace);

// Tells the user an export failed or was refused, and returns the outcome for the caller.
ExportOutcome report(Workspace& workspace, ExportOutcome outcome);

}  // namespace exportsupport
}  // namespace veskplan
