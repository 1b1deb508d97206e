#include "estimate/estimate.h"

#include <array>

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

QString fieldText(const QString& padded) {
    return withoutTrailingBlanks(padded).toString();
}

QString flagNames(unsigned flags, const QString& indexEnd) {
    const std::array<QString, 10> names{u"no price"_s,
                                        u"unit differs"_s,
                                        u"fewer than 3 contracts"_s,
                                        u"CV above 50%"_s,
                                        u"quantity outside history range"_s,
                                        u"lump sum"_s,
                                        u"major item"_s,
                                        u"no quantity"_s,
                                        u"index ends "_s + indexEnd,
                                        u"free-text item: no history of this description"_s};
    QStringList set;
    for (size_t bit = 0; bit < names.size(); ++bit) {
        if (flags & (1u << bit)) {
            set.append(names[bit]);
        }
    }
    return set.join(u';');
}

QString kindText(const EstimateLine& line) {
    if (!line.kind) {
        return QString();
    }
    QString text = priceKindName(*line.kind);
    if (!line.escalatedFrom.isEmpty()) {
        text += u", escalated "_s + line.escalatedFrom + u"\u2192"_s + line.escalatedTo;
    }
    return text;
}

QString centsText(qint64 cents) {
    const qint64 whole = cents < 0 ? -cents : cents;
    return (cents < 0 ? u"-"_s : QString()) + QString::number(whole / 100) + u'.' +
           QString::number(whole % 100).rightJustified(2, u'0');
}

}  // namespace veskplan
