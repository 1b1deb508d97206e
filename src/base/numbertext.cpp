#include "base/numbertext.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace veskplan::numbertext {
namespace {

using namespace Qt::Literals::StringLiterals;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A non-negative finite value as fifteen significant decimal digits and the position of the
// decimal point within them (the number of integer digits; zero or negative for values below
// one). Fifteen digits are all a double carries reliably, so 2.675 reads as 2.675, not
// 2.67499999... This is the decimal text the formatting rounds, as a person would.
struct DecimalDigits {
    std::string digits;
    int pointPosition = 0;
};

DecimalDigits decimalDigits(double magnitude) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);  // d.dddddddddddddde+XX
    DecimalDigits result;
    result.digits.push_back(buffer[0]);
    result.digits.append(buffer + 2, 14);
    result.pointPosition = std::atoi(buffer + 17) + 1;
    return result;
}

// Fixed-point text with `decimals` places, rounded half away from zero on the decimal digits.
QString fixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    DecimalDigits d = decimalDigits(std::fabs(value));
    std::string digits = std::move(d.digits);
    int point = d.pointPosition;
    if (point < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    const std::size_t keep = static_cast<std::size_t>(point + decimals);
    if (digits.size() < keep + 1) {
        digits.append(keep + 1 - digits.size(), '0');
    }
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        std::size_t i = keep;
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        } else {
            ++digits[i - 1];
        }
    }
    std::string integer = digits.substr(0, static_cast<std::size_t>(point));
    const std::size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
    std::string text = integer;
    if (decimals > 0) {
        text += '.' + digits.substr(static_cast<std::size_t>(point));
    }
    const bool isZero = text.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !isZero) {
        text.insert(text.begin(), '-');
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

double leadingValue(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    bool digits = false;
    while (i < n && isDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        return 0.0;
    }
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            ++j;
        }
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return text.sliced(start, i - start).toString().toDouble();
}

std::optional<int> wholeNumber(QStringView text) {
    const double value = std::trunc(leadingValue(text));
    if (!std::isfinite(value) || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

qint64 decimalProduct(double factor, qint64 whole, int shift) {
    if (!std::isfinite(factor) || factor == 0.0) {
        return 0;
    }
    // Fifteen digits times the cents of the largest price stay well inside 128 bits.
    __extension__ typedef __int128 Wide;
    const DecimalDigits d = decimalDigits(std::fabs(factor));
    Wide value = 0;
    for (const char digit : d.digits) {
        value = value * 10 + (digit - '0');
    }
    value *= whole;
    // factor = 0.digits x 10^point: the product's power of ten below its last digit.
    int exponent = d.pointPosition - int(d.digits.size()) - shift;
    if (exponent > 6 || exponent < -36) {
        // Far outside what an amount holds, the binary product is as good an answer.
        return std::llround(factor * double(whole) * std::pow(10.0, -shift));
    }
    for (; exponent > 0; --exponent) {
        value *= 10;
    }
    Wide divisor = 1;
    for (; exponent < 0; ++exponent) {
        divisor *= 10;
    }
    const Wide rest = value % divisor;
    const Wide twice = rest < 0 ? -2 * rest : 2 * rest;
    const qint64 magnitude =
        qint64(value / divisor + (twice >= divisor ? (value < 0 ? -1 : 1) : 0));
    return factor < 0 ? -magnitude : magnitude;
}

QString shortest(double value, QChar decimalPoint) {
    if (value == 0.0) {
        return u"0"_s;
    }
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    DecimalDigits d = decimalDigits(std::fabs(value));
    std::string digits = std::move(d.digits);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int point = d.pointPosition;
    const int count = static_cast<int>(digits.size());
    std::string text;
    if (point <= 0) {
        text = '.' + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= count) {
        text = digits + std::string(static_cast<std::size_t>(point - count), '0');
    } else {
        text = digits.substr(0, static_cast<std::size_t>(point)) + '.' +
               digits.substr(static_cast<std::size_t>(point));
    }
    if (value < 0) {
        text.insert(text.begin(), '-');
    }
    QString result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    if (decimalPoint != u'.') {
        result.replace(u'.', decimalPoint);
    }
    return result;
}

QString zeroPadded(double value) {
    QString text = fixed(value, 3);
    const bool negative = text.startsWith(u'-');
    if (negative) {
        text.remove(0, 1);
    }
    const qsizetype point = text.indexOf(u'.');
    if (point < 9) {
        text.prepend(QString(9 - point, u'0'));
    }
    return negative ? u'-' + text : text;
}

QString oneDecimal(double value) {
    return fixed(value, 1);
}

ParsedQuantity parseQuantity(QStringView text, QChar localeDecimalPoint) {
    const QString trimmed = text.trimmed().toString();
    if (trimmed.isEmpty()) {
        return ParsedQuantity{true, std::nullopt};
    }
    bool ok = false;
    double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok && localeDecimalPoint != u'.') {
        QString swapped = trimmed;
        swapped.replace(localeDecimalPoint, u'.');
        value = QLocale::c().toDouble(swapped, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return ParsedQuantity{};
    }
    return ParsedQuantity{true, value};
}

}  // namespace veskplan::numbertext
