// The design pipeline: the checks of its own (options, the duct length, the flange's ratio to
// DX) with the warnings, and what a run keeps of the window's state. (The worked chambers'
// result tables: the design files of test_design_file.cpp, which hold them; the field checks,
// their order and the ranges of the fields: test_field_messages.cpp.)

#include "core_support.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string Twice = "\r\n\r\n";

Design_Form With(Texh_Index field, const std::string& text, Design_Form f) {
    f.Texh[field] = text;
    return f;
}

TEST(Design, OptionAndDuctLengthFailures) {
    const Design_Form base = Sample_Form(true, true);
    Design_Form noCoefficients = base;
    noCoefficients.CoefSource = Value_Source::Unset;
    const std::pair<Design_Form, std::optional<Field_Failure>> cases[] = {
        {Design_Form{},
         Failed(-1, "Diffuser Type Not Set", "Select an Option for the Diffuser Type")},
        {noCoefficients, Failed(-1, "Diameter Coefficients Option Not Set",
                                "Select an Option for the Diameter Coefficient settings")},
        {With(TexhLX, "2", base), std::nullopt},
        {With(TexhLX, Text(std::nextafter(2.0f, 0.0f)), base),
         Failed(TexhLX, "Barrel Exhaust Duct Length too small", "Enter a larger value")},
        {With(TexhLX, Text(std::nextafter(100.0f, 200.0f)), base),
         Failed(TexhLX, "Barrel Exhaust Duct Length too large", "Enter a smaller value")},
        // 100 passes the duct's own range; a tenth of the tuned length is the next check.
        {With(TexhLX, "100", base),
         Failed(TexhLX, "Unacceptable Length from Piston Face to Barrel Flange",
                "The Length from Piston Face to Barrel Flange is Too Long" + Twice +
                    "This Length must Not Exceed 81.3 mm")},
    };
    for (const auto& [form, expected] : cases)
        EXPECT_EQ(Calc_Design(form).failure, expected);
}

TEST(Design, FlangeRatioWarningsAndLimits) {
    const Field_Warning less{"WARNING - Barrel Flange Diameter less than the Recommended Limit",
                             "The Barrel Flange Diameter is less than 1.05 x Port Effective "
                             "Diameter",
                             TexhD1};
    const Field_Warning exceeds{"WARNING - Barrel Flange Diameter exceeds the Recommended Limit",
                                "The Barrel Flange Diameter exceeds 1.125 x Exhaust Port "
                                "Effective Diameter",
                                TexhD1};
    const auto limit = [](const std::string& title, const std::string& rule) {
        return Failed(TexhD1, "Barrel Flange Diameter Too " + title,
                      "The Barrel Flange Diameter must not " + rule + " Effective Diameter" +
                          Twice + "Enter a new value.");
    };
    const Field_Failure small = limit("Small", "be less than the Port");
    const Field_Failure large = limit("Large", "exceed 1.2 x Port");
    const struct {
        const char* d1;
        std::vector<Field_Warning> warnings;
        std::optional<Field_Failure> failure;
    } cases[] = {
        {"39.9", {}, small}, {"40.0", {less}, {}},    {"41.9", {less}, {}},    {"42.0", {}, {}},
        {"45.0", {}, {}},    {"45.1", {exceeds}, {}}, {"48.0", {exceeds}, {}}, {"48.1", {}, large},
    };
    for (const auto& c : cases) {
        const auto run = Calc_Design(With(TexhD1, c.d1, Sample_Form(true, false)));
        EXPECT_EQ(run.failure, c.failure) << c.d1;
        EXPECT_EQ(run.warnings, c.warnings) << c.d1;
    }
}

// A failing run keeps the window's state but for the values it read before the failure; a
// two-stage run keeps the three-stage-only entries.
TEST(Design, WhatARunKeepsOfTheWindowsState) {
    Design_State before;
    before.ETotal = 123;
    before.Diam[3] = 77;
    const auto run = Calc_Design(With(TexhLX, "1.5", Sample_Form(true, false)), before);
    ASSERT_TRUE(run.failure);
    const Design_State& s = run.value.state;
    EXPECT_EQ(s.PrtDiam, 40.0f);
    EXPECT_EQ(s.Diam[0], 44.0f);
    EXPECT_EQ(s.PrtLnth, 1.5f); // read, though rejected by its range
    EXPECT_EQ(s.ETotal, 123.0f);
    EXPECT_EQ(s.Diam[3], 77.0f);
    EXPECT_EQ(s.Numdiam, 0);
    // Failing on LX against the tuned length, the run has stored that length.
    EXPECT_EQ(Calc_Design(With(TexhLX, "100", Sample_Form(true, false))).value.state.ETotal,
              Calc_Design(Sample_Form(true, false)).value.state.ETotal);
    const Design_State three = Calc_Design(Sample_Form(true, true)).value.state;
    const Design_State two = Calc_Design(Sample_Form(false, false), three).value.state;
    EXPECT_EQ(two.Diam[4], three.Diam[4]);
    EXPECT_EQ(two.Lnth[6], three.Lnth[6]);
}

} // namespace
