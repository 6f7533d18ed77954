#include "tools/port_height_calc.h"

#include "common/display_format.h"
#include "common/field_check.h"
#include "common/single.h"

#include <cmath>

namespace {
enum : int16_t { StrokeField = 0, RodField = 1, StartField = 2, FullField = 3 };

struct Field_Rule {
    Field_Texts texts;
    float lo;
    float hi;
    const char* rangeTitle;
    const char* rangePrompt;
};

const Field_Rule Rules[4] = {
    {{"Piston Stroke Not Set", "Piston Stroke Incorrectly Set", "Enter a value for the Stroke"},
     5.0f,
     65.0f,
     "Piston Stroke Out of Range",
     "Enter a value between 5 and 65"},
    {{"Connecting Rod Length Not Set", "Connecting Rod Length Incorrectly Set",
      "Enter a value for the Connecting Rod Length"},
     8.0f,
     150.0f,
     "Connecting Rod Length Out of Range",
     "Enter a value between 8 and 150"},
    {{"Start Open Angle Not Set", "Start Open Angle Incorrectly Set",
      "Enter a value for the Start Open Angle"},
     75.0f,
     105.0f,
     "Start Open Angle Out of Range",
     "Enter a value between 75 and 105"},
    {{"Full Open Angle Not Set", "Full Open Angle Incorrectly Set",
      "Enter a value for the Full Open Angle"},
     160.0f,
     180.0f,
     "Full Open Angle Out of Range",
     "Enter a value between 160 and 180"},
};

// Sine of the rod's angle to the cylinder axis at crank angle a; the geometry exists
// only while it stays below 1 (the rod reaches past the crank pin's sideways throw).
float Rod_Sine(float a, float r, float L) {
    return Single(Dbl(r) * std::sin(Dbl(a)) / Dbl(L));
}

Field_Failure Rod_Too_Short() {
    return Fail_At(StrokeField, "Connecting Rod Too Short for the Stroke",
                   std::string("The crank throw reaches past the Connecting Rod Length") + CrLf +
                       "Enter a smaller Stroke or a longer Connecting Rod Length");
}
} // namespace

double Crank_Drop(float a, float r, float L, float pi) {
    const float s = Rod_Sine(a, r, L);
    const double c = std::sqrt(1.0 - Dbl(s) * Dbl(s));
    const float t = Single(Dbl(s) / c);
    const float b = Single(std::atan(Dbl(t)));
    // The angle at the crank pin between crank and rod.
    const float g = Single(Dbl(pi) - Dbl(a) - Dbl(b));
    // Square of the distance from the crank centre to the piston pin.
    const float q =
        Single((Dbl(r) * Dbl(r) + Dbl(L) * Dbl(L)) - (Dbl(r) + Dbl(r)) * Dbl(L) * std::cos(Dbl(g)));
    return (Dbl(r) + Dbl(L)) - std::sqrt(Dbl(q));
}

Outcome<float> Calc_PrtHgt(const PrtHgt_Inputs& in) {
    using Result = Outcome<float>;
    const std::string* texts[4] = {&in.stroke, &in.rod, &in.start, &in.full};
    float value[4] = {0, 0, 0, 0};
    for (int16_t i = 0; i < 4; ++i) {
        const Field_Rule& rule = Rules[i];
        if (auto f = Read_Field(*texts[i], i, rule.texts, value[i]))
            return Result::fail(*f);
        if (auto f = Check_Range(value[i], rule.lo, rule.hi, i, rule.rangeTitle, rule.rangePrompt))
            return Result::fail(*f);
    }
    const float S = value[StrokeField];
    const float L = value[RodField];
    const float As = value[StartField];
    const float Af = value[FullField];

    const float pi = Single(4.0 * std::atan(1.0));
    const float k = Single(Dbl(pi) / 180.0);
    const float as = Single(Dbl(k) * Dbl(As));
    const float af = Single(Dbl(Af) * Dbl(k));
    const float r = Single(Dbl(S) / 2.0);

    // The ranges let a short rod meet a long stroke; no height exists then.
    if (!(std::fabs(Rod_Sine(as, r, L)) < 1.0f) || !(std::fabs(Rod_Sine(af, r, L)) < 1.0f))
        return Result::fail(Rod_Too_Short());

    const double ds = Crank_Drop(as, r, L, pi);
    const double df = Crank_Drop(af, r, L, pi);
    const float H = Single(df - ds);
    if (!std::isfinite(H))
        return Result::fail(Rod_Too_Short());
    return Result::success(H);
}

std::string PrtHgt_Result_Text(float height) {
    return "The Port Height is " + Format_Number(Dbl(height), "##0.00") + " mm";
}
