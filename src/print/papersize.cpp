#include "print/papersize.h"

namespace veskplan {

QPageSize defaultPaperSize(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

}  // namespace veskplan
