#pragma once

#include <QMainWindow>

#include "app/mainformwidgets.h"

namespace veskplan {

class MainController;

// The main window: the controls of the layout table, wired to the controller's handlers. It
// holds no logic; after every handler it shows the controller's state again.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(MainController& controller, QWidget* parent = nullptr);

    MainFormWidgets& widgets() { return w_; }

    // Shows the controller's state in the controls.
    void refresh();

    // Moves the keyboard focus to the named control once the state is shown: a control that
    // takes the focus before it shows the state picks a cell or entry of its own.
    void requestFocus(const QString& controlName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectMaster();
    void connectProject();
    void connectMenus();
    void refreshMaster();
    void refreshProject();
    void refreshCategories();

    MainController& controller_;
    MainFormWidgets w_;
    QWidget* client_ = nullptr;
    bool refreshing_ = false;
    QString pendingFocus_;
    bool closing_ = false;
};

}  // namespace veskplan
