#pragma once

#include <QLocale>

#include "controller/userport.h"

class QWidget;

namespace veskplan {

// The user-interaction port on Qt's message boxes, file dialogs and printer dialog, each over
// the window the user is working in. Printing starts on the paper of `locale`.
class QtUserPort : public UserPort {
public:
    explicit QtUserPort(QLocale locale = QLocale()) : locale_(std::move(locale)) {}

    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    QStringList chooseFiles(const FileDialogRequest& request) override;
    std::optional<ColumnLayout> chooseColumns(const ColumnMappingRequest& request) override;
    std::unique_ptr<PrintTarget> choosePrinter() override;
    std::optional<QStringList> fillIn(const FormRequest& request) override;
    void waitFor(const WaitRequest& request, QThread& running,
                 const std::function<void()>& cancel) override;

private:
    static QWidget* dialogParent();
    QStringList askForFiles(const FileDialogRequest& request, bool several);

    QLocale locale_;
};

}  // namespace veskplan
