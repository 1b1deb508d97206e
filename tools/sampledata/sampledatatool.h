#pragma once

#include <QStringList>
#include <QTextStream>

namespace veskplan::sampledata {

// Exit codes of veskplan-sampledata.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The command line of veskplan-sampledata, without the program name:
//   sample DIR                          writes itemse.txt, itemsm.txt, itemcats.txt, counties.txt
//   list ROWS english|metric FILE       writes a large master list
// Returns an exit code; on failure writes one line to `errors`. Files are replaced whole or not
// at all.
int runTool(const QStringList& arguments, QTextStream& errors);

}  // namespace veskplan::sampledata
