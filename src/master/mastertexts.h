#pragma once

#include <QString>

#include "base/texts.h"

// The words of the master item list, its category file and the item mapping file.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

// Master list.
inline QString revisedPrefix() {
    return u"Revised "_s;
}
inline QString masterListUnreadable(const QString& file, const QString& reason) {
    return u"The master item list "_s + file + u" could not be read: "_s + reason +
           u"\nThe list is left empty."_s;
}
// Item categories.
inline QString categoryFileUnreadable(const QString& file, const QString& reason) {
    return u"The item category file "_s + file + u" could not be read: "_s + reason;
}
// The item mapping file.
inline QString mappingUnreadable(const QString& file, const QString& reason) {
    return u"The item mapping file "_s + file + u" could not be read: "_s + reason;
}
inline QString mappingColumnsMissing(const QString& file, const QString& column,
                                     const QString& alsoMissing) {
    return u"The item mapping file "_s + file +
           u" cannot be used: its first row names no column \""_s + column +
           (alsoMissing.isEmpty() ? QString() : u"\" nor \""_s + alsoMissing) + u"\"."_s;
}
inline QString mappingLine(int line, const QString& problem) {
    return u"line "_s + QString::number(line) + u": "_s + problem;
}
inline QString mappingLeftOut(const QString& problem) {
    return problem + u"; the row is left out"_s;
}
inline QString mappingQuoteNotClosed() {
    return mappingLeftOut(csvQuoteNotClosed());
}
inline QString mappingPreviousBlank() {
    return u"the previous item ID is blank; the row is left out"_s;
}
inline QString mappingNewBlank(const QString& previous) {
    return u"the new item ID of "_s + previous + u" is blank; the row is left out"_s;
}
inline QString mappingToItself(const QString& number) {
    return number + u" is replaced by itself; the row is left out"_s;
}
inline QString mappingTwice(const QString& number, const QString& first, const QString& later) {
    return number + u" is already replaced by "_s + first + u"; its replacement by "_s + later +
           u" is left out"_s;
}
inline QString mappingCircle(const QString& numbers) {
    return u"the replacements "_s + numbers +
           u" go round in a circle; each is followed until the circle closes"_s;
}
inline QString mappingChainTooLong(const QString& number, int steps) {
    return u"the replacements from "_s + number + u" go on for more than "_s +
           QString::number(steps) + u" steps; they are followed no further"_s;
}

}  // namespace veskplan::texts
