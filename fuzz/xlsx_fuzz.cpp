// Feeds arbitrary bytes to the .xlsx engine the way the Tabfill export uses it: open a seed,
// keep one template sheet, fill cells, save. XlsxError is the engine's answer to a bad seed;
// anything else escaping, a crash or a sanitizer report is a fault.

#include "fuzztarget.h"

#include "ooxml/xlsxworkbook.h"

#include <QStringList>

#ifndef VESKPLAN_FUZZ_ENTRY_ONLY
#include "ooxml/ziparchive.h"
#include "ooxml/ziperror.h"

#include <cstring>
#include <random>
#endif

namespace {

using namespace Qt::Literals::StringLiterals;
using veskplan::XlsxError;
using veskplan::XlsxWorkbook;

// The bundled seed's template sheets, the ones the export asks for.
const QStringList kTemplates = {u"e100-01a"_s, u"e100-01b"_s, u"e100-01c"_s,
                                u"m100-01a"_s, u"m100-01b"_s, u"m100-01c"_s};

// The cells an export writes: heading fields, an item row with text and numbers, a blank.
void fill(XlsxWorkbook& workbook) {
    workbook.setText(u"B4"_s, u"Project <1> & \"2\""_s);
    workbook.setNumber(u"B6"_s, 12);
    workbook.setText(u"A15"_s, u"1"_s);
    workbook.setText(u"C15"_s, u" EXCAVATION_x0041_\t"_s);
    workbook.setNumber(u"E15"_s, 1234.5678);
    workbook.setNumber(u"J16"_s, -0.0);
    workbook.setText(u"A1"_s, QString());
}

// What the engine saved must open again as the one sheet it kept.
void checkSaved(const QString& path) {
    QStringList names;
    try {
        names = XlsxWorkbook::open(path).sheetNames();
    } catch (const XlsxError& error) {
        // Cells the engine numbered can make a part grow past the limit; nothing else may fail.
        if (!error.reason().contains(u"larger than the allowed size"_s)) {
            throw std::logic_error("the saved workbook does not open: " +
                                   std::string(error.what()));
        }
        return;
    }
    if (names != QStringList{u"Tabfill"_s}) {
        throw std::logic_error("the saved workbook has the sheets " +
                               names.join(u'|').toStdString());
    }
}

void keepAndFill(const QString& input, const QString& sheet, bool writeFirst) {
    try {
        XlsxWorkbook workbook = XlsxWorkbook::open(input);
        if (writeFirst) {
            // A cell written before the cut goes to the first sheet, which may be cut away.
            workbook.setNumber(u"E15"_s, 1);
            try {
                workbook.keepOnlySheet(u"no such sheet"_s, u"Tabfill"_s);
            } catch (const XlsxError&) {
            }
        }
        workbook.keepOnlySheet(sheet, u"Tabfill"_s);
        fill(workbook);
        const QString output = veskplan::fuzz::scratchPath(u"out.xlsx"_s);
        workbook.save(output);
        checkSaved(output);
    } catch (const XlsxError&) {
    }
}

}  // namespace

VESKPLAN_FUZZ_TARGET(xlsx) {
    const InputFile input(bytes, u"in.xlsx"_s);
    QStringList sheets;
    try {
        sheets = XlsxWorkbook::open(input.path()).sheetNames();
    } catch (const XlsxError&) {
        return 0;
    }
    // The templates the seed has (keepOnlySheet matches names ignoring case), else the first.
    QStringList wanted;
    for (const QString& name : kTemplates) {
        if (sheets.contains(name, Qt::CaseInsensitive)) {
            wanted.append(name);
        }
    }
    if (wanted.isEmpty() && !sheets.isEmpty()) {
        wanted.append(sheets.front());
    }
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        keepAndFill(input.path(), wanted[i], i == 0);
    }
    return sheets.size();
}

#ifndef VESKPLAN_FUZZ_ENTRY_ONLY
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

// Nearly every byte of a package sits in a compressed entry with a checksum, so mutating the
// bytes as they are mostly tests the checksum. Half of the mutations therefore unpack the
// archive, change one entry (its content, its name, or whether it is there) and pack it again.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
    std::minstd_rand random(seed);
    if (random() % 2 == 0) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    QList<veskplan::ZipArchive::Entry> entries;
    try {
        entries = veskplan::ZipArchive::read(
            QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const veskplan::ZipError&) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    if (entries.isEmpty()) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    const qsizetype pick = qsizetype(random() % entries.size());
    QByteArray& content = entries[pick].data;
    switch (random() % 8) {
        case 0: {
            QByteArray name = entries[pick].name.toUtf8();
            const qsizetype used = name.size();
            name.resize(used + 16);
            name.resize(qsizetype(LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(name.data()),
                                                   size_t(used), size_t(name.size()))));
            entries[pick].name = QString::fromUtf8(name);
            break;
        }
        case 1:
            entries.removeAt(pick);
            break;
        case 2:
            entries.append(entries[pick]);
            break;
        default: {
            const qsizetype used = content.size();
            content.resize(used + 64);
            content.resize(qsizetype(LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(content.data()),
                                                      size_t(used), size_t(content.size()))));
            break;
        }
    }
    QByteArray packed;
    try {
        packed = veskplan::ZipArchive::write(
            entries, random() % 4 == 0 ? veskplan::ZipArchive::Compression::Deflate
                                       : veskplan::ZipArchive::Compression::Store);
    } catch (const veskplan::ZipError&) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    if (size_t(packed.size()) > maxSize) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    std::memcpy(data, packed.constData(), size_t(packed.size()));
    return size_t(packed.size());
}
#endif
