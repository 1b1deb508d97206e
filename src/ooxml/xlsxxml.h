#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veskplan {

// Parsing and writing of the XML parts of a workbook package, and lookups by local name:
// a package may bind the main namespace to a prefix ("x:sheetData"), which the code below
// must treat like the unprefixed name.
class XlsxXml {
public:
    // Parses one part. Throws XlsxError (without a file; the caller adds it) naming the part
    // when it is not well-formed or carries a document type declaration, which no workbook
    // part may have and which could otherwise pull in entity definitions.
    static std::unique_ptr<pugi::xml_document> parse(QByteArrayView data, const QString& part);

    // The document with the standard declaration, no added whitespace.
    static QByteArray serialize(const pugi::xml_document& document);

    // "sheetData" for both "sheetData" and "x:sheetData".
    static std::string_view localName(pugi::xml_node node);
    // "x:" for "x:worksheet", "" for "worksheet".
    static std::string prefix(pugi::xml_node node);

    // First element child with the given local name, or an empty node.
    static pugi::xml_node child(pugi::xml_node parent, std::string_view local);
    // The next element sibling with the same local name, or an empty node.
    static pugi::xml_node nextSibling(pugi::xml_node node, std::string_view local);

    // The prefix ("r:") the document binds to the relationships namespace; "r:" when none is
    // found, which is what every producer uses.
    static std::string relationshipPrefix(pugi::xml_node root);

    static QString text(pugi::xml_node node);
    static QString attribute(pugi::xml_node node, const char* name);

    // The attribute set to `value`, added when the node lacks it.
    static void setAttribute(pugi::xml_node node, const char* name, const char* value);
    static void setText(pugi::xml_node node, const QString& text);
    // The element children, in order; a copy, so that the caller may remove them as it goes.
    static std::vector<pugi::xml_node> elementChildren(pugi::xml_node parent);
};

}  // namespace veskplan
