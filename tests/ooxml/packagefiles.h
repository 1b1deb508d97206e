#pragma once

// Hand-written packages of tests/data/ooxml (its README says how they are laid out), and the
// comparisons the tests of the .xlsx engine make on what it saves.

#include "ooxml/xlsxworkbook.h"
#include "ooxml/ziparchive.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace veskplan::test {

using namespace Qt::Literals::StringLiterals;
using Entries = QList<ZipArchive::Entry>;

// A part as a package stores it: XML written one element a line is joined, with CR LF after
// the declaration; other files are taken as they are.
inline QByteArray part(const QString& path) {
    QByteArray bytes = readFile(path);
    if (!path.endsWith(u".xml"_s) && !path.endsWith(u".rels"_s)) {
        return bytes;
    }
    QList<QByteArray> lines = bytes.split('\n');
    QByteArray joined = lines.takeFirst();
    if (joined.startsWith("<?xml")) {
        joined += "\r\n";
    }
    return joined + lines.join();
}

// The files below a folder of tests/data as package entries, in order of name.
inline Entries package(const QString& folder) {
    const QDir root(dataPath(folder));
    Entries entries;
    QDirIterator files(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        entries.append({root.relativeFilePath(path), part(path)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return entries;
}

inline QString writePackage(const QString& path, const Entries& entries) {
    writeFile(path, ZipArchive::write(entries, ZipArchive::Compression::Deflate));
    return path;
}

// The package of cells/package with the sheet of the cells/ case given.
inline QString oneSheetPackage(const QTemporaryDir& dir, const QString& sheetCase) {
    return writePackage(
        dir.filePath(u"in.xlsx"_s),
        package(u"ooxml/cells/package"_s) +
            Entries{{u"xl/worksheets/sheet1.xml"_s,
                     part(dataPath(u"ooxml/cells/%1/before.xml"_s.arg(sheetCase)))}});
}

inline Entries saved(const XlsxWorkbook& workbook, const QTemporaryDir& dir) {
    const QString path = dir.filePath(u"saved.xlsx"_s);
    workbook.save(path);
    return ZipArchive::read(readFile(path));
}

inline QByteArray partOf(const Entries& entries, const QString& name) {
    for (const ZipArchive::Entry& entry : entries) {
        if (entry.name == name) {
            return entry.data;
        }
    }
    ADD_FAILURE() << "no part " << name.toStdString();
    return {};
}

inline QStringList namesOf(const Entries& entries) {
    QStringList names;
    for (const ZipArchive::Entry& entry : entries) {
        names.append(entry.name);
    }
    return names;
}

// The part `name` of `entries` is the hand-written file of tests/data given, byte for byte.
inline void expectPart(const QString& dataName, const Entries& entries, const QString& name) {
    EXPECT_TRUE(sameBytes(part(dataPath(dataName)), partOf(entries, name))) << name.toStdString();
}

// The same parts in the same order, each byte for byte.
inline void expectParts(const Entries& expected, const Entries& actual) {
    EXPECT_EQ(namesOf(actual), namesOf(expected));
    for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        EXPECT_TRUE(sameBytes(expected[i].data, actual[i].data)) << expected[i].name.toStdString();
    }
}

// The reason of the XlsxError that f throws, after checking that its message names file.
inline QString refusal(const QString& file, const std::function<void()>& f) {
    try {
        f();
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.file(), file);
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QDir::toNativeSeparators(file) + u": "_s + error.reason());
        return error.reason();
    }
    ADD_FAILURE() << "no XlsxError";
    return {};
}

// Applies the cell writes of a JSON file: [cell, number] to setNumber, [cell, text] to
// setText; a third item is the reason the write must be refused with.
inline void applyEdits(XlsxWorkbook& workbook, const QString& file, const QString& json) {
    const QJsonArray edits = QJsonDocument::fromJson(readFile(json)).array();
    EXPECT_FALSE(edits.isEmpty()) << json.toStdString();
    for (const auto& item : edits) {
        const QJsonArray edit = item.toArray();
        const auto write = [&] {
            if (edit[1].isDouble()) {
                workbook.setNumber(edit[0].toString(), edit[1].toDouble());
            } else {
                workbook.setText(edit[0].toString(), edit[1].toString());
            }
        };
        if (edit.size() > 2) {
            EXPECT_EQ(refusal(file, write), edit[2].toString());
        } else {
            write();
        }
    }
}

}  // namespace veskplan::test
