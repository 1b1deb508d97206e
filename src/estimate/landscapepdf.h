#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>

namespace veskplan {

// A landscape Letter PDF of the estimate's reports, written into memory: its writer, its painter
// and the fonts and line height the reports are set in.
class LandscapePdf {
public:
    explicit LandscapePdf(const QString& title);

    QPdfWriter& writer() { return writer_; }
    QPainter& painter() { return painter_; }
    const QFont& font() const { return font_; }
    const QFont& bold() const { return bold_; }
    double lineHeight() const { return lineHeight_; }
    // Ends the painting and gives the file's bytes.
    QByteArray bytes();

private:
    QBuffer document_;
    QPdfWriter writer_;
    QPainter painter_;
    QFont font_;
    QFont bold_;
    double lineHeight_ = 0;
};

}  // namespace veskplan
