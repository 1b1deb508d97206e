#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "history/columnlayout.h"

namespace veskplan {

// Which column of a take-off file gives which field, and where the items of a new project go.
// Headings are recognised by name in the summary layout ("Pay Item ID, Description, Quantity,
// Unit"), the detailed one (the same with a station range or an object name on each line) and the
// plain one ("Item Number, Description, Unit, Quantity", with "Category" or "Sheet"). A layout
// file names the headings of other layouts and the category rules, one a line:
//
//     Item Number=PAYITEM
//     Quantity=QTY_TOTAL
//     Prefix 2501=03
//     Category Ramps=02
//
// "Prefix" sends a new item whose number starts so into a category; "Category" maps the text of
// a category or sheet column to one. Blank lines and lines starting with '#' are left out.
class TakeoffLayout {
public:
    // The fields are those of the column layouts, so that a take-off's columns are asked for
    // and remembered as a bid file's are.
    using Field = ColumnLayout::Field;
    // The fields of a take-off, and those without which no line is read.
    static const std::vector<Field>& allFields();
    static const std::vector<Field>& requiredFields();
    // The field as a layout file names it ("Item Number") and in words for messages.
    static QString plainHeading(Field field);
    static QString fieldWords(Field field);

    static constexpr qint64 kMaxBytes = 64 * 1024;

    // The column layouts the designer chose for headings not recognised, kept by heading row in
    // the user's own data folder (AppPaths::userDataDir) by the window and read by the command
    // line.
    static QString keptLayoutsIn(const QString& userDataDir);

    // Throws Error naming the file, the line and the reason.
    static TakeoffLayout read(const QString& path);

    void name(Field field, const QString& heading) { headings_[field] = heading; }
    void addPrefixRule(const QString& prefix, const QString& category);
    void mapCategory(const QString& text, const QString& category);

    // The column of each field a heading row gives: named by this layout when it names the
    // field, else recognised by name. Throws ColumnProblem for a heading that appears twice,
    // two columns that give one field, one heading named for two fields, a named heading no
    // column has, and a row that gives no item number or no quantity (`unrecognised`: the
    // designer may say which columns they are).
    struct ColumnProblem {
        QString reason;
        bool unrecognised = false;
    };
    std::map<Field, qsizetype> locate(const QStringList& headings) const;
    // Whether a row holds the heading of the item number: the heading row, below the titles.
    bool namesItemNumber(const QStringList& cells) const;

    // This layout's rules with the headings a designer chose for a heading row in place of the
    // headings it names.
    TakeoffLayout withColumns(const ColumnLayout& columns) const;
    // The column of each field a heading row gives when each is recognised on its own by name:
    // what the designer is first shown for headings that are not recognised whole.
    static ColumnLayout proposal(const QStringList& headings);

    // The category a category or sheet text maps to: a category number ("2", "02") as it is,
    // else the layout's mapping; nothing otherwise.
    std::optional<QString> categoryOfText(const QString& text) const;
    // The category of the longest prefix rule the item number starts with.
    std::optional<QString> categoryOfPrefix(const QString& itemNumber) const;

private:
    std::map<Field, QString> headings_;
    std::vector<std::pair<QString, QString>> prefixes_;
    std::map<QString, QString> categoryTexts_;  // by the text in capitals
};

}  // namespace veskplan
