#include "takeoff/takeofflayout.h"

#include <QDir>
#include <QHash>
#include <set>

#include "base/apppaths.h"
#include "base/boundedfile.h"
#include "base/error.h"
#include "takeoff/takeofftexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = TakeoffLayout::Field;

// A heading as compared: blanks, case, underscores and full stops do not matter.
QString comparable(const QString& heading) {
    QString text = heading;
    text.replace(u'_', u' ').remove(u'.');
    return text.simplified().toUpper();
}

const QHash<QString, Field>& knownHeadings() {
    static const QHash<QString, Field> table = [] {
        const std::vector<std::pair<Field, QStringList>> names = {
            {Field::ItemNumber,
             {u"Pay Item ID"_s, u"Pay Item"_s, u"Pay Item Number"_s, u"Pay Item No"_s,
              u"Item Number"_s, u"Item No"_s, u"Item ID"_s, u"Item"_s}},
            {Field::Description,
             {u"Description"_s, u"Pay Item Description"_s, u"Item Description"_s}},
            {Field::Quantity, {u"Quantity"_s, u"Qty"_s, u"Total Quantity"_s, u"Plan Quantity"_s}},
            {Field::Unit, {u"Unit"_s, u"Units"_s, u"Unit of Measure"_s, u"UOM"_s}},
            {Field::Category, {u"Category"_s}},
            {Field::Sheet, {u"Sheet"_s, u"Sheet Number"_s, u"Sheet No"_s}},
            {Field::StationFrom,
             {u"Station From"_s, u"Start Station"_s, u"From Station"_s, u"Begin Station"_s}},
            {Field::StationTo, {u"Station To"_s, u"End Station"_s, u"To Station"_s}},
            {Field::Station, {u"Station"_s, u"Station Range"_s, u"Stations"_s}},
            {Field::Object, {u"Object"_s, u"Object Name"_s, u"Object ID"_s, u"Element"_s}},
        };
        QHash<QString, Field> byName;
        for (const auto& [field, headings] : names) {
            for (const QString& heading : headings) {
                byName.insert(comparable(heading), field);
            }
        }
        return byName;
    }();
    return table;
}

std::optional<QString> categoryNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int number = trimmed.toInt(&ok);
    if (!ok || trimmed.size() > 2 || number < 1 || number > 99) {
        return std::nullopt;
    }
    return QString::number(number).rightJustified(2, u'0');
}

}  // namespace

const std::vector<Field>& TakeoffLayout::allFields() {
    static const std::vector<Field> fields = {
        Field::ItemNumber, Field::Description, Field::Quantity,  Field::Unit,    Field::Category,
        Field::Sheet,      Field::StationFrom, Field::StationTo, Field::Station, Field::Object};
    return fields;
}

QString TakeoffLayout::keptLayoutsIn(const QString& userDataDir) {
    return joinPath(userDataDir, u"takeoff-layouts.csv"_s);
}

const std::vector<Field>& TakeoffLayout::requiredFields() {
    static const std::vector<Field> fields = {Field::ItemNumber, Field::Quantity};
    return fields;
}

QString TakeoffLayout::plainHeading(Field field) {
    return ColumnLayout::plainHeading(field);
}

QString TakeoffLayout::fieldWords(Field field) {
    return plainHeading(field).toLower();
}

TakeoffLayout TakeoffLayout::read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QStringList lines;
    try {
        lines = QString::fromUtf8(boundedfile::readAll(path, kMaxBytes)).split(u'\n');
    } catch (const Error& error) {
        throw Error(texts::layoutUnreadable(shown, 0, error.message()));
    }
    TakeoffLayout layout;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const auto fail = [&](const QString& reason) {
            throw Error(texts::layoutUnreadable(shown, int(i + 1), reason));
        };
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || equals == line.size() - 1) {
            fail(texts::layoutNotARule());
        }
        const QString left = line.left(equals).trimmed();
        const QString right = line.mid(equals + 1).trimmed();
        const QString word = left.section(u' ', 0, 0).toUpper();
        if (word == u"PREFIX"_s || (word == u"CATEGORY"_s && left.contains(u' '))) {
            const std::optional<QString> category = categoryNumber(right);
            if (!category) {
                fail(texts::layoutNotACategory(right));
            }
            const QString key = left.section(u' ', 1).trimmed();
            if (word == u"PREFIX"_s) {
                layout.addPrefixRule(key, *category);
            } else {
                layout.mapCategory(key, *category);
            }
            continue;
        }
        const auto known = std::find_if(allFields().begin(), allFields().end(), [&](Field f) {
            return comparable(plainHeading(f)) == comparable(left);
        });
        if (known == allFields().end()) {
            fail(texts::layoutUnknownField(left));
        }
        layout.name(*known, right);
    }
    return layout;
}

