// The profiled-port window: the configuration choice, the fields of each configuration,
// and the ordinate frame that the number of intervals sizes, places, shows or hides.

#include "gui_support.h"

namespace {

class Profiled_Port : public Program_Test {
protected:
    ProfTool& Open_With(int16_t option) {
        Open_Tool(3);
        Click_Into(prof().ProfOpt[option]);
        return prof();
    }
    // The stations shown in the ordinate frame, "" when the frame is hidden; a station
    // whose number and field differ in visibility is marked "?".
    std::string Stations() {
        if (!prof().OrdFram.Widget()->isVisibleTo(&prof())) {
            return "";
        }
        std::string s;
        for (int16_t i = 0; i < prof().OrdTxt.Count; ++i) {
            const bool field = prof().OrdTxt[i].Visible(), number = prof().LthLab[i].Visible();
            if (field || number) {
                s += std::to_string(i) + (field == number ? " " : "? ");
            }
        }
        return s;
    }
};

const Names_Set Always = Names("InfoLab", 7) + Names("ProfCom", 2) + Names("ProfOpt", 2) +
                         Names_Set{"ProfPic", "ProfFram1"};

TEST_F(Profiled_Port, EachConfigurationShowsItsFieldsEmpty) {
    ProfTool& p = Open_With(1);
    EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::False);
    EXPECT_TRUE(p.V.BridgedPair);
    EXPECT_EQ(Shown_Controls(p), Always + Names("ProfLab", 6) + Names("ProfTxt", 6));
    EXPECT_EQ(Focus_Of(p), "ProfTxt(1)");
    for (int16_t i = 0; i < 6; ++i) {
        p.ProfTxt[i].SetText("7");
    }
    Click_Into(p.ProfOpt[0]);
    EXPECT_FALSE(p.V.BridgedPair);
    const Names_Set single = {"ProfLab(0)", "ProfTxt(0)", "ProfLab(4)",
                              "ProfTxt(4)", "ProfLab(5)", "ProfTxt(5)"};
    EXPECT_EQ(Shown_Controls(p), Always + single);
    EXPECT_EQ(Focus_Of(p), "ProfTxt(0)");
    for (int16_t i = 0; i < 6; ++i) {
        EXPECT_EQ(p.ProfTxt[i].Text(), (i >= 1 && i <= 3) ? "7" : "") << "the bridge keeps its";
    }
    Click_Into(p.ProfOpt[1]);
    for (TextBox& t : p.ProfTxt) {
        EXPECT_EQ(t.Text(), "");
    }
}

// The frame keeps its centre at 3420 and holds every shown station wholly inside it.
TEST_F(Profiled_Port, OrdinateFrameIsSizedAndPlacedForFourToTenIntervals) {
    ProfTool& p = Open_With(0);
    const std::vector<std::tuple<const char*, float, float>> designed = {
        {"4", 3160, 1840}, {"7", 4960, 940}, {"10", 6760, 40}};
    for (const auto& [text, width, left] : designed) {
        p.ProfTxt[5].SetText(text);
        EXPECT_EQ(p.OrdFram.Width(), width) << text;
        EXPECT_EQ(p.OrdFram.Left(), left) << text;
    }
    for (int16_t n = 4; n <= 10; ++n) {
        p.ProfTxt[5].SetText(std::to_string(n));
        EXPECT_EQ(p.V.NumIntervals, n);
        EXPECT_EQ(p.OrdFram.Left() + p.OrdFram.Width() / 2, 3420.0F);
        std::string expected;
        for (int16_t i = 0; i <= n; ++i) {
            expected += std::to_string(i) + " ";
            const QRect inside = p.OrdFram.Widget()->rect();
            EXPECT_TRUE(inside.contains(p.OrdTxt[i].Widget()->geometry())) << n << " " << i;
            EXPECT_TRUE(inside.contains(p.LthLab[i].Widget()->geometry())) << n << " " << i;
        }
        EXPECT_EQ(Stations(), expected);
        Expect_No_Overlap(p);
        EXPECT_TRUE(p.Client().Host()->rect().contains(p.OrdFram.Widget()->geometry()));
    }
}

TEST_F(Profiled_Port, IntervalTextsOutsideFourToTenHideTheFrameWithoutAMessage) {
    ProfTool& p = Open_With(0);
    const std::vector<std::tuple<const char*, int16_t, const char*>> rows = {
        {"3.5", 4, "0 1 2 3 4 "},
        {"4.5", 4, "0 1 2 3 4 "},
        {"10.5", 10, "0 1 2 3 4 5 6 7 8 9 10 "},
        {"3", 3, ""},
        {"11", 11, ""},
        {"10.6", 11, ""},
        {"abc", 0, ""},
        {"-5", -5, ""},
        {"40000", 0, ""},
        {"", 0, ""},
    };
    for (const auto& [text, n, stations] : rows) {
        p.ProfTxt[5].SetText("6");
        p.ProfTxt[5].SetText(text);
        EXPECT_EQ(p.V.NumIntervals, n) << text;
        EXPECT_EQ(Stations(), stations) << text;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Profiled_Port, FewerIntervalsKeepTheHiddenStationTextUntilItReturns) {
    ProfTool& p = Open_With(0);
    Type_Into(p.ProfTxt[5], "6");
    for (int16_t i = 0; i <= 6; ++i) {
        p.OrdTxt[i].SetText("20");
    }
    p.ProfTxt[5].SetText("5");
    EXPECT_EQ(Stations(), "0 1 2 3 4 5 ");
    EXPECT_EQ(p.OrdTxt[0].Text(), "");
    EXPECT_EQ(p.OrdTxt[6].Text(), "20");
    p.ProfTxt[5].SetText("6");
    EXPECT_EQ(p.OrdTxt[6].Text(), "");
}

TEST_F(Profiled_Port, AnOptionClickHidesTheResultAndTheOrdinates) {
    ProfTool& p = Open_With(0);
    p.ProfTxt[0].SetText("50");
    p.ProfTxt[4].SetText("20");
    p.ProfTxt[5].SetText("4");
    for (int16_t i = 0; i <= 4; ++i) {
        p.OrdTxt[i].SetText("30");
    }
    p.ProfCom[1].Click();
    ASSERT_TRUE(p.ProfLab[8].Visible());
    EXPECT_EQ(p.ProfLab[8].Left(), 1700.0F);
    Click_Into(p.ProfOpt[0]);
    EXPECT_FALSE(p.ProfLab[8].Visible());
    EXPECT_EQ(Stations(), "");
    EXPECT_EQ(p.V.NumIntervals, 0);
    EXPECT_TRUE(boxes.empty());
}

} // namespace
