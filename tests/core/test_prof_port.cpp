#include "tools/prof_port_calc.h"

#include <gtest/gtest.h>

#include <cmath>
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
ProfPrt_Inputs Bridged(std::string width, std::string top, std::string bottom) {
    return In("60", "24", "8", Pair, true, width, top, bottom);
}
} // namespace

TEST(ProfPort, WorkedSinglePort) {
    const auto out = Calc_ProfPrt(In("50", "20", "4", Five30));
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(out.value.NumIntervals, 4);
    EXPECT_NEAR(out.value.d, 26.8128, 5e-4);
    EXPECT_EQ(ProfPrt_Single_Text(out.value.d), "The Equivalent Diameter of the Port is 26.81 mm");
}

TEST(ProfPort, WorkedBridgedPair) {
    const auto out = Calc_ProfPrt(Bridged("6", "5", "7"));
    ASSERT_TRUE(out.ok());
    EXPECT_NEAR(out.value.dC, 31.8626, 5e-4);
    EXPECT_NEAR(out.value.dW, 33.5554, 5e-4);
    EXPECT_EQ(ProfPrt_Constant_Text(out.value.dC),
              "For a Constant Duct Section adjacent to the Port: 31.86 mm");
    EXPECT_EQ(ProfPrt_Widened_Text(out.value.dW),
              "For a Widened Duct Section adjacent to the Port: 33.56 mm");

    const float expected[] = {16, 6.8348f, 6, 6, 6, 6, 6.1436f, 8.5109f, 20, 0, 0};
    const auto b = Bridge_Widths(8, 3.0f, 6.0f, 5.0f, 7.0f);
    for (size_t i = 0; i < b.size(); ++i)
        EXPECT_NEAR(b[i], expected[i], 5e-5) << "station " << i;
    // Overlapping corners: the bottom one wins.
    EXPECT_NEAR(Bridge_Widths(4, 1.0f, 2.0f, 3.0f, 2.5f)[2], 2.0 * (2.5 - std::sqrt(6.0)) + 2.0,
                1e-5);
}

TEST(ProfPort, AcceptedEdges) {
    const ProfPrt_Inputs cases[] = {
        In("5", "2", "4", {"1", "1", "1", "1", "1"}),
        In("80", "30", "4", Five30),
        In("50", "15", "4", Five30),                             // height ratio 0.3
        In("50", "32.5", "4", Five30),                           // height ratio 0.65
        In("50", "20", "3.5", Five30),                           // counts as 4
        In("50", "20", "4", {"37.5", "30", "30", "30", "37.5"}), // ordinate equal to L
        In("50", "20", "10.5", {"3", "3", "3", "3", "3", "3", "3", "3", "3", "3", "3"}),
        Bridged("1", "0", "0"),
        Bridged("12", "12", "12"),
        In("60", "24", "8", {"36", "17", "20", "21", "22", "21", "20", "17", "36"}, true, "6", "5",
           "7"),
        In("47", "20", "4", {"10", "10", "10", "10", "10"}, true, "9.4", "9.4", "9.4"),
    };
    for (const auto& in : cases) {
        const auto out = Calc_ProfPrt(in);
        EXPECT_TRUE(out.ok()) << in.ProfTxt[0] << " " << in.ProfTxt[4] << " " << in.ProfTxt[5]
                              << ": " << (out.failure ? out.failure->title : "");
    }
}

TEST(ProfPort, OnlyTheFieldsInUseAreRead) {
    auto single = In("50", "20", "4", Five30, false, "junk", "-1", "1e39");
    for (int i = 5; i < 11; ++i)
        single.OrdTxt[i] = "junk";
    EXPECT_TRUE(Calc_ProfPrt(single).ok());
}

TEST(ProfPort, ZeroAreaGivesZeroDiameter) {
    const auto out = Calc_ProfPrt(In("50", "20", "4", {"0", "0", "0", "0", "0"}));
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(out.value.d, 0.0f);
}

