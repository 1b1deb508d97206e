#include "history/costindex.h"

#include <QDir>
#include <QRegularExpression>
#include <cmath>

#include "base/boundedfile.h"
#include "base/csv.h"
#include "history/fieldtext.h"
#include "history/historytexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

int quarterKey(QDate date) {
    return date.year() * 4 + (date.month() - 1) / 3;
}

QString keyName(int key) {
    return QString::number(key / 4) + u'Q' + QString::number(key % 4 + 1);
}

std::optional<int> parseQuarter(const QString& text) {
    static const QRegularExpression form(u"^(\\d{4})-?[Qq]([1-4])$"_s);
    const auto match = form.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1).toInt() * 4 + match.captured(2).toInt() - 1;
}

}  // namespace

CostIndex CostIndex::read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QByteArray bytes;
    try {
        bytes = boundedfile::readAll(path, kMaxBytes);
    } catch (const Error& error) {
        throw csv::ReadError(shown, 0, error.message());
    }
    return parse(bytes, shown);
}

CostIndex CostIndex::parse(QByteArrayView bytes, const QString& shownName) {
    csv::Reader reader(bytes, shownName, kMaxBytes, kMaxLines);
    qsizetype quarterColumn = -1;
    qsizetype indexColumn = -1;
    while (quarterColumn < 0 || indexColumn < 0) {
        const std::optional<QStringList> heading = reader.next();
        if (!heading) {
            throw csv::ReadError(shownName, 0, historytexts::noIndexColumns());
        }
        if (heading->join(QString()).trimmed().isEmpty()) {
            continue;  // blank lines before the heading
        }
        for (qsizetype i = 0; i < heading->size(); ++i) {
            const QString name = heading->at(i).trimmed();
            if (name.compare(u"Quarter"_s, Qt::CaseInsensitive) == 0 && quarterColumn < 0) {
                quarterColumn = i;
            } else if (name.compare(u"Index"_s, Qt::CaseInsensitive) == 0 && indexColumn < 0) {
                indexColumn = i;
            } else if (name.compare(u"Quarter"_s, Qt::CaseInsensitive) == 0 ||
                       name.compare(u"Index"_s, Qt::CaseInsensitive) == 0) {
                throw csv::ReadError(shownName, reader.line(),
                                     historytexts::duplicateHeading(name));
            }
        }
        if (quarterColumn < 0 || indexColumn < 0) {
            throw csv::ReadError(shownName, reader.line(), historytexts::noIndexColumns());
        }
    }
    CostIndex index;
    while (const std::optional<QStringList> row = reader.next()) {
        if (row->join(QString()).trimmed().isEmpty()) {
            continue;
        }
        const QString quarterText = row->value(quarterColumn).trimmed();
        const std::optional<int> quarter = parseQuarter(quarterText);
        if (!quarter) {
            throw csv::ReadError(shownName, reader.line(), historytexts::notAQuarter(quarterText));
        }
        double value = 0;
        try {
            value = fieldtext::amount(row->value(indexColumn), u"index"_s);
        } catch (const fieldtext::FieldError& error) {
            throw csv::ReadError(shownName, reader.line(), error.reason());
        }
        if (value <= 0) {
            throw csv::ReadError(
                shownName, reader.line(),
                historytexts::notAboveZero(u"index"_s, row->value(indexColumn).trimmed()));
        }
        if (value < kMinValue) {  // so that every factor stays a finite number
            throw csv::ReadError(
                shownName, reader.line(),
                historytexts::numberOutOfRange(u"index"_s, row->value(indexColumn).trimmed()));
        }
        if (!index.values_.emplace(*quarter, value).second) {
            throw csv::ReadError(shownName, reader.line(), historytexts::quarterTwice(quarterText));
        }
    }
    if (index.values_.empty()) {
        throw csv::ReadError(shownName, 0, historytexts::noQuarters());
    }
    return index;
}

std::optional<double> CostIndex::valueAt(QDate date) const {
    if (!date.isValid() || values_.empty()) {
        return std::nullopt;
    }
    auto after = values_.upper_bound(quarterKey(date));
    if (after == values_.begin()) {
        return std::nullopt;
    }
    return std::prev(after)->second;
}

std::optional<double> CostIndex::factor(QDate letting, QDate estimate) const {
    const std::optional<double> then = valueAt(letting);
    const std::optional<double> now = valueAt(estimate);
    if (!then || !now) {
        return std::nullopt;
    }
    return *now / *then;
}

QString CostIndex::quarterName(QDate date) {
    return date.isValid() ? keyName(quarterKey(date)) : QString();
}

QString CostIndex::lastQuarter() const {
    return values_.empty() ? QString() : keyName(values_.rbegin()->first);
}

bool CostIndex::endsBefore(QDate date) const {
    return date.isValid() && !values_.empty() && quarterKey(date) > values_.rbegin()->first;
}

QString CostIndex::reachedQuarter(QDate date) const {
    return endsBefore(date) ? lastQuarter() : quarterName(date);
}

}  // namespace veskplan
