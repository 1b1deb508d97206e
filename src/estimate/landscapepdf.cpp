#include "estimate/landscapepdf.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kResolution = 600;
}  // namespace

LandscapePdf::LandscapePdf(const QString& title)
    : writer_(&document_), font_(u"Liberation Sans"_s, 8), bold_(font_) {
    document_.open(QIODevice::WriteOnly);
    writer_.setResolution(kResolution);
    writer_.setTitle(title);
    writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                      QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
    painter_.begin(&writer_);
    bold_.setBold(true);
    lineHeight_ = QFontMetricsF(font_, &writer_).height() * 1.15;
}

QByteArray LandscapePdf::bytes() {
    painter_.end();
    return document_.data();
}

}  // namespace veskplan
