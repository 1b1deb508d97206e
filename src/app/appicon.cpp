#include "app/appicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace veskplan {
namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 4, 4);
    // The road: wide at the bottom edge, narrowing towards the horizon.
    QPainterPath road;
    road.moveTo(6, 31);
    road.lineTo(14.5, 9);
    road.lineTo(17.5, 9);
    road.lineTo(26, 31);
    road.closeSubpath();
    painter.setBrush(QColor(96, 96, 104));
    painter.drawPath(road);
    // The centre line in three dashes.
    painter.setBrush(QColor(255, 204, 0));
    painter.drawPolygon(QPolygonF({{15.4, 26}, {16.6, 26}, {16.8, 31}, {15.2, 31}}));
    painter.drawPolygon(QPolygonF({{15.6, 18}, {16.4, 18}, {16.5, 22}, {15.5, 22}}));
    painter.drawPolygon(QPolygonF({{15.8, 11}, {16.2, 11}, {16.25, 14}, {15.75, 14}}));
    // A white tick of a finished list, top left.
    QPen tick(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(tick);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({{5, 6.5}, {7.5, 9}, {12, 3.5}}));
    return pixmap;
}

}  // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(drawIcon(size));
    }
    return icon;
}

}  // namespace veskplan
