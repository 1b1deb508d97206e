#include "files/unitselector.h"

#include <QDir>

#include "master/masterlistfile.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {

void UnitSelector::select(int index) {
    ws_.engMet = index;
    engMet_Click();
}

void UnitSelector::engMet_Click() {
    const int index = ws_.engMet;
    if (ws_.store->recordCount() > 0 && !ws_.unitFromProject) {
        if (index == ws_.mastUnitLoaded) {
            return;
        }
        const Answer answer = ws_.port.showMessage(
            MessageRequest{texts::unitChangeQuestion(), texts::unitChangeTitle(),
                           MessageButtons::YesNo, MessageIcon::Exclamation});
        // A refusal, or a new project that did not go through (its save was cancelled or
        // failed), leaves the selector on the list that is loaded.
        if (answer != Answer::Yes || !newProject_()) {
            select(index == 0 ? 1 : 0);
            return;
        }
    }
    load(index);
}

void UnitSelector::load(int index) {
    QString failure;
    {
        BusyCursor busy(ws_.port);
        const QString path = joinPath(ws_.config.mastDir, MasterListFile::fileName(index));
        MasterListFile file = MasterListFile::read(path);
        if (file.ok()) {
            ws_.master.replace(std::move(file.rows));
            ws_.mastRevDate = revisedCaption(file.revised, ws_.locale);
            ws_.masterLoadFailed = false;
        } else {
            ws_.master.replace(MasterList());
            ws_.mastRevDate.clear();
            ws_.masterLoadFailed = true;
            failure = file.error;
        }
        ws_.mastUnitLoaded = index;
    }
    if (!failure.isEmpty()) {
        ws_.port.showMessage(MessageRequest{failure, texts::appTitle(), MessageButtons::Ok,
                                            MessageIcon::Exclamation});
    }
}

}  // namespace veskplan
