#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>

namespace veskplan {

// Rewrites the references inside formula text as stored in a workbook (no leading "="):
// cell formulas, defined names, validation and formatting rules. The text is split into
// tokens first, so string literals, error values, function names, structured references and
// external-workbook prefixes are never mistaken for references.
class XlsxFormula {
public:
    // Sheet name (lower case, as sheet names compare without case) -> the new name, or
    // std::nullopt when the sheet is gone and references to it become #REF!.
    using SheetMap = QHash<QString, std::optional<QString>>;

    // Renames the sheet prefixes of references: 'Old Name'!A1 -> New!A1; a reference to a
    // removed sheet becomes #REF!A1, as a spreadsheet does when a sheet is deleted. Sheets not
    // in the map keep their prefix.
    static QString renameSheets(QStringView formula, const SheetMap& sheets);

    // Moves the relative parts of every reference by the given rows and columns, as a formula
    // copied that far would read ($-fixed parts stay). A reference pushed off the sheet
    // becomes #REF!.
    static QString shift(QStringView formula, int rows, int columns);

    // The sheet name as a reference prefix needs it (without the "!"): plain when it cannot be
    // mistaken for anything else, otherwise in apostrophes with inner ones doubled.
    static QString quoteSheetName(const QString& name);
};

}  // namespace veskplan
