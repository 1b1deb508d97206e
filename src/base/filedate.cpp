#include "base/filedate.h"

#include <QRegularExpression>

namespace veskplan::filedate {
namespace {

using namespace Qt::Literals::StringLiterals;

// A two-digit year is of this century: the files hold dates of master lists and projects.
int fullYear(int year, qsizetype digits) {
    return digits == 2 ? 2000 + year : year;
}

QDate numbered(const QString& text) {
    static const QRegularExpression monthFirst(u"^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})$"_s);
    static const QRegularExpression iso(u"^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"_s);
    static const QRegularExpression dayFirst(u"^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4}|\\d{2})$"_s);
    if (const auto m = monthFirst.match(text); m.hasMatch()) {
        return QDate(fullYear(m.captured(3).toInt(), m.capturedLength(3)), m.captured(1).toInt(),
                     m.captured(2).toInt());
    }
    if (const auto m = iso.match(text); m.hasMatch()) {
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    if (const auto m = dayFirst.match(text); m.hasMatch()) {
        return QDate(fullYear(m.captured(3).toInt(), m.capturedLength(3)), m.captured(2).toInt(),
                     m.captured(1).toInt());
    }
    return {};
}

QDate inLocale(const QString& text, const QLocale& locale, const QString& format) {
    QDate date = locale.toDate(text, format);
    // A two-digit year reads as one of the 1900s.
    if (date.isValid() && !format.contains(u"yyyy"_s) && date.year() < 2000) {
        date = date.addYears(100);
    }
    return date;
}

}  // namespace

QString toText(const QDate& date) {
    return date.isValid() ? QLocale::c().toString(date, u"M/d/yyyy"_s) : QString();
}

QDate fromText(QStringView text, const QLocale& locale) {
    const QString trimmed = text.trimmed().toString();
    // Longer than any form of a date: not worth trying.
    if (trimmed.isEmpty() || trimmed.size() > 64) {
        return {};
    }
    if (const QDate date = numbered(trimmed); date.isValid()) {
        return date;
    }
    for (const auto& [where, format] :
         {std::pair{QLocale::c(), u"d MMM yyyy"_s},
          std::pair{locale, locale.dateFormat(QLocale::ShortFormat)},
          std::pair{locale, locale.dateFormat(QLocale::LongFormat)}}) {
        if (const QDate date = inLocale(trimmed, where, format); date.isValid()) {
            return date;
        }
    }
    return {};
}

QDate fromIso(QStringView text) {
    return text.size() == 10 ? QDate::fromString(text.toString(), Qt::ISODate) : QDate();
}

}  // namespace veskplan::filedate
