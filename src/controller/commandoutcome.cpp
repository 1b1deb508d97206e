#include "controller/commandoutcome.h"

#include "controller/userport.h"

namespace veskplan {

CommandOutcome report(UserPort& port, CommandOutcome outcome) {
    if (outcome.kind == CommandOutcome::Kind::Failed) {
        port.warn(outcome.message);
    } else {
        port.inform(outcome.message);
    }
    return outcome;
}

}  // namespace veskplan
