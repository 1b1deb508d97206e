#include "controller/projectcomparing.h"

#include <QDir>
#include <QFileInfo>

#include "base/error.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/filedialogs.h"
#include "controller/userport.h"
#include "estimate/estimate.h"
#include "files/accessproject.h"
#include "project/projectdocument.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

ProjectComparing::ProjectComparing(ProjectDocument& document, FileDialogs& dialogs, UserPort& port,
                                   BusyIndicator& busy, QString scaleFile, QObject* parent)
    : QObject(parent),
      document_(document),
      dialogs_(dialogs),
      port_(port),
      busy_(busy),
      scaleFile_(std::move(scaleFile)) {}

bool ProjectComparing::compareWithChosenProject() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = texts::compareProjectTitle();
    request.filters = {texts::anyProjectFilter(), texts::projectFilter(),
                       texts::accessProjectFilter(), texts::allFilesFilter()};
    const std::optional<QString> path = dialogs_.choose(request);
    return path && compareWith(*path);
}

bool ProjectComparing::compareWith(const QString& path) {
    std::optional<ComparisonReport> made;
    try {
        BusyCursor busy(busy_);
        projectfile::Contents read = accessproject::isAccessDatabase(path)
                                         ? projectfile::Contents{readProjectFile(path), {}}
                                         : projectfile::readWithPrices(path);
        const ComparisonReport::Project before{QFileInfo(path).fileName(),
                                               specialrows::split(std::move(read.records)).items,
                                               std::move(read.prices)};
        const ComparisonReport::Project after{QFileInfo(document_.displayName()).fileName(),
                                              document_.items().records(IndexOrder::PrimaryKey),
                                              document_.prices()};
        const ContingencyScale scale = ContingencyScale::read(scaleFile_);
        made.emplace(ComparisonReport::compare(before, after, scale));
    } catch (const Error& error) {
        port_.warn(error.message());
        return false;
    }
    model_.setReport(nullptr);  // the rows it shows go with the report
    report_ = std::move(made);
    model_.setReport(&*report_);
    Q_EMIT compared();
    return true;
}

QString ProjectComparing::heading() const {
    if (!report_) {
        return QString();
    }
    return comparedProjectText(texts::comparedOld(), report_->oldName(), report_->oldTotals()) +
           u'\n' +
           comparedProjectText(texts::comparedNew(), report_->newName(), report_->newTotals()) +
           u'\n' + comparisonBasis(report_->comparison().comparesAmounts());
}

QString ProjectComparing::totals() const {
    if (!report_ || !report_->comparison().comparesAmounts()) {
        return QString();
    }
    const EstimateTotals& a = report_->oldTotals();
    const EstimateTotals& b = report_->newTotals();
    QStringList lines;
    for (const auto& [label, before, after] :
         {std::tuple(u"Items"_s, a.itemsCents, b.itemsCents),
          std::tuple(totalLabel(u"Mobilization"_s, a.mobilizationPercent, b.mobilizationPercent),
                     a.mobilizationCents, b.mobilizationCents),
          std::tuple(totalLabel(u"Contingency"_s, a.contingencyPercent, b.contingencyPercent),
                     a.contingencyCents, b.contingencyCents),
          std::tuple(u"Total"_s, a.totalCents, b.totalCents)}) {
        lines.append(label + u": "_s + centsText(before) + u" \u2192 "_s + centsText(after) +
                     u" ("_s + (after >= before ? u"+"_s : QString()) + centsText(after - before) +
                     u')');
    }
    return lines.join(u'\n');
}

void ProjectComparing::saveAs() {
    if (!report_) {
        return;
    }
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = texts::saveComparisonTitle();
    request.filters = {texts::csvFilter(), texts::workbookFilter(), texts::pdfFilter()};
    request.defaultSuffix = u"csv"_s;
    request.fileName = QFileInfo(report_->newName()).completeBaseName() + u" changes.csv"_s;
    const std::optional<QString> path = dialogs_.choose(request);
    if (!path) {
        return;
    }
    const auto format = ComparisonReport::formatOf(*path);
    if (!format) {
        port_.warn(texts::comparisonFormatUnknown(QDir::toNativeSeparators(*path)));
        return;
    }
    try {
        BusyCursor busy(busy_);
        report_->write(*path, *format, false);
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

}  // namespace veskplan
