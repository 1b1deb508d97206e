#include "controller/userport.h"

#include "controller/controllertexts.h"

namespace veskplan {

void UserPort::inform(const QString& text) {
    showMessage(MessageRequest{text, texts::appTitle(), MessageButtons::Ok, MessageIcon::None});
}

void UserPort::warn(const QString& text) {
    showMessage(
        MessageRequest{text, texts::appTitle(), MessageButtons::Ok, MessageIcon::Exclamation});
}

}  // namespace veskplan
