#include "master/itemmapping.h"

#include <QDir>
#include <algorithm>

#include "base/csv.h"
#include "master/mastertexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A mapping file holds a few thousand rows; these limits are far above that and keep a wrong
// or hostile file from eating the machine's memory.
constexpr qint64 kMaxFileBytes = 16LL * 1024 * 1024;
constexpr qsizetype kMaxLines = 200'000;

const QString kPreviousColumn = u"Previous Item ID"_s;
const QString kNewColumn = u"New Item ID"_s;
const QString kUnitColumn = u"Unit of Measure"_s;

bool isBlankRecord(const QStringList& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const QString& field) { return field.trimmed().isEmpty(); });
}

}  // namespace

ItemMapping ItemMapping::read(const QString& path) {
    try {
        csv::Reader reader = csv::Reader::fromFile(path, kMaxFileBytes, kMaxLines);
        return fromRecords(reader, QDir::toNativeSeparators(path));
    } catch (const csv::ReadError& error) {
        throw Error(texts::mappingUnreadable(QDir::toNativeSeparators(path), error.reason()));
    }
}

ItemMapping ItemMapping::parse(QByteArrayView bytes, const QString& shownName) {
    try {
        csv::Reader reader(bytes, shownName, kMaxFileBytes, kMaxLines);
        return fromRecords(reader, shownName);
    } catch (const csv::ReadError& error) {
        throw Error(texts::mappingUnreadable(shownName, error.reason()));
    }
}

ItemMapping ItemMapping::fromRecords(csv::Reader& reader, const QString& shownName) {
    ItemMapping mapping;
    int columns[3] = {-1, -1, -1};  // previous, new, unit
    for (;;) {
        std::optional<QStringList> fields;
        try {
            fields = reader.next();
        } catch (const csv::ReadError& error) {
            if (columns[0] < 0) {
                // Without its heading row nothing of the file can be used.
                throw Error(texts::mappingUnreadable(
                    shownName, texts::mappingLine(error.line(), error.reason())));
            }
            mapping.problems_.append(
                texts::mappingLine(error.line(), texts::mappingLeftOut(error.reason())));
            continue;
        }
        if (!fields) {
            break;
        }
        if (isBlankRecord(*fields)) {
            continue;
        }
        if (columns[0] >= 0) {
            mapping.addRow(*fields, reader.line(), columns);
            continue;
        }
        const QString names[3] = {kPreviousColumn, kNewColumn, kUnitColumn};
        for (int c = 0; c < 3; ++c) {
            const auto found = std::find_if(fields->begin(), fields->end(), [&](const QString& f) {
                return f.trimmed().compare(names[c], Qt::CaseInsensitive) == 0;
            });
            columns[c] = found == fields->end() ? -1 : static_cast<int>(found - fields->begin());
        }
        if (columns[0] < 0 || columns[1] < 0) {
            break;
        }
    }
    if (columns[0] < 0 || columns[1] < 0) {
        throw Error(columns[0] < 0
                        ? texts::mappingColumnsMissing(shownName, kPreviousColumn,
                                                       columns[1] < 0 ? kNewColumn : QString())
                        : texts::mappingColumnsMissing(shownName, kNewColumn, QString()));
    }
    mapping.checkChains();
    return mapping;
}

void ItemMapping::addRow(const QStringList& fields, int line, const int columns[3]) {
    auto field = [&fields](int column) {
        return column >= 0 && column < fields.size() ? fields[column].trimmed() : QString();
    };
    const QString previous = field(columns[0]);
    const QString next = field(columns[1]);
    QString problem;
    if (previous.isEmpty()) {
        problem = texts::mappingPreviousBlank();
    } else if (next.isEmpty()) {
        problem = texts::mappingNewBlank(previous);
    } else if (previous == next) {
        problem = texts::mappingToItself(previous);
    } else if (const auto known = entries_.constFind(previous); known != entries_.cend()) {
        // The same replacement given twice is harmless.
        if (known->newNumber != next) {
            problem = texts::mappingTwice(previous, known->newNumber, next);
        }
    } else {
        entries_.insert(previous, Entry{next, field(columns[2]), line});
        order_.push_back(previous);
    }
    if (!problem.isEmpty()) {
        problems_.append(texts::mappingLine(line, problem));
    }
}

void ItemMapping::checkChains() {
    // Counts how far each chain goes, walking every number once: a walk stops at a number an
    // earlier walk counted, at one the file does not replace, or at one it passed (a circle).
    std::vector<QString> walk;
    for (const QString& start : order_) {
        if (entries_[start].steps != 0) {
            continue;
        }
        walk.clear();
        QString number = start;
        auto at = entries_.find(number);
        while (at != entries_.end() && at->steps == 0) {
            at->steps = -1;  // on this walk
            walk.push_back(number);
            number = at->newNumber;
            at = entries_.find(number);
        }
        auto counted = walk.end();
        int beyond = 0;
        if (at != entries_.end() && at->steps == -1) {
            // Every member of a circle goes round it once, stopping before itself.
            counted = std::find(walk.begin(), walk.end(), number);
            QStringList circle(counted, walk.end());
            circle.append(number);
            problems_.append(
                texts::mappingLine(at->line, texts::mappingCircle(circle.join(u" -> "_s))));
            beyond = static_cast<int>(walk.end() - counted) - 1;
            for (auto member = counted; member != walk.end(); ++member) {
                entries_[*member].steps = beyond;
            }
        } else if (at != entries_.end()) {
            beyond = at->steps;
        }
        for (auto it = counted; it != walk.begin();) {
            --it;
            entries_[*it].steps = ++beyond;
        }
    }
    const auto tooLong = std::find_if(order_.begin(), order_.end(), [this](const QString& n) {
        return entries_[n].steps > kMaxSteps;
    });
    if (tooLong != order_.end()) {
        problems_.append(texts::mappingLine(entries_[*tooLong].line,
                                            texts::mappingChainTooLong(*tooLong, kMaxSteps)));
    }
}

std::optional<Replacement> ItemMapping::replacementFor(QStringView itemNumber) const {
    const QString start = itemNumber.trimmed().toString();
    auto at = entries_.constFind(start);
    if (at == entries_.cend()) {
        return std::nullopt;
    }
    Replacement replacement;
    replacement.path.append(start);
    while (at != entries_.cend() && replacement.path.size() <= kMaxSteps &&
           !replacement.path.contains(at->newNumber)) {
        replacement.path.append(at->newNumber);
        replacement.itemNumber = at->newNumber;
        replacement.unit = at->unit;
        at = entries_.constFind(at->newNumber);
    }
    return replacement;
}

}  // namespace veskplan
