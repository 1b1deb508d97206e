#include "app/bidplot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "estimate/predictionband.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

// A log scale from the data's range, widened to whole powers of ten.
struct LogScale {
    double low = 0, high = 1;  // log10 of the ends
    double from = 0, to = 1;   // pixels
    double at(double value) const {
        return from + (std::log10(value) - low) / (high - low) * (to - from);
    }
};

LogScale scaleOf(const std::vector<double>& values, double from, double to) {
    double low = 1e300, high = -1e300;
    for (const double v : values) {
        if (v > 0) {
            low = std::min(low, std::floor(std::log10(v)));
            high = std::max(high, std::ceil(std::log10(v)));
        }
    }
    if (low > high) {
        low = 0, high = 1;
    }
    if (high <= low) {
        high = low + 1;
    }
    return LogScale{low, high, from, to};
}

}  // namespace

BidPlot::BidPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(u"estimatePlot"_s);
    setAccessibleName(u"Bids of the chosen item"_s);
    setMinimumSize(240, 180);
    setFocusPolicy(Qt::NoFocus);
}

void BidPlot::showLine(const EstimateLine* line) {
    line_ = line ? std::optional(*line) : std::nullopt;
    setAccessibleDescription(summary());
    setToolTip(summary());
    update();
}

QString BidPlot::summary() const {
    if (!line_ || !line_->statistics) {
        return u"No bids in the window for this item."_s;
    }
    const ItemStatistics& s = *line_->statistics;
    QString text = QString::number(s.bids) + u" bids of "_s + QString::number(s.contracts) +
                   u" contracts, quantities "_s + QString::number(s.minQuantity) + u" to "_s +
                   QString::number(s.maxQuantity) + u", prices "_s +
                   QString::number(s.minimum, 'f', 2) + u" to "_s +
                   QString::number(s.maximum, 'f', 2);
    if (s.regression) {
        text += u"; regression predicts "_s + QString::number(s.regression->predicted, 'f', 2) +
                u" (90%: "_s + QString::number(s.regression->lower90, 'f', 2) + u" to "_s +
                QString::number(s.regression->upper90, 'f', 2) + u")"_s;
    }
    return text;
}

void BidPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QRectF area = QRectF(rect()).adjusted(48, 12, -12, -32);
    painter.setPen(palette().text().color());
    if (!line_ || !line_->statistics) {
        painter.drawText(rect(), Qt::AlignCenter, summary());
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
    const LogScale x = scaleOf(quantities, area.left(), area.right());
    const LogScale y = scaleOf(prices, area.bottom(), area.top());
    // Axes with a mark at every power of ten.
    painter.drawRect(area);
    const QFontMetrics metrics(font());
    for (double e = x.low; e <= x.high; ++e) {
        const double px = x.at(std::pow(10, e));
        painter.drawLine(QPointF(px, area.bottom()), QPointF(px, area.bottom() + 4));
        painter.drawText(QRectF(px - 30, area.bottom() + 4, 60, metrics.height()), Qt::AlignHCenter,
                         QString::number(std::pow(10, e), 'g', 6));
    }
    for (double e = y.low; e <= y.high; ++e) {
        const double py = y.at(std::pow(10, e));
        painter.drawLine(QPointF(area.left() - 4, py), QPointF(area.left(), py));
        painter.drawText(QRectF(0, py - metrics.height() / 2.0, area.left() - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(std::pow(10, e), 'g', 6));
    }
    painter.drawText(
        QRectF(area.left(), area.bottom() + 4 + metrics.height(), area.width(), metrics.height()),
        Qt::AlignHCenter, u"Quantity ("_s + line_->item.units.trimmed() + u")"_s);
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
    if (project > 0) {
        painter.setPen(QPen(Qt::red, 1.5, Qt::DashLine));
        painter.drawLine(QPointF(x.at(project), area.top()), QPointF(x.at(project), area.bottom()));
    }
    painter.restore();
}

}  // namespace veskplan
