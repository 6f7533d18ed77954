#include "core/fields/display_format.h"
#include "core/fields/field_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr float Inf = std::numeric_limits<float>::infinity();

TEST(FieldCheck, PlainDecimalNumbersOnly) {
    const std::pair<const char*, bool> cases[] = {
        {"40", true},    {"-40", true},   {"+40", true},    {"40.", true},    {".5", true},
        {"0.5", true},   {"1e3", true},   {"1E-3", true},   {"2.5e+2", true}, {"007", true},
        {"", false},     {".", false},    {"-", false},     {"1,000", false}, {"$40", false},
        {"0x10", false}, {"&H10", false}, {"inf", false},   {"nan", false},   {"Infinity", false},
        {"1e", false},   {"1e+", false},  {"e3", false},    {"40abc", false}, {"abc", false},
        {"4 0", false},  {"--4", false},  {"1.2.3", false}, {"40,5", false},  {"1d3", false},
        {"\t40", false}, {"40%", false},
    };
    for (const auto& [text, numeric] : cases)
        EXPECT_EQ(Is_Plain_Number(text), numeric) << '"' << text << '"';
}

// The text's value rounded to single; a magnitude too large for a single is infinite, one
// too small zero.
TEST(FieldCheck, ValueIsTheTextRoundedToSingle) {
    // clang-format off
    const std::pair<const char*, float> cases[] = {
        {"40", 40.0f},   {" 0.8 ", 0.8f}, {"-12.5", -12.5f},      {"1e3", 1000.0f},
        {"0.1", 0.1f},   {"+7", 7.0f},    {"16777217", 16777216.0f}, {"81.37", 81.37f},
        {"1e-50", 0.0f}, {"0.000", 0.0f}, {"100000e-60", 0.0f},    {"1000e-1000", 0.0f},
        {"1e39", Inf},   {"1e400", Inf},  {"-1e39", -Inf},         {"0.00001e44", Inf},
        {"3.4028235e38", 3.4028235e38f},
        {"123456789012345678901234567890123456789012", Inf},
        {"0.0000000000000000000000000000000000000000000000000001e100", Inf},
    };
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Number_Value(text), value) << text;
}

TEST(DisplayFormat, Pictures) {
    const struct {
        double value;
        const char *picture, *text;
    } cases[] = {
        // clang-format off
        {813.74, "###0.0", "813.7"}, {1234.56, "###0.0", "1234.6"}, {44.0f, "##0.0", "44.0"},
        {0.04, "##0.0", "0.0"},      {-0.000002, "##0.0", "0.0"},   {-1.25, "#0.0", "-1.3"},
        {12.0176, "#0.00", "12.02"}, {26.2227, "##0.00", "26.22"},  {12.5, "#0.0#", "12.5"},
        {12.25, "#0.0#", "12.25"},   {12.0, "#0.0#", "12.0"},       {12.125, "#0.0#", "12.13"},
        {0.125, "#0.00", "0.13"},    {2.5, "#0", "3"},              {-2.5, "#0", "-3"},
        {3.5, "#0", "4"},            {0.4, "#0", "0"},              {99.96, "##0.0", "100.0"},
        {9.995, "#0.00", "9.99"},    {9.4, "#0.00", "9.40"},        {1234567.0, "#0", "1234567"},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format_Number(c.value, c.picture), c.text) << c.value << ' ' << c.picture;
}

} // namespace
