// The chamber diagram: the coordinates that Draw_Pipe gives the line, dot and label
// controls, in both modes. (The design window's painting of them is tested with the
// window.)

#include "core/chamber/pipe_diagram.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr uint32_t Back = 0x008080FF;
constexpr double Near = 0.002; // the worked values are given to three decimals

// The two-stage chamber worked through by hand. The entries a two-stage design does not
// use hold NaN, so any coordinate that read them would show it.
Design_State Two_Stage_Example() {
    constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
    Design_State in;
    in.ThreeStage = false;
    in.PrtDiam = 40;
    in.PrtLnth = 60;
    in.ETotal = 1000;
    in.Diam = {44, 67.5919F, 100, 24, NaN};
    in.Lnth = {40, 410, 140, 110, 240, 240, NaN};
    return in;
}

void Expect_Line(const LineShape& l, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(l.X1, x1, Near);
    EXPECT_NEAR(l.Y1, y1, Near);
    EXPECT_NEAR(l.X2, x2, Near);
    EXPECT_NEAR(l.Y2, y2, Near);
}

void Expect_At(float left, float top, double x, double y) {
    EXPECT_NEAR(left, x, Near);
    EXPECT_NEAR(top, y, Near);
}

TEST(DrawPipe, TwoStageWorkedExample) {
    Pipe_Diagram d(Back);
    Draw_Pipe(Two_Stage_Example(), 9400, d);

    // The diameter lines: stations along x, and their upper and lower ends.
    const double S[] = {1387.097, 1645.161, 4290.323, 5193.549, 5903.226, 7451.613, 9000};
    const double Y[][2] = {{1042, 1658}, {1042, 1658}, {876.857, 1823.143}, {650, 2050},
                           {650, 2050},  {1182, 1518}, {1182, 1518}};
    for (int j = 0; j <= 6; ++j) {
        SCOPED_TRACE(j);
        Expect_Line(d.LDia[j], S[j], Y[j][0], S[j], Y[j][1]);
    }
    Expect_Line(d.Dprt, 1000, 1042, 1000, 1602);
    Expect_Line(d.LXA, 798.548, 820, 1178.548, 440);
    Expect_Line(d.Lx, 1000, 1322, 550, 1772);
    Expect_Line(d.Dx, 1000, 1602, 1000, 2300);
    Expect_Line(d.Dv[3], 8225.807, 1518, 8225.807, 2300);
    EXPECT_NEAR(d.Dv[2].X1, 5548.388, Near);
    Expect_At(d.LLab[0].Left, d.LLab[0].Top, 1431.129, 80);
    Expect_At(d.DotXA.Left, d.DotXA.Top, 1163.548, 400);
    Expect_At(d.LXLab.Left, d.LXLab.Top, 618.548, 860);
    Expect_At(d.XLab[0].Left, d.XLab[0].Top, 190, 1812);
    Expect_At(d.XLab[1].Left, d.XLab[1].Top, 330, 2052);
    Expect_At(d.DXLab.Left, d.DXLab.Top, 850, 2350);
    Expect_At(d.DxDot.Left, d.DxDot.Top, 970, 1572);
}

// Whatever the chamber (the worked three-stage design as the pipeline gives it) and panel
// width, even drawn over a chamber of the other mode: the chamber spans 8000 twips and the
// belly 1400 at both its ends, the outline is one unbroken line, each diameter dot sits on
// its leader, and only a three-stage diffuser shows its eight extra controls and a dotted
// LDia(6).
TEST(DrawPipe, BothModesSameSpanUnbrokenOutlineAndTheModesControls) {
    const Design_State twoStage = Two_Stage_Example();
    const Design_State threeStage = Calc_Design(Sample_Form(true, true)).value.state;
    const std::pair<Design_State, float> cases[] = {
        {twoStage, 9400}, {threeStage, 9400}, {threeStage, 6500}};
    for (const auto& [in, width] : cases) {
        const bool three = in.ThreeStage;
        SCOPED_TRACE(::testing::Message() << (three ? "three" : "two") << " stages, " << width);
        Pipe_Diagram d(Back);
        Draw_Pipe(three ? twoStage : threeStage, width, d);
        Draw_Pipe(in, width, d);
        const int N = three ? 7 : 6;
        const int belly = three ? 4 : 3;
        const double P = ((width - 8000.0) + 600) / 2;
        EXPECT_NEAR(d.Dprt.X1, P, 1e-3);
        EXPECT_NEAR(d.LDia[N].X1, P + 8000, 0.01);
        for (const LineShape& end : {d.LDia[belly], d.LDia[belly + 1]}) {
            EXPECT_NEAR(end.Y1, 650, 1e-3);
            EXPECT_NEAR(end.Y2, 2050, 1e-3);
        }
        // The port, at its own diameter on the belly's scale, level with the flange's top.
        EXPECT_EQ(d.Dprt.Y1, d.LDia[0].Y1);
        const double sy = 700.0 / in.Diam[three ? 3 : 2]; // over the belly's diameter
        EXPECT_NEAR(d.Dprt.Y2 - d.Dprt.Y1, 2 * sy * in.PrtDiam, 0.01);

        const auto joined = [](const LineShape& a, const LineShape& b) {
            return a.X2 == b.X1 && a.Y2 == b.Y1;
        };
        EXPECT_TRUE(joined(d.LPrt, d.LBot[0])) << "duct to header";
        for (int j = 0; j + 1 < N; ++j) {
            EXPECT_TRUE(joined(d.LTop[j], d.LTop[j + 1])) << j;
            EXPECT_TRUE(joined(d.LBot[j], d.LBot[j + 1])) << j;
        }
        EXPECT_EQ(d.LTop[N - 1].X2, d.LDia[N].X1);
        EXPECT_EQ(d.LBot[N - 1].Y2, d.LDia[N].Y2);
        for (int i = 0; i < belly + 1; ++i)
            Expect_At(d.DDot[i].Left + 30, d.DDot[i].Top + 30, d.Dv[i].X1, d.Dv[i].Y1);

        EXPECT_EQ(d.LDia[6].BorderStyle, three ? Style_Dot : Style_Solid);
        for (const bool* v :
             {&d.LTop[6].Visible, &d.LBot[6].Visible, &d.LDia[7].Visible, &d.LLab[6].Visible,
              &d.Lv[8].Visible, &d.DLab[4].Visible, &d.Dv[4].Visible, &d.DDot[4].Visible})
            EXPECT_EQ(*v, three);
    }
}

} // namespace
