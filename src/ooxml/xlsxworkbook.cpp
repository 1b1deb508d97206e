#include "ooxml/xlsxworkbook.h"

#include "ooxml/xlsxcellref.h"
#include "ooxml/xlsxformula.h"
#include "ooxml/xlsxsheet.h"
#include "ooxml/xlsxxml.h"
#include "ooxml/ziparchive.h"
#include "ooxml/ziperror.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QUrl>
#include <filesystem>
#include <system_error>

#include <array>
#include <optional>
#include <vector>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kContentTypes = u"[Content_Types].xml"_s;
const QString kPackageRelationships = u"_rels/.rels"_s;

// Children of <workbook> that come before <calcPr>, in their required order.
constexpr std::array<std::string_view, 12> kBeforeCalcPr = {
    "fileVersion", "fileSharing",    "workbookPr",         "AlternateContent",
    "revisionPtr", "absPath",        "workbookProtection", "bookViews",
    "sheets",      "functionGroups", "externalReferences", "definedNames"};

struct Relationship {
    pugi::xml_node node;
    QString id;
    QString type;
    std::optional<QString> target;  // resolved part name; none for external or unresolvable
};

struct Sheet {
    pugi::xml_node node;
    QString name;
    QString relationshipId;
};

bool hasType(const Relationship& relationship, QStringView kind) {
    return relationship.type.size() > kind.size() && relationship.type.endsWith(kind) &&
           relationship.type.at(relationship.type.size() - kind.size() - 1) == u'/';
}

// Where the relationships of a part are kept: xl/workbook.xml -> xl/_rels/workbook.xml.rels;
// the package's own ("") -> _rels/.rels.
QString relationshipsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.first(slash + 1) + u"_rels/"_s + part.sliced(slash + 1) + u".rels"_s;
}

// A relationship target relative to the part that names it, as a part name without a leading
// slash; nullopt when it climbs out of the package.
std::optional<QString> resolveTarget(const QString& source, const QString& target) {
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

// The rules a spreadsheet applies to tab names; a name breaking them makes the file unreadable.
bool isValidSheetName(const QString& name) {
    if (name.isEmpty() || name.size() > 31 || name.startsWith(u'\'') || name.endsWith(u'\'') ||
        name.compare(u"History"_s, Qt::CaseInsensitive) == 0) {
        return false;
    }
    for (QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u":\\/?*[]").contains(c)) {
            return false;
        }
    }
    return true;
}

void setAttribute(pugi::xml_node node, const char* name, const char* value) {
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) {
        attribute = node.append_attribute(name);
    }
    attribute.set_value(value);
}

void setNodeText(pugi::xml_node node, const QString& text) {
    node.text().set(text.toUtf8().constData());
}

std::vector<pugi::xml_node> elementChildren(pugi::xml_node parent) {
    std::vector<pugi::xml_node> children;
    for (pugi::xml_node node : parent.children()) {
        if (node.type() == pugi::node_element) {
            children.push_back(node);
        }
    }
    return children;
}

}  // namespace

struct XlsxWorkbook::Impl {
    struct Part {
        QString name;
        QByteArray data;
        std::unique_ptr<pugi::xml_document> xml;  // parsed on first use
        std::unique_ptr<XlsxSheet> sheet;         // a worksheet opened for editing
        bool changed = false;
    };

    QString path;
    std::vector<Part> parts;
    QHash<QString, size_t> index;  // lower-case part name -> position in parts
    QString workbookPart;
    XlsxSheet* first = nullptr;  // the sheet cell writes go to, once known

    void reindex() {
        index.clear();
        for (size_t i = 0; i < parts.size(); ++i) {
            index.insert(parts[i].name.toLower(), i);
        }
    }

    Part* find(const QString& name) {
        const auto found = index.constFind(name.toLower());
        return found == index.constEnd() ? nullptr : &parts[*found];
    }

    Part& require(const QString& name, const QString& what) {
        Part* part = find(name);
        if (!part) {
            throw XlsxError(u"not a workbook: %1 is missing"_s.arg(what));
        }
        return *part;
    }

