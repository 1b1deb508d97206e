#include <QCoreApplication>

#include "cli/commandline.h"

// Windows' C library turns every line feed written to a text-mode stream into CR LF: exports
// written to standard output already end their lines as their format says, so both streams
// carry the bytes as written (_setmode, the C library's own call).
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#endif

int main(int argc, char** argv) {
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    return veskplan::runCommandLine(argc, argv);
}
