#include "estimate/contingencyscale.h"

#include <QDir>
#include <QFileInfo>

#include "base/apppaths.h"
#include "base/csv.h"
#include "base/numbertext.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

QString ContingencyScale::fileIn(const QString& dataDir) {
    return joinPath(dataDir, u"milestone-contingency.csv"_s);
}

ContingencyScale ContingencyScale::read(const QString& path) {
    ContingencyScale scale;
    if (!QFileInfo::exists(path)) {
        return scale;
    }
    const QString shown = QDir::toNativeSeparators(path);
    csv::Reader reader = csv::Reader::fromFile(path, kMaxBytes, kMaxLines);
    const auto refuse = [&](const QString& reason) {
        throw csv::ReadError(shown, reader.line(), reason);
    };
    const std::optional<QStringList> heading = reader.next();
    if (!heading || heading->size() != 2 ||
        heading->at(0).trimmed().compare(u"Milestone"_s, Qt::CaseInsensitive) != 0 ||
        heading->at(1).trimmed().compare(u"Contingency"_s, Qt::CaseInsensitive) != 0) {
        refuse(u"the heading is not \"Milestone,Contingency\""_s);
    }
    while (const std::optional<QStringList> record = reader.next()) {
        if (record->size() == 1 && record->at(0).trimmed().isEmpty()) {
            continue;
        }
        if (record->size() != 2) {
            refuse(u"a line holds a milestone and its percentage, nothing else"_s);
        }
        const std::optional<Milestone> milestone = milestone::fromCode(record->at(0));
        if (!milestone) {
            refuse(u"\""_s + record->at(0) + u"\" is none of 30, 60, 90 and final"_s);
        }
        if (scale.percentFor(*milestone)) {
            refuse(u"the milestone "_s + milestone::code(*milestone) + u" is named twice"_s);
        }
        const auto percent = numbertext::parseQuantity(record->at(1).trimmed(), u'.');
        if (!percent.valid || !percent.value || !scale.set(*milestone, *percent.value)) {
            refuse(u"\""_s + record->at(1) + u"\" is no percentage from 0 to 100"_s);
        }
    }
    return scale;
}

bool ContingencyScale::set(Milestone milestone, double percent) {
    if (!ProjectPrices::isValidPercent(percent) || percent > 100) {
        return false;
    }
    percents_[milestone] = percent;
    return true;
}

std::optional<double> ContingencyScale::percentFor(Milestone milestone) const {
    const auto found = percents_.find(milestone);
    return found == percents_.end() ? std::nullopt : std::optional(found->second);
}

ProjectPrices ContingencyScale::applyTo(ProjectPrices prices) const {
    if (!prices.contingencyPercent() && prices.milestone()) {
        prices.setContingencyPercent(percentFor(*prices.milestone()));
    }
    return prices;
}

}  // namespace veskplan
