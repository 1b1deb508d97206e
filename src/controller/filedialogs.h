#pragma once

#include <QString>
#include <optional>

#include "controller/userport.h"

namespace veskplan {

// The file dialogs of the program, through the user-interaction port. It remembers the folder of
// the file chosen last in any of them, where the dialogs without a folder of their own start.
class FileDialogs {
public:
    FileDialogs(UserPort& port, QString startDir)
        : port_(port), lastChosenDir_(std::move(startDir)) {}

    // The chosen path, or nothing when the user cancelled. A request without a folder starts
    // in the folder of the file chosen last.
    std::optional<QString> choose(FileDialogRequest request);

private:
    UserPort& port_;
    QString lastChosenDir_;
};

}  // namespace veskplan