TEST(ProfPort, IntervalsAsTyped) {
    const struct {
        const char* text;
        std::optional<int16_t> n;
    } cases[] = {{"7", 7},
                 {" 4.5 ", 4},
                 {"3.5", 4},
                 {"10.5", 10},
                 {"-3", -3},
                 {"abc", 0},
                 {"", 0},
                 {"40000", std::nullopt},
                 {"1e39", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(Intervals_Value(c.text), c.n) << c.text;
}

TEST(ProfPort, FailureMessages) {
    const auto I = FieldKind::Input;
    const auto O = FieldKind::Ordinate;
    const std::string bigBridge = "Total Width with Bridge exceeds the bore";
    const std::string noArea = "These ordinates leave the port no open area\r\n"
                               "Enter a larger value for Ordinate #";
    const struct {
        ProfPrt_Inputs in;
        Field_Failure expected;
        std::optional<int16_t> n;
    } cases[] = {
        {In("4.99", "20", "4", Five30),
         {"Cylinder Bore Out of Range", "Enter a value between 5 and 80", 0, false, I},
         {}},
        {In("80.01", "20", "4", Five30),
         {"Cylinder Bore Out of Range", "Enter a value between 5 and 80", 0, false, I},
         {}},
        {In("50", "14.9", "4", Five30),
         {"Port Height Out of Range", "Enter a larger value", 4, false, I},
         {}},
        {In("50", "32.6", "4", Five30),
         {"Port Height Out of Range", "Enter a smaller value", 4, false, I},
         {}},
        {In("50", "1e39", "4", Five30),
         {"Port Height Out of Range", "Enter a smaller value", 4, false, I},
         {}},
        {In("47", "20", "4", Five30, true, "9.41", "1", "1"),
         {"Bridge Width Out of Range", "Enter a value between 1 and 9.40", 1, false, I},
         {}},
        {In("47", "20", "4", Five30, true, "0.5", "1", "1"),
         {"Bridge Width Out of Range", "Enter a value between 1 and 9.40", 1, false, I},
         {}},
        {Bridged("6", "-0.1", "7"),
         {"Negative Value for Top Radius", "Enter a positive value", 2, false, I},
         {}},
        {Bridged("6", "12.01", "7"),
         {"Top Radius too large", "Enter a value less than 12.00", 2, false, I},
         {}},
        {Bridged("6", "5", "-0.1"),
         {"Negative Value for Bottom Radius", "Enter a positive value", 3, false, I},
         {}},
        {Bridged("6", "5", "1e39"),
         {"Bottom Radius too large", "Enter a value less than 12.00", 3, false, I},
         {}},
        {In("50", "20", "10.6", Five30),
         {"Number of Intervals Out of Range", "Enter a value between 4 and 10", 5, false, I},
         11},
        {In("50", "20", "3.4", Five30),
         {"Number of Intervals Out of Range", "Enter a value between 4 and 10", 5, false, I},
         3},
        {In("50", "20", "40000", Five30),
         {"Number of Intervals Out of Range", "Enter a value between 4 and 10", 5, false, I},
         {}},
        {In("50", "20", "4", {"30", "", "30", "", "30"}),
         {"Ordinate Not Set", "Enter a value for Ordinate #1", 1, true, O},
         4},
        {In("50", "20", "4", {"30", "99", "30", "30", "x"}),
         {"Ordinate Incorrectly Set", "Enter a value for Ordinate #4", 4, false, O},
         4},
        {In("50", "20", "4", {"30", "37.51", "30", "30", "38"}),
         {"Ordinate #1 too large", "Length Exceeds 75% of the bore", 1, false, O},
         4},
        {In("60", "24", "8", {"12", "17", "20", "21", "22", "21", "20", "17", "36.01"}, true, "6",
            "5", "7"),
         {"Ordinate #8 too large", "Length Exceeds 60% of the bore", 8, false, O},
         8},
        {In("50", "20", "4", {"30", "30", "30", "30", "30"}, true, "10", "10", "0"),
         {"Ordinate #0 too large", bigBridge, 0, false, O},
         4},
        {In("50", "20", "4", {"5", "-0.5", "-20", "-20", "-20"}),
         {"The Port Area is Negative", noArea + "1", 1, false, O},
         4},
        {In("50", "20", "4", {"5", "5", "-1e39", "5", "5"}),
         {"The Port Area is Negative", noArea + "2", 2, false, O},
         4},
        {In("60", "24", "8", {"1", "1", "1", "1", "-1e39", "1", "1", "1", "1"}, true, "6", "5",
            "7"),
         {"The Port Area is Negative", noArea + "4", 4, false, O},
         8},
        // With the bridge's projection the constant-duct area goes below zero when the
        // ordinates are all zero; the narrowest, ordinate 0, is named.
        {In("60", "24", "8", {"0", "0", "0", "0", "0", "0", "0", "0", "0"}, true, "6", "5", "7"),
         {"The Port Area is Negative", noArea + "0", 0, false, O},
         8},
    };
    for (const auto& c : cases) {
        const auto out = Calc_ProfPrt(c.in);
        ASSERT_FALSE(out.ok()) << c.expected.title;
        EXPECT_EQ(*out.failure, c.expected) << out.failure->title << " / " << out.failure->prompt;
        EXPECT_EQ(out.value.NumIntervals, c.n) << c.expected.title;
    }
}
