#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

#include "base/error.h"
#include "history/knownunits.h"

namespace veskplan {

// The fields of price and bid files read from their text. Each reader throws FieldError with
// the reason a field cannot be taken; the file reader adds the file and the line.
namespace fieldtext {

// The reason alone: the message a user reads once the file reader has named the file and line.
class FieldError : public Error {
public:
    explicit FieldError(const QString& reason) : Error(reason) {}
    const QString& reason() const { return message(); }
};

// The largest amount or quantity taken: far above any bid, far below where doubles lose cents.
constexpr double kMaxAmount = 1e12;

// How a comma in a number is taken.
enum class Comma {
    // It separates thousands ("1,234.50", "12,500"): so in a file separated by commas.
    Thousands,
    // It separates thousands only where a decimal point follows ("1,234.50"). Where the list
    // separator is a semicolon (or a spreadsheet saves text with tabs), the decimal separator
    // is often the comma, and "12,500" may be twelve and a half: such a number is an error.
    ThousandsBeforeAPoint,
};

// A number as files write it: blanks around, a leading "$", thousands separated by commas
// ("$1,234.50"). Empty text is an error naming `field`.
double amount(QStringView text, const QString& field, Comma comma = Comma::Thousands);
// The same, or nothing for empty text.
std::optional<double> optionalAmount(QStringView text, const QString& field,
                                     Comma comma = Comma::Thousands);
// ISO (2026-03-31, a time after it allowed) or M/d/yyyy; with `serialNumbers` also a
// spreadsheet's day number, as a workbook stores a date.
QDate date(QStringView text, bool serialNumbers);
// The unit as the master lists in use spell it ("EA" is their "EACH"); an error when they know
// no such unit.
QString unit(QStringView text, const KnownUnits& units);
// Yes/no in the forms exports use: Y, N, YES, NO, TRUE, FALSE, 1, 0, X; empty is no.
bool flag(QStringView text);
// A bidder's rank, 0 (unknown, also for empty text) to 1000.
int rank(QStringView text);
// A count of bids, nothing for empty text.
std::optional<int> count(QStringView text);

// The usual spelling of a unit of the spelling table, else the text trimmed and in capitals, so
// that units are compared the same way wherever they come from.
QString canonicalUnit(QStringView text);

}  // namespace fieldtext
}  // namespace veskplan
