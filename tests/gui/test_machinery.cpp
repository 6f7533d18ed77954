// The window machinery on a small window of its own: one handler per control array, told
// the index of each event, and the tab order and accessible names.

#include "gui_support.h"

namespace {

class Probe_Window : public Form {
public:
    struct Vars {};

    Probe_Window() : Form("Probe", "Probe Window", 4500, 3395, 0x008080FF) {
        Lab.Create(Client(), 120, 120, 1200, 255, "Cylinder Bore (mm):");
        for (int16_t i = 0; i < Fld.Count; ++i) {
            Fld[i].Create(Client(), 1400, 100.0F + 400.0F * i);
            Fld[i].SetLabel(Lab);
        }
        Grp.Create(Client(), 2200, 100, 1800, 980, " Units ");
        Opt[0].Create(Grp, 200, 300, 1400, 255, "  hp");
        Opt[1].Create(Grp, 200, 640, 1400, 255, "  kW");
        Cmd[0].Create(Client(), 2200, 1300, 1200, 600, "Return to Front Screen");
        Cmd[1].Create(Client(), 2200, 2000, 1200, 600, "Calculate");
        const auto record = [this](const char* what) {
            return [this, what](int16_t i) { events.push_back(what + std::to_string(i)); };
        };
        Fld.On_Change(record("change "));
        Fld.On_Click(record("click "));
        Opt.On_Click(record("option "));
        Cmd.On_Click(record("command "));
    }

    Label Lab{"Lab"};
    Ctl_Array<TextBox, 3> Fld{"Fld"};
    Frame Grp{"Grp"};
    Ctl_Array<OptionButton, 2> Opt{"Opt"};
    Ctl_Array<CommandButton, 2> Cmd{"Cmd"};
    std::vector<std::string> events;
};

using Machinery = Program_Test;

// A field raises Change on every text the program sets, even the same one, and on each
// typed key; a click into it raises Click. An option button raises Click when it is
// selected (by a click or by its value), not when unselected.
TEST_F(Machinery, ArrayHandlersGetTheIndexOfEachEvent) {
    Probe_Window& w = Win<Probe_Window>();
    w.Show();
    w.Fld[1].SetText("");
    w.Fld[1].SetText("");
    Type_Into(w.Fld[2], "12");
    Click_Into(w.Fld[0]);
    Click_Into(w.Cmd[1]);
    w.Cmd[0].Click();
    Click_Into(w.Opt[1]);
    w.Opt[0].Click();
    w.Opt[0].SetValue(false);
    w.Opt[1].SetValue(true);
    EXPECT_EQ(w.events, (std::vector<std::string>{"change 1", "change 1", "change 2", "change 2",
                                                  "click 0", "command 1", "command 0", "option 1",
                                                  "option 0", "option 1"}));
    EXPECT_FALSE(w.Opt[0].Value()) << "one selected option per container";
}

// Labels take no part in the tab order; setting a tab index renumbers the others, and the
// keyboard's tab chain follows the numbers. Accessible names come from the captions, trimmed.
TEST_F(Machinery, TabOrderAndAccessibleNames) {
    Probe_Window& w = Win<Probe_Window>();
    // Created in the order Fld(0..2), Grp, Opt(0..1), Cmd(0..1).
    EXPECT_EQ(w.Cmd[1].TabIndex(), 7);
    EXPECT_EQ(w.Lab.TabIndex(), -1);
    w.Cmd[1].SetTabIndex(1);
    EXPECT_EQ(w.Fld[0].TabIndex(), 0);
    EXPECT_EQ(w.Fld[1].TabIndex(), 2);
    EXPECT_EQ(w.Cmd[0].TabIndex(), 7);
    EXPECT_EQ(w.Fld[0].Widget()->nextInFocusChain(), w.Cmd[1].Widget());
    EXPECT_EQ(w.Cmd[1].Widget()->nextInFocusChain(), w.Fld[1].Widget());
    w.Cmd[1].SetTabIndex(7);
    EXPECT_EQ(w.Cmd[0].TabIndex(), 6);

    EXPECT_EQ(w.Fld[0].AccessibleName(), "Cylinder Bore (mm):") << "a field takes its label's";
    EXPECT_EQ(w.Grp.AccessibleName(), "Units");
    EXPECT_EQ(w.Opt[0].AccessibleName(), "hp");
}

} // namespace
