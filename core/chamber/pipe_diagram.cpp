#include "core/chamber/pipe_diagram.h"

#include "core/fields/numbers.h"

#include <string>

namespace {

void Line(LineShape& l, double x1, double y1, double x2, double y2) {
    l.X1 = Single(x1);
    l.Y1 = Single(y1);
    l.X2 = Single(x2);
    l.Y2 = Single(y2);
}

void Label(PaintedLabel& l, float width, const std::string& caption, uint32_t back) {
    l.Width = width;
    l.Height = 255;
    l.Caption = caption;
    l.BackColor = back;
}
} // namespace

Pipe_Diagram::Pipe_Diagram(uint32_t back) {
    for (size_t j = 0; j < LDia.size(); ++j) {
        LDia[j].BorderStyle = (j == 0 || j == 7) ? Style_Solid : Style_Dot;
    }
    for (size_t j = 0; j < LLab.size(); ++j) {
        Label(LLab[j], j == 0 ? 200 : 255, "L" + std::to_string(j + 1), back);
    }
    for (size_t i = 0; i < DLab.size(); ++i) {
        Label(DLab[i], 255, "D" + std::to_string(i + 1), back);
    }
    Label(DXLab, 255, "DX", back);
    Label(XLab[0], 655, "Exhaust", back);
    Label(XLab[1], 400, "Port", back);
    Label(LXLab, 200, "LX", back);

    // The design positions: a typical three-stage chamber laid out in the panel's designed
    // width, as the diagram looks before the first calculation.
    Design_State typical;
    typical.ThreeStage = true;
    typical.PrtDiam = 40;
    typical.PrtLnth = 20;
    typical.ETotal = 800;
    typical.Diam = {44, 60, 88, 110, 25};
    typical.Lnth = {60, 220, 146.4F, 73.6F, 88, 192, 192};
    Draw_Pipe(typical, 6500, *this);
}

