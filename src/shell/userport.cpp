#include "shell/userport.h"

#include "shell/texts.h"

namespace veskplan {

void UserPort::inform(const QString& text) {
    showMessage(MessageRequest{text, texts::appTitle(), MessageButtons::Ok, MessageIcon::None});
}

}  // namespace veskplan
