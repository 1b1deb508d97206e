#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <csignal>

// The file size limit is a POSIX resource limit; Windows has none (its tests skip there).
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

#include "base/error.h"

namespace veskplan::test {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void writeDistinctBids(const QString& path, const char* item, const char* letting, int count) {
    QByteArray bids = "Item Number,Unit,Quantity,Unit Price,Letting Date,Contract\n";
    for (int quantity = 1; quantity <= count; ++quantity) {
        bids += QByteArray(item) + ",CY," + QByteArray::number(quantity) + ",5," + letting + ",K\n";
    }
    writeFile(path, bids);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

QString dataPath(const QString& name) {
    return QStringLiteral(VESKPLAN_TEST_DATA_DIR "/") + name;
}

QByteArray dataFile(const QString& name) {
    return readFile(dataPath(name));
}

QList<QStringList> tableRows(const QString& name, qsizetype fields) {
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(dataFile(name)).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#')) {
            rows.append(line.split(u'|'));
            EXPECT_TRUE(fields == 0 || rows.last().size() == fields) << line.toStdString();
        }
    }
    EXPECT_FALSE(rows.isEmpty()) << name.toStdString() << " holds no rows";
    return rows;
}

void setModified(const QString& path, const QDateTime& when) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

::testing::AssertionResult sameBytes(const QByteArray& expected, const QByteArray& actual) {
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    const qsizetype lineStart = expected.lastIndexOf('\n', at - 1) + 1;
    auto show = [](QByteArray bytes) {
        return bytes.replace("\r", "\\r").replace("\n", "\\n\n").toStdString();
    };
    return ::testing::AssertionFailure()
           << "bytes differ at offset " << at << " (sizes " << expected.size() << " and "
           << actual.size() << ")\nexpected from that line:\n"
           << show(expected.mid(lineStart, 300)) << "\nactual from that line:\n"
           << show(actual.mid(lineStart, 300));
}

QString errorMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.message();
    }
    ADD_FAILURE() << "no error";
    return QStringLiteral("no error");
}

Sandbox::Sandbox() {
    for (const QString& dir : {dataDir(), configDir(), tempDir(), projectsDir(), homeDir()}) {
        QDir().mkpath(dir);
    }
}

Environment Sandbox::environment() const {
    Environment env;
    env.variables.insert(QStringLiteral("SystemRoot"), configDir());
    env.variables.insert(QStringLiteral("temp"), tempDir());
    env.variables.insert(QStringLiteral("VESKPLAN_DATA"), dataDir());
    env.executableDir = path(QStringLiteral("bin"));
    env.homeDir = homeDir();
    env.userConfigDir = path(QStringLiteral("userconfig"));
    env.systemTempDir = tempDir();
    return env;
}

void Sandbox::writeConfig() const {
    writeFile(configFile(), "'** Directory Master Item List Files are kept **\r\nmastDir = " +
                                QFile::encodeName(dataDir()) +
                                "\r\n'** Directory containing month dirs for Trns*Port exports "
                                "**\r\ntsptDir = " +
                                QFile::encodeName(path(QStringLiteral("tsp"))) +
                                "\r\n'** Last directory saved to **\r\nlastDir = " +
                                QFile::encodeName(projectsDir()) + "\r\n");
}

#ifdef Q_OS_UNIX
FileSizeLimit::FileSizeLimit(long long bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    oldSoft_ = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(oldSoft_);
    setrlimit(RLIMIT_FSIZE, &limit);
}
#else
FileSizeLimit::FileSizeLimit(long long) {}
FileSizeLimit::~FileSizeLimit() = default;
#endif

QByteArray crlf(std::initializer_list<const char*> lines) {
    QByteArray bytes;
    for (const char* line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

QByteArray masterLine(const char* number, const char* description, const char* unit) {
    return QByteArray(number).leftJustified(12, ' ') + ' ' +
           QByteArray(description).leftJustified(40, ' ') + QByteArray(unit).leftJustified(4, ' ');
}

}  // namespace veskplan::test
