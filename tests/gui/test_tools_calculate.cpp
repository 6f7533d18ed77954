// "Calculate" in the four calculators: the result lines, the failure boxes with their focus
// moves, the edits that hide a result, and the BMEP window's unit choice.

#include "gui_support.h"

#include "common/field_failure.h"

namespace {

struct Calc_Case {
    const char* name;
    int16_t tool;   // the Tools item that opens the calculator
    int16_t option; // the option clicked first (BHP_Opt or ProfOpt), -1 none
    Typed_Texts texts;
    std::vector<Box> boxes;                                 // empty: a result
    std::vector<std::pair<std::string, std::string>> shown; // result label, caption
    const char* focus;                                      // focus afterwards
    const char* focusText;                                  // its text, nullptr: not checked
};
void PrintTo(const Calc_Case& c, std::ostream* os) {
    *os << c.name;
}

class Calculate : public Program_Test, public ::testing::WithParamInterface<Calc_Case> {};

TEST_P(Calculate, ShowsTheResultOrTheFirstFailure) {
    const Calc_Case& c = GetParam();
    Open_Tool(c.tool);
    Form& w = Tool_Window(c.tool);
    if (c.option >= 0) {
        Click_Into(Find_Control<OptionButton>(w, (c.tool == 0 ? "BHP_Opt(" : "ProfOpt(") +
                                                     std::to_string(c.option) + ")"));
    }
    Set_Texts(w, c.texts);
    Find_Control<TextBox>(w, c.texts.front().first).SetFocus();
    Click_Into(Tool_Command(c.tool, 1));
    EXPECT_EQ(boxes, c.boxes);
    std::set<std::string> results;
    for (const auto& [name, caption] : c.shown) {
        const Label& l = Find_Control<Label>(w, name);
        EXPECT_EQ(l.Caption(), caption);
        EXPECT_TRUE(Fits_On_One_Line(l)) << name;
        results.insert(name);
    }
    // Exactly the expected result labels (or none) are shown.
    for (const char* r : {"BHP_Lab(4)", "HghtLab(4)", "DiamLab(4)", "ProfLab(8)", "DiamFram"}) {
        for (Control* k : w.Controls()) {
            if (k->Name() == r) {
                const bool expected = results.count(r) ||
                                      (std::string(r) == "DiamFram" && results.count("ProfLab(6)"));
                EXPECT_EQ(k->Visible(), expected) << r;
            }
        }
    }
    Expect_No_Overlap(w);
    EXPECT_EQ(Focus_Of(w), c.focus);
    if (c.focusText) {
        EXPECT_EQ(Find_Control<TextBox>(w, c.focus).Text(), c.focusText);
    }
}

const std::vector<const char*> Five30 = {"30", "30", "30", "30", "30"};
const std::vector<const char*> Bridged9 = {"12", "17", "20", "21", "22", "21", "20", "17", "12"};

// One row per case: name, Tools item, option clicked first, texts; the boxes, or the
// result labels with their captions; the focus afterwards and its field's text.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Tools, Calculate, ::testing::Values(
    Calc_Case{"BmepInKw", 0, 1, Bmep_Texts("54", "54.5", "12000", "30"), {},
        {{"BHP_Lab(4)", "The Brake Mean Effective Pressure is 12.02 bar"}}, "BHP_Txt(0)", nullptr},
    Calc_Case{"BmepInHp", 0, 0, Bmep_Texts("54", "54.5", "12000", "40"), {},
        {{"BHP_Lab(4)", "The Brake Mean Effective Pressure is 11.95 bar"}}, "BHP_Txt(0)", nullptr},
    Calc_Case{"BmepBlankStrokeIsEmptied", 0, 1, Bmep_Texts("54", "   ", "12000", "30"),
        {{"Piston Stroke Not Set", "Enter a value for the Stroke"}}, {}, "BHP_Txt(1)", ""},
    Calc_Case{"BmepRatioFocusesTheBore", 0, 1, Bmep_Texts("50", "80.1", "12000", "30"),
        {{"The Stroke/Bore Ratio is Out of Range", "Enter corrected value(s)"}}, {},
        "BHP_Txt(0)", "50"},
    // The port height leaves the focus on the pressed button.
    Calc_Case{"PortHeight", 1, -1, Hght_Texts("54.5", "110", "85", "180"), {},
        {{"HghtLab(4)", "The Port Height is 26.22 mm"}}, "HghtCom(1)", nullptr},
    Calc_Case{"PortHeightStartOutOfRange", 1, -1, Hght_Texts("54.5", "110", "110", "180"),
        {{"Start Open Angle Out of Range", "Enter a value between 75 and 105"}}, {},
        "HghtTxt(2)", "110"},
    Calc_Case{"PortHeightRodTooShort", 1, -1, Hght_Texts("65", "30", "90", "180"),
        {{"Connecting Rod Too Short for the Stroke",
          std::string("The crank throw reaches past the Connecting Rod Length") + CrLf +
              "Enter a smaller Stroke or a longer Connecting Rod Length"}}, {},
        "HghtTxt(0)", "65"},
    Calc_Case{"RectangularPort", 2, -1, Diam_Texts("40", "30", "20", "10"), {},
        {{"DiamLab(4)", "Diameter of the Equivalent Circular Port is 35.42 mm"}}, "DiamTxt(0)",
        nullptr},
    Calc_Case{"RectangularRadiiExceedHeight", 2, -1, Diam_Texts("40", "30", "15", "15.1"),
        {{"The Sum of the Two Radii exceeds the Port Height", "Enter replacement value(s)"}}, {},
        "DiamTxt(2)", "15"},
    Calc_Case{"SinglePort", 3, 0, Prof_Texts("50", "20", Five30), {},
        {{"ProfLab(8)", "The Equivalent Diameter of the Port is 26.81 mm"}}, "ProfTxt(0)", nullptr},
    Calc_Case{"BridgedPair", 3, 1, Prof_Texts("60", "24", Bridged9, {"6", "5", "7"}), {},
        {{"ProfLab(6)", "For a Constant Duct Section adjacent to the Port: 31.86 mm"},
         {"ProfLab(7)", "For a Widened Duct Section adjacent to the Port: 33.56 mm"}},
        "ProfTxt(0)", nullptr},
    Calc_Case{"OrdinateNotSetIsEmptied", 3, 0, Prof_Texts("50", "20", {"30", " ", "30", "", "30"}),
        {{"Ordinate Not Set", "Enter a value for Ordinate #1"}}, {}, "OrdTxt(1)", ""},
    Calc_Case{"OrdinateTooLong", 3, 1,
        Prof_Texts("60", "24", {"12", "17", "37", "21", "22"}, {"6", "5", "7"}),
        {{"Ordinate #2 too large", "Length Exceeds 60% of the bore"}}, {}, "OrdTxt(2)", "37"},
    Calc_Case{"IntervalsOutOfRange", 3, 0,
        {{"ProfTxt(0)", "50"}, {"ProfTxt(4)", "20"}, {"ProfTxt(5)", "12"}},
        {{"Number of Intervals Out of Range", "Enter a value between 4 and 10"}}, {},
        "ProfTxt(5)", "12"}),
    [](const ::testing::TestParamInfo<Calc_Case>& i) { return std::string(i.param.name); });
