#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace veskplan::test {

// The programs that read what we write. Each returns nothing when the program is not
// installed, so the caller can skip; a failure of an installed program fails the test.

// Converts a workbook with LibreOffice to CSV (comma, double quote, UTF-8, text quoted, cells
// as shown) and returns the CSV text with LF line ends.
std::optional<QString> libreOfficeCsv(const QString& workbook);

// Runs a Python script with openpyxl (sys.argv[1] is `path`) and returns what it printed.
std::optional<QString> openpyxl(const QString& script, const QString& path);

// Runs `pdftotext -layout` (with any further options) on a PDF and returns the text.
std::optional<QString> pdfText(const QString& pdf, const QStringList& options = {});

}  // namespace veskplan::test
