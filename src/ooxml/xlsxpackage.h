#pragma once

#include "ooxml/xlsxsheet.h"
#include "ooxml/ziparchive.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringView>

#include <pugixml.hpp>

#include <memory>
#include <optional>
#include <vector>

namespace veskplan {

// The parts of a workbook package held in memory and the relationships between them. Reading
// checks that the package is a workbook whose sheets can be told apart; XML parts are parsed on
// first use, and a part nobody changed is written back byte for byte.
class XlsxPackage {
public:
    struct Part {
        QString name;
        QByteArray data;
        std::unique_ptr<pugi::xml_document> xml;  // parsed on first use
        std::unique_ptr<XlsxSheet> sheet;         // a worksheet opened for editing
        bool changed = false;
    };

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

    static inline const QString kContentTypes = QStringLiteral("[Content_Types].xml");
    static inline const QString kPackageRelationships = QStringLiteral("_rels/.rels");

    // Reads the parts of a package. Throws ZipError for an archive `limits` refuse, XlsxError
    // (without a file; the caller adds it) for a package that is not a workbook, a malformed
    // main part, or sheets that share a part or a name.
    XlsxPackage(QByteArrayView bytes, const ZipArchive::Limits& limits);
    // The package in a file, read whole within the default limits; throws as above, and
    // XlsxError (without a file) for a folder, an unreadable file or one beyond the limits.
    static std::unique_ptr<XlsxPackage> readFile(const QString& path);

    // Whether a relationship is of the kind whose type ends in "/kind".
    static bool hasType(const Relationship& relationship, QStringView kind);
    // Where the relationships of a part are kept: xl/workbook.xml -> xl/_rels/workbook.xml.rels;
    // the package's own ("") -> _rels/.rels.
    static QString relationshipsPartOf(const QString& part);
    // A relationship target relative to the part that names it, as a part name without a
    // leading slash; nullopt when it climbs out of the package.
    static std::optional<QString> resolveTarget(const QString& source, const QString& target);

    const QString& workbookPart() const { return workbookPart_; }

    // The part of that name, ignoring case; nullptr when there is none.
    Part* find(const QString& name);
    pugi::xml_document& xml(Part& part);
    // The root element of a part that exists.
    pugi::xml_node root(const QString& name);
    // The part is written from its parsed XML.
    void markChanged(const QString& name);

    // The relationships a part declares ("" for the package's own); none when it has no
    // relationships part. Throws XlsxError for an id declared twice.
    std::vector<Relationship> relationships(const QString& source);
    // The workbook's sheets in tab order.
    std::vector<Sheet> sheets();
    // The stored name of a sheet's part. Throws XlsxError when it is missing.
    QString sheetPart(const Sheet& sheet);

    // Formula results depend on what is written or removed: have them all computed on load.
    void recalculateOnLoad();
    // The sheet cell writes go to: the first one, opened for editing when first asked for.
    XlsxSheet& firstSheet();
    void setFirstSheet(XlsxSheet& sheet) { first_ = &sheet; }

    // Every part reachable through relationships from the package root, leaving out the
    // workbook relationships in `cut`, plus the relationships parts of those reached; as
    // lower-case names.
    QSet<QString> reachable(const QSet<QString>& cut);
    // Removes every part whose lower-case name `keep` lacks.
    void keepOnly(const QSet<QString>& keep);

    // The package as the bytes of its file. Throws ZipError.
    QByteArray toBytes() const;

private:
    void reindex();
    Part& require(const QString& name, const QString& what);
    // Relationship id -> the stored name of the part it leads to, for those in the package.
    QHash<QString, QString> workbookTargets();
    void checkSheets();
    XlsxSheet& editable(const QString& name);

    std::vector<Part> parts_;
    QHash<QString, size_t> index_;  // lower-case part name -> position in parts_
    QString workbookPart_;
    XlsxSheet* first_ = nullptr;  // the sheet cell writes go to, once known
};

}  // namespace veskplan
