#include "core/calculators/prof_port_calc.h"
#include "core_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {
// Bore, height and intervals, then the bridge fields (only read for a bridged pair).
ProfPrt_Inputs In(std::string bore, std::string height, std::string n,
                  std::vector<std::string> ords, bool bridged = false, std::string width = "",
                  std::string top = "", std::string bottom = "") {
    ProfPrt_Inputs in;
    in.BridgedPair = bridged;
    in.ProfTxt = {bore, width, top, bottom, height, n};
    for (size_t i = 0; i < ords.size(); ++i)
        in.OrdTxt[i] = ords[i];
    return in;
}

const std::vector<std::string> Five30{"30", "30", "30", "30", "30"};
const std::vector<std::string> Pair{"12", "17", "20", "21", "22", "21", "20", "17", "12"};
ProfPrt_Inputs Bridged(std::string width, std::string top, std::string bottom,
                       std::vector<std::string> ords = Pair) {
    return In("60", "24", "8", ords, true, width, top, bottom);
}

TEST(ProfPort, WorkedPorts) {
    const auto single = Calc_ProfPrt(In("50", "20", "4", Five30));
    ASSERT_TRUE(single.ok());
    EXPECT_NEAR(single.value.d, 26.8128, 5e-4);

    const auto pair = Calc_ProfPrt(Bridged("6", "5", "7"));
    ASSERT_TRUE(pair.ok());
    EXPECT_NEAR(pair.value.dC, 31.8626, 5e-4);
    EXPECT_NEAR(pair.value.dW, 33.5554, 5e-4);

    // Overlapping corners: the bottom one wins.
    EXPECT_NEAR(Bridge_Widths(4, 1.0f, 2.0f, 3.0f, 2.5f)[2], 2.0 * (2.5 - std::sqrt(6.0)) + 2.0,
                1e-5);
}

// The nearest integer, halves to even, while it fits 16 bits; no number counts as 0.
TEST(ProfPort, IntervalsAsTyped) {
    const std::pair<const char*, std::optional<int16_t>> cases[] = {
        {"7", 7},       {" 4.5 ", 4},     {"3.5", 4},      {"10.5", 10},
        {"-2.5", -2},   {"32767", 32767}, {"32767.5", {}}, {"-32768.5", -32768},
        {"-32769", {}}, {"1e39", {}},     {"abc", 0},      {"", 0},
    };
    for (const auto& [text, n] : cases)
        EXPECT_EQ(Intervals_Value(text), n) << text;
}

// Every check accepts the ends of its range and names what lies beyond them; the number
// of intervals is known from its check on, also after a later failure. The fields of the
// other configuration, and the ordinates beyond the last station, are never read.
TEST(ProfPort, ChecksAndTheirMessages) {
    const auto station = [](int16_t i, std::string title, std::string prompt) {
        return Failed(i, std::move(title), std::move(prompt), FieldKind::Ordinate);
    };
    const auto low = Failed(4, "Port Height Out of Range", "Enter a larger value");
    const auto high = Failed(4, "Port Height Out of Range", "Enter a smaller value");
    const auto width = Failed(1, "Bridge Width Out of Range", "Enter a value between 1 and 9.40");
    const auto intervals =
        Failed(5, "Number of Intervals Out of Range", "Enter a value between 4 and 10");
    const auto topNegative = Failed(2, "Negative Value for Top Radius", "Enter a positive value");
    const auto topLarge = Failed(2, "Top Radius too large", "Enter a value less than 12.00");
    const auto bottomNegative =
        Failed(3, "Negative Value for Bottom Radius", "Enter a positive value");
    const auto bottomLarge = Failed(3, "Bottom Radius too large", "Enter a value less than 12.00");
    const auto noArea = [&](int16_t at) {
        return station(at, "The Port Area is Negative",
                       "These ordinates leave the port no open area\r\nEnter a larger value for "
                       "Ordinate #" +
                           std::to_string(at));
    };
    const struct {
        ProfPrt_Inputs in;
        std::optional<Field_Failure> failure;
        std::optional<int16_t> n;
    } cases[] = {
        {In("50", "15", "4", Five30), {}, 4},   // height 0.3 of the bore
        {In("50", "32.5", "4", Five30), {}, 4}, // 0.65
        {In("50", "14.9", "4", Five30), low, {}},
        {In("50", "32.6", "4", Five30), high, {}},
        {In("50", "20", "4", {"30", "30", "30", "30", "30", "x", "x", "x", "x", "x", "x"}, false,
            "x", "-1", "1e39"),
         {},
         4},
        {In("50", "20", "10.6", Five30), intervals, 11},
        {In("50", "20", "3.4", Five30), intervals, 3},
        {In("50", "20", "4", {"30", "", "30", "", "30"}),
         Field_Failure{"Ordinate Not Set", "Enter a value for Ordinate #1", 1, true,
                       FieldKind::Ordinate},
         4},
        {In("50", "20", "4", {"30", "99", "30", "30", "x"}),
         station(4, "Ordinate Incorrectly Set", "Enter a value for Ordinate #4"), 4},
        {In("50", "20", "4", {"37.5", "30", "30", "30", "37.5"}), {}, 4}, // 75% of the bore
        {In("50", "20", "4", {"30", "37.51", "30", "30", "38"}),
         station(1, "Ordinate #1 too large", "Length Exceeds 75% of the bore"), 4},
        {Bridged("1", "0", "0"), {}, 8},
        {Bridged("12", "12", "12"), {}, 8},
        {In("47", "20", "4", {"10", "10", "10", "10", "10"}, true, "9.4", "9.4", "9.4"), {}, 4},
        {In("47", "20", "4", Five30, true, "9.41", "1", "1"), width, {}},
        {In("47", "20", "4", Five30, true, "0.5", "1", "1"), width, {}},
        {Bridged("6", "-0.1", "7"), topNegative, {}},
        {Bridged("6", "12.01", "7"), topLarge, {}},
        {Bridged("6", "5", "-0.1"), bottomNegative, {}},
        {Bridged("6", "5", "1e39"), bottomLarge, {}},
        {Bridged("6", "5", "7", {"36", "17", "20", "21", "22", "21", "20", "17", "36"}), {}, 8},
        {Bridged("6", "5", "7", {"12", "17", "20", "21", "22", "21", "20", "17", "36.01"}),
         station(8, "Ordinate #8 too large", "Length Exceeds 60% of the bore"), 8},
        {In("50", "20", "4", Five30, true, "10", "10", "0"),
         station(0, "Ordinate #0 too large", "Total Width with Bridge exceeds the bore"), 4},
        {In("50", "20", "4", {"5", "-0.5", "-20", "-20", "-20"}), noArea(1), 4},
        {Bridged("6", "5", "7", {"1", "1", "1", "1", "-1e39", "1", "1", "1", "1"}), noArea(4), 8},
        // With the bridge's projection the constant-duct area goes below zero when the
        // ordinates are all zero; the narrowest, ordinate 0, is named.
        {Bridged("6", "5", "7", std::vector<std::string>(9, "0")), noArea(0), 8},
    };
    for (const auto& c : cases) {
        const auto out = Calc_ProfPrt(c.in);
        SCOPED_TRACE(c.in.ProfTxt[0] + " " + c.in.ProfTxt[4] + " " + c.in.ProfTxt[5]);
        EXPECT_EQ(out.failure, c.failure);
        EXPECT_EQ(out.value.NumIntervals, c.n);
    }
}
} // namespace
