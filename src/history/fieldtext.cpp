#include "history/fieldtext.h"

#include <QRegularExpression>
#include <cmath>

#include "history/historytexts.h"

namespace veskplan::fieldtext {
namespace {

using namespace Qt::Literals::StringLiterals;

QString plainNumber(QStringView text) {
    QString number = text.trimmed().toString();
    if (number.startsWith(u'$')) {
        number.remove(0, 1);
    } else if (number.startsWith(u"-$"_s)) {
        number.remove(1, 1);
    }
    static const QRegularExpression grouped(u"^-?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"_s);
    if (number.contains(u',') && grouped.match(number).hasMatch()) {
        number.remove(u',');
    }
    return number;
}

}  // namespace

std::optional<double> optionalAmount(QStringView text, const QString& field, Comma comma) {
    if (text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    double value = text.trimmed().toDouble(&ok);  // a plain number, as most are
    if (!ok) {
        const QStringView trimmed = text.trimmed();
        if (comma == Comma::ThousandsBeforeAPoint && trimmed.contains(u',') &&
            trimmed.lastIndexOf(u'.') < trimmed.lastIndexOf(u',')) {
            throw FieldError{historytexts::unclearComma(field, trimmed.toString())};
        }
        value = plainNumber(text).toDouble(&ok);
    }
    if (!ok) {
        throw FieldError{historytexts::notANumber(field, text.trimmed().toString())};
    }
    if (!std::isfinite(value) || std::abs(value) > kMaxAmount) {
        throw FieldError{historytexts::numberOutOfRange(field, text.trimmed().toString())};
    }
    return value;
}

double amount(QStringView text, const QString& field, Comma comma) {
    const std::optional<double> value = optionalAmount(text, field, comma);
    if (!value) {
        throw FieldError{historytexts::emptyField(field)};
    }
    return *value;
}

QDate date(QStringView text, bool serialNumbers) {
    const QString trimmed = text.trimmed().toString();
    static const QRegularExpression iso(u"^(\\d{4})-(\\d{2})-(\\d{2})([T ].*)?$"_s);
    static const QRegularExpression american(u"^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"_s);
    QDate result;
    const auto digits = [&](qsizetype from, qsizetype count) {
        bool ok = true;
        for (qsizetype i = from; i < from + count; ++i) {
            ok = ok && trimmed[i].isDigit() && trimmed[i].unicode() < 128;
        }
        return ok ? QStringView(trimmed).mid(from, count).toInt() : -1;
    };
    if (trimmed.size() == 10 && trimmed[4] == u'-' && trimmed[7] == u'-') {
        // The common case without a pattern match: an import has a date on every row.
        result = QDate(digits(0, 4), digits(5, 2), digits(8, 2));
    } else if (const auto m = iso.match(trimmed); m.hasMatch()) {
        result = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (const auto m = american.match(trimmed); m.hasMatch()) {
        result = QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    } else if (serialNumbers) {
        bool ok = false;
        const double day = trimmed.toDouble(&ok);
        // Day 1 is 1900-01-01 and day 60 a 29 February that never was, so later days count
        // from 1899-12-30; days up to 9999-12-31.
        if (ok && day >= 61 && day < 2958466) {
            result = QDate(1899, 12, 30).addDays(qint64(std::floor(day)));
        }
    }
    if (!result.isValid()) {
        throw FieldError{trimmed.isEmpty() ? historytexts::emptyField(u"letting date"_s)
                                           : historytexts::notADate(trimmed)};
    }
    return result;
}

QString unit(QStringView text, const KnownUnits& units) {
    if (text.trimmed().isEmpty()) {
        throw FieldError{historytexts::emptyField(u"unit"_s)};
    }
    const std::optional<QString> known = units.spellingOf(text);
    if (!known) {
        throw FieldError{historytexts::unknownUnit(text.trimmed().toString())};
    }
    return *known;
}

QString canonicalUnit(QStringView text) {
    return KnownUnits::comparable(text);
}

bool flag(QStringView text) {
    const QString key = text.trimmed().toString().toUpper();
    if (key == u"Y"_s || key == u"YES"_s || key == u"TRUE"_s || key == u"1"_s || key == u"X"_s) {
        return true;
    }
    if (key.isEmpty() || key == u"N"_s || key == u"NO"_s || key == u"FALSE"_s || key == u"0"_s) {
        return false;
    }
    throw FieldError{historytexts::notAFlag(text.trimmed().toString())};
}

int rank(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return 0;
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);  // a workbook stores 1 as "1" or "1.0"
    if (!ok || value < 0 || value > 1000 || value != std::floor(value)) {
        throw FieldError{historytexts::notARank(trimmed.toString())};
    }
    return int(value);
}

std::optional<int> count(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || value < 0 || value > 1e9 || value != std::floor(value)) {
        throw FieldError{historytexts::notACount(trimmed.toString())};
    }
    return int(value);
}

}  // namespace veskplan::fieldtext
