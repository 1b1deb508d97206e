#include "ooxml/ziparchive.h"
#include "ooxml/ziperror.h"

#include "packagefiles.h"

namespace veskplan::test {
namespace {

// The reason of the ZipError that reading bytes throws; empty when they are read.
std::string readError(const QByteArray& bytes, const ZipArchive::Limits& limits = {}) {
    try {
        ZipArchive::read(bytes, limits);
    } catch (const ZipError& error) {
        return error.what();
    }
    return {};
}

TEST(XlsxZip, StoredArchiveIsTheHandWorkedOneAndReadsBack) {
    // Fixed headers (1980-01-01 00:00), so equal input always gives equal bytes.
    const Entries entries = {{u"a.txt"_s, "hi"}};
    const QByteArray expected = dataFile(u"ooxml/zip/stored-a.zip"_s);
    EXPECT_TRUE(sameBytes(expected, ZipArchive::write(entries, ZipArchive::Compression::Store)));
    EXPECT_EQ(ZipArchive::read(expected), entries);
}

TEST(XlsxZip, ReadsBackWhatItWrote) {
    QByteArray large;
    for (int i = 0; i < 20000; ++i) {
        large += "<row r=\"" + QByteArray::number(i) + "\"/>";
    }
    const Entries entries = {{u"[Content_Types].xml"_s, "<Types/>"},
                             {u"xl/m\u00e9dia/\u00fcber.xml"_s, "\xc3\xa9"},
                             {u"empty.bin"_s, QByteArray()},
                             {u"xl/big.xml"_s, large}};
    for (const auto compression :
         {ZipArchive::Compression::Store, ZipArchive::Compression::Deflate}) {
        const QByteArray bytes = ZipArchive::write(entries, compression);
        EXPECT_EQ(ZipArchive::read(bytes), entries);
        EXPECT_EQ(bytes.size() < large.size() / 4, compression == ZipArchive::Compression::Deflate);
    }
}

TEST(XlsxZip, LimitsAndDamageAreReported) {
    const QByteArray bytes = ZipArchive::write({{u"a"_s, QByteArray(10, 'a')},
                                                {u"b"_s, QByteArray(6, 'b')},
                                                {u"dir/"_s, {}},
                                                {u"c"_s, "c"}},
                                               ZipArchive::Compression::Deflate);
    EXPECT_EQ(ZipArchive::read(bytes, {10, 17, 4}).size(), 3);  // exactly at every limit
    EXPECT_EQ(readError(bytes, {9, 100, 4}), "entry \"a\" is larger than the allowed size");
    EXPECT_EQ(readError(bytes, {10, 15, 4}), "entry \"b\" is larger than the allowed size");
    EXPECT_EQ(readError(bytes, {10, 100, 3}), "the archive holds more than 3 entries");
}

TEST(XlsxZip, EntryNamesThatCouldEscapeAreUnsafe) {
    for (const QString& name :
         {u"xl/workbook.xml"_s, u"[Content_Types].xml"_s, u"xl/worksheets/"_s, u"a..b/c"_s}) {
        EXPECT_TRUE(ZipArchive::isSafeEntryName(name)) << name.toStdString();
    }
    for (const QString& name :
         {u"../x"_s, u"xl/../../x"_s, u"xl/.."_s, u".."_s, u"./x"_s, u"/x"_s, u"\\x"_s,
          u"xl\\x.xml"_s, u"C:x"_s, u"c:/x"_s, u"xl//x"_s, QString(), u"x"_s + QChar(0) + u"y"_s}) {
        EXPECT_FALSE(ZipArchive::isSafeEntryName(name)) << name.toStdString();
    }
}

}  // namespace
}  // namespace veskplan::test
