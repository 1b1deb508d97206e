#include "master/descriptionindex.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "master/masterlist.h"

namespace veskplan {
namespace {

using Word = DescriptionIndex::Word;

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

// Whether two words of equal hashes have the same letters. Equal hashes mean equal lengths: the
// hash maps its key one to one.
bool sameLetters(QStringView text, const Word& a, QStringView other, const Word& b) {
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
void distinctWords(QStringView text, std::vector<Word>& words) {
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
        const Word word{start, length, mixed ^ mixed >> 32};
        const bool repeated = std::any_of(words.begin(), words.end(), [&](const Word& w) {
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

struct Scored {
    int row;
    qint64 shared2;  // twice the length of the shared words
    qint64 total;    // the length of the words of both
};

// Closer (a/b > c/d as a*d > c*b, exactly), or as close and earlier in the list.
bool closer(const Scored& a, const Scored& b) {
    const qint64 left = a.shared2 * b.total;
    const qint64 right = b.shared2 * a.total;
    return left != right ? left > right : a.row < b.row;
}

// The best found so far, the worst of them first (a heap), so that a long list of candidates
// costs no more than a short one.
void consider(std::vector<Scored>& best, int count, const Scored& scored) {
    if (static_cast<int>(best.size()) < count) {
        best.push_back(scored);
        std::push_heap(best.begin(), best.end(), closer);
    } else if (closer(scored, best.front())) {
        std::pop_heap(best.begin(), best.end(), closer);
        best.back() = scored;
        std::push_heap(best.begin(), best.end(), closer);
    }
}

}  // namespace

// The sought descriptions of one unit, with their words in an open-addressed table: a list
// row's words are looked up without building a string for them.
class DescriptionIndex::UnitTable {
public:
    UnitTable(const std::vector<int>& members, const std::vector<Sought>& sought)
        : sought_(sought) {
        size_t wordCount = 0;
        for (int q : members) {
            wordCount += sought[static_cast<size_t>(q)].words.size();
        }
        size_t size = 16;
        while (size < wordCount * 4) {
            size *= 2;
        }
        slots_.assign(size, Slot{});
        holders_.assign(size, {});
        for (int q : members) {
            const Sought& query = sought[static_cast<size_t>(q)];
            for (size_t w = 0; w < query.words.size(); ++w) {
                int at = find(query.text, query.words[w]);
                if (at < 0) {
                    size_t i = query.words[w].hash & (size - 1);
                    while (slots_[i].query >= 0) {
                        i = (i + 1) & (size - 1);
                    }
                    slots_[i] = Slot{query.words[w].hash, q, static_cast<int>(w)};
                    at = static_cast<int>(i);
                }
                holders_[static_cast<size_t>(at)].push_back(q);
            }
        }
    }

    // The slot of a word of `text`; -1 when no sought description has it.
    int find(QStringView text, const Word& word) const {
        const size_t mask = slots_.size() - 1;
        for (size_t i = word.hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.query < 0) {
                return -1;
            }
            if (slot.hash != word.hash) {
                continue;
            }
            const Sought& owner = sought_[static_cast<size_t>(slot.query)];
            if (sameLetters(text, word, owner.text, owner.words[static_cast<size_t>(slot.word)])) {
                return static_cast<int>(i);
            }
        }
    }

    // The sought descriptions holding the word of a slot.
    const std::vector<int>& holders(int slot) const { return holders_[static_cast<size_t>(slot)]; }

private:
    struct Slot {
        quint64 hash = 0;
        int query = -1;  // whose word it is; -1 for an empty slot
        int word = 0;    // index into that description's words
    };
    const std::vector<Sought>& sought_;
    std::vector<Slot> slots_;
    std::vector<std::vector<int>> holders_;  // per slot in use
};

int DescriptionIndex::add(QStringView description, QStringView unit, int count) {
    Sought sought;
    sought.text = description.toString();
    sought.unit = withoutTrailingBlanks(unit).toString();
    sought.count = count;
    distinctWords(sought.text, sought.words);
    for (const Word& word : sought.words) {
        sought.weight += word.length;
    }
    sought_.push_back(std::move(sought));
    return static_cast<int>(sought_.size()) - 1;
}

std::vector<std::vector<DescriptionIndex::Candidate>> DescriptionIndex::closestIn(
    const MasterList& list) const {
    // The descriptions by unit; a sorted array of the units' keys is searched for every row.
    std::map<quint64, std::vector<int>> byUnit;
    for (size_t q = 0; q < sought_.size(); ++q) {
        const auto key = unitKey(sought_[q].unit);
        if (key && !sought_[q].words.empty() && sought_[q].count > 0) {
            byUnit[*key].push_back(static_cast<int>(q));
        }
    }
    std::vector<quint64> keys;
    std::vector<QStringView> units;
    std::vector<UnitTable> tables;
    tables.reserve(byUnit.size());
    for (const auto& [key, members] : byUnit) {
        tables.emplace_back(members, sought_);
        units.push_back(sought_[static_cast<size_t>(members.front())].unit);
        keys.push_back(key);
    }
    std::vector<std::vector<Scored>> best(sought_.size());
    std::vector<Word> words;
    std::vector<qint64> shared(sought_.size(), 0);
    std::vector<int> touched;
    for (int row = 0; row < list.count(); ++row) {
        const QStringView unit = withoutTrailingBlanks(list.unit(row));
        const auto key = unitKey(unit);
        const auto found = key ? std::lower_bound(keys.begin(), keys.end(), *key) : keys.end();
        if (found == keys.end() || *found != *key) {
            continue;
        }
        const size_t group = static_cast<size_t>(found - keys.begin());
        if (unit != units[group]) {
            continue;
        }
        const UnitTable& table = tables[group];
        const QStringView description = list.description(row);
        distinctWords(description, words);
        qint64 rowWeight = 0;
        for (const Word& word : words) {
            rowWeight += word.length;
            const int at = table.find(description, word);
            if (at < 0) {
                continue;
            }
            for (int q : table.holders(at)) {
                if (shared[static_cast<size_t>(q)] == 0) {
                    touched.push_back(q);
                }
                shared[static_cast<size_t>(q)] += word.length;
            }
        }
        for (int q : touched) {
            const Sought& query = sought_[static_cast<size_t>(q)];
            consider(best[static_cast<size_t>(q)], query.count,
                     {row, 2 * shared[static_cast<size_t>(q)], query.weight + rowWeight});
            shared[static_cast<size_t>(q)] = 0;
        }
        touched.clear();
    }
    std::vector<std::vector<Candidate>> candidates(sought_.size());
    for (size_t q = 0; q < best.size(); ++q) {
        std::sort(best[q].begin(), best[q].end(), closer);
        for (const Scored& scored : best[q]) {
            candidates[q].push_back({scored.row, static_cast<double>(scored.shared2) /
                                                     static_cast<double>(scored.total)});
        }
    }
    return candidates;
}

}  // namespace veskplan
