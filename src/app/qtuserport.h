#pragma once

#include <QPointer>

#include "controller/userport.h"

class QWidget;
class QTableView;

namespace veskplan {

class MainController;
class CategoryWindow;
class MainWindow;

// The user-interaction port on Qt's message boxes and file dialogs.
class QtUserPort : public UserPort {
public:
    Answer showMessage(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    void setFocus(const QString& controlName) override;
    void commitPendingEdits() override;
    void showCategoryBrowser() override;
    void showCatalogueReport() override;
    std::unique_ptr<PrintTarget> choosePrinter() override;
    void beginBusy() override;
    void endBusy() override;

    // Set once the windows exist.
    void attach(MainWindow* mainWindow, MainController* controller);

private:
    QPointer<MainWindow> window_;
    MainController* controller_ = nullptr;
    QPointer<CategoryWindow> categoryWindow_;
    int busyDepth_ = 0;
    QString startFocus_;
};

}  // namespace veskplan
