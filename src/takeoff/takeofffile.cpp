#include "takeoff/takeofffile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>

#include "base/csv.h"
#include "base/texts.h"
#include "history/tablefile.h"
#include "takeoff/takeofftexts.h"
#include "takeoff/unitconversion.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = TakeoffLayout::Field;

// A reason for one line, for the reader to name the file and the line.
struct LineFault {
    QString reason;
};

bool allDigits(QStringView text) {
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return !text.isEmpty();
}

// "1,250,000" with `separator` between groups of three digits after the first one to three.
bool grouped(QStringView text, QChar separator) {
    const QList<QStringView> groups = text.split(separator);
    if (groups.size() < 2 || groups[0].size() > 3 || !allDigits(groups[0])) {
        return false;
    }
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups[i].size() != 3 || !allDigits(groups[i])) {
            return false;
        }
    }
    return true;
}

// The number in C form ("1250.5"), or nothing when the text is none.
std::optional<QString> plainNumber(QStringView text, bool semicolons) {
    const qsizetype comma = text.indexOf(u',');
    const qsizetype point = text.lastIndexOf(u'.');
    const auto decimalsOk = [](QStringView decimals) {
        return decimals.isEmpty() || allDigits(decimals);
    };
    if (comma < 0 && semicolons && point >= 0) {
        // Where the comma is the decimal point, points separate thousands: "1.250.000".
        if (grouped(text, u'.') && text.count(u'.') > 1) {
            return text.toString().remove(u'.');
        }
        if (text.size() - point - 1 == 3 && point > 0) {
            throw LineFault{texts::takeoffUnclearSeparator(text.toString())};
        }
    }
    if (comma < 0) {
        const QStringView whole = point < 0 ? text : text.left(point);
        const QStringView decimals = point < 0 ? QStringView() : text.mid(point + 1);
        if ((whole.isEmpty() ? decimals.isEmpty() : !allDigits(whole)) || !decimalsOk(decimals)) {
            return std::nullopt;
        }
        return text.toString();
    }
    if (point > comma || !semicolons) {
        // Commas between thousands, before an optional decimal point.
        const QStringView whole = point > comma ? text.left(point) : text;
        const QStringView decimals = point > comma ? text.mid(point + 1) : QStringView();
        if (!grouped(whole, u',') || !decimalsOk(decimals)) {
            return std::nullopt;
        }
        return whole.toString().remove(u',') +
               (point > comma ? u'.' + decimals.toString() : QString());
    }
    // A decimal comma, thousands separated by points or not at all.
    const QStringView whole = text.left(comma);
    const QStringView decimals = text.mid(comma + 1);
    if (!allDigits(decimals) || !(allDigits(whole) || grouped(whole, u'.'))) {
        return std::nullopt;
    }
    if (point < 0 && decimals.size() == 3) {
        throw LineFault{texts::takeoffUnclearSeparator(text.toString())};
    }
    return whole.toString().remove(u'.') + u'.' + decimals.toString();
}

QString whereOf(const QStringList& cells, const std::map<Field, qsizetype>& columns) {
    const auto cell = [&](Field field) {
        const auto column = columns.find(field);
        return column == columns.end() ? QString() : cells.value(column->second).trimmed();
    };
    QStringList parts;
    const QString sheet = cell(Field::Sheet);
    const QString from = cell(Field::StationFrom);
    const QString to = cell(Field::StationTo);
    const QString station = cell(Field::Station);
    const QString object = cell(Field::Object);
    if (!sheet.isEmpty()) {
        parts.append(u"sheet "_s + sheet);
    }
    if (!from.isEmpty() || !to.isEmpty()) {
        parts.append(from + u" to "_s + to);
    }
    if (!station.isEmpty()) {
        parts.append(station);
    }
    if (!object.isEmpty()) {
        parts.append(object);
    }
    return parts.join(u", "_s);
}

}  // namespace

