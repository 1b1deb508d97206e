#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "export/exportsupport.h"
#include "shell/projectrecord.h"

namespace veskplan {

struct Workspace;

// The Trns*Port import file: four header lines, then one line per record in the grid's order.
class TrnsportExport {
public:
    explicit TrnsportExport(Workspace& workspace) : ws_(workspace) {}

    // The Export menu's "Trns*Port".
    ExportOutcome mnuExpTrans_Click();

    // The parts of a project number such as "STP-12-B(7)03".
    struct ProjectNumberParts {
        bool wellFormed = false;  // two "-", a "(" after the first character, a ")" after it
        int county = 0;
        QString dash;     // between the first "-" and the next
        QString letter;   // the character before the first "("
        QString bracket;  // between the first "(" and the first ")"
    };
    static ProjectNumberParts parts(const QString& projectNumber);

    // "C03.R012B007" for "STP-12-B(7)03"; empty when the number lacks the expected form.
    static QString defaultFileName(const QString& projectNumber);

    static QByteArray render(const QString& projectNumber, const QString& county,
                             const QString& designer, const std::vector<ProjectRecord>& records);

private:
    Workspace& ws_;
};

}  // namespace veskplan
