#pragma once

#include <QString>
#include <QStringList>

// The bid history's own words: the reasons a row, a file or the database is refused.
namespace veskplan::historytexts {

using namespace Qt::Literals::StringLiterals;

inline QString quoted(const QString& text) {
    return u"\""_s + text + u"\""_s;
}
inline QString notANumber(const QString& field, const QString& text) {
    return u"the "_s + field + u" "_s + quoted(text) + u" is not a number"_s;
}
inline QString unclearComma(const QString& field, const QString& text) {
    return u"the "_s + field + u" "_s + quoted(text) +
           u" is unclear: in a file separated by semicolons or tabs its comma may be a decimal "
           u"comma; write the number with a decimal point"_s;
}
inline QString numberOutOfRange(const QString& field, const QString& text) {
    return u"the "_s + field + u" "_s + quoted(text) + u" is out of range"_s;
}
inline QString notAboveZero(const QString& field, const QString& text) {
    return u"the "_s + field + u" "_s + quoted(text) + u" is not above zero"_s;
}
inline QString belowZero(const QString& field, const QString& text) {
    return u"the "_s + field + u" "_s + quoted(text) + u" is below zero"_s;
}
inline QString emptyField(const QString& field) {
    return u"the "_s + field + u" is empty"_s;
}
inline QString unknownUnit(const QString& text) {
    return u"the unit "_s + quoted(text) + u" is not a known unit"_s;
}
inline QString notADate(const QString& text) {
    return u"the letting date "_s + quoted(text) + u" is not a date (2026-03-31 or 3/31/2026)"_s;
}
inline QString notAFlag(const QString& text) {
    return u"the low bidder flag "_s + quoted(text) + u" is neither yes nor no"_s;
}
inline QString notARank(const QString& text) {
    return u"the bidder rank "_s + quoted(text) + u" is not a whole number from 0 to 1000"_s;
}
inline QString notACount(const QString& text) {
    return u"the number of bids "_s + quoted(text) + u" is not a whole number"_s;
}
inline QString duplicateHeading(const QString& heading) {
    return u"the heading "_s + quoted(heading) + u" appears twice"_s;
}
inline QString twoColumnsForField(const QString& field, const QString& first,
                                  const QString& second) {
    return u"both "_s + quoted(first) + u" and "_s + quoted(second) + u" give the "_s + field;
}
inline QString missingColumn(const QString& field) {
    return u"no column gives the "_s + field;
}
// The faults of a file's rows after its first, and how many were not named.
inline QString laterFault(int line, const QString& reason) {
    return u"line "_s + QString::number(line) + u": "_s + reason;
}
inline QString rowFaults(const QString& first, const QStringList& later, int untold) {
    QString text = first;
    for (const QString& fault : later) {
        text += u"; "_s + fault;
    }
    if (untold > 0) {
        text += u"; and "_s + QString::number(untold) + u" more rows with faults"_s;
    }
    return text;
}
inline QString noHeading() {
    return u"the file holds no heading row"_s;
}
inline QString missingLayoutColumn(const QString& field, const QString& heading) {
    return u"the layout names "_s + quoted(heading) + u" for the "_s + field +
           u", which no column is called"_s;
}
inline QString layoutLineMalformed() {
    return u"a line of a layout reads FIELD=HEADING"_s;
}
inline QString layoutUnknownField(const QString& text) {
    return u"the field "_s + quoted(text) + u" is not one a layout can name"_s;
}
inline QString layoutFieldTwice(const QString& text) {
    return u"the field "_s + quoted(text) + u" is named twice"_s;
}
inline QString tooManyRows(qsizetype maxRows) {
    return u"it holds more than "_s + QString::number(maxRows) + u" rows"_s;
}
inline QString notAQuarter(const QString& text) {
    return u"the quarter "_s + quoted(text) + u" is not a quarter (2024Q1 or 2024-Q1)"_s;
}
inline QString quarterTwice(const QString& text) {
    return u"the quarter "_s + quoted(text) + u" appears twice"_s;
}
inline QString noIndexColumns() {
    return u"the heading row names no \"Quarter\" and \"Index\" columns"_s;
}
inline QString noQuarters() {
    return u"the file holds no quarters"_s;
}
inline QString alreadyImported(const QString& when) {
    return u"the same file was imported before ("_s + when + u")"_s;
}
inline QString historyNotOpened(const QString& file, const QString& reason) {
    return u"The bid history "_s + file + u" could not be opened: "_s + reason;
}
inline QString historyNotWritten(const QString& file, const QString& reason) {
    return u"The bid history "_s + file + u" could not be written: "_s + reason;
}
inline QString historyReadOnly() {
    return u"it is open read-only"_s;
}
inline QString fileReadOnly() {
    return u"the file is read-only"_s;
}
inline QString storeNoHeadings() {
    return u"a \"Headings\" line names no headings"_s;
}
inline QString storeHeadingsTwice() {
    return u"the same headings are kept twice"_s;
}
inline QString storeFieldBeforeHeadings() {
    return u"a field comes before any \"Headings\" line"_s;
}
inline QString storeLineMalformed() {
    return u"a line names a field and the heading of its column"_s;
}
inline QString storeHeadingMissing(const QString& heading) {
    return u"the heading "_s + quoted(heading) + u" is not among the layout's headings"_s;
}
inline QString notABidHistory() {
    return u"it is not a bid history"_s;
}

// The bid history on a server, named "HOST/DB".
inline QString serverNotOpened(const QString& server, const QString& reason) {
    return u"The bid history at "_s + server + u" could not be opened: "_s + reason;
}
inline QString serverNotWritten(const QString& server, const QString& reason) {
    return u"The bid history at "_s + server + u" could not be written: "_s + reason;
}
inline QString serverReadOnly(const QString& server, const QString& user) {
    return u"the bid history at "_s + server + u" is read-only for "_s + user;
}
inline QString serverWithoutHistory() {
    return u"it holds no bid history (veskplan-cli history init makes one)"_s;
}
inline QString serverSchemaNewer(qint64 version, int known) {
    return u"its schema version "_s + QString::number(version) +
           u" is newer than this program knows ("_s + QString::number(known) +
           u"); use a newer Veskplan"_s;
}
inline QString serverSchemaOlder(qint64 version, int known) {
    return u"its schema version "_s + QString::number(version) +
           u" is older than this program's ("_s + QString::number(known) +
           u"); veskplan-cli history init brings it up to date"_s;
}
// Bids of a file that the history held already (another file brought them), left out.
inline QString bidsHeldSkipped(int bids) {
    return QString::number(bids) + (bids == 1 ? u" bid"_s : u" bids"_s) +
           u" the history held already skipped"_s;
}
inline QString passwordInAddress() {
    return u"the address holds a password; keep it in the password file (~/.pgpass) instead"_s;
}
// The address itself is not repeated: it may hold a password.
inline QString notAServerAddress() {
    return u"the address is not one of a server (postgresql://[user@]host[:port]/database)"_s;
}

// Rows of the engineer's estimate an open-data file carries among its bids, left out.
inline QString estimateRowsSkipped(int rows) {
    return QString::number(rows) + (rows == 1 ? u" row"_s : u" rows"_s) +
           u" of the engineer's estimate skipped"_s;
}

}  // namespace veskplan::historytexts
