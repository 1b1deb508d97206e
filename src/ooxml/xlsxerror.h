#pragma once

#include <QDir>
#include <QString>

#include <stdexcept>

namespace veskplan {

// A workbook could not be read, changed or written. what() reads "FILE: REASON" so that a
// message box can show it as it is; the parts stay available for callers that compose their
// own text. Inner layers that do not know the file leave it empty and XlsxWorkbook fills it in.
class XlsxError : public std::runtime_error {
public:
    XlsxError(const QString& file, const QString& reason)
        : std::runtime_error(compose(file, reason).toStdString()), file_(file), reason_(reason) {}

    explicit XlsxError(const QString& reason) : XlsxError(QString(), reason) {}

    const QString& file() const { return file_; }
    const QString& reason() const { return reason_; }

private:
    static QString compose(const QString& file, const QString& reason) {
        if (file.isEmpty()) {
            return reason;
        }
        return QDir::toNativeSeparators(file) + QStringLiteral(": ") + reason;
    }

    QString file_;
    QString reason_;
};

}  // namespace veskplan
