#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include "estimate/estimate.h"
#include "project/estimatesetup.h"

// What the estimate window and the plot of an item's bids say, worked out from the estimate in
// the user's locale, so that the widgets only show it.
namespace veskplan {

// The number forms: prices and amounts with cents, quantities as short as they are exact, each
// grouped as the locale groups digits.
QString priceText(const QLocale& locale, double price);
QString amountText(const QLocale& locale, qint64 cents);
QString quantityText(const QLocale& locale, double quantity);

// The sources the prices come from in their order, then the cost index, each named by its kind
// and where it is, with the system's separators ("Bid history: ...; Prices: ...; Cost index:
// ..."), or that none is chosen.
QString sourcesText(const std::vector<EstimateSetup::Source>& sources, const QString& indexFile);

// Which price sources priced the estimate and as of when, as the window and the PDF's footer say
// it: "Priced from bids.db as of 2025-09-01; prices.csv"; empty without a source.
QString pricedFromText(const Estimate& estimate);

// The categories' subtotals, the items, mobilization, contingency and the total: as rich text
// with the total in bold, and plain for assistive tools.
struct TotalsText {
    QString rich;
    QString plain;
};
TotalsText totalsText(const Estimate& estimate, const QLocale& locale);

// The evidence behind the price of the estimate's line `line`, a text for each part: the item,
// how its price was made, its bids, the published average and its flags; without such a line,
// how to see them.
QStringList evidenceLines(const Estimate& estimate, int line, const QLocale& locale);

// What the plot of a line's bids tells beside its points: the regression's prediction for the
// project's quantity with its 90% interval, or why there is none; empty without bids.
QString regressionText(const EstimateLine& line, const QLocale& locale);
// What the plot shows, in words: the bids, their quantities and prices, and the regression.
QString plotSummary(const EstimateLine& line, const QLocale& locale);
// The plot as text for a reader who cannot see it: the summary, then each bid it marks, one a
// line (contract, letting date, quantity and unit price).
QString plotText(const EstimateLine& line, const QLocale& locale);

}  // namespace veskplan
