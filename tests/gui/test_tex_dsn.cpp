// The design window: its layout, load and opening states, the option groups and their
// panels, the messages of "Calculate" with their focus moves, and the result table.

#include "gui_support.h"

#include "design/pipe_diagram.h"

#include <set>

namespace {

using Design_Window = Program_Test;

std::string Caption_Of(Control* c) {
    if (auto* l = dynamic_cast<Label*>(c)) {
        return l->Caption();
    }
    if (auto* o = dynamic_cast<OptionButton*>(c)) {
        return o->Caption();
    }
    if (auto* b = dynamic_cast<CommandButton*>(c)) {
        return b->Caption();
    }
    if (auto* f = dynamic_cast<Frame*>(c)) {
        return f->Caption();
    }
    return {};
}

struct Layout_Row {
    Control* control;
    Container* in;
    float left, top;
    float width, height; // < 0: not checked
    const char* caption; // nullptr: not checked
};

TEST_F(Design_Window, EveryControlStandsWhereDesigned) {
    TexDsn& d = dsn();
    Container& form = d.Client();
    d.SetHeight(9950); // the whole designed client area
    const std::vector<Layout_Row> rows = {
        {&d.LabNam, &form, 2120, 260, 840, 250, "Pipe Name:"},
        {&d.Text1, &form, 3080, 220, 4000, 285, nullptr},
        {&d.Comd[2], &form, 7700, 160, 1200, 600, "Return to Front Screen"},
        {&d.Comd[0], &form, 9200, 160, 1200, 600, "Calculate"},
        {&d.Comd[1], &form, 8450, 1000, 1200, 600, "Print"},
        {&d.Frame1[0], &form, 380, 620, 1600, 880, " Diffuser Type "},
        {&d.Option1[0], &d.Frame1[0], 200, 300, -1, -1, "Two Stage"},
        {&d.Option1[1], &d.Frame1[0], 200, 580, -1, -1, "Three Stage"},
        {&d.Frame1[1], &form, 200, 1650, 2000, 1060, " Exhaust Temperature "},
        {&d.Option1[2], &d.Frame1[1], 200, 300, -1, -1, "Input Manually"},
        {&d.Option1[3], &d.Frame1[1], 200, 580, -1, -1, "Calculate from Target BMEP"},
        {&d.Frame1[2], &form, 200, 4460, 2000, 1060, " Diameter Coefficients "},
        {&d.Option1[4], &d.Frame1[2], 200, 300, -1, -1, "Input Manually"},
        {&d.Option1[5], &d.Frame1[2], 200, 580, -1, -1, "Calculate from Target BMEP"},
        {&d.HornPic, &form, 2620, 750, 4100, 740, nullptr},
        {&d.Texh[7], &d.HornPic, 3360, 360, 615, 285, nullptr},
        {&d.Labexp[6], &d.HornPic, 0, 15, -1, -1,
         "Three Stage Diffuser Horn Coefficient  (1.25 to 2.0)"},
        {&d.SubLab7[1], &d.HornPic, 160, 470, -1, -1, "Enduro (wide power band) - high value"},
        {&d.SubLab7[0], &d.HornPic, 160, 245, -1, -1, "GP Racer (narrow power band) - low value"},
        {&d.TempPic, &form, 3050, 1750, 3100, 900, nullptr},
        {&d.Texh[0], &d.TempPic, 1500, 520, 615, 285, nullptr},
        {&d.Labexp[0], &d.TempPic, 20, 20, -1, -1,
         "Mid-Section Mean Exhaust Temperature          at Maximum Power (degrees C)"},
        {&d.SubLab0[1], &d.TempPic, 180, 670, -1, -1, "Enduro:      500"},
        {&d.SubLab0[0], &d.TempPic, 180, 445, -1, -1, "GP Racer:  650"},
        {&d.BmepPic, &form, 3050, 6800, 3100, 900, nullptr},
        {&d.Texh[3], &d.BmepPic, 1700, 420, 615, 285, nullptr},
        {&d.Labexp[3], &d.BmepPic, 20, 20, -1, -1, "Target BMEP at Maximum Power (bar)"},
        {&d.SubLab3[2], &d.BmepPic, 180, 695, -1, -1, "Enduro:      8"},
        {&d.SubLab3[1], &d.BmepPic, 180, 470, -1, -1, "Motocross: 9 to 10"},
        {&d.SubLab3[0], &d.BmepPic, 180, 245, -1, -1, "GP Racer:  12"},
        {&d.BellyPic, &form, 3050, 4600, 2740, 700, nullptr},
        {&d.Texh[6], &d.BellyPic, 1600, 320, 615, 285, nullptr},
        {&d.Labexp[5], &d.BellyPic, 20, 20, -1, -1, "Mid-Section Diameter Coefficient"},
        {&d.SubLab6[1], &d.BellyPic, 180, 470, -1, -1, "Enduro:      2.125"},
        {&d.SubLab6[0], &d.BellyPic, 180, 245, -1, -1, "GP Racer:  3.25"},
        {&d.TailPic, &form, 3050, 5580, 2740, 900, nullptr},
        {&d.Texh[4], &d.TailPic, 1550, 430, 615, 285, nullptr},
        {&d.Labexp[4], &d.TailPic, 20, 20, -1, -1, "Tail Pipe Diameter Coefficient"},
        {&d.SubLab4[2], &d.TailPic, 180, 695, -1, -1, "Enduro:      0.7"},
        {&d.SubLab4[1], &d.TailPic, 180, 470, -1, -1, "Motocross: 0.65"},
        {&d.SubLab4[0], &d.TailPic, 180, 245, -1, -1, "GP Racer:  0.6"},
        {&d.DuctFram, &form, 200, 2900, 7300, 1400, " Barrel Exhaust Duct "},
        {&d.DFLab[0], &d.DuctFram, 120, 320, 3100, -1,
         "Exhaust Port Effective Diameter (DX) (mm):"},
        {&d.Texh[8], &d.DuctFram, 3260, 280, 615, 285, nullptr},
        {&d.DFLab[1], &d.DuctFram, 120, 700, 2900, -1, "Diameter at the Barrel Flange (D1) (mm):"},
        {&d.Texh[9], &d.DuctFram, 3040, 660, 615, 285, nullptr},
        {&d.DFLab[2], &d.DuctFram, 120, 1080, 3250, -1,
         "Length from Piston Face to Flange (LX) (mm):"},
        {&d.Texh[5], &d.DuctFram, 3400, 1040, 615, 285, nullptr},
        {&d.DctInfo[0], &d.DuctFram, -1, -1, -1, -1, "Recommended values of the ratio"},
        {&d.DctInfo[1], &d.DuctFram, -1, -1, 2900, -1, "Flange Diameter/Effective Port Diameter"},
        {&d.DctInfo[2], &d.DuctFram, -1, -1, -1, -1, "are: "},
        {&d.DctInfo[3], &d.DuctFram, -1, -1, -1, -1, "GP Racer     1.05"},
        {&d.DctInfo[4], &d.DuctFram, -1, -1, -1, -1, "Enduro         1.125"},
        {&d.Labexp[1], &form, 200, 5700, -1, -1, "Exhaust Port Opening       Angle (deg ATDC):"},
        {&d.Texh[1], &form, 1950, 5760, 615, 285, nullptr},
        {&d.Labexp[2], &form, 200, 6200, -1, -1, "    Engine Speed at Maximum Power (rpm):"},
        {&d.Texh[2], &form, 2000, 6260, 615, 285, nullptr},
        {&d.OutFrame, &form, 7700, 2000, 3100, 4360, " Exhaust System Dimensions (mm) "},
        {&d.LabOut[0], &d.OutFrame, 380, 280, -1, -1, "Diameter"},
        {&d.LabOut[1], &d.OutFrame, 1980, 280, -1, -1, "Length"},
        {&d.LabDX, &d.OutFrame, 250, 600, -1, -1, "DX"},
        {&d.PrtDia, &d.OutFrame, 600, 560, 615, 285, nullptr},
        {&d.LabLX, &d.OutFrame, 1800, 620, -1, -1, "LX"},
        {&d.PrtLth, &d.OutFrame, 2190, 580, 615, 285, nullptr},
        {&d.LabOut[2], &d.OutFrame, 140, 3840, -1, -1,
         "Tuned Length from Piston       Face to Tail Pipe Entry"},
        {&d.TexTotLth, &d.OutFrame, 2150, 3900, 780, 285, nullptr},
        {&d.PipPic, &form, 750, 6760, 9400, 2700, nullptr},
    };
    for (const Layout_Row& r : rows) {
        SCOPED_TRACE(r.control->Name());
        EXPECT_EQ(r.control->Widget()->parentWidget(), r.in->Host());
        if (r.left >= 0) {
            EXPECT_EQ(r.control->Left(), r.left);
            EXPECT_EQ(r.control->Top(), r.top);
        }
        if (r.width >= 0) {
            EXPECT_EQ(r.control->Width(), r.width);
        }
        if (r.height >= 0) {
            EXPECT_EQ(r.control->Height(), r.height);
        }
        if (r.caption) {
            EXPECT_EQ(Caption_Of(r.control), r.caption);
        }
        // Every control inside its container.
        const QRect inside = r.in->Host()->rect();
        EXPECT_TRUE(inside.contains(r.control->Widget()->geometry()))
            << r.control->Widget()->geometry().x() << "," << r.control->Widget()->geometry().y();
    }
    for (int16_t i = 0; i < 5; ++i) {
        EXPECT_EQ(d.Labdiam[i].Caption(), "D" + std::to_string(i + 1));
        EXPECT_EQ(d.Labdiam[i].Left(), 250.0F);
        EXPECT_EQ(d.Texdiam[i].Left(), 600.0F);
        EXPECT_EQ(d.Texdiam[i].Top(), 1060.0F + 360.0F * i);
    }
    for (int16_t j = 0; j < 7; ++j) {
        EXPECT_EQ(d.Lablen[j].Caption(), "L" + std::to_string(j + 1));
        EXPECT_EQ(d.Lablen[j].Left(), 1830.0F);
        EXPECT_EQ(d.Texlen[j].Left(), 2190.0F);
        EXPECT_EQ(d.Texlen[j].Top(), 1060.0F + 360.0F * j);
    }
    EXPECT_EQ(d.InfoBox.Left, 4200.0F);
    EXPECT_EQ(d.InfoBox.Top, 160.0F);
    EXPECT_EQ(d.InfoBox.Width, 3030.0F);
    EXPECT_EQ(d.InfoBox.Height, 1160.0F);
    for (const LineShape* l : {&d.Line2, &d.Line1}) {
        EXPECT_EQ(l->X1, 0.0F);
        EXPECT_EQ(l->X2, 3120.0F);
        EXPECT_EQ(l->BorderColor, 0x00C0C0C0U);
    }
    EXPECT_EQ(d.Line2.Y1, 960.0F);
    EXPECT_EQ(d.Line1.Y1, 3700.0F);
    EXPECT_EQ(d.Caption(), "Expansion Chamber Design - Data Entry");
    EXPECT_EQ(d.ClientWidth(), 10875.0F);
}

TEST_F(Design_Window, ColoursAreAsDesigned) {
    TexDsn& d = dsn();
    EXPECT_EQ(d.BackColor(), 0x008080FFU);
    EXPECT_EQ(d.Comd[0].BackColor(), 0x00FFFF00U);
    EXPECT_EQ(d.Comd[1].BackColor(), 0x00FFC0FFU);
    EXPECT_EQ(d.Comd[2].BackColor(), 0x00FFC0C0U);
    EXPECT_EQ(d.InfoBox.BackColor, 0x00C0E0FFU);
    for (Control* c : d.Controls()) {
        SCOPED_TRACE(c->Name());
        if (dynamic_cast<TextBox*>(c)) {
            EXPECT_EQ(c->BackColor(), 0x00C0FFFFU);
        } else if (c->Name().rfind("DctInfo", 0) == 0) {
            EXPECT_EQ(c->BackColor(), 0x00C0E0FFU);
        } else if (!dynamic_cast<CommandButton*>(c)) {
            EXPECT_EQ(c->BackColor(), 0x008080FFU);
        }
        EXPECT_FALSE(c->AccessibleName().empty());
    }
    // What the screen shows: a text box and the window in their colours.
    d.Show();
    const QImage shot = d.grab().toImage();
    const QRect box = d.Text1.Widget()->geometry();
    EXPECT_EQ(QColor(shot.pixel(box.center())), QColor(255, 255, 192));
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(255, 128, 128));
}

