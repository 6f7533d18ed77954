#include "tools/port_height_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {
PrtHgt_Inputs In(std::string stroke, std::string rod, std::string start, std::string full) {
    return PrtHgt_Inputs{{stroke, rod, start, full}};
}
} // namespace

TEST(PortHeight, WorkedHeights) {
    struct Case {
        PrtHgt_Inputs in;
        float height;
        const char* text;
    };
    const Case cases[] = {
        {In("54.5", "110", "85", "180"), 26.2227f, "The Port Height is 26.22 mm"},
        {In("54.5", "110", "90", "180"), 23.82f, "The Port Height is 23.82 mm"},
        {In("54", "110", "75", "160"), 29.61f, "The Port Height is 29.61 mm"},
        {In("65", "150", "105", "180"), 20.77f, "The Port Height is 20.77 mm"},
        {In("5", "8", "75", "160"), 2.67f, "The Port Height is 2.67 mm"},
    };
    for (const auto& c : cases) {
        const auto out = Calc_PrtHgt(c.in);
        ASSERT_TRUE(out.ok()) << c.text;
        EXPECT_NEAR(out.value, c.height, 5e-3) << c.text;
        EXPECT_EQ(PrtHgt_Result_Text(out.value), c.text);
    }
}

TEST(PortHeight, FullStrokeAtBottomDeadCentre) {
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    EXPECT_NEAR(Crank_Drop(pi, 27.25f, 110.0f, pi), 54.5, 1e-5);
    EXPECT_NEAR(Crank_Drop(0.0f, 27.25f, 110.0f, pi), 0.0, 1e-5);
}

TEST(PortHeight, RangeEndsAreAccepted) {
    const PrtHgt_Inputs cases[] = {
        In("5", "110", "85", "180"),
        In("65", "110", "85", "180"),
        In("5", "8", "85", "180"),
        In("54.5", "150", "85", "180"),
        In("54.5", "110", "75", "180"),
        In("54.5", "110", "105", "180"),
        In("54.5", "110", "85", "160"),
        In("20", "10.01", "90", "180")}; // rod barely longer than the crank throw
    for (const auto& in : cases) {
        const auto out = Calc_PrtHgt(in);
        ASSERT_TRUE(out.ok()) << in.HghtTxt[0] << " " << in.HghtTxt[1] << " " << in.HghtTxt[2]
                              << " " << in.HghtTxt[3];
        EXPECT_TRUE(std::isfinite(out.value) && out.value > 0);
    }
}

TEST(PortHeight, FailureMessages) {
    const std::string shortRodPrompt = "The crank throw reaches past the Connecting Rod Length\r\n"
                                       "Enter a smaller Stroke or a longer Connecting Rod Length";
    const Field_Failure shortRod{"Connecting Rod Too Short for the Stroke", shortRodPrompt, 0,
                                 false};
    const struct {
        PrtHgt_Inputs in;
        Field_Failure expected;
    } cases[] = {
        {In("4.99", "", "", ""),
         {"Piston Stroke Out of Range", "Enter a value between 5 and 65", 0, false}},
        {In("1e39", "", "", ""),
         {"Piston Stroke Out of Range", "Enter a value between 5 and 65", 0, false}},
        {In("54.5", "150.01", "", ""),
         {"Connecting Rod Length Out of Range", "Enter a value between 8 and 150", 1, false}},
        {In("54.5", "110", "74.9", ""),
         {"Start Open Angle Out of Range", "Enter a value between 75 and 105", 2, false}},
        {In("54.5", "110", "110", ""),
         {"Start Open Angle Out of Range", "Enter a value between 75 and 105", 2, false}},
        {In("54.5", "110", "85", "180.5"),
         {"Full Open Angle Out of Range", "Enter a value between 160 and 180", 3, false}},
        {In("54.5", "110", "85", "-1e39"),
         {"Full Open Angle Out of Range", "Enter a value between 160 and 180", 3, false}},
        {In("65", "30", "90", "180"), shortRod},
        {In("20", "10", "90", "180"), shortRod}, // rod sine exactly 1
        {In("65", "8", "75", "160"), shortRod},
    };
    for (const auto& c : cases) {
        const auto out = Calc_PrtHgt(c.in);
        ASSERT_FALSE(out.ok()) << c.expected.title;
        EXPECT_EQ(*out.failure, c.expected) << out.failure->title << " / " << out.failure->prompt;
    }
}
