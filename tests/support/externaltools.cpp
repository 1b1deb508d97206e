#include "support/externaltools.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace veskplan::test {
namespace {

using namespace Qt::Literals::StringLiterals;

std::optional<QByteArray> run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

// The program `path` names, or an empty text after failing the test when it is missing.
QString installed(const QString& path, const char* tool, const char* package) {
    if (path.isEmpty() || !QFileInfo(path).isExecutable()) {
        ADD_FAILURE() << tool << " is not installed: install the package " << package
                      << " (scripts/install-deps.sh does)";
        return QString();
    }
    return path;
}

}  // namespace

std::optional<QString> libreOfficeCsv(const QString& workbook) {
    const QString soffice = installed(QStandardPaths::findExecutable(u"soffice"_s),
                                      "LibreOffice (soffice)", "libreoffice-calc-nogui");
    if (soffice.isEmpty()) {
        return std::nullopt;
    }
    QTemporaryDir dir;
    // A profile of its own, so that no user profile is touched, no running office is used and
    // runs in parallel do not share one. Its one setting: every formula is recalculated on load,
    // which LibreOffice does not do for a workbook by default whatever the workbook asks.
    const QString profile = dir.filePath(u"profile"_s);
    writeFile(profile + u"/user/registrymodifications.xcu"_s,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\">\n"
              "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\">"
              "<prop oor:name=\"OOXMLRecalcMode\" oor:op=\"fuse\"><value>0</value></prop></item>\n"
              "</oor:items>\n");
    const auto done =
        run(soffice,
            {u"-env:UserInstallation="_s + QUrl::fromLocalFile(profile).toString(), u"--headless"_s,
             u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true,true"_s,
             u"--outdir"_s, dir.path(), workbook},
            180000);
    if (!done) {
        return std::nullopt;
    }
    // readFile fails the test when LibreOffice wrote no CSV.
    return QString::fromUtf8(
               readFile(dir.filePath(QFileInfo(workbook).completeBaseName() + u".csv"_s)))
        .remove(u'\r');
}

std::optional<QString> openpyxl(const QString& script, const QString& path) {
    const QString python = installed(u"/usr/bin/python3"_s, "/usr/bin/python3", "python3");
    if (python.isEmpty()) {
        return std::nullopt;
    }
    QProcess probe;
    probe.start(python, {u"-c"_s, u"import openpyxl"_s});
    if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0) {
        installed(QString(), "openpyxl for /usr/bin/python3", "python3-openpyxl");
        return std::nullopt;
    }
    const auto output = run(python, {u"-c"_s, script, path}, 60000);
    return output ? std::optional(QString::fromUtf8(output->trimmed())) : std::nullopt;
}

std::optional<QString> pdfText(const QString& pdf, const QStringList& options) {
    const QString pdftotext =
        installed(QStandardPaths::findExecutable(u"pdftotext"_s), "pdftotext", "poppler-utils");
    if (pdftotext.isEmpty()) {
        return std::nullopt;
    }
    const auto output =
        run(pdftotext, QStringList{u"-layout"_s} + options + QStringList{pdf, u"-"_s}, 60000);
    return output ? std::optional(QString::fromUtf8(*output)) : std::nullopt;
}

}  // namespace veskplan::test
