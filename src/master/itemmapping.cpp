#include "master/itemmapping.h"

#include <QDir>
#include <QStringDecoder>
#include <algorithm>

#include "base/boundedfile.h"
#include "base/textcodec.h"
#include "base/texts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A mapping file holds a few thousand rows; these limits are far above that and keep a wrong
// or hostile file from eating the machine's memory.
constexpr qint64 kMaxFileBytes = 16LL * 1024 * 1024;
constexpr qsizetype kMaxLines = 200'000;
// Fields past this many in a row are skipped: a line of commas would otherwise cost a string
// for every comma.
constexpr qsizetype kMaxFields = 256;

const QString kPreviousColumn = u"Previous Item ID"_s;
const QString kNewColumn = u"New Item ID"_s;
const QString kUnitColumn = u"Unit of Measure"_s;

QString decodeText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    // Files saved by older spreadsheet programs are in the Windows code page.
    return utf8.hasError() ? textcodec::decode(bytes) : text;
}

// Splits CSV text into records: fields separated by commas; a field in double quotes may hold
// commas, line ends (CR LF, LF or CR) and doubled quotes. Calls take(fields, line, closed) for
// each record with the line it starts on; `closed` is false when the text ends inside quotes.
template <typename Take>
void forEachRecord(QStringView text, Take take) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        const int recordLine = line;
        QStringList fields;
        bool closed = true;
        for (;;) {
            QString field;
            if (i < n && text[i] == u'"') {
                // Runs between quotes are taken whole; a run follows a quote, so a CR LF is
                // never split between two.
                for (++i;;) {
                    const qsizetype quote = text.indexOf(u'"', i);
                    const QStringView run = text.sliced(i, (quote < 0 ? n : quote) - i);
                    for (qsizetype k = 0; k < run.size(); ++k) {
                        if (run[k] == u'\r' ||
                            (run[k] == u'\n' && (k == 0 || run[k - 1] != u'\r'))) {
                            ++line;
                        }
                    }
                    field += run;
                    if (quote < 0) {
                        closed = false;
                        i = n;
                        break;
                    }
                    i = quote + 1;
                    if (i < n && text[i] == u'"') {
                        field += u'"';
                        ++i;
                        continue;
                    }
                    break;
                }
            }
            // The rest of an unquoted field, or whatever follows a closing quote.
            const qsizetype start = i;
            while (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n') {
                ++i;
            }
            field += text.sliced(start, i - start);
            if (fields.size() < kMaxFields) {
                fields.append(field);
            }
            if (i < n && text[i] == u',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < n) {
            i += text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n' ? 2 : 1;
            ++line;
        }
        if (!take(fields, recordLine, closed)) {
            return;
        }
    }
}

bool isBlankRecord(const QStringList& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const QString& field) { return field.trimmed().isEmpty(); });
}

}  // namespace

ItemMapping ItemMapping::read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const boundedfile::Bytes read = boundedfile::readAll(path, kMaxFileBytes);
    if (!read.error.isEmpty()) {
        ItemMapping mapping;
        mapping.error_ = texts::mappingUnreadable(shown, read.error);
        return mapping;
    }
    return parse(read.bytes, shown);
}

ItemMapping ItemMapping::parse(QByteArrayView bytes, const QString& shownName) {
    ItemMapping mapping;
    if (bytes.size() > kMaxFileBytes) {
        mapping.error_ = texts::mappingUnreadable(shownName, texts::fileTooLarge(kMaxFileBytes));
        return mapping;
    }
    if (const QString problem = boundedfile::lineCountProblem(bytes, kMaxLines);
        !problem.isEmpty()) {
        mapping.error_ = texts::mappingUnreadable(shownName, problem);
        return mapping;
    }
    int columns[3] = {-1, -1, -1};  // previous, new, unit
    bool headingRead = false;
    forEachRecord(decodeText(bytes), [&](const QStringList& fields, int line, bool closed) {
        if (isBlankRecord(fields)) {
            return true;
        }
        if (headingRead) {
            if (closed) {
                mapping.addRow(fields, line, columns);
            } else {
                mapping.problems_.append(texts::mappingLine(line, texts::mappingQuoteNotClosed()));
            }
            return true;
        }
        headingRead = true;
        const QString names[3] = {kPreviousColumn, kNewColumn, kUnitColumn};
        for (int c = 0; c < 3; ++c) {
            const auto found = std::find_if(fields.begin(), fields.end(), [&](const QString& f) {
                return f.trimmed().compare(names[c], Qt::CaseInsensitive) == 0;
            });
            columns[c] = found == fields.end() ? -1 : static_cast<int>(found - fields.begin());
        }
        return columns[0] >= 0 && columns[1] >= 0;
    });
    if (columns[0] < 0 || columns[1] < 0) {
        ItemMapping unusable;
        unusable.error_ =
            columns[0] < 0 ? texts::mappingColumnsMissing(shownName, kPreviousColumn,
                                                          columns[1] < 0 ? kNewColumn : QString())
                           : texts::mappingColumnsMissing(shownName, kNewColumn, QString());
        return unusable;
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
