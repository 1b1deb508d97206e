#pragma once

#include <QLocale>
#include <QPageSize>

namespace veskplan {

// The paper a desk printer holds where the user lives: Letter where the US measurement system
// is used, A4 elsewhere. The window's printer, its PDF export and the command line start from it.
QPageSize defaultPaperSize(const QLocale& locale);

}  // namespace veskplan
