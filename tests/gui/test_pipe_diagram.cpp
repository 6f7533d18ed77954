// The chamber diagram: the coordinates that Draw_Pipe gives the line, dot and label
// controls, in both modes, and the picture that the design window paints from them.

#include "gui_support.h"

#include "design/chamber.h"
#include "design/pipe_diagram.h"

#include <cmath>
#include <limits>

namespace {

constexpr uint32_t Back = 0x008080FF;

// The two-stage chamber worked through by hand.
Pipe_Inputs Two_Stage_Example() {
    Pipe_Inputs in;
    in.ThreeStage = false;
    in.PrtDiam = 40;
    in.PrtLnth = 60;
    in.ETotal = 1000;
    in.Diam = {44, 67.5919F, 100, 24, 0};
    in.Lnth = {40, 410, 140, 110, 240, 240, 0};
    return in;
}

// The diagram's inputs for a design computed by the chamber calculation.
Pipe_Inputs Computed(const DsnInput& in) {
    const DsnResult r = Calc_Chamber(in);
    Pipe_Inputs p;
    p.ThreeStage = in.ThreeStage;
    p.PrtDiam = in.PrtDiam;
    p.PrtLnth = in.PrtLnth;
    p.ETotal = r.ETotal;
    p.Diam = r.Diam;
    p.Lnth = r.Lnth;
    return p;
}

// Three stages: BMEP 10 for temperature and coefficients, horn 1.5, DX 40, D1 44, LX 20,
// 88 degrees, 11000 rpm.
Pipe_Inputs Three_Stage_Example() {
    DsnInput in;
    in.ThreeStage = in.TempFromBmep = in.CoefFromBmep = true;
    in.HornCoef = 1.5F;
    in.TargetBmep = 10;
    in.PrtDiam = 40;
    in.FlangeDiam = 44;
    in.PrtLnth = 20;
    in.OpenAngle = 88;
    in.EngineSpeed = 11000;
    return Computed(in);
}

// A small, fast engine: three stages at BMEP 12, horn 2.0, DX 12, D1 14, LX 9, 105
// degrees, 19000 rpm.
Pipe_Inputs Small_Three_Stage() {
    DsnInput in;
    in.ThreeStage = in.TempFromBmep = in.CoefFromBmep = true;
    in.HornCoef = 2.0F;
    in.TargetBmep = 12;
    in.PrtDiam = 12;
    in.FlangeDiam = 14;
    in.PrtLnth = 9;
    in.OpenAngle = 105;
    in.EngineSpeed = 19000;
    return Computed(in);
}

constexpr double Near = 0.002; // the worked values are given to three decimals

void Expect_Line(const LineShape& l, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(l.X1, x1, Near);
    EXPECT_NEAR(l.Y1, y1, Near);
    EXPECT_NEAR(l.X2, x2, Near);
    EXPECT_NEAR(l.Y2, y2, Near);
}

TEST(Draw_Pipe, TwoStageWorkedExample) {
    Pipe_Diagram d(Back);
    Draw_Pipe(Two_Stage_Example(), 9400, d);

    const double S[] = {1387.097, 1645.161, 4290.323, 5193.549, 5903.226, 7451.613, 9000};
    Expect_Line(d.Dprt, 1000, 1042, 1000, 1602);
    for (int j = 0; j <= 6; ++j) {
        SCOPED_TRACE(j);
        EXPECT_NEAR(d.LDia[j].X1, S[j], Near);
        EXPECT_EQ(d.LDia[j].X1, d.LDia[j].X2);
    }
    for (int j : {0, 1}) {
        EXPECT_EQ(d.LDia[j].Y1, 1042.0F);
        EXPECT_EQ(d.LDia[j].Y2, 1658.0F);
    }
    for (int j : {3, 4}) {
        EXPECT_EQ(d.LDia[j].Y1, 650.0F);
        EXPECT_EQ(d.LDia[j].Y2, 2050.0F);
    }
    for (int j : {5, 6}) {
        EXPECT_EQ(d.LDia[j].Y1, 1182.0F);
        EXPECT_EQ(d.LDia[j].Y2, 1518.0F);
    }
    EXPECT_NEAR(d.LLab[0].Left, 1431.129, Near);
    EXPECT_EQ(d.LLab[0].Top, 80.0F);
    EXPECT_NEAR(d.DotXA.Left, 1163.548, Near);
    EXPECT_EQ(d.DotXA.Top, 400.0F);
    Expect_Line(d.LXA, 798.548, 820, 1178.548, 440);
    EXPECT_NEAR(d.LXLab.Left, 618.548, Near);
    EXPECT_EQ(d.LXLab.Top, 860.0F);
    Expect_Line(d.Lx, 1000, 1322, 550, 1772);
    EXPECT_EQ(d.XLab[0].Left, 190.0F);
    EXPECT_EQ(d.XLab[0].Top, 1812.0F);
    EXPECT_EQ(d.XLab[1].Left, 330.0F);
    EXPECT_EQ(d.XLab[1].Top, 2052.0F);
    EXPECT_NEAR(d.Dv[2].X1, 5548.388, Near);
    EXPECT_NEAR(d.Dv[3].X1, 8225.807, Near);
    EXPECT_EQ(d.Dv[3].Y1, 1518.0F);
    EXPECT_EQ(d.Dv[3].Y2, 2300.0F);
    // The port's markers.
    Expect_Line(d.Dx, 1000, 1602, 1000, 2300);
    EXPECT_EQ(d.DXLab.Left, 850.0F);
    EXPECT_EQ(d.DXLab.Top, 2350.0F);
    EXPECT_EQ(d.DxDot.Left, 970.0F);
    EXPECT_EQ(d.DxDot.Top, 1572.0F);
}

TEST(Draw_Pipe, TheOutlineJoinsTheDiameterLines) {
    for (const Pipe_Inputs& in : {Two_Stage_Example(), Three_Stage_Example()}) {
        SCOPED_TRACE(in.ThreeStage ? "three stages" : "two stages");
        Pipe_Diagram d(Back);
        Draw_Pipe(in, 9400, d);
        const int N = in.ThreeStage ? 7 : 6;
        // Duct and header: one straight upper edge from the port to the header's end.
        Expect_Line(d.LTop[0], d.Dprt.X1, d.LDia[0].Y1, d.LDia[1].X1, d.LDia[0].Y1);
        Expect_Line(d.LPrt, d.Dprt.X1, d.Dprt.Y2, d.LDia[0].X1, d.LDia[0].Y2);
        Expect_Line(d.LBot[0], d.LDia[0].X1, d.LDia[0].Y2, d.LDia[1].X1, d.LDia[0].Y2);
        for (int j = 1; j < N; ++j) {
            SCOPED_TRACE(j);
            Expect_Line(d.LTop[j], d.LDia[j].X1, d.LDia[j].Y1, d.LDia[j + 1].X1, d.LDia[j + 1].Y1);
            Expect_Line(d.LBot[j], d.LDia[j].X1, d.LDia[j].Y2, d.LDia[j + 1].X1, d.LDia[j + 1].Y2);
        }
        // The extension lines rise from 100 above the outline to y = 300.
        Expect_Line(d.Lv[0], d.Dprt.X1, d.LDia[0].Y1 - 100, d.Dprt.X1, 300);
        for (int k = 1; k <= N + 1; ++k) {
            SCOPED_TRACE(k);
            Expect_Line(d.Lv[k], d.LDia[k - 1].X1, d.LDia[k - 1].Y1 - 100, d.LDia[k - 1].X1, 300);
        }
        // Length captions centred between their extension lines.
        for (int j = 0; j < N; ++j) {
            EXPECT_NEAR(d.LLab[j].Left + 85, (d.LDia[j].X1 + d.LDia[j + 1].X1) / 2.0, Near);
        }
        // Each diameter dot sits on its leader, where the leader meets the chamber.
        for (int i = 0; i <= (in.ThreeStage ? 4 : 3); ++i) {
            EXPECT_NEAR(d.DDot[i].Left + 30, d.Dv[i].X1, Near);
            EXPECT_NEAR(d.DDot[i].Top + 30, d.Dv[i].Y1, Near);
            EXPECT_NEAR(d.DLab[i].Left + 100, d.Dv[i].X1, Near);
            EXPECT_EQ(d.Dv[i].Y2, 2300.0F);
        }
    }
}

TEST(Draw_Pipe, ThreeStageLeadersStandAtTheirStations) {
    Pipe_Diagram d(Back);
    const Pipe_Inputs in = Three_Stage_Example();
    Draw_Pipe(in, 9400, d);
    const auto S = [&d](int j) { return static_cast<double>(d.LDia[j].X1); };
    EXPECT_NEAR(d.Dv[0].X1, (S(0) + S(1)) / 2, Near);
    EXPECT_NEAR(d.Dv[1].X1, S(2), Near);
    EXPECT_NEAR(d.Dv[2].X1, S(3), Near);
    EXPECT_NEAR(d.Dv[3].X1, (S(4) + S(5)) / 2, Near);
    EXPECT_NEAR(d.Dv[4].X1, (S(6) + S(7)) / 2, Near);
    // Station diameters 0, 0, 1, 2, 3, 3, 4, 4, on the scale 700 / belly diameter.
    const double sy = static_cast<double>(static_cast<float>(700.0 / in.Diam[3]));
    const int station[] = {0, 0, 1, 2, 3, 3, 4, 4};
    for (int j = 0; j <= 7; ++j) {
        const double r = static_cast<float>(sy * in.Diam[station[j]]);
        EXPECT_NEAR(d.LDia[j].Y1, 1350 - r, 1e-3) << j;
        EXPECT_NEAR(d.LDia[j].Y2, 1350 + r, 1e-3) << j;
    }
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(d.Dv[i].Y1, d.LDia[i == 0 ? 0 : (i == 4 ? 6 : i + 1)].Y2) << i;
    }
}

