#include "project/countylookup.h"

#include <QFile>
#include <cmath>

#include "base/numbertext.h"
#include "base/textcodec.h"

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
    QFile file(countyFile_);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    const QStringList lines = textcodec::decodeLines(file.readAll());
    return number <= lines.size() ? lines[number - 1] : QString();
}

}  // namespace veskplan
