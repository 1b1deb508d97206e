#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "project/headerfields.h"
#include "project/projectrecord.h"

namespace veskplan {

// What an export writes from: the project as its format needs it.
struct ExportInput {
    HeaderFields header;
    QString projectFile;  // the project's file name; empty when it has none
    QString county;       // looked up only for a format that names it
    bool english = true;  // the unit system of the project
    QChar decimalPoint = u'.';
    QString seedWorkbook;
    std::vector<ProjectRecord> items;  // in the format's order
};

// One export format: everything the Export menu, the command line and the checks know of it.
// A new format is one more entry in exportFormats(), its writer and its expected files.
struct ExportFormat {
    enum class Id { Trnsport, RoadCad, Tabfill, BridgeCad };
    // The order the items reach the writer in: as the project grid shows them, or by item
    // number and then category ("BridgeKey"). A format that walks the items in the other order
    // leaves the grid in its working order.
    enum class Order { Shown, BridgeKey };
    // Where the file dialog opens: the letting month's folder under the Trns*Port folder, the
    // folder last used for a project, or the platform's choice.
    enum class Folder { LettingMonth, LastUsed, Default };

    Id id;
    QString commandName;  // on the command line: "veskplan-cli export NAME ..."
    QString menuName;     // the Export menu command's object name
    QString menuCaption;  // with its access key
    QString dialogTitle;
    QStringList filters;  // the last one is selected
    QString suffix;
    Folder folder = Folder::Default;
    // The file name the dialog proposes; empty when there is none to propose.
    std::function<QString(const ExportInput&)> proposedName;
    Order order = Order::BridgeKey;
    bool namesCounty = false;  // the file names the county of the project number
    // Whether the checks before an export (errors and warnings, asked about) run first.
    bool itemChecks = true;
    // The highest category the format holds, refused outright beyond it; none: every one.
    std::optional<int> largestCategory;
    QString tooManyCategories;  // the refusal beyond it
    bool textFile = true;       // may be written to standard output
    QString savedMessage;       // followed by the file's path
    // The file's bytes. Throws Error with the message to show.
    std::function<QByteArray(const ExportInput&)> render;

    // The record order the items are given in, the grid showing `shown`.
    IndexOrder itemOrder(IndexOrder shown) const;
    // Why these items cannot leave in this format at all; none when they can.
    std::optional<QString> refusal(const std::vector<ProjectRecord>& items) const;
};

// Every export format, in the order of the Export menu.
const std::vector<ExportFormat>& exportFormats();
const ExportFormat& exportFormat(ExportFormat::Id id);
// The format of a command-line name; none for an unknown name.
const ExportFormat* exportFormatNamed(const QString& commandName);

}  // namespace veskplan
