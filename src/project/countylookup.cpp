#include "project/countylookup.h"

#include <cmath>

#include "base/boundedfile.h"
#include "base/numbertext.h"

namespace veskplan {

int CountyLookup::countyNumber(const QString& projectNumber) {
    const double value = std::fabs(numbertext::leadingValue(QStringView(projectNumber).right(2)));
    return static_cast<int>(value);
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
    const boundedfile::Lines read = boundedfile::readLines(countyFile_, number, 4096);
    return read.error.isEmpty() && number <= read.lines.size() ? read.lines[number - 1] : QString();
}

}  // namespace veskplan
