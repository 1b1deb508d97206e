#pragma once

#include "controller/userport.h"

class QWidget;

namespace veskplan {

// The user-interaction port on Qt's message boxes, file dialogs and printer dialog, each over
// the window the user is working in.
class QtUserPort : public UserPort {
public:
    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::unique_ptr<PrintTarget> choosePrinter() override;
    void beginBusy() override;
    void endBusy() override;

private:
    static QWidget* dialogParent();

    int busyDepth_ = 0;
};

}  // namespace veskplan
