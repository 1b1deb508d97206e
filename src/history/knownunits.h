#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace veskplan {

// The units a bid tabulation may use: those of the master lists in use (an agency's own, or the
// installed English and Metric lists), and the other spellings exports write for one of them
// ("EA" for "EACH", "DAYS" for "DAY"), each taken as the lists spell it.
class KnownUnits {
public:
    // The units the master lists give, as they write them (blanks around are dropped).
    explicit KnownUnits(const QStringList& listUnits);
    // Every unit of the spelling table, each in its first spelling: for files read without a
    // master list at hand.
    static const KnownUnits& ofSpellingTable();

    // The lists' spelling of a unit; nothing when neither the lists nor a spelling of one of
    // theirs is that unit.
    std::optional<QString> spellingOf(QStringView text) const;
    // The first spelling of the table's unit that `text` is, else the text as units are
    // compared (trimmed, capitals, without points): the same unit gives the same text whichever
    // list or file it comes from.
    static QString comparable(QStringView text);

private:
    QHash<QString, QString> spellings_;  // comparable key -> the lists' spelling
};

}  // namespace veskplan
