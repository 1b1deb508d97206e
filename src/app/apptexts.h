#pragma once

#include <QString>
#include <QStringList>

// The words only the windows show.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

inline QString categoryCaption() {
    return u"Item Categories"_s;
}
inline QString projectCounts(int items, int categories) {
    return QString::number(items) + (items == 1 ? u" item in "_s : u" items in "_s) +
           QString::number(categories) + (categories == 1 ? u" category"_s : u" categories"_s);
}
// Buttons of the questions the windows ask.
inline QString recoverButton() {
    return u"Recover"_s;
}
inline QString discardButton() {
    return u"Discard"_s;
}
inline QString laterButton() {
    return u"Later"_s;
}
inline QString exportAnywayButton() {
    return u"Export Anyway"_s;
}
inline QString goBackButton() {
    return u"Go Back"_s;
}

// The estimate window. A button's caption carries its access key; its tooltip is also what
// screen readers say of it.
struct ButtonText {
    QString caption;
    QString tooltip;
};
inline QString estimateTitle() {
    return u"Engineer's Estimate"_s;
}
inline ButtonText historyFileButton() {
    return {u"&History File..."_s, u"Choose the bid history database"_s};
}
inline ButtonText priceFileButton() {
    return {u"&Add Price File..."_s,
            u"Add a published average unit-price file (CSV or workbook)"_s};
}
inline ButtonText costIndexButton() {
    return {u"Cost &Index..."_s,
            u"Choose the cost index that brings old bids to the estimate date"_s};
}
inline ButtonText applyPriceButton() {
    return {u"Apply &Computed Price"_s, u"Store the price the sources give the chosen item"_s};
}
inline ButtonText clearPriceButton() {
    return {u"C&lear Price"_s, u"Remove the chosen item's own price"_s};
}
inline ButtonText exportWorkbookButton() {
    return {u"Export &Workbook..."_s, u"Write the estimate and its evidence as a workbook"_s};
}
inline ButtonText exportPdfButton() {
    return {u"Export P&DF..."_s, u"Write the estimate as a PDF"_s};
}
inline ButtonText cancelReadingButton() {
    return {u"Cancel"_s, u"Stop reading the price sources; the estimate stays as it was"_s};
}
inline QString readingName() {
    return u"Reading the price sources"_s;
}
inline ButtonText closeEstimateButton() {
    return {u"Close"_s, u"Close the estimate window"_s};
}
// The names screen readers give the window's parts.
inline QString priceSourcesName() {
    return u"Price sources"_s;
}
inline QString estimateItemsName() {
    return u"Estimate items"_s;
}
inline QString estimateItemsTip() {
    return u"Type a unit price into the Unit Price column; an empty one clears it"_s;
}
inline QString regressionName() {
    return u"Regression"_s;
}
inline QString evidenceName() {
    return u"Evidence"_s;
}
inline QString totalsName() {
    return u"Totals"_s;
}
inline QString filterLabel() {
    return u"&Filter:"_s;
}
inline QString filterName() {
    return u"Filter"_s;
}
inline QString filterTip() {
    return u"Show the items whose number, description, kind or flags hold this text"_s;
}
// Mobilization and contingency, each a percentage of the items.
inline QString mobilizationLabel() {
    return u"&Mobilization:"_s;
}
inline QString mobilizationName() {
    return u"Mobilization"_s;
}
inline QString contingencyLabel() {
    return u"Co&ntingency:"_s;
}
inline QString contingencyName() {
    return u"Contingency"_s;
}
inline QString milestoneLabel() {
    return u"Milestone:"_s;
}
inline QString milestoneName() {
    return u"Milestone"_s;
}
inline QString milestoneTip() {
    return u"The plans' milestone: the contingency takes the agency's percentage for it unless "
           u"you type one"_s;
}
inline QString noMilestone() {
    return u"None"_s;
}
inline QString percentTip(const QString& name) {
    return name + u" as a percentage; none when 0"_s;
}
inline QString percentSuffix() {
    return u" %"_s;
}
inline QString noPercent() {
    return u"none"_s;
}
// The settings row: the letting window, the region, which bids and which price statistic.
inline QString letFromLabel() {
    return u"Let fr&om:"_s;
}
inline QString letFromName() {
    return u"Let from"_s;
}
inline QString letToLabel() {
    return u"&to:"_s;
}
inline QString letToName() {
    return u"Let to"_s;
}
inline QString estimateDateLabel() {
    return u"E&stimate date:"_s;
}
inline QString estimateDateName() {
    return u"Estimate date"_s;
}
inline QString regionLabel() {
    return u"&Region:"_s;
}
inline QString regionName() {
    return u"Region"_s;
}
inline QString regionTip() {
    return u"The region or district whose bids count; empty for every region"_s;
}
inline QString bidsLabel() {
    return u"&Bids:"_s;
}
inline QString bidsName() {
    return u"Bids"_s;
}
// In the order of BidSelection.
inline QStringList bidSelectionNames() {
    return {u"Low bid"_s, u"Three lowest"_s, u"All bids"_s};
}
inline QString statisticLabel() {
    return u"&Price:"_s;
}
inline QString statisticName() {
    return u"Price"_s;
}
// In the order of PriceStatistic.
inline QStringList priceStatisticNames() {
    return {u"Weighted average"_s, u"Median"_s, u"Quantity-adjusted"_s};
}
inline QString escalateCaption() {
    return u"&Escalate by the cost index"_s;
}
inline QString escalateName() {
    return u"Escalate by the cost index"_s;
}

