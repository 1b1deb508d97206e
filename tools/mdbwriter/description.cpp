#include "description.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace veskplan::mdb {
namespace {

void onlyKeys(const QJsonObject& object, const QStringList& allowed, const std::string& where) {
    for (const QString& key : object.keys()) {
        if (!allowed.contains(key)) {
            throw WriteError(where + ": unknown key \"" + key.toStdString() + "\"");
        }
    }
}

ColumnType columnType(const QString& name, const std::string& where) {
    static const std::pair<const char*, ColumnType> kTypes[] = {
        {"boolean", ColumnType::Boolean}, {"integer", ColumnType::Integer},
        {"long", ColumnType::Long},       {"double", ColumnType::Double},
        {"text", ColumnType::Text},       {"memo", ColumnType::Memo}};
    for (const auto& [text, type] : kTypes) {
        if (name == QLatin1String(text)) {
            return type;
        }
    }
    throw WriteError(where + ": unknown type \"" + name.toStdString() + "\"");
}

Value value(const QJsonValue& json, const Column& column, const std::string& where) {
    if (json.isNull()) {
        return std::monostate{};
    }
    if (json.isBool()) {
        return json.toBool();
    }
    if (json.isString()) {
        return json.toString().toStdString();
    }
    if (json.isDouble()) {
        const double number = json.toDouble();
        if (column.type == ColumnType::Double) {
            return number;
        }
        if (std::trunc(number) != number || std::fabs(number) > 9007199254740992.0) {
            throw WriteError(where + ": " + std::to_string(number) + " is not a whole number");
        }
        return static_cast<std::int64_t>(number);
    }
    throw WriteError(where + ": a value is null, true, false, a number or a text");
}

Table table(const QJsonObject& json) {
    Table out;
    out.name = json.value("name").toString().toStdString();
    const std::string where = "table \"" + out.name + "\"";
    onlyKeys(json, {"name", "columns", "indexes", "rows"}, where);
    for (const QJsonValue& entry : json.value("columns").toArray()) {
        const QJsonObject object = entry.toObject();
        Column column;
        column.name = object.value("name").toString().toStdString();
        const std::string at = where + ", column \"" + column.name + "\"";
        onlyKeys(object, {"name", "type", "size", "nullable", "compress"}, at);
        column.type = columnType(object.value("type").toString(), at);
        column.maxChars = object.value("size").toInt(0);
        column.nullable = object.value("nullable").toBool(true);
        column.compressText = object.value("compress").toBool(true);
        out.columns.push_back(column);
    }
    for (const QJsonValue& entry : json.value("indexes").toArray()) {
        const QJsonObject object = entry.toObject();
        Index index;
        index.name = object.value("name").toString().toStdString();
        onlyKeys(object, {"name", "columns", "primary", "unique"},
                 where + ", index \"" + index.name + "\"");
        for (const QJsonValue& column : object.value("columns").toArray()) {
            index.columns.push_back(column.toString().toStdString());
        }
        index.primary = object.value("primary").toBool(false);
        index.unique = object.value("unique").toBool(false);
        out.indexes.push_back(index);
    }
    const QJsonArray rows = json.value("rows").toArray();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QJsonArray values = rows[r].toArray();
        const std::string at = where + ", row " + std::to_string(r + 1);
        if (values.size() != static_cast<qsizetype>(out.columns.size())) {
            throw WriteError(at + ": " + std::to_string(values.size()) + " values for " +
                             std::to_string(out.columns.size()) + " columns");
        }
        Row row;
        for (qsizetype c = 0; c < values.size(); ++c) {
            row.push_back(value(values[c], out.columns[static_cast<std::size_t>(c)], at));
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

}  // namespace

Database parseDescription(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull()) {
        throw WriteError("not JSON: " + error.errorString().toStdString() + " at offset " +
                         std::to_string(error.offset));
    }
    const QJsonObject root = document.object();
    onlyKeys(root, {"tables"}, "description");
    Database database;
    for (const QJsonValue& entry : root.value("tables").toArray()) {
        database.tables.push_back(table(entry.toObject()));
    }
    return database;
}

}  // namespace veskplan::mdb
