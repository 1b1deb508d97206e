#include "project/categoryeditor.h"

#include "shell/numbertext.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {

void CategoryEditor::catNum_Click(int index) {
    CategoryList& categories = ws_.categories;
    if (categories.numberIndex() == index && categories.descriptionIndex() == index) {
        return;
    }
    categories.setNumberIndex(index);
    if (categories.descriptionIndex() != index) {
        catDesc_Click(index);
    }
    ws_.markUnsaved();
}

void CategoryEditor::catDesc_Click(int index) {
    CategoryList& categories = ws_.categories;
    if (categories.numberIndex() == index && categories.descriptionIndex() == index) {
        return;
    }
    categories.setDescriptionIndex(index);
    if (categories.numberIndex() != index) {
        catNum_Click(index);
    }
    ws_.markUnsaved();
}

void CategoryEditor::catDesc_Change(const QString& text) {
    if (text == ws_.categories.descriptionText()) {
        return;
    }
    ws_.categories.setDescriptionText(text);
    ws_.markUnsaved();
}

void CategoryEditor::catDesc_LostFocus() {
    CategoryList& categories = ws_.categories;
    const int position = categories.numberIndex();
    if (position < 0) {
        return;
    }
    // Typing already marked the project unsaved; storing the text is no further change.
    categories.replaceDescription(position, categories.descriptionText());
    categories.setDescriptionIndex(position);
}

void CategoryEditor::addCat_Click() {
    CategoryList& categories = ws_.categories;
    const int count = categories.count();
    const int last =
        count > 0 ? static_cast<int>(numbertext::leadingValue(categories.numbers().last())) : 0;
    if (last >= kLastCategory) {
        ws_.port.showMessage(MessageRequest{texts::lastCategoryReached(), texts::appTitle(),
                                            MessageButtons::Ok, MessageIcon::None});
        return;
    }
    categories.appendCategory(QStringLiteral("%1").arg(last + 1, 2, 10, QLatin1Char('0')),
                              QString());
    catNum_Click(count);
    catDesc_Click(count);
}

}  // namespace veskplan
