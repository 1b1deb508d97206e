#pragma once

#include "ooxml/ziparchive.h"

#include <QByteArray>
#include <QList>

namespace veskplan {

// The bundled seed workbook: six template sheets for the quantity table ("e" English, "m"
// metric units; "a" one quantity column, "b" two category columns and a total, "c" five and a
// total), each with a heading block in rows 1 to 14 and empty item rows from row 15.
// Every part is written here as text, so the package is the same byte for byte on every run.
class SeedWorkbook {
public:
    // The package parts in the order they are stored.
    static QList<ZipArchive::Entry> parts();
    // The finished .xlsx file. Entries are stored without compression, which keeps the bytes
    // independent of the compression library's version.
    static QByteArray bytes();
};

}  // namespace veskplan
