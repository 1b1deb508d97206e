#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "history/columnlayout.h"

namespace veskplan {

// The column layouts the user confirmed, each kept for the heading row it was confirmed for, so
// that a file with the same headings imports without asking again. The file is CSV: a record
// "Headings" followed by the heading row starts a layout, and each record after it names a field
// by its plain heading and the column that gives it:
//
//     Headings,ITEM_NO,DESC,AWARD_PRICE
//     Item Number,ITEM_NO
//     Unit Price,AWARD_PRICE
class LayoutStore {
public:
    // A few hundred layouts at most; far below what would slow the program down.
    static constexpr qint64 kMaxBytes = 1024 * 1024;
    static constexpr qsizetype kMaxLines = 20'000;

    // The store in the user's own data folder (AppPaths::userDataDir): the window keeps there
    // the layouts the user confirms, and the command line reads them from there.
    static QString fileIn(const QString& userDataDir);

    // The layouts of the file; none when it does not exist. Throws Error naming the file, the
    // line and the reason for a file that cannot be read or breaks the form above.
    static LayoutStore read(const QString& path);

    // The layout confirmed for exactly this heading row.
    std::optional<ColumnLayout> find(const QStringList& headings) const;
    // Keeps `layout` for the heading row, in place of one kept before.
    void remember(const QStringList& headings, const ColumnLayout& layout);
    qsizetype size() const { return qsizetype(layouts_.size()); }

    QByteArray toBytes() const;
    // Replaces the file whole. Throws Error naming the file and the reason.
    void write(const QString& path) const;

private:
    std::vector<std::pair<QStringList, ColumnLayout>> layouts_;
};

}  // namespace veskplan
