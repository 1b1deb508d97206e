#include "project/cataloguecheck.h"

#include <algorithm>
#include <map>

#include "base/csv.h"
#include "base/numbertext.h"
#include "master/itemmapping.h"
#include "master/masterlist.h"
#include "project/cataloguetexts.h"
#include "project/freetextitem.h"
#include "project/projectdocument.h"
#include "project/revisioncheck.h"

namespace veskplan::cataloguecheck {
namespace {

using namespace Qt::Literals::StringLiterals;

// --- Words of descriptions -------------------------------------------------------------------

// Each ASCII character folded to lower case, or 0 for one that ends a word.
constexpr std::array<char16_t, 128> kAsciiFold = [] {
    std::array<char16_t, 128> fold{};
    for (char16_t c = u'0'; c <= u'9'; ++c) {
        fold[c] = c;
    }
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        fold[c] = c;
        fold[c - 32] = c;
    }
    return fold;
}();

[[gnu::noinline]] char16_t wordFoldBeyondAscii(QChar c) {
    return c.isLetterOrNumber() ? c.toCaseFolded().unicode() : 0;
}

// A character of a word folded, so that words compare without case; 0 between words.
inline char16_t wordFold(QChar c) {
    return c.unicode() < 128 ? kAsciiFold[c.unicode()] : wordFoldBeyondAscii(c);
}

struct WordSpan {
    qsizetype start;
    qsizetype length;
    quint64 hash;  // of its length and folded first, middle and last characters
};

// Whether two words of equal hashes have the same letters. Equal hashes mean equal lengths: the
// hash maps its key one to one.
bool sameLetters(QStringView text, const WordSpan& a, QStringView other, const WordSpan& b) {
    for (qsizetype i = 0; i < a.length; ++i) {
        if (wordFold(text[a.start + i]) != wordFold(other[b.start + i])) {
            return false;
        }
    }
    return true;
}

// The distinct words of a text, in order. The hash takes a few characters only: a list's
// descriptions are read once per comparison, and two words of one hash are told apart by
// sameLetters.
void distinctWords(QStringView text, std::vector<WordSpan>& words) {
    words.clear();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const char16_t first = wordFold(text[i]);
        if (first == 0) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (++i < n && wordFold(text[i]) != 0) {
        }
        const qsizetype length = i - start;
        const quint64 key = quint64(length) << 48 | quint64(first) << 32 |
                            quint64(wordFold(text[start + length / 2])) << 16 |
                            wordFold(text[i - 1]);
        const quint64 mixed = (key ^ key >> 29) * 0x9E3779B97F4A7C15ULL;
        const WordSpan word{start, length, mixed ^ mixed >> 32};
        const bool repeated = std::any_of(words.begin(), words.end(), [&](const WordSpan& w) {
            return w.hash == word.hash && sameLetters(text, w, text, word);
        });
        if (!repeated) {
            words.push_back(word);
        }
    }
}

// Unit texts are at most four characters, so one number nearly always tells units apart; a
// found unit is compared in full all the same.
std::optional<quint64> unitKey(QStringView unit) {
    if (unit.size() > 4) {
        return std::nullopt;
    }
    quint64 key = static_cast<quint64>(unit.size());
    for (QChar c : unit) {
        key = key << 16 | c.unicode();
    }
    return key;
}

// --- Finding the closest descriptions of several items in one pass over the list -------------

struct Query {
    QString text;  // the words are spans of this text
    std::vector<WordSpan> words;
    qint64 weight = 0;  // the length of its distinct words
    int count = 0;      // how many candidates to keep
    struct Scored {
        int row;
        qint64 shared2;  // twice the length of the shared words
        qint64 total;    // the length of the words of both
    };
    // The best found so far, the worst of them first (a heap), so that a long list of
    // candidates costs no more than a short one; sorted closest first when the pass is done.
    std::vector<Scored> best;

    // Closer (a/b > c/d as a*d > c*b, exactly), or as close and earlier in the list.
    static bool closer(const Scored& a, const Scored& b) {
        const qint64 left = a.shared2 * b.total;
        const qint64 right = b.shared2 * a.total;
        return left != right ? left > right : a.row < b.row;
    }

