#include "tools/bmep_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {
Bmep_Inputs In(std::string bore, std::string stroke, std::string speed, std::string power,
               bool hp = false) {
    return Bmep_Inputs{{bore, stroke, speed, power}, hp};
}

std::string Text(float x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(x));
    return buf;
}
} // namespace

TEST(Bmep, WorkedEngines) {
    const auto kw = Calc_Bmep(In("54", "54.5", "12000", "30"));
    ASSERT_TRUE(kw.ok());
    EXPECT_NEAR(kw.value.V, 124.817, 5e-4);
    EXPECT_EQ(Bmep_Result_Text(kw.value.BMEP), "The Brake Mean Effective Pressure is 12.02 bar");

    const auto hp = Calc_Bmep(In("54", "54.5", "12000", "40", true));
    ASSERT_TRUE(hp.ok());
    EXPECT_FLOAT_EQ(hp.value.Pk, 29.84f);
    EXPECT_EQ(Bmep_Result_Text(hp.value.BMEP), "The Brake Mean Effective Pressure is 11.95 bar");

    const auto small = Calc_Bmep(In("50", "40", "10000", "20"));
    ASSERT_TRUE(small.ok());
    EXPECT_NEAR(small.value.V, 78.54, 5e-3);
    EXPECT_EQ(Bmep_Result_Text(small.value.BMEP), "The Brake Mean Effective Pressure is 15.28 bar");
}

TEST(Bmep, BoundsAreAccepted) {
    const Bmep_Inputs cases[] = {
        In("50", "40", "10000", "20"), In("50", "80", "10000", "20"), // ratio 0.8 and 1.6
        In("5", "5", "10000", "0.02"), In("80", "80", "10000", "100"), In("50", "40", "4000", "20"),
        In("50", "40", "35000", "20"), In(" 50 ", "40", "10000", "20")};
    for (const auto& in : cases)
        EXPECT_TRUE(Calc_Bmep(in).ok())
            << in.BHP_Txt[0] << " " << in.BHP_Txt[1] << " " << in.BHP_Txt[2];
}

TEST(Bmep, PowerLimitsIncludeTheirEnds) {
    const auto base = Calc_Bmep(In("50", "40", "10000", "20"));
    ASSERT_TRUE(base.ok());
    const float Pmin = static_cast<float>(static_cast<double>(base.value.V) / 10.0);
    const float Pmax = static_cast<float>(static_cast<double>(base.value.V) / 2.5);
    EXPECT_TRUE(Calc_Bmep(In("50", "40", "10000", Text(Pmin))).ok());
    EXPECT_TRUE(Calc_Bmep(In("50", "40", "10000", Text(Pmax))).ok());
    EXPECT_FALSE(Calc_Bmep(In("50", "40", "10000", Text(std::nextafter(Pmin, 0.0f)))).ok());
    EXPECT_FALSE(Calc_Bmep(In("50", "40", "10000", Text(std::nextafter(Pmax, 1e9f)))).ok());
}

struct Bmep_Failure_Case {
    Bmep_Inputs in;
    Field_Failure expected;
};

TEST(Bmep, FailureMessages) {
    const std::string ratio = "The Stroke/Bore Ratio is Out of Range";
    const Bmep_Failure_Case cases[] = {
        {In("4.99", "", "", ""),
         {"Cylinder Bore is Out of Range", "Enter a value between 5 and 80", 0, false}},
        {In("80.01", "", "", ""),
         {"Cylinder Bore is Out of Range", "Enter a value between 5 and 80", 0, false}},
        {In("1e39", "", "", ""),
         {"Cylinder Bore is Out of Range", "Enter a value between 5 and 80", 0, false}},
        {In("50", "39.9", "", ""), {ratio, "Enter corrected value(s)", 0, false}},
        {In("50", "80.1", "", ""), {ratio, "Enter corrected value(s)", 0, false}},
        {In("50", "1e400", "", ""), {ratio, "Enter corrected value(s)", 0, false}},
        {In("50", "40", "3999", ""),
         {"The Engine Speed is Out of Range", "Enter a value between 4000 and 35000", 2, false}},
        {In("50", "40", "35001", ""),
         {"The Engine Speed is Out of Range", "Enter a value between 4000 and 35000", 2, false}},
        {In("50", "40", "10000", "7.85"),
         {"The Engine Power is Too Low", "Enter a new value", 3, false}},
        {In("50", "40", "10000", "31.42"),
         {"The Engine Power is Too High", "Enter a new value", 3, false}},
        {In("50", "40", "10000", "1e39"),
         {"The Engine Power is Too High", "Enter a new value", 3, false}},
        {In("50", "40", "10000", "-1e39"),
         {"The Engine Power is Too Low", "Enter a new value", 3, false}},
        // The power limit holds for the power in kW: 42.1 hp passes, 42.2 hp does not.
        {In("50", "40", "10000", "42.2", true),
         {"The Engine Power is Too High", "Enter a new value", 3, false}},
    };
    for (const auto& c : cases) {
        const auto out = Calc_Bmep(c.in);
        ASSERT_FALSE(out.ok()) << c.expected.title;
        EXPECT_EQ(*out.failure, c.expected) << out.failure->title << " / " << out.failure->prompt;
    }
    EXPECT_TRUE(Calc_Bmep(In("50", "40", "10000", "42.1", true)).ok());
}
