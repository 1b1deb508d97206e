#pragma once

namespace veskplan {

class MasterSession;
class ProjectDocument;
class UserPort;

// Before an export writes anything, the project is checked for what the receiving program would
// refuse (errors) or what is probably a mistake (warnings). With findings the designer goes back
// or exports anyway; without, nothing is asked. True when the export may go on.
bool passChecksBeforeExport(const ProjectDocument& document, const MasterSession& master,
                            UserPort& port);

}  // namespace veskplan
