#include "design/dsn_check.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// A valid three-stage design with every value typed, as the window would hold it.
Dsn_Form_Input validForm() {
    return Sample_Form(true, false);
}

struct FailureCase {
    const char* what;
    std::function<void(Dsn_Form_Input&)> edit;
    Field_Failure expected;
};

TEST(DsnCheck, FirstFailureWithItsMessageAndFocus) {
    const std::string br = "\r\n\r\n";
    const std::vector<FailureCase> cases = {
        {"nothing chosen",
         [](Dsn_Form_Input& f) { f = Dsn_Form_Input{}; },
         {"Diffuser Type Not Set", "Select an Option for the Diffuser Type", -1, false}},
        {"no temperature option",
         [](Dsn_Form_Input& f) { f.Option1[2] = f.Option1[3] = f.Option1[4] = false; },
         {"Exhaust Temperature Option Not Set",
          "Select an Option for the Exhaust Temperature setting", -1, false}},
        {"no coefficient option",
         [](Dsn_Form_Input& f) { f.Option1[4] = false; },
         {"Diameter Coefficients Option Not Set",
          "Select an Option for the Diameter Coefficient settings", -1, false}},
        {"horn blank",
         [](Dsn_Form_Input& f) { f.Texh[TexhHorn] = "   "; },
         {"Horn Coefficient Not Set", "Enter a value for the Horn Coefficient", TexhHorn, true}},
        {"horn letters",
         [](Dsn_Form_Input& f) { f.Texh[TexhHorn] = "abc"; },
         {"Horn Coefficient Incorrectly Set", "Enter a value for the Horn Coefficient", TexhHorn,
          false}},
        {"horn high",
         [](Dsn_Form_Input& f) { f.Texh[TexhHorn] = "2.01"; },
         {"Horn Coefficient Out of Range", "Enter a value between 1.25 and 2.0", TexhHorn, false}},
        {"bmep needed by the temperature",
         [](Dsn_Form_Input& f) {
             f.Option1[2] = false;
             f.Option1[3] = true;
             f.Texh[TexhBmep] = "";
         },
         {"Target BMEP Not Set", "Enter a value for the Target BMEP", TexhBmep, true}},
        {"bmep low",
         [](Dsn_Form_Input& f) {
             f.Option1[4] = false;
             f.Option1[5] = true;
             f.Texh[TexhBmep] = "7.99";
         },
         {"Target BMEP value is Out of Range", "Enter a value between 8 and 12", TexhBmep, false}},
        {"temperature huge",
         [](Dsn_Form_Input& f) { f.Texh[TexhTemp] = "1e39"; },
         {"Mean Exhaust Temperature Out of Range", "Enter a value between 450C and 650C", TexhTemp,
          false}},
        {"temperature kelvin",
         [](Dsn_Form_Input& f) { f.Texh[TexhTemp] = "873"; },
         {"Mean Exhaust Temperature Out of Range", "Enter a value between 450C and 650C", TexhTemp,
          false}},
        {"dx empty",
         [](Dsn_Form_Input& f) { f.Texh[TexhDX] = ""; },
         {"Exhaust Port Effective Diameter Not Set",
          "Enter a value for the Exhaust Port Effective Diameter", TexhDX, true}},
        {"dx zero",
         [](Dsn_Form_Input& f) { f.Texh[TexhDX] = "0.99"; },
         {"Exhaust Port Effective Diameter Out of Range", "Enter a value between 1 and 100", TexhDX,
          false}},
        {"d1 thousands",
         [](Dsn_Form_Input& f) { f.Texh[TexhD1] = "4,4"; },
         {"Barrel Flange Diameter Incorrectly Set", "Enter a value for the Barrel Flange Diameter",
          TexhD1, false}},
        {"d1 too small",
         [](Dsn_Form_Input& f) { f.Texh[TexhD1] = "39.9"; },
         {"Barrel Flange Diameter Too Small",
          "The Barrel Flange Diameter must not be less than the Port Effective Diameter" + br +
              "Enter a new value.",
          TexhD1, false}},
        {"d1 too large",
         [](Dsn_Form_Input& f) { f.Texh[TexhD1] = "48.1"; },
         {"Barrel Flange Diameter Too Large",
          "The Barrel Flange Diameter must not exceed 1.2 x Port Effective Diameter" + br +
              "Enter a new value.",
          TexhD1, false}},
        {"d1 infinite",
         [](Dsn_Form_Input& f) { f.Texh[TexhD1] = "1e400"; },
         {"Barrel Flange Diameter Too Large",
          "The Barrel Flange Diameter must not exceed 1.2 x Port Effective Diameter" + br +
              "Enter a new value.",
          TexhD1, false}},
        {"lx blank",
         [](Dsn_Form_Input& f) { f.Texh[TexhLX] = " "; },
         {"Barrel Exhaust Duct Length Not Set", "Enter a value for the Barrel Duct Length", TexhLX,
          true}},
        {"lx short",
         [](Dsn_Form_Input& f) { f.Texh[TexhLX] = "1.9"; },
         {"Barrel Exhaust Duct Length too small", "Enter a larger value", TexhLX, false}},
        {"lx long",
         [](Dsn_Form_Input& f) { f.Texh[TexhLX] = "100.1"; },
         {"Barrel Exhaust Duct Length too large", "Enter a smaller value", TexhLX, false}},
        {"mid low",
         [](Dsn_Form_Input& f) { f.Texh[TexhMid] = "2.1"; },
         {"Mid Section Diameter Coefficient Out of Range", "Enter a value between 2.125 and 3.25",
          TexhMid, false}},
        {"mid and tail empty: mid first",
         [](Dsn_Form_Input& f) { f.Texh[TexhMid] = f.Texh[TexhTail] = ""; },
         {"Mid-Section Diameter Coefficient Not Set",
          "Enter a value for the Mid-Section Diameter Coefficient", TexhMid, true}},
        {"tail high",
         [](Dsn_Form_Input& f) { f.Texh[TexhTail] = "0.81"; },
         {"Tail Pipe Diameter Coefficient Out of Range", "Enter a value between 0.5 and 0.8",
          TexhTail, false}},
        {"angle letters",
         [](Dsn_Form_Input& f) { f.Texh[TexhAngle] = "88deg"; },
         {"Exhaust Port Opening Angle Incorrectly Set",
          "Enter a value for the Exhaust Port Opening Angle", TexhAngle, false}},
        {"angle low",
         [](Dsn_Form_Input& f) { f.Texh[TexhAngle] = "69.9"; },
         {"Exhaust Port Opening Angle Out of Range", "Enter a value between 70 and 105", TexhAngle,
          false}},
        {"speed high",
         [](Dsn_Form_Input& f) { f.Texh[TexhSpeed] = "50001"; },
         {"Engine Speed Out of Range", "Enter a value between 1000 and 50000", TexhSpeed, false}},
        {"speed empty",
         [](Dsn_Form_Input& f) { f.Texh[TexhSpeed] = ""; },
         {"Engine Speed Not Set", "Enter a value for the Engine Speed", TexhSpeed, true}},
        {"lx beyond a tenth of the tuned length",
         [](Dsn_Form_Input& f) {
             f.Option1 = {false, true, false, true, false, true};
             f.Texh[TexhBmep] = "10";
             f.Texh[TexhLX] = "90";
         },
         {"Unacceptable Length from Piston Face to Barrel Flange",
          "The Length from Piston Face to Barrel Flange is Too Long" + br +
              "This Length must Not Exceed 81.3 mm",
          TexhLX, false}},
    };
    for (const auto& c : cases) {
        Dsn_Form_Input f = validForm();
        c.edit(f);
        const Dsn_Check r = Check_Dsn_Input(f);
        ASSERT_TRUE(r.failure) << c.what;
        EXPECT_EQ(*r.failure, c.expected) << c.what << ": " << r.failure->title;
    }
}

