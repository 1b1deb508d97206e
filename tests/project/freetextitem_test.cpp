#include <gtest/gtest.h>
#include <QString>

#include "project/freetextitem.h"

namespace veskplan {
namespace {

TEST(FreeTextItem, TheGroupAndTheTypedItemAreToldByHowTheNumberBegins) {
    struct Case {
        const char16_t* number;
        bool inGroup;
        bool typed;
    };
    const Case cases[] = {
        {u"2599-9999", true, true},
        {u"2599-9999   ", true, true},  // as a master list's column width stores it
        {u"2599-99990", true, true},    // the exports have always given it lines of its own
        {u"2599-0000100", true, false},
        {u"2599", true, false},
        {u"2599-999", true, false},
        {u" 2599-9999", false, false},
        {u"259", false, false},
        {u"2101-0100000", false, false},
        {u"", false, false},
    };
    for (const Case& c : cases) {
        const QStringView number(c.number);
        EXPECT_EQ(inFreeTextGroup(number), c.inGroup) << number.toString().toStdString();
        EXPECT_EQ(isTypedFreeTextItem(number), c.typed) << number.toString().toStdString();
    }
}

}  // namespace
}  // namespace veskplan
