#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace veskplan {

// A new workbook written from nothing, sheet by sheet and row by row, for reports: text and
// numbers in three styles (plain, two-decimal money, bold), every sheet printed landscape with a
// header line atop each page and the page number below. Equal content gives equal bytes.
class XlsxWriter {
public:
    enum class Style { Plain, Money, Bold };

    // Starts a sheet; the cells written after go to it.
    void addSheet(const QString& name, const QString& printedHeader);
    // Starts the next row of the sheet (the first call its row 1); row() is its number. A row
    // left without cells is left out of the sheet.
    void nextRow();
    int row() const { return row_; }
    // A cell of the row; `column` counts from 1. Empty text leaves the cell blank.
    void text(int column, const QString& value, Style style = Style::Plain);
    // `value` is the number as stored ("12.5", "-0.05").
    void number(int column, const QString& value, Style style = Style::Plain);

    // The package. Throws XlsxError when there is no sheet or the archive cannot be made.
    QByteArray toBytes() const;

private:
    void cell(int column, Style style, const QString& type, const QString& inner);
    void closeRow();

    struct Sheet {
        QString name;
        QString header;
        QByteArray rows;
    };
    QList<Sheet> sheets_;
    int row_ = 0;
    bool rowOpen_ = false;
};

}  // namespace veskplan