// The review of quantities from take-off reports.
inline QString comparisonWindowTitle() {
    return u"Compare with Project"_s;
}
inline QString comparisonHeadingName() {
    return u"Projects compared"_s;
}
inline QString comparisonRowsName() {
    return u"Changes"_s;
}
inline QString comparisonRowsTip() {
    return u"Items added, removed or changed, those that move the total most first; a heading "
           u"sorts by its column"_s;
}
inline QString comparisonTotalsName() {
    return u"Totals of both projects"_s;
}
inline ButtonText saveComparisonButton() {
    return {u"&Save As..."_s, u"Save the comparison as CSV, a workbook or a PDF"_s};
}
inline ButtonText closeComparisonButton() {
    return {u"Close"_s, u"Close the comparison"_s};
}
inline QString takeoffReviewTitle() {
    return u"Review Quantities"_s;
}
inline QString reviewFilterLabel() {
    return u"&Find:"_s;
}
inline QString reviewStatusLabel() {
    return u"&Status:"_s;
}
inline QString reviewAllStatuses() {
    return u"All"_s;
}
inline QString reviewCategoryLabel() {
    return u"&Category for new items:"_s;
}
inline QString reviewTableName() {
    return u"Take-off review"_s;
}
inline QString reviewTableTip() {
    return u"Space accepts the chosen rows or gives them back"_s;
}
inline QString reviewPartsLabel() {
    return u"&Where the quantity comes from:"_s;
}
inline QString reviewPartsTip() {
    return u"The lines of the take-off files that make up the chosen row's quantity"_s;
}
inline QString reviewLastImportName() {
    return u"Last import"_s;
}
inline QString reviewSummary(int rows, int accepted, int waiting) {
    return QString::number(rows) + (rows == 1 ? u" row, "_s : u" rows, "_s) +
           QString::number(accepted) + u" accepted, "_s + QString::number(waiting) +
           (waiting == 1 ? u" waits"_s : u" wait"_s) + u" for a decision"_s;
}
inline ButtonText layoutButton() {
    return {u"&Layout..."_s, u"Read the take-off files through a layout of their headings"_s};
}
inline ButtonText roundingButton() {
    return {u"&Rounding Rules..."_s, u"Round the new quantities by the rules of a file"_s};
}
inline ButtonText acceptAllButton() {
    return {u"Accept &All"_s, u"Accept every row that needs no decision"_s};
}
inline ButtonText applyReviewButton() {
    return {u"A&pply"_s, u"Put the accepted rows into the project as one step"_s};
}
inline ButtonText closeReviewButton() {
    return {u"Close"_s, u"Close the review; nothing more changes"_s};
}

}  // namespace veskplan::texts
