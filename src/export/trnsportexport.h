#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

// The Trns*Port import file: four header lines, then one line per record in the order given.
class TrnsportExport {
public:
    // "C03.R012B007" for "STP-12-B(7)03"; empty when the number lacks the expected form.
    static QString defaultFileName(const QString& projectNumber);

    static QByteArray render(const QString& projectNumber, const QString& county,
                             const QString& designer, const std::vector<ProjectRecord>& records);
};

}  // namespace veskplan
