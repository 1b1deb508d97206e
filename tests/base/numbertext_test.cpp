#include <gtest/gtest.h>
#include <limits>

#include "base/numbertext.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace numbertext;

TEST(NumberText, LeadingValueAndWholeNumber) {
    const std::pair<const char16_t*, double> values[] = {
        {u"01", 1}, {u" 3", 3},      {u"7)", 7},         {u"-5", -5},    {u"A3", 0},
        {u"", 0},   {u"1.5.2", 1.5}, {u"3e2x", 300},     {u"3e", 3},     {u".5", 0.5},
        {u"-", 0},  {u"+4", 4},      {u"  -.25", -0.25}, {u"1e-1", 0.1},
    };
    for (const auto& [text, value] : values) {
        EXPECT_EQ(leadingValue(text), value) << QString::fromUtf16(text).toStdString();
    }
    const std::pair<const char16_t*, std::optional<int>> wholes[] = {
        {u"12", 12},
        {u"-7.9", -7},
        {u"abc", 0},
        {u"2147483647", std::numeric_limits<int>::max()},
        {u"2147483648", std::nullopt},
        {u"1e10", std::nullopt},
        {u"1e999", std::nullopt},
    };
    for (const auto& [text, value] : wholes) {
        EXPECT_EQ(wholeNumber(text), value) << QString::fromUtf16(text).toStdString();
    }
}

TEST(NumberText, ShortestZeroPaddedAndOneDecimalForms) {
    struct Case {
        double value;
        const char* shortest;
        const char* zeroPadded;
        const char* oneDecimal;
    };
    const Case cases[] = {
        {0, "0", "000000000.000", "0.0"},
        {12, "12", "000000012.000", "12.0"},
        {-3, "-3", "-000000003.000", "-3.0"},
        {0.5, ".5", "000000000.500", "0.5"},
        {-0.5, "-.5", "-000000000.500", "-0.5"},
        {0.1 + 0.2, ".3", "000000000.300", "0.3"},
        {1e-5, ".00001", "000000000.000", "0.0"},
        {2.0005, "2.0005", "000000002.001", "2.0"},
        {2.0004, "2.0004", "000000002.000", "2.0"},
        {2.675, "2.675", "000000002.675", "2.7"},
        {2.25, "2.25", "000000002.250", "2.3"},
        {-1.25, "-1.25", "-000000001.250", "-1.3"},
        {-0.04, "-.04", "-000000000.040", "0.0"},
        {-0.0001, "-.0001", "000000000.000", "0.0"},
        {0.05, ".05", "000000000.050", "0.1"},
        {1234.56, "1234.56", "000001234.560", "1234.6"},
        {99999.95, "99999.95", "000099999.950", "100000.0"},
        {999999999.9996, "999999999.9996", "1000000000.000", "1000000000.0"},
        {1234567890.5, "1234567890.5", "1234567890.500", "1234567890.5"},
        {2.0 / 3.0, ".666666666666667", "000000000.667", "0.7"},
        {1.5e20, "150000000000000000000", "150000000000000000000.000", "150000000000000000000.0"},
        {123456789012345678.0, "123456789012346000", "123456789012346000.000",
         "123456789012346000.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shortest(c.value), QLatin1StringView(c.shortest)) << c.value;
        EXPECT_EQ(zeroPadded(c.value), QLatin1StringView(c.zeroPadded)) << c.value;
        EXPECT_EQ(oneDecimal(c.value), QLatin1StringView(c.oneDecimal)) << c.value;
    }
    EXPECT_EQ(shortest(-4.5, u','), u"-4,5");
}

TEST(NumberText, ParsesTypedQuantities) {
    struct Case {
        const char16_t* text;
        QChar point;
        bool valid;
        std::optional<double> value;
    };
    const Case cases[] = {
        {u"120", u'.', true, 120},   {u" 12.5 ", u'.', true, 12.5}, {u"12,5", u',', true, 12.5},
        {u"12.5", u',', true, 12.5}, {u"-3", u'.', true, -3},       {u"1e3", u'.', true, 1000},
        {u"", u'.', true, {}},       {u"  ", u',', true, {}},       {u"12a", u'.', false, {}},
        {u"1.2.3", u'.', false, {}}, {u"inf", u'.', false, {}},     {u"12,5", u'.', false, {}},
    };
    for (const Case& c : cases) {
        const ParsedQuantity parsed = parseQuantity(c.text, c.point);
        EXPECT_EQ(parsed.valid, c.valid) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(parsed.value, c.value) << QString::fromUtf16(c.text).toStdString();
    }
}

}  // namespace
}  // namespace veskplan
