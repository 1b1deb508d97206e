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
    if (outcome.kind == CommandOutcome::Kind::Failed) {
        port.warn(outcome.message);
    } else {
        port.inform(outcome.message);
    }
    return outcome;
}

}  // namespace veskplan
