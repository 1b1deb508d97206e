#include "controller/unitswitch.h"

#include "base/configuration.h"
#include "base/error.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/userport.h"
#include "master/mastersession.h"
#include "project/projectdocument.h"

namespace veskplan {
namespace {

// Each command of the selector tells once what the selector shows when it returns.
class ChangedOnReturn {
public:
    ChangedOnReturn(UnitSwitch& units, const MasterSession& master)
        : units_(units), master_(master) {}
    ~ChangedOnReturn() { Q_EMIT units_.unitChanged(unitAt(master_.unitIndex())); }
    ChangedOnReturn(const ChangedOnReturn&) = delete;
    ChangedOnReturn& operator=(const ChangedOnReturn&) = delete;

private:
    UnitSwitch& units_;
    const MasterSession& master_;
};

}  // namespace

UnitSwitch::Choice UnitSwitch::choose(int index) {
    const ChangedOnReturn told(*this, master_);
    master_.setUnitIndex(index);
    if (document_.items().recordCount() > 0) {
        const std::optional<Unit> loaded = master_.loadedUnit();
        if (loaded && indexOf(*loaded) == index) {
            return Choice::Loaded;
        }
        const Answer answer =
            port_.showMessage(MessageRequest{texts::unitChangeQuestion(), texts::unitChangeTitle(),
                                             MessageButtons::YesNo, MessageIcon::Exclamation});
        if (answer != Answer::Yes) {
            putBack(index);
            return Choice::Refused;
        }
        return Choice::NewProjectFirst;
    }
    loadList(unitAt(index));
    return Choice::Loaded;
}

void UnitSwitch::load(int index) {
    const ChangedOnReturn told(*this, master_);
    loadList(unitAt(index));
}

void UnitSwitch::putBack(int index) {
    const ChangedOnReturn told(*this, master_);
    master_.setUnitIndex(index == 0 ? 1 : 0);
}

void UnitSwitch::chooseFromProject(Unit unit) {
    const ChangedOnReturn told(*this, master_);
    master_.setUnitIndex(indexOf(unit));
    loadList(unit);
}

void UnitSwitch::loadList(Unit unit) {
    std::optional<Error> failure;
    {
        BusyCursor busy(busy_);
        try {
            master_.load(unit, config_.mastDir, locale_);
        } catch (const Error& error) {
            failure = error;
        }
    }
    document_.setUnitIndex(indexOf(unit));
    Q_EMIT listLoaded(master_.revisionText());
    if (failure) {
        port_.warn(failure->message());
    }
}

}  // namespace veskplan
