#include "core/chamber/chamber.h"

#include "core/fields/display_format.h"
#include "core/fields/numbers.h"

#include <cmath>

namespace {
// Exhaust temperature from the target BMEP: degrees C per bar, and the offset (8 bar gives
// 500 C, 12 bar gives 650 C).
constexpr double Temp_Per_Bmep = 37.5;
constexpr double Temp_At_Zero_Bmep = 200;
// The BMEP range over which the coefficients follow their formulas; outside it they stay
// at the values the formulas reach at its ends.
constexpr float Bmep_Low = 8.0f;
constexpr float Bmep_High = 12.0f;
// Tail pipe coefficient: its values at the ends (high BMEP: narrow tail) and its
// quadratic in B, ((B * 0.05 - 1.375) * B + 18.3) / 15, between them.
constexpr double Tail_At_High_Bmep = 0.6;
constexpr double Tail_At_Low_Bmep = 0.7;
constexpr double Tail_Quad = 0.05;
constexpr double Tail_Lin = 1.375;
constexpr double Tail_Const = 18.3;
constexpr double Tail_Divisor = 15;
// Mid-section coefficient: its values at the ends and sqrt(B * 1.51171875 - 7.578125)
// between them.
constexpr float Mid_At_High_Bmep = 3.25f;
constexpr float Mid_At_Low_Bmep = 2.125f;
constexpr double Mid_Slope = 1.51171875;
constexpr double Mid_Offset = 7.578125;
// Speed of sound in the exhaust gas: sqrt(gamma * R * T) with gamma * R = 401.8 J/(kg K).
constexpr double Gamma_R = 401.8;
// The tuned length: the pressure wave runs out and back while the port is open, for
// 360 - 2 x opening angle degrees, which take (degrees) / (6 x rpm) seconds; half of that
// at the speed of sound, in mm, gives the divisor 12 x rpm and the factor 1000.
constexpr double Full_Turn_Deg = 360;
constexpr double Mm_Per_M = 1000;
constexpr double Rpm_Divisor = 12;
// LX plus the header length L1 make one tenth of the tuned length.
constexpr double Header_Share = 0.1;
// Shares of the tuned length: three-stage diffuser stages 1 to 3, the belly and the rear
// cone (equal to the tail pipe)...
constexpr double Three_Stage1 = 0.275;
constexpr double Three_Stage2 = 0.183;
constexpr double Three_Stage3 = 0.092;
constexpr double Three_Belly = 0.11;
constexpr double Three_Rear_Cone = 0.24;
// ...and the two-stage diffuser's two stages, belly and rear cone.
constexpr double Two_Stage1 = 0.41;
constexpr double Two_Stage2 = 0.14;
constexpr double Two_Belly = 0.11;
constexpr double Two_Rear_Cone = 0.24;
// Two-stage: the end of the first diffuser stage as a fraction of the belly diameter.
constexpr double Two_Stage1_Diam = 0.675919;
// Three-stage horn: fractions of the whole diffuser length (0.55 of the tuned length)
// reached at the ends of its first and second stages, 0.275 / 0.55 and 0.458 / 0.55.
constexpr double Horn_Stage1_Fraction = 0.5;
constexpr double Horn_Stage2_Fraction = 0.83272727;
} // namespace

void Calc_Gas_And_Coefficients(const DsnInput& in, DsnResult& out) {
    const double B = in.TargetBmep;
    if (in.TempFromBmep) {
        const float celsius = Single(B * Temp_Per_Bmep + Temp_At_Zero_Bmep);
        out.GasTemp = Single(Dbl(celsius) + Kelvin_Offset);
    } else {
        out.GasTemp = Single(Dbl(in.ExhTemp) + Kelvin_Offset);
    }

    if (!in.CoefFromBmep) {
        out.MidCoef = in.MidCoef;
        out.TailCoef = in.TailCoef;
        return;
    }
    const float bmep = in.TargetBmep;
    if (Bmep_High <= bmep)
        out.TailCoef = Single(Tail_At_High_Bmep);
    else if (bmep > Bmep_Low)
        out.TailCoef = Single(((B * Tail_Quad - Tail_Lin) * B + Tail_Const) / Tail_Divisor);
    else
        out.TailCoef = Single(Tail_At_Low_Bmep);

    if (Bmep_High <= bmep)
        out.MidCoef = Mid_At_High_Bmep;
    else if (bmep > Bmep_Low)
        out.MidCoef = Single(std::sqrt(B * Mid_Slope - Mid_Offset));
    else
        out.MidCoef = Mid_At_Low_Bmep;
}