TEST_F(Design_Window, LoadsHiddenAtEntryHeightWithNoPanelOrResult) {
    TexDsn& d = dsn();
    EXPECT_FALSE(d.Visible());
    EXPECT_EQ(d.Height(), 7300.0F);
    EXPECT_EQ(d.Host()->height(), 460);
    EXPECT_EQ(d.BmepPic.Left(), 3050.0F);
    EXPECT_EQ(d.HornPic.Top(), 750.0F);
    EXPECT_EQ(d.Text1.Width(), 4000.0F);
    for (Control* c : std::initializer_list<Control*>{&d.HornPic, &d.TempPic, &d.BmepPic,
                                                      &d.BellyPic, &d.TailPic, &d.OutFrame,
                                                      &d.PipPic, &d.Comd[1], &d.TexTotLth}) {
        EXPECT_FALSE(c->Visible()) << c->Name();
    }
    for (Control* c : std::initializer_list<Control*>{&d.Frame1[0], &d.Frame1[1], &d.Frame1[2],
                                                      &d.DuctFram, &d.Comd[0], &d.Comd[2]}) {
        EXPECT_TRUE(c->Visible()) << c->Name();
    }
}

TEST_F(Design_Window, TabOrderIsTheDesignedOne) {
    TexDsn& d = dsn();
    const std::vector<Control*> order = {&d.Text1,      &d.Frame1[0],  &d.Option1[0], &d.Option1[1],
                                         &d.Frame1[1],  &d.Option1[2], &d.Option1[3], &d.Frame1[2],
                                         &d.Option1[4], &d.Option1[5], &d.Texh[7],    &d.Texh[0],
                                         &d.Texh[3],    &d.Texh[8],    &d.Texh[9],    &d.Texh[5],
                                         &d.Texh[6],    &d.Texh[4],    &d.Texh[1],    &d.Texh[2]};
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i]->TabIndex(), static_cast<int16_t>(i)) << order[i]->Name();
    }
}

