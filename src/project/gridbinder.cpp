#include "project/gridbinder.h"

#include <algorithm>

#include "project/categoryeditor.h"
#include "project/headereditor.h"
#include "project/specialrows.h"
#include "shell/numbertext.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

int wholeNumber(const QString& text) {
    return static_cast<int>(numbertext::leadingValue(text));
}

}  // namespace

QString GridBinder::revisedItemNumber(const QString& stored, const MasterList& master) {
    QStringView base(stored);
    if (base.endsWith(kRevisionMark)) {
        base.chop(4);  // a mark from an earlier check
    }
    const QString first12 = base.left(12).toString();
    if (master.containsNumber(withoutTrailingBlanks(first12))) {
        return first12;
    }
    return first12 + QString::fromUtf16(kRevisionMark);
}

void GridBinder::setupGrid() {
    BusyCursor busy(ws_.port);
    RecordStore& store = ws_.store.operator*();
    {
        RecordStore::Batch batch(store);
        store.setIndex(IndexOrder::PrimaryKey);
        store.moveFirst();
        batch.commit();
    }
    header_.projNum_Change(QString());
    header_.designer_Change(QString());
    ws_.categories.clear();
    ws_.projectColumnWidths = ProjectGridModel::standardWidths();

    if (store.recordCount() == 0) {
        ws_.categories.appendCategory(u"01"_s, QString());
    } else {
        {
            RecordStore::Batch batch(store);
            readSpecialRows();
            batch.commit();
        }
        if (ws_.categories.count() == 0) {
            addCategoriesFromItems();
        }
        if (ws_.flags.projOpening && ws_.masterDate() != ws_.flags.projMastDate &&
            !ws_.masterLoadFailed) {
            checkRevision();
        }
        ws_.guardedEnabled = true;
    }
    store.moveFirst();
    categories_.catNum_Click(0);
    categories_.catDesc_Click(0);
}

void GridBinder::readSpecialRows() {
    RecordStore& store = *ws_.store;
    store.moveFirst();
    const int count = store.recordCount();
    for (int visited = 0; visited < count && !store.eof(); ++visited) {
        const ProjectRecord row = store.current();
        if (!specialrows::isSpecial(row.itemNumber)) {
            break;
        }
        if (row.itemNumber == specialrows::firstHeader()) {
            header_.projNum_Change(row.description.left(25).trimmed());
            header_.designer_Change(row.description.mid(25).trimmed());
            const int unit = wholeNumber(row.units);
            if (unit == 0 || unit == 1) {
                ws_.mastUnitLoaded = unit;
                ws_.unitFromProject = true;
                if (ws_.engMet != unit) {
                    selectUnit_(unit);
                }
                ws_.unitFromProject = false;
            }
        } else if (row.itemNumber == specialrows::secondHeader()) {
            ws_.flags.projMastDate = row.description.trimmed();
            header_.letMonth_Click(wholeNumber(row.units));
        } else {
            const int position = wholeNumber(row.itemNumber.right(2)) - 1;
            ws_.categories.insertNumber(position, row.units);
            ws_.categories.insertDescription(position, row.description);
        }
        store.deleteCurrent();
        store.moveNext();
    }
}

// A file written by another tool may carry items but no category rows: offer every category
// up to the highest one the items use, so that each item's category can be chosen.
void GridBinder::addCategoriesFromItems() {
    int highest = 1;
    for (const ProjectRecord& record : ws_.store->records(IndexOrder::PrimaryKey)) {
        highest = std::max(highest, wholeNumber(record.cat));
    }
    highest = std::min(highest, CategoryEditor::kLastCategory);
    for (int n = 1; n <= highest; ++n) {
        ws_.categories.appendCategory(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')),
                                      QString());
    }
}

void GridBinder::checkRevision() {
    const MasterList& master = ws_.master.list();
    try {
        ws_.store->rewriteItemNumbers([&master](const ProjectRecord& record) {
            return revisedItemNumber(record.itemNumber, master);
        });
    } catch (const DuplicateKeyError&) {
        // Two items of one category would end up with the same number: keep them as stored.
        ws_.port.inform(texts::revisionCheckFailed(texts::duplicateAfterRevision()));
        return;
    } catch (const SqliteError& error) {
        ws_.port.inform(texts::revisionCheckFailed(error.message()));
        return;
    }
    ws_.port.showMessage(
        MessageRequest{texts::revisionCheck(ws_.flags.projMastDate, ws_.masterDate()),
                       texts::appTitle(), MessageButtons::Ok, MessageIcon::None});
}

}  // namespace veskplan
