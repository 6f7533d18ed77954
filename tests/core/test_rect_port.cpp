#include "tools/rect_port_calc.h"

#include <gtest/gtest.h>

#include <string>

namespace {
RectPrt_Inputs In(std::string width, std::string height, std::string top, std::string bottom) {
    return RectPrt_Inputs{{width, height, top, bottom}};
}
} // namespace

TEST(RectPort, WorkedDiameters) {
    const struct {
        RectPrt_Inputs in;
        float D;
        const char* shown;
    } cases[] = {
        {In("40", "30", "5", "5"), 38.7371f, "38.74"},
        {In("40", "30", "0", "0"), 39.09f, "39.09"},
        {In("60", "60", "30", "30"), 60.0f, "60.00"},  // a circle
        {In("40", "30", "20", "10"), 35.42f, "35.42"}, // both radius tests at their limits
        {In("2", "2", "0", "0"), 2.26f, "2.26"},
        {In("40", "30", "-5", "-5"), 38.7371f, "38.74"}, // a radius counts through its square
    };
    for (const auto& c : cases) {
        const auto out = Calc_RectPrt(c.in);
        ASSERT_TRUE(out.ok()) << c.shown;
        EXPECT_NEAR(out.value.D, c.D, 5e-3) << c.shown;
        EXPECT_EQ(RectPrt_Result_Text(out.value.D),
                  std::string("Diameter of the Equivalent Circular Port is ") + c.shown + " mm");
    }
    EXPECT_NEAR(Calc_RectPrt(In("40", "30", "5", "5")).value.A, 1178.54, 5e-3);
}

TEST(RectPort, FailureMessages) {
    const std::string sum = "The Sum of the Two Radii exceeds the Port Height";
    const Field_Failure noArea{"The Port Area is Negative",
                               "Corner radii this far below zero leave no open port area\r\n"
                               "Enter new values for the Top Radius and the Bottom Radius",
                               2, false};
    const struct {
        RectPrt_Inputs in;
        Field_Failure expected;
    } cases[] = {
        {In("1.99", "", "", ""),
         {"Port Width Out of Range", "Enter a value between 2 and 60", 0, false}},
        {In("60.01", "", "", ""),
         {"Port Width Out of Range", "Enter a value between 2 and 60", 0, false}},
        {In("40", "1.99", "", ""),
         {"Port Height Out of Range", "Enter a value between 2 and 60", 1, false}},
        {In("40", "1e39", "", ""),
         {"Port Height Out of Range", "Enter a value between 2 and 60", 1, false}},
        {In("40", "30", "20.1", ""),
         {"The Top Radius is Too Large", "Enter a new value", 2, false}},
        {In("40", "30", "1e39", ""),
         {"The Top Radius is Too Large", "Enter a new value", 2, false}},
        {In("40", "30", "5", "20.1"),
         {"The Bottom Radius is Too Large", "Enter a new value", 3, false}},
        {In("40", "30", "15", "15.1"), {sum, "Enter replacement value(s)", 2, false}},
        {In("40", "30", "-100", "0"), noArea},
        {In("40", "30", "0", "-100"), noArea},
        {In("40", "30", "-1e39", "0"), noArea},
        {In("40", "30", "-3e38", "-3e38"), noArea},
    };
    for (const auto& c : cases) {
        const auto out = Calc_RectPrt(c.in);
        ASSERT_FALSE(out.ok()) << c.expected.title;
        EXPECT_EQ(*out.failure, c.expected) << out.failure->title << " / " << out.failure->prompt;
    }
    // Range ends of width and height.
    for (const char* edge : {"2", "60"}) {
        EXPECT_TRUE(Calc_RectPrt(In(edge, "30", "0", "0")).ok()) << edge;
        EXPECT_TRUE(Calc_RectPrt(In("40", edge, "0", "0")).ok()) << edge;
    }
}
