#pragma once

#include <QMainWindow>
#include <QPointer>

#include "app/mainformwidgets.h"
#include "app/windowsettings.h"

namespace veskplan {

class CategoryWindow;
class MainController;

// The main window: the form's controls, wired to the tools' commands. It holds no logic; it
// shows again the part of the state that a tool or the document says has changed.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `settings` keep the window's size and the grids' column widths between runs.
    MainWindow(MainController& controller, SettingsStore& settings, QWidget* parent = nullptr);

    // Shows the controller's state in the controls.
    void refresh();
    enum Part : unsigned { MasterPart = 1, ProjectPart = 2, CategoryPart = 4 };
    // Shows these parts of the state again, then moves the focus where it was asked to go.
    void showParts(unsigned parts);

    // Moves the keyboard focus to the named control once the state is shown: a control that
    // takes the focus before it shows the state picks a cell or entry of its own.
    void requestFocus(const QString& controlName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void connectRequests();
    void showTitle();
    void connectMaster();
    void connectProject();
    void connectMenus();
    void refreshMaster();
    void refreshProject();
    void refreshCategories();
    void refreshRecentProjects();
    void print();
    void showCounts();
    // The estimate window: one, made when first asked for, kept while the main window lives.
    void showEstimate();

    MainController& controller_;
    MainFormWidgets w_;
    WindowSettings settings_;
    QWidget* client_ = nullptr;
    QLabel* counts_ = nullptr;
    bool refreshing_ = false;
    QString pendingFocus_;
    QPointer<CategoryWindow> categoryWindow_;
    QPointer<class EstimateWindow> estimateWindow_;
    bool closing_ = false;
};

}  // namespace veskplan
