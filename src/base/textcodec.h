#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace veskplan {

// Every text file the program reads or writes (master lists, category and county files,
// exports, configuration) is Windows-1252. Qt has no codec for it, so the table lives here.
namespace textcodec {

// Decodes Windows-1252 bytes. The five undefined bytes map to the C1 control of the same value,
// as Windows does, so that no byte is lost.
QString decode(QByteArrayView bytes);

// Encodes to Windows-1252; characters the code page lacks become '?'.
QByteArray encode(QStringView text);

// Splits text into lines at CR LF, CR or LF. A last line without an ending counts; an empty
// text, or a text that ends with a line end, has no empty line after it.
QList<QByteArrayView> splitLines(QByteArrayView bytes);

// Decodes and splits in one step.
QStringList decodeLines(QByteArrayView bytes);

// Line end of every text file the program writes.
inline constexpr char kLineEnd[] = "\r\n";

}  // namespace textcodec
}  // namespace veskplan
