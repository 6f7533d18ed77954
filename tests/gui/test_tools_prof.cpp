// The profiled-port window: the configuration choice, the fields of each configuration,
// and the ordinate frame that the number of intervals sizes, places, shows or hides.

#include "gui_support.h"

#include <map>

namespace {

using ProfiledPort = Program_Test;

// Each option click hides the ordinates and either result and shows its configuration's
// fields empty; the single port keeps the hidden bridge texts.
TEST_F(ProfiledPort, EachConfigurationShowsItsFieldsEmpty) {
    Open_Tool(3);
    ProfTool& p = prof();
    const Calculator k = Calculator_Of(3);
    const Names_Set single =
        Opening_Controls(3) + Names_Set{"ProfLab(0)", "ProfTxt(0)", "ProfLab(4)",
                                        "ProfTxt(4)", "ProfLab(5)", "ProfTxt(5)"};
    const Names_Set bridged = Opening_Controls(3) + Names("ProfLab", 6) + Names("ProfTxt", 6);
    const std::vector<std::string> bridgeKept = {"", "6", "5", "7", "", ""};
    auto inputs = [&k] { // the texts of the six fields before the ordinates
        std::vector<std::string> t = Texts(k);
        t.resize(6);
        return t;
    };

    Enter(k, {"1", "6", "5", "7", "1", "1"});
    Click_Into(p.ProfOpt[0]);
    EXPECT_EQ(Shown_Controls(p), single);
    EXPECT_EQ(Focus_Of(p), "ProfTxt(0)");
    EXPECT_EQ(inputs(), bridgeKept);
    Expect_Sound_Layout(p);

    Enter(k, k.example);
    p.ProfCom[1].Click();
    ASSERT_TRUE(p.ProfLab[8].Visible());
    Click_Into(p.ProfOpt[1]);
    EXPECT_EQ(Shown_Controls(p), bridged);
    EXPECT_EQ(Focus_Of(p), "ProfTxt(1)");
    EXPECT_EQ(inputs(), std::vector<std::string>(6, ""));
    Expect_Sound_Layout(p);

    Enter(k, {"60", "6", "5", "7", "24", "4", "12", "17", "20", "17", "12"});
    p.ProfCom[1].Click();
    ASSERT_TRUE(p.DiamFram.Visible());
    Click_Into(p.ProfOpt[0]);
    EXPECT_EQ(Shown_Controls(p), single);
    EXPECT_EQ(inputs(), bridgeKept);
    Enter(k, k.example);
    p.ProfCom[1].Click();
    EXPECT_TRUE(p.ProfLab[8].Visible() && !p.DiamFram.Visible()) << "calculated as a single port";
    EXPECT_TRUE(boxes.empty());
}

// A text of 4 to 10 intervals, rounded halves to even, shows stations 0 to n emptied in a
// frame sized and centred for them; any other text hides the frame without a message. The
// stations beyond n keep their texts hidden.
TEST_F(ProfiledPort, TheIntervalsTextSizesPlacesShowsOrHidesTheOrdinateFrame) {
    Open_Tool(3);
    ProfTool& p = prof();
    Click_Into(p.ProfOpt[0]);
    const std::map<int, std::pair<float, float>> frame = {
        {4, {3160, 1840}}, {7, {4960, 940}}, {10, {6760, 40}}}; // width, left
    const std::vector<std::pair<const char*, int>> rows = {
        {"4", 4},  {"7", 7},   {"10", 10},   {"3.5", 4},  {"4.5", 4},    {"10.5", 10},
        {"3", -1}, {"11", -1}, {"10.6", -1}, {"abc", -1}, {"65540", -1}, {"", -1}};
    for (const auto& [text, n] : rows) {
        SCOPED_TRACE(text);
        p.ProfTxt[5].SetText("6");
        for (TextBox& t : p.OrdTxt) {
            t.SetText("20");
        }
        p.ProfTxt[5].SetText(text);
        ASSERT_EQ(p.OrdFram.Visible(), n >= 0);
        for (int16_t i = 0; i < p.OrdTxt.Count; ++i) {
            EXPECT_EQ(p.OrdTxt[i].Text(), i <= n ? "" : "20") << i;
            if (n >= 0) {
                EXPECT_EQ(p.OrdTxt[i].Visible(), i <= n) << i;
                EXPECT_EQ(p.LthLab[i].Visible(), i <= n) << i;
            }
        }
        if (n >= 0) {
            EXPECT_EQ(p.OrdFram.Width(), frame.at(n).first);
            EXPECT_EQ(p.OrdFram.Left(), frame.at(n).second);
        }
        Expect_Sound_Layout(p);
    }
    EXPECT_TRUE(boxes.empty());
}

} // namespace
