#include "estimate/comparisonpdf.h"
#include "estimate/landscapepdf.h"

#include <QFontMetricsF>
#include <QPainter>
#include <array>

#include "base/numbertext.h"
#include "estimate/comparisonreport.h"
#include "estimate/estimate.h"
#include "project/projecttexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kColumns = 11;
// Where each column starts, in hundredths of the page width, and whether it is right-aligned.
constexpr std::array<int, kColumns> kColumnStart{0, 10, 35, 40, 46, 52, 60, 68, 77, 86, 94};
constexpr std::array<bool, kColumns> kRightAligned{false, false, false, false, false, true,
                                                   true,  true,  true,  true,  false};

struct Row {
    std::array<QString, kColumns> cells;
    bool bold = false;
};

QString quantityText(const std::optional<double>& quantity) {
    return quantity ? numbertext::shortest(*quantity) : QString();
}

QString centsOrNothing(const std::optional<qint64>& cents) {
    return cents ? centsText(*cents) : QString();
}

std::vector<Row> rowsOf(const ComparisonReport& report, bool all) {
    const ProjectComparison& comparison = report.comparison();
    std::vector<Row> rows;
    for (const ProjectComparison::Row* row : report.shownRows(all)) {
        rows.push_back(Row{{row->itemNumber, row->description, row->unit, row->oldCategory,
                            row->newCategory, quantityText(row->oldQuantity),
                            quantityText(row->newQuantity), centsOrNothing(row->oldCents),
                            centsOrNothing(row->newCents), comparisonChangeText(comparison, *row),
                            texts::comparisonStatus(int(row->status))}});
    }
    if (comparison.comparesAmounts()) {
        rows.push_back(Row());
        const EstimateTotals& before = report.oldTotals();
        const EstimateTotals& after = report.newTotals();
        const auto total = [&](const QString& label, qint64 oldCents, qint64 newCents) {
            Row row;
            row.cells[1] = label;
            row.cells[7] = centsText(oldCents);
            row.cells[8] = centsText(newCents);
            row.cells[9] = centsText(newCents - oldCents);
            row.bold = true;
            rows.push_back(row);
        };
        total(u"Items"_s, before.itemsCents, after.itemsCents);
        total(totalLabel(u"Mobilization"_s, before.mobilizationPercent, after.mobilizationPercent),
              before.mobilizationCents, after.mobilizationCents);
        total(totalLabel(u"Contingency"_s, before.contingencyPercent, after.contingencyPercent),
              before.contingencyCents, after.contingencyCents);
        total(texts::comparisonTotal(), before.totalCents, after.totalCents);
    }
    return rows;
}

}  // namespace

QByteArray comparisonPdf(const ComparisonReport& report, bool all) {
    LandscapePdf pdf(comparisonTitle());
    {
        QPdfWriter& writer = pdf.writer();
        QPainter& painter = pdf.painter();
        const QFont& font = pdf.font();
        const QFont& bold = pdf.bold();
        const double lineHeight = pdf.lineHeight();
        const double width = writer.width();
        const QStringList heading{
            comparedProjectText(u"Old"_s, report.oldName(), report.oldTotals()),
            comparedProjectText(u"New"_s, report.newName(), report.newTotals()),
            comparisonBasis(report.comparison().comparesAmounts())};
        const int headingLines = int(heading.size()) + 2;  // the title and the column headings
        const int perPage = std::max(1, int(writer.height() / lineHeight) - headingLines - 1);
        const std::vector<Row> rows = rowsOf(report, all);
        const int pages = std::max(1, int((rows.size() + size_t(perPage) - 1) / size_t(perPage)));
        Row columnHeadings;
        // The CSV's headings, the categories' cut short to fit their narrow columns.
        QStringList names = texts::comparisonCsvHeading().split(u',');
        names[3] = u"Old Cat."_s;
        names[4] = u"New Cat."_s;
        for (int c = 0; c < kColumns; ++c) {
            columnHeadings.cells[size_t(c)] = names[c];
        }
        columnHeadings.bold = true;
        const auto drawRow = [&](const Row& row, double y) {
            painter.setFont(row.bold ? bold : font);
            for (int c = 0; c < kColumns; ++c) {
                const double left = width * kColumnStart[size_t(c)] / 100;
                const double right =
                    c + 1 < kColumns ? width * kColumnStart[size_t(c) + 1] / 100 : width;
                const QRectF box(left, y, right - left - lineHeight / 3, lineHeight);
                // A total's name runs on over the columns that it leaves empty.
                const bool spills = c == 1 && row.cells[2].isEmpty() && row.cells[5].isEmpty();
                const QRectF drawn = spills ? box.adjusted(0, 0, width * 0.28, 0) : box;
                painter.drawText(
                    drawn,
                    (kRightAligned[size_t(c)] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                    painter.fontMetrics().elidedText(row.cells[size_t(c)], Qt::ElideRight,
                                                     int(drawn.width())));
            }
        };
        for (int page = 0; page < pages; ++page) {
            if (page > 0) {
                writer.newPage();
            }
            painter.setFont(bold);
            const QRectF top(0, 0, width, lineHeight);
            painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, comparisonTitle());
            painter.drawText(
                top, Qt::AlignRight | Qt::AlignVCenter,
                u"Page "_s + QString::number(page + 1) + u" of "_s + QString::number(pages));
            painter.setFont(font);
            for (int line = 0; line < heading.size(); ++line) {
                painter.drawText(QRectF(0, (line + 1) * lineHeight, width, lineHeight),
                                 Qt::AlignLeft | Qt::AlignVCenter, heading[line]);
            }
            drawRow(columnHeadings, (headingLines - 1) * lineHeight);
            double y = headingLines * lineHeight;
            const size_t end = std::min(rows.size(), size_t(page + 1) * size_t(perPage));
            for (size_t r = size_t(page) * size_t(perPage); r < end; ++r) {
                drawRow(rows[r], y);
                y += lineHeight;
            }
        }
    }
    return pdf.bytes();
}

}  // namespace veskplan
