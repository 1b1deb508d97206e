#pragma once

#include <QString>

namespace veskplan {

struct Workspace;

// The project number, designer and letting month boxes. Each change marks the project unsaved.
class HeaderEditor {
public:
    explicit HeaderEditor(Workspace& workspace) : ws_(workspace) {}

    // The project number box holds at most 25 characters, all the project file keeps.
    void projNum_Change(const QString& text);
    void designer_Change(const QString& text);
    void letMonth_Click(int index);

private:
    Workspace& ws_;
};

}  // namespace veskplan
