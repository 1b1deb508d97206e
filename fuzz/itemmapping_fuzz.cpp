// Feeds arbitrary bytes to the item-mapping reader as the catalogue comparison does, then looks
// up the texts of the file's first lines as item numbers and checks each chain found: it starts
// at the number, ends at the replacement, never repeats a number, keeps to the step limit and
// takes each step the file gives.

#include "fuzztarget.h"

#include "master/itemmapping.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(itemmapping) {
    const InputFile input(bytes, u"mapping.csv"_s);
    const auto read = readOrRefuse(input, ItemMapping::read);
    if (!read) {
        return 0;
    }
    const ItemMapping& mapping = *read;
    QStringList numbers;
    for (const QByteArray& line : bytes.toByteArray().left(4096).split('\n')) {
        for (const QByteArray& field : line.split(',')) {
            numbers.append(QString::fromUtf8(field).remove(u'"').trimmed());
        }
    }
    for (const QString& number : numbers.mid(0, 64)) {
        const std::optional<Replacement> found = mapping.replacementFor(number);
        if (!found) {
            continue;
        }
        const QStringList& path = found->path;
        require(path.size() >= 2 && path.front() == number && path.back() == found->itemNumber,
                "a chain runs from the number to its replacement");
        require(path.size() <= ItemMapping::kMaxSteps + 1 &&
                    QSet<QString>(path.begin(), path.end()).size() == path.size(),
                "a chain is short and passes no number twice");
        for (qsizetype i = 0; i + 1 < path.size(); ++i) {
            const std::optional<Replacement> step = mapping.replacementFor(path[i]);
            require(step && step->path.value(1) == path[i + 1], "a chain takes the file's steps");
        }
    }
    return mapping.count();
}