    pugi::xml_document& xml(Part& part) {
        if (!part.xml) {
            part.xml = XlsxXml::parse(part.data, part.name);
        }
        return *part.xml;
    }

    pugi::xml_node root(const QString& name) { return xml(*find(name)).document_element(); }

    void markChanged(const QString& name) { find(name)->changed = true; }

    // The relationships a part declares; none when it has no relationships part.
    std::vector<Relationship> relationships(const QString& source) {
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

    std::vector<Sheet> sheets() {
        std::vector<Sheet> list;
        pugi::xml_node workbook = root(workbookPart);
        const std::string idAttribute = XlsxXml::relationshipPrefix(workbook) + "id";
        pugi::xml_node container = XlsxXml::child(workbook, "sheets");
        for (pugi::xml_node node = XlsxXml::child(container, "sheet"); node;
             node = XlsxXml::nextSibling(node, "sheet")) {
            list.push_back({node, XlsxXml::attribute(node, "name"),
                            XlsxXml::attribute(node, idAttribute.c_str())});
        }
        return list;
    }

    // Relationship id -> the stored name of the part it leads to, for those in the package.
    QHash<QString, QString> workbookTargets() {
        QHash<QString, QString> targets;
        for (const Relationship& relationship : relationships(workbookPart)) {
            if (relationship.target && find(*relationship.target)) {
                targets.insert(relationship.id, find(*relationship.target)->name);
            }
        }
        return targets;
    }

    QString sheetPart(const Sheet& sheet) {
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
    void checkSheets() {
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
                throw XlsxError(u"sheets \"%1\" and \"%2\" share the part \"%3\""_s.arg(
                    *owner, sheet.name, *part));
            }
            owners.insert(part->toLower(), sheet.name);
        }
    }

    XlsxSheet& editable(const QString& name) {
        Part& part = *find(name);
        if (!part.sheet) {
            part.sheet = std::make_unique<XlsxSheet>(part.data, part.name);
            part.data.clear();  // the sheet holds the content from now on
            recalculateOnLoad();
        }
        return *part.sheet;
    }

    // Formula results depend on what is written or removed: have them all computed on load.
    void recalculateOnLoad() {
        pugi::xml_node workbook = root(workbookPart);
        pugi::xml_node calcPr = XlsxXml::child(workbook, "calcPr");
        if (!calcPr) {
            pugi::xml_node after;
            for (pugi::xml_node node : elementChildren(workbook)) {
                if (std::find(kBeforeCalcPr.begin(), kBeforeCalcPr.end(),
                              XlsxXml::localName(node)) != kBeforeCalcPr.end()) {
                    after = node;
                }
            }
            const std::string name = XlsxXml::prefix(workbook) + "calcPr";
            calcPr = after ? workbook.insert_child_after(name.c_str(), after)
                           : workbook.prepend_child(name.c_str());
        }
        setAttribute(calcPr, "fullCalcOnLoad", "1");
        markChanged(workbookPart);
    }

    // Looked up once: cell writes come by the thousand.
    XlsxSheet& firstSheet() {
        if (!first) {
            const std::vector<Sheet> list = sheets();
            if (list.empty()) {
                throw XlsxError(u"the workbook has no sheet"_s);
            }
            first = &editable(sheetPart(list.front()));
        }
        return *first;
    }

    // Every part reachable through relationships from the package root, leaving out the
    // workbook relationships in `cut`, plus the relationships parts of those reached.
    QSet<QString> reachable(const QSet<QString>& cut) {
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
            const bool isWorkbook = part.compare(workbookPart, Qt::CaseInsensitive) == 0;
            for (const Relationship& relationship : relationships(part)) {
                if (relationship.target && !(isWorkbook && cut.contains(relationship.id))) {
                    pending.push_back(*relationship.target);
                }
            }
        }
        return keep;
    }

    void keepOnlySheet(const QString& name, const QString& newName);
    void rewriteDefinedNames(pugi::xml_node workbook, int kept,
                             const XlsxFormula::SheetMap& renames);
    void rewriteAppProperties(const QString& part, const QString& keptName, const QString& newName,
                              const QSet<QString>& sheetNames,
                              const XlsxFormula::SheetMap& renames);
};