TakeoffFile::Quantity TakeoffFile::parseQuantity(QStringView text, bool semicolons) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        throw Error(texts::takeoffNoQuantity());
    }
    // No number a report writes is this long; anything longer is not converted at all.
    if (trimmed.size() > 40) {
        throw Error(texts::takeoffNotANumber(trimmed.left(40).toString() + u"..."_s));
    }
    qsizetype end = 0;
    const bool negative = trimmed.startsWith(u'-');
    if (negative || trimmed.startsWith(u'+')) {
        end = 1;
    }
    while (end < trimmed.size() &&
           (trimmed[end].isDigit() || trimmed[end] == u'.' || trimmed[end] == u',')) {
        ++end;
    }
    Quantity quantity;
    quantity.unit = trimmed.mid(end).trimmed().toString();
    if (!quantity.unit.isEmpty() && !quantity.unit.front().isLetter() && quantity.unit != u"'"_s) {
        throw Error(texts::takeoffNotANumber(trimmed.toString()));
    }
    std::optional<QString> number;
    try {
        number = plainNumber(trimmed.mid(negative || trimmed.startsWith(u'+') ? 1 : 0,
                                         end - (negative || trimmed.startsWith(u'+') ? 1 : 0)),
                             semicolons);
    } catch (const LineFault& fault) {
        throw Error(fault.reason);
    }
    bool ok = false;
    const double value = number ? number->toDouble(&ok) : 0;
    if (!ok) {
        throw Error(texts::takeoffNotANumber(trimmed.toString()));
    }
    if (!std::isfinite(value) || value > kMaxQuantity) {
        throw Error(texts::takeoffOutOfRange(trimmed.toString()));
    }
    if (negative && value != 0) {
        throw Error(texts::takeoffNegative(trimmed.toString()));
    }
    quantity.value = value;
    return quantity;
}

QString TakeoffFile::contentHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxBytes) {
        throw Error(texts::takeoffUnreadable(
            QDir::toNativeSeparators(path), 0,
            file.isOpen() ? texts::fileTooLarge(kMaxBytes) : file.errorString()));
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) {
        throw Error(
            texts::takeoffUnreadable(QDir::toNativeSeparators(path), 0, file.errorString()));
    }
    return QString::fromLatin1(hash.result().toHex());
}

TakeoffFile::Heading TakeoffFile::heading(const QString& path, const TakeoffLayout& layout) {
    Heading heading;
    heading.shownName = QDir::toNativeSeparators(path);
    const auto fail = [&](int line, const QString& reason) {
        throw Error(texts::takeoffUnreadable(heading.shownName, line, reason));
    };
    try {
        TableFile rows = TableFile::open(path, kMaxBytes, kMaxLines);
        std::ptrdiff_t most = 0;
        for (int seen = 0; seen < kMaxTitleLines; ++seen) {
            std::optional<TableFile::Row> row = rows.next();
            if (!row) {
                break;
            }
            if (layout.namesItemNumber(row->cells)) {
                try {
                    layout.locate(row->cells);
                    return Heading{heading.shownName, row->line, row->cells, true};
                } catch (const TakeoffLayout::ColumnProblem& problem) {
                    if (!problem.unrecognised) {
                        fail(row->line, problem.reason);
                    }
                    return Heading{heading.shownName, row->line, row->cells, false};
                }
            }
            const auto filled =
                std::count_if(row->cells.begin(), row->cells.end(),
                              [](const QString& cell) { return !cell.trimmed().isEmpty(); });
            if (filled > most) {
                most = filled;
                heading.line = row->line;
                heading.cells = row->cells;
            }
        }
    } catch (const csv::ReadError& error) {
        fail(error.line(), error.reason());
    }
    if (heading.line == 0) {
        fail(0, texts::takeoffEmpty());
    }
    return heading;
}

