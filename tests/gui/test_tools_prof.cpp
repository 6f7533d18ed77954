// The profiled-port window's ordinate frame, which the number of intervals sizes, places,
// shows or hides.

#include "gui_support.h"

#include <map>

namespace {

using ProfiledPort = Program_Test;

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
        for (TextBox& t : p.OrdTxt)
            t.SetText("20");
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
    }
    EXPECT_TRUE(boxes.empty());
}

} // namespace
