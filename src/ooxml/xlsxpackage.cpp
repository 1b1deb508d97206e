#include "ooxml/xlsxpackage.h"

#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxxml.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <array>
#include <string_view>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Children of <workbook> that come before <calcPr>, in their required order.
constexpr std::array<std::string_view, 12> kBeforeCalcPr = {
    "fileVersion", "fileSharing",    "workbookPr",         "AlternateContent",
    "revisionPtr", "absPath",        "workbookProtection", "bookViews",
    "sheets",      "functionGroups", "externalReferences", "definedNames"};

}  // namespace

std::unique_ptr<XlsxPackage> XlsxPackage::readFile(const QString& path) {
    const ZipArchive::Limits limits;
    if (QFileInfo(path).isDir()) {
        throw XlsxError(u"cannot open the file (it is a folder)"_s);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw XlsxError(u"cannot open the file (%1)"_s.arg(file.errorString()));
    }
    if (file.size() > limits.maxTotalSize) {
        throw XlsxError(u"the file is larger than the allowed size"_s);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw XlsxError(u"cannot read the file (%1)"_s.arg(file.errorString()));
    }
    return std::make_unique<XlsxPackage>(bytes, limits);
}

XlsxPackage::XlsxPackage(QByteArrayView bytes, const ZipArchive::Limits& limits) {
    for (ZipArchive::Entry& entry : ZipArchive::read(bytes, limits)) {
        parts_.push_back({std::move(entry.name), std::move(entry.data), {}, {}, false});
    }
    reindex();

    xml(require(kContentTypes, kContentTypes));
    require(kPackageRelationships, kPackageRelationships);
    for (const Relationship& relationship : relationships(QString())) {
        if (hasType(relationship, u"officeDocument") && relationship.target &&
            find(*relationship.target)) {
            workbookPart_ = find(*relationship.target)->name;
            break;
        }
    }
    if (workbookPart_.isEmpty()) {
        throw XlsxError(u"not a workbook: the workbook part is missing"_s);
    }
    pugi::xml_node workbook = root(workbookPart_);
    if (XlsxXml::localName(workbook) != "workbook") {
        throw XlsxError(
            u"not a workbook: the main part is a \"%1\""_s.arg(QString::fromUtf8(workbook.name())));
    }
    checkSheets();  // parses the workbook's relationships: damage shows on open
}

bool XlsxPackage::hasType(const Relationship& relationship, QStringView kind) {
    return relationship.type.size() > kind.size() && relationship.type.endsWith(kind) &&
           relationship.type.at(relationship.type.size() - kind.size() - 1) == u'/';
}

QString XlsxPackage::relationshipsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.first(slash + 1) + u"_rels/"_s + part.sliced(slash + 1) + u".rels"_s;
}

std::optional<QString> XlsxPackage::resolveTarget(const QString& source, const QString& target) {
    QString path = QUrl::fromPercentEncoding(target.toUtf8());
    const qsizetype hash = path.indexOf(u'#');
    if (hash >= 0) {
        path.truncate(hash);
    }
    QStringList segments;
    if (path.startsWith(u'/')) {
        path.remove(0, 1);
    } else {
        segments = source.split(u'/');
        segments.removeLast();  // the source's own file name
    }
    for (const QString& segment : path.split(u'/')) {
        if (segment.isEmpty() || segment == u"."_s) {
            continue;
        }
        if (segment == u".."_s) {
            if (segments.isEmpty()) {
                return std::nullopt;
            }
            segments.removeLast();
        } else {
            segments.append(segment);
        }
    }
    if (segments.isEmpty()) {
        return std::nullopt;
    }
    return segments.join(u'/');
}

void XlsxPackage::reindex() {
    index_.clear();
    for (size_t i = 0; i < parts_.size(); ++i) {
        index_.insert(parts_[i].name.toLower(), i);
    }
}

XlsxPackage::Part* XlsxPackage::find(const QString& name) {
    const auto found = index_.constFind(name.toLower());
    return found == index_.constEnd() ? nullptr : &parts_[*found];
}

XlsxPackage::Part& XlsxPackage::require(const QString& name, const QString& what) {
    Part* part = find(name);
    if (!part) {
        throw XlsxError(u"not a workbook: %1 is missing"_s.arg(what));
    }
    return *part;
}

pugi::xml_document& XlsxPackage::xml(Part& part) {
    if (!part.xml) {
        part.xml = XlsxXml::parse(part.data, part.name);
    }
    return *part.xml;
}

pugi::xml_node XlsxPackage::root(const QString& name) {
    return xml(*find(name)).document_element();
}

void XlsxPackage::markChanged(const QString& name) {
    find(name)->changed = true;
}

std::vector<XlsxPackage::Relationship> XlsxPackage::relationships(const QString& source) {
    std::vector<Relationship> list;
    Part* rels = find(source.isEmpty() ? kPackageRelationships : relationshipsPartOf(source));
    if (!rels) {
        return list;
    }
    pugi::xml_node root = xml(*rels).document_element();
    QSet<QString> ids;
    for (pugi::xml_node node = XlsxXml::child(root, "Relationship"); node;
         node = XlsxXml::nextSibling(node, "Relationship")) {
        Relationship relationship{node, XlsxXml::attribute(node, "Id"),
                                  XlsxXml::attribute(node, "Type"), std::nullopt};
        // Parts are cut by relationship id: with one id twice, cutting one relationship
        // would cut the other too.
        if (ids.contains(relationship.id)) {
            throw XlsxError(u"part \"%1\" has two relationships with the id \"%2\""_s.arg(
                rels->name, relationship.id));
        }
        ids.insert(relationship.id);
        if (XlsxXml::attribute(node, "TargetMode") != u"External"_s) {
            relationship.target = resolveTarget(source, XlsxXml::attribute(node, "Target"));
        }
        list.push_back(std::move(relationship));
    }
    return list;
}

