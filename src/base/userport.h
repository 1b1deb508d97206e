#pragma once

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;

namespace veskplan {

enum class MessageButtons { Ok, YesNo, YesNoCancel, RecoverDiscardLater, ExportAnywayGoBack };
enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class Answer { Ok, Yes, No, Cancel, Recover, Discard, Later, ExportAnyway, GoBack };

struct MessageRequest {
    QString text;
    QString title;  // the application's title when the message gives none of its own
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
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

// A printer the user has chosen.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // Lays the document out in `orientation`, drawing its pages with `render` (which may be
    // called more than once, for a preview), and sends it to the printer. False when the user
    // stopped before anything was printed.
    virtual bool print(QPageLayout::Orientation orientation,
                       const std::function<void(QPagedPaintDevice&)>& render) = 0;
};

// Everything the program asks of the person at the screen, and the few things it does to the
// screen that are not state (focus, busy pointer). The windows implement it with dialogs; tests
// implement it with scripted answers.
class UserPort {
public:
    virtual ~UserPort() = default;

    virtual Answer showMessage(const MessageRequest& request) = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;

    // Moves the keyboard focus to the control with this object name.
    virtual void setFocus(const QString& controlName) = 0;

    // Any edit the user is typing into a grid cell is committed (written through the model).
    virtual void commitPendingEdits() = 0;

    // The printer dialog; nothing when the user cancelled it.
    virtual std::unique_ptr<PrintTarget> choosePrinter() = 0;

    // Shows the "Item Categories" window modally; returns when it is hidden or closed.
    virtual void showCategoryBrowser() = 0;

    // Shows the report of the catalogue comparison (modal); returns when it is closed.
    virtual void showCatalogueReport() = 0;

    // The hourglass pointer; calls nest.
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;

    // Convenience: a message with only an OK button and the application's title, plain or with
    // the exclamation icon.
    void inform(const QString& text);
    void warn(const QString& text);
};

// Shows the hourglass for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(UserPort& port) : port_(port) { port_.beginBusy(); }
    ~BusyCursor() { port_.endBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UserPort& port_;
};

}  // namespace veskplan
