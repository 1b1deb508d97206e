#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

#include "master/mastergrid.h"
#include "master/unit.h"

namespace veskplan {

// The master item list side of a running program: the loaded list and its grid, the unit
// selector and the unit whose list is loaded, the revision caption, and the state of the
// searches. Rows are the grid model's rows, counted from 0; -1 means none.
class MasterSession {
public:
    MasterGrid& grid() { return grid_; }
    const MasterGrid& grid() const { return grid_; }
    const MasterList& list() const { return grid_.list(); }

    // The unit selector's position: 0 English, 1 Metric, -1 before the first load.
    int unitIndex() const { return unitIndex_; }
    void setUnitIndex(int index) { unitIndex_ = index; }
    // The unit whose list is loaded; nothing before the first load.
    std::optional<Unit> loadedUnit() const { return loadedUnit_; }
    void forgetLoadedUnit() { loadedUnit_.reset(); }
    void setLoadedUnit(Unit unit) { loadedUnit_ = unit; }

    // The date the loaded list was revised; null while no list could be read.
    const QDate& revisionDate() const { return revised_; }
    // "Revised " and the list's date; empty while no list could be read.
    QString revisionText() const;
    // The list's date as project files store it, the same on every machine.
    QString masterDate() const;
    // Whether the last load failed, leaving the list empty.
    bool loadFailed() const { return loadFailed_; }

    // Reads the list of `unit` from `masterDir` into the grid. On failure the list is empty and
    // an Error carries the message for the user.
    void load(Unit unit, const QString& masterDir, const QLocale& locale);

    // The description search position: the row last found or clicked, -1 for none.
    int searchPosition() const { return searchPosition_; }
    void setSearchPosition(int row) { searchPosition_ = row; }

    // The texts of the two search boxes, and the category tree's node clicked last.
    const QString& itemSearchText() const { return itemSearchText_; }
    void setItemSearchText(const QString& text) { itemSearchText_ = text; }
    const QString& descriptionSearchText() const { return descriptionSearchText_; }
    void setDescriptionSearchText(const QString& text) { descriptionSearchText_ = text; }
    const QString& chosenCat() const { return chosenCat_; }
    void setChosenCat(const QString& text) { chosenCat_ = text; }

private:
    MasterGrid grid_;
    int unitIndex_ = -1;
    std::optional<Unit> loadedUnit_;
    QDate revised_;
    QLocale locale_;
    bool loadFailed_ = false;
    int searchPosition_ = -1;
    QString itemSearchText_;
    QString descriptionSearchText_;
    QString chosenCat_;
};

}  // namespace veskplan
