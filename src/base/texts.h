#pragma once

#include <QString>

// The words every layer may need: why a file could not be read or written. The texts of each
// layer above live with that layer (projecttexts.h, controllertexts.h, ...).
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

// Reading files.
inline QString lineTooLong(int line) {
    return u"line "_s + QString::number(line) + u" is far longer than a line of this file can be"_s;
}
inline QString fileTooLarge(qint64 maxBytes) {
    return u"the file is larger than such a file can be ("_s +
           QString::number(maxBytes / (1024 * 1024)) + u" MB)"_s;
}
inline QString tooManyLines(qsizetype maxLines) {
    return u"it holds more than "_s + QString::number(maxLines) +
           u" lines, more than such a file can"_s;
}
inline QString csvUnreadable(const QString& file, int line, const QString& reason) {
    return u"The file "_s + file + u" could not be read"_s +
           (line > 0 ? u" at line "_s + QString::number(line) : QString()) + u": "_s + reason;
}
inline QString csvQuoteNotClosed() {
    return u"a quote is not closed before the end of the file"_s;
}
// The separator of a CSV file in words: "a comma", "a semicolon", "a tab".
inline QString csvSeparatorWords(QChar separator) {
    return separator == u';' ? u"a semicolon"_s : separator == u'\t' ? u"a tab"_s : u"a comma"_s;
}
inline QString csvTextAfterQuote(QChar separator) {
    return u"a closing quote is followed by other text than "_s + csvSeparatorWords(separator) +
           u" or a line end"_s;
}
inline QString csvTooManyFields(qsizetype maxFields) {
    return u"a row holds more than "_s + QString::number(maxFields) + u" fields"_s;
}
inline QString notATextFile() {
    return u"not a text file"_s;
}
// Configuration and writing files.
inline QString configTooShort(const QString& file) {
    return u"The configuration file "_s + file +
           u" has fewer than six lines; default directories are used for the missing values."_s;
}
inline QString configUnreadable(const QString& file, const QString& reason) {
    return u"The configuration file "_s + file + u" could not be read ("_s + reason +
           u"); default directories are used."_s;
}
inline QString configNotWritten(const QString& file, const QString& reason) {
    return u"The configuration file "_s + file + u" could not be written: "_s + reason;
}
inline QString fileNotWritten(const QString& file, const QString& reason) {
    return u"The file "_s + file + u" could not be written: "_s + reason;
}
inline QString noSuchFolder() {
    return u"its folder does not exist"_s;
}
inline QString diskFull() {
    return u"the disk is full"_s;
}
inline QString noSuchFile() {
    return u"the file does not exist"_s;
}
// The file dialogs' catch-all filter, offered beside every file kind's own.
inline QString allFilesFilter() {
    return u"All Files (*.*)"_s;
}

}  // namespace veskplan::texts
