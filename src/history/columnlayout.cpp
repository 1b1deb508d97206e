#include "history/columnlayout.h"

#include <QDir>
#include <algorithm>
#include <array>

#include "base/boundedfile.h"
#include "base/csv.h"
#include "history/historytexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = ColumnLayout::Field;

struct FieldNames {
    Field field;
    const char16_t* plain;
    const char16_t* words;
    std::array<const char16_t*, 10> aliases;  // as they are compared: lower case, single blanks
};

// Plain headings first, then those of the bid tabulations and price reports agencies publish,
// among them the open-data exports of bid tabulations, whose headings are the published column
// names in lower case with "_" for blanks and for anything else but letters and digits
// ("control_section_job_csj", "engineer_s_estimate_unit"). Every alias belongs to one field
// only: a heading that gives one field never gives another.
constexpr FieldNames kFields[] = {
    {Field::ItemNumber,
     u"Item Number",
     u"item number",
     {u"item number", u"bid code", u"item", u"item no", u"item code", u"pay item",
      u"bid item number", u"bid item code", u"", u""}},
    {Field::Description,
     u"Description",
     u"description",
     {u"description", u"bid item description", u"item description", u"item desc", u"", u"", u"",
      u"", u"", u""}},
    {Field::Unit,
     u"Unit",
     u"unit",
     {u"unit", u"measurement unit", u"unit of measure", u"units", u"uom", u"unit measure", u"", u"",
      u"", u""}},
    {Field::Quantity,
     u"Quantity",
     u"quantity",
     {u"quantity", u"bid item quantity", u"qty", u"bid quantity", u"item quantity", u"", u"", u"",
      u"", u""}},
    {Field::UnitPrice,
     u"Unit Price",
     u"unit price",
     {u"unit price", u"bid item unit price amount", u"bid unit price", u"unit bid price", u"", u"",
      u"", u"", u"", u""}},
    {Field::LettingDate,
     u"Letting Date",
     u"letting date",
     {u"letting date", u"project actual let date", u"let date", u"bid opening date", u"", u"", u"",
      u"", u"", u""}},
    {Field::Contract,
     u"Contract",
     u"contract",
     {u"contract", u"contract number", u"contract id", u"proposal", u"proposal id", u"contract no",
      u"control section job csj", u"control section job", u"csj", u""}},
    {Field::BidderRank,
     u"Bidder Rank",
     u"bidder rank",
     {u"bidder rank", u"bid rank sequence number", u"rank", u"vendor rank", u"bid rank", u"", u"",
      u"", u"", u""}},
    {Field::LowBidder,
     u"Low Bidder",
     u"low bidder flag",
     {u"low bidder", u"low bidder flag", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::Region,
     u"Region",
     u"region",
     {u"region", u"district division", u"district", u"", u"", u"", u"", u"", u"", u""}},
    {Field::AveragePrice,
     u"Average Unit Price",
     u"average unit price",
     {u"average unit price", u"average price", u"weighted average price", u"", u"", u"", u"", u"",
      u"", u""}},
    {Field::TotalCost,
     u"Total Cost",
     u"total cost",
     {u"total cost", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::TotalQuantity,
     u"Total Quantity",
     u"total quantity",
     {u"total quantity", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::Bids,
     u"Bids",
     u"number of bids",
     {u"bids", u"number of bids", u"bid count", u"", u"", u"", u"", u"", u"", u""}},
    {Field::Bidder,
     u"Bidder",
     u"bidder",
     {u"bidder", u"bidder name", u"vendor", u"vendor name", u"contractor", u"contractor name", u"",
      u"", u"", u""}},
    {Field::ExtendedAmount,
     u"Extended Amount",
     u"extended amount",
     {u"extended amount", u"bid total amount", u"extended price", u"bid item total amount", u"",
      u"", u"", u"", u"", u""}},
    {Field::EstimateUnitPrice,
     u"Estimate Unit Price",
     u"engineer's estimate unit price",
     {u"estimate unit price", u"engineer s estimate unit", u"engineer s estimate unit price",
      u"engineer's estimate unit price", u"engineers estimate unit price",
      u"engineer estimate unit price", u"", u"", u"", u""}},
    {Field::Category,
     u"Category",
     u"category",
     {u"category", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::Sheet, u"Sheet", u"sheet", {u"sheet", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::StationFrom,
     u"Station From",
     u"station from",
     {u"station from", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::StationTo,
     u"Station To",
     u"station to",
     {u"station to", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::Station,
     u"Station",
     u"station",
     {u"station", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
    {Field::Object, u"Object", u"object", {u"object", u"", u"", u"", u"", u"", u"", u"", u"", u""}},
};

const FieldNames& namesOf(Field field) {
    for (const FieldNames& names : kFields) {
        if (names.field == field) {
            return names;
        }
    }
    return kFields[0];  // every field is in the table
}

QString comparable(const QString& heading) {
    QString key = heading.toLower();
    key.replace(u'_', u' ');
    return key.simplified();
}

}  // namespace

const std::vector<Field>& ColumnLayout::allFields() {
    static const std::vector<Field> fields = [] {
        std::vector<Field> all;
        for (const FieldNames& names : kFields) {
            all.push_back(names.field);
        }
        return all;
    }();
    return fields;
}

QString ColumnLayout::plainHeading(Field field) {
    return QString::fromUtf16(namesOf(field).plain);
}

QString ColumnLayout::fieldWords(Field field) {
    return QString::fromUtf16(namesOf(field).words);
}

void ColumnLayout::name(Field field, const QString& heading) {
    headings_[field] = heading;
}

std::optional<QString> ColumnLayout::headingOf(Field field) const {
    const auto found = headings_.find(field);
    return found == headings_.end() ? std::nullopt : std::optional<QString>(found->second);
}

ColumnLayout ColumnLayout::read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QByteArray bytes;
    try {
        bytes = boundedfile::readAll(path, kMaxBytes);
    } catch (const Error& error) {
        throw csv::ReadError(shown, 0, error.message());
    }
    ColumnLayout layout;
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const int number = int(i + 1);
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || line.mid(equals + 1).trimmed().isEmpty()) {
            throw csv::ReadError(shown, number, historytexts::layoutLineMalformed());
        }
        const QString fieldText = line.left(equals).trimmed();
        const FieldNames* found = nullptr;
        for (const FieldNames& names : kFields) {
            if (comparable(fieldText) == comparable(QString::fromUtf16(names.plain))) {
                found = &names;
            }
        }
        if (found == nullptr) {
            throw csv::ReadError(shown, number, historytexts::layoutUnknownField(fieldText));
        }
        if (layout.headings_.count(found->field) > 0) {
            throw csv::ReadError(shown, number, historytexts::layoutFieldTwice(fieldText));
        }
        layout.name(found->field, line.mid(equals + 1).trimmed());
    }
    return layout;
}

std::map<Field, qsizetype> ColumnLayout::locate(const QStringList& headings,
                                                const std::vector<Field>& wanted,
                                                const std::vector<Field>& required) const {
    QStringList keys;
    for (const QString& heading : headings) {
        const QString key = comparable(heading);
        if (!key.isEmpty() && keys.contains(key)) {
            throw ColumnProblem{historytexts::duplicateHeading(heading.trimmed())};
        }
        keys.append(key);
    }
    std::map<Field, qsizetype> columns;
    for (Field field : wanted) {
        if (const std::optional<QString> named = headingOf(field)) {
            const qsizetype at = keys.indexOf(comparable(*named));
            if (at < 0) {
                throw ColumnProblem{historytexts::missingLayoutColumn(fieldWords(field), *named)};
            }
            columns[field] = at;
            continue;
        }
        for (const char16_t* alias : namesOf(field).aliases) {
            const qsizetype at = keys.indexOf(QString::fromUtf16(alias));
            if (*alias == 0 || at < 0) {
                continue;
            }
            const auto [placed, fresh] = columns.emplace(field, at);
            if (!fresh) {
                const qsizetype left = std::min(placed->second, at);
                const qsizetype right = std::max(placed->second, at);
                throw ColumnProblem{historytexts::twoColumnsForField(
                    fieldWords(field), headings[left].trimmed(), headings[right].trimmed())};
            }
        }
    }
    for (Field field : required) {
        if (columns.count(field) == 0) {
            throw ColumnProblem{historytexts::missingColumn(fieldWords(field))};
        }
    }
    return columns;
}

}  // namespace veskplan
