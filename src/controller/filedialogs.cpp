#include "controller/filedialogs.h"

#include <QDir>
#include <QFileInfo>

#include "base/apppaths.h"
#include "controller/controllertexts.h"

namespace veskplan {

std::optional<QString> FileDialogs::choose(FileDialogRequest request) {
    if (request.directory.isEmpty()) {
        request.directory = lastChosenDir_;
    }
    std::optional<QString> chosen = port_.chooseFile(request);
    if (!chosen) {
        return chosen;
    }
    if (request.mode == FileDialogRequest::Mode::Save && !request.defaultSuffix.isEmpty() &&
        QFileInfo(*chosen).suffix().isEmpty()) {
        // The dialog asked about the name as typed; the name with its extension is another.
        *chosen += u'.' + request.defaultSuffix;
        if (QFileInfo::exists(*chosen)) {
            const Answer answer = port_.showMessage(
                MessageRequest{texts::replaceQuestion(QDir::toNativeSeparators(*chosen)),
                               request.title, MessageButtons::YesNo, MessageIcon::Question});
            if (answer != Answer::Yes) {
                return std::nullopt;
            }
        }
    }
    lastChosenDir_ = directoryOf(*chosen);
    return chosen;
}

}  // namespace veskplan
