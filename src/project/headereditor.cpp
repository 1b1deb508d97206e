#include "project/headereditor.h"

#include "shell/workspace.h"

namespace veskplan {

void HeaderEditor::projNum_Change(const QString& text) {
    const QString value = text.left(HeaderFields::kProjectNumberLength);
    if (value == ws_.header.projNum) {
        return;
    }
    ws_.header.projNum = value;
    ws_.markUnsaved();
}

void HeaderEditor::designer_Change(const QString& text) {
    if (text == ws_.header.designer) {
        return;
    }
    ws_.header.designer = text;
    ws_.markUnsaved();
}

void HeaderEditor::letMonth_Click(int index) {
    const int month = index >= 0 && index < 12 ? index : -1;
    if (month == ws_.header.letMonth) {
        return;
    }
    ws_.header.letMonth = month;
    ws_.markUnsaved();
}

}  // namespace veskplan
