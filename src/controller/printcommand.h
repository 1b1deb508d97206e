#pragma once

#include <QDate>
#include <QLocale>
#include <functional>

#include "controller/commandoutcome.h"
#include "print/quantitytable.h"

namespace veskplan {

class CountyLookup;
class FileDialogs;
class PrintTarget;
class ProjectDocument;
class SettingsStore;
class UserPort;
class ViewRequests;
class ProjectGridState;

// The "Print" button: the project's quantity table on the printer, or in a PDF file.
class PrintCommand {
public:
    // `settings` keep the folder the last PDF went to.
    PrintCommand(ProjectDocument& document, ProjectGridState& grid, CountyLookup& county,
                 FileDialogs& dialogs, UserPort& port, ViewRequests& requests,
                 SettingsStore& settings, QLocale locale, std::function<QDate()> today)
        : document_(document),
          grid_(grid),
          county_(county),
          dialogs_(dialogs),
          port_(port),
          requests_(requests),
          settings_(settings),
          locale_(std::move(locale)),
          today_(std::move(today)) {}

    // Printer dialog, county lookup, the table in portrait (one or two categories) or landscape,
    // then the grid back in its working order and the closing message. Cancel in the dialog, or
    // a preview closed without printing, changes nothing and says nothing.
    CommandOutcome run();
    // File > "Export Quantity Table as PDF...": the same pages, on the locale's paper, in a file
    // asked for in the folder the last one went to.
    CommandOutcome exportPdf();

private:
    // The table of the project as it stands, with this county name.
    QuantityTable table(const QString& countyName) const;
    // Prints the table on `target`: the county is kept and the grid back in its working order
    // once the pages are out. False when the user stopped before anything was printed.
    bool printOn(PrintTarget& target);

    ProjectDocument& document_;
    ProjectGridState& grid_;
    CountyLookup& county_;
    FileDialogs& dialogs_;
    UserPort& port_;
    ViewRequests& requests_;
    SettingsStore& settings_;
    QLocale locale_;
    std::function<QDate()> today_;
};

}  // namespace veskplan
