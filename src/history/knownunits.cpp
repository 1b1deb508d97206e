#include "history/knownunits.h"

#include <initializer_list>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The spellings of one unit, its usual one first, as master lists and bid exports write them.
using Spellings = std::initializer_list<const char16_t*>;
const std::initializer_list<Spellings> kSpellingTable = {
    {u"LF", u"LIN FT", u"LNFT", u"LIN FEET"},
    {u"EACH", u"EA"},
    {u"SY", u"SQ YD", u"SQYD"},
    {u"CY", u"CU YD", u"CUYD"},
    {u"TON", u"TONS"},
    {u"HR", u"HOUR", u"HOURS", u"HRS"},
    {u"LS", u"LUMP SUM", u"LUMP"},
    {u"LB", u"LBS"},
    {u"SF", u"SQ FT", u"SQFT"},
    {u"GAL", u"GALLON", u"GALLONS"},
    {u"ACRE", u"AC", u"ACRES"},
    {u"MGAL", u"MG"},
    {u"DAY", u"DAYS", u"DY", u"CAL DAY", u"WORK DAY"},
    {u"WEEK", u"WK", u"WEEKS"},
    {u"MO", u"MONTH", u"MONTHS", u"MON"},
    {u"STA", u"STATION", u"STATIONS"},
    {u"MI", u"MILE", u"MILES"},
    {u"M", u"METER", u"METRE"},
    {u"M2", u"SQ M"},
    {u"M3", u"CU M"},
    {u"T"},
    {u"KG"},
    {u"L"},
    {u"HA"},
    {u"KM"},
};

QString keyOf(QStringView text) {
    QString key = text.trimmed().toString().toUpper();
    key.remove(u'.');
    return key.simplified();
}

}  // namespace

KnownUnits::KnownUnits(const QStringList& listUnits) {
    for (const QString& unit : listUnits) {
        const QString spelling = unit.trimmed();
        if (!spelling.isEmpty()) {
            spellings_.insert(keyOf(spelling), spelling);
        }
    }
    // Another spelling of a unit the lists know is that unit; one they write themselves stays
    // their own.
    QHash<QString, QString> others;
    for (const Spellings& unit : kSpellingTable) {
        QString listed;
        for (const char16_t* spelling : unit) {
            listed = spellings_.value(QString::fromUtf16(spelling));
            if (!listed.isEmpty()) {
                break;
            }
        }
        for (const char16_t* spelling : unit) {
            if (!listed.isEmpty() && !spellings_.contains(QString::fromUtf16(spelling))) {
                others.insert(QString::fromUtf16(spelling), listed);
            }
        }
    }
    spellings_.insert(others);
}

const KnownUnits& KnownUnits::ofSpellingTable() {
    static const KnownUnits units([] {
        QStringList first;
        for (const Spellings& unit : kSpellingTable) {
            first.append(QString::fromUtf16(*unit.begin()));
        }
        return first;
    }());
    return units;
}

std::optional<QString> KnownUnits::spellingOf(QStringView text) const {
    const auto found = spellings_.constFind(keyOf(text));
    return found == spellings_.constEnd() ? std::nullopt : std::optional(*found);
}

QString KnownUnits::comparable(QStringView text) {
    return ofSpellingTable().spellingOf(text).value_or(keyOf(text));
}

}  // namespace veskplan
