#pragma once

#include <QString>
#include <QStringList>

namespace veskplan {

// The project's header fields: project number, designer and letting month.
struct HeaderFields {
    // The first header row of a project file holds the project number in 25 characters.
    static constexpr int kProjectNumberLength = 25;

    QString projNum;
    QString designer;
    int letMonth = -1;  // 0 January ... 11 December; -1 none chosen

    // "January" ... "December", in calendar order.
    static const QStringList& monthNames();
    // The chosen month's name, empty when none is chosen.
    QString letMonthText() const;
};

}  // namespace veskplan
