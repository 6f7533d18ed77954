// "Calculate" in the calculators: the result shown with its caption, the texts kept and
// the focus moved; a failure in every work window shown as its box, its field emptied or
// kept, and the focus on it; and the BMEP window's unit choice.

#include "gui_support.h"

namespace {

struct Calc_Case {
    const char* name;
    int16_t tool;                   // the Tools item that opens the calculator
    int16_t option;                 // the option clicked first, -1 none
    std::vector<const char*> texts; // the fields in their order, nullptr: not typed
    std::vector<std::pair<const char*, const char*>> results; // shown, with caption
    const char* focus;                                        // focus afterwards
};
void PrintTo(const Calc_Case& c, std::ostream* os) {
    *os << c.name;
}

class Calculate : public Program_Test, public ::testing::WithParamInterface<Calc_Case> {};

TEST_P(Calculate, ShowsTheResult) {
    const Calc_Case& c = GetParam();
    Open_Tool(c.tool);
    const Calculator k = Calculator_Of(c.tool);
    if (c.option >= 0)
        Click_Into(*k.options[static_cast<size_t>(c.option)]);
    Enter(k, c.texts);
    Names_Set shown = Shown_Controls(k.w);
    const std::vector<std::string> texts = Texts(k);
    Click_Into(k.calc);

    EXPECT_TRUE(boxes.empty());
    for (const auto& [name, caption] : c.results) {
        shown.insert(name);
        for (const Control* l : k.w.Controls()) {
            if (caption && l->Name() == name) {
                EXPECT_EQ(dynamic_cast<const Label&>(*l).Caption(), caption);
            }
        }
    }
    EXPECT_EQ(Shown_Controls(k.w), shown);
    EXPECT_EQ(Texts(k), texts);
    EXPECT_EQ(Focus_Of(k.w), c.focus);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Tools, Calculate, ::testing::Values(
    Calc_Case{"BmepInKw", 0, 1, {"54", "54.5", "12000", "30"},
        {{"BHP_Lab(4)", "The Brake Mean Effective Pressure is 12.02 bar"}}, "BHP_Txt(0)"},
    Calc_Case{"BmepInHp", 0, 0, {"54", "54.5", "12000", "40"},
        {{"BHP_Lab(4)", "The Brake Mean Effective Pressure is 11.95 bar"}}, "BHP_Txt(0)"},
    Calc_Case{"RectangularPort", 2, -1, {"40", "30", "20", "10"},
        {{"DiamLab(4)", "Diameter of the Equivalent Circular Port is 35.42 mm"}}, "DiamTxt(0)"},
    Calc_Case{"BridgedPair", 3, 1,
        {"60", "6", "5", "7", "24", "8", "12", "17", "20", "21", "22", "21", "20", "17", "12"},
        {{"DiamFram", nullptr},
         {"ProfLab(6)", "For a Constant Duct Section adjacent to the Port: 31.86 mm"},
         {"ProfLab(7)", "For a Widened Duct Section adjacent to the Port: 33.56 mm"}},
        "ProfTxt(0)"}),
    [](const ::testing::TestParamInfo<Calc_Case>& i) { return std::string(i.param.name); });
// clang-format on

using Calculators = Program_Test;

// A later unit choice keeps the engine's texts, empties only the power and names its unit.
TEST_F(Calculators, BmepLaterUnitChoiceEmptiesOnlyThePower) {
    Open_Tool(0);
    const Calculator k = Calculator_Of(0);
    BMEPTool& b = bmep();
    Click_Into(b.BHP_Opt[0]);
    Enter(k, k.example);
    b.ToolCom[1].Click();
    ASSERT_TRUE(b.BHP_Lab[4].Visible());
    Click_Into(b.BHP_Opt[1]);
    EXPECT_EQ(b.BHP_Lab[3].Caption(), "Engine Power (kW):");
    EXPECT_EQ(b.BHP_Txt[3].AccessibleName(), "Engine Power (kW):") << "what a screen reader says";
    EXPECT_FALSE(b.BHP_Lab[4].Visible());
    EXPECT_EQ(Texts(k), (std::vector<std::string>{"54", "54.5", "12000", ""}));
    EXPECT_EQ(Focus_Of(b), "BHP_Txt(3)");
}

// The first failure of a calculation: its box, the field emptied when it is not set (kept
// when it is set wrongly), the focus on it; an ordinate's failure lands in the ordinates.
TEST_F(Calculators, AFailureShowsItsBoxEmptiesANotSetFieldAndTakesTheFocus) {
    const struct {
        int16_t tool; // -1 the design window
        int16_t option;
        std::vector<const char*> texts;
        Message_Box box;
        const char *focus, *left;
    } cases[] = {
        // clang-format off
        {-1, -1, {}, {"Engine Speed Not Set", "Enter a value for the Engine Speed"}, "Texh(2)", ""},
        {0, 1, {"54", "5x", "12000", "30"},
         {"Piston Stroke Incorrectly Set", "Enter a value for the Stroke"}, "BHP_Txt(1)", "5x"},
        {1, -1, {"54.5", "110", " ", "180"},
         {"Start Open Angle Not Set", "Enter a value for the Start Open Angle"}, "HghtTxt(2)", ""},
        {2, -1, {"40", "30", "5", ""},
         {"Port Bottom Radius Not Set", "Enter a value for the Bottom Radius"}, "DiamTxt(3)", ""},
        {3, 0, {"50", nullptr, nullptr, nullptr, "20", "4", "30", "", "30", "30", "30"},
         {"Ordinate Not Set", "Enter a value for Ordinate #1"}, "OrdTxt(1)", ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus);
        Form* window = &Open_Design();
        TextBox* field = &dsn().Texh[2];
        if (c.tool < 0) {
            Enter_Design(dsn(), true);
            field->SetText("  ");
            dsn().Comd[0].Click();
        } else {
            Open_Tool(c.tool);
            const Calculator k = Calculator_Of(c.tool);
            if (c.option >= 0)
                Click_Into(*k.options[static_cast<size_t>(c.option)]);
            Enter(k, c.texts);
            Click_Into(k.calc);
            window = &k.w;
            for (TextBox* t : k.fields)
                field = t->Name() == c.focus ? t : field;
        }
        EXPECT_EQ(std::exchange(boxes, {}), std::vector<Message_Box>{c.box});
        EXPECT_EQ(Focus_Of(*window), c.focus);
        EXPECT_EQ(field->Text(), c.left);
    }
}

} // namespace
