#include "sampledata/sampledatatool.h"

#include <QDir>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <stdexcept>

#include "sampledata/sampledata.h"
#include "sampledata/sampleproject.h"

using namespace Qt::Literals::StringLiterals;

namespace veskplan::sampledata {
namespace {

const QString kUsage =
    u"usage: veskplan-sampledata sample DIR | list ROWS english|metric FILE | project FILE"_s;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// QSaveFile writes beside the target and renames on commit, so a failed run never leaves a
// truncated data file behind.
void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw std::runtime_error(
            u"cannot write %1: %2"_s.arg(QDir::toNativeSeparators(path), file.errorString())
                .toStdString());
    }
}

void writeSample(const QString& directory) {
    QDir dir(directory);
    if (!dir.mkpath(u"."_s)) {
        throw std::runtime_error(
            u"cannot create folder %1"_s.arg(QDir::toNativeSeparators(directory)).toStdString());
    }
    writeFile(dir.filePath(u"itemse.txt"_s), masterList(Units::English));
    writeFile(dir.filePath(u"itemsm.txt"_s), masterList(Units::Metric));
    writeFile(dir.filePath(u"itemcats.txt"_s), categoryFile());
    writeFile(dir.filePath(u"counties.txt"_s), countyFile());
}

int parseRows(const QString& text) {
    // Digits only: toInt would also take a sign or surrounding blanks.
    bool ok = !text.isEmpty() && text.size() <= 9 &&
              std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
    const int rows = ok ? text.toInt(&ok) : 0;
    if (!ok || rows > kMaxLargeRows) {
        throw UsageError(
            u"ROWS must be a whole number from 0 to %1, not \"%2\""_s.arg(kMaxLargeRows)
                .arg(text)
                .toStdString());
    }
    return rows;
}

Units parseUnits(const QString& text) {
    if (text == u"english"_s) {
        return Units::English;
    }
    if (text == u"metric"_s) {
        return Units::Metric;
    }
    throw UsageError(u"units must be english or metric, not \"%1\""_s.arg(text).toStdString());
}

}  // namespace

int runTool(const QStringList& arguments, QTextStream& errors) {
    const QString command = arguments.value(0);
    try {
        if (command == u"sample"_s && arguments.size() == 2) {
            writeSample(arguments[1]);
        } else if (command == u"project"_s && arguments.size() == 2) {
            writeSampleProject(arguments[1]);
        } else if (command == u"list"_s && arguments.size() == 4) {
            const int rows = parseRows(arguments[1]);
            const Units units = parseUnits(arguments[2]);
            writeFile(arguments[3], largeMasterList(rows, units));
        } else {
            errors << kUsage << '\n';
            errors.flush();
            return kExitUsage;
        }
    } catch (const UsageError& error) {
        errors << "veskplan-sampledata: " << QString::fromStdString(error.what()) << '\n';
        errors.flush();
        return kExitUsage;
    } catch (const std::exception& error) {
        errors << "veskplan-sampledata: " << QString::fromStdString(error.what()) << '\n';
        errors.flush();
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace veskplan::sampledata
