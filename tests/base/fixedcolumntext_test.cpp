#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/filewriting.h"
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

TEST(FileWriting, ReplacesTheFileWholeOrLeavesItAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.txt"_s);
    test::writeFile(path, "old");
    writeFileAtomically(path, "new\r\n");
    EXPECT_EQ(test::readFile(path), QByteArray("new\r\n"));

    const QString nowhere = dir.filePath(u"missing/out.txt"_s);
    EXPECT_THAT([&] { writeFileAtomically(nowhere, "x"); },
                testing::ThrowsMessage<Error>(testing::StartsWith(
                    "The file " + nowhere.toStdString() + " could not be written")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{u"out.txt"_s});
}

}  // namespace
}  // namespace veskplan
