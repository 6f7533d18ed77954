// "Calculate" in the four calculators: the result shown or the failure box with its focus
// move and emptied field, the edits that hide a result, the command inert until an option
// is clicked, and the BMEP window's unit choice.

#include "gui_support.h"

#include <map>

namespace {

struct Calc_Case {
    const char* name;
    int16_t tool;                   // the Tools item that opens the calculator
    int16_t option;                 // the option clicked first, -1 none
    std::vector<const char*> texts; // the fields in their order, nullptr: not typed
    Message_Box box;                // none when the title is empty; prompt "": not checked
    std::vector<std::pair<const char*, const char*>> results; // shown, with caption
    const char* focus;                                        // focus afterwards
    bool emptied;                                             // the focus field emptied
};
void PrintTo(const Calc_Case& c, std::ostream* os) {
    *os << c.name;
}

class Calculate : public Program_Test, public ::testing::WithParamInterface<Calc_Case> {};

TEST_P(Calculate, ShowsTheResultOrTheFirstFailureAndAnyEditHidesTheResult) {
    const Calc_Case& c = GetParam();
    Open_Tool(c.tool);
    const Calculator k = Calculator_Of(c.tool);
    if (c.option >= 0) {
        Click_Into(*k.options[static_cast<size_t>(c.option)]);
    }
    Enter(k, c.texts);
    const Names_Set before = Shown_Controls(k.w);
    std::vector<std::string> texts = Texts(k);
    Click_Into(k.calc);

    ASSERT_EQ(boxes.size(), c.box.title.empty() ? 0U : 1U);
    if (!boxes.empty()) {
        EXPECT_EQ(boxes[0].title, c.box.title);
        if (!c.box.prompt.empty()) {
            EXPECT_EQ(boxes[0], c.box);
        }
    }
    std::map<std::string, std::string> captions;
    for (const Control* l : k.w.Controls()) {
        if (auto* label = dynamic_cast<const Label*>(l)) {
            captions[label->Name()] = label->Caption();
        }
    }
    Names_Set results;
    for (const auto& [name, caption] : c.results) {
        results.insert(name);
        if (caption) {
            EXPECT_EQ(captions[name], caption) << name;
        }
    }
    EXPECT_EQ(Shown_Controls(k.w), before + results);
    for (size_t i = 0; i < texts.size(); ++i) {
        if (c.emptied && k.fields[i]->Name() == c.focus) {
            texts[i] = "";
        }
    }
    EXPECT_EQ(Texts(k), texts);
    EXPECT_EQ(Focus_Of(k.w), c.focus);
    Expect_Sound_Layout(k.w);

    for (size_t i = 0; !results.empty() && i < c.texts.size(); ++i) {
        if (c.texts[i]) {
            SCOPED_TRACE(k.fields[i]->Name());
            Enter(k, c.texts);
            k.calc.Click();
            ASSERT_EQ(Shown_Controls(k.w), before + results);
            Type_Into(*k.fields[i], "1");
            for (const std::string& r : results) {
                EXPECT_EQ(Shown_Controls(k.w).count(r), 0U) << r;
            }
        }
    }
}

const char* const Nil = nullptr; // a field not typed

// clang-format off
INSTANTIATE_TEST_SUITE_P(Tools, Calculate, ::testing::Values(
    Calc_Case{"BmepInKw", 0, 1, {"54", "54.5", "12000", "30"}, {},
        {{"BHP_Lab(4)", "The Brake Mean Effective Pressure is 12.02 bar"}}, "BHP_Txt(0)", false},
    Calc_Case{"BmepInHp", 0, 0, {"54", "54.5", "12000", "40"}, {},
        {{"BHP_Lab(4)", "The Brake Mean Effective Pressure is 11.95 bar"}}, "BHP_Txt(0)", false},
    Calc_Case{"BmepBlankStrokeIsEmptied", 0, 1, {"54", "   ", "12000", "30"},
        {"Piston Stroke Not Set", "Enter a value for the Stroke"}, {}, "BHP_Txt(1)", true},
    Calc_Case{"BmepRatioFocusesTheBore", 0, 1, {"50", "80.1", "12000", "30"},
        {"The Stroke/Bore Ratio is Out of Range", ""}, {}, "BHP_Txt(0)", false},
    // The port height leaves the focus on the pressed button.
    Calc_Case{"PortHeight", 1, -1, {"54.5", "110", "85", "180"}, {},
        {{"HghtLab(4)", "The Port Height is 26.22 mm"}}, "HghtCom(1)", false},
    Calc_Case{"PortHeightStartOutOfRange", 1, -1, {"54.5", "110", "110", "180"},
        {"Start Open Angle Out of Range", ""}, {}, "HghtTxt(2)", false},
    Calc_Case{"RectangularPort", 2, -1, {"40", "30", "20", "10"}, {},
        {{"DiamLab(4)", "Diameter of the Equivalent Circular Port is 35.42 mm"}}, "DiamTxt(0)", false},
    Calc_Case{"RectangularRadiiExceedHeight", 2, -1, {"40", "30", "15", "15.1"},
        {"The Sum of the Two Radii exceeds the Port Height", ""}, {}, "DiamTxt(2)", false},
    Calc_Case{"SinglePort", 3, 0, {"50", Nil, Nil, Nil, "20", "4", "30", "30", "30", "30", "30"}, {},
        {{"ProfLab(8)", "The Equivalent Diameter of the Port is 26.81 mm"}}, "ProfTxt(0)", false},
    Calc_Case{"BridgedPair", 3, 1,
        {"60", "6", "5", "7", "24", "8", "12", "17", "20", "21", "22", "21", "20", "17", "12"}, {},
        {{"DiamFram", Nil},
         {"ProfLab(6)", "For a Constant Duct Section adjacent to the Port: 31.86 mm"},
         {"ProfLab(7)", "For a Widened Duct Section adjacent to the Port: 33.56 mm"}},
        "ProfTxt(0)", false},
    Calc_Case{"OrdinateNotSetIsEmptied", 3, 0, {"50", Nil, Nil, Nil, "20", "4", "30", " ", "30", "", "30"},
        {"Ordinate Not Set", ""}, {}, "OrdTxt(1)", true},
    Calc_Case{"IntervalsOutOfRange", 3, 0, {"50", Nil, Nil, Nil, "20", "12"},
        {"Number of Intervals Out of Range", ""}, {}, "ProfTxt(5)", false}),
    [](const ::testing::TestParamInfo<Calc_Case>& i) { return std::string(i.param.name); });
// clang-format on

using Calculators = Program_Test;

TEST_F(Calculators, CalculateIsInertInBmepAndProfiledPortUntilAnOptionIsClicked) {
    for (int16_t tool = 0; tool < 4; ++tool) {
        Open_Tool(tool);
        const Calculator k = Calculator_Of(tool);
        Enter(k, k.example); // texts that would calculate; no option clicked yet
        Click_Into(k.calc);
        const bool inert = tool == 0 || tool == 3; // the port windows do not read the flag
        EXPECT_EQ(k.result.Visible(), !inert) << k.w.Name();
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Calculators, BmepFirstUnitOffersTheFieldsALaterOneOnlyThePower) {
    Open_Tool(0);
    const Calculator k = Calculator_Of(0);
    BMEPTool& b = bmep();
    Enter(k, {"1", "2", "3", "4"}); // hidden texts that the first unit must empty
    Click_Into(b.BHP_Opt[0]);
    EXPECT_EQ(b.BHP_Lab[3].Caption(), "Engine Power (hp):");
    EXPECT_EQ(Shown_Controls(b), Opening_Controls(0) + Names("BHP_Lab", 4) + Names("BHP_Txt", 4));
    EXPECT_EQ(Texts(k), std::vector<std::string>(4, ""));
    EXPECT_EQ(Focus_Of(b), "BHP_Txt(0)");
    Expect_Sound_Layout(b);

    Enter(k, {"54", "54.5", "12000", "40"});
    b.ToolCom[1].Click();
    ASSERT_TRUE(b.BHP_Lab[4].Visible());
    Click_Into(b.BHP_Opt[1]);
    EXPECT_EQ(b.BHP_Lab[3].Caption(), "Engine Power (kW):");
    EXPECT_EQ(b.BHP_Txt[3].AccessibleName(), "Engine Power (kW):") << "what a screen reader says";
    EXPECT_FALSE(b.BHP_Lab[4].Visible());
    EXPECT_EQ(Texts(k), (std::vector<std::string>{"54", "54.5", "12000", ""}));
    EXPECT_EQ(Focus_Of(b), "BHP_Txt(3)");
    Type_Into(b.BHP_Txt[3], "30"); // now read in kW
    b.ToolCom[1].Click();
    EXPECT_EQ(b.BHP_Lab[4].Caption(), "The Brake Mean Effective Pressure is 12.02 bar");
}

} // namespace
