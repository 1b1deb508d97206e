#include "estimate/estimatecsv.h"

#include "base/csv.h"
#include "base/numbertext.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

QString percentText(std::optional<double> percent) {
    return percent ? u" ("_s + numbertext::shortest(*percent) + u"%)"_s : QString();
}

}  // namespace

QByteArray estimateCsv(const Estimate& estimate) {
    QByteArray out;
    csv::appendRecord(
        out,
        {u"Item Number"_s, u"Category"_s, u"Description"_s, u"Unit"_s, u"Quantity"_s,
         u"Unit Price"_s, u"Price Kind"_s, u"Amount"_s, u"Bids"_s, u"Contracts"_s, u"Flags"_s},
        csv::LineEnd::CrLf);
    const QString indexEnd = estimate.escalation ? estimate.escalation->lastQuarter : QString();
    for (const EstimateLine& line : estimate.lines) {
        const ProjectRecord& item = line.item;
        const auto& s = line.statistics;
        csv::appendRecord(
            out,
            {fieldText(item.itemNumber), item.cat, fieldText(item.description),
             fieldText(item.units),
             item.quantity ? numbertext::shortest(*item.quantity) : QString(),
             line.unitPriceCents ? centsText(*line.unitPriceCents) : QString(), kindText(line),
             line.amountCents ? centsText(*line.amountCents) : QString(),
             s ? QString::number(s->bids) : QString(),
             s ? QString::number(s->contracts) : QString(), flagNames(line.flags, indexEnd)},
            csv::LineEnd::CrLf);
    }
    const auto total = [&out](const QString& cat, const QString& description, qint64 cents) {
        csv::appendRecord(out,
                          {QString(), cat, description, QString(), QString(), QString(), QString(),
                           centsText(cents), QString(), QString(), QString()},
                          csv::LineEnd::CrLf);
    };
    for (const CategorySubtotal& subtotal : estimate.subtotals) {
        total(subtotal.cat, (u"Subtotal "_s + subtotal.cat + u' ' + subtotal.description).trimmed(),
              subtotal.cents);
    }
    total(QString(), u"Mobilization"_s + percentText(estimate.mobilizationPercent),
          estimate.mobilizationCents);
    total(QString(), u"Contingency"_s + percentText(estimate.contingencyPercent),
          estimate.contingencyCents);
    total(QString(), u"Total"_s, estimate.totalCents);
    if (estimate.escalation) {
        csv::appendRecord(
            out,
            {u"Escalated by"_s, estimate.escalation->indexName, estimate.escalation->toQuarter},
            csv::LineEnd::CrLf);
    }
    for (const PricedFrom& source : estimate.pricedFrom) {
        csv::appendRecord(out, {u"Priced from"_s, source.source, source.asOf.toString(Qt::ISODate)},
                          csv::LineEnd::CrLf);
    }
    return out;
}

}  // namespace veskplan
