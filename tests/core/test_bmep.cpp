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
        double V, Pk;
        const char* shown;
    } cases[] = {{In("54", "54.5", "12000", "30"), 124.817, 30, "12.02"},
                 {In("54", "54.5", "12000", "40", true), 124.817, 29.84, "11.95"},
                 {In("50", "40", "10000", "20"), 78.54, 20, "15.28"}};
    for (const auto& c : cases) {
        const auto out = Calc_Bmep(c.in);
        ASSERT_TRUE(out.ok()) << c.shown;
        EXPECT_NEAR(out.value.V, c.V, 5e-3);
        EXPECT_NEAR(out.value.Pk, c.Pk, 1e-5);
        EXPECT_EQ(Bmep_Result_Text(out.value.BMEP),
                  std::string("The Brake Mean Effective Pressure is ") + c.shown + " bar");
    }
}

// Every check accepts its range's ends and names what lies beyond them.
TEST(Bmep, ChecksAndTheirMessages) {
    const auto at = [](int16_t field, const char* title, const char* prompt) {
        return std::optional<Field_Failure>({title, prompt, field, false});
    };
    const auto bore = at(0, "Cylinder Bore is Out of Range", "Enter a value between 5 and 80");
    const auto ratio = at(0, "The Stroke/Bore Ratio is Out of Range", "Enter corrected value(s)");
    const auto speed =
        at(2, "The Engine Speed is Out of Range", "Enter a value between 4000 and 35000");
    const auto low = at(3, "The Engine Power is Too Low", "Enter a new value");
    const auto high = at(3, "The Engine Power is Too High", "Enter a new value");
    const std::pair<Bmep_Inputs, std::optional<Field_Failure>> cases[] = {
        {In("5", "5", "10000", "0.02"), {}},
        {In("80", "80", "10000", "100"), {}},
        {In(" 50 ", "40", "10000", "20"), {}},
        {In("4.99", "", "", ""), bore},
        {In("80.01", "", "", ""), bore},
        {In("1e39", "", "", ""), bore},
        {In("50", "80", "10000", "20"), {}}, // stroke/bore 1.6 (0.8: the third worked engine)
        {In("50", "39.9", "", ""), ratio},
        {In("50", "80.1", "", ""), ratio},
        {In("50", "1e400", "", ""), ratio},
        {In("50", "40", "4000", "20"), {}},
        {In("50", "40", "35000", "20"), {}},
        {In("50", "40", "3999", ""), speed},
        {In("50", "40", "35001", ""), speed},
        {In("50", "40", "10000", "7.85"), low},
        {In("50", "40", "10000", "-1e39"), low},
        {In("50", "40", "10000", "31.42"), high},
        {In("50", "40", "10000", "1e39"), high},
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
