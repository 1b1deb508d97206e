#include "estimate/estimatetexts.h"

#include <QDir>

#include "history/bidstatistics.h"
#include "history/pricesourcekind.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

QString priceText(const QLocale& locale, double price) {
    return locale.toString(price, 'f', 2);
}

QString amountText(const QLocale& locale, qint64 cents) {
    return priceText(locale, double(cents) / 100);
}

QString quantityText(const QLocale& locale, double quantity) {
    return locale.toString(quantity, 'f', QLocale::FloatingPointShortest);
}

QString sourcesText(const std::vector<EstimateSetup::Source>& sources, const QString& indexFile) {
    QStringList files;
    for (const EstimateSetup::Source& source : sources) {
        const PriceSourceKind* kind = priceSourceKind(source.kind, source.location);
        // A server's address is no path: its slashes stay.
        const bool file = !kind || !kind->fileFilter.isEmpty();
        files.append((kind ? kind->label : source.kind) + u": "_s +
                     (file ? QDir::toNativeSeparators(source.location) : source.location));
    }
    if (!indexFile.isEmpty()) {
        files.append(u"Cost index: "_s + QDir::toNativeSeparators(indexFile));
    }
    return files.isEmpty() ? u"No bid history or price file is chosen."_s : files.join(u"; "_s);
}

QString pricedFromText(const Estimate& estimate) {
    QStringList sources;
    for (const PricedFrom& source : estimate.pricedFrom) {
        sources.append(source.source + (source.asOf.isValid()
                                            ? u" as of "_s + source.asOf.toString(Qt::ISODate)
                                            : QString()));
    }
    return sources.isEmpty() ? QString() : u"Priced from "_s + sources.join(u"; "_s);
}

TotalsText totalsText(const Estimate& e, const QLocale& locale) {
    // Built as plain words, which the rich form escapes: a screen reader reads "&", not "&amp;".
    QStringList parts;
    for (const CategorySubtotal& subtotal : e.subtotals) {
        parts.append((subtotal.cat + u' ' + subtotal.description).trimmed() + u": "_s +
                     amountText(locale, subtotal.cents));
    }
    parts.append(u"Items: "_s + amountText(locale, e.itemsCents));
    parts.append(u"Mobilization: "_s + amountText(locale, e.mobilizationCents));
    parts.append(u"Contingency: "_s + amountText(locale, e.contingencyCents));
    const QString total = u"Total: "_s + amountText(locale, e.totalCents);
    QStringList rich;
    for (const QString& part : parts) {
        rich.append(part.toHtmlEscaped());
    }
    rich.append(u"<b>"_s + total.toHtmlEscaped() + u"</b>"_s);
    return {rich.join(u" &nbsp;|&nbsp; "_s), (parts + QStringList{total}).join(u"; "_s)};
}

QStringList evidenceLines(const Estimate& e, int line, const QLocale& here) {
    if (line < 0 || line >= int(e.lines.size())) {
        return {u"Choose an item to see the evidence behind its price."_s};
    }
    const EstimateLine& chosen = e.lines[size_t(line)];
    QStringList lines{chosen.item.itemNumber.trimmed() + u"  "_s +
                      chosen.item.description.trimmed()};
    if (chosen.kind) {
        lines.append(kindText(chosen) + u": "_s + priceText(here, chosen.unitPrice.value_or(0)) +
                     u" per "_s + chosen.priceUnit.trimmed() +
                     (chosen.note.isEmpty() ? QString() : u" ("_s + chosen.note + u')'));
    }
    if (!chosen.source.isEmpty()) {
        lines.append(u"Priced from "_s + chosen.source);
    }
    if (const auto& s = chosen.statistics) {
        lines.append(u"Bids: "_s + here.toString(s->bids) + u" in "_s +
                     here.toString(s->contracts) + u" contracts; weighted average "_s +
                     priceText(here, s->weightedAverage) + u", median "_s +
                     priceText(here, s->median) +
                     (s->coefficientOfVariation
                          ? u", CV "_s + here.toString(*s->coefficientOfVariation * 100, 'f', 0) +
                                here.percent()
                          : QString()));
    }
    if (const auto& p = chosen.published) {
        lines.append(u"Published average "_s + priceText(here, p->averagePrice) + u" ("_s +
                     (p->region.isEmpty() ? u"statewide"_s : p->region) + u')');
    }
    if (chosen.flags) {
        const QString indexEnd = e.escalation ? e.escalation->lastQuarter : QString();
        lines.append(u"Flags: "_s + flagNames(chosen.flags, indexEnd).replace(u';', u", "_s));
    }
    return lines;
}

QString regressionText(const EstimateLine& line, const QLocale& here) {
    if (!line.statistics) {
        return QString();
    }
    const ItemStatistics& s = *line.statistics;
    if (const auto& r = s.regression) {
        return u"Predicted "_s + priceText(here, r->predicted) + u" (90%: "_s +
               priceText(here, r->lower90) + u" to "_s + priceText(here, r->upper90) + u") at "_s +
               quantityText(here, line.item.quantity.value_or(0)) + u' ' +
               line.item.units.trimmed();
    }
    if (s.contracts < kRegressionContracts) {
        return u"Fewer than 8 contracts: no regression"_s;
    }
    if (line.item.quantity.value_or(0) <= 0) {
        return u"No project quantity: no regression"_s;
    }
    return u"Every bid is for one quantity: no regression"_s;
}

QString plotSummary(const EstimateLine& line, const QLocale& here) {
    if (!line.statistics) {
        return u"No bids in the window for this item."_s;
    }
    const ItemStatistics& s = *line.statistics;
    return here.toString(s.bids) + u" bids of "_s + here.toString(s.contracts) +
           u" contracts, quantities "_s + quantityText(here, s.minQuantity) + u" to "_s +
           quantityText(here, s.maxQuantity) + u", prices "_s + priceText(here, s.minimum) +
           u" to "_s + priceText(here, s.maximum) + u"; "_s + regressionText(line, here);
}

QString plotText(const EstimateLine& line, const QLocale& here) {
    QStringList lines{plotSummary(line, here)};
    if (line.statistics) {
        for (const BidRecord& bid : line.statistics->bidsUsed) {
            lines << bid.contract + u", let "_s +
                         here.toString(bid.lettingDate, QLocale::ShortFormat) + u": "_s +
                         quantityText(here, bid.quantity) + u' ' + bid.unit.trimmed() + u" at "_s +
                         priceText(here, bid.unitPrice);
        }
    }
    return lines.join(u'\n');
}

}  // namespace veskplan
