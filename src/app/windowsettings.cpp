#include "app/windowsettings.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QTableView>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A column that stretches with the window has no width of its own to keep.
bool keepsItsWidth(const QTableView& grid, int column) {
    return grid.horizontalHeader()->sectionResizeMode(column) != QHeaderView::Stretch;
}

void restoreWidths(QTableView& grid, const QList<QVariant>& widths) {
    const int columns = grid.horizontalHeader()->count();
    for (int c = 0; c < widths.size() && c < columns; ++c) {
        const int width = widths[c].toInt();
        if (width > 0 && keepsItsWidth(grid, c)) {
            grid.setColumnWidth(c, width);
        }
    }
}

QList<QVariant> widthsOf(const QTableView& grid) {
    QList<QVariant> widths;
    for (int c = 0; c < grid.horizontalHeader()->count(); ++c) {
        widths.append(keepsItsWidth(grid, c) ? grid.columnWidth(c) : 0);
    }
    return widths;
}

}  // namespace

void WindowSettings::restore(QMainWindow& window, QTableView& master, QTableView& project) const {
    window.restoreGeometry(settings_.value(u"window/geometry"_s).toByteArray());
    restoreWidths(master, settings_.value(u"window/masterColumns"_s).toList());
    restoreWidths(project, settings_.value(u"window/projectColumns"_s).toList());
}

void WindowSettings::save(const QMainWindow& window, const QTableView& master,
                          const QTableView& project) const {
    settings_.setValues({{u"window/geometry"_s, window.saveGeometry()},
                         {u"window/masterColumns"_s, widthsOf(master)},
                         {u"window/projectColumns"_s, widthsOf(project)}});
}

}  // namespace veskplan
