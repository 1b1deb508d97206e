#include "export/exportformat.h"

#include <algorithm>

#include "base/texts.h"
#include "export/cadexport.h"
#include "export/exporttexts.h"
#include "export/tabfillexport.h"
#include "export/trnsportexport.h"
#include "project/itemlines.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The project's file name with ".txt" in place of its extension.
QString besideProject(const ExportInput& input) {
    const QString& file = input.projectFile;
    return file.isEmpty() ? QString()
                          : file.chopped(std::min<qsizetype>(4, file.size())) + u".txt"_s;
}

ExportFormat cadFormat(ExportFormat::Id id, CadKind kind) {
    const bool road = kind == CadKind::RoadCad;
    ExportFormat format;
    format.id = id;
    format.commandName = road ? u"roadcad"_s : u"bridgecad"_s;
    format.menuName = road ? u"mnuExpRCAD"_s : u"mnuExpBCAD"_s;
    format.menuCaption = road ? u"&Road CAD"_s : u"&Bridge CAD"_s;
    format.dialogTitle = road ? texts::roadCadTitle() : texts::bridgeCadTitle();
    format.filters = {texts::allFilesFilter(),
                      road ? texts::roadCadFilter() : texts::bridgeCadFilter()};
    format.suffix = u"txt"_s;
    format.folder = ExportFormat::Folder::LastUsed;
    format.proposedName = besideProject;
    format.savedMessage = road ? texts::roadCadSaved() : texts::bridgeCadSaved();
    format.render = [kind](const ExportInput& input) {
        return CadExport::render(kind, input.english, input.items, input.decimalPoint);
    };
    return format;
}

std::vector<ExportFormat> makeFormats() {
    ExportFormat trnsport;
    trnsport.id = ExportFormat::Id::Trnsport;
    trnsport.commandName = u"trnsport"_s;
    trnsport.menuName = u"mnuExpTrans"_s;
    trnsport.menuCaption = u"&Trns*Port"_s;
    trnsport.dialogTitle = texts::trnsportTitle();
    trnsport.filters = {texts::allFilesFilter()};
    trnsport.suffix = u"txt"_s;
    trnsport.folder = ExportFormat::Folder::LettingMonth;
    trnsport.proposedName = [](const ExportInput& input) {
        return TrnsportExport::defaultFileName(input.header.projNum);
    };
    trnsport.order = ExportFormat::Order::Shown;
    trnsport.namesCounty = true;
    trnsport.savedMessage = texts::trnsportSaved();
    trnsport.render = [](const ExportInput& input) {
        return TrnsportExport::render(input.header.projNum, input.county, input.header.designer,
                                      input.items);
    };

    ExportFormat tabfill;
    tabfill.id = ExportFormat::Id::Tabfill;
    tabfill.commandName = u"tabfill"_s;
    tabfill.menuName = u"mnuExpRCADexcel"_s;
    tabfill.menuCaption = u"Road CAD (&Excel)"_s;
    tabfill.dialogTitle = texts::tabfillTitle();
    tabfill.filters = {texts::allFilesFilter(), texts::tabfillFilter()};
    tabfill.suffix = u"xlsx"_s;
    tabfill.proposedName = [](const ExportInput& input) {
        return TabfillExport::tabName(itemlines::highestCategory(input.items)) + u".xlsx"_s;
    };
    tabfill.largestCategory = TabfillExport::kLargestTable;
    tabfill.tooManyCategories = texts::tabfillTooManyCategories();
    tabfill.textFile = false;
    tabfill.savedMessage = texts::tabfillSaved();
    tabfill.render = [](const ExportInput& input) {
        return TabfillExport::render(input.seedWorkbook, input.english, input.items);
    };

    return {trnsport, cadFormat(ExportFormat::Id::RoadCad, CadKind::RoadCad), tabfill,
            cadFormat(ExportFormat::Id::BridgeCad, CadKind::BridgeCad)};
}

}  // namespace

IndexOrder ExportFormat::itemOrder(IndexOrder shown) const {
    return order == Order::Shown ? shown : IndexOrder::BridgeKey;
}

std::optional<QString> ExportFormat::refusal(const std::vector<ProjectRecord>& items) const {
    if (largestCategory && itemlines::highestCategory(items) > *largestCategory) {
        return tooManyCategories;
    }
    return std::nullopt;
}

const std::vector<ExportFormat>& exportFormats() {
    static const std::vector<ExportFormat> formats = makeFormats();
    return formats;
}

const ExportFormat& exportFormat(ExportFormat::Id id) {
    const auto& formats = exportFormats();
    return *std::find_if(formats.begin(), formats.end(),
                         [id](const ExportFormat& format) { return format.id == id; });
}

const ExportFormat* exportFormatNamed(const QString& commandName) {
    for (const ExportFormat& format : exportFormats()) {
        if (format.commandName == commandName) {
            return &format;
        }
    }
    return nullptr;
}

}  // namespace veskplan
