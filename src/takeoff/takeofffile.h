#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "takeoff/takeofflayout.h"

namespace veskplan {

// One quantity line of a take-off report.
struct TakeoffLine {
    int line = 0;          // the file's line, or the sheet's row, it stands on
    QString itemNumber;    // as the file writes it, trimmed
    QString description;   // trimmed; may be empty
    double quantity = 0;   // never below zero
    QString unit;          // in its usual spelling (unitconversion::canonical)
    QString categoryText;  // the category column, else the sheet column; may be empty
    QString where;         // the sheet, station range and object the line measures, when given
};

// A take-off report read whole: a CSV file (its fields separated by commas, semicolons or tabs)
// or the first sheet of a workbook (.xlsx). Title lines may stand above the heading row; lines
// without an item number (subtotals, blank lines) are left out.
class TakeoffFile {
public:
    // Far above a detailed report of a large project (about 100 bytes a line).
    static constexpr qint64 kMaxBytes = 256LL * 1024 * 1024;
    static constexpr qsizetype kMaxLines = 2'000'000;
    // How many lines may stand above the heading row.
    static constexpr int kMaxTitleLines = 20;
    // The largest quantity taken; far below where doubles lose a thousandth.
    static constexpr double kMaxQuantity = 1e12;

    // Throws Error naming the file, the line and the reason: a file over the limits, one that
    // is no text or no workbook, no heading row, a heading twice, a quantity that is empty, no
    // number, below zero or out of range, a line without a unit.
    static TakeoffFile read(const QString& path, const TakeoffLayout& layout = {});

    // The heading row of a take-off, to ask which column is which when it is not recognised: the
    // row read() takes for it, else the first of the rows above the data with the most cells
    // holding text (titles hold fewer). Throws Error as read() does for a file that cannot be
    // read, holds no rows or has a heading twice.
    struct Heading {
        QString shownName;
        int line = 0;
        QStringList cells;
        bool recognised = false;  // the layout finds the item number and the quantity in it
    };
    static Heading heading(const QString& path, const TakeoffLayout& layout = {});

    // The SHA-256 of the file's bytes in lower-case hexadecimal, by which the project knows a
    // file it took before. Throws Error naming the file for one over kMaxBytes or unreadable.
    static QString contentHash(const QString& path);

    const QString& shownName() const { return shownName_; }
    const std::vector<TakeoffLine>& lines() const { return lines_; }

    // A quantity as reports write it: blanks around, thousands separated by commas ("1,250.5"),
    // a unit glued on ("12 CY", "900SF"). Where the list separator is a semicolon (`semicolons`)
    // the comma is the decimal point ("12,5", "1.250,5"), except before a point ("1,250.5"), and
    // a comma before exactly three digits is refused as unclear. Throws Error with the reason.
    struct Quantity {
        double value = 0;
        QString unit;  // the glued unit as written, empty when none
    };
    static Quantity parseQuantity(QStringView text, bool semicolons);

private:
    QString shownName_;
    std::vector<TakeoffLine> lines_;
};

}  // namespace veskplan
