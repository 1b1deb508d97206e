#include <gtest/gtest.h>

#include "base/filedate.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(FileDate, OneFormIsWrittenAndEveryFormAFileMayHoldIsRead) {
    EXPECT_EQ(filedate::toText(QDate(2026, 3, 4)), u"3/4/2026"_s);
    EXPECT_EQ(filedate::toText(QDate()), QString());
    for (const QStringList& c : test::tableRows(u"base/dates.txt"_s, 3)) {
        EXPECT_EQ(filedate::fromText(c[0], QLocale(c[1])).toString(Qt::ISODate),
                  c[2] == u"-"_s ? QString() : c[2])
            << c[0].toStdString();
    }
}

}  // namespace
}  // namespace veskplan
