#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "project/categorylist.h"
#include "project/headerfields.h"
#include "project/projectrecord.h"

// The rows a saved project file carries besides its items: two header rows and one row per
// category, all in category "00", with item numbers beginning "0000".
namespace veskplan::specialrows {

QString cat();                      // "00"
QString firstHeader();              // "0000-1000000": project number, designer, unit
QString secondHeader();             // "0000-2000000": master list date, letting month
QString categoryRow(int position);  // "0000-00000" + the position counted from 1, two digits

inline bool isSpecial(QStringView itemNumber) {
    return itemNumber.startsWith(u"0000");
}

// A project file's rows taken apart: the items, and what the special rows say.
struct ProjectContents {
    std::vector<ProjectRecord> items;  // in "PrimaryKey" order
    bool hadRows = false;              // the file held any row at all
    // The first header row: project number and designer (empty without the row), and the unit
    // when the row names English (0) or Metric (1).
    QString projNum;
    QString designer;
    std::optional<int> unitIndex;
    // The second header row, when present: the master list date and the letting month (-1 for
    // none).
    std::optional<QString> masterDate;
    std::optional<int> letMonth;
    // The category rows, each at the position its item number gives.
    CategoryList categories;
};

// Takes the special rows off the front of the rows in "PrimaryKey" order, as a binding of the
// grid reads and deletes them, and keeps the rest as items.
ProjectContents split(std::vector<ProjectRecord> rows);

// The special rows a save writes after the items.
std::vector<ProjectRecord> compose(const HeaderFields& header, int unitIndex,
                                   const QString& masterDate, const CategoryList& categories);

}  // namespace veskplan::specialrows
