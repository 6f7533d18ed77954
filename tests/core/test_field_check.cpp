#include "common/display_format.h"
#include "common/field_check.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

struct NumericCase {
    const char* text;
    bool numeric;
};

TEST(FieldCheck, PlainDecimalNumbersOnly) {
    const NumericCase cases[] = {
        {"40", true},    {"-40", true},   {"+40", true},    {"40.", true},    {".5", true},
        {"0.5", true},   {"1e3", true},   {"1E-3", true},   {"2.5e+2", true}, {"007", true},
        {"", false},     {".", false},    {"-", false},     {"1,000", false}, {"$40", false},
        {"0x10", false}, {"&H10", false}, {"inf", false},   {"nan", false},   {"Infinity", false},
        {"1e", false},   {"1e+", false},  {"e3", false},    {"40abc", false}, {"abc", false},
        {"4 0", false},  {"--4", false},  {"1.2.3", false}, {"40,5", false},  {"1d3", false},
        {"\t40", false}, {"40%", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Is_Plain_Number(c.text), c.numeric) << '"' << c.text << '"';
}

TEST(FieldCheck, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim_Blanks("  4.5  "), "4.5");
    EXPECT_EQ(Trim_Blanks("   "), "");
    EXPECT_EQ(Trim_Blanks(" a b "), "a b");
}

TEST(FieldCheck, ValueIsTheTextRoundedToSingle) {
    struct {
        const char* text;
        float value;
    } cases[] = {
        {"40", 40.0f},
        {" 0.8 ", 0.8f},
        {"-12.5", -12.5f},
        {"1e3", 1000.0f},
        {"0.1", 0.1f},
        {"16777217", 16777216.0f},
        {"3.4028235e38", 3.4028235e38f},
        {"1e-50", 0.0f},
        {"0.000", 0.0f},
        {"81.37", 81.37f},
        {"+7", 7.0f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Number_Value(c.text), c.value) << c.text;
}

TEST(FieldCheck, TooLargeForSingleBecomesInfinite) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Number_Value("1e39"), inf);
    EXPECT_EQ(Number_Value("1e400"), inf);
    EXPECT_EQ(Number_Value("-1e39"), -inf);
    EXPECT_EQ(Number_Value("123456789012345678901234567890123456789012"), inf);
    EXPECT_EQ(Number_Value("0.00001e44"), inf);
    EXPECT_EQ(Number_Value("0.0000000000000000000000000000000000000000000000000001e100"), inf);
    EXPECT_EQ(Number_Value("100000e-60"), 0.0f);
    EXPECT_EQ(Number_Value("1000e-1000"), 0.0f);
}

TEST(FieldCheck, IndependentOfTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    EXPECT_EQ(Number_Value("12.5"), 12.5f);
    EXPECT_FALSE(Is_Plain_Number("12,5"));
    EXPECT_EQ(Format_Number(12.25, "#0.0#"), "12.25");
    EXPECT_EQ(Format_Number(1234.56, "###0.0"), "1234.6");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(FieldCheck, IntervalsRoundHalfToEvenWithin16Bits) {
    struct {
        float value;
        std::optional<int16_t> expected;
    } cases[] = {
        {3.5f, 4},
        {4.5f, 4},
        {10.5f, 10},
        {10.6f, 11},
        {-2.5f, -2},
        {32767.0f, 32767},
        {32767.5f, std::nullopt},
        {-32768.0f, -32768},
        {-32768.5f, -32768},
        {-32769.0f, std::nullopt},
        {40000.0f, std::nullopt},
        {std::numeric_limits<float>::infinity(), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Round_To_Int16(c.value), c.expected) << c.value;
}

struct FormatCase {
    double value;
    const char* picture;
    const char* text;
};

TEST(DisplayFormat, Pictures) {
    const FormatCase cases[] = {
        {813.74, "###0.0", "813.7"},
        {1234.56, "###0.0", "1234.6"},
        {44.0f, "##0.0", "44.0"},
        {0.04, "##0.0", "0.0"},
        {-0.000002, "##0.0", "0.0"},
        {-1.25, "#0.0", "-1.3"},
        {12.0176, "#0.00", "12.02"},
        {26.2227, "##0.00", "26.22"},
        {12.5, "#0.0#", "12.5"},
        {12.25, "#0.0#", "12.25"},
        {12.0, "#0.0#", "12.0"},
        {12.125, "#0.0#", "12.13"},
        {0.125, "#0.00", "0.13"},
        {2.5, "#0", "3"},
        {-2.5, "#0", "-3"},
        {3.5, "#0", "4"},
        {0.4, "#0", "0"},
        {99.96, "##0.0", "100.0"},
        {9.995, "#0.00", "9.99"},
        {9.4, "#0.00", "9.40"},
        {1234567.0, "#0", "1234567"},
        {81.37f - 0.05, "##0.0", "81.3"},
        {0.05, "#0.0", "0.1"},
        {5.0, "#0", "5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format_Number(c.value, c.picture), c.text) << c.value << ' ' << c.picture;
}

} // namespace
