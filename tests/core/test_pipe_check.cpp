// The pipe check runs the design backwards: a designed pipe's own figures must give back
// its speed, in millimetres and in inches; and two designs compared show the differences of
// their result tables.

#include "core/chamber/pipe_check.h"
#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// The check of a designed pipe as its result table shows it.
Pipe_Check_Inputs Check_Of(const Design_Form& form, const Result_Table& table, bool inches) {
    const auto unit = [inches](const std::string& mm) {
        return inches ? Significant_Text(Number_Value_Double(mm) / Mm_Per_Inch, 17) : mm;
    };
    Pipe_Check_Inputs in;
    in.form = form;
    in.form.Texh[TexhSpeed] = "not read";
    in.inches = inches;
    for (int i : {TexhDX, TexhD1, TexhLX})
        in.form.Texh[static_cast<size_t>(i)] = unit(form.Texh[static_cast<size_t>(i)]);
    for (size_t k = 0; k + 1 < table.Texlen.size(); ++k) // to the tail pipe's entry
        in.lengths[k] = unit(table.Texlen[k]);
    for (size_t k = 1; k < table.Texdiam.size(); ++k)
        in.diameters[k - 1] = unit(table.Texdiam[k]);
    return in;
}

TEST(PipeCheck, FindsTheSpeedOfRandomDesignsFromTheirShownFigures) {
    std::mt19937 random(1206);
    const auto pick = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    int checked = 0;
    for (int n = 0; n < 3000; ++n) {
        Design_Form form;
        form.Diffuser = n % 2 ? Diffuser_Type::ThreeStage : Diffuser_Type::TwoStage;
        form.TempSource = n % 3 ? Value_Source::Typed : Value_Source::FromBmep;
        form.CoefSource = n % 5 ? Value_Source::Typed : Value_Source::FromBmep;
        const double dx = pick(20, 80), rpm = pick(3000, 20000);
        form.Texh = {Short_Fixed(pick(450, 650), 1),
                     Short_Fixed(pick(70, 105), 2),
                     Short_Fixed(rpm, 0),
                     Short_Fixed(pick(8, 12), 2),
                     Short_Fixed(pick(0.5, 0.8), 3),
                     Short_Fixed(pick(2, 40), 1),
                     Short_Fixed(pick(2.125, 3.25), 3),
                     Short_Fixed(pick(1.25, 2), 2),
                     Short_Fixed(dx, 1),
                     Short_Fixed(dx * pick(1.05, 1.12), 1)};
        const auto design = Calc_Design(form);
        if (!design.ok())
            continue; // LX beyond a tenth of a short pipe
        ++checked;
        const Result_Table table = Make_Result_Table(design.value.state);
        const double speed = design.value.input.EngineSpeed, tuned = design.value.result.ETotal;
        const auto mm = Calc_Pipe_Check(Check_Of(form, table, false));
        ASSERT_TRUE(mm.ok()) << mm.failure->title;
        // Each shown length is within 0.05 mm of the design's: so is the speed, in proportion.
        const double shownLengths = static_cast<double>(table.Texlen.size());
        EXPECT_LE(std::fabs(mm.value.rpm - speed), speed * (0.05 * shownLengths + 0.01) / tuned);
        // Designing at the speed found gives the measured tuned length back.
        EXPECT_NEAR(mm.value.design.result.ETotal, mm.value.tunedLength, 2e-3);
        // The speed goes as the speed of sound over the length.
        const double t = mm.value.tunedLength, kelvin = mm.value.gasTempC + 273.15;
        EXPECT_NEAR(mm.value.rpmPer10mmHeader, mm.value.rpm * t / (t + 10) - mm.value.rpm, 1e-6);
        EXPECT_NEAR(mm.value.rpmAtTempPlus50, mm.value.rpm * std::sqrt((kelvin + 50) / kelvin),
                    1e-6 * speed);
        EXPECT_NEAR(mm.value.rpmAtTempMinus50, mm.value.rpm * std::sqrt((kelvin - 50) / kelvin),
                    1e-6 * speed);
        const auto in = Calc_Pipe_Check(Check_Of(form, table, true));
        ASSERT_TRUE(in.ok()) << in.failure->title;
        EXPECT_NEAR(in.value.rpm, mm.value.rpm, 1e-6);
    }
    EXPECT_GT(checked, 2000);
}

