#pragma once

#include <QString>

#include "shell/userport.h"

namespace veskplan {

// The user-interaction port of the command line: file dialogs answer with the output named on
// the command line, questions are answered No, and nothing is shown.
class CliPort : public UserPort {
public:
    explicit CliPort(QString output) : output_(std::move(output)) {}

    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest&) override { return output_; }
    void setFocus(const QString&) override {}
    void commitPendingEdits() override {}
    void showCategoryBrowser() override {}
    std::unique_ptr<PrintTarget> choosePrinter() override;
    void beginBusy() override {}
    void endBusy() override {}

private:
    QString output_;
};

}  // namespace veskplan