struct Mode_Case {
    const char* name;
    Pipe_Inputs in;
    float width;
};
void PrintTo(const Mode_Case& c, std::ostream* os) {
    *os << c.name;
}

class Draw_Pipe_Modes : public ::testing::TestWithParam<Mode_Case> {};

TEST_P(Draw_Pipe_Modes, BellySpansTheSameHeightAndTheChamberTheSameLength) {
    const Mode_Case& c = GetParam();
    Pipe_Diagram d(Back);
    Draw_Pipe(c.in, c.width, d);
    const int N = c.in.ThreeStage ? 7 : 6;
    const int belly = c.in.ThreeStage ? 4 : 3;
    const double P = ((c.width - 8000.0) + 600) / 2;
    EXPECT_NEAR(d.Dprt.X1, P, 1e-3);
    EXPECT_NEAR(d.LDia[N].X1, P + 8000, 0.01) << "the tail pipe ends 8000 twips from the port";
    EXPECT_NEAR(d.LDia[belly].Y1, 650, 1e-3);
    EXPECT_NEAR(d.LDia[belly].Y2, 2050, 1e-3);
    EXPECT_NEAR(d.LDia[belly + 1].Y1, 650, 1e-3);
    // The port, at its own diameter, level with the flange's upper edge.
    EXPECT_EQ(d.Dprt.Y1, d.LDia[0].Y1);
    const double sy = 700.0 / (c.in.ThreeStage ? c.in.Diam[3] : c.in.Diam[2]);
    EXPECT_NEAR(d.Dprt.Y2 - d.Dprt.Y1, 2 * sy * c.in.PrtDiam, 0.01);
    // The style and the eight three-stage-only controls.
    EXPECT_EQ(d.LDia[6].BorderStyle, c.in.ThreeStage ? Style_Dot : Style_Solid);
    for (const bool* v :
         {&d.LTop[6].Visible, &d.LBot[6].Visible, &d.LDia[7].Visible, &d.LLab[6].Visible,
          &d.Lv[8].Visible, &d.DLab[4].Visible, &d.Dv[4].Visible, &d.DDot[4].Visible}) {
        EXPECT_EQ(*v, c.in.ThreeStage);
    }
    EXPECT_EQ(d.LDia[0].BorderStyle, Style_Solid);
    EXPECT_EQ(d.LDia[7].BorderStyle, Style_Solid);
    for (int j = 1; j <= 5; ++j) {
        EXPECT_EQ(d.LDia[j].BorderStyle, Style_Dot) << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Both, Draw_Pipe_Modes,
                         ::testing::Values(Mode_Case{"TwoStage", Two_Stage_Example(), 9400},
                                           Mode_Case{"ThreeStage", Three_Stage_Example(), 9400},
                                           Mode_Case{"SmallThreeStage", Small_Three_Stage(), 9400},
                                           Mode_Case{"DesignWidth", Three_Stage_Example(), 6500}),
                         [](const ::testing::TestParamInfo<Mode_Case>& i) {
                             return std::string(i.param.name);
                         });

TEST(Draw_Pipe, SwitchingModesHidesAndShowsTheThreeStageControls) {
    Pipe_Diagram d(Back);
    Draw_Pipe(Three_Stage_Example(), 9400, d);
    const LineShape tail = d.LDia[7];
    Draw_Pipe(Two_Stage_Example(), 9400, d);
    EXPECT_FALSE(d.LDia[7].Visible);
    EXPECT_EQ(d.LDia[6].BorderStyle, Style_Solid);
    EXPECT_EQ(d.LDia[7].X1, tail.X1) << "hidden controls keep their last positions";
    Draw_Pipe(Three_Stage_Example(), 9400, d);
    EXPECT_TRUE(d.LDia[7].Visible);
    EXPECT_TRUE(d.DDot[4].Visible);
    EXPECT_EQ(d.LDia[6].BorderStyle, Style_Dot);
}

TEST(Draw_Pipe, TwoStageNeverReadsTheUnusedDimensions) {
    Pipe_Inputs plain = Two_Stage_Example();
    Pipe_Inputs poisoned = plain;
    poisoned.Diam[4] = std::numeric_limits<float>::quiet_NaN();
    poisoned.Lnth[6] = std::numeric_limits<float>::quiet_NaN();
    Pipe_Diagram a(Back), b(Back);
    Draw_Pipe(plain, 9400, a);
    Draw_Pipe(poisoned, 9400, b);
    for (int j = 0; j <= 6; ++j) {
        EXPECT_EQ(a.LDia[j].X1, b.LDia[j].X1);
        EXPECT_EQ(a.LTop[j].Y2, b.LTop[j].Y2);
    }
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(a.Dv[i].X1, b.Dv[i].X1);
        EXPECT_EQ(a.DDot[i].Top, b.DDot[i].Top);
    }
}

