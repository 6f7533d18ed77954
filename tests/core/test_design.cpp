// The design pipeline: the worked chambers, the order of its checks and the fields it
// reads, the ends of every range, the warnings, what a failing run still stores, and the
// result table's texts.

#include "core/fields/display_format.h"
#include "core_support.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string Twice = "\r\n\r\n";

Field_Failure At(int16_t field, std::string title, std::string prompt) {
    return {std::move(title), std::move(prompt), field, false};
}

Design_Form With(Texh_Index field, const std::string& text, Design_Form f) {
    f.Texh[field] = text;
    return f;
}

TEST(Design, WorkedChambers) {
    const struct {
        Design_Form form;
        const char* tuned;
        std::vector<std::string> diam, lnth;
    } cases[] = {
        {Sample_Form(true, true),
         "813.7",
         {"44.0", "60.8", "88.2", "109.8", "25.5"},
         {"61.4", "223.8", "148.9", "74.9", "89.5", "195.3", "195.3"}},
        {Sample_Form(false, false),
         "825.6",
         {"44.0", "67.6", "100.0", "26.0"},
         {"62.6", "338.5", "115.6", "90.8", "198.2", "198.2"}},
    };
    for (const auto& c : cases) {
        const auto run = Calc_Design(c.form);
        ASSERT_TRUE(run.ok()) << run.failure->title;
        const Result_Table t = Make_Result_Table(run.value.state);
        EXPECT_EQ(t.TexTotLth, c.tuned);
        EXPECT_EQ(t.PrtDia, "40.0");
        EXPECT_EQ(t.PrtLth, "20.0");
        EXPECT_EQ(t.Texdiam, c.diam);
        EXPECT_EQ(t.Texlen, c.lnth);
    }
    const DsnResult r = Calc_Design(Sample_Form(true, true)).value.result;
    EXPECT_EQ(r.GasTemp, 848.15f);
    EXPECT_EQ(Format_Number(r.SoundSpeed, "#0.00"), "583.77");
    EXPECT_EQ(Format_Number(r.MaxPrtLnth, "#0.00"), "81.37");
    EXPECT_EQ(r.Lnth[6], r.Lnth[5]); // the tail pipe is the very same value as the rear cone
}

TEST(Design, BmepEndsMeetTheConstantBranches) {
    struct {
        float bmep, kelvin, tail, mid;
    } cases[] = {{8, 773.15f, 0.7f, 2.125f}, {12, 923.15f, 0.6f, 3.25f}};
    for (const auto& c : cases) {
        DsnInput in = Sample_Input(true);
        in.TargetBmep = c.bmep;
        const DsnResult r = Calc_Chamber(in);
        EXPECT_EQ(r.GasTemp, c.kelvin);
        EXPECT_EQ(r.TailCoef, c.tail);
        EXPECT_EQ(r.MidCoef, c.mid);
    }
    // Just inside the ends the formulas run and stay within a step of the constants.
    for (float b : {std::nextafter(8.0f, 9.0f), std::nextafter(12.0f, 11.0f)}) {
        DsnInput in = Sample_Input(true);
        in.TargetBmep = b;
        const DsnResult r = Calc_Chamber(in);
        EXPECT_NEAR(r.TailCoef, b < 10 ? 0.7f : 0.6f, 1e-5);
        EXPECT_NEAR(r.MidCoef, b < 10 ? 2.125f : 3.25f, 1e-4);
    }
}

TEST(Design, TwoStageKeepsTheThreeStageOnlyEntries) {
    const Design_State three = Calc_Design(Sample_Form(true, true)).value.state;
    const Design_State two = Calc_Design(Sample_Form(false, false), three).value.state;
    EXPECT_EQ(two.Diam[4], three.Diam[4]);
    EXPECT_EQ(two.Lnth[6], three.Lnth[6]);
    EXPECT_FALSE(two.ThreeStage);
    EXPECT_EQ(Make_Result_Table(two).Texdiam.size(), 4u);
    EXPECT_EQ(Make_Result_Table(two).Texlen.size(), 6u);
}

// With every field empty the checks name the fields one after the other in their fixed
// order as each is filled in; the fields the options leave out are never read.
TEST(Design, ChecksRunInTheirOrderAndReadOnlyTheNeededFields) {
    const std::pair<bool, std::vector<Texh_Index>> runs[] = {
        {false, {TexhTemp, TexhDX, TexhD1, TexhLX, TexhMid, TexhTail, TexhAngle, TexhSpeed}},
        {true, {TexhHorn, TexhBmep, TexhDX, TexhD1, TexhLX, TexhAngle, TexhSpeed}}};
    for (const auto& [three, order] : runs) {
        const Design_Form full = Sample_Form(three, three);
        Design_Form f = full;
        f.Texh = {};
        for (Texh_Index i : order) {
            const auto run = Calc_Design(f);
            ASSERT_TRUE(run.failure) << i;
            EXPECT_EQ(run.failure->field, i);
            EXPECT_TRUE(run.failure->clearField);
            f.Texh[i] = full.Texh[i];
        }
        EXPECT_TRUE(Calc_Design(f).ok());
    }
}

