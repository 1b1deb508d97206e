#include <gtest/gtest.h>

#include "base/textcodec.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(TextCodec, EveryByteDecodesAndEncodesBackAndOtherCharactersBecomeQuestionMarks) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = textcodec::decode(all);
    ASSERT_EQ(text.size(), 256);
    // The five bytes the code page leaves undefined keep their value as C1 controls.
    const std::pair<int, char16_t> known[] = {
        {0x41, u'A'}, {0x7F, 0x7F}, {0x80, u'€'}, {0x81, 0x81}, {0x8A, u'Š'},
        {0x8D, 0x8D}, {0x8F, 0x8F}, {0x90, 0x90}, {0x96, u'–'}, {0x9D, 0x9D},
        {0x9F, u'Ÿ'}, {0xA0, 0xA0}, {0xBD, u'½'}, {0xE9, u'é'}, {0xFF, u'ÿ'},
    };
    for (const auto& [byte, character] : known) {
        EXPECT_EQ(text[byte], QChar(character)) << byte;
    }
    EXPECT_EQ(textcodec::encode(text), all);
    // Decoding does not depend on where a byte falls among its neighbours.
    EXPECT_EQ(textcodec::decode(all.mid(3)), text.mid(3));
    // Characters outside the code page become question marks.
    EXPECT_EQ(textcodec::encode(u"A\u0416B\u20AC\u0085\U0001F600"_s), QByteArray("A?B\x80???"));
}

TEST(TextCodec, SplitsLinesAtEveryKindOfLineEnd) {
    const std::pair<QByteArray, QStringList> cases[] = {
        {"a\r\nb\r\n", {u"a"_s, u"b"_s}},
        {"a\rb\r", {u"a"_s, u"b"_s}},
        {"a\nb", {u"a"_s, u"b"_s}},
        {"a\r\n\r\nb", {u"a"_s, QString(), u"b"_s}},
        {"a\n\rb", {u"a"_s, QString(), u"b"_s}},
        {"\r\n", {QString()}},
        {"", {}},
        {QByteArray("x\0\xE9\r\n", 5), {u"x\u0000\u00E9"_s}},
    };
    for (const auto& [bytes, lines] : cases) {
        EXPECT_EQ(textcodec::decodeLines(bytes), lines) << bytes.toStdString();
    }
}

}  // namespace
}  // namespace veskplan
