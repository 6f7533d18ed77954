#include "core/calculators/port_height_calc.h"
#include "core_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {
PrtHgt_Inputs In(std::string stroke, std::string rod, std::string start, std::string full) {
    return PrtHgt_Inputs{{stroke, rod, start, full}};
}

TEST(PortHeight, WorkedHeights) {
    const struct {
        PrtHgt_Inputs in;
        float height;
        const char* shown;
    } cases[] = {
        {In("54", "110", "75", "160"), 29.61f, "29.61"},
        {In("65", "150", "105", "180"), 20.77f, "20.77"},
        {In("5", "8", "75", "160"), 2.67f, "2.67"},
    };
    for (const auto& c : cases) {
        const auto out = Calc_PrtHgt(c.in);
        ASSERT_TRUE(out.ok()) << c.shown;
        EXPECT_NEAR(out.value, c.height, 5e-3) << c.shown;
        EXPECT_EQ(PrtHgt_Result_Text(out.value),
                  std::string("The Port Height is ") + c.shown + " mm");
    }
}

// A rod too short for the crank throw at either angle leaves no port height: its own
// message, on the stroke. (The ranges of the fields: test_field_messages.cpp.)
TEST(PortHeight, RodTooShortForTheStroke) {
    const auto shortRod = Failed(0, "Connecting Rod Too Short for the Stroke",
                                 "The crank throw reaches past the Connecting Rod Length\r\n"
                                 "Enter a smaller Stroke or a longer Connecting Rod Length");
    const std::pair<PrtHgt_Inputs, std::optional<Field_Failure>> cases[] = {
        {In("20", "10.01", "90", "180"), {}},      // rod barely longer than the crank throw
        {In("20", "10", "90", "180"), shortRod},   // rod sine exactly 1
        {In("60", "30", "99", "180"), shortRod},   // rod as long as the throw, past 90 deg
        {In("60", "29.9", "99", "170"), shortRod}, // sines below 1, rod shorter than the throw
    };
    for (const auto& [in, expected] : cases) {
        const auto out = Calc_PrtHgt(in);
        EXPECT_EQ(out.failure, expected) << in.HghtTxt[0] << ' ' << in.HghtTxt[1] << ' '
                                         << in.HghtTxt[2] << ' ' << in.HghtTxt[3];
    }
}
} // namespace
