#include "export/trnsportexport.h"

#include <QDir>
#include <cmath>

#include "export/countyfile.h"
#include "export/fixedcolumntext.h"
#include "shell/error.h"
#include "shell/numbertext.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A part is written with at least `digits` digits when it is a number, unchanged otherwise.
QString padded(const QString& part, int digits) {
    bool isNumber = false;
    const double value = part.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value) || std::fabs(value) >= 1e15) {
        return part;
    }
    const auto whole = static_cast<qint64>(std::llround(value));
    QString text = QString::number(std::llabs(whole)).rightJustified(digits, u'0');
    return whole < 0 ? u'-' + text : text;
}

}  // namespace

TrnsportExport::ProjectNumberParts TrnsportExport::parts(const QString& number) {
    ProjectNumberParts parts;
    parts.county = countyfile::countyNumber(number);
    const qsizetype firstDash = number.indexOf(u'-');
    const qsizetype secondDash = firstDash < 0 ? -1 : number.indexOf(u'-', firstDash + 1);
    const qsizetype open = number.indexOf(u'(');
    const qsizetype close = open < 0 ? -1 : number.indexOf(u')', open + 1);
    parts.wellFormed = secondDash > firstDash && firstDash >= 0 && open > 0 && close > open;
    if (!parts.wellFormed) {
        return parts;
    }
    parts.dash = number.mid(firstDash + 1, secondDash - firstDash - 1);
    parts.letter = number.mid(open - 1, 1);
    parts.bracket = number.mid(open + 1, close - open - 1);
    return parts;
}

QString TrnsportExport::defaultFileName(const QString& projectNumber) {
    const ProjectNumberParts p = parts(projectNumber);
    if (!p.wellFormed) {
        return QString();
    }
    return u"C"_s + QString::number(p.county).rightJustified(2, u'0') + u".R"_s +
           padded(p.dash, 3) + p.letter + padded(p.bracket, 3);
}

QByteArray TrnsportExport::render(const QString& projectNumber, const QString& county,
                                  const QString& designer,
                                  const std::vector<ProjectRecord>& records) {
    FixedColumnText text;
    text.append(u"Project: "_s + projectNumber);
    text.endLine();
    text.append(u"County: "_s + county);
    text.endLine();
    text.append(u"Designer: "_s + designer);
    text.endLine();
    text.endLine();
    for (const ProjectRecord& record : records) {
        text.place(1, record.itemNumber);
        text.place(20, record.cat);
        text.place(27, numbertext::zeroPadded(record.quantity.value_or(0.0)));
        text.endLine();
    }
    return text.windows1252();
}

ExportOutcome TrnsportExport::mnuExpTrans_Click() {
    ws_.port.commitPendingEdits();
    const QString projectNumber = ws_.header.projNum;
    FileDialogRequest dialog;
    dialog.mode = FileDialogRequest::Mode::Save;
    dialog.title = texts::trnsportTitle();
    dialog.filters = QStringList{texts::allFilesFilter()};
    dialog.directory = joinPath(ws_.config.tsptDir, ws_.header.letMonthText());
    dialog.fileName = defaultFileName(projectNumber);
    const auto chosen = ws_.chooseFile(dialog);
    if (!chosen) {
        return ExportOutcome::cancelled();
    }
    ws_.countyName = countyfile::lookUp(ws_.paths.countyFile(), projectNumber, ws_.countyName);
    const QByteArray bytes = render(projectNumber, ws_.countyName, ws_.header.designer,
                                    ws_.store->records(ws_.store->index()));
    try {
        exportsupport::writeFile(*chosen, bytes);
    } catch (const Error& error) {
        return exportsupport::report(ws_, ExportOutcome::failed(error.message()));
    }
    ws_.store->moveLast();
    ws_.store->moveNext();  // the walk leaves the records behind their last
    ws_.port.inform(texts::trnsportSaved() + QDir::toNativeSeparators(*chosen));
    return ExportOutcome::written(*chosen);
}

}  // namespace veskplan
