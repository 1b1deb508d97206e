#pragma once

#include <QObject>

class QTableView;

namespace veskplan {

class ProjectEditing;

// The project grid's clipboard keys, while the grid itself has the focus (a cell being typed
// into keeps its own): Copy puts the selected rows on the clipboard as tab-separated text under
// a heading line, as a spreadsheet takes them; Paste puts a column of numbers into the
// quantities from the current row down.
class ProjectGridClipboard : public QObject {
    Q_OBJECT

public:
    ProjectGridClipboard(ProjectEditing& editing, QTableView& grid);

private:
    void copyRows();
    void pasteQuantities();

    ProjectEditing& editing_;
    QTableView& grid_;
};

}  // namespace veskplan
