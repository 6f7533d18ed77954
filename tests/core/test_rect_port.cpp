#include "core/calculators/rect_port_calc.h"
#include "core_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {
RectPrt_Inputs In(std::string width, std::string height, std::string top, std::string bottom) {
    return RectPrt_Inputs{{width, height, top, bottom}};
}

TEST(RectPort, WorkedDiameters) {
    const struct {
        RectPrt_Inputs in;
        float D;
        const char* shown;
    } cases[] = {
        {In("60", "60", "30", "30"), 60.0f, "60.00"}, // a circle
        {In("2", "2", "0", "0"), 2.26f, "2.26"},
        {In("40", "30", "-5", "-5"), 38.7371f, "38.74"}, // a radius counts through its square
        {In("2", "60", "0", "0"), 12.36f, "12.36"},
    };
    for (const auto& c : cases) {
        const auto out = Calc_RectPrt(c.in);
        ASSERT_TRUE(out.ok()) << c.shown;
        EXPECT_NEAR(out.value.D, c.D, 5e-3) << c.shown;
        EXPECT_EQ(RectPrt_Result_Text(out.value.D),
                  std::string("Diameter of the Equivalent Circular Port is ") + c.shown + " mm");
    }
}

TEST(RectPort, FailureMessages) {
    const auto top = Failed(2, "The Top Radius is Too Large", "Enter a new value");
    const auto sum =
        Failed(2, "The Sum of the Two Radii exceeds the Port Height", "Enter replacement value(s)");
    const auto bottom = Failed(3, "The Bottom Radius is Too Large", "Enter a new value");
    const auto noArea = Failed(2, "The Port Area is Negative",
                               "Corner radii this far below zero leave no open port area\r\n"
                               "Enter new values for the Top Radius and the Bottom Radius");
    const std::pair<RectPrt_Inputs, Field_Failure> cases[] = {
        {In("40", "30", "20.1", ""), top},      {In("40", "30", "1e39", ""), top},
        {In("40", "30", "5", "20.1"), bottom},  {In("40", "30", "15", "15.1"), sum},
        {In("40", "30", "-100", "0"), noArea},  {In("40", "30", "0", "-100"), noArea},
        {In("40", "30", "-1e39", "0"), noArea}, {In("40", "30", "-3e38", "-3e38"), noArea},
    };
    for (const auto& [in, expected] : cases)
        EXPECT_EQ(Calc_RectPrt(in).failure, expected) << in.DiamTxt[0] << ' ' << in.DiamTxt[1];
}
} // namespace
