#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace veskplan::numbertext {

// The numeric value of the start of a text: leading blanks are skipped, reading stops at the
// first character that cannot continue a number, and a text without a number is 0. Used for
// category numbers and the county number ("01" is 1, "7)" is 7, "A3" is 0).
double leadingValue(QStringView text);

// The leading value taken as a whole number (truncated towards zero), or nothing when it does
// not fit an int ("1e10", an overflowing exponent).
std::optional<int> wholeNumber(QStringView text);

// Shortest decimal form: up to 15 significant digits, no trailing zeros, no point for whole
// numbers, no zero before the point between -1 and 1 (one half is ".5", minus one half "-.5").
// `decimalPoint` lets a caller use the locale's separator.
QString shortest(double value, QChar decimalPoint = u'.');

// `factor` times `whole`, divided by 10 to the power `shift`, rounded half away from zero as a
// calculator or a spreadsheet rounds the decimal numbers a user sees: 1.005 x 100 is 101, though
// 1.005 held in binary is a little less. The factor is taken by its 15 significant digits, as
// shortest() writes it. Used for amounts in cents: a quantity times a unit price in cents, a
// percentage (shift 2) of a sum in cents.
qint64 decimalProduct(double factor, qint64 whole, int shift = 0);

// "000000000.000": at least nine integer digits, three decimals, rounded; a minus sign in front
// of a negative value.
QString zeroPadded(double value);

// "####0.0": at least one integer digit, one decimal, rounded, no thousands separators.
QString oneDecimal(double value);

// Parses a typed quantity. Accepts the C form ("12.5") and the given locale's decimal separator
// ("12,5"), blanks around; anything else is not a number. Empty text is no quantity.
struct ParsedQuantity {
    bool valid = false;
    std::optional<double> value;  // empty for an empty text
};
ParsedQuantity parseQuantity(QStringView text, QChar localeDecimalPoint);

}  // namespace veskplan::numbertext
