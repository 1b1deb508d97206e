#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "base/environment.h"

QT_BEGIN_NAMESPACE
// Readable QString values in test failure output.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << bytes.size() << " bytes \""
         << bytes.left(120).toPercentEncoding(" .,:;-_()*#/").toStdString()
         << (bytes.size() > 120 ? "...\"" : "\"");
}
QT_END_NAMESPACE

namespace veskplan::test {

void writeFile(const QString& path, const QByteArray& bytes);
// A bid tabulation of `count` bids of one item, one contract and letting, each a bid of its own
// (its quantity is its line number): enough for a server to be seen at work on it.
void writeDistinctBids(const QString& path, const char* item, const char* letting, int count);
QByteArray readFile(const QString& path);
// A file of tests/data, by its path below that folder.
QByteArray dataFile(const QString& name);
QString dataPath(const QString& name);
// The rows of a table of tests/data: one a line, fields split at '|'; blank lines and lines
// starting with '#' (which say how to read the table) are left out. A table without rows, or a
// row of another number of fields than `fields` (when given), fails the test.
QList<QStringList> tableRows(const QString& name, qsizetype fields = 0);
void setModified(const QString& path, const QDateTime& when);

// Byte-exact comparison with a readable report of the first difference.
::testing::AssertionResult sameBytes(const QByteArray& expected, const QByteArray& actual);

// The message of the Error `action` throws; "no error", failing the test, when it throws none.
QString errorMessage(const std::function<void()>& action);

// A private set of folders for one test: the program data directory, the configuration
// directory (SystemRoot), the temporary directory and a folder for project files; and the
// Environment that points the program at them.
class Sandbox {
public:
    Sandbox();

    QString dataDir() const { return root_.filePath(QStringLiteral("data")); }
    QString configDir() const { return root_.filePath(QStringLiteral("config")); }
    QString tempDir() const { return root_.filePath(QStringLiteral("temp")); }
    QString projectsDir() const { return root_.filePath(QStringLiteral("projects")); }
    QString homeDir() const { return root_.filePath(QStringLiteral("home")); }
    QString path(const QString& relative) const { return root_.filePath(relative); }
    QString configFile() const { return configDir() + QStringLiteral("/veskplan.ini"); }

    Environment environment() const;

    // Writes the configuration file with the master list directory set to dataDir().
    void writeConfig() const;

private:
    QTemporaryDir root_;
};

// While alive, no file this process writes may grow past `bytes`: what a full disk does to a
// write. The signal such a write would raise is ignored so the write fails instead. POSIX only:
// a test using it starts with VESKPLAN_SKIP_ON_WINDOWS.
// Skips a test that needs what only the Linux build machine has (a file size limit, /dev/full,
// the programs that read our files back), saying what.
#ifdef Q_OS_WIN
#define VESKPLAN_SKIP_ON_WINDOWS(needs) GTEST_SKIP() << "needs " needs ", which Windows lacks"
#else
#define VESKPLAN_SKIP_ON_WINDOWS(needs) static_cast<void>(0)
#endif

// The quantities of a record store's rows, in row order.
template <typename Store>
std::vector<std::optional<double>> quantitiesOf(const Store& store) {
    std::vector<std::optional<double>> all;
    for (int row = 0; row < store.recordCount(); ++row) {
        all.push_back(store.record(row).quantity);
    }
    return all;
}

class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long oldSoft_ = 0;
};

// Joins lines with CR LF after each one.
QByteArray crlf(std::initializer_list<const char*> lines);

// One master list line in its fixed columns, as a person would type it: number padded to 12,
// a blank, description padded to 40, unit padded to 4.
QByteArray masterLine(const char* number, const char* description, const char* unit);

}  // namespace veskplan::test
