#include "history/bidfile.h"

#include "history/fieldtext.h"
#include "history/historytexts.h"
#include "history/tablefile.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = ColumnLayout::Field;

const std::vector<Field> kWanted = {Field::ItemNumber, Field::Description, Field::Unit,
                                    Field::Quantity,   Field::UnitPrice,   Field::LettingDate,
                                    Field::Contract,   Field::BidderRank,  Field::LowBidder,
                                    Field::Region,     Field::Bidder};
const std::vector<Field> kRequired = {Field::ItemNumber, Field::Unit,        Field::Quantity,
                                      Field::UnitPrice,  Field::LettingDate, Field::Contract};

class Cells {
public:
    Cells(const std::map<Field, qsizetype>& columns, const QStringList& cells)
        : columns_(columns), cells_(cells) {}

    QString text(Field field) const {
        const auto found = columns_.find(field);
        return found == columns_.end() ? QString() : cells_.value(found->second).trimmed();
    }
    QString required(Field field) const {
        QString value = text(field);
        if (value.isEmpty()) {
            throw fieldtext::FieldError{historytexts::emptyField(ColumnLayout::fieldWords(field))};
        }
        return value;
    }

private:
    const std::map<Field, qsizetype>& columns_;
    const QStringList& cells_;
};

BidRecord bidOf(const Cells& cells, const TableFile& table, const KnownUnits& units) {
    BidRecord bid;
    bid.itemNumber = cells.required(Field::ItemNumber);
    bid.description = cells.text(Field::Description);
    bid.unit = fieldtext::unit(cells.text(Field::Unit), units);
    const QString quantity = cells.text(Field::Quantity);
    bid.quantity =
        fieldtext::amount(quantity, ColumnLayout::fieldWords(Field::Quantity), table.numberComma());
    if (bid.quantity <= 0) {
        throw fieldtext::FieldError{
            historytexts::notAboveZero(ColumnLayout::fieldWords(Field::Quantity), quantity)};
    }
    const QString price = cells.text(Field::UnitPrice);
    bid.unitPrice =
        fieldtext::amount(price, ColumnLayout::fieldWords(Field::UnitPrice), table.numberComma());
    if (bid.unitPrice < 0) {
        throw fieldtext::FieldError{
            historytexts::belowZero(ColumnLayout::fieldWords(Field::UnitPrice), price)};
    }
    bid.lettingDate = fieldtext::date(cells.text(Field::LettingDate), table.isWorkbook());
    bid.contract = cells.required(Field::Contract);
    bid.bidderRank = fieldtext::rank(cells.text(Field::BidderRank));
    bid.lowBidder = fieldtext::flag(cells.text(Field::LowBidder));
    bid.region = cells.text(Field::Region);
    return bid;
}

}  // namespace

const std::vector<Field>& BidFile::wantedFields() {
    return kWanted;
}

const std::vector<Field>& BidFile::requiredFields() {
    return kRequired;
}

BidFile::Heading BidFile::heading(const QString& path) {
    TableFile table = TableFile::open(path, kMaxBytes, kMaxRows);
    const std::optional<TableFile::Row> row = table.next();
    if (!row) {
        throw csv::ReadError(table.shownName(), 0, historytexts::noHeading());
    }
    try {
        ColumnLayout().locate(row->cells, {}, {});  // a heading twice
    } catch (const ColumnLayout::ColumnProblem& problem) {
        throw csv::ReadError(table.shownName(), row->line, problem.reason);
    }
    return Heading{table.shownName(), row->line, row->cells};
}

std::optional<QString> BidFile::unrecognised(const QStringList& headings) {
    try {
        ColumnLayout().locate(headings, kWanted, kRequired);
        return std::nullopt;
    } catch (const ColumnLayout::ColumnProblem& problem) {
        return problem.reason;
    }
}

bool BidFile::isEngineersEstimate(const QString& bidder) {
    QString key = bidder.toLower();
    key.remove(u'\'');
    key.remove(u'\u2019');  // a typographic apostrophe
    key.replace(u'_', u' ');
    key = key.simplified();
    return key == u"engineers estimate"_s || key == u"engineer s estimate"_s ||
           key == u"engineer estimate"_s;
}

BidFile::Counts BidFile::read(const QString& path, const ColumnLayout* layout,
                              const KnownUnits& units,
                              const std::function<void(const BidRecord&)>& take) {
    TableFile table = TableFile::open(path, kMaxBytes, kMaxRows);
    const std::optional<TableFile::Row> heading = table.next();
    if (!heading) {
        throw csv::ReadError(table.shownName(), 0, historytexts::noHeading());
    }
    std::map<Field, qsizetype> columns;
    try {
        columns = (layout ? *layout : ColumnLayout()).locate(heading->cells, kWanted, kRequired);
    } catch (const ColumnLayout::ColumnProblem& problem) {
        throw csv::ReadError(table.shownName(), heading->line, problem.reason);
    }
    Counts counts;
    RowFaults faults;
    while (const std::optional<TableFile::Row> row = table.next()) {
        const Cells cells(columns, row->cells);
        if (isEngineersEstimate(cells.text(Field::Bidder))) {
            ++counts.estimateRows;
            continue;
        }
        BidRecord bid;
        // After a fault the rows are only checked: the file is refused whole.
        if (faults.check(row->line, [&] { bid = bidOf(cells, table, units); }) && !faults.any()) {
            take(bid);
            ++counts.bids;
        }
    }
    faults.throwIfAny(table.shownName());
    return counts;
}

}  // namespace veskplan
