#include "core/calculators/bmep_calc.h"
#include "core_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {
Bmep_Inputs In(std::string bore, std::string stroke, std::string speed, std::string power,
               bool hp = false) {
    return Bmep_Inputs{{bore, stroke, speed, power}, hp};
}

TEST(Bmep, WorkedEngines) {
    const struct {
        Bmep_Inputs in;
        double V;
        const char* shown;
    } cases[] = {{In("54", "54.5", "12000", "30"), 124.817, "12.02"},
                 {In("54", "54.5", "12000", "40", true), 124.817, "11.95"},
                 {In("50", "40", "10000", "20"), 78.54, "15.28"}};
    for (const auto& c : cases) {
        const auto out = Calc_Bmep(c.in);
        ASSERT_TRUE(out.ok()) << c.shown;
        EXPECT_NEAR(out.value.V, c.V, 5e-3);
        EXPECT_EQ(Bmep_Result_Text(out.value.BMEP),
                  std::string("The Brake Mean Effective Pressure is ") + c.shown + " bar");
    }
}

// The checks of the stroke/bore ratio and of the power accept their ends and name what lies
// beyond them. (The ranges of the fields: test_field_messages.cpp.)
TEST(Bmep, ChecksAndTheirMessages) {
    const auto ratio =
        Failed(0, "The Stroke/Bore Ratio is Out of Range", "Enter corrected value(s)");
    const auto low = Failed(3, "The Engine Power is Too Low", "Enter a new value");
    const auto high = Failed(3, "The Engine Power is Too High", "Enter a new value");
    const std::pair<Bmep_Inputs, std::optional<Field_Failure>> cases[] = {
        {In(" 50 ", "40", "10000", "20"), {}},
        {In("50", "80", "10000", "20"), {}}, // stroke/bore 1.6 (0.8: the third worked engine)
        {In("50", "39.9", "", ""), ratio},
        {In("50", "80.1", "", ""), ratio},
        {In("50", "40", "10000", "7.85"), low},
        {In("50", "40", "10000", "31.42"), high},
        // The power limit holds for the power in kW: 42.1 hp passes, 42.2 hp does not.
        {In("50", "40", "10000", "42.1", true), {}},
        {In("50", "40", "10000", "42.2", true), high},
    };
    for (const auto& [in, expected] : cases)
        EXPECT_EQ(Calc_Bmep(in).failure, expected) << in.BHP_Txt[0] << ' ' << in.BHP_Txt[1] << ' '
                                                   << in.BHP_Txt[2] << ' ' << in.BHP_Txt[3];
    // The power limits, swept volume / 10 and / 2.5, are accepted to the last single.
    const float V = Calc_Bmep(In("50", "40", "10000", "20")).value.V;
    const float least = static_cast<float>(V / 10.0), most = static_cast<float>(V / 2.5);
    for (const float p : {least, most, std::nextafter(least, 0.0f), std::nextafter(most, 1e9f)})
        EXPECT_EQ(Calc_Bmep(In("50", "40", "10000", Text(p))).ok(), p == least || p == most) << p;
}
} // namespace
