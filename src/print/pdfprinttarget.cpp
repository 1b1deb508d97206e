#include "print/pdfprinttarget.h"

#include <QDir>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include "base/error.h"
#include "base/texts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

bool PdfPrintTarget::print(QPageLayout::Orientation orientation,
                           const std::function<void(QPagedPaintDevice&)>& render) {
    const QString shownPath = QDir::toNativeSeparators(path_);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        throw Error(texts::fileNotWritten(shownPath, file.errorString()));
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::Letter), orientation,
                        QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                        QPageLayout::Inch));
        render(writer);
        // The painter's end has written the whole document; the writer goes before the file
        // is committed so that nothing more reaches it.
    }
    if (file.error() == QFileDevice::NoError && file.size() == 0) {
        // Nothing was drawn: an empty file is no document.
        file.cancelWriting();
        throw Error(texts::fileNotWritten(shownPath, texts::nothingPrinted()));
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        throw Error(texts::fileNotWritten(shownPath, file.errorString()));
    }
    return true;
}

}  // namespace veskplan
