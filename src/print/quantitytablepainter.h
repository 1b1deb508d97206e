#pragma once

#include <QFont>

#include "print/quantitytable.h"

class QPagedPaintDevice;
class QPaintDevice;

namespace veskplan {

class PrintTarget;

// Draws a quantity table on a printer or a PDF writer: the empty first line in the device's
// default font, every other line in 8 point "Courier New" at the left margin, pages filled top
// to bottom. The caller sets the page orientation.
class QuantityTablePainter {
public:
    static constexpr double kPointSize = 8.0;

    explicit QuantityTablePainter(const QuantityTable& table) : table_(table) {}

    // Prints `table` on `target` in the table's orientation. False when the user stopped before
    // anything was printed; throws Error when the device cannot be painted on.
    static bool print(const QuantityTable& table, PrintTarget& target);

    // Draws all pages. Throws Error when the device cannot be painted on.
    void paint(QPagedPaintDevice& device) const;

    // The fixed-pitch font for `device`: 8 point, or smaller when the widest line would not fit
    // across the page, so that no column is cut off.
    QFont tableFont(QPaintDevice& device) const;

    // The family asked for, with a metric-compatible stand-in where it is not installed.
    static QFont fixedPitchFont(double pointSize);

private:
    const QuantityTable& table_;
};

}  // namespace veskplan
