#include "controller/formtexts.h"

#include <utility>
#include <vector>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const std::vector<std::pair<QString, FormText>>& texts() {
    static const std::vector<std::pair<QString, FormText>> all{
        {u"engMet"_s,
         {{},
          u"Select Metric or English to change the source of the Master Item List"_s,
          u"Units"_s}},
        {u"Label1"_s, {u"Master Item List"_s}},
        {u"mastItemList"_s,
         {{},
          u"Double click on an item to add it to the Project Item List"_s,
          u"Master Item List"_s}},
        {u"itemCat"_s,
         {u"&Sections"_s,
          u"Click here to select an Item Category you want to jump to in the Master Item List"_s}},
        {u"Label3"_s, {u"&Item Search:"_s}},
        {u"itemSrch"_s,
         {{},
          u"Enter an Item Number here to jump to that item in the Master Item List"_s,
          u"Item Search:"_s}},
        {u"Label9"_s, {u"&Description Search:"_s}},
        {u"srchStr"_s,
         {{},
          u"Text to Search for in Description Field of Master Item List"_s,
          u"Description Search:"_s}},
        {u"findNext"_s, {u"Find &Next"_s, u"Find the Next Occurance of Search Text"_s}},
        {u"findPrev"_s, {u"Find &Previous"_s, u"Find the Previous Occurance of Search Text"_s}},
        {u"Label6"_s, {u"Desi&gner:"_s}},
        {u"designer"_s, {{}, u"Enter the Name of the Designer here"_s, u"Designer:"_s}},
        {u"Label5"_s, {u"Project N&umber:"_s}},
        {u"projNum"_s, {{}, u"Enter the Project Number here"_s, u"Project Number:"_s}},
        {u"addItem"_s,
         {u"&Add to Project"_s,
          u"Click here to Add the selected Master Item to the Project Item List"_s}},
        {u"remItem"_s,
         {u"&Remove from Project"_s,
          u"Click here to Remove the selected item from the Project Item List"_s}},
        {u"Label7"_s, {u"&Letting Month:"_s}},
        {u"letMonth"_s,
         {{}, u"Indicate which Month the Letting will be held"_s, u"Letting Month:"_s}},
        {u"addCat"_s,
         {u"+"_s, u"Click here to Increment the Category Number"_s, u"Add Category"_s}},
        {u"Label8"_s, {u"&Category:"_s}},
        {u"catNum"_s, {{}, u"Indicate for which Category you are Adding Items"_s, u"Category:"_s}},
        {u"Label11"_s, {u"Categor&y Description:"_s}},
        {u"catDesc"_s,
         {{},
          u"Description of the Category Number displayed to the left"_s,
          u"Category Description:"_s}},
        {u"Label2"_s, {u"Project Item List"_s}},
        {u"printProjList"_s, {u"Prin&t"_s, u"Click Here to Print the Project Item List"_s}},
        {u"projItemDB"_s,
         {{},
          u"List of Project Items.  Click on Column Headings to Change Sort Order"_s,
          u"Project Item List"_s}},
    };
    return all;
}

}  // namespace

FormText formText(const QString& name) {
    for (const auto& [key, text] : texts()) {
        if (key == name) {
            FormText found = text;
            if (found.accessibleName.isEmpty() && !found.tooltip.isEmpty()) {
                found.accessibleName = QString(found.caption).remove(u'&');
            }
            return found;
        }
    }
    return {};
}

QStringList formTextNames() {
    QStringList names;
    for (const auto& entry : texts()) {
        names << entry.first;
    }
    return names;
}

const QStringList& formTabOrder() {
    static const QStringList order{
        u"engMet"_s,        u"itemCat"_s,      u"itemSrch"_s, u"srchStr"_s, u"findNext"_s,
        u"findPrev"_s,      u"mastItemList"_s, u"designer"_s, u"projNum"_s, u"addItem"_s,
        u"remItem"_s,       u"letMonth"_s,     u"addCat"_s,   u"catNum"_s,  u"catDesc"_s,
        u"printProjList"_s, u"projItemDB"_s};
    return order;
}

}  // namespace veskplan