TakeoffFile TakeoffFile::read(const QString& path, const TakeoffLayout& layout) {
    TakeoffFile file;
    file.shownName_ = QDir::toNativeSeparators(path);
    const auto fail = [&](int line, const QString& reason) {
        throw Error(texts::takeoffUnreadable(file.shownName_, line, reason));
    };
    std::optional<TableFile> rows;
    try {
        rows = TableFile::open(path, kMaxBytes, kMaxLines);
    } catch (const csv::ReadError& error) {
        fail(error.line(), error.reason());
    }
    // A semicolon-separated file writes a comma as its decimal point.
    const bool semicolons = rows->numberComma() == fieldtext::Comma::ThousandsBeforeAPoint;
    std::map<Field, qsizetype> columns;
    int lineNumber = 0;
    int firstLine = 0;
    try {
        for (int seen = 0; columns.empty();) {
            std::optional<TableFile::Row> row = rows->next();
            if (!row) {
                fail(firstLine, firstLine == 0 ? texts::takeoffEmpty() : texts::takeoffNoHeading());
            }
            firstLine = firstLine == 0 ? row->line : firstLine;
            if (layout.namesItemNumber(row->cells)) {
                try {
                    columns = layout.locate(row->cells);
                } catch (const TakeoffLayout::ColumnProblem& problem) {
                    fail(row->line, problem.reason);
                }
            } else if (++seen >= kMaxTitleLines) {
                fail(firstLine, texts::takeoffNoHeading());
            }
        }
        const auto column = [&](Field field) {
            const auto found = columns.find(field);
            return found == columns.end() ? qsizetype(-1) : found->second;
        };
        const qsizetype itemColumn = column(Field::ItemNumber);
        const qsizetype quantityColumn = column(Field::Quantity);
        const qsizetype unitColumn = column(Field::Unit);
        const qsizetype descriptionColumn = column(Field::Description);
        const qsizetype categoryColumn = column(Field::Category);
        const qsizetype sheetColumn = column(Field::Sheet);
        const bool hasWhere = column(Field::Sheet) >= 0 || column(Field::Station) >= 0 ||
                              column(Field::StationFrom) >= 0 || column(Field::StationTo) >= 0 ||
                              column(Field::Object) >= 0;
        // A report writes few units, each on many lines.
        QHash<QString, QString> units;
        const auto canonicalUnit = [&units](const QString& written) {
            if (written.isEmpty()) {
                return QString();
            }
            auto known = units.constFind(written);
            if (known == units.cend()) {
                known = units.insert(written, unitconversion::canonical(written));
            }
            return *known;
        };
        while (std::optional<TableFile::Row> row = rows->next()) {
            const QStringList* cells = &row->cells;
            lineNumber = row->line;
            const QString itemNumber = cells->value(itemColumn).trimmed();
            if (itemNumber.isEmpty()) {
                continue;  // a blank line, a subtotal
            }
            TakeoffLine line;
            line.line = lineNumber;
            line.itemNumber = itemNumber;
            try {
                const Quantity quantity = parseQuantity(cells->value(quantityColumn), semicolons);
                line.quantity = quantity.value;
                const QString columnUnit = unitColumn >= 0 ? cells->value(unitColumn) : QString();
                const QString glued = canonicalUnit(quantity.unit);
                line.unit = canonicalUnit(columnUnit);
                if (!glued.isEmpty() && !line.unit.isEmpty() && glued != line.unit) {
                    throw Error(texts::takeoffTwoUnits(glued, line.unit));
                }
                if (line.unit.isEmpty()) {
                    line.unit = glued;
                }
                if (line.unit.isEmpty()) {
                    throw Error(texts::takeoffNoUnit());
                }
            } catch (const Error& error) {
                fail(lineNumber, error.message());
            }
            if (descriptionColumn >= 0) {
                line.description = cells->value(descriptionColumn).trimmed();
            }
            if (categoryColumn >= 0) {
                line.categoryText = cells->value(categoryColumn).trimmed();
            }
            if (line.categoryText.isEmpty() && sheetColumn >= 0) {
                line.categoryText = cells->value(sheetColumn).trimmed();
            }
            if (hasWhere) {
                line.where = whereOf(*cells, columns);
            }
            file.lines_.push_back(std::move(line));
        }
    } catch (const csv::ReadError& error) {
        fail(error.line(), error.reason());
    }
    return file;
}

}  // namespace veskplan