std::vector<XlsxPackage::Sheet> XlsxPackage::sheets() {
    std::vector<Sheet> list;
    pugi::xml_node workbook = root(workbookPart_);
    const std::string idAttribute = XlsxXml::relationshipPrefix(workbook) + "id";
    pugi::xml_node container = XlsxXml::child(workbook, "sheets");
    for (pugi::xml_node node = XlsxXml::child(container, "sheet"); node;
         node = XlsxXml::nextSibling(node, "sheet")) {
        list.push_back({node, XlsxXml::attribute(node, "name"),
                        XlsxXml::attribute(node, idAttribute.c_str())});
    }
    return list;
}

QHash<QString, QString> XlsxPackage::workbookTargets() {
    QHash<QString, QString> targets;
    for (const Relationship& relationship : relationships(workbookPart_)) {
        if (relationship.target && find(*relationship.target)) {
            targets.insert(relationship.id, find(*relationship.target)->name);
        }
    }
    return targets;
}

QString XlsxPackage::sheetPart(const Sheet& sheet) {
    const QHash<QString, QString> targets = workbookTargets();
    const auto part = targets.constFind(sheet.relationshipId);
    if (part == targets.constEnd()) {
        throw XlsxError(u"the part of sheet \"%1\" is missing"_s.arg(sheet.name));
    }
    return *part;
}

// Keeping one sheet removes the parts of the others, so two sheets on one part would
// leave the kept one without its part; two sheets of one name make references to it
// ambiguous. No spreadsheet program writes either, but a seed may come from anywhere.
void XlsxPackage::checkSheets() {
    const QHash<QString, QString> targets = workbookTargets();
    QHash<QString, QString> owners;  // lower-case part name -> sheet
    QSet<QString> names;
    for (const Sheet& sheet : sheets()) {
        if (names.contains(sheet.name.toLower())) {
            throw XlsxError(u"the workbook has two sheets named \"%1\""_s.arg(sheet.name));
        }
        names.insert(sheet.name.toLower());
        const auto part = targets.constFind(sheet.relationshipId);
        if (part == targets.constEnd()) {
            continue;  // refused when the sheet is used
        }
        if (const auto owner = owners.constFind(part->toLower()); owner != owners.constEnd()) {
            throw XlsxError(
                u"sheets \"%1\" and \"%2\" share the part \"%3\""_s.arg(*owner, sheet.name, *part));
        }
        owners.insert(part->toLower(), sheet.name);
    }
}

XlsxSheet& XlsxPackage::editable(const QString& name) {
    Part& part = *find(name);
    if (!part.sheet) {
        part.sheet = std::make_unique<XlsxSheet>(part.data, part.name);
        part.data.clear();  // the sheet holds the content from now on
        recalculateOnLoad();
    }
    return *part.sheet;
}

void XlsxPackage::recalculateOnLoad() {
    pugi::xml_node workbook = root(workbookPart_);
    pugi::xml_node calcPr = XlsxXml::child(workbook, "calcPr");
    if (!calcPr) {
        pugi::xml_node after;
        for (pugi::xml_node node : XlsxXml::elementChildren(workbook)) {
            if (std::find(kBeforeCalcPr.begin(), kBeforeCalcPr.end(), XlsxXml::localName(node)) !=
                kBeforeCalcPr.end()) {
                after = node;
            }
        }
        const std::string name = XlsxXml::prefix(workbook) + "calcPr";
        calcPr = after ? workbook.insert_child_after(name.c_str(), after)
                       : workbook.prepend_child(name.c_str());
    }
    XlsxXml::setAttribute(calcPr, "fullCalcOnLoad", "1");
    markChanged(workbookPart_);
}

// Looked up once: cell writes come by the thousand.
XlsxSheet& XlsxPackage::firstSheet() {
    if (!first_) {
        const std::vector<Sheet> list = sheets();
        if (list.empty()) {
            throw XlsxError(u"the workbook has no sheet"_s);
        }
        first_ = &editable(sheetPart(list.front()));
    }
    return *first_;
}

QSet<QString> XlsxPackage::reachable(const QSet<QString>& cut) {
    QSet<QString> keep{kContentTypes.toLower(), kPackageRelationships.toLower()};
    std::vector<QString> pending;
    for (const Relationship& relationship : relationships(QString())) {
        if (relationship.target) {
            pending.push_back(*relationship.target);
        }
    }
    while (!pending.empty()) {
        const QString part = pending.back();
        pending.pop_back();
        if (!find(part) || keep.contains(part.toLower())) {
            continue;
        }
        keep.insert(part.toLower());
        keep.insert(relationshipsPartOf(part).toLower());
        const bool isWorkbook = part.compare(workbookPart_, Qt::CaseInsensitive) == 0;
        for (const Relationship& relationship : relationships(part)) {
            if (relationship.target && !(isWorkbook && cut.contains(relationship.id))) {
                pending.push_back(*relationship.target);
            }
        }
    }
    return keep;
}

void XlsxPackage::keepOnly(const QSet<QString>& keep) {
    std::erase_if(parts_, [&](const Part& part) { return !keep.contains(part.name.toLower()); });
    reindex();
}

QByteArray XlsxPackage::toBytes() const {
    QList<ZipArchive::Entry> entries;
    entries.reserve(qsizetype(parts_.size()));
    for (const Part& part : parts_) {
        QByteArray data = part.sheet     ? part.sheet->toXml()
                          : part.changed ? XlsxXml::serialize(*part.xml)
                                         : part.data;
        entries.append({part.name, std::move(data)});
    }
    return ZipArchive::write(entries, ZipArchive::Compression::Deflate);
}

}  // namespace veskplan
