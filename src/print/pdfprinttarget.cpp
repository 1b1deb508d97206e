#include "print/pdfprinttarget.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>

#include "base/error.h"
#include "base/filewriting.h"
#include "base/texts.h"
#include "print/printtexts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

bool PdfPrintTarget::print(QPageLayout::Orientation orientation,
                           const std::function<void(QPagedPaintDevice&)>& render) {
    // Told before the pages are drawn, which may take a while.
    if (!QFileInfo(QFileInfo(path_).absolutePath()).isDir()) {
        throw Error(texts::fileNotWritten(QDir::toNativeSeparators(path_), texts::noSuchFolder()));
    }
    // The document is made in memory and written whole: a full disk or a failing painter leaves
    // the old file as it was.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setResolution(kResolution);
        writer.setPageLayout(
            QPageLayout(paper_, orientation,
                        QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                        QPageLayout::Inch));
        render(writer);
    }
    if (document.data().isEmpty()) {
        // Nothing was drawn: an empty file is no document.
        throw Error(
            texts::fileNotWritten(QDir::toNativeSeparators(path_), texts::nothingPrinted()));
    }
    writeFileAtomically(path_, document.data());
    return true;
}

}  // namespace veskplan
