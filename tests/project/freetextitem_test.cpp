#include <gtest/gtest.h>

#include "project/freetextitem.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

TEST(FreeTextItem, TheGroupAndTheTypedItemAreToldByHowTheNumberBegins) {
    const QString yes = QStringLiteral("yes");
    for (const QStringList& c : test::tableRows(QStringLiteral("project/freetext.txt"), 3)) {
        EXPECT_EQ(inFreeTextGroup(c[0]), c[1] == yes) << c[0].toStdString();
        EXPECT_EQ(isTypedFreeTextItem(c[0]), c[2] == yes) << c[0].toStdString();
    }
}

}  // namespace
}  // namespace veskplan
