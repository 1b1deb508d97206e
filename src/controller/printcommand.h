#pragma once

#include <QDate>
#include <QLocale>
#include <functional>

#include "controller/commandoutcome.h"
#include "print/quantitytable.h"

namespace veskplan {

class CountyLookup;
class ProjectDocument;
class UserPort;
class ViewRequests;
struct ProjectGridState;

// The "Print" button: the project's quantity table on the chosen printer.
class PrintCommand {
public:
    PrintCommand(ProjectDocument& document, ProjectGridState& grid, CountyLookup& county,
                 UserPort& port, ViewRequests& requests, QLocale locale,
                 std::function<QDate()> today)
        : document_(document),
          grid_(grid),
          county_(county),
          port_(port),
          requests_(requests),
          locale_(std::move(locale)),
          today_(std::move(today)) {}

    // Printer dialog, county lookup, the table in portrait (one or two categories) or landscape,
    // then the grid back in its working order and the closing message. Cancel in the dialog, or
    // a preview closed without printing, changes nothing and says nothing.
    CommandOutcome run();

private:
    // The table of the project as it stands, with this county name.
    QuantityTable table(const QString& countyName) const;

    ProjectDocument& document_;
    ProjectGridState& grid_;
    CountyLookup& county_;
    UserPort& port_;
    ViewRequests& requests_;
    QLocale locale_;
    std::function<QDate()> today_;
};

}  // namespace veskplan
