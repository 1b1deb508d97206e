#include <gtest/gtest.h>

#include "export/records.h"
#include "export/trnsportexport.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(TrnsportFile, MatchesTheHandWorkedFilesAndNamesOfTheTable) {
    // Records stay in the order given; a 20-character item number reaches the Cat column.
    EXPECT_TRUE(test::sameBytes(
        test::dataFile(u"export/trnsport-basic.txt"_s),
        TrnsportExport::render(u"STP-12-B(7)03"_s, u"Cedar Falls"_s, u"José Müller"_s,
                               test::records(u"export/trnsport-basic.records"_s))));
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"export/trnsport-empty.txt"_s),
                                TrnsportExport::render({}, {}, {}, {})));
    for (const QStringList& c : test::tableRows(u"export/trnsport-names.txt"_s, 2)) {
        EXPECT_EQ(TrnsportExport::defaultFileName(c[0]), c[1]) << c[0].toStdString();
    }
}

}  // namespace
}  // namespace veskplan
