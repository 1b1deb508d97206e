#include "ooxml/xlsxxml.h"

#include "ooxml/xlsxerror.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Whitespace-only text survives only where it is the whole content of an element, as in
// <t xml:space="preserve"> </t>; the indentation between elements is dropped.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_doctype;

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

class ByteArrayWriter : public pugi::xml_writer {
public:
    explicit ByteArrayWriter(QByteArray& out) : out_(out) {}
    void write(const void* data, size_t size) override {
        out_.append(static_cast<const char*>(data), qsizetype(size));
    }

private:
    QByteArray& out_;
};

}  // namespace

std::unique_ptr<pugi::xml_document> XlsxXml::parse(QByteArrayView data, const QString& part) {
    auto document = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result result =
        document->load_buffer(data.data(), size_t(data.size()), kParseOptions);
    if (!result) {
        throw XlsxError(u"part \"%1\" is not well-formed XML (%2 at byte %3)"_s.arg(
            part, QString::fromUtf8(result.description()), QString::number(result.offset)));
    }
    for (pugi::xml_node node : document->children()) {
        if (node.type() == pugi::node_doctype) {
            throw XlsxError(u"part \"%1\" has a document type declaration"_s.arg(part));
        }
    }
    if (!document->document_element()) {
        throw XlsxError(u"part \"%1\" has no root element"_s.arg(part));
    }
    return document;
}

QByteArray XlsxXml::serialize(const pugi::xml_document& document) {
    QByteArray out(kDeclaration);
    ByteArrayWriter writer(out);
    for (pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_declaration) {
            continue;
        }
        node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    }
    return out;
}

std::string_view XlsxXml::localName(pugi::xml_node node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string XlsxXml::prefix(pugi::xml_node node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

pugi::xml_node XlsxXml::child(pugi::xml_node parent, std::string_view local) {
    for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && localName(node) == local) {
            return node;
        }
    }
    return {};
}

pugi::xml_node XlsxXml::nextSibling(pugi::xml_node node, std::string_view local) {
    for (node = node.next_sibling(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && localName(node) == local) {
            return node;
        }
    }
    return {};
}

std::string XlsxXml::relationshipPrefix(pugi::xml_node root) {
    static constexpr std::string_view kTransitional =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    static constexpr std::string_view kStrict =
        "http://purl.oclc.org/ooxml/officeDocument/relationships";
    for (pugi::xml_attribute attribute : root.attributes()) {
        const std::string_view name = attribute.name();
        const std::string_view value = attribute.value();
        if (name.substr(0, 6) == "xmlns:" && (value == kTransitional || value == kStrict)) {
            return std::string(name.substr(6)) + ':';
        }
    }
    return "r:";
}

QString XlsxXml::text(pugi::xml_node node) {
    return QString::fromUtf8(node.text().get());
}

QString XlsxXml::attribute(pugi::xml_node node, const char* name) {
    return QString::fromUtf8(node.attribute(name).value());
}

void XlsxXml::setAttribute(pugi::xml_node node, const char* name, const char* value) {
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) {
        attribute = node.append_attribute(name);
    }
    attribute.set_value(value);
}

void XlsxXml::setText(pugi::xml_node node, const QString& text) {
    node.text().set(text.toUtf8().constData());
}

std::vector<pugi::xml_node> XlsxXml::elementChildren(pugi::xml_node parent) {
    std::vector<pugi::xml_node> children;
    for (pugi::xml_node node : parent.children()) {
        if (node.type() == pugi::node_element) {
            children.push_back(node);
        }
    }
    return children;
}

}  // namespace veskplan
