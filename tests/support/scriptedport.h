#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "controller/userport.h"

namespace veskplan::test {

// The user-interaction port with scripted answers. Every message, dialog and focus request is
// recorded; questions take their answers from the queues, and a question without a scripted
// answer fails the test.
class ScriptedPort : public UserPort {
public:
    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    void setFocus(const QString& controlName) override {
        focus.push_back(controlName);
        if (onFocus) {
            onFocus(controlName);
        }
    }
    void commitPendingEdits() override { ++commits; }
    void showCategoryBrowser() override;
    void showCatalogueReport() override {
        ++catalogueReports;
        if (catalogueReport) {
            catalogueReport();
        }
    }
    std::unique_ptr<PrintTarget> choosePrinter() override;
    void beginBusy() override;
    void endBusy() override;

    // Scripted answers, used in order.
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> files;
    std::function<void()> categoryBrowser;
    std::function<void()> catalogueReport;
    int catalogueReports = 0;
    // Widget tests move the real focus as the windows' own port does.
    std::function<void(const QString&)> onFocus;
    // The printer dialog: cancelled when false; otherwise the pages go to `printPdf` as a PDF.
    bool printerChosen = true;
    QString printPdf;

    // What was asked.
    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> dialogs;
    std::vector<QString> focus;
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