// ---- The option groups ----

struct Option_Case {
    const char* name;
    std::vector<int16_t> clicks;
    bool horn, temp, bmep, belly, tail;
    float bmepTop;     // when shown
    int16_t bmepTab;   // Texh(3)'s tab index
    const char* focus; // the control with the focus afterwards
    std::set<int16_t> emptied;
};
void PrintTo(const Option_Case& c, std::ostream* os) {
    *os << c.name;
}

class Option_Groups : public Program_Test, public ::testing::WithParamInterface<Option_Case> {};

TEST_P(Option_Groups, ShowTheNeededPanels) {
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
    if (c.bmep) {
        EXPECT_EQ(d.BmepPic.Top(), c.bmepTop);
    }
    EXPECT_EQ(d.Texh[3].TabIndex(), c.bmepTab);
    ASSERT_NE(d.ActiveControl(), nullptr);
    EXPECT_EQ(d.ActiveControl()->Name(), c.focus);
    for (int16_t i = 0; i < d.Texh.Count; ++i) {
        EXPECT_EQ(d.Texh[i].Text(), c.emptied.count(i) ? "" : "7") << "Texh(" << i << ")";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Design_Window, Option_Groups, ::testing::Values(
    //           clicks      horn   temp   bmep   belly  tail   top  tab  focus   emptied
    Option_Case{"ThreeStage", {1},  true,  false, false, false, false, 0, 12, "Texh(7)", {}},
    Option_Case{"BackToTwoStage", {1, 0},
                                    false, false, false, false, false, 0, 12, "Option1(0)", {7}},
    Option_Case{"TempTyped", {2},   false, true,  false, false, false, 0, 12, "Texh(0)", {3}},
    Option_Case{"TempFromBmep", {3},
                                    false, false, true,  false, false, 1650, 12, "Texh(3)", {0}},
    Option_Case{"BothTyped", {2, 4},
                                    false, true,  false, true,  true,  0, 12, "Texh(6)", {3}},
    Option_Case{"CoefFromBmepOnly", {2, 5},
                                    false, true,  true,  false, false, 4600, 16, "Texh(3)", {3, 6, 4}},
    Option_Case{"TempFromBmepCoefTyped", {3, 4},
                                    false, false, true,  true,  true,  1650, 12, "Texh(6)", {0}},
    Option_Case{"BothFromBmep", {3, 5},
                                    false, false, true,  false, false, 1650, 12, "Texh(1)", {0, 6, 4}},
    Option_Case{"CoefBackToTyped", {2, 5, 4},
                                    false, true,  false, true,  true,  0, 16, "Texh(6)", {3, 6, 4}},
    Option_Case{"TempTypedAfterBoth", {3, 5, 2},
                                    false, true,  true,  false, false, 4600, 16, "Texh(0)", {0, 6, 4}},
    Option_Case{"TempFromBmepAfterCoef", {2, 5, 3},
                                    false, false, true,  false, false, 1650, 12, "Option1(3)", {3, 6, 4, 0}}),
    [](const ::testing::TestParamInfo<Option_Case>& i) { return std::string(i.param.name); });
// clang-format on

// ---- Calculate ----

// The two designs worked through by hand: three stages from a target BMEP of 10, and two
// stages with typed temperature and coefficients.
void Enter_Three_Stage(TexDsn& d) {
    Click_Into(d.Option1[1]);
    Click_Into(d.Option1[3]);
    Click_Into(d.Option1[5]);
    d.Texh[7].SetText("1.5");
    d.Texh[3].SetText("10");
    d.Texh[8].SetText("40");
    d.Texh[9].SetText("44");
    d.Texh[5].SetText("20");
    d.Texh[1].SetText("88");
    d.Texh[2].SetText("11000");
}

void Enter_Two_Stage(TexDsn& d) {
    Click_Into(d.Option1[0]);
    Click_Into(d.Option1[2]);
    Click_Into(d.Option1[4]);
    d.Texh[0].SetText("600");
    d.Texh[6].SetText("2.5");
    d.Texh[4].SetText("0.65");
    d.Texh[8].SetText("40");
    d.Texh[9].SetText("44");
    d.Texh[5].SetText("20");
    d.Texh[1].SetText("88");
    d.Texh[2].SetText("11000");
}

// The texts of the result boxes, "-" for a hidden one.
template <int N> std::vector<std::string> Texts(Ctl_Array<TextBox, N>& a) {
    std::vector<std::string> t;
    for (TextBox& b : a) {
        t.push_back(b.Visible() ? b.Text() : "-");
    }
    return t;
}

using Strings = std::vector<std::string>;

void Expect_Results_Shown(TexDsn& d) {
    EXPECT_EQ(d.Height(), 9950.0F);
    EXPECT_EQ(d.Host()->height(), 637);
    for (Control* c :
         std::initializer_list<Control*>{&d.OutFrame, &d.LabOut[0], &d.LabOut[1], &d.LabOut[2],
                                         &d.Comd[1], &d.TexTotLth, &d.PipPic}) {
        EXPECT_TRUE(c->Visible()) << c->Name();
    }
}

void Expect_Results_Hidden(TexDsn& d) {
    EXPECT_EQ(d.Height(), 7300.0F);
    for (Control* c :
         std::initializer_list<Control*>{&d.OutFrame, &d.LabOut[0], &d.LabOut[1], &d.LabOut[2],
                                         &d.Comd[1], &d.TexTotLth, &d.PipPic}) {
        EXPECT_FALSE(c->Visible()) << c->Name();
    }
    for (int16_t i = 0; i < 5; ++i) {
        EXPECT_FALSE(d.Texdiam[i].Visible() || d.Labdiam[i].Visible());
    }
    for (int16_t j = 0; j < 7; ++j) {
        EXPECT_FALSE(d.Texlen[j].Visible() || d.Lablen[j].Visible());
    }
}

TEST_F(Design_Window, ThreeStageResultFillsFiveDiametersAndSevenLengths) {
    TexDsn& d = Open_Design();
    Enter_Three_Stage(d);
    Click_Into(d.Comd[0]);
    EXPECT_TRUE(boxes.empty());
    Expect_Results_Shown(d);
    EXPECT_EQ(d.PrtDia.Text(), "40.0 ");
    EXPECT_EQ(d.PrtLth.Text(), "20.0 ");
    EXPECT_EQ(Texts(d.Texdiam), (Strings{"44.0 ", "60.8 ", "88.2 ", "109.8 ", "25.5 "}));
    EXPECT_EQ(Texts(d.Texlen),
              (Strings{"61.4 ", "223.8 ", "148.9 ", "74.9 ", "89.5 ", "195.3 ", "195.3 "}));
    EXPECT_EQ(d.TexTotLth.Text(), "813.7 ");
    for (int16_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(d.Labdiam[i].Visible());
    }
    for (int16_t j = 0; j < 7; ++j) {
        EXPECT_TRUE(d.Lablen[j].Visible());
    }
}

TEST_F(Design_Window, TwoStageResultShowsFourDiametersAndSixLengths) {
    TexDsn& d = Open_Design();
    Enter_Two_Stage(d);
    d.Comd[0].Click();
    EXPECT_TRUE(boxes.empty());
    Expect_Results_Shown(d);
    EXPECT_EQ(Texts(d.Texdiam), (Strings{"44.0 ", "67.6 ", "100.0 ", "26.0 ", "-"}));
    EXPECT_EQ(Texts(d.Texlen),
              (Strings{"62.6 ", "338.5 ", "115.6 ", "90.8 ", "198.2 ", "198.2 ", "-"}));
    EXPECT_EQ(d.TexTotLth.Text(), "825.6 ");
    EXPECT_FALSE(d.Labdiam[4].Visible());
    EXPECT_FALSE(d.Lablen[6].Visible());
}

TEST_F(Design_Window, TwoStageAfterThreeStageKeepsTheUnusedDimensions) {
    TexDsn& d = Open_Design();
    Enter_Three_Stage(d);
    d.Comd[0].Click();
    const float d5 = d.V.Diam[4], l7 = d.V.Lnth[6];
    Enter_Two_Stage(d);
    d.Comd[0].Click();
    EXPECT_EQ(d.V.Diam[4], d5);
    EXPECT_EQ(d.V.Lnth[6], l7);
    EXPECT_EQ(d.V.Numdiam, 3);
    EXPECT_EQ(d.V.Numlen, 5);
    EXPECT_FALSE(d.V.ThreeStage);
}

TEST_F(Design_Window, CalculatingTwiceShowsTheSameValues) {
    TexDsn& d = Open_Design();
    Enter_Three_Stage(d);
    d.Comd[0].Click();
    const Strings first = Texts(d.Texlen);
    d.Comd[0].Click();
    Expect_Results_Shown(d);
    EXPECT_EQ(Texts(d.Texlen), first);
}

// Any edit, click into an input field or option click hides the results; the pipe name
// does not.
struct Hide_Case {
    const char* name;
    std::function<void(TexDsn&)> act;
    bool hides;
};
void PrintTo(const Hide_Case& c, std::ostream* os) {
    *os << c.name;
}

class Hiding_Results : public Program_Test, public ::testing::WithParamInterface<Hide_Case> {};

TEST_P(Hiding_Results, AfterACalculation) {
    TexDsn& d = Open_Design();
    Enter_Three_Stage(d);
    d.Comd[0].Click();
    ASSERT_TRUE(d.TexTotLth.Visible());
    GetParam().act(d);
    if (GetParam().hides) {
        Expect_Results_Hidden(d);
        EXPECT_EQ(d.TexTotLth.Text(), "813.7 ") << "the values stay in the hidden boxes";
    } else {
        Expect_Results_Shown(d);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Design_Window, Hiding_Results,
    ::testing::Values(
        Hide_Case{"TypingInAField", [](TexDsn& d) { Type_Into(d.Texh[2], "0"); }, true},
        Hide_Case{"ProgramEmptiesAField", [](TexDsn& d) { d.Texh[6].SetText(""); }, true},
        Hide_Case{"ClickIntoAField", [](TexDsn& d) { Click_Into(d.Texh[8]); }, true},
        Hide_Case{"OptionClick", [](TexDsn& d) { Click_Into(d.Option1[1]); }, true},
        Hide_Case{"TypingThePipeName", [](TexDsn& d) { Type_Into(d.Text1, "GP 125"); }, false},
        Hide_Case{"ClickIntoThePipeName", [](TexDsn& d) { Click_Into(d.Text1); }, false},
        Hide_Case{"ClickIntoAResult", [](TexDsn& d) { Click_Into(d.Texlen[2]); }, false}),
    [](const ::testing::TestParamInfo<Hide_Case>& i) { return std::string(i.param.name); });

// ---- Messages ----

// One run of "Calculate": at most one box (a warning or a failure), then the focus, the
// text of the field concerned and whether results are shown.
struct Message_Case {
    const char* name;
    std::function<void(TexDsn&)> setup;
    Box box;           // empty title: no box
    const char* focus; // the control with the focus afterwards ("Text1": did not move)
    const char* text;  // the text of that field afterwards (fields only)
    bool results;
};
void PrintTo(const Message_Case& c, std::ostream* os) {
    *os << c.name;
}

class Calculate_Messages : public Program_Test,
                           public ::testing::WithParamInterface<Message_Case> {};

TEST_P(Calculate_Messages, ComeInOrderWithTheirFocusMoves) {
    const Message_Case& c = GetParam();
    TexDsn& d = Open_Design();
    c.setup(d);
    d.Text1.SetFocus();
    std::vector<bool> resultsWhileBox;
    on_box = [&] { resultsWhileBox.push_back(d.TexTotLth.Visible()); };
    d.Comd[0].Click();
    EXPECT_EQ(boxes, std::vector<Box>{c.box});
    for (bool shown : resultsWhileBox) {
        EXPECT_FALSE(shown) << "results come after every box";
    }
    ASSERT_NE(d.ActiveControl(), nullptr);
    EXPECT_EQ(d.ActiveControl()->Name(), c.focus);
    if (auto* t = dynamic_cast<TextBox*>(d.ActiveControl()); t && t != &d.Text1) {
        EXPECT_EQ(t->Text(), c.text);
    }
    EXPECT_EQ(d.TexTotLth.Visible(), c.results);
    EXPECT_EQ(d.Height(), c.results ? 9950.0F : 7300.0F);
}

// Setups: the worked two-stage or three-stage design with one field changed.
std::function<void(TexDsn&)> Two(int16_t field, const char* text) {
    return [=](TexDsn& d) {
        Enter_Two_Stage(d);
        d.Texh[field].SetText(text);
    };
}
std::function<void(TexDsn&)> Three(int16_t field, const char* text) {
    return [=](TexDsn& d) {
        Enter_Three_Stage(d);
        d.Texh[field].SetText(text);
    };
}
std::function<void(TexDsn&)> Options(std::vector<int16_t> clicks) {
    return [=](TexDsn& d) {
        for (int16_t i : clicks) {
            Click_Into(d.Option1[i]);
        }
    };
}

const std::string Twice = "\r\n\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Design_Window, Calculate_Messages, ::testing::Values(
    Message_Case{"NothingSet", Options({}),
        {"Diffuser Type Not Set", "Select an Option for the Diffuser Type"}, "Text1", "", false},
    Message_Case{"TemperatureOptionMissing", Options({0}),
        {"Exhaust Temperature Option Not Set",
         "Select an Option for the Exhaust Temperature setting"}, "Text1", "", false},
    Message_Case{"CoefficientOptionMissing", Options({0, 2}),
        {"Diameter Coefficients Option Not Set",
         "Select an Option for the Diameter Coefficient settings"}, "Text1", "", false},
    Message_Case{"BlankFieldIsNotSetAndEmptied", Two(8, "   "),
        {"Exhaust Port Effective Diameter Not Set",
         "Enter a value for the Exhaust Port Effective Diameter"}, "Texh(8)", "", false},
    Message_Case{"LettersAreIncorrectlySetAndKept", Two(2, "abc"),
        {"Engine Speed Incorrectly Set", "Enter a value for the Engine Speed"},
        "Texh(2)", "abc", false},
    Message_Case{"HornOutOfRange", Three(7, "2.1"),
        {"Horn Coefficient Out of Range", "Enter a value between 1.25 and 2.0"},
        "Texh(7)", "2.1", false},
    Message_Case{"FlangeWarningThenResults", Two(9, "41"),
        {"WARNING - Barrel Flange Diameter less than the Recommended Limit",
         "The Barrel Flange Diameter is less than 1.05 x Port Effective Diameter"},
        "Texh(9)", "41", true},
    Message_Case{"FlangeExceedsWarningThenResults", Two(9, "46"),
        {"WARNING - Barrel Flange Diameter exceeds the Recommended Limit",
         "The Barrel Flange Diameter exceeds 1.125 x Exhaust Port Effective Diameter"},
        "Texh(9)", "46", true},
    Message_Case{"FlangeTooLarge", Two(9, "48.1"),
        {"Barrel Flange Diameter Too Large",
         "The Barrel Flange Diameter must not exceed 1.2 x Port Effective Diameter" + Twice +
         "Enter a new value."}, "Texh(9)", "48.1", false},
    Message_Case{"DuctLongerThanItsLimit", Three(5, "90"),
        {"Unacceptable Length from Piston Face to Barrel Flange",
         "The Length from Piston Face to Barrel Flange is Too Long" + Twice +
         "This Length must Not Exceed 81.3 mm"}, "Texh(5)", "90", false}),
    [](const ::testing::TestParamInfo<Message_Case>& i) { return std::string(i.param.name); });
