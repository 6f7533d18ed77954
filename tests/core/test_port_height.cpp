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
        {In("54.5", "110", "85", "180"), 26.2227f, "26.22"},
        {In("54.5", "110", "90", "180"), 23.82f, "23.82"},
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
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    EXPECT_NEAR(Crank_Drop(pi, 27.25f, 110.0f, pi), 54.5, 1e-5); // the full stroke at BDC
    EXPECT_NEAR(Crank_Drop(0.0f, 27.25f, 110.0f, pi), 0.0, 1e-5);
}

// Every check accepts its range's ends and names what lies beyond them.
TEST(PortHeight, ChecksAndTheirMessages) {
    const auto range = [](int16_t field, const char* title, const char* between) {
        return std::optional<Field_Failure>(
            {title, std::string("Enter a value between ") + between, field, false});
    };
    const auto stroke = range(0, "Piston Stroke Out of Range", "5 and 65");
    const auto rod = range(1, "Connecting Rod Length Out of Range", "8 and 150");
    const auto start = range(2, "Start Open Angle Out of Range", "75 and 105");
    const auto full = range(3, "Full Open Angle Out of Range", "160 and 180");
    const std::optional<Field_Failure> shortRod{
        {"Connecting Rod Too Short for the Stroke",
         "The crank throw reaches past the Connecting Rod Length\r\n"
         "Enter a smaller Stroke or a longer Connecting Rod Length",
         0, false}};
    const std::pair<PrtHgt_Inputs, std::optional<Field_Failure>> cases[] = {
        {In("5", "110", "85", "180"), {}},         {In("65", "110", "85", "180"), {}},
        {In("4.99", "", "", ""), stroke},          {In("1e39", "", "", ""), stroke},
        {In("5", "8", "85", "180"), {}},           {In("54.5", "150", "85", "180"), {}},
        {In("54.5", "150.01", "", ""), rod},       {In("54.5", "110", "75", "180"), {}},
        {In("54.5", "110", "105", "180"), {}},     {In("54.5", "110", "74.9", ""), start},
        {In("54.5", "110", "110", ""), start},     {In("54.5", "110", "85", "160"), {}},
        {In("54.5", "110", "85", "180.5"), full},  {In("54.5", "110", "85", "-1e39"), full},
        {In("20", "10.01", "90", "180"), {}},    // rod barely longer than the crank throw
        {In("20", "10", "90", "180"), shortRod}, // rod sine exactly 1
        {In("65", "30", "90", "180"), shortRod},   {In("65", "8", "75", "160"), shortRod},
        {In("60", "30", "99", "180"), shortRod},   // rod as long as the throw, past 90 deg
        {In("60", "29.9", "99", "170"), shortRod}, // sines below 1, rod shorter than the throw
    };
    for (const auto& [in, expected] : cases) {
        const auto out = Calc_PrtHgt(in);
        EXPECT_EQ(out.failure, expected) << in.HghtTxt[0] << ' ' << in.HghtTxt[1] << ' '
                                         << in.HghtTxt[2] << ' ' << in.HghtTxt[3];
        EXPECT_TRUE(!out.ok() || (std::isfinite(out.value) && out.value > 0));
    }
}
} // namespace
