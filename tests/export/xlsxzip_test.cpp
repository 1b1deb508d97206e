#include "export/ziparchive.h"
#include "export/ziperror.h"

#include <gtest/gtest.h>

#include <string>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QByteArray le16(quint16 value) {
    return QByteArray(1, char(value & 0xff)) + char(value >> 8);
}

QByteArray le32(quint32 value) {
    return le16(quint16(value & 0xffff)) + le16(quint16(value >> 16));
}

TEST(XlsxZip, StoredArchiveHasFixedHeaders) {
    // One entry "a.txt" holding "hi"; CRC-32 of "hi" is 0xd8932aac. The time is the fixed
    // 1980-01-01 00:00 (DOS date 0x0021, time 0), so equal input gives equal bytes.
    const QByteArray crc = le32(0xd8932aac);
    const QByteArray local = "PK\x03\x04" + le16(10) /* needs 1.0 */ + le16(0) /* flags */ +
                             le16(0) /* stored */ + le16(0) + le16(0x0021) + crc + le32(2) +
                             le32(2) + le16(5) + le16(0) + "a.txt" + "hi";
    const QByteArray central =
        "PK\x01\x02" + le16(0x033f) /* made on Unix by 6.3 */ + le16(10) + le16(0) + le16(0) +
        le16(0) + le16(0x0021) + crc + le32(2) + le32(2) + le16(5) + le16(0) + le16(0) + le16(0) +
        le16(0) + le32(0100666u << 16) /* rw-rw-rw- */ + le32(0) /* offset of local */ + "a.txt";
    const QByteArray end = "PK\x05\x06" + le16(0) + le16(0) + le16(1) + le16(1) +
                           le32(quint32(central.size())) + le32(quint32(local.size())) + le16(0);
    const QByteArray expected = local + central + end;
    ASSERT_EQ(expected.size(), 37 + 51 + 22);

    const QByteArray actual =
        ZipArchive::write({{u"a.txt"_s, "hi"}}, ZipArchive::Compression::Store);
    EXPECT_EQ(actual.toHex(' ').toStdString(), expected.toHex(' ').toStdString());
}

TEST(XlsxZip, ReadsBackWhatItWrote) {
    QByteArray large;
    for (int i = 0; i < 20000; ++i) {
        large += "<row r=\"" + QByteArray::number(i) + "\"/>";
    }
    const QList<ZipArchive::Entry> entries = {
        {u"[Content_Types].xml"_s, "<Types/>"},
        {u"xl/m\u00e9dia/\u00fcber.xml"_s, "\xc3\xa9"},
        {u"empty.bin"_s, QByteArray()},
        {u"xl/big.xml"_s, large},
    };
    for (const auto compression :
         {ZipArchive::Compression::Store, ZipArchive::Compression::Deflate}) {
        const QByteArray bytes = ZipArchive::write(entries, compression);
        const QList<ZipArchive::Entry> back = ZipArchive::read(bytes);
        ASSERT_EQ(back.size(), entries.size());
        for (qsizetype i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(back[i].name.toStdString(), entries[i].name.toStdString());
            EXPECT_TRUE(back[i].data == entries[i].data) << entries[i].name.toStdString();
        }
        if (compression == ZipArchive::Compression::Deflate) {
            EXPECT_LT(bytes.size(), large.size() / 4);
        }
    }
}

TEST(XlsxZip, LimitsAreEnforced) {
    const QByteArray bytes = ZipArchive::write(
        {{u"a"_s, QByteArray(10, 'a')}, {u"b"_s, QByteArray(6, 'b')}, {u"c"_s, "c"}},
        ZipArchive::Compression::Deflate);
    struct Case {
        ZipArchive::Limits limits;
        const char* reason;  // null: accepted
    };
    const Case cases[] = {
        {{10, 17, 3}, nullptr},
        {{9, 100, 3}, "entry \"a\" is larger than the allowed size"},
        {{10, 15, 3}, "entry \"b\" is larger than the allowed size"},
        {{10, 100, 2}, "the archive holds more than 2 entries"},
    };
    for (const Case& c : cases) {
        try {
            const QList<ZipArchive::Entry> entries = ZipArchive::read(bytes, c.limits);
            EXPECT_EQ(c.reason, nullptr) << "accepted";
            EXPECT_EQ(entries.size(), 3);
        } catch (const ZipError& error) {
            ASSERT_NE(c.reason, nullptr) << error.what();
            EXPECT_EQ(std::string(error.what()), c.reason);
        }
    }
}

TEST(XlsxZip, DamagedDataIsReported) {
    QByteArray bytes = ZipArchive::write({{u"a.txt"_s, "hello"}}, ZipArchive::Compression::Store);
    bytes[30 + 5] = 'j';  // first byte of the stored data: the CRC no longer matches
    try {
        ZipArchive::read(bytes);
        ADD_FAILURE() << "read damaged data";
    } catch (const ZipError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("cannot read entry \"a.txt\" (", 0), 0u)
            << error.what();
    }
}

TEST(XlsxZip, EntryNamesThatCouldEscapeAreUnsafe) {
    const std::pair<QString, bool> cases[] = {
        {u"xl/workbook.xml"_s, true},
        {u"[Content_Types].xml"_s, true},
        {u"xl/worksheets/"_s, true},  // a folder entry
        {u"a..b/c"_s, true},
        {u"../x"_s, false},
        {u"xl/../../x"_s, false},
        {u"xl/.."_s, false},
        {u"./x"_s, false},
        {u"/x"_s, false},
        {u"\\x"_s, false},
        {u"xl\\x.xml"_s, false},
        {u"C:x"_s, false},
        {u"c:/x"_s, false},
        {u"xl//x"_s, false},
        {QString(), false},
        {u"x"_s + QChar(0) + u"y"_s, false},
    };
    for (const auto& [name, safe] : cases) {
        EXPECT_EQ(ZipArchive::isSafeEntryName(name), safe) << name.toStdString();
    }
}

}  // namespace
}  // namespace veskplan
