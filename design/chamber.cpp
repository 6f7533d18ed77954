#include "design/chamber.h"

#include "common/display_format.h"

#include <cmath>

void Calc_Chamber_A(const DsnInput& in, DsnResult& out) {
    const double B = in.TargetBmep;
    if (in.TempFromBmep) {
        const float t = Single(B * 37.5 + 200); // degrees C: 8 bar gives 500, 12 bar 650
        out.GasTemp = Single(static_cast<double>(t) + 273.15);
    } else {
        out.GasTemp = Single(static_cast<double>(in.ExhTemp) + 273.15);
    }

    if (in.CoefFromBmep) {
        const float b = in.TargetBmep;
        if (12.0f <= b)
            out.TailCoef = Single(0.6);
        else if (b > 8.0f)
            out.TailCoef = Single(((B * 0.05 - 1.375) * B + 18.3) / 15);
        else
            out.TailCoef = Single(0.7);

        if (12.0f <= b)
            out.MidCoef = 3.25f;
        else if (b > 8.0f)
            out.MidCoef = Single(std::sqrt(B * 1.51171875 - 7.578125));
        else
            out.MidCoef = 2.125f;
    } else {
        out.MidCoef = in.MidCoef;
        out.TailCoef = in.TailCoef;
    }
}

void Calc_Chamber_B(const DsnInput& in, DsnResult& out) {
    out.SoundSpeed = Single(std::sqrt(static_cast<double>(out.GasTemp) * 401.8));
    const double theta = in.OpenAngle;
    const double N = in.EngineSpeed;
    out.ETotal =
        Single((360 - (theta + theta)) * (static_cast<double>(out.SoundSpeed) * 1000) / (N * 12));
    out.MaxPrtLnth = Single(static_cast<double>(out.ETotal) * 0.1);
}

void Calc_Chamber_C(const DsnInput& in, DsnResult& out) {
    const double E = out.ETotal;
    auto& L = out.Lnth;
    auto& D = out.Diam;
    L[0] = Single(E * 0.1 - static_cast<double>(in.PrtLnth));
    if (in.ThreeStage) {
        L[1] = Single(E * 0.275);
        L[2] = Single(E * 0.183);
        L[3] = Single(E * 0.092);
        L[4] = Single(E * 0.11);
        L[5] = Single(E * 0.24);
        L[6] = L[5];
    } else {
        L[1] = Single(E * 0.41);
        L[2] = Single(E * 0.14);
        L[3] = Single(E * 0.11);
        L[4] = Single(E * 0.24);
        L[5] = L[4];
    }

    const double dx = in.PrtDiam;
    const double mid = out.MidCoef;
    D[0] = in.FlangeDiam;
    if (in.ThreeStage) {
        const float r = Single(static_cast<double>(D[0]) / dx);
        const float g = Single(std::log(mid / static_cast<double>(r)));
        D[3] = Single(mid * dx);
        D[4] = Single(static_cast<double>(out.TailCoef) * dx);
        float p = Single(std::pow(0.5, static_cast<double>(in.HornCoef)));
        float e = Single(static_cast<double>(g) * static_cast<double>(p));
        D[1] = Single(static_cast<double>(D[0]) * std::exp(static_cast<double>(e)));
        p = Single(std::pow(0.83272727, static_cast<double>(in.HornCoef)));
        e = Single(static_cast<double>(g) * static_cast<double>(p));
        D[2] = Single(static_cast<double>(D[0]) * std::exp(static_cast<double>(e)));
        out.Numdiam = 4;
        out.Numlen = 6;
    } else {
        D[2] = Single(mid * dx);
        D[3] = Single(static_cast<double>(out.TailCoef) * dx);
        D[1] = Single(static_cast<double>(D[2]) * 0.675919);
        out.Numdiam = 3;
        out.Numlen = 5;
    }
}

DsnResult Calc_Chamber(const DsnInput& in, const DsnResult& previous) {
    DsnResult out = previous;
    Calc_Chamber_A(in, out);
    Calc_Chamber_B(in, out);
    Calc_Chamber_C(in, out);
    return out;
}

std::string Max_Prt_Lnth_Text(float maxPrtLnth) {
    return Format_Number(static_cast<double>(maxPrtLnth) - 0.05, "##0.0");
}
