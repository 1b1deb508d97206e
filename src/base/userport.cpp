#include "base/userport.h"

#include "base/commandoutcome.h"
#include "base/texts.h"

namespace veskplan {

void UserPort::inform(const QString& text) {
    showMessage(MessageRequest{text, texts::appTitle(), MessageButtons::Ok, MessageIcon::None});
}

void UserPort::warn(const QString& text) {
    showMessage(
        MessageRequest{text, texts::appTitle(), MessageButtons::Ok, MessageIcon::Exclamation});
}

CommandOutcome report(UserPort& port, CommandOutcome outcome) {
    port.showMessage(MessageRequest{outcome.message, texts::appTitle(), MessageButtons::Ok,
                                    outcome.kind == CommandOutcome::Kind::Failed
                                        ? MessageIcon::Exclamation
                                        : MessageIcon::None});
    return outcome;
}

}  // namespace veskplan
