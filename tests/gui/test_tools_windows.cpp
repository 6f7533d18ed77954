// How the Tools menu opens each calculator, after all four were used, in its opening state,
// every other work window hidden, and how "Return to Front Screen" hides it.

#include "gui_support.h"

namespace {

using ToolsMenu = Program_Test;

TEST_F(ToolsMenu, EachItemOpensItsCalculatorInItsOpeningStateAndReturnHidesIt) {
    const auto shownWorkWindows = [this] {
        Names_Set shown;
        for (Form* f : {static_cast<Form*>(&dsn()), &Calculator_Of(0).w, &Calculator_Of(1).w,
                        &Calculator_Of(2).w, &Calculator_Of(3).w}) {
            if (f->Visible())
                shown.insert(f->Name());
        }
        return shown;
    };
    for (int16_t tool = 0; tool < 4; ++tool) {
        SCOPED_TRACE(tool);
        for (int16_t used = 0; used < 4; ++used) { // each with its worked example's result
            Open_Tool(used);
            const Calculator k = Calculator_Of(used);
            if (!k.options.empty())
                k.options.front()->Click();
            Enter(k, k.example);
            k.calc.Click();
        }
        dsn().Show();
        Open_Tool(tool);
        const Calculator k = Calculator_Of(tool);
        EXPECT_EQ(shownWorkWindows(), Names_Set{k.w.Name()});
        EXPECT_EQ(Shown_Controls(k.w), Opening_Controls(tool));
        for (const TextBox* t : k.fields) {
            if (t->Name().rfind("OrdTxt", 0) != 0) { // the ordinates keep their texts hidden
                EXPECT_EQ(t->Text(), "") << t->Name();
            }
        }
        Click_Into(k.ret);
        EXPECT_EQ(shownWorkWindows(), Names_Set{});
        for (OptionButton* o : k.options) { // each option, chosen, is unselected by an opening
            o->Click();
            Open_Tool(tool);
            EXPECT_FALSE(o->Value()) << o->Name();
        }
    }
}

} // namespace
