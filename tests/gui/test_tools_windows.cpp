// How the Tools menu opens, resets and hides the four calculators: the opening state of
// each, the list opened without a choice, and "Return to Front Screen".

#include "gui_support.h"

namespace {

class ToolsMenu : public Program_Test {
protected:
    // Every calculator opened from the menu, then its worked example calculated in each, so
    // that all four show a result at once.
    void Use_Every_Calculator() {
        for (int16_t tool = 0; tool < 4; ++tool) {
            Open_Tool(tool);
        }
        for (int16_t tool = 0; tool < 4; ++tool) {
            const Calculator k = Calculator_Of(tool);
            if (!k.options.empty()) {
                k.options.front()->Click();
            }
            Enter(k, k.example);
            k.calc.Click();
            EXPECT_TRUE(k.result.Visible()) << k.w.Name();
        }
    }
    std::vector<Form*> Work_Windows() {
        std::vector<Form*> w = {&dsn()};
        for (int16_t tool = 0; tool < 4; ++tool) {
            w.push_back(&Calculator_Of(tool).w);
        }
        return w;
    }
    Names_Set Shown_Work_Windows() {
        Names_Set shown;
        for (Form* f : Work_Windows()) {
            if (f->Visible()) {
                shown.insert(f->Name());
            }
        }
        return shown;
    }
};

TEST_F(ToolsMenu, EachItemOpensItsCalculatorInItsOpeningStateAndReturnHidesIt) {
    for (int16_t tool = 0; tool < 4; ++tool) {
        SCOPED_TRACE(tool);
        Use_Every_Calculator();
        Open_Tool(tool);
        const Calculator k = Calculator_Of(tool);
        EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::True);
        EXPECT_EQ(Shown_Work_Windows(), Names_Set{k.w.Name()});
        EXPECT_TRUE(menu().Visible()) << "the front screen stays underneath";
        EXPECT_EQ(Shown_Controls(k.w), Opening_Controls(tool));
        Expect_Sound_Layout(k.w);
        for (const TextBox* t : k.fields) {
            if (t->Name().rfind("OrdTxt", 0) != 0) { // the ordinates keep their texts hidden
                EXPECT_EQ(t->Text(), "") << t->Name();
            }
        }
        Click_Into(k.ret);
        EXPECT_EQ(Shown_Work_Windows(), Names_Set{});
        for (OptionButton* o : k.options) { // each option, chosen, is unselected by an opening
            o->Click();
            Open_Tool(tool);
            EXPECT_FALSE(o->Value()) << o->Name();
        }
    }
}

TEST_F(ToolsMenu, TheListOpenedWithoutAChoiceHidesEveryWorkWindowAndResetsThreeCalculators) {
    Use_Every_Calculator();
    for (Form* f : Work_Windows()) {
        f->Show();
    }
    Open_Tools_List();
    EXPECT_EQ(Shown_Work_Windows(), Names_Set{});
    // The BMEP calculator down to its two commands, its fields emptied.
    EXPECT_EQ(Shown_Controls(bmep()), (Names_Set{"ToolCom(0)", "ToolCom(1)"}));
    EXPECT_EQ(Texts(Calculator_Of(0)), std::vector<std::string>(4, ""));
    // The two port results hidden, their fields kept; the profiled port left as it was.
    for (int16_t tool : {1, 2}) {
        const Calculator k = Calculator_Of(tool);
        EXPECT_EQ(Shown_Controls(k.w), Opening_Controls(tool));
        EXPECT_EQ(Texts(k), std::vector<std::string>(k.example.begin(), k.example.end()));
    }
    EXPECT_TRUE(Calculator_Of(3).result.Visible());
}

} // namespace
