#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>

// Dates as the files of this program hold them: one form, month/day/year, whatever the machine's
// language, so that a file means the same date on every machine that opens it.
namespace veskplan::filedate {

// "3/14/2026": month and day without leading zeros, a four-digit year. Empty for a null date.
QString toText(const QDate& date);

// Reads every form a file may hold: month/day/year with one- or two-digit month and day and a
// two- or four-digit year, the ISO form "2026-03-14", day.month.year, "14 Mar 2026", and what
// an older save wrote in `locale`'s short or long form. A text that fits month/day/year is read
// so even where the locale puts the day first. A null date when nothing fits.
QDate fromText(QStringView text, const QLocale& locale);

// Only the ISO form "2026-03-14", as the command line and the estimate's settings take a date;
// a null date for anything else.
QDate fromIso(QStringView text);

}  // namespace veskplan::filedate