TEST(Draw_Pipe, CaptionsAreFixed) {
    Pipe_Diagram d(Back);
    Draw_Pipe(Two_Stage_Example(), 9400, d);
    Draw_Pipe(Three_Stage_Example(), 9400, d);
    for (int j = 0; j < 7; ++j) {
        EXPECT_EQ(d.LLab[j].Caption, "L" + std::to_string(j + 1));
        EXPECT_EQ(d.LLab[j].Width, j == 0 ? 200.0F : 255.0F);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d.DLab[i].Caption, "D" + std::to_string(i + 1));
    }
    EXPECT_EQ(d.DXLab.Caption, "DX");
    EXPECT_EQ(d.LXLab.Caption, "LX");
    EXPECT_EQ(d.XLab[0].Caption, "Exhaust");
    EXPECT_EQ(d.XLab[0].Width, 655.0F);
    EXPECT_EQ(d.XLab[1].Caption, "Port");
    EXPECT_EQ(d.XLab[1].Width, 400.0F);
    EXPECT_EQ(d.DxDot.Width, 72.0F);
    EXPECT_EQ(d.DLab[0].BackColor, Back);
}

// ---- In the design window ----

using Diagram_In_Window = Program_Test;

TEST_F(Diagram_In_Window, CalculateDrawsFromTheFormLevelState) {
    TexDsn& d = Open_Design();
    Click_Into(d.Option1[0]);
    Click_Into(d.Option1[2]);
    Click_Into(d.Option1[4]);
    const char* texts[10] = {"600", "88", "11000", "", "0.65", "20", "2.5", "", "40", "44"};
    for (int16_t i = 0; i < 10; ++i) {
        d.Texh[i].SetText(texts[i]);
    }
    d.Comd[0].Click();
    ASSERT_TRUE(d.PipPic.Visible());

    Pipe_Inputs in;
    in.ThreeStage = false;
    in.PrtDiam = d.V.PrtDiam;
    in.PrtLnth = d.V.PrtLnth;
    in.ETotal = d.V.ETotal;
    in.Diam = d.V.Diam;
    in.Lnth = d.V.Lnth;
    Pipe_Diagram expected(Back);
    Draw_Pipe(in, 9400, expected);
    for (int j = 0; j <= 6; ++j) {
        EXPECT_EQ(d.Diagram.LDia[j].X1, expected.LDia[j].X1);
        EXPECT_EQ(d.Diagram.LDia[j].Y1, expected.LDia[j].Y1);
    }
    EXPECT_EQ(d.Diagram.LXA.X1, expected.LXA.X1);
    EXPECT_FALSE(d.Diagram.LDia[7].Visible);
    EXPECT_EQ(d.V.PrtDiam, 40.0F);
    EXPECT_EQ(d.V.PrtLnth, 20.0F);
}

