#include "history/pricefile.h"

#include "history/fieldtext.h"
#include "history/historytexts.h"
#include "history/tablefile.h"

namespace veskplan {
namespace {

using Field = ColumnLayout::Field;

PublishedPrice priceOf(const std::map<Field, qsizetype>& columns, const QStringList& cells,
                       fieldtext::Comma comma) {
    const auto text = [&](Field field) {
        const auto found = columns.find(field);
        return found == columns.end() ? QString() : cells.value(found->second).trimmed();
    };
    const auto words = &ColumnLayout::fieldWords;
    PublishedPrice price;
    price.itemNumber = text(Field::ItemNumber);
    if (price.itemNumber.isEmpty()) {
        throw fieldtext::FieldError{historytexts::emptyField(words(Field::ItemNumber))};
    }
    price.description = text(Field::Description);
    price.unit = fieldtext::unit(text(Field::Unit), KnownUnits::ofSpellingTable());
    price.region = text(Field::Region);
    price.averagePrice =
        fieldtext::amount(text(Field::AveragePrice), words(Field::AveragePrice), comma);
    if (price.averagePrice < 0) {
        throw fieldtext::FieldError{
            historytexts::belowZero(words(Field::AveragePrice), text(Field::AveragePrice))};
    }
    price.totalCost =
        fieldtext::optionalAmount(text(Field::TotalCost), words(Field::TotalCost), comma);
    price.totalQuantity =
        fieldtext::optionalAmount(text(Field::TotalQuantity), words(Field::TotalQuantity), comma);
    if (price.totalQuantity && *price.totalQuantity <= 0) {
        throw fieldtext::FieldError{
            historytexts::notAboveZero(words(Field::TotalQuantity), text(Field::TotalQuantity))};
    }
    price.bids = fieldtext::count(text(Field::Bids));
    return price;
}

}  // namespace

std::vector<PublishedPrice> readPriceFile(const QString& path, const ColumnLayout* layout) {
    TableFile table = TableFile::open(path, kMaxPriceFileBytes, kMaxPriceFileRows);
    const std::optional<TableFile::Row> heading = table.next();
    if (!heading) {
        throw csv::ReadError(table.shownName(), 0, historytexts::noHeading());
    }
    std::map<Field, qsizetype> columns;
    try {
        columns =
            (layout ? *layout : ColumnLayout())
                .locate(heading->cells,
                        {Field::ItemNumber, Field::Description, Field::Unit, Field::Region,
                         Field::AveragePrice, Field::TotalCost, Field::TotalQuantity, Field::Bids},
                        {Field::ItemNumber, Field::Unit, Field::AveragePrice});
    } catch (const ColumnLayout::ColumnProblem& problem) {
        throw csv::ReadError(table.shownName(), heading->line, problem.reason);
    }
    std::vector<PublishedPrice> prices;
    RowFaults faults;
    while (const std::optional<TableFile::Row> row = table.next()) {
        faults.check(row->line, [&] {
            prices.push_back(priceOf(columns, row->cells, table.numberComma()));
            prices.back().line = row->line;
        });
    }
    faults.throwIfAny(table.shownName());
    return prices;
}

}  // namespace veskplan