void TakeoffLayout::addPrefixRule(const QString& prefix, const QString& category) {
    prefixes_.emplace_back(prefix, category);
}

void TakeoffLayout::mapCategory(const QString& text, const QString& category) {
    categoryTexts_[text.simplified().toUpper()] = category;
}

std::map<Field, qsizetype> TakeoffLayout::locate(const QStringList& headings) const {
    for (auto named = headings_.begin(); named != headings_.end(); ++named) {
        for (auto other = headings_.begin(); other != named; ++other) {
            if (comparable(other->second) == comparable(named->second)) {
                throw ColumnProblem{texts::takeoffHeadingForTwoFields(
                    named->second, fieldWords(other->first), fieldWords(named->first))};
            }
        }
    }
    std::map<Field, qsizetype> columns;
    for (qsizetype column = 0; column < headings.size(); ++column) {
        const QString heading = comparable(headings[column]);
        if (heading.isEmpty()) {
            continue;
        }
        for (qsizetype other = 0; other < column; ++other) {
            if (comparable(headings[other]) == heading) {
                throw ColumnProblem{texts::takeoffDuplicateHeading(headings[column].trimmed())};
            }
        }
        std::optional<Field> field;
        for (const auto& [named, namedHeading] : headings_) {
            if (comparable(namedHeading) == heading) {
                field = named;
            }
        }
        if (!field) {
            const auto known = knownHeadings().constFind(heading);
            // A heading this layout gives to another field is not taken by its name.
            if (known == knownHeadings().cend() || headings_.count(*known) > 0) {
                continue;
            }
            field = *known;
        }
        if (!columns.emplace(*field, column).second) {
            throw ColumnProblem{texts::takeoffTwoColumns(fieldWords(*field))};
        }
    }
    for (const auto& [field, heading] : headings_) {
        if (columns.count(field) == 0) {
            throw ColumnProblem{texts::takeoffNoColumnCalled(fieldWords(field), heading)};
        }
    }
    for (Field field : requiredFields()) {
        if (columns.count(field) == 0) {
            // Where the layout names columns, it names too few; else the row is not known.
            throw ColumnProblem{headings_.empty() ? texts::takeoffNoHeading()
                                                  : texts::takeoffNoColumnFor(fieldWords(field)),
                                true};
        }
    }
    return columns;
}

TakeoffLayout TakeoffLayout::withColumns(const ColumnLayout& columns) const {
    TakeoffLayout layout = *this;
    layout.headings_.clear();
    for (Field field : allFields()) {
        if (const std::optional<QString> heading = columns.headingOf(field)) {
            layout.name(field, *heading);
        }
    }
    return layout;
}

ColumnLayout TakeoffLayout::proposal(const QStringList& headings) {
    std::map<Field, QString> found;
    std::set<Field> twice;  // two columns that claim a field leave it to the designer
    for (const QString& heading : headings) {
        const auto known = knownHeadings().constFind(comparable(heading));
        if (known != knownHeadings().cend() && !found.emplace(*known, heading.trimmed()).second) {
            twice.insert(*known);
        }
    }
    ColumnLayout proposed;
    for (const auto& [field, heading] : found) {
        if (twice.count(field) == 0) {
            proposed.name(field, heading);
        }
    }
    return proposed;
}

bool TakeoffLayout::namesItemNumber(const QStringList& cells) const {
    const auto named = headings_.find(Field::ItemNumber);
    for (const QString& cell : cells) {
        const QString heading = comparable(cell);
        if (named != headings_.end()
                ? heading == comparable(named->second)
                : knownHeadings().value(heading, Field::Object) == Field::ItemNumber) {
            return true;
        }
    }
    return false;
}

std::optional<QString> TakeoffLayout::categoryOfText(const QString& text) const {
    if (const std::optional<QString> number = categoryNumber(text)) {
        return number;
    }
    const auto mapped = categoryTexts_.find(text.simplified().toUpper());
    if (mapped == categoryTexts_.end()) {
        return std::nullopt;
    }
    return mapped->second;
}

std::optional<QString> TakeoffLayout::categoryOfPrefix(const QString& itemNumber) const {
    std::optional<QString> category;
    qsizetype longest = -1;
    for (const auto& [prefix, target] : prefixes_) {
        if (itemNumber.startsWith(prefix) && prefix.size() > longest) {
            longest = prefix.size();
            category = target;
        }
    }
    return category;
}

}  // namespace veskplan
