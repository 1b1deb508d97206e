#include "estimate/comparisonworkbook.h"

#include "base/error.h"
#include "estimate/comparisonreport.h"
#include "estimate/estimate.h"
#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxwriter.h"
#include "project/projecttexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Style = XlsxWriter::Style;

// The shortest text that reads back as the very same number.
QString exactText(const std::optional<double>& value) {
    if (!value) {
        return QString();
    }
    const QString text = QString::number(*value, 'g', 15);
    return text.toDouble() == *value ? text : QString::number(*value, 'g', 17);
}

QString centsOrNothing(const std::optional<qint64>& cents) {
    return cents ? centsText(*cents) : QString();
}

}  // namespace

QByteArray comparisonWorkbook(const ComparisonReport& report, bool all) {
    const ProjectComparison& comparison = report.comparison();
    XlsxWriter sheet;
    sheet.addSheet(u"Comparison"_s, comparisonTitle());
    sheet.nextRow();
    sheet.text(1, comparisonTitle(), Style::Bold);
    sheet.nextRow();
    sheet.text(1, comparedProjectText(u"Old"_s, report.oldName(), report.oldTotals()));
    sheet.nextRow();
    sheet.text(1, comparedProjectText(u"New"_s, report.newName(), report.newTotals()));
    sheet.nextRow();
    sheet.text(1, comparisonBasis(comparison.comparesAmounts()));
    sheet.nextRow();
    sheet.nextRow();
    const QStringList headings = texts::comparisonCsvHeading().split(u',');
    for (int column = 0; column < headings.size(); ++column) {
        sheet.text(column + 1, headings[column], Style::Bold);
    }
    for (const ProjectComparison::Row* row : report.shownRows(all)) {
        sheet.nextRow();
        sheet.text(1, row->itemNumber);
        sheet.text(2, row->description);
        sheet.text(3, row->unit);
        sheet.text(4, row->oldCategory);
        sheet.text(5, row->newCategory);
        sheet.number(6, exactText(row->oldQuantity));
        sheet.number(7, exactText(row->newQuantity));
        sheet.number(8, centsOrNothing(row->oldCents), Style::Money);
        sheet.number(9, centsOrNothing(row->newCents), Style::Money);
        sheet.number(
            10,
            comparison.comparesAmounts() ? centsText(qint64(row->change)) : exactText(row->change),
            comparison.comparesAmounts() ? Style::Money : Style::Plain);
        sheet.text(11, texts::comparisonStatus(int(row->status)));
    }
    if (comparison.comparesAmounts()) {
        sheet.nextRow();
        const EstimateTotals& before = report.oldTotals();
        const EstimateTotals& after = report.newTotals();
        for (const auto& [label, oldCents, newCents] :
             {std::tuple(u"Items"_s, before.itemsCents, after.itemsCents),
              std::tuple(totalLabel(u"Mobilization"_s, before.mobilizationPercent,
                                    after.mobilizationPercent),
                         before.mobilizationCents, after.mobilizationCents),
              std::tuple(
                  totalLabel(u"Contingency"_s, before.contingencyPercent, after.contingencyPercent),
                  before.contingencyCents, after.contingencyCents),
              std::tuple(texts::comparisonTotal(), before.totalCents, after.totalCents)}) {
            sheet.nextRow();
            sheet.text(2, label, Style::Bold);
            sheet.number(8, centsText(oldCents), Style::Money);
            sheet.number(9, centsText(newCents), Style::Money);
            sheet.number(10, centsText(newCents - oldCents), Style::Money);
        }
    }
    try {
        return sheet.toBytes();
    } catch (const XlsxError& error) {
        throw Error(u"The comparison's workbook could not be made: "_s + error.reason());
    }
}

}  // namespace veskplan