// Both ends of every range are accepted; the next single beyond either end gets the
// range's message. The BMEP is read here for the coefficients only.
TEST(Design, RangesAcceptBothEnds) {
    const struct {
        Texh_Index field;
        float lo, hi;
        const char *title, *between;
    } cases[] = {
        {TexhHorn, 1.25f, 2.0f, "Horn Coefficient Out of Range", "1.25 and 2.0"},
        {TexhBmep, 8, 12, "Target BMEP value is Out of Range", "8 and 12"},
        {TexhTemp, 450, 650, "Mean Exhaust Temperature Out of Range", "450C and 650C"},
        {TexhDX, 1, 100, "Exhaust Port Effective Diameter Out of Range", "1 and 100"},
        {TexhMid, 2.125f, 3.25f, "Mid Section Diameter Coefficient Out of Range", "2.125 and 3.25"},
        {TexhTail, 0.5f, 0.8f, "Tail Pipe Diameter Coefficient Out of Range", "0.5 and 0.8"},
        {TexhAngle, 70, 105, "Exhaust Port Opening Angle Out of Range", "70 and 105"},
        {TexhSpeed, 1000, 50000, "Engine Speed Out of Range", "1000 and 50000"},
    };
    for (const auto& c : cases) {
        for (const float end : {c.lo, c.hi}) {
            for (const float v : {end, std::nextafter(end, end == c.lo ? -1e9f : 1e9f)}) {
                Design_Form f = With(TexhLX, "2", Sample_Form(true, false));
                f.CoefSource = c.field == TexhBmep ? Value_Source::FromBmep : f.CoefSource;
                f.Texh[c.field] = Text(v);
                if (c.field == TexhDX) // the flange within its ratio to DX
                    f.Texh[TexhD1] = Text(v);
                const std::optional<Field_Failure> expected =
                    v == end ? std::nullopt
                             : std::optional(At(c.field, c.title,
                                                std::string("Enter a value between ") + c.between));
                EXPECT_EQ(Calc_Design(f).failure, expected) << Text(v);
            }
        }
    }
}

TEST(Design, OptionAndDuctLengthFailures) {
    const Design_Form base = Sample_Form(true, true);
    Design_Form noOptions = base, noCoefficients = base;
    noOptions.TempSource = noOptions.CoefSource = Value_Source::Unset;
    noCoefficients.CoefSource = Value_Source::Unset;
    const std::pair<Design_Form, std::optional<Field_Failure>> cases[] = {
        {Design_Form{}, At(-1, "Diffuser Type Not Set", "Select an Option for the Diffuser Type")},
        {noOptions, At(-1, "Exhaust Temperature Option Not Set",
                       "Select an Option for the Exhaust Temperature setting")},
        {noCoefficients, At(-1, "Diameter Coefficients Option Not Set",
                            "Select an Option for the Diameter Coefficient settings")},
        {With(TexhLX, "2", base), std::nullopt},
        {With(TexhLX, Text(std::nextafter(2.0f, 0.0f)), base),
         At(TexhLX, "Barrel Exhaust Duct Length too small", "Enter a larger value")},
        {With(TexhLX, Text(std::nextafter(100.0f, 200.0f)), base),
         At(TexhLX, "Barrel Exhaust Duct Length too large", "Enter a smaller value")},
        // 100 passes the duct's own range; a tenth of the tuned length is the next check.
        {With(TexhLX, "100", base),
         At(TexhLX, "Unacceptable Length from Piston Face to Barrel Flange",
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
    const Field_Failure small = At(TexhD1, "Barrel Flange Diameter Too Small",
                                   "The Barrel Flange Diameter must not be less than the Port "
                                   "Effective Diameter" +
                                       Twice + "Enter a new value.");
    const Field_Failure large = At(TexhD1, "Barrel Flange Diameter Too Large",
                                   "The Barrel Flange Diameter must not exceed 1.2 x Port "
                                   "Effective Diameter" +
                                       Twice + "Enter a new value.");
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

TEST(Design, FailingRunKeepsWhatItRead) {
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
}

} // namespace
