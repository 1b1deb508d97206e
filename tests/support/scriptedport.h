#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "controller/busyindicator.h"
#include "controller/cataloguecommands.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"

namespace veskplan::test {

// The user-interaction port with scripted answers. Every message, dialog and focus request is
// recorded; questions take their answers from the queues, and a question without a scripted
// answer fails the test.
class ScriptedPort : public UserPort, public BusyIndicator {
public:
    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    // Several files come as lines of one scripted answer.
    QStringList chooseFiles(const FileDialogRequest& request) override;
    std::optional<ColumnLayout> chooseColumns(const ColumnMappingRequest& request) override;
    std::unique_ptr<PrintTarget> choosePrinter() override;
    std::optional<QStringList> fillIn(const FormRequest& request) override;
    void waitFor(const WaitRequest& request, QThread& running,
                 const std::function<void()>& cancel) override;
    void beginBusy() override;
    void endBusy() override;

    // Follows what the commands ask of the windows (focus, typing stored, windows of their
    // own), recording it and running the scripted windows.
    void follow(ViewRequests& requests);
    void follow(CatalogueCommands& catalogue);

    // Scripted answers, used in order.
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<ColumnLayout>> columnMappings;
    std::deque<std::optional<QStringList>> forms;
    std::function<void()> categoryBrowser;
    std::function<void()> catalogueReport;
    // Runs while the user waits for work beside the window, given its Cancel.
    std::function<void(const std::function<void()>&)> onWait;
    // Runs as each message is shown, while it stands over the window.
    std::function<void(const MessageRequest&)> onMessage;
    int catalogueReports = 0;
    // The printer dialog: cancelled when false; otherwise the pages go to `printPdf` as a PDF.
    bool printerChosen = true;
    QString printPdf;

    // What was asked.
    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> dialogs;
    std::vector<ColumnMappingRequest> mappings;
    std::vector<FormRequest> formsAsked;
    std::vector<WaitRequest> waits;
    std::vector<QString> focus;
    int masterTopRow = -1;  // the master grid's first visible row asked for last
    int commits = 0;
    int printerDialogs = 0;
    std::vector<QPageLayout::Orientation> printed;  // one entry per document printed
    int busyDepth = 0;
    int busyCount = 0;
    bool messageWhileBusy = false;

    // Texts of the messages shown, in order.
    std::vector<QString> messageTexts() const;
    QString lastFocus() const { return focus.empty() ? QString() : focus.back(); }
    void clear();
};

}  // namespace veskplan::test
