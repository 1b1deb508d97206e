#include "estimate/estimatepdf.h"
#include "estimate/landscapepdf.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "base/filewriting.h"
#include "base/numbertext.h"
#include "estimate/estimatetexts.h"
#include "project/itemprice.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kColumns = 9;
// Where each column starts, in hundredths of the page width, whether it is right-aligned, and
// whether it may take more than one line: the price kind (which names its escalation) and the
// flags.
constexpr std::array<int, kColumns> kColumnStart{0, 9, 37, 41, 47, 53, 63, 71, 78};
constexpr std::array<bool, kColumns> kRightAligned{false, false, false, true, true,
                                                   false, true,  true,  false};
constexpr std::array<bool, kColumns> kWraps{false, false, false, false, false,
                                            true,  false, false, true};

struct Row {
    std::array<QString, kColumns> cells;
    bool bold = false;
    bool heading = false;  // one text across the page, in the first cell
};

Row itemRow(const EstimateLine& line, const QString& indexEnd) {
    const auto& s = line.statistics;
    return Row{{fieldText(line.item.itemNumber), fieldText(line.item.description),
                fieldText(line.item.units),
                line.item.quantity ? numbertext::shortest(*line.item.quantity) : QString(),
                line.unitPriceCents ? centsText(*line.unitPriceCents) : QString(), kindText(line),
                line.amountCents ? centsText(*line.amountCents) : QString(),
                s ? QString::number(s->bids) + u'/' + QString::number(s->contracts) : QString(),
                flagNames(line.flags, indexEnd).replace(u';', u"; "_s)}};
}

Row totalRow(const QString& name, qint64 cents) {
    Row row;
    row.cells[1] = name;
    row.cells[6] = centsText(cents);
    row.bold = true;
    return row;
}

Row headingRow(const QString& text) {
    Row row;
    row.cells[0] = text;
    row.bold = true;
    row.heading = true;
    return row;
}

std::vector<Row> rowsOf(const Estimate& estimate) {
    std::vector<Row> rows;
    const QString indexEnd = estimate.escalation ? estimate.escalation->lastQuarter : QString();
    rows.push_back(headingRow(u"Major items (80% of the items' total)"_s));
    for (const int position : estimate.majorFirst) {
        if (estimate.lines[position].has(EstimateFlag::MajorItem)) {
            rows.push_back(itemRow(estimate.lines[position], indexEnd));
        }
    }
    rows.push_back(Row());
    auto subtotal = estimate.subtotals.begin();
    for (size_t i = 0; i < estimate.lines.size(); ++i) {
        const EstimateLine& line = estimate.lines[i];
        if (i == 0 || estimate.lines[i - 1].item.cat != line.item.cat) {
            rows.push_back(headingRow(
                (u"Category "_s + line.item.cat + u' ' + line.categoryDescription).trimmed()));
        }
        rows.push_back(itemRow(line, indexEnd));
        if (i + 1 == estimate.lines.size() || estimate.lines[i + 1].item.cat != line.item.cat) {
            rows.push_back(totalRow(u"Subtotal "_s + subtotal->cat, subtotal->cents));
            ++subtotal;
        }
    }
    rows.push_back(Row());
    const auto percent = [](std::optional<double> p) {
        return p ? u" ("_s + numbertext::shortest(*p) + u"%)"_s : QString();
    };
    rows.push_back(totalRow(u"Items"_s, estimate.itemsCents));
    rows.push_back(totalRow(u"Mobilization"_s + percent(estimate.mobilizationPercent),
                            estimate.mobilizationCents));
    rows.push_back(totalRow(u"Contingency"_s + percent(estimate.contingencyPercent),
                            estimate.contingencyCents));
    rows.push_back(totalRow(u"Total"_s, estimate.totalCents));
    if (estimate.escalation) {
        Row basis;
        basis.cells[1] = u"Escalated by "_s + estimate.escalation->indexName + u" to "_s +
                         estimate.escalation->toQuarter;
        rows.push_back(basis);
    }
    return rows;
}

}  // namespace