void Draw_Pipe(const Design_State& in, float panelWidth, Pipe_Diagram& d) {
    const double W = panelWidth;
    const int N = in.ThreeStage ? 7 : 6;

    // 1. Horizontal scale: port to the end of the tail pipe is 8000 twips.
    const float sx = Single(8000.0 / (Dbl(in.Lnth[5]) + Dbl(in.ETotal)));

    // 2. Mode: vertical scale from the belly diameter, and the three-stage-only controls.
    const float sy = Single(700.0 / Dbl(in.ThreeStage ? in.Diam[3] : in.Diam[2]));
    for (bool* shown :
         {&d.LTop[6].Visible, &d.LBot[6].Visible, &d.LDia[7].Visible, &d.LLab[6].Visible,
          &d.Lv[8].Visible, &d.DLab[4].Visible, &d.Dv[4].Visible, &d.DDot[4].Visible}) {
        *shown = in.ThreeStage;
    }
    d.LDia[6].BorderStyle = in.ThreeStage ? Style_Dot : Style_Solid;

    const auto radius = [sy](float dia) { return Single(Dbl(sy) * Dbl(dia)); };
    const auto top = [&radius](float dia) { return Single(1350.0 - Dbl(radius(dia))); };
    const auto bot = [&radius](float dia) { return Single(1350.0 + Dbl(radius(dia))); };
    const auto mid = [](double a, double b) { return (a + b) / 2; };

    // Station diameters, the flange (0) to the end of the tail pipe (N).
    std::array<float, 8> sd{};
    if (in.ThreeStage) {
        sd = {in.Diam[0], in.Diam[0], in.Diam[1], in.Diam[2],
              in.Diam[3], in.Diam[3], in.Diam[4], in.Diam[4]};
    } else {
        sd = {in.Diam[0], in.Diam[0], in.Diam[1], in.Diam[2],
              in.Diam[2], in.Diam[3], in.Diam[3], 0};
    }

    // 3. Vertical extents: the port at its own diameter, level with the flange's top.
    const float portTop = top(in.Diam[0]);
    d.Dprt.Y1 = portTop;
    d.Dprt.Y2 = Single(Dbl(portTop) + 2 * (Dbl(sy) * Dbl(in.PrtDiam)));
    for (int j = 0; j <= N; ++j) {
        d.LDia[j].Y1 = top(sd[j]);
        d.LDia[j].Y2 = bot(sd[j]);
    }

    // 4. Stations along x.
    const float P = Single(((W - 8000) + 600) / 2);
    std::array<float, 8> St{};
    St[0] = Single(Dbl(P) + Dbl(Single(Dbl(sx) * Dbl(in.PrtLnth))));
    for (int j = 0; j < N; ++j) {
        St[j + 1] = Single(Dbl(St[j]) + Dbl(Single(Dbl(sx) * Dbl(in.Lnth[j]))));
    }
    d.Dprt.X1 = d.Dprt.X2 = P;
    for (int j = 0; j <= N; ++j) {
        d.LDia[j].X1 = d.LDia[j].X2 = St[j];
    }

    // 5. Outline.
    Line(d.LTop[0], P, top(in.Diam[0]), St[1], top(in.Diam[0]));
    Line(d.LPrt, P, d.Dprt.Y2, St[0], bot(in.Diam[0]));
    Line(d.LBot[0], St[0], bot(in.Diam[0]), St[1], bot(in.Diam[0]));
    for (int j = 1; j < N; ++j) {
        Line(d.LTop[j], d.LDia[j].X1, d.LDia[j].Y1, d.LDia[j + 1].X1, d.LDia[j + 1].Y1);
        Line(d.LBot[j], d.LDia[j].X1, d.LDia[j].Y2, d.LDia[j + 1].X1, d.LDia[j + 1].Y2);
    }

    // 6. Length extension lines, from 100 above the upper edge up to y = 300.
    Line(d.Lv[0], P, Dbl(top(in.Diam[0])) - 100, P, 300);
    Line(d.Lv[1], St[0], Dbl(top(in.Diam[0])) - 100, St[0], 300);
    for (int k = 2; k <= N + 1; ++k) {
        Line(d.Lv[k], St[k - 1], Dbl(d.LDia[k - 1].Y1) - 100, St[k - 1], 300);
    }

    // 7. Length captions, centred over their sections.
    for (int j = 0; j < N; ++j) {
        d.LLab[j].Left = Single(mid(St[j], St[j + 1]) - 85);
        d.LLab[j].Top = 80;
    }

    // 8. Duct length marker.
    d.DotXA.Left = Single(mid(P, St[0]) - 30);
    d.DotXA.Top = 400;
    Line(d.LXA, Dbl(d.DotXA.Left) + 15 - 380, 820, Dbl(d.DotXA.Left) + 15, 440);
    d.LXLab.Left = Single(Dbl(d.LXA.X1) - 180);
    d.LXLab.Top = 860;

    // 9. Port caption.
    const double portMiddle = mid(d.Dprt.Y1, d.Dprt.Y2);
    Line(d.Lx, P, portMiddle, Dbl(P) - 450, portMiddle + 450);
    d.XLab[0].Left = Single(Dbl(P) - 450 - 360);
    d.XLab[0].Top = Single(portMiddle + 450 + 40);
    d.XLab[1].Left = Single(Dbl(d.XLab[0].Left) + 140);
    d.XLab[1].Top = Single(Dbl(d.XLab[0].Top) + 240);

    // 10. Port diameter marker.
    Line(d.Dx, P, d.Dprt.Y2, P, 2300);
    d.DXLab.Left = Single(Dbl(P) - 150);
    d.DXLab.Top = 2350;

    // 11. Diameter markers.
    const int lastDiam = in.ThreeStage ? 4 : 3;
    std::array<double, 5> leaderX{};
    if (in.ThreeStage) {
        leaderX = {mid(St[0], St[1]), St[2], St[3], mid(St[4], St[5]), mid(St[6], St[7])};
    } else {
        leaderX = {mid(St[0], St[1]), St[2], mid(St[3], St[4]), mid(St[5], St[6]), 0};
    }
    for (int i = 0; i <= lastDiam; ++i) {
        Line(d.Dv[i], leaderX[i], bot(in.Diam[i]), leaderX[i], 2300);
        d.DLab[i].Left = Single(leaderX[i] - 100);
        d.DLab[i].Top = 2350;
    }

    // 12. Dots.
    d.DxDot.Left = Single(Dbl(P) - 30);
    d.DxDot.Top = Single(Dbl(d.Dprt.Y2) - 30);
    for (int i = 0; i <= lastDiam; ++i) {
        d.DDot[i].Left = Single(leaderX[i] - 30);
        d.DDot[i].Top = Single(Dbl(bot(in.Diam[i])) - 30);
    }
}
