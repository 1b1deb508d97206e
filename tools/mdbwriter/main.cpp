#include "description.h"
#include "mdbwriter.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <cstring>

// veskplan-mkmdb [--map] DESCRIPTION.json OUT.mdb
// Writes the Jet 4 database that the description lays out; --map lists what each page holds.
int main(int argc, char** argv) {
    const bool map = argc == 4 && std::strcmp(argv[1], "--map") == 0;
    if (argc != 3 && !map) {
        std::fprintf(stderr, "usage: veskplan-mkmdb [--map] DESCRIPTION.json OUT.mdb\n");
        return 2;
    }
    const char* input = argv[argc - 2];
    const char* output = argv[argc - 1];
    QFile in(QString::fromLocal8Bit(input));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "veskplan-mkmdb: %s: %s\n", input, qPrintable(in.errorString()));
        return 1;
    }
    try {
        const auto file = veskplan::mdb::writeJet4(veskplan::mdb::parseDescription(in.readAll()));
        QSaveFile out(QString::fromLocal8Bit(output));
        const auto size = static_cast<qint64>(file.bytes.size());
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(reinterpret_cast<const char*>(file.bytes.data()), size) != size ||
            !out.commit()) {
            std::fprintf(stderr, "veskplan-mkmdb: %s: %s\n", output, qPrintable(out.errorString()));
            return 1;
        }
        if (map) {
            for (const auto& note : file.pages) {
                std::printf("%u %s\n", note.page, note.what.c_str());
            }
        }
    } catch (const veskplan::mdb::WriteError& error) {
        std::fprintf(stderr, "veskplan-mkmdb: %s: %s\n", input, error.what());
        return 1;
    }
    return 0;
}
