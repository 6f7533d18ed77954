// The window machinery, seen on the BMEP calculator with recorders in place of its
// handlers: one handler per control array, told the index of each event, and the tab order
// and accessible names.

#include "gui_support.h"

namespace {

using Machinery = Program_Test;

// A field raises Change on every text the program sets, even the same one, and on each
// typed key; a click into it raises Click. An option button raises Click when it is
// selected (by a click or by its value), not when unselected.
TEST_F(Machinery, ArrayHandlersTabOrderAndAccessibleNames) {
    BMEPTool& w = Win<BMEPTool>();
    w.Show();
    std::vector<std::string> events;
    const auto record = [&events](const char* what) {
        return [&events, what](int16_t i) { events.push_back(what + std::to_string(i)); };
    };
    w.BHP_Txt.On_Change(record("change "));
    w.BHP_Txt.On_Click(record("click "));
    w.BHP_Opt.On_Click(record("option "));
    w.ToolCom.On_Click(record("command "));
    w.BHP_Txt[1].SetText("");
    w.BHP_Txt[1].SetText("");
    Type_Into(w.BHP_Txt[2], "12");
    Click_Into(w.BHP_Txt[0]);
    Click_Into(w.ToolCom[1]);
    w.ToolCom[0].Click();
    Click_Into(w.BHP_Opt[1]);
    w.BHP_Opt[0].Click();
    w.BHP_Opt[0].SetValue(false);
    w.BHP_Opt[1].SetValue(true);
    EXPECT_EQ(events, (std::vector<std::string>{"change 1", "change 1", "change 2", "change 2",
                                                "click 0", "command 1", "command 0", "option 1",
                                                "option 0", "option 1"}));
    EXPECT_FALSE(w.BHP_Opt[0].Value()) << "one selected option per container";
    Click_Into(w.BHP_Opt[0]); // an option once unselected by its value still excludes the other
    EXPECT_FALSE(w.BHP_Opt[1].Value()) << "one selected option per container";

    // Labels take no part in the tab order; setting a tab index renumbers the others, and
    // the keyboard's tab chain follows the numbers. Accessible names come from the captions,
    // trimmed.
    EXPECT_EQ(w.BHP_Lab[0].TabIndex(), -1);
    w.ToolCom[0].SetTabIndex(4);
    EXPECT_EQ(w.BHP_Txt[0].TabIndex(), 3);
    EXPECT_EQ(w.ToolCom[0].TabIndex(), 4);
    EXPECT_EQ(w.BHP_Txt[1].TabIndex(), 5);
    EXPECT_EQ(w.BHP_Txt[0].Widget()->nextInFocusChain(), w.ToolCom[0].Widget());
    EXPECT_EQ(w.ToolCom[0].Widget()->nextInFocusChain(), w.BHP_Txt[1].Widget());
    EXPECT_EQ(w.BHP_Txt[0].AccessibleName(), "Cylinder Bore (mm):") << "its label's";
    EXPECT_EQ(w.BHP_Opt[0].AccessibleName(), "hp");
}

} // namespace
