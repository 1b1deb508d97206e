#include "project/itemadder.h"

#include "shell/sqlitedb.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {

void ItemAdder::addCurrentMasterItem() {
    const MasterList& master = ws_.master.list();
    const int masterRow = ws_.master.currentRow();
    if (masterRow < 1 || masterRow > master.count()) {
        return;  // an empty list has no current row
    }
    RecordStore& store = *ws_.store;
    ProjectRecord record;
    record.itemNumber = master.mastNum(masterRow).toString();
    record.cat = ws_.categories.currentNumber();
    record.description = master.mastDesc(masterRow).toString();
    record.units = master.mastUnit(masterRow).toString();

    // Free-text items may stand in a category more than once.
    if (!record.itemNumber.startsWith(u"2599") && store.recordCount() > 0) {
        for (int row = 0; row < store.recordCount(); ++row) {
            const ProjectRecord& existing = store.record(row);
            if (existing.itemNumber == record.itemNumber && existing.cat == record.cat) {
                store.setCurrentRow(row);
                ws_.port.showMessage(MessageRequest{texts::itemAlreadyInCategory(),
                                                    texts::appTitle(), MessageButtons::Ok,
                                                    MessageIcon::None});
                return;
            }
        }
        store.moveLast();
        store.moveNext();  // the walk ends past the last record
    }

    QString refusal;
    try {
        store.append(record);
    } catch (const DuplicateKeyError&) {
        refusal = texts::itemAlreadyInProject();
    } catch (const SqliteError& error) {
        refusal = texts::itemNotAdded(error.message());
    }
    ws_.markUnsaved();
    if (store.recordCount() == 1) {
        ws_.guardedEnabled = true;
    }
    if (!refusal.isEmpty()) {
        ws_.port.showMessage(
            MessageRequest{refusal, texts::appTitle(), MessageButtons::Ok, MessageIcon::None});
    }
    store.moveFirst();
    store.setBookmark(store.lastModified());
    ws_.projectColumn = ProjectGridModel::QuantityColumn;
    ws_.port.setFocus(QStringLiteral("projItemDB"));
}

}  // namespace veskplan
