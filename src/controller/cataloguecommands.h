#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "controller/cataloguereport.h"
#include "master/itemmapping.h"

namespace veskplan {

class FileDialogs;
class MasterSession;
class ProjectDocument;
class ProjectEditing;
class SettingsStore;
class UserPort;
class ViewRequests;

// The check of the project against the loaded master list (and the agency's item-mapping file,
// chosen once and kept in the program's own settings): the comparison, the replacements the
// designer takes over, each taking over one undoable step, and the report saved or printed.
class CatalogueCommands : public QObject {
    Q_OBJECT

public:
    CatalogueCommands(ProjectDocument& document, const MasterSession& master,
                      ProjectEditing& editing, SettingsStore& settings, FileDialogs& dialogs,
                      UserPort& port, ViewRequests& requests, QObject* parent = nullptr);

    CatalogueReport& report() { return report_; }
    const CatalogueReport& report() const { return report_; }

    // Edit > "Check Against Master List": compares and shows the report, or says that the list
    // has nothing to report.
    void check();
    // After an Open whose revision check ran: compares, and shows the report when the list
    // retired, re-measured or re-described an item.
    void checkAfterOpen();
    // Compares the project with the list again.
    void compare();

    // The mapping file and what was wrong with it.
    QString mappingFile() const;
    QStringList mappingProblems() const;
    // Asks for the mapping file, keeps it, compares again.
    void chooseMappingFile();

    // Takes over the replacement of the shown row (a guess only once the designer confirms it),
    // or of every finding the list or the mapping file decides (a retired item's successor in
    // the mapping file, a changed unit or description; guesses stay), as one undoable step.
    // Items that cannot take it (the category holds the new number already) are told, the rest
    // replaced; an item whose unit changes has its quantity marked for review.
    void replace(int row);
    void replaceAll();

    // Makes the item a shown row reports the project grid's current item.
    void goToItem(int row);
    // The project grid's row of the item a shown row reports, -1 when it is gone.
    int projectRowOf(int row) const;

    // The report as CSV, asked for a file name; as text on the chosen printer.
    void saveCsv();
    void print();

Q_SIGNALS:
    // The findings and their counts are new.
    void reportChanged();
    // The mapping file or what was wrong with it changed.
    void mappingChanged();
    // Shows the report window; returns when it is closed.
    void windowRequested();

private:
    void takeOver(const std::vector<const cataloguecheck::Finding*>& chosen);

    ProjectDocument& document_;
    const MasterSession& master_;
    ProjectEditing& editing_;
    SettingsStore& settings_;
    FileDialogs& dialogs_;
    UserPort& port_;
    ViewRequests& requests_;
    ItemMapping mapping_;                     // none while no usable file is chosen
    std::optional<QString> mappingUnusable_;  // why the chosen file cannot be used
    CatalogueReport report_;
};

}  // namespace veskplan
