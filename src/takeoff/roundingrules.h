#pragma once

#include <QString>
#include <map>

namespace veskplan {

// How plan quantities become bid quantities, by unit: rounded up, down or to the nearest
// multiple of an increment, or set to exactly a number. A rules file has one rule a line,
// "UNIT DIRECTION NUMBER", blank lines and lines starting with '#' left out:
//
//     CY up 1
//     TON nearest 0.1
//     LS exactly 1
class RoundingRules {
public:
    enum class Direction { Up, Down, Nearest, Exactly };
    struct Rule {
        Direction direction = Direction::Nearest;
        double number = 1;
    };

    static constexpr qint64 kMaxBytes = 64 * 1024;

    // Throws Error naming the file, the line and the reason.
    static RoundingRules read(const QString& path);

    // Adds the rule for `unit` (any spelling); false when the unit has one already.
    bool add(const QString& unit, Rule rule);

    // The quantity in `unit` as its rule makes it; as it is when the unit has no rule.
    double apply(const QString& unit, double quantity) const;

private:
    std::map<QString, Rule> rules_;  // by the unit's usual spelling
};

}  // namespace veskplan
