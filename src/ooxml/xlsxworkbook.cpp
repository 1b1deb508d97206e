#include "ooxml/xlsxworkbook.h"

#include "ooxml/xlsxcellref.h"
#include "ooxml/xlsxformula.h"
#include "ooxml/xlsxpackage.h"
#include "ooxml/xlsxsheet.h"
#include "ooxml/xlsxxml.h"
#include "ooxml/ziparchive.h"
#include "ooxml/ziperror.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <filesystem>
#include <system_error>

#include <optional>
#include <vector>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Relationship = XlsxPackage::Relationship;
using Sheet = XlsxPackage::Sheet;

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

// The workbook's names: those of removed sheets go, references follow the renames.
void rewriteDefinedNames(pugi::xml_node workbook, int kept, const XlsxFormula::SheetMap& renames) {
    pugi::xml_node names = XlsxXml::child(workbook, "definedNames");
    for (pugi::xml_node node : XlsxXml::elementChildren(names)) {
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
            XlsxXml::setText(node, after);
        }
    }
    if (names && XlsxXml::elementChildren(names).empty()) {
        workbook.remove_child(names);
    }
}

void rewriteAppProperties(XlsxPackage& package, const QString& part, const QString& keptName,
                          const QString& newName, const QSet<QString>& sheetNames,
                          const XlsxFormula::SheetMap& renames) {
    // The summary lists parts by heading: ("Worksheets", 6), ("Named Ranges", 2) with the
    // titles one after another. Headings are in the writer's language, so titles are told
    // apart by content: a sheet name, or a name qualified by a sheet.
    pugi::xml_node properties = package.root(part);
    pugi::xml_node headingVector =
        XlsxXml::child(XlsxXml::child(properties, "HeadingPairs"), "vector");
    pugi::xml_node titleVector =
        XlsxXml::child(XlsxXml::child(properties, "TitlesOfParts"), "vector");
    if (!headingVector || !titleVector) {
        return;
    }
    const std::vector<pugi::xml_node> variants = XlsxXml::elementChildren(headingVector);
    const std::vector<pugi::xml_node> titles = XlsxXml::elementChildren(titleVector);
    size_t cursor = 0;
    for (size_t i = 0; i + 1 < variants.size(); i += 2) {
        pugi::xml_node count = XlsxXml::elementChildren(variants[i + 1]).empty()
                                   ? pugi::xml_node()
                                   : XlsxXml::elementChildren(variants[i + 1]).front();
        const int total = count.text().as_int();
        int left = 0;
        for (int j = 0; j < total && cursor < titles.size(); ++j, ++cursor) {
            pugi::xml_node title = titles[cursor];
            const QString text = XlsxXml::text(title);
            if (sheetNames.contains(text.toLower())) {
                if (text.compare(keptName, Qt::CaseInsensitive) == 0) {
                    XlsxXml::setText(title, newName);
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
                XlsxXml::setText(title, renamed);
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
    XlsxXml::setAttribute(
        headingVector, "size",
        QByteArray::number(qsizetype(XlsxXml::elementChildren(headingVector).size())).constData());
    XlsxXml::setAttribute(
        titleVector, "size",
        QByteArray::number(qsizetype(XlsxXml::elementChildren(titleVector).size())).constData());
    package.markChanged(part);
}

// Keeps one sheet of the package, renamed, and what it uses.
void cutToSheet(XlsxPackage& package, const QString& name, const QString& newName) {
    // Everything that can fail is looked up and parsed first, so that a refusal leaves the
    // workbook as it was.
    if (!isValidSheetName(newName)) {
        throw XlsxError(u"\"%1\" is not a valid sheet name"_s.arg(newName));
    }
    std::vector<Sheet> list = package.sheets();
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
    const QString keptPart = package.sheetPart(keptSheet);
    std::unique_ptr<XlsxSheet> loaded;
    if (!package.find(keptPart)->sheet) {
        loaded = std::make_unique<XlsxSheet>(package.find(keptPart)->data, keptPart);
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

    std::vector<Relationship> workbookRelationships = package.relationships(package.workbookPart());
    for (const Relationship& relationship : workbookRelationships) {
        if (XlsxPackage::hasType(relationship, u"calcChain")) {
            cut.insert(relationship.id);  // cell positions of removed sheets; rebuilt on load
        }
    }
    QSet<QString> keep = package.reachable(cut);
    keep.insert(keptPart.toLower());  // cell writes will go to it, whatever else is cut
    QString appPart;
    for (const Relationship& relationship : package.relationships(QString())) {
        if (XlsxPackage::hasType(relationship, u"extended-properties") && relationship.target &&
            package.find(*relationship.target)) {
            appPart = package.find(*relationship.target)->name;
            package.xml(*package.find(appPart));
        }
    }

    // The workbook part: one sheet, visible and active, its names, recalculation on load.
    pugi::xml_node workbook = package.root(package.workbookPart());
    for (const Sheet& other : list) {
        if (other.node != keptSheet.node) {
            other.node.parent().remove_child(other.node);
        }
    }
    XlsxXml::setAttribute(keptSheet.node, "name", newName.toUtf8().constData());
    keptSheet.node.remove_attribute("state");
    pugi::xml_node views = XlsxXml::child(workbook, "bookViews");
    for (pugi::xml_node view = XlsxXml::child(views, "workbookView"); view;
         view = XlsxXml::nextSibling(view, "workbookView")) {
        view.remove_attribute("activeTab");
        view.remove_attribute("firstSheet");
    }
    rewriteDefinedNames(workbook, kept, renames);
    package.markChanged(package.workbookPart());

    for (const Relationship& relationship : workbookRelationships) {
        if (cut.contains(relationship.id)) {
            relationship.node.parent().remove_child(relationship.node);
        }
    }
    // The workbook's relationships part exists: the kept sheet was found through it.
    package.markChanged(XlsxPackage::relationshipsPartOf(package.workbookPart()));

    pugi::xml_node types = package.root(XlsxPackage::kContentTypes);
    for (pugi::xml_node node : XlsxXml::elementChildren(types)) {
        if (XlsxXml::localName(node) != "Override") {
            continue;
        }
        const auto part =
            XlsxPackage::resolveTarget(QString(), XlsxXml::attribute(node, "PartName"));
        if (part && !keep.contains(part->toLower())) {
            types.remove_child(node);
        }
    }
    package.markChanged(XlsxPackage::kContentTypes);

    if (!appPart.isEmpty()) {
        rewriteAppProperties(package, appPart, keptSheet.name, newName, sheetNames, renames);
    }

    XlsxPackage::Part& part = *package.find(keptPart);
    if (loaded) {
        part.sheet = std::move(loaded);
        part.data.clear();
    }
    part.sheet->renameSheets(renames);
    part.sheet->select();
    package.setFirstSheet(*part.sheet);
    package.recalculateOnLoad();

    package.keepOnly(keep);
}

}  // namespace

XlsxWorkbook::XlsxWorkbook(QString path, std::unique_ptr<XlsxPackage> package)
    : path_(std::move(path)), package_(std::move(package)) {}
XlsxWorkbook::XlsxWorkbook(XlsxWorkbook&&) noexcept = default;
XlsxWorkbook& XlsxWorkbook::operator=(XlsxWorkbook&&) noexcept = default;
XlsxWorkbook::~XlsxWorkbook() = default;

XlsxWorkbook XlsxWorkbook::open(const QString& path) {
    return naming(path, [&] { return XlsxWorkbook(path, XlsxPackage::readFile(path)); });
}

QStringList XlsxWorkbook::sheetNames() const {
    QStringList names;
    for (const Sheet& sheet : package_->sheets()) {
        names.append(sheet.name);
    }
    return names;
}

void XlsxWorkbook::keepOnlySheet(const QString& name, const QString& newName) {
    naming(path_, [&] { cutToSheet(*package_, name, newName); });
}

void XlsxWorkbook::setNumber(const QString& a1, double value) {
    naming(path_, [&] { package_->firstSheet().setNumber(parseAddress(a1), value); });
}

void XlsxWorkbook::setText(const QString& a1, const QString& text) {
    naming(path_, [&] { package_->firstSheet().setText(parseAddress(a1), text); });
}

QByteArray XlsxWorkbook::toBytes() const {
    return naming(path_, [&] { return package_->toBytes(); });
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
