#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

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
    enum class Field {
        ItemNumber,
        Description,
        Quantity,
        Unit,
        Category,
        Sheet,
        StationFrom,
        StationTo,
        Station,
        Object,
    };
    static const std::vector<Field>& allFields();
    // The field as a layout file names it ("Item Number") and in words for messages.
    static QString plainHeading(Field field);
    static QString fieldWords(Field field);

    static constexpr qint64 kMaxBytes = 64 * 1024;

    // Throws Error naming the file, the line and the reason.
    static TakeoffLayout read(const QString& path);

    void name(Field field, const QString& heading) { headings_[field] = heading; }
    void addPrefixRule(const QString& prefix, const QString& category);
    void mapCategory(const QString& text, const QString& category);

    // The column of each field a heading row gives: named by this layout when it names the
    // field, else recognised by name. Throws ColumnProblem for a heading that appears twice,
    // two columns that give one field, a named heading no column has, and a row that gives no
    // item number or no quantity.
    struct ColumnProblem {
        QString reason;
    };
    std::map<Field, qsizetype> locate(const QStringList& headings) const;
    // Whether a row holds the heading of the item number: the heading row, below the titles.
    bool namesItemNumber(const QStringList& cells) const;

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
