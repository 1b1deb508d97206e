#include "export/trnsportexport.h"

#include <QDir>
#include <cmath>

#include "base/apppaths.h"
#include "base/configuration.h"
#include "base/error.h"
#include "base/filedialogs.h"
#include "base/filewriting.h"
#include "base/fixedcolumntext.h"
#include "base/numbertext.h"
#include "base/texts.h"
#include "export/exportgate.h"
#include "project/countylookup.h"
#include "project/projectdocument.h"

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

QString TrnsportExport::defaultFileName(const QString& projectNumber) {
    const CountyLookup::ProjectNumberParts p = CountyLookup::parts(projectNumber);
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

CommandOutcome TrnsportExport::run() {
    port_.commitPendingEdits();
    if (!passChecksBeforeExport(document_, master_, port_)) {
        return CommandOutcome::cancelled();
    }
    const HeaderFields& header = document_.header();
    FileDialogRequest dialog;
    dialog.mode = FileDialogRequest::Mode::Save;
    dialog.title = texts::trnsportTitle();
    dialog.filters = QStringList{texts::allFilesFilter()};
    dialog.directory = joinPath(config_.tsptDir, header.letMonthText());
    dialog.fileName = defaultFileName(header.projNum);
    dialog.defaultSuffix = u"txt"_s;
    const auto chosen = dialogs_.choose(dialog);
    if (!chosen) {
        return CommandOutcome::cancelled();
    }
    county_.keep(county_.lookUp(header.projNum));
    RecordStore& items = document_.items();
    const QByteArray bytes =
        render(header.projNum, county_.name(), header.designer, items.records(items.index()));
    try {
        writeFileAtomically(*chosen, bytes);
    } catch (const Error& error) {
        return report(port_, CommandOutcome::failed(error.message()));
    }
    items.moveLast();
    items.moveNext();  // the walk leaves the records behind their last
    port_.inform(texts::trnsportSaved() + QDir::toNativeSeparators(*chosen));
    return CommandOutcome::written(*chosen);
}

}  // namespace veskplan
