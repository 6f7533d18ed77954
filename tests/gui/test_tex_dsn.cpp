// The design window: its load and opening states, the option groups and their panels, the
// messages of "Calculate" with their focus moves, the result table and the painted diagram.

#include "gui_support.h"

#include <set>
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
    EXPECT_EQ(d.Host()->height(), shown ? 637 : 460);
    for (Control* c :
         std::initializer_list<Control*>{&d.OutFrame, &d.LabOut[0], &d.LabOut[1], &d.LabOut[2],
                                         &d.Comd[1], &d.TexTotLth, &d.PipPic}) {
        EXPECT_EQ(c->Visible(), shown) << c->Name();
    }
    if (!shown) {
        EXPECT_EQ(Column(d.Labdiam, d.Texdiam), Strings(5, "-"));
        EXPECT_EQ(Column(d.Lablen, d.Texlen), Strings(7, "-"));
    }
}

TEST_F(DesignWindow, LoadsHiddenAtEntryHeightWithNoPanelOrResult) {
    TexDsn& d = dsn();
    EXPECT_FALSE(d.Visible());
    Expect_Results(d, false);
    for (PictureBox* p : {&d.HornPic, &d.TempPic, &d.BmepPic, &d.BellyPic, &d.TailPic}) {
        EXPECT_FALSE(p->Visible()) << p->Name();
    }
    Expect_Sound_Layout(d);
    // Loading moves the BMEP panel beside the option groups and widens the pipe name.
    EXPECT_EQ(d.BmepPic.Left(), 3050.0F);
    EXPECT_EQ(d.Text1.Width(), 4000.0F);
    // Tabbing runs through the entry fields in their order on the screen.
    const int16_t fields[] = {7, 0, 3, 8, 9, 5, 6, 4, 1, 2};
    for (int16_t k = 0; k < 10; ++k) {
        EXPECT_EQ(d.Texh[fields[k]].TabIndex(), 10 + k) << fields[k];
    }
    // The colours on the screen: the fields pale yellow on the salmon window.
    d.Show();
    const QImage shot = d.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(d.Text1.Widget()->geometry().center())), QColor(255, 255, 192));
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(255, 128, 128));
}

// ---- The option groups ----

struct Option_Case {
    const char* name;
    std::vector<int16_t> clicks;
    bool horn, temp, bmep, belly, tail;
    int16_t bmepTab;   // Texh(3)'s tab index
    const char* focus; // the control with the focus afterwards
    std::set<int16_t> emptied;
};

class OptionGroups : public Program_Test, public ::testing::WithParamInterface<Option_Case> {};

