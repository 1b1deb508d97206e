#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace veskplan {

namespace csv {
class Reader;
}

// Where a retired item number leads in an item-mapping file.
struct Replacement {
    QString itemNumber;  // the end of the chain
    QString unit;        // "Unit of Measure" of the chain's last row; empty when not given
    QStringList path;    // the numbers followed, the looked-up one first and itemNumber last
};

// An agency's item-mapping file: a CSV file whose heading row names the columns "Previous Item
// ID" and "New Item ID" (and optionally "Unit of Measure"), one replaced item number a row.
class ItemMapping {
public:
    // A chain of replacements is followed this many steps at most; real ones have a few.
    static constexpr int kMaxSteps = 32;

    ItemMapping() = default;

    // Reads the file. A file that cannot be used (unreadable, too large, a required column
    // missing) throws an Error naming it; a malformed row is left out and told among the
    // problems.
    static ItemMapping read(const QString& path);
    // `bytes` are UTF-8 (a byte-order mark allowed) or, when they are not valid UTF-8,
    // Windows-1252. `shownName` names the file in the texts.
    static ItemMapping parse(QByteArrayView bytes, const QString& shownName);

    // One text per row that was left out, with its line number; then the circles found, and the
    // first chain too long to follow to its end.
    const QStringList& problems() const { return problems_; }
    // The replacements taken from the file.
    int count() const { return static_cast<int>(entries_.size()); }

    // The replacement of an item number (blanks around it removed), followed through later
    // replacements to the end of the chain; a chain that comes back to a number it passed stops
    // before it. Nothing when the file does not replace the number.
    std::optional<Replacement> replacementFor(QStringView itemNumber) const;

private:
    struct Entry {
        QString newNumber;
        QString unit;
        int line = 0;
        int steps = 0;  // how far the chain from here goes, counted when the file is read
    };

    static ItemMapping fromRecords(csv::Reader& reader, const QString& shownName);
    void addRow(const QStringList& fields, int line, const int columns[3]);
    void checkChains();

    QHash<QString, Entry> entries_;
    std::vector<QString> order_;  // previous numbers in file order
    QStringList problems_;
};

}  // namespace veskplan
