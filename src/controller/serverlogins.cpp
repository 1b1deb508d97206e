#include "controller/serverlogins.h"

#include "controller/userport.h"
#include "history/serverloginerror.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

bool ServerLogins::answer(const ServerLoginError& refusal) {
    if (refusal.refused()) {
        passwords_.forget(refusal.address());
        port_.warn(refusal.message());
        return false;
    }
    FormRequest request;
    request.name = u"serverPassword"_s;
    request.title = u"Bid History Server"_s;
    request.text = u"The bid history at "_s + refusal.server() + u" asks for the password of "_s +
                   refusal.user() + u"."_s;
    request.fields = {{u"serverPasswordText"_s, u"&Password:"_s, QString(),
                       u"Kept until Veskplan closes, never stored"_s, true}};
    const std::optional<QStringList> typed = port_.fillIn(request);
    if (!typed || typed->value(0).isEmpty()) {
        return false;
    }
    passwords_.remember(refusal.address(), typed->value(0));
    return true;
}

}  // namespace veskplan
