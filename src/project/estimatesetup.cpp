#include "project/estimatesetup.h"

#include <algorithm>

#include "base/error.h"
#include "base/filedate.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kIndex = u"index"_s;
const QString kEstimateDate = u"estimate date"_s;
const QString kFrom = u"let from"_s;
const QString kTo = u"let to"_s;
const QString kRegion = u"region"_s;
const QString kBids = u"bids"_s;
const QString kStatistic = u"price"_s;
const QString kEscalate = u"escalate"_s;

QDate dateOf(const QString& name, const QString& text) {
    const QDate date = filedate::fromIso(text);
    if (!date.isValid()) {
        throw Error(u"the estimate's "_s + name + u" is no date"_s);
    }
    return date;
}

QString oneOf(const QString& name, const QString& text, const QStringList& allowed) {
    if (!allowed.contains(text)) {
        throw Error(u"the estimate's "_s + name + u" \""_s + text + u"\" is none of "_s +
                    allowed.join(u", "_s));
    }
    return text;
}

}  // namespace

const QStringList& EstimateSetup::sourceRows() {
    static const QStringList rows = {u"history"_s, u"prices"_s};
    return rows;
}

EstimateSetup::Values EstimateSetup::values() const {
    Values out;
    const auto add = [&out](const QString& name, const QString& value) {
        if (!value.isEmpty()) {
            out.emplace_back(name, value);
        }
    };
    for (const Source& source : sources) {
        add(source.kind, source.location);
    }
    add(kIndex, indexFile);
    for (const auto& [name, date] :
         {std::pair(kEstimateDate, estimateDate), std::pair(kFrom, from), std::pair(kTo, to)}) {
        add(name, date.isValid() ? date.toString(Qt::ISODate) : QString());
    }
    add(kRegion, region);
    add(kBids, bids);
    add(kStatistic, statistic);
    add(kEscalate, escalate ? u"yes"_s : QString());
    return out;
}

void EstimateSetup::replaceSources(const QString& kind, const QStringList& locations) {
    const auto first = std::find_if(sources.begin(), sources.end(),
                                    [&](const Source& source) { return source.kind == kind; });
    qsizetype place = first - sources.begin();
    if (first == sources.end()) {
        const qsizetype rank = sourceRows().indexOf(kind);
        place = std::find_if(sources.begin(), sources.end(),
                             [&](const Source& source) {
                                 return sourceRows().indexOf(source.kind) > rank;
                             }) -
                sources.begin();
    }
    std::vector<Source> replaced;
    for (qsizetype i = 0; i <= qsizetype(sources.size()); ++i) {
        if (i == place) {
            for (const QString& location : locations) {
                replaced.push_back(Source{kind, location});
            }
        }
        if (i < qsizetype(sources.size()) && sources[size_t(i)].kind != kind) {
            replaced.push_back(sources[size_t(i)]);
        }
    }
    sources = std::move(replaced);
}

EstimateSetup EstimateSetup::fromValues(const Values& values) {
    if (values.size() > size_t(kMaxValues)) {
        throw Error(u"the estimate's settings have too many rows"_s);
    }
    EstimateSetup setup;
    for (const auto& [name, value] : values) {
        if (value.size() > kMaxValueLength) {
            throw Error(u"the estimate's "_s + name + u" is too long"_s);
        }
        if (sourceRows().contains(name)) {
            setup.sources.push_back(Source{name, value});
        } else if (name == kIndex) {
            setup.indexFile = value;
        } else if (name == kEstimateDate) {
            setup.estimateDate = dateOf(name, value);
        } else if (name == kFrom) {
            setup.from = dateOf(name, value);
        } else if (name == kTo) {
            setup.to = dateOf(name, value);
        } else if (name == kRegion) {
            setup.region = value;
        } else if (name == kBids) {
            setup.bids = oneOf(name, value, {u"low"_s, u"three"_s, u"all"_s});
        } else if (name == kStatistic) {
            setup.statistic = oneOf(name, value, {u"weighted"_s, u"median"_s, u"adjusted"_s});
        } else if (name == kEscalate) {
            setup.escalate = oneOf(name, value, {u"yes"_s}) == u"yes"_s;
        }
        // A name a later version writes is passed over: the rest still prices the project.
    }
    return setup;
}

}  // namespace veskplan
