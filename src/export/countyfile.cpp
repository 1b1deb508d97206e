#include "export/countyfile.h"

#include <QFile>
#include <cmath>

#include "shell/numbertext.h"
#include "shell/textcodec.h"

namespace veskplan::countyfile {

int countyNumber(const QString& projectNumber) {
    const double value = std::fabs(numbertext::leadingValue(QStringView(projectNumber).right(2)));
    return static_cast<int>(value);
}

QString lookUp(const QString& countyFilePath, const QString& projectNumber,
               const QString& previous) {
    if (projectNumber.isEmpty()) {
        return previous;
    }
    const int number = countyNumber(projectNumber);
    if (number == 0) {
        return previous;
    }
    QFile file(countyFilePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    const QStringList lines = textcodec::decodeLines(file.readAll());
    return number <= lines.size() ? lines[number - 1] : QString();
}

}  // namespace veskplan::countyfile
