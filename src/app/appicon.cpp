#include "app/appicon.h"

namespace veskplan {

QIcon applicationIcon() {
    // The same pictures the desktop shows for the installed program.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/org.veskplan.Veskplan-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace veskplan
