// The design pipeline: the worked chambers, the checks that are more than a field's Not Set
// and Incorrectly Set, their order, the warnings, what a failing run still stores, and the
// result table's texts.

#include "common/display_format.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string Shown(float v, const char* picture = "##0.0") {
    return Format_Number(v, picture);
}

// A text that reads back as exactly this single.
std::string Text(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

struct Worked_Case {
    Design_Form form;
    const char* tuned;
    std::vector<std::string> diam, lnth;
};

TEST(Design, WorkedChambers) {
    Design_Form topBmep = Sample_Form(true, true);
    topBmep.Texh[TexhBmep] = "12";
    topBmep.Texh[TexhHorn] = "2.0";
    topBmep.Texh[TexhAngle] = "80";
    topBmep.Texh[TexhSpeed] = "12000";
    const Worked_Case cases[] = {
        {Sample_Form(true, true),
         "813.7",
         {"44.0", "60.8", "88.2", "109.8", "25.5"},
         {"61.4", "223.8", "148.9", "74.9", "89.5", "195.3", "195.3"}},
        {Sample_Form(false, false),
         "825.6",
         {"44.0", "67.6", "100.0", "26.0"},
         {"62.6", "338.5", "115.6", "90.8", "198.2", "198.2"}},
        {topBmep, "845.9", {}, {}},
    };
    for (const auto& c : cases) {
        const auto run = Calc_Design(c.form);
        ASSERT_TRUE(run.ok()) << run.failure->title;
        const Result_Table t = Make_Result_Table(run.value.state);
        EXPECT_EQ(t.TexTotLth, c.tuned);
        EXPECT_EQ(t.PrtDia, "40.0");
        EXPECT_EQ(t.PrtLth, "20.0");
        if (!c.diam.empty()) {
            EXPECT_EQ(t.Texdiam, c.diam);
            EXPECT_EQ(t.Texlen, c.lnth);
        }
    }
    const DsnResult r = Calc_Design(Sample_Form(true, true)).value.result;
    EXPECT_EQ(r.GasTemp, 848.15f);
    EXPECT_EQ(Shown(r.SoundSpeed, "#0.00"), "583.77");
    EXPECT_EQ(Shown(r.MaxPrtLnth, "#0.00"), "81.37");
    EXPECT_EQ(r.Lnth[6], r.Lnth[5]); // the tail pipe is the very same value as the rear cone
    EXPECT_EQ(Calc_Design(Sample_Form(false, false)).value.result.GasTemp, 873.15f);
    EXPECT_EQ(Calc_Design(topBmep).value.result.Diam[3], 130.0f);
    EXPECT_EQ(Calc_Design(topBmep).value.result.Diam[4], 24.0f);
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

TEST(Design, LxAtItsLimitLeavesNoHeader) {
    Design_Form f = Sample_Form(true, true);
    const float limit = Calc_Design(f).value.result.MaxPrtLnth;
    f.Texh[TexhLX] = Text(limit);
    const auto atLimit = Calc_Design(f);
    ASSERT_TRUE(atLimit.ok());
    EXPECT_NEAR(atLimit.value.state.Lnth[0], 0.0f, 1e-5);
    f.Texh[TexhLX] = Text(std::nextafter(limit, 1000.0f));
    const auto beyond = Calc_Design(f);
    ASSERT_TRUE(beyond.failure);
    EXPECT_EQ(beyond.failure->title, "Unacceptable Length from Piston Face to Barrel Flange");
    EXPECT_EQ(beyond.value.state.ETotal, atLimit.value.state.ETotal); // known before the check
}

TEST(Design, TwoStageKeepsTheThreeStageOnlyEntries) {
    const Design_State three = Calc_Design(Sample_Form(true, true)).value.state;
    const Design_State two = Calc_Design(Sample_Form(false, false), three).value.state;
    EXPECT_EQ(two.Diam[4], three.Diam[4]);
    EXPECT_EQ(two.Lnth[6], three.Lnth[6]);
    EXPECT_FALSE(two.ThreeStage);
    EXPECT_EQ(Make_Result_Table(two).Texdiam.size(), 4u);
    EXPECT_EQ(Make_Result_Table(two).Texlen.size(), 6u);
    double sum = 20; // LX and every section but the tail pipe make the tuned length
    for (int j = 0; j < two.Numlen; ++j)
        sum += two.Lnth[j];
    EXPECT_NEAR(sum, two.ETotal, 1e-3);
}

struct Failure_Case {
    const char* what;
    std::function<void(Design_Form&)> edit;
    Field_Failure expected;
};

TEST(Design, FirstFailureWithItsMessageAndFocus) {
    const std::string twice = "\r\n\r\n";
    const auto text = [](Texh_Index i, const char* t) {
        return [i, t](Design_Form& f) { f.Texh[i] = t; };
    };
    const std::vector<Failure_Case> cases = {
        {"nothing chosen, nothing typed",
         [](Design_Form& f) { f = Design_Form{}; },
         {"Diffuser Type Not Set", "Select an Option for the Diffuser Type", -1, false}},
        {"no temperature option, no coefficient option",
         [](Design_Form& f) { f.TempSource = f.CoefSource = Value_Source::Unset; },
         {"Exhaust Temperature Option Not Set",
          "Select an Option for the Exhaust Temperature setting", -1, false}},
        {"no coefficient option",
         [](Design_Form& f) { f.CoefSource = Value_Source::Unset; },
         {"Diameter Coefficients Option Not Set",
          "Select an Option for the Diameter Coefficient settings", -1, false}},
        {"horn high",
         text(TexhHorn, "2.01"),
         {"Horn Coefficient Out of Range", "Enter a value between 1.25 and 2.0", TexhHorn, false}},
        {"bmep needed by the coefficients only",
         [](Design_Form& f) {
             f.CoefSource = Value_Source::FromBmep;
             f.Texh[TexhBmep] = "7.99";
         },
         {"Target BMEP value is Out of Range", "Enter a value between 8 and 12", TexhBmep, false}},
        {"temperature huge",
         text(TexhTemp, "1e39"),
         {"Mean Exhaust Temperature Out of Range", "Enter a value between 450C and 650C", TexhTemp,
          false}},
        {"dx low",
         text(TexhDX, "0.99"),
         {"Exhaust Port Effective Diameter Out of Range", "Enter a value between 1 and 100", TexhDX,
          false}},
        {"d1 too small",
         text(TexhD1, "39.9"),
         {"Barrel Flange Diameter Too Small",
          "The Barrel Flange Diameter must not be less than the Port Effective Diameter" + twice +
              "Enter a new value.",
          TexhD1, false}},
        {"d1 infinite",
         text(TexhD1, "1e400"),
         {"Barrel Flange Diameter Too Large",
          "The Barrel Flange Diameter must not exceed 1.2 x Port Effective Diameter" + twice +
              "Enter a new value.",
          TexhD1, false}},
        {"lx short",
         text(TexhLX, "1.9"),
         {"Barrel Exhaust Duct Length too small", "Enter a larger value", TexhLX, false}},
        {"lx long",
         text(TexhLX, "100.1"),
         {"Barrel Exhaust Duct Length too large", "Enter a smaller value", TexhLX, false}},
        {"mid low",
         text(TexhMid, "2.1"),
         {"Mid Section Diameter Coefficient Out of Range", "Enter a value between 2.125 and 3.25",
          TexhMid, false}},
        {"mid and tail empty: mid first",
         [](Design_Form& f) { f.Texh[TexhMid] = f.Texh[TexhTail] = ""; },
         {"Mid-Section Diameter Coefficient Not Set",
          "Enter a value for the Mid-Section Diameter Coefficient", TexhMid, true}},
        {"tail high",
         text(TexhTail, "0.81"),
         {"Tail Pipe Diameter Coefficient Out of Range", "Enter a value between 0.5 and 0.8",
          TexhTail, false}},
        {"angle low",
         text(TexhAngle, "69.9"),
         {"Exhaust Port Opening Angle Out of Range", "Enter a value between 70 and 105", TexhAngle,
          false}},
        {"speed high",
         text(TexhSpeed, "50001"),
         {"Engine Speed Out of Range", "Enter a value between 1000 and 50000", TexhSpeed, false}},
        {"lx beyond a tenth of the tuned length",
         [](Design_Form& f) {
             f = Sample_Form(true, true);
             f.Texh[TexhLX] = "90";
         },
         {"Unacceptable Length from Piston Face to Barrel Flange",
          "The Length from Piston Face to Barrel Flange is Too Long" + twice +
              "This Length must Not Exceed 81.3 mm",
          TexhLX, false}},
    };
    for (const auto& c : cases) {
        Design_Form f = Sample_Form(true, false);
        c.edit(f);
        const auto run = Calc_Design(f);
        ASSERT_TRUE(run.failure) << c.what;
        EXPECT_EQ(*run.failure, c.expected) << c.what << ": " << run.failure->title;
    }
}

TEST(Design, FieldsNotNeededAreNeverRead) {
    Design_Form f = Sample_Form(false, false);
    f.Texh[TexhHorn] = f.Texh[TexhBmep] = "abc";
    EXPECT_TRUE(Calc_Design(f).ok());
    f = Sample_Form(true, true);
    f.Texh[TexhTemp] = f.Texh[TexhMid] = f.Texh[TexhTail] = "abc";
    EXPECT_TRUE(Calc_Design(f).ok());
}

TEST(Design, FlangeRatioWarnings) {
    const Field_Warning less{"WARNING - Barrel Flange Diameter less than the Recommended Limit",
                             "The Barrel Flange Diameter is less than 1.05 x Port Effective "
                             "Diameter",
                             TexhD1};
    const Field_Warning exceeds{"WARNING - Barrel Flange Diameter exceeds the Recommended Limit",
                                "The Barrel Flange Diameter exceeds 1.125 x Exhaust Port "
                                "Effective Diameter",
                                TexhD1};
    const struct {
        const char* d1;
        std::vector<Field_Warning> warnings;
        bool fails;
    } cases[] = {
        {"39.9", {}, true},         {"40.0", {less}, false}, {"41.9", {less}, false},
        {"42.0", {}, false},        {"45.0", {}, false},     {"45.1", {exceeds}, false},
        {"48.0", {exceeds}, false}, {"48.1", {}, true},
    };
    for (const auto& c : cases) {
        Design_Form f = Sample_Form(true, false);
        f.Texh[TexhD1] = c.d1;
        const auto run = Calc_Design(f);
        EXPECT_EQ(run.failure.has_value(), c.fails) << c.d1;
        EXPECT_EQ(run.warnings, c.warnings) << c.d1;
    }
    // A warning comes before a later failure.
    Design_Form f = Sample_Form(true, false);
    f.Texh[TexhD1] = "41";
    f.Texh[TexhSpeed] = "";
    const auto run = Calc_Design(f);
    EXPECT_EQ(run.warnings, std::vector<Field_Warning>{less});
    ASSERT_TRUE(run.failure);
    EXPECT_EQ(run.failure->title, "Engine Speed Not Set");
}

TEST(Design, BoundsAreAccepted) {
    const struct {
        Texh_Index field;
        const char* text;
    } cases[] = {
        {TexhHorn, "1.25"},  {TexhHorn, "2.0"},    {TexhTemp, "450"},  {TexhTemp, "650"},
        {TexhDX, "1"},       {TexhDX, "100"},      {TexhMid, "2.125"}, {TexhMid, "3.25"},
        {TexhTail, "0.5"},   {TexhTail, "0.8"},    {TexhAngle, "70"},  {TexhAngle, "105"},
        {TexhSpeed, "1000"}, {TexhSpeed, "50000"}, {TexhLX, "2"},
    };
    for (const auto& c : cases) {
        Design_Form f = Sample_Form(true, false);
        f.Texh[c.field] = c.text;
        if (c.field == TexhDX) // keep the flange within its ratio to DX
            f.Texh[TexhD1] = c.text;
        if (c.field == TexhSpeed)
            f.Texh[TexhLX] = "2"; // a short tuned length needs a short duct
        const auto run = Calc_Design(f);
        EXPECT_TRUE(run.ok()) << c.field << "=" << c.text << ": "
                              << (run.failure ? run.failure->title : "");
    }
    for (const char* bmep : {"8", "12"}) {
        Design_Form f = Sample_Form(true, true);
        f.Texh[TexhBmep] = bmep;
        EXPECT_TRUE(Calc_Design(f).ok()) << bmep;
    }
}

TEST(Design, FailingRunKeepsWhatItRead) {
    Design_State before;
    before.ETotal = 123;
    before.Diam[3] = 77;
    Design_Form f = Sample_Form(true, false);
    f.Texh[TexhLX] = "1.5";
    const auto run = Calc_Design(f, before);
    ASSERT_TRUE(run.failure);
    const Design_State& s = run.value.state;
    EXPECT_EQ(s.PrtDiam, 40.0f);
    EXPECT_EQ(s.Diam[0], 44.0f);
    EXPECT_EQ(s.PrtLnth, 1.5f); // read, though rejected by its range
    EXPECT_EQ(s.ETotal, 123.0f);
    EXPECT_EQ(s.Diam[3], 77.0f);
    EXPECT_EQ(s.Numdiam, 0);
}

} // namespace
