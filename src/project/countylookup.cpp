#include "project/countylookup.h"

#include <cmath>

#include "base/boundedfile.h"
#include "base/numbertext.h"

namespace veskplan {

int CountyLookup::countyNumber(const QString& projectNumber) {
    const double value = std::fabs(numbertext::leadingValue(QStringView(projectNumber).right(2)));
    return static_cast<int>(value);
}

CountyLookup::ProjectNumberParts CountyLookup::parts(const QString& number) {
    ProjectNumberParts parts;
    parts.county = countyNumber(number);
    const qsizetype firstDash = number.indexOf(u'-');
    const qsizetype secondDash = firstDash < 0 ? -1 : number.indexOf(u'-', firstDash + 1);
    const qsizetype open = number.indexOf(u'(');
    const qsizetype close = open < 0 ? -1 : number.indexOf(u')', open + 1);
    parts.wellFormed = secondDash > firstDash && firstDash >= 0 && open > 0 && close > open;
    if (!parts.wellFormed) {
        return parts;
    }
    parts.dash = number.mid(firstDash + 1, secondDash - firstDash - 1);
    parts.letter = number.mid(open - 1, 1);
    parts.bracket = number.mid(open + 1, close - open - 1);
    return parts;
}

QString CountyLookup::lookUp(const QString& projectNumber) const {
    if (projectNumber.isEmpty()) {
        return name_;
    }
    const int number = countyNumber(projectNumber);
    if (number == 0) {
        return name_;
    }
    // Read up to the line needed; a county name is a short line.
    // A county file that cannot be read leaves the name blank, as a short one does.
    try {
        const QStringList lines = boundedfile::readLines(countyFile_, number, 4096);
        return number <= lines.size() ? lines[number - 1] : QString();
    } catch (const Error&) {
        return QString();
    }
}

}  // namespace veskplan
