#include "cli/commandoutput.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/error.h"
#include "base/filewriting.h"
#include "cli/clitexts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

void writeStandardOutput(const QByteArray& bytes) {
    const size_t written =
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    if (written != static_cast<size_t>(bytes.size()) || std::fflush(stdout) != 0 ||
        std::ferror(stdout)) {
        throw Error(texts::standardOutputNotWritten(QString::fromLocal8Bit(std::strerror(errno))));
    }
}

void writeOutput(const QString& output, const QByteArray& bytes) {
    if (output == u"-"_s) {
        writeStandardOutput(bytes);
    } else {
        writeFileAtomically(QFileInfo(output).absoluteFilePath(), bytes);
    }
}

}  // namespace veskplan
