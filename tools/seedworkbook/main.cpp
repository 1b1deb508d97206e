#include "seedworkbook.h"

#include "ooxml/ziperror.h"

#include <QSaveFile>
#include <QString>

#include <cstdio>

// veskplan-seedworkbook OUT.xlsx
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: veskplan-seedworkbook OUT.xlsx\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    try {
        const QByteArray bytes = veskplan::SeedWorkbook::bytes();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            std::fprintf(stderr, "veskplan-seedworkbook: %s: %s\n", argv[1],
                         qPrintable(file.errorString()));
            return 1;
        }
    } catch (const veskplan::ZipError& error) {
        std::fprintf(stderr, "veskplan-seedworkbook: %s\n", error.what());
        return 1;
    }
    return 0;
}