TEST(PipeCheck, RefusesWhatTheDesignWouldAndNamesASpeedOutsideIt) {
    const Result_Table table = Make_Result_Table(Calc_Design(Sample_Form(true, true)).value.state);
    const struct {
        const char* name;
        bool inches;
        int field; // PipeTxt index whose text is replaced, or -1 for every length
        const char* text;
        int16_t focus;
        const char* title;
        const char* promptPart;
    } cases[] = {
        {"empty L1", false, Pipe_Length_Field, " ", Pipe_Length_Field, "Length L1 Not Set",
         "Enter a value for the Length L1"},
        {"L3 no number", false, Pipe_Length_Field + 2, "1,5", Pipe_Length_Field + 2,
         "Length L3 Incorrectly Set", ""},
        {"D2 too small", false, Pipe_Diameter_Field, "0.5", Pipe_Diameter_Field,
         "Diameter D2 Out of Range", "between 1 and 1000 mm"},
        {"D5 in inches", true, Pipe_Diameter_Field + 3, "40", Pipe_Diameter_Field + 3,
         "Diameter D5 Out of Range", "between 0.04 and 39.37 inches"},
        {"DX in inches", true, TexhDX, "5", TexhDX, "Exhaust Port Effective Diameter Out of Range",
         "5 in is 127 mm"},
        {"a short pipe", false, -1, "2", Pipe_Length_Field, "Pipe Outside the Design Speeds",
         "from 1000 to 50000 rpm"},
        {"LX over a tenth", false, TexhLX, "90", TexhLX,
         "Unacceptable Length from Piston Face to Barrel Flange", "Not Exceed 88.3 mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Pipe_Check_Inputs in = Check_Of(Sample_Form(true, true), table, c.inches);
        if (c.field < 0)
            in.lengths.fill(c.text);
        else if (c.field >= Pipe_Diameter_Field)
            in.diameters[static_cast<size_t>(c.field - Pipe_Diameter_Field)] = c.text;
        else if (c.field >= Pipe_Length_Field)
            in.lengths[static_cast<size_t>(c.field - Pipe_Length_Field)] = c.text;
        else
            in.form.Texh[static_cast<size_t>(c.field)] = c.text;
        const auto run = Calc_Pipe_Check(in);
        ASSERT_FALSE(run.ok());
        EXPECT_EQ(run.failure->title, c.title);
        EXPECT_EQ(run.failure->field, c.focus);
        EXPECT_NE(run.failure->prompt.find(c.promptPart), std::string::npos) << run.failure->prompt;
    }
}

// A design against itself differs nowhere; against the same engine at another speed, by
// the differences of the two result tables.
TEST(CompareDesigns, ShowsTheDifferencesOfTheResultTables) {
    for (bool three : {true, false}) {
        Design_Form slower = Sample_Form(three, three);
        slower.Texh[TexhSpeed] = "9500";
        const Design_State a = Calc_Design(Sample_Form(three, three)).value.state;
        const Design_State b = Calc_Design(slower).value.state;
        for (const Compare_Row& r : Compare_Designs(a, a))
            if (r.a) {
                EXPECT_EQ(Format_Number(*r.difference, "###0.0"), "0.0") << r.name;
            }
        const Result_Table ta = Make_Result_Table(a), tb = Make_Result_Table(b);
        std::vector<std::pair<std::string, std::string>> shown = {{ta.PrtDia, tb.PrtDia},
                                                                  {ta.PrtLth, tb.PrtLth}};
        for (size_t i = 0; i < ta.Texdiam.size(); ++i)
            shown.emplace_back(ta.Texdiam[i], tb.Texdiam[i]);
        shown.resize(7, {"", ""});
        for (size_t i = 0; i < ta.Texlen.size(); ++i)
            shown.emplace_back(ta.Texlen[i], tb.Texlen[i]);
        shown.resize(14, {"", ""});
        shown.emplace_back(ta.TexTotLth, tb.TexTotLth);
        const std::vector<Compare_Row> rows = Compare_Designs(a, b);
        ASSERT_EQ(rows.size(), shown.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE(rows[i].name);
            ASSERT_EQ(rows[i].difference.has_value(), !shown[i].first.empty());
            if (rows[i].difference) {
                EXPECT_EQ(Format_Number(*rows[i].difference, "###0.0"),
                          Format_Number(std::stod(shown[i].first) - std::stod(shown[i].second),
                                        "###0.0"));
            }
        }
        const std::string svg = Pipe_Overlay_Svg(a, "A & <1>", b, "B");
        EXPECT_NE(svg.find("A: A &amp; &lt;1&gt;"), std::string::npos);
        EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
    }
}

} // namespace
