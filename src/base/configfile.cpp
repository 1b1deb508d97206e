#include "base/configfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include "base/boundedfile.h"
#include "base/error.h"
#include "base/filewriting.h"
#include "base/textcodec.h"
#include "base/texts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The key and " = " take the first ten characters of a value line.
constexpr qsizetype kValueStart = 10;
constexpr int kLineCount = 6;
constexpr qsizetype kMaxLineBytes = 64 * 1024;

}  // namespace

ConfigFile::ConfigFile(QString path) : path_(std::move(path)) {}

ConfigFile::ReadResult ConfigFile::read(const Configuration& defaults) const {
    ReadResult result;
    result.values = defaults;
    QFile file(path_);
    if (!file.exists()) {
        return result;
    }
    result.existed = true;
    // Six lines are all the file holds; a path is never longer than this.
    QStringList lines;
    try {
        lines = boundedfile::readLines(path_, kLineCount, kMaxLineBytes);
    } catch (const Error& error) {
        result.warning = texts::configUnreadable(QDir::toNativeSeparators(path_), error.message());
        return result;
    }
    QString* targets[] = {&result.values.mastDir, &result.values.tsptDir, &result.values.lastDir};
    for (int i = 0; i < 3; ++i) {
        const qsizetype lineIndex = 2 * i + 1;
        if (lineIndex < lines.size()) {
            *targets[i] = lines[lineIndex].mid(kValueStart);
        }
    }
    if (lines.size() < kLineCount) {
        result.warning = texts::configTooShort(QDir::toNativeSeparators(path_));
    }
    return result;
}

QByteArray ConfigFile::render(const Configuration& values) {
    const QString text = u"'** Directory Master Item List Files are kept **\r\n"_s +
                         u"mastDir = "_s + values.mastDir + u"\r\n"_s +
                         u"'** Directory containing month dirs for Trns*Port exports **\r\n"_s +
                         u"tsptDir = "_s + values.tsptDir + u"\r\n"_s +
                         u"'** Last directory saved to **\r\n"_s + u"lastDir = "_s +
                         values.lastDir + u"\r\n"_s;
    return textcodec::encode(text);
}

void ConfigFile::write(const Configuration& values) const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    try {
        writeFileAtomically(path_, render(values));
    } catch (const FileWriteError& error) {
        throw Error(texts::configNotWritten(QDir::toNativeSeparators(path_), error.reason()));
    }
}

}  // namespace veskplan
