#include "core/calculators/port_height_calc.h"

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"

#include <cmath>

namespace {
Field_Rule Rule(Hght_Index field, const char* name, const char* promptName,
                const char* rangePrompt) {
    return Named_Rule(field, name, promptName,
                      Named_Range(name, Bounds_Of(Form_Key::Port_Height, field), rangePrompt));
}

const Field_Rule Rules[4] = {
    Rule(HghtStroke, "Piston Stroke", "Stroke", "Enter a value between 5 and 65"),
    Rule(HghtRod, "Connecting Rod Length", "Connecting Rod Length",
         "Enter a value between 8 and 150"),
    Rule(HghtStart, "Start Open Angle", "Start Open Angle", "Enter a value between 75 and 105"),
    Rule(HghtFull, "Full Open Angle", "Full Open Angle", "Enter a value between 160 and 180"),
};

// Sine of the rod's angle to the cylinder axis at crank angle a; the geometry exists
// only while it stays below 1 (the rod reaches past the crank pin's sideways throw).
float Rod_Sine(float a, float r, float L) {
    return Single(Dbl(r) * std::sin(Dbl(a)) / Dbl(L));
}

Field_Failure Rod_Too_Short() {
    return Fail_At(HghtStroke, "Connecting Rod Too Short for the Stroke",
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
    Outcome<float> out;
    auto fail = [&out](Field_Failure f) {
        out.failure = std::move(f);
        return out;
    };
    float value[4] = {0, 0, 0, 0};
    for (const Field_Rule& rule : Rules) {
        const auto i = static_cast<size_t>(rule.field);
        if (auto f = Check_Field(rule, in.HghtTxt[i], value[i]))
            return fail(*f);
    }
    const float S = value[HghtStroke];
    const float L = value[HghtRod];
    const float As = value[HghtStart];
    const float Af = value[HghtFull];

    const float pi = Single(4.0 * std::atan(1.0));
    const float k = Single(Dbl(pi) / 180.0);
    const float as = Single(Dbl(k) * Dbl(As));
    const float af = Single(Dbl(Af) * Dbl(k));
    const float r = Single(Dbl(S) / 2.0);

    // The ranges let a short rod meet a long stroke. A rod no longer than the crank throw
    // locks the crank at 90 degrees, before any port opens, so no height exists then.
    if (!(L > r) || !(std::fabs(Rod_Sine(as, r, L)) < 1.0f) ||
        !(std::fabs(Rod_Sine(af, r, L)) < 1.0f))
        return fail(Rod_Too_Short());

    const double ds = Crank_Drop(as, r, L, pi);
    const double df = Crank_Drop(af, r, L, pi);
    const float H = Single(df - ds);
    if (!std::isfinite(H))
        return fail(Rod_Too_Short());
    out.value = H;
    return out;
}

std::string PrtHgt_Result_Text(float height) {
    return "The Port Height is " + Format_Number(Dbl(height), "##0.00") + " mm";
}
