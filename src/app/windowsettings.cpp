#include "app/windowsettings.h"

#include <QMainWindow>
#include <QSettings>
#include <QTableView>

#include "app/twips.h"
#include "controller/maincontroller.h"

namespace veskplan {
using namespace Qt::Literals::StringLiterals;

void WindowSettings::restore(QMainWindow& window, QTableView& master,
                             MainController& controller) const {
    QSettings settings(file_, QSettings::IniFormat);
    window.restoreGeometry(settings.value(u"window/geometry"_s).toByteArray());
    const QList<QVariant> masterWidths = settings.value(u"window/masterColumns"_s).toList();
    for (qsizetype c = 0; c < masterWidths.size() && c < 3; ++c) {
        if (masterWidths[c].toInt() > 0) {
            master.setColumnWidth(static_cast<int>(c), masterWidths[c].toInt());
        }
    }
    const QList<QVariant> projectWidths = settings.value(u"window/projectColumns"_s).toList();
    for (qsizetype c = 0; c < projectWidths.size(); ++c) {
        controller.editing().setColumnWidth(static_cast<int>(c), twipsOf(projectWidths[c].toInt()));
    }
}

void WindowSettings::save(const QMainWindow& window, const QTableView& master,
                          const MainController& controller) const {
    QSettings settings(file_, QSettings::IniFormat);
    settings.setValue(u"window/geometry"_s, window.saveGeometry());
    QList<QVariant> masterWidths;
    for (int c = 0; c < 3; ++c) {
        masterWidths.append(master.columnWidth(c));
    }
    settings.setValue(u"window/masterColumns"_s, masterWidths);
    QList<QVariant> projectWidths;
    for (const int width : controller.editing().gridState().columnWidths) {
        projectWidths.append(twips(width));
    }
    settings.setValue(u"window/projectColumns"_s, projectWidths);
    settings.sync();
}

}  // namespace veskplan
