#pragma once

#include <optional>

#include <QLocale>
#include <utility>

#include "controller/userport.h"

namespace veskplan {

class BusyIndicator;
class MasterSession;
class ProjectDocument;
class ProjectEditing;
class UnitSwitch;
class UserPort;
namespace specialrows {
struct ProjectContents;
}

// Binds the project grid to what a project file holds: the header fields and the categories
// into the document, the project's unit into the unit selector, the master revision check after
// an Open, and the first category selected.
class ProjectBinding {
public:
    ProjectBinding(ProjectDocument& document, MasterSession& master, ProjectEditing& editing,
                   UnitSwitch& units, UserPort& port, BusyIndicator& busy, QLocale locale)
        : document_(document),
          master_(master),
          editing_(editing),
          units_(units),
          port_(port),
          busy_(busy),
          locale_(std::move(locale)) {}

    // Binds the header fields and categories of a project whose items are in the table
    // already; `checkRevision` runs the master revision check (Open only).
    void bind(const specialrows::ProjectContents& contents, bool checkRevision);
    // Whether a binding ran the revision check (the dates of the lists differed) since this was
    // last asked.
    bool takeRevisionChecked() { return std::exchange(revisionChecked_, false); }
    // Tells what the last revision check found, once the window shows the opened project (told
    // in the middle of the binding, the message stood over the last project's fields).
    void tellRevisionCheck();

private:
    void checkRevision();

    ProjectDocument& document_;
    MasterSession& master_;
    ProjectEditing& editing_;
    UnitSwitch& units_;
    UserPort& port_;
    BusyIndicator& busy_;
    QLocale locale_;
    bool revisionChecked_ = false;
    std::optional<MessageRequest> revisionMessage_;
};

}  // namespace veskplan
