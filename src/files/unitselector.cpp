#include "files/unitselector.h"

#include "base/configuration.h"
#include "base/texts.h"
#include "base/userport.h"
#include "master/mastersession.h"
#include "project/projectdocument.h"

namespace veskplan {

void UnitSelector::choose(int index) {
    master_.setEngMet(index);
    if (document_.items().recordCount() > 0) {
        const std::optional<Unit> loaded = master_.mastUnitLoaded();
        if (loaded && indexOf(*loaded) == index) {
            return;
        }
        const Answer answer =
            port_.showMessage(MessageRequest{texts::unitChangeQuestion(), texts::unitChangeTitle(),
                                             MessageButtons::YesNo, MessageIcon::Exclamation});
        // A refusal, or a new project that did not go through (its save was cancelled or
        // failed), leaves the selector on the list that is loaded.
        if (answer != Answer::Yes || !newProject_()) {
            master_.setEngMet(index == 0 ? 1 : 0);
            return;
        }
    }
    load(unitAt(index));
}

void UnitSelector::chooseFromProject(Unit unit) {
    master_.setEngMet(indexOf(unit));
    load(unit);
}

void UnitSelector::load(Unit unit) {
    QString failure;
    {
        BusyCursor busy(port_);
        failure = master_.load(unit, config_.mastDir, locale_);
    }
    document_.setUnitIndex(indexOf(unit));
    if (!failure.isEmpty()) {
        port_.warn(failure);
    }
}

}  // namespace veskplan
