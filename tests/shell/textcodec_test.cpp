#include <gtest/gtest.h>

#include "shell/textcodec.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

TEST(TextCodec, DecodesTheWindows1252HighRange) {
    // 0x80 euro, 0x96 en dash, 0xBD one half, 0xB0 degree, 0xE9 e acute, 0x81 undefined.
    const QByteArray bytes("\x80\x96\xBD\xB0\xE9\x81", 6);
    EXPECT_EQ(textcodec::decode(bytes),
              QString::fromUtf16(u"\u20AC\u2013\u00BD\u00B0\u00E9\u0081"));
}

TEST(TextCodec, EncodeReversesDecodeForEveryByte) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_EQ(textcodec::encode(textcodec::decode(all)), all);
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(textcodec::encode(QString::fromUtf16(u"A\u0416B\u20AC")), QByteArray("A?B\x80"));
}

TEST(TextCodec, SplitsLinesAtEveryKindOfLineEnd) {
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a\rb\r", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a\nb", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a\r\n\r\nb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"\r\n", {QString()}},
        {"", {}},
        {"a\n\rb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {QByteArray("x\0y\r\n", 5), {QString::fromUtf16(u"x\u0000y", 3)}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textcodec::decodeLines(c.bytes), c.lines) << c.bytes.toStdString();
    }
}

}  // namespace
}  // namespace veskplan
