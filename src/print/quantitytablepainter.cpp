#include "print/quantitytablepainter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "base/error.h"
#include "print/printtarget.h"
#include "print/printtexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QString longestLine(const QStringList& lines) {
    QString longest;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > longest.size()) {
            longest = lines[i];
        }
    }
    return longest;
}

}  // namespace

QFont QuantityTablePainter::fixedPitchFont(double pointSize) {
    // Idempotent: the stand-in is added to the family's list only once.
    QFont::insertSubstitutions(u"Courier New"_s, {u"Liberation Mono"_s});
    QFont font(u"Courier New"_s);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSizeF(pointSize);
    return font;
}

QFont QuantityTablePainter::tableFont(QPaintDevice& device) const {
    QFont font = fixedPitchFont(kPointSize);
    const QString longest = longestLine(table_.lines);
    const qreal available = device.width();
    if (longest.isEmpty() || available <= 0) {
        return font;
    }
    // Glyph advances do not scale exactly with the size, so shrink until the line fits.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const qreal width = QFontMetricsF(font, &device).horizontalAdvance(longest);
        if (width <= available) {
            break;
        }
        const qreal factor = std::min(available / width, 0.99);
        font.setPointSizeF(font.pointSizeF() * factor);
    }
    return font;
}

bool QuantityTablePainter::print(const QuantityTable& table, PrintTarget& target) {
    const QuantityTablePainter painter(table);
    return target.print(table.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        [&painter](QPagedPaintDevice& device) { painter.paint(device); });
}

void QuantityTablePainter::paint(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        throw Error(texts::printerNotStarted());
    }
    const qreal pageHeight = device.height();
    const QFontMetricsF firstMetrics(painter.font(), &device);
    const QFont font = tableFont(device);
    const QFontMetricsF metrics(font, &device);
    qreal y = 0;
    for (qsizetype i = 0; i < table_.lines.size(); ++i) {
        // The first line is printed before the fixed-pitch font is chosen.
        const QFontMetricsF& lineMetrics = i == 0 ? firstMetrics : metrics;
        if (i == 1) {
            painter.setFont(font);
        }
        const qreal height = lineMetrics.lineSpacing();
        if (y > 0 && y + height > pageHeight) {
            if (!device.newPage()) {
                throw Error(texts::noNewPage());
            }
            y = 0;
        }
        const QString& line = table_.lines[i];
        if (!line.isEmpty()) {
            painter.drawText(QPointF(0, y + lineMetrics.ascent()), line);
        }
        y += height;
    }
    painter.end();
}

}  // namespace veskplan
