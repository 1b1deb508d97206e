#pragma once

#include <QByteArray>
#include <QString>

namespace veskplan {

// Standard output, checked: a full disk or a closed pipe is a failure, not a short output.
void writeStandardOutput(const QByteArray& bytes);

// An output of the command line: "-" is standard output, anything else a file written whole or
// not at all.
void writeOutput(const QString& output, const QByteArray& bytes);

}  // namespace veskplan
