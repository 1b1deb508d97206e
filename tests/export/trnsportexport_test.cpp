#include <gtest/gtest.h>

#include "export/records.h"
#include "export/trnsportexport.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(TrnsportFile, MatchesTheHandWorkedFiles) {
    // Records stay in the order given; a 20-character item number reaches the Cat column.
    EXPECT_TRUE(test::sameBytes(
        test::dataFile(u"export/trnsport-basic.txt"_s),
        TrnsportExport::render(u"STP-12-B(7)03"_s, u"Cedar Falls"_s, u"José Müller"_s,
                               test::records(u"export/trnsport-basic.records"_s))));
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"export/trnsport-empty.txt"_s),
                                TrnsportExport::render({}, {}, {}, {})));
}

TEST(TrnsportFile, DefaultFileNameFromTheProjectNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"STP-12-B(7)03", "C03.R012B007"},
        {"STP-0012-B(7)03", "C03.R012B007"},
        {"STP-1234-B(7)03", "C03.R1234B007"},
        {"IM-94-4(123)45", "C45.R0944123"},
        {"NH-AB-C(XY)A3", "C00.RABCXY"},  // parts that are no numbers stay as they are
        {"STP-12-B(7)-5", "C05.R012B007"},
        {"STP-12-B(7) 7", "C07.R012B007"},
        {"X-1-2(3)9", "C00.R0012003"},  // ")9" starts with no number
        {"STP-12B(7)03", ""},
        {"STP-12-B703", ""},
        {"(STP-12-B)03", ""},
        {"STP-12-B)7(03", ""},
        {"", ""},
    };
    for (const auto& [number, name] : cases) {
        EXPECT_EQ(TrnsportExport::defaultFileName(QString::fromLatin1(number)),
                  QString::fromLatin1(name))
            << number;
    }
}

}  // namespace
}  // namespace veskplan