// clang-format on

TEST_F(Design_Window, AClickIntoTheWarnedFieldHidesTheNewResults) {
    TexDsn& d = Open_Design();
    Enter_Two_Stage(d);
    d.Texh[9].SetText("41");
    d.Comd[0].Click();
    ASSERT_EQ(boxes.size(), 1U);
    ASSERT_TRUE(d.TexTotLth.Visible());
    EXPECT_TRUE(d.Texh[9].HasFocus());
    Click_Into(d.Texh[9]);
    Expect_Results_Hidden(d);
}

// ---- Opening, returning and discarding ----

TEST_F(Design_Window, OpensEmptyAfterACalculationAndKeepsItsState) {
    TexDsn& d = Open_Design();
    Enter_Three_Stage(d);
    d.Text1.SetText("GP 125");
    d.Comd[0].Click();
    d.Comd[2].Click();
    EXPECT_FALSE(d.Visible());

    Open_Design();
    EXPECT_TRUE(d.Visible());
    Expect_Results_Hidden(d);
    EXPECT_EQ(d.Text1.Text(), "");
    for (TextBox& t : d.Texh) {
        EXPECT_EQ(t.Text(), "");
    }
    for (OptionButton& o : d.Option1) {
        EXPECT_FALSE(o.Value());
    }
    for (PictureBox* p : {&d.HornPic, &d.TempPic, &d.BmepPic, &d.BellyPic, &d.TailPic}) {
        EXPECT_FALSE(p->Visible());
    }
    // The form-level state stays until the next option click and calculation.
    EXPECT_TRUE(d.V.ThreeStage);
    EXPECT_EQ(d.V.Numdiam, 4);
    EXPECT_EQ(d.V.ETotal, Win_Vars<TexDsn>().ETotal);
    d.Comd[0].Click();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, "Diffuser Type Not Set");
}

TEST_F(Design_Window, ClosedByItsFrameItLoadsAgainWithItsStateKept) {
    TexDsn& d = Open_Design();
    Enter_Three_Stage(d);
    d.Comd[0].Click();
    const float eTotal = d.V.ETotal;
    d.close();
    EXPECT_FALSE(Win_Exists<TexDsn>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu().Visible());

    TexDsn& again = Open_Design();
    EXPECT_TRUE(again.Visible());
    EXPECT_EQ(again.V.ETotal, eTotal);
    EXPECT_TRUE(again.V.ThreeStage);
    EXPECT_EQ(again.Height(), 7300.0F);
    EXPECT_EQ(again.PipPic.Width(), 9400.0F);
}

TEST_F(Design_Window, PrintIsOfferedOnlyWithResults) {
    TexDsn& d = Open_Design();
    EXPECT_FALSE(d.Comd[1].Visible());
    Enter_Two_Stage(d);
    d.Comd[0].Click();
    EXPECT_TRUE(d.Comd[1].Visible());
    Click_Into(d.Option1[2]);
    EXPECT_FALSE(d.Comd[1].Visible());
}

} // namespace
