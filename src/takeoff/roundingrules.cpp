#include "takeoff/roundingrules.h"

#include <QDir>
#include <QStringList>
#include <cmath>

#include "base/boundedfile.h"
#include "base/error.h"
#include "takeoff/takeofftexts.h"
#include "takeoff/unitconversion.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A result as written with 15 significant digits: 2.3 rounded up to 0.1 is 2.3, not 2.4.
double decimal(double value) {
    return QString::number(value, 'g', 15).toDouble();
}

}  // namespace

RoundingRules RoundingRules::read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QStringList lines;
    try {
        lines = QString::fromUtf8(boundedfile::readAll(path, kMaxBytes)).split(u'\n');
    } catch (const Error& error) {
        throw Error(texts::roundingUnreadable(shown, 0, error.message()));
    }
    RoundingRules rules;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList words = lines[i].simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].startsWith(u'#')) {
            continue;
        }
        const auto fail = [&](const QString& reason) {
            throw Error(texts::roundingUnreadable(shown, int(i + 1), reason));
        };
        if (words.size() < 3) {
            fail(texts::roundingNotARule());
        }
        const QString direction = words[words.size() - 2].toLower();
        const QString numberText = words.back();
        Rule rule;
        if (direction == u"up"_s) {
            rule.direction = Direction::Up;
        } else if (direction == u"down"_s) {
            rule.direction = Direction::Down;
        } else if (direction == u"nearest"_s) {
            rule.direction = Direction::Nearest;
        } else if (direction == u"exactly"_s) {
            rule.direction = Direction::Exactly;
        } else {
            fail(texts::roundingNotARule());
        }
        bool ok = numberText.size() <= 20;
        rule.number = ok ? numberText.toDouble(&ok) : 0;
        // A millionth to a billion: finer or coarser is no bid quantity, and would overflow.
        if (!ok || !std::isfinite(rule.number) || rule.number < 1e-6 || rule.number > 1e9) {
            fail(texts::roundingBadIncrement(numberText));
        }
        const QString unit = words.mid(0, words.size() - 2).join(u' ');
        if (!rules.add(unit, rule)) {
            fail(texts::roundingTwice(unitconversion::canonical(unit)));
        }
    }
    return rules;
}

bool RoundingRules::add(const QString& unit, Rule rule) {
    return rules_.emplace(unitconversion::canonical(unit), rule).second;
}

double RoundingRules::apply(const QString& unit, double quantity) const {
    const auto found = rules_.find(unitconversion::canonical(unit));
    if (found == rules_.end()) {
        return quantity;
    }
    const Rule& rule = found->second;
    if (rule.direction == Direction::Exactly) {
        return rule.number;
    }
    // The count of increments, taken as a person counts them: 2.3 / 0.1 is 23, not 22.999...
    const double steps = decimal(quantity / rule.number);
    double whole = 0;
    switch (rule.direction) {
        case Direction::Up:
            whole = std::ceil(steps);
            break;
        case Direction::Down:
            whole = std::floor(steps);
            break;
        default:
            whole = std::floor(steps + 0.5);
            break;
    }
    return decimal(whole * rule.number);
}

}  // namespace veskplan
