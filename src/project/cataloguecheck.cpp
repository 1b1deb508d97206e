#include "project/cataloguecheck.h"

#include <algorithm>
#include <map>

#include "base/csv.h"
#include "base/numbertext.h"
#include "master/descriptionindex.h"
#include "master/itemmapping.h"
#include "master/masterlist.h"
#include "project/cataloguetexts.h"
#include "project/freetextitem.h"
#include "project/revisioncheck.h"

namespace veskplan::cataloguecheck {
namespace {

using namespace Qt::Literals::StringLiterals;

Finding::Proposal proposalOf(const MasterList& list, int row, Finding::Source source) {
    return {list.itemNumber(row).toString(), list.description(row).toString(),
            list.unit(row).toString(), row, source};
}

// Tells that the replacement measures in another unit, whose quantity needs a look.
void noteUnitChange(Finding& finding) {
    const QStringView from = withoutTrailingBlanks(finding.record.units);
    const QStringView to = withoutTrailingBlanks(finding.replacement->unit);
    if (from != to) {
        finding.note += u' ' + texts::catalogueUnitDiffers(from.toString(), to.toString());
    }
}

// "A was replaced by B, which was replaced by C."
QString chainNote(const QStringList& path) {
    QString note = texts::catalogueReplacedBy(path[0], path[1]);
    for (qsizetype i = 2; i < path.size(); ++i) {
        note += texts::catalogueWhichWasReplacedBy(path[i]);
    }
    return note + u'.';
}

}  // namespace

QString shownNumber(const QString& stored) {
    return revisioncheck::withoutMark(stored).trimmed().toString();
}

QString proposedBy(const Finding& finding) {
    if (!finding.replacement) {
        return QString();
    }
    return finding.replacement->source == Finding::Source::Mapping ? texts::catalogueFromMapping()
                                                                   : texts::catalogueGuess();
}

QString comparedNumber(const QString& stored) {
    return revisioncheck::withoutMark(stored).left(12).trimmed().toString();
}

std::vector<Finding> compare(const std::vector<ProjectRecord>& items, const MasterList& list,
                             const ItemMapping* mapping) {
    std::vector<Finding> findings;
    std::vector<size_t> unproposed;  // retired findings to offer the closest description
    for (size_t position = 0; position < items.size(); ++position) {
        const ProjectRecord& item = items[position];
        Finding finding;
        finding.record = item;
        finding.position = static_cast<int>(position);
        if (isTypedFreeTextItem(item.itemNumber)) {
            finding.kind = Finding::Kind::FreeText;
            findings.push_back(std::move(finding));
            continue;
        }
        const QString number = comparedNumber(item.itemNumber);
        const int row = list.rowOfNumber(number);
        if (row < 0) {
            finding.kind = Finding::Kind::Retired;
            const std::optional<Replacement> mapped =
                mapping ? mapping->replacementFor(number) : std::nullopt;
            if (!mapped) {
                unproposed.push_back(findings.size());
            } else if (const int newRow = list.rowOfNumber(mapped->itemNumber); newRow >= 0) {
                finding.replacement = proposalOf(list, newRow, Finding::Source::Mapping);
                finding.note = chainNote(mapped->path);
                noteUnitChange(finding);
            } else {
                finding.note = chainNote(mapped->path) + u' ' +
                               texts::catalogueReplacementNotInList(mapped->itemNumber);
            }
            findings.push_back(std::move(finding));
            continue;
        }
        finding.listRow = row;
        finding.listNumber = list.itemNumber(row).toString();
        finding.listDescription = list.description(row).toString();
        finding.listUnit = list.unit(row).toString();
        if (withoutTrailingBlanks(item.units) != withoutTrailingBlanks(finding.listUnit)) {
            finding.kind = Finding::Kind::UnitChanged;
            findings.push_back(finding);
        }
        if (withoutTrailingBlanks(item.description) !=
            withoutTrailingBlanks(finding.listDescription)) {
            finding.kind = Finding::Kind::DescriptionChanged;
            findings.push_back(std::move(finding));
        }
    }
    // One pass over the list finds the closest descriptions of all the retired items.
    DescriptionIndex index;
    for (size_t at : unproposed) {
        index.add(findings[at].record.description, findings[at].record.units, 1);
    }
    const std::vector<std::vector<DescriptionIndex::Candidate>> closest = index.closestIn(list);
    for (size_t q = 0; q < closest.size(); ++q) {
        Finding& finding = findings[unproposed[q]];
        if (closest[q].empty()) {
            finding.note = texts::catalogueNoReplacement();
            continue;
        }
        const int row = closest[q].front().row;
        finding.replacement = proposalOf(list, row, Finding::Source::SimilarDescription);
        finding.note = texts::catalogueClosestDescription();
    }
    return findings;
}

std::array<int, kKindCount> countByKind(const std::vector<Finding>& findings) {
    std::array<int, kKindCount> counts{};
    for (const Finding& finding : findings) {
        ++counts[static_cast<size_t>(finding.kind)];
    }
    return counts;
}

QByteArray toCsv(const std::vector<Finding>& findings) {
    QByteArray out;
    csv::appendRecord(out, texts::catalogueCsvHeading().split(u','), csv::LineEnd::Lf);
    for (const Finding& f : findings) {
        const QString quantity =
            f.record.quantity ? numbertext::shortest(*f.record.quantity) : QString();
        csv::appendRecord(
            out,
            {texts::catalogueKindName(static_cast<int>(f.kind)).toLower(), f.record.cat, quantity,
             shownNumber(f.record.itemNumber), f.record.description, f.record.units, f.listNumber,
             f.listDescription, f.listUnit, f.replacement ? f.replacement->itemNumber : QString(),
             proposedBy(f).toLower(), f.note},
            csv::LineEnd::Lf);
    }
    return out;
}

TakeOver replacementChange(const Finding& finding, const std::vector<ProjectRecord>& items) {
    const auto refuse = [](const QString& reason) { return TakeOver{std::nullopt, reason}; };
    // The item is found by its number and category; its other fields may have changed since
    // (an earlier finding of the same item taken over, which also took the mark away; a
    // quantity typed).
    const size_t position = static_cast<size_t>(finding.position);
    if (finding.position < 0 || position >= items.size() ||
        revisioncheck::withoutMark(items[position].itemNumber) !=
            revisioncheck::withoutMark(finding.record.itemNumber) ||
        items[position].cat != finding.record.cat) {
        return refuse(texts::catalogueItemChanged());
    }
    const ProjectRecord& before = items[position];
    ProjectRecord after = before;
    after.itemNumber = revisioncheck::withoutMark(before.itemNumber).toString();
    switch (finding.kind) {
        case Finding::Kind::FreeText:
            return refuse(texts::catalogueFreeTextKept());
        case Finding::Kind::Retired:
            if (!finding.replacement) {
                return refuse(
                    texts::catalogueNothingToTakeOver(comparedNumber(finding.record.itemNumber)));
            }
            after.itemNumber = finding.replacement->itemNumber;
            after.description = finding.replacement->description;
            after.units = finding.replacement->unit;
            break;
        case Finding::Kind::UnitChanged:
            after.units = finding.listUnit;
            break;
        case Finding::Kind::DescriptionChanged:
            after.description = finding.listDescription;
            break;
    }
    const QString newNumber = comparedNumber(after.itemNumber);
    if (!isTypedFreeTextItem(after.itemNumber)) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (i != position && items[i].cat == after.cat &&
                comparedNumber(items[i].itemNumber) == newNumber) {
                return refuse(texts::catalogueAlreadyInCategory(newNumber, after.cat));
            }
        }
    }
    return TakeOver{std::pair{before, after}, QString()};
}

}  // namespace veskplan::cataloguecheck
