#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QDir>
#include <QTemporaryDir>
#include <cerrno>

#include "base/boundedfile.h"
#include "base/filewriting.h"
#include "base/sqlitedb.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(BoundedFile, ReadingStopsAtTheLinesNeededAndRefusesEndlessLines) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"counties.txt"_s);
    // Three lines, then 40 MB without a line end: only what is needed is read.
    test::writeFile(file, "Alder\r\nBirch\rCedar\n" + QByteArray(40 * 1024 * 1024, 'x'));
    EXPECT_EQ(boundedfile::readLines(file, 3, 64),
              (QStringList{u"Alder"_s, u"Birch"_s, u"Cedar"_s}));
    EXPECT_EQ(test::errorMessage([&] { boundedfile::readLines(file, 4, 4096); }),
              u"line 4 is far longer than a line of this file can be"_s);
    test::writeFile(file, "A\r\n\r\nC");  // a last line without an end counts
    EXPECT_EQ(boundedfile::readLines(file, 9, 64), (QStringList{u"A"_s, QString(), u"C"_s}));
    EXPECT_FALSE(test::errorMessage([&] {
                     boundedfile::readLines(dir.filePath(u"none"_s), 1, 64);
                 }).isEmpty());

    QFile sparse(dir.filePath(u"huge.txt"_s));  // 300 MB that take no room on the disk
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(300LL * 1024 * 1024));
    sparse.close();
    EXPECT_TRUE(test::errorMessage([&] {
                    boundedfile::readAll(sparse.fileName(), 1024 * 1024);
                }).contains(u"larger than such a file can be"_s));
}

TEST(BoundedFile, AFileIsReadWholeUpToItsLimitAndRefusedPastIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bids.csv"_s);
    QByteArray content(2'500'000, 'x');  // more than one piece of a read
    content[0] = 'a';
    content[content.size() - 1] = 'z';
    test::writeFile(path, content);
    EXPECT_EQ(boundedfile::readAll(path, qint64(256) << 20), content);
    EXPECT_EQ(boundedfile::readAll(path, content.size()), content);
    EXPECT_TRUE(test::errorMessage([&] {
                    boundedfile::readAll(path, content.size() - 1);
                }).contains(u"larger than such a file can be"_s));
    VESKPLAN_SKIP_ON_WINDOWS("a file that tells no size, as /proc's do");
    EXPECT_FALSE(boundedfile::readAll(u"/proc/self/status"_s, 1 << 20).isEmpty());
    EXPECT_TRUE(test::errorMessage([] {
                    boundedfile::readAll(u"/proc/self/status"_s, 8);
                }).contains(u"larger than such a file can be"_s));
}

TEST(FileWriting, ReplacesTheFileWholeOrLeavesItAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.txt"_s);
    test::writeFile(path, "old");
    writeFileAtomically(path, "new\r\n");
    EXPECT_EQ(test::readFile(path), QByteArray("new\r\n"));
    const QString nowhere = dir.filePath(u"missing/out.txt"_s);
    const QString message = test::errorMessage([&] { writeFileAtomically(nowhere, "x"); });
    EXPECT_TRUE(message.startsWith(u"The file "_s + QDir::toNativeSeparators(nowhere) +
                                   u" could not be written"_s));
    const auto onlyTheFile = [&] {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    EXPECT_EQ(onlyTheFile(), QStringList{u"out.txt"_s});
    VESKPLAN_SKIP_ON_WINDOWS("a file size limit to fill the disk");
    const QString failure = [&] {
        const test::FileSizeLimit fullDisk(16);  // the write stops short
        return test::errorMessage([&] { writeFileAtomically(path, QByteArray(300, 'x')); });
    }();
    EXPECT_TRUE(failure.endsWith(u" could not be written: the disk is full"_s));
    EXPECT_EQ(test::readFile(path), QByteArray("new\r\n"));
    EXPECT_EQ(onlyTheFile(), QStringList{u"out.txt"_s});
}

TEST(SqliteError, ReasonsSayWhatHappenedInTheUsersWords) {
    const std::pair<int, const char*> cases[] = {
        {SQLITE_FULL, "the disk is full"},
        {SQLITE_READONLY, "the file or its folder cannot be written"},
        {SQLITE_READONLY_ROLLBACK, "another program left an unfinished change in it"},
        {SQLITE_CANTOPEN, "the file or its folder cannot be opened"},
        {SQLITE_NOTADB, "the file is not a database"},
        {SQLITE_CORRUPT, "the file is damaged"},
        {SQLITE_BUSY, "another program is using the file"},
        {SQLITE_IOERR_WRITE, "the disk could not be read or written"},
        {SQLITE_MISMATCH, "datatype mismatch"},
    };
    for (const auto& [code, words] : cases) {
        EXPECT_EQ(SqliteError(code, u"datatype mismatch"_s).reason(), QString::fromLatin1(words));
    }
    EXPECT_EQ(SqliteError(SQLITE_IOERR_WRITE, u"disk I/O error"_s, ENOSPC).reason(),
              u"the disk is full"_s);
}

}  // namespace
}  // namespace veskplan
