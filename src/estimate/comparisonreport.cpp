#include "estimate/comparisonreport.h"

#include <QFileInfo>

#include "base/filewriting.h"
#include "base/numbertext.h"
#include "estimate/comparisonpdf.h"
#include "estimate/comparisonworkbook.h"
#include "estimate/estimate.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

EstimateTotals totalsOf(const ProjectPrices& kept, qint64 itemsCents,
                        const ContingencyScale& scale) {
    const ProjectPrices prices = scale.applyTo(kept);
    const auto percentOf = [](qint64 cents, std::optional<double> percent) {
        return percent ? numbertext::decimalProduct(*percent, cents, 2) : 0;
    };
    EstimateTotals totals;
    totals.milestone = prices.milestone();
    totals.itemsCents = itemsCents;
    totals.mobilizationPercent = prices.mobilizationPercent();
    totals.mobilizationCents = percentOf(itemsCents, totals.mobilizationPercent);
    totals.contingencyPercent = prices.contingencyPercent();
    totals.contingencyCents =
        percentOf(itemsCents + totals.mobilizationCents, totals.contingencyPercent);
    totals.totalCents = itemsCents + totals.mobilizationCents + totals.contingencyCents;
    return totals;
}

}  // namespace

ComparisonReport ComparisonReport::compare(const Project& before, const Project& after,
                                           const ContingencyScale& scale) {
    ComparisonReport report;
    report.comparison_ =
        ProjectComparison::compare(before.items, before.prices, after.items, after.prices);
    report.oldName_ = before.name;
    report.newName_ = after.name;
    qint64 oldCents = 0;
    qint64 newCents = 0;
    for (const ProjectComparison::Row& row : report.comparison_.rows()) {
        oldCents += row.oldCents.value_or(0);
        newCents += row.newCents.value_or(0);
    }
    report.oldTotals_ = totalsOf(before.prices, oldCents, scale);
    report.newTotals_ = totalsOf(after.prices, newCents, scale);
    return report;
}

std::vector<const ProjectComparison::Row*> ComparisonReport::shownRows(bool all) const {
    std::vector<const ProjectComparison::Row*> shown;
    for (const ProjectComparison::Row& row : comparison_.rows()) {
        if (all || row.status != ProjectComparison::Status::Same) {
            shown.push_back(&row);
        }
    }
    return shown;
}

std::optional<ComparisonReport::Format> ComparisonReport::formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv"_s) {
        return Format::Csv;
    }
    if (suffix == u"xlsx"_s) {
        return Format::Workbook;
    }
    if (suffix == u"pdf"_s) {
        return Format::Pdf;
    }
    return std::nullopt;
}

QByteArray ComparisonReport::bytes(Format format, bool all) const {
    switch (format) {
        case Format::Workbook:
            return comparisonWorkbook(*this, all);
        case Format::Pdf:
            return comparisonPdf(*this, all);
        case Format::Csv:
            break;
    }
    return comparison_.toCsv(all);
}

void ComparisonReport::write(const QString& path, Format format, bool all) const {
    writeFileAtomically(path, bytes(format, all));
}

QString comparisonChangeText(const ProjectComparison& comparison,
                             const ProjectComparison::Row& row) {
    return comparison.comparesAmounts() ? centsText(qint64(row.change))
                                        : numbertext::shortest(row.change);
}

QString comparedProjectText(const QString& which, const QString& name,
                            const EstimateTotals& totals) {
    return which + u": "_s + name +
           (totals.milestone ? u", "_s + milestone::name(*totals.milestone) + u" milestone"_s
                             : QString());
}

QString totalLabel(const QString& what, const std::optional<double>& before,
                   const std::optional<double>& after) {
    if (!before && !after) {
        return what;
    }
    if (before == after) {
        return what + u" ("_s + percentText(before) + u')';
    }
    const QString none = u"none"_s;
    return what + u" ("_s + (before ? percentText(before) : none) + u" \u2192 "_s +
           (after ? percentText(after) : none) + u')';
}

QString comparisonTitle() {
    return u"Project comparison"_s;
}

QString comparisonBasis(bool amounts) {
    return amounts ? u"Amounts: each project's quantities times its own unit prices; the largest "
                     u"changes first."_s
                   : u"Quantities: neither project carries prices; the largest changes first."_s;
}

QString percentText(const std::optional<double>& percent) {
    return percent ? numbertext::shortest(*percent) + u'%' : QString();
}

}  // namespace veskplan
