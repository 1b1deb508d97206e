#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace veskplan {

class MasterList;

// Descriptions to look for in a master list, their words indexed by unit, so that one pass over
// the list finds the rows closest to every one of them. Words are runs of letters and digits,
// compared without case; the similarity weighs each shared word by its length:
// 2 x shared length / (length of the words of both), every word counted once.
class DescriptionIndex {
public:
    // A list row whose description resembles a sought one; similarity 1 means the same words.
    struct Candidate {
        int row = -1;
        double similarity = 0;
        bool operator==(const Candidate&) const = default;
    };

    // Looks for up to `count` list rows of the unit `unit` (trailing blanks removed on both
    // sides) whose descriptions share words with `description`. Returns the number the
    // description's candidates are found under, counted from 0 in the order added.
    int add(QStringView description, QStringView unit, int count);

    // The candidates of every added description in the order added, each closest first, ties in
    // row order: none for a unit no row has or a description without words.
    std::vector<std::vector<Candidate>> closestIn(const MasterList& list) const;

    // The distinct words of a text as spans of it, in order, and the hash of each.
    struct Word {
        qsizetype start;
        qsizetype length;
        quint64 hash;  // of its length and folded first, middle and last characters
    };

private:
    struct Sought {
        QString text;  // the words are spans of this text
        QString unit;  // trailing blanks removed
        std::vector<Word> words;
        qint64 weight = 0;  // the length of its distinct words
        int count = 0;      // how many candidates to keep
    };
    class UnitTable;

    std::vector<Sought> sought_;
};

}  // namespace veskplan
