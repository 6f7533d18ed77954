// The design window: the option groups with their panels and focus moves,
// the result table, what hides it, and the window returned or closed and reopened.

#include "gui_support.h"

#include <tuple>

namespace {

using DesignWindow = Program_Test;
using Strings = std::vector<std::string>;

// A column of the result table: each box's text, "-" for a hidden one, "?" where the box
// and its label disagree about being shown.
template <int N> Strings Column(Ctl_Array<Label, N>& labels, Ctl_Array<TextBox, N>& boxes) {
    Strings t;
    for (int16_t i = 0; i < N; ++i) {
        const bool shown = boxes[i].Visible();
        t.push_back(shown != labels[i].Visible() ? "?" : shown ? boxes[i].Text() : "-");
    }
    return t;
}

// The result table and the diagram: shown at the full height, or hidden at entry height.
void Expect_Results(TexDsn& d, bool shown) {
    EXPECT_EQ(d.Height(), shown ? 9950.0F : 7300.0F);
    for (Control* c : std::initializer_list<Control*>{&d.OutFrame, &d.LabOut[0], &d.Comd[1],
                                                      &d.TexTotLth, &d.PipPic})
        EXPECT_EQ(c->Visible(), shown) << c->Name();
    if (!shown) {
        EXPECT_EQ(Column(d.Labdiam, d.Texdiam), Strings(5, "-"));
        EXPECT_EQ(Column(d.Lablen, d.Texlen), Strings(7, "-"));
    }
}

// The option groups: the panels shown, Texh(3)'s tab index, the focus moved and the fields
// of the panels hidden emptied.
TEST_F(DesignWindow, OptionGroupsShowTheNeededPanels) {
    const struct {
        std::vector<int16_t> clicks;
        Strings panels;
        int16_t bmepTab;
        const char* focus;
        std::set<int16_t> emptied;
    } cases[] = {
        // clang-format off
        {{1},       {"HornPic"},                        12, "Texh(7)",    {}},
        {{1, 0},    {},                                 12, "Option1(0)", {7}},
        {{3},       {"BmepPic"},                        12, "Texh(3)",    {0}},
        {{2, 4},    {"TempPic", "BellyPic", "TailPic"}, 12, "Texh(6)",    {3}},
        {{2, 5},    {"TempPic", "BmepPic"},             16, "Texh(3)",    {3, 6, 4}},
        {{3, 5, 2}, {"TempPic", "BmepPic"},             16, "Texh(0)",    {0, 6, 4}},
        {{2, 5, 3}, {"BmepPic"},                        12, "Option1(3)", {3, 6, 4, 0}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus);
        TearDown();
        SetUp();
        TexDsn& d = Open_Design();
        for (TextBox& t : d.Texh)
            t.SetText("7");
        for (int16_t i : c.clicks)
            Click_Into(d.Option1[i]);
        Strings panels;
        for (PictureBox* p : {&d.HornPic, &d.TempPic, &d.BmepPic, &d.BellyPic, &d.TailPic})
            if (p->Visible())
                panels.push_back(p->Name());
        EXPECT_EQ(panels, c.panels);
        EXPECT_EQ(d.Texh[3].TabIndex(), c.bmepTab);
        EXPECT_EQ(Focus_Of(d), c.focus);
        for (int16_t i = 0; i < d.Texh.Count; ++i)
            EXPECT_EQ(d.Texh[i].Text(), c.emptied.count(i) ? "" : "7") << "Texh(" << i << ")";
    }
}

// Any edit, click into an input field or option click hides the results; the pipe name
// and the result boxes do not. The values stay in the hidden boxes.
TEST_F(DesignWindow, EditsAndClicksHideTheResultsButNotOnThePipeName) {
    TexDsn& d = Open_Design();
    const std::vector<std::tuple<const char*, std::function<void()>, bool>> acts = {
        {"typing in a field", [&] { Type_Into(d.Texh[2], "0"); }, true},
        {"program empties a field", [&] { d.Texh[6].SetText(""); }, true},
        {"click into a field", [&] { Click_Into(d.Texh[8]); }, true},
        {"option click", [&] { Click_Into(d.Option1[1]); }, true},
        {"typing the pipe name", [&] { Type_Into(d.Text1, "GP 125"); }, false},
        {"click into the pipe name", [&] { Click_Into(d.Text1); }, false},
        {"click into a result", [&] { Click_Into(d.Texlen[2]); }, false},
    };
    for (const auto& [what, act, hides] : acts) {
        SCOPED_TRACE(what);
        Enter_Design(d, true);
        d.Comd[0].Click();
        ASSERT_TRUE(d.TexTotLth.Visible());
        act();
        Expect_Results(d, !hides);
        EXPECT_EQ(d.TexTotLth.Text(), "813.7 ");
    }
}

// The hand-calculated results of the three-stage worked design in their boxes. "Return to
// Front Screen" hides the window, its frame's close control discards it; either way the
// front screen is left, and the window opens again empty, without results, at entry height
// (loaded anew: the BMEP panel moved and the pipe name widened).
TEST_F(DesignWindow, ShowsAWorkedDesignThenReturnsOrClosesAndReopensEmpty) {
    for (const bool frame : {false, true}) {
        SCOPED_TRACE(frame ? "closed by its frame" : "returned");
        TexDsn& d = Calculated(true);
        Expect_Results(d, true);
        EXPECT_EQ(d.PrtDia.Text() + d.PrtLth.Text(), "40.0 20.0 ");
        EXPECT_EQ(Column(d.Labdiam, d.Texdiam),
                  (Strings{"44.0 ", "60.8 ", "88.2 ", "109.8 ", "25.5 "}));
        EXPECT_EQ(Column(d.Lablen, d.Texlen),
                  (Strings{"61.4 ", "223.8 ", "148.9 ", "74.9 ", "89.5 ", "195.3 ", "195.3 "}));
        if (frame) {
            d.close();
            EXPECT_FALSE(Win_Exists<TexDsn>());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            d.Comd[2].Click();
        }
        EXPECT_TRUE(menu().Visible());

        TexDsn& again = Open_Design();
        Expect_Results(again, false);
        EXPECT_EQ(again.BmepPic.Left(), 3050.0F) << "moved beside the option groups";
        EXPECT_EQ(again.Text1.Width(), 4000.0F);
        EXPECT_EQ(again.Text1.Text(), "");
        for (int16_t i = 0; i < again.Texh.Count; ++i) {
            EXPECT_EQ(again.Texh[i].Text(), "") << i;
            EXPECT_FALSE(i < again.Option1.Count && again.Option1[i].Value()) << i;
        }
    }
}

} // namespace
