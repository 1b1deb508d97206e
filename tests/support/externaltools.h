#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace veskplan::test {

// The programs that read what we write, all installed by scripts/install-deps.sh. Each returns
// nothing after failing the test when its program is missing (naming the package that brings
// it: a check that cannot run must not pass) or when the program fails.

// Converts the first sheet of a workbook with LibreOffice to CSV (comma, double quote, UTF-8,
// text quoted, cells as shown), every formula recalculated on load, and returns the CSV text with
// LF line ends.
std::optional<QString> libreOfficeCsv(const QString& workbook);

// Runs a Python script with openpyxl (sys.argv[1] is `path`) and returns what it printed.
std::optional<QString> openpyxl(const QString& script, const QString& path);

// Runs `pdftotext -layout` (with any further options) on a PDF and returns the text.
std::optional<QString> pdfText(const QString& pdf, const QStringList& options = {});

}  // namespace veskplan::test
