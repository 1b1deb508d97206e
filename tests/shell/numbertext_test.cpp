#include <gtest/gtest.h>

#include "shell/numbertext.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

TEST(NumberText, LeadingValueReadsTheStartOfTheText) {
    struct Case {
        const char16_t* text;
        double value;
    };
    const Case cases[] = {
        {u"01", 1}, {u"99", 99},  {u" 3", 3},    {u"7)", 7},         {u"-5", -5},
        {u"A3", 0}, {u"", 0},     {u"12ab", 12}, {u"1.5x", 1.5},     {u"3e2", 300},
        {u"3e", 3}, {u".5", 0.5}, {u"-", 0},     {u"  -.25", -0.25}, {u"0a", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbertext::leadingValue(QStringView(c.text)), c.value)
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(NumberText, ShortestFormHasNoSpareDigits) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {12, "12"},
        {7.5, "7.5"},
        {0.5, ".5"},
        {-0.5, "-.5"},
        {-3, "-3"},
        {4.5, "4.5"},
        {0.1 + 0.2, ".3"},
        {1234567.891, "1234567.891"},
        {1e-5, ".00001"},
        {1.5e20, "150000000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {2.0 / 3.0, ".666666666666667"},
        {100, "100"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbertext::shortest(c.value), QString::fromLatin1(c.text)) << c.value;
    }
    EXPECT_EQ(numbertext::shortest(4.5, u','), QStringLiteral("4,5"));
}

TEST(NumberText, ZeroPaddedPatternRoundsToThreeDecimals) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {12.5, "000000012.500"},
        {0, "000000000.000"},
        {120, "000000120.000"},
        {3, "000000003.000"},
        {2.0005, "000000002.001"},
        {2.0004, "000000002.000"},
        {-4.25, "-000000004.250"},
        {1234567890.5, "1234567890.500"},
        {999999999.9996, "1000000000.000"},
        {-0.0001, "000000000.000"},
        {2.675, "000000002.675"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbertext::zeroPadded(c.value), QString::fromLatin1(c.text)) << c.value;
    }
}

TEST(NumberText, OneDecimalPatternRounds) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{0, "0.0"},    {1234.56, "1234.6"}, {12.5, "12.5"},
                          {0.05, "0.1"}, {2.25, "2.3"},       {-1.25, "-1.3"},
                          {10, "10.0"},  {-0.04, "0.0"},      {99999.95, "100000.0"}};
    for (const Case& c : cases) {
        EXPECT_EQ(numbertext::oneDecimal(c.value), QString::fromLatin1(c.text)) << c.value;
    }
}

TEST(NumberText, ParsesTypedQuantities) {
    using numbertext::parseQuantity;
    EXPECT_EQ(parseQuantity(u"120", u'.').value, 120.0);
    EXPECT_EQ(parseQuantity(u" 12.5 ", u'.').value, 12.5);
    EXPECT_EQ(parseQuantity(u"12,5", u',').value, 12.5);
    EXPECT_EQ(parseQuantity(u"-3", u'.').value, -3.0);
    EXPECT_TRUE(parseQuantity(u"", u'.').valid);
    EXPECT_FALSE(parseQuantity(u"", u'.').value.has_value());
    EXPECT_FALSE(parseQuantity(u"12a", u'.').valid);
    EXPECT_FALSE(parseQuantity(u"abc", u'.').valid);
    EXPECT_FALSE(parseQuantity(u"1.2.3", u'.').valid);
    EXPECT_FALSE(parseQuantity(u"inf", u'.').valid);
    EXPECT_FALSE(parseQuantity(u"12,5", u'.').valid);
}

}  // namespace
}  // namespace veskplan
