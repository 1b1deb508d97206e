#pragma once

#include <QString>

namespace veskplan {

struct Workspace;

// The two category boxes and the "+" button. The boxes move together: selecting a position in
// one selects it in the other, and the pair comes to rest after one exchange.
class CategoryEditor {
public:
    static constexpr int kLastCategory = 99;

    explicit CategoryEditor(Workspace& workspace) : ws_(workspace) {}

    void catNum_Click(int index);
    void catDesc_Click(int index);
    void catDesc_Change(const QString& text);
    // Stores the typed description as the description of the selected category.
    void catDesc_LostFocus();
    // Adds the category after the last one and selects it.
    void addCat_Click();

private:
    Workspace& ws_;
};

}  // namespace veskplan