// clang-format on

using Calculators = Program_Test;

TEST_F(Calculators, CalculateDoesNothingWhileToolJustOpened) {
    for (int16_t tool : {0, 3}) {
        Open_Tool(tool);
        Form& w = Tool_Window(tool);
        // Texts that would calculate; the window has not been given its option yet.
        Set_Texts(w, tool == 0 ? Bmep_Texts("54", "54.5", "12000", "30")
                               : Prof_Texts("50", "20", Five30));
        Tool_Command(tool, 1).Click();
        EXPECT_TRUE(boxes.empty());
        const bool result = tool == 0 ? bmep().BHP_Lab[4].Visible()
                                      : prof().ProfLab[8].Visible() || prof().DiamFram.Visible();
        EXPECT_FALSE(result);
        EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::True);
    }
    // The port windows do not read the flag.
    Open_Tool(2);
    Set_Texts(diam(), Diam_Texts("40", "30", "5", "5"));
    diam().DiamCom[1].Click();
    EXPECT_TRUE(diam().DiamLab[4].Visible());
}

TEST_F(Calculators, BmepFirstUnitOffersTheFieldsALaterOneOnlyThePower) {
    Open_Tool(0);
    BMEPTool& b = bmep();
    Click_Into(b.BHP_Opt[0]);
    EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::False);
    EXPECT_TRUE(b.V.Power_In_Hp);
    EXPECT_EQ(b.BHP_Lab[3].Caption(), "Engine Power (hp):");
    EXPECT_EQ(Shown_Controls(b), Names("BHP_Lab", 4) + Names("BHP_Txt", 4) + Names("BHP_Opt", 2) +
                                     Names("ToolCom", 2) + Names_Set{"BHP_Fram"});
    EXPECT_EQ(Focus_Of(b), "BHP_Txt(0)");

    Set_Texts(b, Bmep_Texts("54", "54.5", "12000", "40"));
    b.ToolCom[1].Click();
    ASSERT_TRUE(b.BHP_Lab[4].Visible());
    Click_Into(b.BHP_Opt[1]);
    EXPECT_FALSE(b.V.Power_In_Hp);
    EXPECT_EQ(b.BHP_Lab[3].Caption(), "Engine Power (kW):");
    EXPECT_FALSE(b.BHP_Lab[4].Visible());
    EXPECT_EQ(Focus_Of(b), "BHP_Txt(3)");
    const std::vector<std::string> texts = {b.BHP_Txt[0].Text(), b.BHP_Txt[1].Text(),
                                            b.BHP_Txt[2].Text(), b.BHP_Txt[3].Text()};
    EXPECT_EQ(texts, (std::vector<std::string>{"54", "54.5", "12000", ""}));
}

