#include "export/trnsportexport.h"

#include <cmath>

#include "base/fixedcolumntext.h"
#include "base/numbertext.h"
#include "project/countylookup.h"

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

}  // namespace veskplan
