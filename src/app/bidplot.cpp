#include "app/bidplot.h"

#include <QAccessibleWidget>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

#include "estimate/estimatetexts.h"
#include "estimate/predictionband.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

// The contrast ratio of two colours by their relative luminance, from 1 (none) to 21.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A log scale over the data, widened by a margin so that no point sits on the frame.
struct LogScale {
    double low = 0, high = 1;  // log10 of the drawn ends
    double from = 0, to = 1;   // pixels
    double at(double value) const {
        return from + (std::log10(value) - low) / (high - low) * (to - from);
    }
    // Pixels per power of ten.
    double decade() const { return std::abs(to - from) / (high - low); }
};

LogScale scaleOf(const std::vector<double>& values) {
    double low = 1e300, high = -1e300;
    for (const double v : values) {
        if (v > 0) {
            low = std::min(low, std::log10(v));
            high = std::max(high, std::log10(v));
        }
    }
    if (low > high) {
        low = 0, high = 1;
    }
    // Half a power of ten at least, so that prices close together still read apart.
    const double widen = std::max(0.0, 0.5 - (high - low)) / 2;
    const double margin = (high - low + 2 * widen) * 0.06;
    return LogScale{low - widen - margin, high + widen + margin};
}

// A mark on a log axis: at every power of ten and its multiples 2 to 9 within the ends.
struct Mark {
    double value = 0;
    int decade = 0;
    int multiple = 1;
};

std::vector<Mark> marksOf(const LogScale& scale) {
    std::vector<Mark> marks;
    for (int e = int(std::floor(scale.low)); e <= int(std::ceil(scale.high)); ++e) {
        for (int m = 1; m <= 9; ++m) {
            const double at = std::log10(m) + e;
            if (at >= scale.low && at <= scale.high) {
                marks.push_back(Mark{m * std::pow(10.0, e), e, m});
            }
        }
    }
    return marks;
}

QString markText(const QLocale& locale, const Mark& mark) {
    return locale.toString(mark.value, 'f', std::max(0, -mark.decade));
}

// Whether a mark is numbered: every power of ten (every few when they crowd), 2 and 5 when a
// decade has room for them, and every mark when even 9 and 10, the closest, stand apart.
bool numbered(const Mark& mark, const LogScale& scale, double labelLength) {
    const double decade = scale.decade();
    switch (mark.multiple) {
        case 1:
            return mark.decade % int(std::ceil(labelLength / std::max(decade, 1.0))) == 0;
        case 2:
        case 5:
            return decade * std::log10(2.0) >= labelLength;
        default:
            return decade * std::log10(10.0 / 9) >= labelLength;
    }
}

// A screen reader is told the plot is a chart; its description is the plot as text.
QAccessibleInterface* accessibleChart(const QString& className, QObject* object) {
    if (className == QLatin1String(BidPlot::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    }
    return nullptr;
}

}  // namespace

BidPlot::BidPlot(QWidget* parent) : QWidget(parent) {
    static const bool chartRole = [] {
        QAccessible::installFactory(&accessibleChart);
        return true;
    }();
    Q_UNUSED(chartRole);
    setObjectName(u"estimatePlot"_s);
    setAccessibleName(u"Bids of the chosen item"_s);
    setMinimumSize(240, 180);
    // Tab reaches the plot, so that a reader hears its text and Ctrl+C copies it.
    setFocusPolicy(Qt::StrongFocus);
}

void BidPlot::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) && line_) {
        QGuiApplication::clipboard()->setText(text());
        return;
    }
    QWidget::keyPressEvent(event);
}

void BidPlot::showLine(const EstimateLine* line) {
    line_ = line ? std::optional(*line) : std::nullopt;
    describe();
    update();
}

void BidPlot::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        describe();
        update();
    }
    QWidget::changeEvent(event);
}

void BidPlot::describe() {
    setAccessibleDescription(text());
}

QString BidPlot::text() const {
    return line_ ? plotText(*line_, locale()) : QString();
}

void BidPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().text().color());
    if (!line_) {
        return;
    }
    if (!line_->statistics) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text());
        return;
    }
    const ItemStatistics& s = *line_->statistics;
    const double project = line_->item.quantity.value_or(0);
    const std::vector<BandPoint> band = predictionBand(s, project, 40);
    std::vector<double> quantities{project}, prices;
    for (const BidRecord& bid : s.bidsUsed) {
        quantities.push_back(bid.quantity);
        prices.push_back(bid.unitPrice);
    }
    for (const BandPoint& p : band) {
        prices.push_back(p.lower);
        prices.push_back(p.upper);
    }
    if (s.regression && project > 0) {
        prices.push_back(s.regression->predicted);
    }
    LogScale x = scaleOf(quantities);
    LogScale y = scaleOf(prices);

    // The frame leaves room for the marks' numbers and the axes' titles at the font in use.
    const QLocale here = locale();
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    const std::vector<Mark> quantityMarks = marksOf(x), priceMarks = marksOf(y);
    double priceLabels = 0, quantityLabels = 0;
    for (const Mark& mark : priceMarks) {
        priceLabels = std::max(priceLabels, metrics.horizontalAdvance(markText(here, mark)));
    }
    for (const Mark& mark : quantityMarks) {
        quantityLabels = std::max(quantityLabels, metrics.horizontalAdvance(markText(here, mark)));
    }
    const double lastLabel =
        quantityMarks.empty() ? 0 : metrics.horizontalAdvance(markText(here, quantityMarks.back()));
    const QRectF area =
        QRectF(rect()).adjusted(line + 4 + priceLabels + 8, line / 2 + 4,
                                -std::max(8.0, lastLabel / 2 + 2), -(2 * line + 10));
    x.from = area.left(), x.to = area.right();
    y.from = area.bottom(), y.to = area.top();

    painter.drawRect(area);
    for (const Mark& mark : quantityMarks) {
        const double px = x.at(mark.value);
        const double length = mark.multiple == 1 ? 4 : 2;
        painter.drawLine(QPointF(px, area.bottom()), QPointF(px, area.bottom() + length));
        if (numbered(mark, x, quantityLabels + line)) {
            painter.drawText(QRectF(px - 100, area.bottom() + 4, 200, line), Qt::AlignHCenter,
                             markText(here, mark));
        }
    }
    for (const Mark& mark : priceMarks) {
        const double py = y.at(mark.value);
        const double length = mark.multiple == 1 ? 4 : 2;
        painter.drawLine(QPointF(area.left() - length, py), QPointF(area.left(), py));
        if (numbered(mark, y, line * 1.2)) {
            painter.drawText(
                QRectF(area.left() - 6 - priceLabels, py - line / 2, priceLabels, line),
                Qt::AlignRight | Qt::AlignVCenter, markText(here, mark));
        }
    }
    painter.drawText(QRectF(area.left(), area.bottom() + 6 + line, area.width(), line),
                     Qt::AlignHCenter, u"Quantity ("_s + line_->item.units.trimmed() + u")"_s);
    painter.save();
    painter.translate(0, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-area.height() / 2, 2, area.height(), line), Qt::AlignHCenter,
                     u"Unit price ($)"_s);
    painter.restore();

    painter.save();
    painter.setClipRect(area);
    if (!band.empty()) {
        QPainterPath interval;
        interval.moveTo(x.at(band.front().quantity), y.at(band.front().upper));
        for (const BandPoint& p : band) {
            interval.lineTo(x.at(p.quantity), y.at(p.upper));
        }
        for (auto p = band.rbegin(); p != band.rend(); ++p) {
            interval.lineTo(x.at(p->quantity), y.at(p->lower));
        }
        QColor fill = palette().highlight().color();
        fill.setAlpha(50);
        painter.fillPath(interval, fill);
        painter.setPen(QPen(palette().highlight().color(), 2));
        painter.drawLine(QPointF(x.at(band.front().quantity), y.at(band.front().fitted)),
                         QPointF(x.at(band.back().quantity), y.at(band.back().fitted)));
    }
    painter.setPen(palette().text().color());
    painter.setBrush(palette().text());
    for (const BidRecord& bid : s.bidsUsed) {
        if (bid.quantity > 0 && bid.unitPrice > 0) {
            painter.drawEllipse(QPointF(x.at(bid.quantity), y.at(bid.unitPrice)), 3, 3);
        }
    }
    // The project's own quantity in the palette's colour for what stands out from the text (a
    // high-contrast theme chooses it), and apart by its shape: dashed, and a ring, not a dot.
    const QColor projectColor = projectMarkColor(palette());
    if (project > 0) {
        painter.setPen(QPen(projectColor, 1.5, Qt::DashLine));
        painter.drawLine(QPointF(x.at(project), area.top()), QPointF(x.at(project), area.bottom()));
        if (s.regression) {
            // The predicted price, where the project's quantity meets the line.
            painter.setPen(QPen(projectColor, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(x.at(project), y.at(s.regression->predicted)), 5, 5);
        }
    }
    painter.restore();
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

QColor BidPlot::projectMarkColor(const QPalette& palette) {
    const QColor background = palette.color(QPalette::Base);
    QColor color = palette.color(QPalette::Link);
    const bool darkBackground = background.lightnessF() < 0.5;
    for (int step = 0; step < 30 && contrast(color, background) < 3.0; ++step) {
        color = darkBackground ? color.lighter(115) : color.darker(115);
    }
    return color;
}

}  // namespace veskplan
