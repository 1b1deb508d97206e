#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <map>
#include <optional>

namespace veskplan {

// A construction cost index by quarter, read from a CSV file whose heading row names a "Quarter"
// and an "Index" column; quarters are written 2024Q1 or 2024-Q1.
class CostIndex {
public:
    // Throws Error naming the file, the line and the reason.
    static CostIndex read(const QString& path);
    // The same for text already read; `shownName` names it in messages.
    static CostIndex parse(QByteArrayView bytes, const QString& shownName);

    bool isEmpty() const { return values_.empty(); }
    int quarters() const { return int(values_.size()); }

    // The index of the quarter of `date`: a quarter missing from the file takes the latest one
    // before it, so the last quarter stands in for those past the end; nothing before the first.
    std::optional<double> valueAt(QDate date) const;
    // index(quarter of estimate) / index(quarter of letting); nothing when either is before the
    // first quarter or invalid.
    std::optional<double> factor(QDate letting, QDate estimate) const;

    // The quarter of a date as the index files write it ("2026Q3").
    static QString quarterName(QDate date);
    // The last quarter the file gives; empty for an empty index.
    QString lastQuarter() const;
    // Whether `date` lies past the last quarter, where the index stands still.
    bool endsBefore(QDate date) const;
    // The quarter a price of `date` is brought to: its own, or the last one where the index ends.
    QString reachedQuarter(QDate date) const;

    // The largest file read: a century of quarters with room for notes.
    static constexpr qint64 kMaxBytes = 1 << 20;
    static constexpr qsizetype kMaxLines = 10000;
    static constexpr double kMinValue = 1e-6;

private:
    std::map<int, double> values_;  // year * 4 + quarter - 1 -> index
};

}  // namespace veskplan
