#pragma once

#include <QThread>
#include <memory>
#include <optional>

#include "controller/busyindicator.h"
#include "controller/userport.h"

namespace veskplan::test {

// A port for programs that run the controller unattended: acknowledges notices, postpones
// recovery, exports whatever the checks find, answers every other question with No, every
// file dialog with `nextFile` and a column mapping with Cancel.
class QuietPort : public UserPort, public BusyIndicator {
public:
    Answer showMessage(const MessageRequest& request) override {
        switch (request.buttons) {
            case MessageButtons::Ok:
                return Answer::Ok;
            case MessageButtons::RecoverDiscardLater:
                return Answer::Later;
            case MessageButtons::ExportAnywayGoBack:
                return Answer::ExportAnyway;
            default:
                return Answer::No;
        }
    }
    std::optional<QString> chooseFile(const FileDialogRequest&) override { return nextFile; }
    QStringList chooseFiles(const FileDialogRequest&) override {
        return nextFile ? QStringList{*nextFile} : QStringList();
    }
    std::optional<ColumnLayout> chooseColumns(const ColumnMappingRequest&) override {
        return std::nullopt;
    }
    std::unique_ptr<PrintTarget> choosePrinter() override { return nullptr; }
    std::optional<QStringList> fillIn(const FormRequest&) override { return std::nullopt; }
    void waitFor(const WaitRequest&, QThread& running, const std::function<void()>&) override {
        running.wait();
    }
    void beginBusy() override {}
    void endBusy() override {}

    std::optional<QString> nextFile;
};

}  // namespace veskplan::test