float Sound_Speed(float gasTemp) {
    return Single(std::sqrt(Dbl(gasTemp) * Gamma_R));
}

double Tuned_Speed(double openAngle, double soundSpeed, double tunedLength) {
    return (Full_Turn_Deg - (openAngle + openAngle)) * (soundSpeed * Mm_Per_M) /
           (tunedLength * Rpm_Divisor);
}

void Calc_Tuned_Length(const DsnInput& in, DsnResult& out) {
    out.SoundSpeed = Sound_Speed(out.GasTemp);
    const double theta = in.OpenAngle;
    const double rpm = in.EngineSpeed;
    out.ETotal = Single((Full_Turn_Deg - (theta + theta)) * (Dbl(out.SoundSpeed) * Mm_Per_M) /
                        (rpm * Rpm_Divisor));
    out.MaxPrtLnth = Single(Dbl(out.ETotal) * Header_Share);
}

void Calc_Sections(const DsnInput& in, DsnResult& out) {
    const double tuned = out.ETotal;
    auto& L = out.Lnth;
    auto& D = out.Diam;
    L[0] = Single(tuned * Header_Share - Dbl(in.PrtLnth));
    if (in.ThreeStage) {
        L[1] = Single(tuned * Three_Stage1);
        L[2] = Single(tuned * Three_Stage2);
        L[3] = Single(tuned * Three_Stage3);
        L[4] = Single(tuned * Three_Belly);
        L[5] = Single(tuned * Three_Rear_Cone);
        L[6] = L[5]; // the tail pipe: the very same value as the rear cone
    } else {
        L[1] = Single(tuned * Two_Stage1);
        L[2] = Single(tuned * Two_Stage2);
        L[3] = Single(tuned * Two_Belly);
        L[4] = Single(tuned * Two_Rear_Cone);
        L[5] = L[4];
    }

    const double dx = in.PrtDiam;
    const double mid = out.MidCoef;
    D[0] = in.FlangeDiam;
    if (in.ThreeStage) {
        // An exponential horn from D1 to the belly diameter.
        const float ratio = Single(Dbl(D[0]) / dx);
        const float growth = Single(std::log(mid / Dbl(ratio)));
        D[3] = Single(mid * dx);
        D[4] = Single(Dbl(out.TailCoef) * dx);
        float power = Single(std::pow(Horn_Stage1_Fraction, Dbl(in.HornCoef)));
        float exponent = Single(Dbl(growth) * Dbl(power));
        D[1] = Single(Dbl(D[0]) * std::exp(Dbl(exponent)));
        power = Single(std::pow(Horn_Stage2_Fraction, Dbl(in.HornCoef)));
        exponent = Single(Dbl(growth) * Dbl(power));
        D[2] = Single(Dbl(D[0]) * std::exp(Dbl(exponent)));
        out.Numdiam = 4;
        out.Numlen = 6;
    } else {
        D[2] = Single(mid * dx);
        D[3] = Single(Dbl(out.TailCoef) * dx);
        D[1] = Single(Dbl(D[2]) * Two_Stage1_Diam);
        out.Numdiam = 3;
        out.Numlen = 5;
    }
}

DsnResult Calc_Chamber(const DsnInput& in, const DsnResult& previous) {
    DsnResult out = previous;
    Calc_Gas_And_Coefficients(in, out);
    Calc_Tuned_Length(in, out);
    Calc_Sections(in, out);
    return out;
}

std::string Max_Prt_Lnth_Text(float maxPrtLnth) {
    return Format_Number(Dbl(maxPrtLnth) - 0.05, "##0.0");
}
