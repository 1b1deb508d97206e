#pragma once

#include <QString>
#include <QStringList>

namespace veskplan {

// A command line that the history command cannot run; `problem` is the usage line's reason.
struct HistoryUsageProblem {
    const char* problem;
};

// `history init URI`: makes the program's schema on a server.
// `history import DB FILE... [--layout FILE]`: adds the bids of the files to the bid history DB
// (a file, made when it does not exist, or a server's), all files or none, and prints one line per
// file (with the rows of the engineer's estimate it left out, when there were any). Without
// --layout, a file whose headings are not recognised by name imports with the layout the window
// kept for its heading row (in the user's data folder), and is refused, naming it and the way out,
// when there is none. Throws Error for a failure (a history made for this run is removed again) and
// HistoryUsageProblem for a wrong command line; returns the exit status otherwise.
int runHistoryCommand(const QStringList& args);

}  // namespace veskplan
