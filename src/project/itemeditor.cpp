#include "project/itemeditor.h"

#include "shell/numbertext.h"
#include "shell/sqlitedb.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {

namespace {

void warn(UserPort& port, const QString& text) {
    port.showMessage(
        MessageRequest{text, texts::appTitle(), MessageButtons::Ok, MessageIcon::None});
}

}  // namespace

bool ItemEditor::isFreeTextItem(const QString& itemNumber) {
    return withoutTrailingBlanks(QStringView(itemNumber).left(15)) == u"2599-9999";
}

void ItemEditor::remItem_Click() {
    RecordStore& store = *ws_.store;
    if (store.recordCount() > 0 && store.hasCurrent()) {
        store.deleteCurrent();
        store.movePrevious();
        ws_.markUnsaved();
    }
    if (store.bof() && store.recordCount() > 0) {
        store.moveFirst();
    }
    if (store.recordCount() == 0) {
        ws_.guardedEnabled = false;
    }
}

void ItemEditor::projItemDB_HeadClick(int column) {
    RecordStore& store = *ws_.store;
    if (column == 0) {
        store.setIndex(IndexOrder::BridgeKey);
    } else if (column == 1) {
        store.setIndex(IndexOrder::PrimaryKey);
    }
    ws_.projectColumnWidths = ProjectGridModel::standardWidths();
    store.moveFirst();
}

bool ItemEditor::isCellEditable(int row, int column) const {
    if (row < 0 || row >= ws_.store->recordCount()) {
        return false;
    }
    switch (column) {
        case ProjectGridModel::QuantityColumn:
            return true;
        case ProjectGridModel::DescriptionColumn:
            return isFreeTextItem(ws_.store->record(row).itemNumber);
        default:
            return false;
    }
}

bool ItemEditor::editCell(int row, int column, const QString& text) {
    if (!isCellEditable(row, column)) {
        return false;
    }
    RecordStore& store = *ws_.store;
    ProjectRecord record = store.record(row);
    if (column == ProjectGridModel::QuantityColumn) {
        const auto parsed = numbertext::parseQuantity(text, ws_.locale.decimalPoint().at(0));
        if (!parsed.valid) {
            warn(ws_.port, texts::quantityNotANumber(text));
            return false;
        }
        if (parsed.value == record.quantity) {
            return true;
        }
        record.quantity = parsed.value;
    } else {
        if (text == record.description) {
            return true;
        }
        record.description = text;
    }
    store.setCurrentRow(row);
    try {
        store.updateCurrent(record);
    } catch (const DuplicateKeyError&) {
        warn(ws_.port, texts::itemAlreadyInProject());
        return false;
    } catch (const SqliteError& error) {
        warn(ws_.port, texts::cellNotSaved(error.message()));
        return false;
    }
    ws_.markUnsaved();
    return true;
}

}  // namespace veskplan
