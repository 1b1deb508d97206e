#include "estimate/estimate.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

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

namespace {
// Wide enough for 17 digits times the cents of the largest price, as GCC and MinGW both build.
__extension__ typedef __int128 Wide;
}  // namespace

qint64 decimalProduct(double factor, qint64 cents, int shift) {
    if (!std::isfinite(factor)) {
        return 0;  // refused where prices and quantities are typed: nothing to price
    }
    char text[64];
    const auto written =
        std::to_chars(text, text + sizeof text, factor, std::chars_format::scientific);
    // d.ddddde[+-]x: the digits without the point, and the power of ten of the last one.
    const std::string_view form(text, size_t(written.ptr - text));
    const size_t e = form.find('e');
    std::string digits(form.substr(0, e));
    const bool negative = !digits.empty() && digits.front() == '-';
    digits.erase(
        std::remove_if(digits.begin(), digits.end(), [](char c) { return c == '-' || c == '.'; }),
        digits.end());
    const std::string power(form.substr(e + 1));
    int exponent = std::atoi(power.c_str()) - int(digits.size()) + 1 - shift;
    Wide value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    value *= cents;
    if (negative) {
        value = -value;
    }
    // Far outside what an estimate holds, the binary product is as good an answer.
    if (exponent > 6 || exponent < -30 || digits.size() > 17) {
        return std::llround(factor * double(cents) * std::pow(10.0, -shift));
    }
    for (; exponent > 0; --exponent) {
        value *= 10;
    }
    Wide divisor = 1;
    for (; exponent < 0; ++exponent) {
        divisor *= 10;
    }
    const Wide whole = value / divisor;
    const Wide rest = value % divisor;
    const Wide twice = rest < 0 ? -2 * rest : 2 * rest;
    return qint64(whole + (twice >= divisor ? (value < 0 ? -1 : 1) : 0));
}

}  // namespace veskplan