    void consider(int row, qint64 shared2, qint64 total) {
        const Scored scored{row, shared2, total};
        if (static_cast<int>(best.size()) < count) {
            best.push_back(scored);
            std::push_heap(best.begin(), best.end(), closer);
        } else if (closer(scored, best.front())) {
            std::pop_heap(best.begin(), best.end(), closer);
            best.back() = scored;
            std::push_heap(best.begin(), best.end(), closer);
        }
    }
};

// The queries of one unit, with their words in an open-addressed table: a list row's words are
// looked up without building a string for them.
struct UnitGroup {
    struct Slot {
        quint64 hash = 0;
        int query = -1;  // whose word it is; -1 for an empty slot
        int word = 0;    // index into that query's words
    };
    std::vector<Slot> slots;
    std::vector<std::vector<int>> holders;  // per slot in use: the queries holding its word

    int find(QStringView text, const WordSpan& word, const std::vector<Query>& queries) const {
        const size_t mask = slots.size() - 1;
        for (size_t i = word.hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots[i];
            if (slot.query < 0) {
                return -1;
            }
            if (slot.hash != word.hash) {
                continue;
            }
            const Query& owner = queries[static_cast<size_t>(slot.query)];
            if (sameLetters(text, word, owner.text, owner.words[static_cast<size_t>(slot.word)])) {
                return static_cast<int>(i);
            }
        }
    }

    void build(const std::vector<int>& members, const std::vector<Query>& queries) {
        size_t wordCount = 0;
        for (int q : members) {
            wordCount += queries[static_cast<size_t>(q)].words.size();
        }
        size_t size = 16;
        while (size < wordCount * 4) {
            size *= 2;
        }
        slots.assign(size, Slot{});
        holders.assign(size, {});
        for (int q : members) {
            const Query& query = queries[static_cast<size_t>(q)];
            for (size_t w = 0; w < query.words.size(); ++w) {
                int at = find(query.text, query.words[w], queries);
                if (at < 0) {
                    size_t i = query.words[w].hash & (size - 1);
                    while (slots[i].query >= 0) {
                        i = (i + 1) & (size - 1);
                    }
                    slots[i] = Slot{query.words[w].hash, q, static_cast<int>(w)};
                    at = static_cast<int>(i);
                }
                holders[static_cast<size_t>(at)].push_back(q);
            }
        }
    }
};

// Fills every query's `best` from the rows of the list with the query's unit.
void findClosest(std::vector<Query>& queries, const std::vector<QStringView>& units,
                 const MasterList& list) {
    // The queries by unit; a sorted array of the units' keys is searched for every row.
    std::map<quint64, std::vector<int>> byUnit;
    for (size_t q = 0; q < queries.size(); ++q) {
        const auto key = unitKey(withoutTrailingBlanks(units[q]));
        if (key && !queries[q].words.empty() && queries[q].count > 0) {
            byUnit[*key].push_back(static_cast<int>(q));
        }
    }
    std::vector<quint64> keys;
    std::vector<QStringView> groupUnits;
    std::vector<UnitGroup> groups(byUnit.size());
    for (const auto& [key, members] : byUnit) {
        groups[keys.size()].build(members, queries);
        groupUnits.push_back(withoutTrailingBlanks(units[static_cast<size_t>(members.front())]));
        keys.push_back(key);
    }
    std::vector<WordSpan> words;
    std::vector<qint64> shared(queries.size(), 0);
    std::vector<int> touched;
    for (int row = 0; row < list.count(); ++row) {
        const QStringView unit = withoutTrailingBlanks(list.unit(row));
        const auto key = unitKey(unit);
        const auto found = key ? std::lower_bound(keys.begin(), keys.end(), *key) : keys.end();
        if (found == keys.end() || *found != *key) {
            continue;
        }
        const size_t group = static_cast<size_t>(found - keys.begin());
        if (unit != groupUnits[group]) {
            continue;
        }
        const UnitGroup& table = groups[group];
        const QStringView description = list.description(row);
        distinctWords(description, words);
        qint64 rowWeight = 0;
        for (const WordSpan& word : words) {
            rowWeight += word.length;
            const int at = table.find(description, word, queries);
            if (at < 0) {
                continue;
            }
            for (int q : table.holders[static_cast<size_t>(at)]) {
                if (shared[static_cast<size_t>(q)] == 0) {
                    touched.push_back(q);
                }
                shared[static_cast<size_t>(q)] += word.length;
            }
        }
        for (int q : touched) {
            Query& query = queries[static_cast<size_t>(q)];
            query.consider(row, 2 * shared[static_cast<size_t>(q)], query.weight + rowWeight);
            shared[static_cast<size_t>(q)] = 0;
        }
        touched.clear();
    }
    for (Query& query : queries) {
        std::sort(query.best.begin(), query.best.end(), Query::closer);
    }
}

