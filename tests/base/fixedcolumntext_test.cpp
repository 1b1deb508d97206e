#include <gtest/gtest.h>

#include "base/fixedcolumntext.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(FixedColumnText, PadsToTheColumnOrStartsANewLine) {
    FixedColumnText text;
    text.place(1, u"ABC");
    text.place(5, u"D");  // blank in column 4
    text.place(6, u"E");  // right after D
    text.place(6, u"F");  // column 6 is taken: a new line
    text.append(u"½°");   // straight after F
    text.endLine();
    text.endLine();  // an empty line
    text.place(3, u"G");
    text.place(0, u"H");  // columns before the first count as the first
    text.endLine();
    EXPECT_EQ(text.lines(), (QStringList{u"ABC DE"_s, u"     F½°"_s, {}, u"  G"_s, u"H"_s}));
    EXPECT_TRUE(
        test::sameBytes("ABC DE\r\n     F\xBD\xB0\r\n\r\n  G\r\nH\r\n", text.windows1252()));
}

}  // namespace
}  // namespace veskplan
