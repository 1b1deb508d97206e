#pragma once

#include <QObject>
#include <QString>

namespace veskplan {

// What the commands ask of the windows that is not a question to the user: where the keyboard
// focus goes, that a value still being typed into a cell is stored first, which row of the
// master grid to bring into sight, and which window of its own to show. The windows connect to
// these signals; a command never holds a window.
class ViewRequests : public QObject {
    Q_OBJECT

Q_SIGNALS:
    // Moves the keyboard focus to the control with this object name once the window shows the
    // new state.
    void focusRequested(const QString& controlName);
    // Any value the user is typing into a grid cell is written through the grid's model.
    void commitTypingRequested();
    // Scrolls the master grid so that this row is its first visible row.
    void masterTopRowRequested(int row);
    // Shows the "Item Categories" window; returns when it is hidden or closed.
    void categoryBrowserRequested();
    // Shows the estimate's window, over the main window, with the estimate as it is now open.
    void estimateWindowRequested();
    // Shows the review of the quantities read from take-off reports, over the main window.
    void quantityReviewRequested();
    // Shows the comparison with another project, over the main window.
    void comparisonWindowRequested();
    // The user chose to quit and nothing stands in the way: the main window closes without
    // asking again.
    void quitApproved();
};

}  // namespace veskplan