// The painted picture: the lines are where the model says, hidden ones are not drawn.
TEST_F(Diagram_In_Window, PipPicPaintsTheModel) {
    TexDsn& d = Open_Design();
    Click_Into(d.Option1[1]);
    Click_Into(d.Option1[3]);
    Click_Into(d.Option1[5]);
    const char* texts[10] = {"", "88", "11000", "10", "", "20", "", "1.5", "40", "44"};
    for (int16_t i = 0; i < 10; ++i) {
        d.Texh[i].SetText(texts[i]);
    }
    d.Comd[0].Click();
    const QImage three = d.PipPic.Widget()->grab().toImage();
    const auto dark = [](const QImage& img, double xt, double yt) {
        const QColor c(img.pixel(static_cast<int>(xt / 15), static_cast<int>(yt / 15)));
        return c.lightness() < 100;
    };
    const LineShape belly = d.Diagram.LTop[4];
    EXPECT_TRUE(dark(three, (belly.X1 + belly.X2) / 2, belly.Y1)) << "belly's upper edge";
    const LineShape end = d.Diagram.LDia[7];
    EXPECT_TRUE(dark(three, end.X1, (end.Y1 + end.Y2) / 2)) << "tail end, three stages";

    // Three stages: the last cone's end is dotted; two stages: it is the tail pipe's end,
    // drawn solid.
    const auto gaps = [&dark](const QImage& img, const LineShape& l) {
        int light = 0;
        for (double y = l.Y1 + 45; y < l.Y2 - 45; y += 15) {
            light += dark(img, l.X1, y) ? 0 : 1;
        }
        return light;
    };
    EXPECT_GT(gaps(three, d.Diagram.LDia[6]), 3);
    Click_Into(d.Option1[0]);
    Click_Into(d.Option1[4]);
    d.Texh[6].SetText("2.5");
    d.Texh[4].SetText("0.65");
    d.Comd[0].Click();
    ASSERT_FALSE(d.Diagram.LDia[7].Visible);
    const QImage two = d.PipPic.Widget()->grab().toImage();
    EXPECT_EQ(gaps(two, d.Diagram.LDia[6]), 0);
}

} // namespace