namespace {

// Runs f; errors from the layers below, which do not know the file, get its name.
template <typename F>
decltype(auto) naming(const QString& file, F&& f) {
    try {
        return f();
    } catch (const XlsxError& error) {
        if (error.file().isEmpty()) {
            throw XlsxError(file, error.reason());
        }
        throw;
    } catch (const ZipError& error) {
        throw XlsxError(file, error.reason());
    }
}

XlsxCellRef parseAddress(const QString& a1) {
    const auto ref = XlsxCellRef::parse(a1);
    if (!ref) {
        throw XlsxError(u"\"%1\" is not a cell address"_s.arg(a1));
    }
    return *ref;
}

}  // namespace

XlsxWorkbook::XlsxWorkbook(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
XlsxWorkbook::XlsxWorkbook(XlsxWorkbook&&) noexcept = default;
XlsxWorkbook& XlsxWorkbook::operator=(XlsxWorkbook&&) noexcept = default;
XlsxWorkbook::~XlsxWorkbook() = default;

XlsxWorkbook XlsxWorkbook::open(const QString& path) {
    return naming(path, [&] {
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

        auto impl = std::make_unique<Impl>();
        impl->path = path;
        for (ZipArchive::Entry& entry : ZipArchive::read(bytes, limits)) {
            impl->parts.push_back({std::move(entry.name), std::move(entry.data), {}, {}, false});
        }
        impl->reindex();

        impl->xml(impl->require(kContentTypes, kContentTypes));
        impl->require(kPackageRelationships, kPackageRelationships);
        for (const Relationship& relationship : impl->relationships(QString())) {
            if (hasType(relationship, u"officeDocument") && relationship.target &&
                impl->find(*relationship.target)) {
                impl->workbookPart = impl->find(*relationship.target)->name;
                break;
            }
        }
        if (impl->workbookPart.isEmpty()) {
            throw XlsxError(u"not a workbook: the workbook part is missing"_s);
        }
        pugi::xml_node workbook = impl->root(impl->workbookPart);
        if (XlsxXml::localName(workbook) != "workbook") {
            throw XlsxError(u"not a workbook: the main part is a \"%1\""_s.arg(
                QString::fromUtf8(workbook.name())));
        }
        impl->checkSheets();  // parses the workbook's relationships: damage shows on open
        return XlsxWorkbook(std::move(impl));
    });
}

QStringList XlsxWorkbook::sheetNames() const {
    QStringList names;
    for (const Sheet& sheet : d->sheets()) {
        names.append(sheet.name);
    }
    return names;
}

void XlsxWorkbook::keepOnlySheet(const QString& name, const QString& newName) {
    naming(d->path, [&] { d->keepOnlySheet(name, newName); });
}

void XlsxWorkbook::Impl::keepOnlySheet(const QString& name, const QString& newName) {
    // Everything that can fail is looked up and parsed first, so that a refusal leaves the
    // workbook as it was.
    if (!isValidSheetName(newName)) {
        throw XlsxError(u"\"%1\" is not a valid sheet name"_s.arg(newName));
    }
    std::vector<Sheet> list = sheets();
    int kept = -1;
    for (int pass = 0; pass < 2 && kept < 0; ++pass) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].name.compare(name, pass == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive) ==
                0) {
                kept = int(i);
                break;
            }
        }
    }
    if (kept < 0) {
        throw XlsxError(u"the workbook has no sheet named \"%1\""_s.arg(name));
    }
    Sheet& keptSheet = list[size_t(kept)];
    const QString keptPart = sheetPart(keptSheet);
    std::unique_ptr<XlsxSheet> loaded;
    if (!find(keptPart)->sheet) {
        loaded = std::make_unique<XlsxSheet>(find(keptPart)->data, keptPart);
    }

    XlsxFormula::SheetMap renames;
    QSet<QString> cut;
    QSet<QString> sheetNames;
    for (const Sheet& other : list) {
        sheetNames.insert(other.name.toLower());
        if (other.node != keptSheet.node) {
            renames.insert(other.name.toLower(), std::nullopt);
            cut.insert(other.relationshipId);
        }
    }
    renames.insert(keptSheet.name.toLower(), newName);

    std::vector<Relationship> workbookRelationships = relationships(workbookPart);
    for (const Relationship& relationship : workbookRelationships) {
        if (hasType(relationship, u"calcChain")) {
            cut.insert(relationship.id);  // cell positions of removed sheets; rebuilt on load
        }
    }
    QSet<QString> keep = reachable(cut);
    keep.insert(keptPart.toLower());  // `first` will point into it, whatever else is cut
    QString appPart;
    for (const Relationship& relationship : relationships(QString())) {
        if (hasType(relationship, u"extended-properties") && relationship.target &&
            find(*relationship.target)) {
            appPart = find(*relationship.target)->name;
            xml(*find(appPart));
        }
    }

    // The workbook part: one sheet, visible and active, its names, recalculation on load.
    pugi::xml_node workbook = root(workbookPart);
    for (const Sheet& other : list) {
        if (other.node != keptSheet.node) {
            other.node.parent().remove_child(other.node);
        }
    }
    setAttribute(keptSheet.node, "name", newName.toUtf8().constData());
    keptSheet.node.remove_attribute("state");
    pugi::xml_node views = XlsxXml::child(workbook, "bookViews");
    for (pugi::xml_node view = XlsxXml::child(views, "workbookView"); view;
         view = XlsxXml::nextSibling(view, "workbookView")) {
        view.remove_attribute("activeTab");
        view.remove_attribute("firstSheet");
    }
    rewriteDefinedNames(workbook, kept, renames);
    markChanged(workbookPart);

    for (const Relationship& relationship : workbookRelationships) {
        if (cut.contains(relationship.id)) {
            relationship.node.parent().remove_child(relationship.node);
        }
    }
    markChanged(relationshipsPartOf(workbookPart));  // exists: the kept sheet was found there

    pugi::xml_node types = root(kContentTypes);
    for (pugi::xml_node node : elementChildren(types)) {
        if (XlsxXml::localName(node) != "Override") {
            continue;
        }
        const auto part = resolveTarget(QString(), XlsxXml::attribute(node, "PartName"));
        if (part && !keep.contains(part->toLower())) {
            types.remove_child(node);
        }
    }
    markChanged(kContentTypes);

    if (!appPart.isEmpty()) {
        rewriteAppProperties(appPart, keptSheet.name, newName, sheetNames, renames);
    }

    Part& part = *find(keptPart);
    if (loaded) {
        part.sheet = std::move(loaded);
        part.data.clear();
    }
    part.sheet->renameSheets(renames);
    part.sheet->select();
    first = part.sheet.get();
    recalculateOnLoad();

    std::erase_if(parts, [&](const Part& part) { return !keep.contains(part.name.toLower()); });
    reindex();
}