// Every edit of a field hides the shown result.
TEST_F(Calculators, EveryEditHidesTheResult) {
    struct Row {
        int16_t tool;
        const char* option; // clicked first, nullptr none
        Typed_Texts texts;
        const char* result;
    };
    const std::vector<Row> rows = {
        {0, "BHP_Opt(1)", Bmep_Texts("54", "54.5", "12000", "30"), "BHP_Lab(4)"},
        {1, nullptr, Hght_Texts("54.5", "110", "85", "180"), "HghtLab(4)"},
        {2, nullptr, Diam_Texts("40", "30", "5", "5"), "DiamLab(4)"},
        {3, "ProfOpt(0)", Prof_Texts("50", "20", Five30), "ProfLab(8)"},
        {3, "ProfOpt(1)", Prof_Texts("60", "24", Bridged9, {"6", "5", "7"}), "DiamFram"},
    };
    for (const Row& r : rows) {
        Form& w = Tool_Window(r.tool);
        for (const auto& [field, text] : r.texts) {
            SCOPED_TRACE(field);
            Open_Tool(r.tool);
            if (r.option) {
                Click_Into(Find_Control<OptionButton>(w, r.option));
            }
            Set_Texts(w, r.texts);
            Tool_Command(r.tool, 1).Click();
            ASSERT_EQ(Shown_Controls(w).count(r.result), 1U);
            Type_Into(Find_Control<TextBox>(w, field), "1");
            EXPECT_EQ(Shown_Controls(w).count(r.result), 0U);
        }
    }
    EXPECT_TRUE(boxes.empty());
}

} // namespace
