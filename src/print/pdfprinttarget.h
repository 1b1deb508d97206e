#pragma once

#include <QPageSize>
#include <QString>

#include "print/printtarget.h"

namespace veskplan {

// A printer that is a PDF file: pages of the given paper (US Letter unless told) with
// quarter-inch margins, as a desk printer prints them. The file appears whole or not at all.
class PdfPrintTarget : public PrintTarget {
public:
    static constexpr int kResolution = 1200;  // dots per inch; text stays sharp when zoomed
    static constexpr double kMarginInches = 0.25;

    explicit PdfPrintTarget(QString path, QPageSize paper = QPageSize(QPageSize::Letter))
        : path_(std::move(path)), paper_(std::move(paper)) {}

    // Throws Error naming the file when it cannot be written.
    bool print(QPageLayout::Orientation orientation,
               const std::function<void(QPagedPaintDevice&)>& render) override;

    const QString& path() const { return path_; }

private:
    QString path_;
    QPageSize paper_;
};

}  // namespace veskplan