// Each panel where it does not cover another, the focus moved and the fields of the panels
// hidden emptied.
TEST_P(OptionGroups, ShowTheNeededPanels) {
    const Option_Case& c = GetParam();
    TexDsn& d = Open_Design();
    for (TextBox& t : d.Texh) {
        t.SetText("7");
    }
    for (int16_t i : c.clicks) {
        Click_Into(d.Option1[i]);
    }
    EXPECT_EQ(d.HornPic.Visible(), c.horn);
    EXPECT_EQ(d.TempPic.Visible(), c.temp);
    EXPECT_EQ(d.BmepPic.Visible(), c.bmep);
    EXPECT_EQ(d.BellyPic.Visible(), c.belly);
    EXPECT_EQ(d.TailPic.Visible(), c.tail);
    Expect_Sound_Layout(d);
    EXPECT_EQ(d.Texh[3].TabIndex(), c.bmepTab);
    ASSERT_NE(d.ActiveControl(), nullptr);
    EXPECT_EQ(d.ActiveControl()->Name(), c.focus);
    for (int16_t i = 0; i < d.Texh.Count; ++i) {
        EXPECT_EQ(d.Texh[i].Text(), c.emptied.count(i) ? "" : "7") << "Texh(" << i << ")";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(DesignWindow, OptionGroups, ::testing::Values(
    //           name                    clicks     horn   temp   bmep   belly  tail   tab focus         emptied
    Option_Case{"ThreeStage",            {1},       true,  false, false, false, false, 12, "Texh(7)",    {}},
    Option_Case{"BackToTwoStage",        {1, 0},    false, false, false, false, false, 12, "Option1(0)", {7}},
    Option_Case{"TempTyped",             {2},       false, true,  false, false, false, 12, "Texh(0)",    {3}},
    Option_Case{"TempFromBmep",          {3},       false, false, true,  false, false, 12, "Texh(3)",    {0}},
    Option_Case{"BothTyped",             {2, 4},    false, true,  false, true,  true,  12, "Texh(6)",    {3}},
    Option_Case{"CoefFromBmepOnly",      {2, 5},    false, true,  true,  false, false, 16, "Texh(3)",    {3, 6, 4}},
    Option_Case{"TempFromBmepCoefTyped", {3, 4},    false, false, true,  true,  true,  12, "Texh(6)",    {0}},
    Option_Case{"BothFromBmep",          {3, 5},    false, false, true,  false, false, 12, "Texh(1)",    {0, 6, 4}},
    Option_Case{"CoefBackToTyped",       {2, 5, 4}, false, true,  false, true,  true,  16, "Texh(6)",    {3, 6, 4}},
    Option_Case{"TempTypedAfterBoth",    {3, 5, 2}, false, true,  true,  false, false, 16, "Texh(0)",    {0, 6, 4}},
    Option_Case{"TempFromBmepAfterCoef", {2, 5, 3}, false, false, true,  false, false, 12, "Option1(3)", {3, 6, 4, 0}}),
    [](const ::testing::TestParamInfo<Option_Case>& i) { return std::string(i.param.name); });
// clang-format on

// ---- Calculate ----

// The hand-calculated results of both worked designs, the three-stage one calculated twice
// to show that a calculation does not build on the one before; the two-stage one after it
// leaves the fifth diameter and seventh length alone. The diagram is painted: its outline,
// LDia(6) dotted for three stages and solid for two.
TEST_F(DesignWindow, WorkedDesignsShowTheirHandCalculatedResultsAndDiagram) {
    TexDsn& d = Open_Design();
    const auto dark = [&d](double xt, double yt) {
        const QImage img = d.PipPic.Widget()->grab().toImage();
        return QColor(img.pixel(static_cast<int>(xt / 15), static_cast<int>(yt / 15))).lightness() <
               100;
    };
    const auto gaps = [&dark](const LineShape& l) {
        int light = 0;
        for (double y = l.Y1 + 45; y < l.Y2 - 45; y += 15) {
            light += dark(l.X1, y) ? 0 : 1;
        }
        return light;
    };
    Enter_Design(d, true);
    d.Comd[0].Click();
    Click_Into(d.Comd[0]);
    EXPECT_TRUE(boxes.empty());
    Expect_Results(d, true);
    EXPECT_EQ(d.PrtDia.Text(), "40.0 ");
    EXPECT_EQ(d.PrtLth.Text(), "20.0 ");
    EXPECT_EQ(Column(d.Labdiam, d.Texdiam),
              (Strings{"44.0 ", "60.8 ", "88.2 ", "109.8 ", "25.5 "}));
    EXPECT_EQ(Column(d.Lablen, d.Texlen),
              (Strings{"61.4 ", "223.8 ", "148.9 ", "74.9 ", "89.5 ", "195.3 ", "195.3 "}));
    EXPECT_EQ(d.TexTotLth.Text(), "813.7 ");
    Expect_Sound_Layout(d);
    const LineShape belly = d.Diagram.LTop[4];
    EXPECT_TRUE(dark((belly.X1 + belly.X2) / 2, belly.Y1));
    EXPECT_EQ(gaps(d.Diagram.LDia[7]), 0) << "the tail pipe's end, solid";
    EXPECT_GT(gaps(d.Diagram.LDia[6]), 3);
    const float d5 = d.V.Diam[4], l7 = d.V.Lnth[6];

    Enter_Design(d, false);
    d.Comd[0].Click();
    EXPECT_TRUE(boxes.empty());
    Expect_Results(d, true);
    EXPECT_EQ(Column(d.Labdiam, d.Texdiam), (Strings{"44.0 ", "67.6 ", "100.0 ", "26.0 ", "-"}));
    EXPECT_EQ(Column(d.Lablen, d.Texlen),
              (Strings{"62.6 ", "338.5 ", "115.6 ", "90.8 ", "198.2 ", "198.2 ", "-"}));
    EXPECT_EQ(d.TexTotLth.Text(), "825.6 ");
    EXPECT_EQ(d.V.Diam[4], d5);
    EXPECT_EQ(d.V.Lnth[6], l7);
    // Drawn two-stage across the 9400-twip picture: the port at 1000, the tail pipe's end
    // 8000 further on.
    EXPECT_EQ(d.Diagram.Dprt.X1, 1000.0F);
    EXPECT_NEAR(d.Diagram.LDia[6].X1, 9000.0, 0.01);
    EXPECT_FALSE(d.Diagram.LDia[7].Visible);
    EXPECT_EQ(gaps(d.Diagram.LDia[6]), 0);
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

// ---- Messages ----

// One run of "Calculate": at most one box (its wording is the input checks' own), then
// the focus, the text of the field concerned and whether results are shown.
struct Message_Case {
    const char* name;
    int stages;                  // the worked design entered (2, 3), or 0: none
    std::vector<int16_t> clicks; // without a design: the options clicked
    int16_t field;               // with a design: this field given...
    const char* typed;           // ...this text
    const char* title;           // of the one box
    const char* focus;           // the control with the focus afterwards ("Text1": not moved)
    bool emptied;                // the changed field emptied, else kept
    bool results;
};

class CalculateMessages : public Program_Test,
                          public ::testing::WithParamInterface<Message_Case> {};

TEST_P(CalculateMessages, ComeBeforeResultsWithTheirFocusMoves) {
    const Message_Case& c = GetParam();
    TexDsn& d = Open_Design();
    for (int16_t i : c.clicks) {
        Click_Into(d.Option1[i]);
    }
    if (c.stages > 0) {
        Enter_Design(d, c.stages == 3);
        d.Texh[c.field].SetText(c.typed);
    }
    d.Text1.SetFocus();
    std::vector<bool> resultsWhileBox;
    on_box = [&] { resultsWhileBox.push_back(d.TexTotLth.Visible()); };
    d.Comd[0].Click();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, c.title);
    EXPECT_EQ(resultsWhileBox, std::vector<bool>{false}) << "results come after the box";
    ASSERT_NE(d.ActiveControl(), nullptr);
    EXPECT_EQ(d.ActiveControl()->Name(), c.focus);
    if (c.stages > 0) {
        EXPECT_EQ(d.Texh[c.field].Text(), c.emptied ? "" : c.typed);
    }
    Expect_Results(d, c.results);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(DesignWindow, CalculateMessages, ::testing::Values(
    //           name                        stages clicks  field typed  title                                                              focus      emptied results
    Message_Case{"NothingSet",               0,     {},     0,    "",    "Diffuser Type Not Set",                                            "Text1",   false, false},
    Message_Case{"CoefficientOptionMissing", 0,     {0, 2}, 0,    "",    "Diameter Coefficients Option Not Set",                             "Text1",   false, false},
    Message_Case{"BlankFieldIsEmptied",      2,     {},     8,    "   ", "Exhaust Port Effective Diameter Not Set",                          "Texh(8)", true,  false},
    Message_Case{"LettersAreKept",           2,     {},     2,    "abc", "Engine Speed Incorrectly Set",                                     "Texh(2)", false, false},
    Message_Case{"HornOutOfRange",           3,     {},     7,    "2.1", "Horn Coefficient Out of Range",                                    "Texh(7)", false, false},
    Message_Case{"FlangeWarningThenResults", 2,     {},     9,    "41",  "WARNING - Barrel Flange Diameter less than the Recommended Limit", "Texh(9)", false, true},
    Message_Case{"DuctLongerThanItsLimit",   3,     {},     5,    "90",  "Unacceptable Length from Piston Face to Barrel Flange",            "Texh(5)", false, false}),
    [](const ::testing::TestParamInfo<Message_Case>& i) { return std::string(i.param.name); });
// clang-format on

// ---- Returning, reopening and discarding ----

// "Return to Front Screen" hides the window, its frame's close control discards it; either
// way the front screen is left, and the window opens again empty, without results, with its
// form-level state kept until the next option click and calculation.
TEST_F(DesignWindow, ReturnsOrClosesAndReopensEmptyKeepingItsState) {
    for (const bool frame : {false, true}) {
        SCOPED_TRACE(frame ? "closed by its frame" : "returned");
        TexDsn& d = Open_Design();
        Enter_Design(d, true);
        d.Text1.SetText("GP 125");
        d.Comd[0].Click();
        if (frame) {
            d.close();
            EXPECT_FALSE(Win_Exists<TexDsn>());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            d.Comd[2].Click();
            EXPECT_FALSE(d.Visible());
        }
        EXPECT_TRUE(menu().Visible());

        TexDsn& again = Open_Design();
        EXPECT_TRUE(again.Visible());
        Expect_Results(again, false);
        EXPECT_EQ(again.Text1.Text(), "");
        for (TextBox& t : again.Texh) {
            EXPECT_EQ(t.Text(), "");
        }
        for (OptionButton& o : again.Option1) {
            EXPECT_FALSE(o.Value());
        }
        for (PictureBox* p :
             {&again.HornPic, &again.TempPic, &again.BmepPic, &again.BellyPic, &again.TailPic}) {
            EXPECT_FALSE(p->Visible()) << p->Name();
        }
        EXPECT_TRUE(again.V.ThreeStage);
        EXPECT_EQ(again.V.Numdiam, 4);
        boxes.clear();
        again.Comd[0].Click();
        EXPECT_EQ(boxes, (std::vector<Message_Box>{
                             {"Diffuser Type Not Set", "Select an Option for the Diffuser Type"}}));
    }
}

} // namespace