TEST(DsnCheck, FieldsNotNeededAreNeverRead) {
    Dsn_Form_Input f = validForm();
    // Two stages: the horn coefficient is ignored; typed values: the BMEP is ignored.
    f.Option1[0] = true;
    f.Option1[1] = false;
    f.ThreeStage = false;
    f.Texh[TexhHorn] = "abc";
    f.Texh[TexhBmep] = "abc";
    EXPECT_TRUE(Check_Dsn_Input(f).ok());
    // Both from BMEP: the temperature and coefficient fields are ignored.
    f = validForm();
    f.Option1 = {false, true, false, true, false, true};
    f.Texh[TexhBmep] = "10";
    f.Texh[TexhTemp] = f.Texh[TexhMid] = f.Texh[TexhTail] = "abc";
    EXPECT_TRUE(Check_Dsn_Input(f).ok());
}

TEST(DsnCheck, FlangeRatioWarnings) {
    struct {
        const char* d1;
        int warning; // 0 none, 1 less than, 2 exceeds
        bool fails;
    } cases[] = {
        {"39.9", 0, true},  {"40.0", 1, false}, {"41.9", 1, false}, {"42.0", 0, false},
        {"45.0", 0, false}, {"45.1", 2, false}, {"48.0", 2, false}, {"48.1", 0, true},
    };
    for (const auto& c : cases) {
        Dsn_Form_Input f = validForm();
        f.Texh[TexhD1] = c.d1;
        const Dsn_Check r = Check_Dsn_Input(f);
        EXPECT_EQ(r.failure.has_value(), c.fails) << c.d1;
        ASSERT_EQ(r.warnings.size(), c.warning ? 1u : 0u) << c.d1;
        if (c.warning == 1) {
            EXPECT_EQ(r.warnings[0],
                      (Field_Failure{"WARNING - Barrel Flange Diameter less than the Recommended "
                                     "Limit",
                                     "The Barrel Flange Diameter is less than 1.05 x Port "
                                     "Effective Diameter",
                                     TexhD1, false}));
        } else if (c.warning == 2) {
            EXPECT_EQ(r.warnings[0],
                      (Field_Failure{"WARNING - Barrel Flange Diameter exceeds the Recommended "
                                     "Limit",
                                     "The Barrel Flange Diameter exceeds 1.125 x Exhaust Port "
                                     "Effective Diameter",
                                     TexhD1, false}));
        }
    }
    // A warning comes before a later failure.
    Dsn_Form_Input f = validForm();
    f.Texh[TexhD1] = "41";
    f.Texh[TexhSpeed] = "";
    const Dsn_Check r = Check_Dsn_Input(f);
    EXPECT_EQ(r.warnings.size(), 1u);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->title, "Engine Speed Not Set");
}