QByteArray estimatePdf(const Estimate& estimate, const EstimateTitle& title) {
    LandscapePdf pdf(confidentialityMark());
    {
        QPdfWriter& writer = pdf.writer();
        QPainter& painter = pdf.painter();
        const QFont& font = pdf.font();
        const QFont& bold = pdf.bold();
        painter.setFont(font);
        const double lineHeight = pdf.lineHeight();
        const double width = writer.width();
        const int headingLines = 4;
        const double rowsHeight = writer.height() - (headingLines + 1) * lineHeight;
        const auto cellBox = [&](int c, double y, double height) {
            const double left = width * kColumnStart[c] / 100;
            const double right = c + 1 < kColumns ? width * kColumnStart[c + 1] / 100 : width;
            return QRectF(left, y, right - left - lineHeight / 3, height);
        };
        // The lines a row takes: its price kind and flags wrap within their columns, nothing is
        // cut.
        const auto linesOf = [&](const Row& row) {
            int lines = 1;
            for (int c = 0; c < kColumns; ++c) {
                if (kWraps[c]) {
                    const QRectF needed = QFontMetricsF(row.bold ? bold : font, &writer)
                                              .boundingRect(cellBox(c, 0, lineHeight),
                                                            Qt::TextWordWrap, row.cells[c]);
                    lines = std::max(lines, int(std::ceil(needed.height() / lineHeight - 0.01)));
                }
            }
            return lines;
        };
        const std::vector<Row> rows = rowsOf(estimate);
        std::vector<int> pageStarts{0};
        double used = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            const double height = linesOf(rows[r]) * lineHeight;
            if (used > 0 && used + height > rowsHeight) {
                pageStarts.push_back(int(r));
                used = 0;
            }
            used += height;
        }
        pageStarts.push_back(int(rows.size()));
        const int pages = int(pageStarts.size()) - 1;
        const Row columnHeadings{
            {u"Item Number"_s, u"Description"_s, u"Unit"_s, u"Quantity"_s, u"Unit Price"_s,
             u"Price Kind"_s, u"Amount"_s, u"Bids/Contr."_s, u"Flags"_s},
            true};
        // Draws a row at `y` and gives the height it took.
        const auto drawRow = [&](const Row& row, double y) {
            painter.setFont(row.bold ? bold : font);
            if (row.heading) {
                painter.drawText(QRectF(0, y, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                                 row.cells[0]);
                return lineHeight;
            }
            const double height = linesOf(row) * lineHeight;
            for (int c = 0; c < kColumns; ++c) {
                if (kWraps[c]) {
                    painter.drawText(cellBox(c, y, height),
                                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, row.cells[c]);
                    continue;
                }
                const QRectF box = cellBox(c, y, lineHeight);
                const QString text = painter.fontMetrics().elidedText(row.cells[c], Qt::ElideRight,
                                                                      int(box.width()));
                painter.drawText(
                    box, (kRightAligned[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                    text);
            }
            return height;
        };
        for (int page = 0; page < pages; ++page) {
            if (page > 0) {
                writer.newPage();
            }
            painter.setFont(bold);
            const QRectF top(0, 0, width, lineHeight);
            painter.drawText(top, Qt::AlignHCenter | Qt::AlignVCenter, confidentialityMark());
            painter.drawText(
                top, Qt::AlignRight | Qt::AlignVCenter,
                u"Page "_s + QString::number(page + 1) + u" of "_s + QString::number(pages));
            painter.setFont(font);
            painter.drawText(
                QRectF(0, lineHeight, width, lineHeight), Qt::AlignLeft,
                u"Engineer's estimate "_s + title.projectNumber + u"  "_s + title.projectName +
                    u"  "_s + title.estimateDate.toString(Qt::ISODate) + u"  "_s + title.designer);
            painter.drawText(QRectF(0, 2 * lineHeight, width, lineHeight), Qt::AlignLeft,
                             u"Computed prices: "_s + title.basis);
            drawRow(columnHeadings, 3 * lineHeight);
            // Below the rows, in the line kept free for it: what priced the estimate.
            painter.setFont(font);
            painter.drawText(QRectF(0, writer.height() - lineHeight, width, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, pricedFromText(estimate));
            double y = headingLines * lineHeight;
            for (int r = pageStarts[size_t(page)]; r < pageStarts[size_t(page) + 1]; ++r) {
                y += drawRow(rows[size_t(r)], y);
            }
        }
    }
    return pdf.bytes();
}

void writeEstimatePdf(const Estimate& estimate, const EstimateTitle& title, const QString& path) {
    writeFileAtomically(path, estimatePdf(estimate, title));
}

}  // namespace veskplan
