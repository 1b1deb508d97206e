#include "files/recoverystate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/error.h"
#include "base/numbertext.h"
#include "base/sqlitedb.h"
#include "files/filestexts.h"
#include "project/projectdocument.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

QString pricesJson(const ProjectPrices& prices) {
    QJsonArray items;
    for (const auto& [key, price] : prices.items()) {
        items.append(QJsonObject{{u"cat"_s, key.cat},
                                 {u"item"_s, key.itemNumber},
                                 {u"description"_s, key.description},
                                 {u"price"_s, price.unitPrice},
                                 {u"unit"_s, price.unit},
                                 {u"kind"_s, priceKindCode(price.kind)},
                                 {u"note"_s, price.note}});
    }
    QJsonObject object{{u"items"_s, items}};
    if (prices.mobilizationPercent()) {
        object.insert(u"mobilization"_s, *prices.mobilizationPercent());
    }
    if (prices.contingencyPercent()) {
        object.insert(u"contingency"_s, *prices.contingencyPercent());
    }
    if (prices.milestone()) {
        object.insert(u"milestone"_s, milestone::code(*prices.milestone()));
    }
    QJsonArray setup;
    for (const auto& [name, value] : prices.estimateSetup().values()) {
        setup.append(QJsonArray{name, value});
    }
    if (!setup.isEmpty()) {
        object.insert(u"setup"_s, setup);
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// What cannot be a price is left out, as anything else out of range is.
ProjectPrices pricesFromJson(const QString& text) {
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    ProjectPrices prices;
    for (const QJsonValue& value : object.value(u"items"_s).toArray()) {
        const QJsonObject item = value.toObject();
        const auto kind = priceKindFromCode(item.value(u"kind"_s).toString());
        const double unitPrice = item.value(u"price"_s).toDouble(-1);
        if (kind && ProjectPrices::isValidUnitPrice(unitPrice)) {
            prices.set(ItemKey{item.value(u"cat"_s).toString(), item.value(u"item"_s).toString(),
                               item.value(u"description"_s).toString()},
                       ItemPrice{unitPrice, item.value(u"unit"_s).toString(), *kind,
                                 item.value(u"note"_s).toString()});
        }
    }
    for (const auto& [name, set] :
         {std::pair(u"mobilization"_s, &ProjectPrices::setMobilizationPercent),
          std::pair(u"contingency"_s, &ProjectPrices::setContingencyPercent)}) {
        const double percent = object.value(name).toDouble(-1);
        if (ProjectPrices::isValidPercent(percent)) {
            (prices.*set)(percent);
        }
    }
    prices.setMilestone(milestone::fromCode(object.value(u"milestone"_s).toString()));
    EstimateSetup::Values setup;
    for (const QJsonValue& value : object.value(u"setup"_s).toArray()) {
        const QJsonArray pair = value.toArray();
        setup.emplace_back(pair.at(0).toString(), pair.at(1).toString());
    }
    try {
        prices.setEstimateSetup(EstimateSetup::fromValues(setup));
    } catch (const Error&) {
        // A damaged setup is left out, as a price out of range is: the items come back whole.
    }
    return prices;
}

QString takeoffJson(const TakeoffImportRecord& record) {
    QJsonArray files;
    for (const TakeoffImportRecord::File& file : record.files()) {
        files.append(QJsonArray{file.name, file.sha256, file.date.toString(Qt::ISODate)});
    }
    QJsonArray items;
    for (const auto& [key, quantity] : record.quantities()) {
        items.append(QJsonArray{key.first, key.second, quantity});
    }
    return QString::fromUtf8(QJsonDocument(QJsonObject{{u"files"_s, files}, {u"items"_s, items}})
                                 .toJson(QJsonDocument::Compact));
}

// What cannot be part of the record is left out.
TakeoffImportRecord takeoffFromJson(const QString& text) {
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    TakeoffImportRecord record;
    for (const QJsonValue entry : object.value(u"files"_s).toArray()) {
        const QJsonArray fields = entry.toArray();
        const TakeoffImportRecord::File file{
            fields.at(0).toString(), fields.at(1).toString(),
            QDate::fromString(fields.at(2).toString(), Qt::ISODate)};
        if (!file.name.isEmpty() && TakeoffImportRecord::isHash(file.sha256) &&
            file.date.isValid() && record.files().size() < TakeoffImportRecord::kMaxFiles) {
            record.addFile(file);
        }
    }
    for (const QJsonValue entry : object.value(u"items"_s).toArray()) {
        const QJsonArray fields = entry.toArray();
        const double quantity = fields.at(2).toDouble(-1);
        if (TakeoffImportRecord::isQuantity(quantity) &&
            record.quantities().size() < size_t(TakeoffImportRecord::kMaxItems)) {
            record.setQuantity(fields.at(0).toString(), fields.at(1).toString(), quantity);
        }
    }
    return record;
}

}  // namespace

RecoveryState RecoveryState::read(const std::map<QString, QString>& values) {
    auto value = [&values](const QString& key) {
        const auto found = values.find(key);
        return found == values.end() ? QString() : found->second;
    };
    RecoveryState state;
    state.fileName = value(u"fileName"_s);
    state.untitled = value(u"untitled"_s) != u"0"_s;
    state.header.projNum = value(u"projNum"_s).left(HeaderFields::kProjectNumberLength);
    state.header.designer = value(u"designer"_s);
    const int month = numbertext::wholeNumber(value(u"letMonth"_s)).value_or(-1);
    state.header.letMonth = month >= 0 && month < 12 ? month : -1;
    const QJsonObject categories =
        QJsonDocument::fromJson(value(u"categories"_s).toUtf8()).object();
    const QJsonArray numbers = categories.value(u"numbers"_s).toArray();
    const QJsonArray descriptions = categories.value(u"descriptions"_s).toArray();
    for (qsizetype i = 0; i < numbers.size() && i <= CategoryList::kLastCategory; ++i) {
        state.categories.append(numbers[i].toString(), descriptions.at(i).toString());
    }
    state.storedMasterDate = value(u"masterDate"_s);
    state.unitIndex = value(u"unit"_s) == u"1"_s ? 1 : 0;
    std::vector<QuantityReviews::Entry> reviews;
    for (const QJsonValue entry : QJsonDocument::fromJson(value(u"reviews"_s).toUtf8()).array()) {
        const QJsonArray fields = entry.toArray();
        reviews.push_back({fields.at(0).toString(), fields.at(1).toString(),
                           fields.at(2).toString(), fields.at(3).toString()});
    }
    state.reviews = QuantityReviews::fromEntries(reviews);
    state.prices = pricesFromJson(value(u"prices"_s));
    state.takeoff = takeoffFromJson(value(u"takeoff"_s));
    state.modified = value(u"modified"_s) == u"1"_s;
    state.replacing = value(u"replacing"_s) == u"1"_s;
    return state;
}

std::vector<std::pair<QString, QString>> RecoveryState::valuesOf(const ProjectDocument& document) {
    const CategoryList& list = document.categories();
    const QJsonObject categories{
        {u"numbers"_s, QJsonArray::fromStringList(list.numbers())},
        {u"descriptions"_s, QJsonArray::fromStringList(list.descriptions())}};
    const HeaderFields& header = document.header();
    QJsonArray reviews;
    for (const QuantityReviews::Entry& entry : document.quantityReviews().entries()) {
        reviews.append(
            QJsonArray{entry.cat, entry.itemNumber, entry.description, entry.formerUnit});
    }
    return {
        {u"fileName"_s, document.fileName()},
        {u"untitled"_s, document.isUntitled() ? u"1"_s : u"0"_s},
        {u"projNum"_s, header.projNum},
        {u"designer"_s, header.designer},
        {u"letMonth"_s, QString::number(header.letMonth)},
        {u"categories"_s,
         QString::fromUtf8(QJsonDocument(categories).toJson(QJsonDocument::Compact))},
        {u"masterDate"_s, document.storedMasterDate()},
        {u"unit"_s, QString::number(document.unitIndex())},
        {u"reviews"_s, QString::fromUtf8(QJsonDocument(reviews).toJson(QJsonDocument::Compact))},
        {u"prices"_s, pricesJson(document.prices())},
        {u"takeoff"_s, takeoffJson(document.takeoffRecord())},
        {u"modified"_s, document.isModified() ? u"1"_s : u"0"_s},
    };
}

RecoveryWriter::RecoveryWriter(ProjectDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    for (auto signal : {&ProjectDocument::headerChanged, &ProjectDocument::categoriesChanged,
                        &ProjectDocument::fileChanged, &ProjectDocument::quantityReviewsChanged,
                        &ProjectDocument::pricesChanged, &ProjectDocument::takeoffRecordChanged}) {
        connect(&document_, signal, this, &RecoveryWriter::keep);
    }
    connect(&document_, &ProjectDocument::modifiedChanged, this, &RecoveryWriter::keep);
    keep();
}

void RecoveryWriter::keep() {
    // Most changes are to items, which are in the working copy already: only what differs from
    // the last write is written.
    std::vector<std::pair<QString, QString>> changed;
    for (auto& [key, value] : RecoveryState::valuesOf(document_)) {
        const auto known = written_.find(key);
        if (known == written_.end() || known->second != value) {
            changed.emplace_back(key, std::move(value));
        }
    }
    write(std::move(changed));
}

void RecoveryWriter::write(std::vector<std::pair<QString, QString>> values) {
    if (values.empty()) {
        return;
    }
    try {
        document_.items().writeState(values);
        for (auto& [key, value] : values) {
            written_[key] = std::move(value);
        }
    } catch (const SqliteError& error) {
        Q_EMIT writeFailed(texts::workingCopyNotWritten(error.reason()));
    }
}

RecoveryWriter::Replacing::Replacing(RecoveryWriter& writer) : writer_(writer) {
    writer_.write({{u"replacing"_s, u"1"_s}});
}

RecoveryWriter::Replacing::~Replacing() {
    writer_.write({{u"replacing"_s, u"0"_s}});
}

}  // namespace veskplan