TEST(DsnCheck, BoundsAreAccepted) {
    struct {
        Texh_Index field;
        const char* text;
    } cases[] = {
        {TexhHorn, "1.25"},  {TexhHorn, "2.0"},    {TexhTemp, "450"},  {TexhTemp, "650"},
        {TexhDX, "1"},       {TexhDX, "100"},      {TexhMid, "2.125"}, {TexhMid, "3.25"},
        {TexhTail, "0.5"},   {TexhTail, "0.8"},    {TexhAngle, "70"},  {TexhAngle, "105"},
        {TexhSpeed, "1000"}, {TexhSpeed, "50000"}, {TexhLX, "2"},
    };
    for (const auto& c : cases) {
        Dsn_Form_Input f = validForm();
        f.Texh[c.field] = c.text;
        if (c.field == TexhDX) // keep the flange within its ratio to DX
            f.Texh[TexhD1] = c.text;
        if (c.field == TexhSpeed && std::string(c.text) == "50000")
            f.Texh[TexhLX] = "2"; // a short tuned length needs a short duct
        const Dsn_Check r = Check_Dsn_Input(f);
        EXPECT_TRUE(r.ok()) << c.field << "=" << c.text << ": "
                            << (r.failure ? r.failure->title : "");
    }
    for (const char* bmep : {"8", "12"}) {
        Dsn_Form_Input f = validForm();
        f.Option1 = {false, true, false, true, false, true};
        f.Texh[TexhBmep] = bmep;
        EXPECT_TRUE(Check_Dsn_Input(f).ok()) << bmep;
    }
}

TEST(DsnCheck, LxEqualToTheLimitIsAccepted) {
    Dsn_Form_Input f = validForm();
    Dsn_Check r = Check_Dsn_Input(f);
    ASSERT_TRUE(r.ok());
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(r.result.MaxPrtLnth));
    f.Texh[TexhLX] = text;
    r = Check_Dsn_Input(f);
    EXPECT_TRUE(r.ok());
    std::snprintf(text, sizeof text, "%.9g",
                  static_cast<double>(std::nextafter(r.result.MaxPrtLnth, 1000.0f)));
    f.Texh[TexhLX] = text;
    r = Check_Dsn_Input(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->title, "Unacceptable Length from Piston Face to Barrel Flange");
    EXPECT_TRUE(r.ETotal); // the tuned length is known before the limit check fails
}

TEST(DsnCheck, FormValuesAssignedOnTheWay) {
    Dsn_Form_Input f = validForm();
    f.Texh[TexhLX] = "1.5";
    const Dsn_Check r = Check_Dsn_Input(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.PrtDiam, 40.0f);
    EXPECT_EQ(r.Diam0, 44.0f);
    EXPECT_EQ(r.PrtLnth, 1.5f); // read, though rejected by its range
    EXPECT_FALSE(r.ETotal);
}

} // namespace
