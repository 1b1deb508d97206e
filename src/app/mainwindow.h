#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "app/mainformwidgets.h"
#include "app/windowsettings.h"

namespace veskplan {

class CategoryWindow;
class MainController;

// The main window: the form's controls, wired to the tools' commands. It holds no logic; each
// control shows again what the document or a tool says has changed.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `settings` keep the window's size and the grids' column widths between runs.
    MainWindow(MainController& controller, SettingsStore& settings, QWidget* parent = nullptr);

    // Shows the whole state in the controls.
    void refresh();

    // Moves the keyboard focus to the named control; while the window is showing the state it
    // waits until the state is shown: a control that takes the focus before it shows the state
    // picks a cell or entry of its own.
    void requestFocus(const QString& controlName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void connectRequests();
    void showTitle();
    void connectProject();
    void connectMenus();
    // Runs `show` as the window showing the state: the controls' own signals are not taken for
    // the user's actions, and a focus asked for meanwhile moves afterwards.
    void showing(const std::function<void()>& show);
    void showHeader();
    // The sort arrow on the column whose order the grid is in; a grid whose rows were all
    // replaced starts at its first row.
    void showOrder();
    void showOrder(int sortedColumn);
    void showGuardedCommands();
    void showCategories();
    // Whatever is being typed into a grid cell is stored.
    void commitTyping();
    void refreshRecentProjects();
    void showCounts();
    // The estimate window: one, made when first asked for, kept while the main window lives.
    void showEstimate();
    // The review of take-off quantities: one, made when first asked for, shown again by each
    // import.
    void showQuantityReview();

    MainController& controller_;
    MainFormWidgets w_;
    WindowSettings settings_;
    QWidget* client_ = nullptr;
    QLabel* counts_ = nullptr;
    class MasterPane* masterPane_ = nullptr;
    bool refreshing_ = false;
    QString pendingFocus_;
    QPointer<CategoryWindow> categoryWindow_;
    QPointer<class EstimateWindow> estimateWindow_;
    QPointer<class TakeoffReviewDialog> reviewWindow_;
    QPointer<class ComparisonWindow> comparisonWindow_;
    bool closing_ = false;
};

}  // namespace veskplan
