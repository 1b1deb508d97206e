#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace veskplan {

// A fixed-column field with the blanks that pad it removed: item numbers, descriptions and
// units are matched this way.
QStringView withoutTrailingBlanks(QStringView text);

// Text laid out in fixed 1-based columns, as every export file and the printed table are.
// Placing a value at column n fills the line with blanks up to column n - 1; when the line
// already reaches past column n - 1, it is ended and the value starts at column n of a new line.
class FixedColumnText {
public:
    void place(int column, QStringView value);
    // Appends directly after what the line holds.
    void append(QStringView value) { current_ += value; }
    void endLine();

    // The finished lines (the line being written is not among them).
    const QStringList& lines() const { return lines_; }
    // The finished lines in Windows-1252, each ended by CR LF.
    QByteArray windows1252() const;

private:
    QString current_;
    QStringList lines_;
};

}  // namespace veskplan
