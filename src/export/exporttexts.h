#pragma once

#include <QString>

// The words of the exports: their dialogs, the messages after writing and why a file is not made.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

inline QString trnsportTitle() {
    return u"Export Project Item List to a Trns*Port file"_s;
}
inline QString trnsportSaved() {
    return u"Trns*Port file saved as "_s;
}
inline QString roadCadTitle() {
    return u"Export Project Item List to a Road CAD Quantity file"_s;
}
inline QString bridgeCadTitle() {
    return u"Export Project Item List to a Bridge CAD Quantity file"_s;
}
inline QString roadCadFilter() {
    return u"Road CAD Quantity Files (*.txt)"_s;
}
inline QString bridgeCadFilter() {
    return u"Bridge CAD Quantity Files (*.txt)"_s;
}
inline QString roadCadSaved() {
    return u"Road CAD Quantity file saved as "_s;
}
inline QString bridgeCadSaved() {
    return u"Bridge CAD Quantity file saved as "_s;
}
inline QString tabfillTitle() {
    return u"Export Project Item List to an Excel Tabfill file"_s;
}
inline QString tabfillFilter() {
    return u"Excel Tabfill Files (*.xlsx)"_s;
}
inline QString tabfillSaved() {
    return u"Road CAD (Excel) Quantity file saved as "_s;
}
inline QString tabfillTooManyCategories() {
    return u"Your project has more categories than the largest tab will hold.  The program "
           u"cannot create an Excel Tab file."_s;
}
inline QString workbookNotMade(const QString& reason) {
    return u"The Road CAD (Excel) Quantity file could not be made:\n"_s + reason;
}

}  // namespace veskplan::texts