Query makeQuery(QStringView description, int count) {
    Query query;
    query.text = description.toString();
    query.count = count;
    distinctWords(query.text, query.words);
    for (const WordSpan& word : query.words) {
        query.weight += word.length;
    }
    return query;
}

// --- Findings ----------------------------------------------------------------------------------

Finding::Proposal proposalOf(const MasterList& list, int row, Finding::Source source) {
    return {list.itemNumber(row).toString(), list.description(row).toString(),
            list.unit(row).toString(), row, source};
}

// Tells that the replacement measures in another unit, whose quantity needs a look.
void noteUnitChange(Finding& finding) {
    const QStringView from = withoutTrailingBlanks(finding.record.units);
    const QStringView to = withoutTrailingBlanks(finding.replacement->unit);
    if (from != to) {
        finding.note += u' ' + texts::catalogueUnitDiffers(from.toString(), to.toString());
    }
}

// "A was replaced by B, which was replaced by C."
QString chainNote(const QStringList& path) {
    QString note = texts::catalogueReplacedBy(path[0], path[1]);
    for (qsizetype i = 2; i < path.size(); ++i) {
        note += texts::catalogueWhichWasReplacedBy(path[i]);
    }
    return note + u'.';
}

}  // namespace

QString shownNumber(const QString& stored) {
    return revisioncheck::withoutMark(stored).trimmed().toString();
}

QString proposedBy(const Finding& finding) {
    if (!finding.replacement) {
        return QString();
    }
    return finding.replacement->source == Finding::Source::Mapping ? texts::catalogueFromMapping()
                                                                   : texts::catalogueGuess();
}

QString comparedNumber(const QString& stored) {
    return revisioncheck::withoutMark(stored).left(12).trimmed().toString();
}

std::vector<Finding> compare(const std::vector<ProjectRecord>& items, const MasterList& list,
                             const ItemMapping* mapping) {
    std::vector<Finding> findings;
    std::vector<size_t> unproposed;  // retired findings to offer the closest description
    for (size_t position = 0; position < items.size(); ++position) {
        const ProjectRecord& item = items[position];
        Finding finding;
        finding.record = item;
        finding.position = static_cast<int>(position);
        if (isTypedFreeTextItem(item.itemNumber)) {
            finding.kind = Finding::Kind::FreeText;
            findings.push_back(std::move(finding));
            continue;
        }
        const QString number = comparedNumber(item.itemNumber);
        const int row = list.rowOfNumber(number);
        if (row < 0) {
            finding.kind = Finding::Kind::Retired;
            const std::optional<Replacement> mapped =
                mapping ? mapping->replacementFor(number) : std::nullopt;
            if (!mapped) {
                unproposed.push_back(findings.size());
            } else if (const int newRow = list.rowOfNumber(mapped->itemNumber); newRow >= 0) {
                finding.replacement = proposalOf(list, newRow, Finding::Source::Mapping);
                finding.note = chainNote(mapped->path);
                noteUnitChange(finding);
            } else {
                finding.note = chainNote(mapped->path) + u' ' +
                               texts::catalogueReplacementNotInList(mapped->itemNumber);
            }
            findings.push_back(std::move(finding));
            continue;
        }
        finding.listRow = row;
        finding.listNumber = list.itemNumber(row).toString();
        finding.listDescription = list.description(row).toString();
        finding.listUnit = list.unit(row).toString();
        if (withoutTrailingBlanks(item.units) != withoutTrailingBlanks(finding.listUnit)) {
            finding.kind = Finding::Kind::UnitChanged;
            findings.push_back(finding);
        }
        if (withoutTrailingBlanks(item.description) !=
            withoutTrailingBlanks(finding.listDescription)) {
            finding.kind = Finding::Kind::DescriptionChanged;
            findings.push_back(std::move(finding));
        }
    }
    // One pass over the list finds the closest descriptions of all the retired items.
    std::vector<Query> queries;
    std::vector<QStringView> units;
    for (size_t at : unproposed) {
        queries.push_back(makeQuery(findings[at].record.description, 1));
        units.push_back(findings[at].record.units);
    }
    findClosest(queries, units, list);
    for (size_t q = 0; q < queries.size(); ++q) {
        Finding& finding = findings[unproposed[q]];
        if (queries[q].best.empty()) {
            finding.note = texts::catalogueNoReplacement();
            continue;
        }
        const int row = queries[q].best.front().row;
        finding.replacement = proposalOf(list, row, Finding::Source::SimilarDescription);
        finding.note = texts::catalogueClosestDescription();
    }
    return findings;
}

