#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "history/columnlayout.h"
#include "print/printtarget.h"

class QThread;

namespace veskplan {

enum class MessageButtons { Ok, YesNo, YesNoCancel, RecoverDiscardLater, ExportAnywayGoBack };
enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class Answer { Ok, Yes, No, Cancel, Recover, Discard, Later, ExportAnyway, GoBack };

struct MessageRequest {
    MessageRequest(QString text = {}, QString title = {},
                   MessageButtons buttons = MessageButtons::Ok,
                   MessageIcon icon = MessageIcon::None,
                   std::optional<Answer> defaultAnswer = std::nullopt)
        : text(std::move(text)),
          title(std::move(title)),
          buttons(buttons),
          icon(icon),
          defaultAnswer(defaultAnswer) {}

    QString text;
    QString title;  // the application's title when the message gives none of its own
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // The button Enter presses; the toolkit's own choice when none is given.
    std::optional<Answer> defaultAnswer;
};

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Save;
    QString title;
    QStringList filters;     // "Description (*.ext)" entries
    int selectedFilter = 0;  // index into filters
    QString directory;       // start directory
    QString fileName;        // proposed name; may be a full path
    // Save: the extension ("vsk") a typed name without one gets.
    QString defaultSuffix;
};

// Which column of a file gives which field: the file's headings, the fields asked for and a
// proposal the user confirms or changes.
struct ColumnMappingRequest {
    QString file;  // as shown to the user
    QStringList headings;
    std::vector<ColumnLayout::Field> fields;
    std::vector<ColumnLayout::Field> required;
    ColumnLayout proposed;
    QString title = QStringLiteral("Bid Columns");  // the question's window title
};

// A few lines of text the user fills in at once: a server's address, a password.
struct FormRequest {
    struct Field {
        QString name;         // the editor's object name, as tests and assistive tools know it
        QString label;        // its label, with the access key's "&"
        QString value;        // what it proposes
        QString tooltip;      // what goes into it
        bool secret = false;  // what is typed is not shown: a password
    };
    QString name;  // the dialog's object name
    QString title;
    QString text;  // said above the fields; none when empty
    std::vector<Field> fields;
};

// Work the user waits for while it runs beside the window: an import to a server, a copy of it.
struct WaitRequest {
    QString name;  // the progress dialog's object name
    QString title;
    QString text;  // what is under way
};

// Everything the program asks of the person at the screen: messages, files, the printer. The
// windows implement it with dialogs; tests
// implement it with scripted answers. Only the commands of this layer use it: the layers below
// take values and return results.
class UserPort {
public:
    virtual ~UserPort() = default;

    virtual Answer showMessage(const MessageRequest& request) = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;

    // Several files at once (an Open request); none when the user cancelled.
    virtual QStringList chooseFiles(const FileDialogRequest& request) = 0;

    // The column of each field, naming every field the user gave a column; nothing when the
    // user cancelled.
    virtual std::optional<ColumnLayout> chooseColumns(const ColumnMappingRequest& request) = 0;

    // The printer: the pages go to a preview whose Print button asks for the printer (the
    // printer dialog); nothing when the user cancelled.
    virtual std::unique_ptr<PrintTarget> choosePrinter() = 0;

    // The fields' texts as the user left them, in the request's order; nothing when the user
    // cancelled.
    virtual std::optional<QStringList> fillIn(const FormRequest& request) = 0;

    // Tells the user that `request.text` is under way, with Cancel, until `running` has
    // finished; the windows stay drawn meanwhile. Cancel calls `cancel` once and goes on
    // waiting for the end.
    virtual void waitFor(const WaitRequest& request, QThread& running,
                         const std::function<void()>& cancel) = 0;

    // Convenience: a message with only an OK button and the application's title, plain or with
    // the exclamation icon.
    void inform(const QString& text);
    void warn(const QString& text);
};

}  // namespace veskplan