void XlsxWorkbook::Impl::rewriteDefinedNames(pugi::xml_node workbook, int kept,
                                             const XlsxFormula::SheetMap& renames) {
    pugi::xml_node names = XlsxXml::child(workbook, "definedNames");
    for (pugi::xml_node node : elementChildren(names)) {
        if (pugi::xml_attribute scope = node.attribute("localSheetId")) {
            bool ok = false;
            const int sheet = QString::fromUtf8(scope.value()).toInt(&ok);
            if (!ok || sheet != kept) {
                names.remove_child(node);  // belongs to a removed sheet
                continue;
            }
            scope.set_value("0");
        }
        const QString before = XlsxXml::text(node);
        const QString after = XlsxFormula::renameSheets(before, renames);
        if (after != before) {
            setNodeText(node, after);
        }
    }
    if (names && elementChildren(names).empty()) {
        workbook.remove_child(names);
    }
}

void XlsxWorkbook::Impl::rewriteAppProperties(const QString& part, const QString& keptName,
                                              const QString& newName,
                                              const QSet<QString>& sheetNames,
                                              const XlsxFormula::SheetMap& renames) {
    // The summary lists parts by heading: ("Worksheets", 6), ("Named Ranges", 2) with the
    // titles one after another. Headings are in the writer's language, so titles are told
    // apart by content: a sheet name, or a name qualified by a sheet.
    pugi::xml_node properties = root(part);
    pugi::xml_node headingVector =
        XlsxXml::child(XlsxXml::child(properties, "HeadingPairs"), "vector");
    pugi::xml_node titleVector =
        XlsxXml::child(XlsxXml::child(properties, "TitlesOfParts"), "vector");
    if (!headingVector || !titleVector) {
        return;
    }
    const std::vector<pugi::xml_node> variants = elementChildren(headingVector);
    const std::vector<pugi::xml_node> titles = elementChildren(titleVector);
    size_t cursor = 0;
    for (size_t i = 0; i + 1 < variants.size(); i += 2) {
        pugi::xml_node count = elementChildren(variants[i + 1]).empty()
                                   ? pugi::xml_node()
                                   : elementChildren(variants[i + 1]).front();
        const int total = count.text().as_int();
        int left = 0;
        for (int j = 0; j < total && cursor < titles.size(); ++j, ++cursor) {
            pugi::xml_node title = titles[cursor];
            const QString text = XlsxXml::text(title);
            if (sheetNames.contains(text.toLower())) {
                if (text.compare(keptName, Qt::CaseInsensitive) == 0) {
                    setNodeText(title, newName);
                    ++left;
                } else {
                    titleVector.remove_child(title);
                }
                continue;
            }
            const QString renamed = XlsxFormula::renameSheets(text, renames);
            if (renamed.startsWith(u"#REF!"_s)) {
                titleVector.remove_child(title);
                continue;
            }
            if (renamed != text) {
                setNodeText(title, renamed);
            }
            ++left;
        }
        if (left == 0) {
            headingVector.remove_child(variants[i]);
            headingVector.remove_child(variants[i + 1]);
        } else {
            count.text().set(left);
        }
    }
    setAttribute(headingVector, "size",
                 QByteArray::number(qsizetype(elementChildren(headingVector).size())).constData());
    setAttribute(titleVector, "size",
                 QByteArray::number(qsizetype(elementChildren(titleVector).size())).constData());
    markChanged(part);
}