std::array<int, kKindCount> countByKind(const std::vector<Finding>& findings) {
    std::array<int, kKindCount> counts{};
    for (const Finding& finding : findings) {
        ++counts[static_cast<size_t>(finding.kind)];
    }
    return counts;
}

std::vector<Candidate> similarItems(QStringView description, QStringView unit,
                                    const MasterList& list, int count) {
    std::vector<Query> queries{makeQuery(description, count)};
    findClosest(queries, {unit}, list);
    std::vector<Candidate> candidates;
    for (const Query::Scored& scored : queries.front().best) {
        candidates.push_back(
            {scored.row, static_cast<double>(scored.shared2) / static_cast<double>(scored.total)});
    }
    return candidates;
}

QByteArray toCsv(const std::vector<Finding>& findings) {
    QByteArray out;
    csv::appendRecord(out, texts::catalogueCsvHeading().split(u','), csv::LineEnd::Lf);
    for (const Finding& f : findings) {
        const QString quantity =
            f.record.quantity ? numbertext::shortest(*f.record.quantity) : QString();
        csv::appendRecord(
            out,
            {texts::catalogueKindName(static_cast<int>(f.kind)).toLower(), f.record.cat, quantity,
             shownNumber(f.record.itemNumber), f.record.description, f.record.units, f.listNumber,
             f.listDescription, f.listUnit, f.replacement ? f.replacement->itemNumber : QString(),
             proposedBy(f).toLower(), f.note},
            csv::LineEnd::Lf);
    }
    return out;
}

std::optional<std::pair<ProjectRecord, ProjectRecord>> replacementChange(
    const Finding& finding, const std::vector<ProjectRecord>& items, QString* refusal) {
    auto refuse = [refusal](const QString& reason) {
        if (refusal) {
            *refusal = reason;
        }
        return std::nullopt;
    };
    // The item is found by its number and category; its other fields may have changed since
    // (an earlier finding of the same item taken over, which also took the mark away; a
    // quantity typed).
    const size_t position = static_cast<size_t>(finding.position);
    if (finding.position < 0 || position >= items.size() ||
        revisioncheck::withoutMark(items[position].itemNumber) !=
            revisioncheck::withoutMark(finding.record.itemNumber) ||
        items[position].cat != finding.record.cat) {
        return refuse(texts::catalogueItemChanged());
    }
    const ProjectRecord& before = items[position];
    ProjectRecord after = before;
    after.itemNumber = revisioncheck::withoutMark(before.itemNumber).toString();
    switch (finding.kind) {
        case Finding::Kind::FreeText:
            return refuse(texts::catalogueFreeTextKept());
        case Finding::Kind::Retired:
            if (!finding.replacement) {
                return refuse(
                    texts::catalogueNothingToTakeOver(comparedNumber(finding.record.itemNumber)));
            }
            after.itemNumber = finding.replacement->itemNumber;
            after.description = finding.replacement->description;
            after.units = finding.replacement->unit;
            break;
        case Finding::Kind::UnitChanged:
            after.units = finding.listUnit;
            break;
        case Finding::Kind::DescriptionChanged:
            after.description = finding.listDescription;
            break;
    }
    const QString newNumber = comparedNumber(after.itemNumber);
    if (!isTypedFreeTextItem(after.itemNumber)) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (i != position && items[i].cat == after.cat &&
                comparedNumber(items[i].itemNumber) == newNumber) {
                return refuse(texts::catalogueAlreadyInCategory(newNumber, after.cat));
            }
        }
    }
    return std::pair{before, after};
}

}  // namespace veskplan::cataloguecheck
