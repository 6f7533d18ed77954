#include "core/calculators/bmep_calc.h"

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"

#include <cmath>

namespace {
const Field_Rule Rules[4] = {
    {BhpBore, "Cylinder Bore Not Set", "Cylinder Bore Incorrectly Set",
     "Enter a value for the Bore",
     Field_Range{Bounds_Of(Form_Key::Bmep, BhpBore), "Cylinder Bore is Out of Range",
                 "Enter a value between 5 and 80"}},
    {BhpStroke, "Piston Stroke Not Set", "Piston Stroke Incorrectly Set",
     "Enter a value for the Stroke", std::nullopt},
    {BhpSpeed, "Engine Speed Not Set", "Engine Speed Incorrectly Set",
     "Enter a value for the Engine Speed",
     Field_Range{Bounds_Of(Form_Key::Bmep, BhpSpeed), "The Engine Speed is Out of Range",
                 "Enter a value between 4000 and 35000"}},
    {BhpPower, "Engine Power Not Set", "Engine Power Incorrectly Set",
     "Enter a value for the Power", std::nullopt},
};

// The stroke/bore ratio's closed range.
constexpr float Ratio_Least = 0.8f;
constexpr float Ratio_Most = 1.6f;
// Kilowatts in one horsepower.
constexpr double Kw_Per_Hp = 0.746;
// Specific power accepted: 100 to 400 kW per litre, as cm3 per kW.
constexpr double Cm3_Per_Kw_Least = 2.5;
constexpr double Cm3_Per_Kw_Most = 10.0;
// kW x 600000 / (rev/min x cm3) is bar for one power stroke per revolution.
constexpr double Bar_Factor = 600000.0;
} // namespace

Outcome<Bmep_Values> Calc_Bmep(const Bmep_Inputs& in) {
    Outcome<Bmep_Values> out;
    auto fail = [&out](Field_Failure f) {
        out.failure = std::move(f);
        return out;
    };
    float value[4] = {0, 0, 0, 0};
    auto check = [&](BHP_Index i) { return Check_Field(Rules[i], in.BHP_Txt[i], value[i]); };

    if (auto f = check(BhpBore))
        return fail(*f);
    if (auto f = check(BhpStroke))
        return fail(*f);
    const float B = value[BhpBore];
    const float S = value[BhpStroke];
    // The stroke/bore ratio sends the user back to the bore.
    const float ratio = Single(Dbl(S) / Dbl(B));
    if (Outside(ratio, Ratio_Least, Ratio_Most))
        return fail(
            Fail_At(BhpBore, "The Stroke/Bore Ratio is Out of Range", "Enter corrected value(s)"));
    if (auto f = check(BhpSpeed))
        return fail(*f);
    if (auto f = check(BhpPower))
        return fail(*f);
    const float N = value[BhpSpeed];
    const float P = value[BhpPower];

    const float pi = Single(4.0 * std::atan(1.0));
    // Swept volume in cm3 from mm.
    const float V = Single(Dbl(pi) * Dbl(B) * Dbl(B) * Dbl(S) / 4000.0);
    const float Pk = in.Power_In_Hp ? Single(Dbl(P) * Kw_Per_Hp) : P;

    const float Pmin = Single(Dbl(V) / Cm3_Per_Kw_Most);
    if (Pk < Pmin)
        return fail(Fail_At(BhpPower, "The Engine Power is Too Low", "Enter a new value"));
    const float Pmax = Single(Dbl(V) / Cm3_Per_Kw_Least);
    if (Pk > Pmax)
        return fail(Fail_At(BhpPower, "The Engine Power is Too High", "Enter a new value"));

    const float bmep = Single((Dbl(Pk) * Bar_Factor) / (Dbl(N) * Dbl(V)));
    out.value = Bmep_Values{V, Pk, bmep};
    return out;
}

std::string Bmep_Result_Text(float bmep) {
    return "The Brake Mean Effective Pressure is " + Format_Number(Dbl(bmep), "#0.00") + " bar";
}
