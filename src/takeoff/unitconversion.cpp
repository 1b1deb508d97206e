#include "takeoff/unitconversion.h"

#include <QHash>
#include <array>

namespace veskplan::unitconversion {
namespace {

using namespace Qt::Literals::StringLiterals;

// Other spellings of the units, as CAD reports and spreadsheets write them.
const QHash<QString, QString>& aliases() {
    static const QHash<QString, QString> table = {
        {u"SQ FT"_s, u"SF"_s},    {u"SQFT"_s, u"SF"_s},    {u"FT2"_s, u"SF"_s},
        {u"FT²"_s, u"SF"_s},      {u"SQ YD"_s, u"SY"_s},   {u"SQYD"_s, u"SY"_s},
        {u"YD2"_s, u"SY"_s},      {u"YD²"_s, u"SY"_s},     {u"CU FT"_s, u"CF"_s},
        {u"CUFT"_s, u"CF"_s},     {u"FT3"_s, u"CF"_s},     {u"FT³"_s, u"CF"_s},
        {u"CU YD"_s, u"CY"_s},    {u"CUYD"_s, u"CY"_s},    {u"YD3"_s, u"CY"_s},
        {u"YD³"_s, u"CY"_s},      {u"LIN FT"_s, u"LF"_s},  {u"FEET"_s, u"FT"_s},
        {u"'"_s, u"FT"_s},        {u"EA"_s, u"EACH"_s},    {u"TONS"_s, u"TON"_s},
        {u"LBS"_s, u"LB"_s},      {u"GALLON"_s, u"GAL"_s}, {u"AC"_s, u"ACRE"_s},
        {u"LUMP SUM"_s, u"LS"_s}, {u"HOUR"_s, u"HR"_s},    {u"HRS"_s, u"HR"_s},
        {u"SQ M"_s, u"M2"_s},     {u"SM"_s, u"M2"_s},      {u"M²"_s, u"M2"_s},
        {u"CU M"_s, u"M3"_s},     {u"M³"_s, u"M3"_s},      {u"LIN M"_s, u"M"_s},
        {u"LM"_s, u"M"_s},        {u"TONNE"_s, u"T"_s},    {u"LITRE"_s, u"L"_s},
        {u"LITER"_s, u"L"_s},     {u"KGS"_s, u"KG"_s},
    };
    return table;
}

struct Conversion {
    const char16_t* from;
    const char16_t* to;
    Factor factor;
};

// Exact factors by definition: a yard is 3 feet, a ton 2,000 pounds, an acre 4,840 square
// yards, a hectare 10,000 square metres, a tonne 1,000 kilograms, a cubic metre 1,000 litres.
constexpr std::array<Conversion, 13> kConversions = {{
    {u"SF", u"SY", {1, 9}},
    {u"CF", u"CY", {1, 27}},
    {u"FT", u"LF", {1, 1}},
    {u"SY", u"ACRE", {1, 4840}},
    {u"SF", u"ACRE", {1, 43560}},
    {u"LB", u"TON", {1, 2000}},
    {u"GAL", u"MGAL", {1, 1000}},
    {u"M2", u"HA", {1, 10000}},
    {u"KG", u"T", {1, 1000}},
    {u"L", u"M3", {1, 1000}},
    {u"MM", u"M", {1, 1000}},
    {u"CM", u"M", {1, 100}},
    {u"KM", u"M", {1000, 1}},
}};

}  // namespace

QString canonical(QStringView unit) {
    QString text = unit.toString().simplified().toUpper();
    text.remove(u'.');
    const auto alias = aliases().constFind(text);
    return alias != aliases().cend() ? *alias : text;
}

double Factor::apply(double quantity) const {
    // Multiplied first and divided once, so that 900 / 9 is 100 and not a near neighbour.
    return quantity * double(numerator) / double(denominator);
}

std::optional<Factor> factor(QStringView from, QStringView to) {
    const QString a = canonical(from);
    const QString b = canonical(to);
    if (a == b) {
        return Factor{};
    }
    for (const Conversion& c : kConversions) {
        if (a == QStringView(c.from) && b == QStringView(c.to)) {
            return c.factor;
        }
        if (a == QStringView(c.to) && b == QStringView(c.from)) {
            return Factor{c.factor.denominator, c.factor.numerator};
        }
    }
    return std::nullopt;
}

}  // namespace veskplan::unitconversion
