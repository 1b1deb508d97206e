#include "history/layoutstore.h"

#include <QDir>
#include <QFileInfo>

#include "base/apppaths.h"
#include "base/boundedfile.h"
#include "base/csv.h"
#include "base/filewriting.h"
#include "history/historytexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = ColumnLayout::Field;

const QString kHeadingsMark = u"Headings"_s;

std::optional<Field> fieldNamed(const QString& plain) {
    for (Field field : ColumnLayout::allFields()) {
        if (ColumnLayout::plainHeading(field) == plain) {
            return field;
        }
    }
    return std::nullopt;
}

QStringList trimmed(const QStringList& headings) {
    QStringList result;
    for (const QString& heading : headings) {
        result.append(heading.trimmed());
    }
    return result;
}

}  // namespace

QString LayoutStore::fileIn(const QString& userDataDir) {
    return joinPath(userDataDir, u"bid-layouts.csv"_s);
}

LayoutStore LayoutStore::read(const QString& path) {
    LayoutStore store;
    if (!QFileInfo::exists(path)) {
        return store;
    }
    const QString shown = QDir::toNativeSeparators(path);
    csv::Reader reader = csv::Reader::fromFile(path, kMaxBytes, kMaxLines);
    std::vector<Field> named;
    while (const std::optional<QStringList> record = reader.next()) {
        const int line = reader.line();
        if (record->size() == 1 && record->front().isEmpty()) {
            continue;
        }
        if (record->front() == kHeadingsMark) {
            const QStringList headings = trimmed(record->mid(1));
            if (headings.isEmpty() || headings.join(QString()).isEmpty()) {
                throw csv::ReadError(shown, line, historytexts::storeNoHeadings());
            }
            if (store.find(headings)) {
                throw csv::ReadError(shown, line, historytexts::storeHeadingsTwice());
            }
            store.layouts_.emplace_back(headings, ColumnLayout());
            named.clear();
            continue;
        }
        if (store.layouts_.empty()) {
            throw csv::ReadError(shown, line, historytexts::storeFieldBeforeHeadings());
        }
        const std::optional<Field> field = fieldNamed(record->front());
        if (record->size() != 2 || !field) {
            throw csv::ReadError(shown, line, historytexts::storeLineMalformed());
        }
        auto& [headings, layout] = store.layouts_.back();
        const QString heading = record->at(1).trimmed();
        if (std::find(named.begin(), named.end(), *field) != named.end()) {
            throw csv::ReadError(shown, line, historytexts::layoutFieldTwice(record->front()));
        }
        if (!headings.contains(heading) || heading.isEmpty()) {
            throw csv::ReadError(shown, line, historytexts::storeHeadingMissing(heading));
        }
        named.push_back(*field);
        layout.name(*field, heading);
    }
    return store;
}

std::optional<ColumnLayout> LayoutStore::find(const QStringList& headings) const {
    const QStringList wanted = trimmed(headings);
    for (const auto& [kept, layout] : layouts_) {
        if (kept == wanted) {
            return layout;
        }
    }
    return std::nullopt;
}

void LayoutStore::remember(const QStringList& headings, const ColumnLayout& layout) {
    const QStringList key = trimmed(headings);
    for (auto& [kept, keptLayout] : layouts_) {
        if (kept == key) {
            keptLayout = layout;
            return;
        }
    }
    layouts_.emplace_back(key, layout);
}

QByteArray LayoutStore::toBytes() const {
    QByteArray out;
    for (const auto& [headings, layout] : layouts_) {
        // A heading may hold a semicolon or a tab: quoted, it leaves the comma the separator.
        csv::appendRecord(out, QStringList{kHeadingsMark} + headings, csv::LineEnd::CrLf,
                          csv::Quote::AlsoOtherSeparators);
        for (Field field : ColumnLayout::allFields()) {
            if (const std::optional<QString> heading = layout.headingOf(field)) {
                csv::appendRecord(out, {ColumnLayout::plainHeading(field), *heading},
                                  csv::LineEnd::CrLf, csv::Quote::AlsoOtherSeparators);
            }
        }
    }
    return out;
}

void LayoutStore::write(const QString& path) const {
    writeFileAtomically(path, toBytes());
}

}  // namespace veskplan