void XlsxWorkbook::setNumber(const QString& a1, double value) {
    naming(d->path, [&] { d->firstSheet().setNumber(parseAddress(a1), value); });
}

void XlsxWorkbook::setText(const QString& a1, const QString& text) {
    naming(d->path, [&] { d->firstSheet().setText(parseAddress(a1), text); });
}

QByteArray XlsxWorkbook::toBytes() const {
    QByteArray bytes;
    naming(d->path, [&] {
        QList<ZipArchive::Entry> entries;
        entries.reserve(qsizetype(d->parts.size()));
        for (const Impl::Part& part : d->parts) {
            QByteArray data = part.sheet     ? part.sheet->toXml()
                              : part.changed ? XlsxXml::serialize(*part.xml)
                                             : part.data;
            entries.append({part.name, std::move(data)});
        }
        bytes = ZipArchive::write(entries, ZipArchive::Compression::Deflate);
    });
    return bytes;
}

void XlsxWorkbook::save(const QString& path) const {
    const QByteArray bytes = toBytes();
    naming(path, [&] {
        // Written unbuffered through a file beside the target, then renamed over it: a buffered
        // file reports a write the disk refused halfway as done.
        const QFileInfo target(path);
        QFile file(target.absolutePath() + u"/."_s + target.fileName() + u".part-"_s +
                   QString::number(QRandomGenerator::global()->generate(), 36));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            throw XlsxError(u"cannot write the file (%1)"_s.arg(file.errorString()));
        }
        for (qint64 done = 0; done < bytes.size();) {
            const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
            if (written <= 0) {
                const QString reason = file.errorString();
                file.remove();
                throw XlsxError(u"cannot write the file (%1)"_s.arg(reason));
            }
            done += written;
        }
        file.close();
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                                QFile::encodeName(path).toStdString(), error);
        if (error) {
            file.remove();
            throw XlsxError(
                u"cannot write the file (%1)"_s.arg(QString::fromStdString(error.message())));
        }
    });
}

}  // namespace veskplan
