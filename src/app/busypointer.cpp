#include "app/busypointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace veskplan {

void BusyPointer::beginBusy() {
    if (depth_++ == 0) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

void BusyPointer::endBusy() {
    if (depth_ > 0 && --depth_ == 0) {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace veskplan
