#include "base/filedialogs.h"

#include "base/apppaths.h"

namespace veskplan {

std::optional<QString> FileDialogs::choose(const FileDialogRequest& request) {
    auto chosen = port_.chooseFile(request);
    if (chosen) {
        lastChosenDir_ = directoryOf(*chosen);
    }
    return chosen;
}

}  // namespace veskplan
