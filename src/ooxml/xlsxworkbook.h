#pragma once

#include "ooxml/xlsxerror.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace veskplan {

class XlsxPackage;

// A workbook package (.xlsx) held in memory: opened from a template, cut down to one sheet,
// filled cell by cell and saved. Parts the program does not change are written back byte for
// byte, so whatever the template holds survives.
class XlsxWorkbook {
public:
    // Reads the package. Throws XlsxError naming the file for a missing or unreadable file, a
    // file that is not a zip archive or not a workbook, an entry over the size limits or with
    // an unsafe name, and a malformed main part.
    static XlsxWorkbook open(const QString& path);

    XlsxWorkbook(XlsxWorkbook&&) noexcept;
    XlsxWorkbook& operator=(XlsxWorkbook&&) noexcept;
    ~XlsxWorkbook();

    // Sheet names in tab order.
    QStringList sheetNames() const;

    // Keeps only the named sheet (exact name first, then ignoring case) and renames it. What the
    // sheet uses stays (styles, shared strings, theme, its drawings and printer settings, print
    // area and titles, formulas); other sheets, their parts and names, and the calculation
    // chain go. References to the kept sheet follow the new name; references to removed
    // sheets become #REF!. Throws XlsxError when there is no such sheet, it is not a worksheet
    // or the new name is not a valid sheet name; the workbook is then unchanged.
    void keepOnlySheet(const QString& name, const QString& newName);

    // Cell writes go to the first sheet (the only one after keepOnlySheet). The cell keeps its
    // style; any value or formula it had is replaced. a1 is a plain address such as "E15".
    // Throws XlsxError for a malformed address or a value no workbook can hold.
    void setNumber(const QString& a1, double value);
    // Inline string; empty text leaves the cell blank.
    void setText(const QString& a1, const QString& text);

    // The package as the bytes of its file. Throws XlsxError.
    QByteArray toBytes() const;
    // Writes the package to path through a temporary file that replaces it only when complete,
    // so a failure never leaves a partial file. Throws XlsxError naming path.
    void save(const QString& path) const;

private:
    XlsxWorkbook(QString path, std::unique_ptr<XlsxPackage> package);

    QString path_;
    std::unique_ptr<XlsxPackage> package_;
};

}  // namespace veskplan
