#pragma once

#include <QWidget>
#include <optional>

#include "estimate/estimate.h"

namespace veskplan {

// The bids behind an item's price, unit price against quantity on log scales, with the
// regression line and its 90% prediction interval, and the project's quantity marked. Its
// numbers are written in the widget's locale.
class BidPlot : public QWidget {
    Q_OBJECT

public:
    explicit BidPlot(QWidget* parent = nullptr);

    // Shows the line's evidence; none clears the plot.
    void showLine(const EstimateLine* line);
    // What the plot shows, as text (its accessible description, and what Ctrl+C copies): the
    // summary and each bid; empty without an item.
    QString text() const;

    QSize sizeHint() const override { return {360, 260}; }

    // The colour of the project's own quantity: the palette's link colour, made lighter on a dark
    // background (darker on a light one) until it stands out by the 3:1 a chart's marks need;
    // some dark palettes keep a link blue that their background swallows.
    static QColor projectMarkColor(const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void describe();

    std::optional<EstimateLine> line_;
};

}  // namespace veskplan
