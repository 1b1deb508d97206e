#pragma once

#include <QApplication>
#include <QFont>

namespace veskplan {

// The windows' font: "MS Sans Serif" 8.25 point, standing in with a metric-compatible sans
// where it is not installed.
inline void applyApplicationFont() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

}  // namespace veskplan
