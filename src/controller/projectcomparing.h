#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "controller/busyindicator.h"
#include "estimate/comparisonreport.h"
#include "estimate/comparisontablemodel.h"

namespace veskplan {

class FileDialogs;
class ProjectDocument;
class UserPort;

// File > Compare with Project: what changed from another project (the milestone before, as a
// rule) to the project as it stands, and the estimate's totals of both, each project's
// contingency that of its milestone unless it sets its own. The comparison is kept as made, so
// that what is saved is what was shown.
class ProjectComparing : public QObject {
    Q_OBJECT

public:
    // `scaleFile` is the agency's contingency by milestone.
    ProjectComparing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                     BusyIndicator& busy, QString scaleFile, QObject* parent = nullptr);

    // Asks for the other project and compares; false when the designer cancelled or the file
    // could not be read (told, naming it), and the comparison shown stays.
    bool compareWithChosenProject();
    bool compareWith(const QString& path);

    // The comparison made last, none before the first.
    const ComparisonReport* report() const { return report_ ? &*report_ : nullptr; }
    ComparisonTableModel& model() { return model_; }
    // What the window shows beside the rows: who is compared, and the totals of both.
    QString heading() const;
    QString totals() const;

    // Asks for a file, CSV, workbook or PDF by its name, and writes the comparison to it;
    // failures are told.
    void saveAs();

Q_SIGNALS:
    // A comparison was made: the window shows it.
    void compared();

private:
    ProjectDocument& document_;
    FileDialogs& dialogs_;
    UserPort& port_;
    BusyIndicator& busy_;
    QString scaleFile_;
    std::optional<ComparisonReport> report_;
    ComparisonTableModel model_;
};

}  // namespace veskplan
