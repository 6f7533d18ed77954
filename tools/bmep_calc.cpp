#include "tools/bmep_calc.h"

#include "common/display_format.h"
#include "common/field_check.h"
#include "common/single.h"

#include <cmath>

namespace {
const Field_Texts BoreTexts{"Cylinder Bore Not Set", "Cylinder Bore Incorrectly Set",
                            "Enter a value for the Bore"};
const Field_Texts StrokeTexts{"Piston Stroke Not Set", "Piston Stroke Incorrectly Set",
                              "Enter a value for the Stroke"};
const Field_Texts SpeedTexts{"Engine Speed Not Set", "Engine Speed Incorrectly Set",
                             "Enter a value for the Engine Speed"};
const Field_Texts PowerTexts{"Engine Power Not Set", "Engine Power Incorrectly Set",
                             "Enter a value for the Power"};

enum : int16_t { BoreField = 0, StrokeField = 1, SpeedField = 2, PowerField = 3 };
} // namespace

Outcome<Bmep_Values> Calc_Bmep(const Bmep_Inputs& in) {
    using Result = Outcome<Bmep_Values>;

    float B = 0;
    if (auto f = Read_Field(in.bore, BoreField, BoreTexts, B))
        return Result::fail(*f);
    if (auto f = Check_Range(B, 5.0f, 80.0f, BoreField, "Cylinder Bore is Out of Range",
                             "Enter a value between 5 and 80"))
        return Result::fail(*f);

    float S = 0;
    if (auto f = Read_Field(in.stroke, StrokeField, StrokeTexts, S))
        return Result::fail(*f);

    // The stroke/bore ratio sends the user back to the bore.
    const float ratio = Single(Dbl(S) / Dbl(B));
    if (auto f = Check_Range(ratio, 0.8f, 1.6f, BoreField, "The Stroke/Bore Ratio is Out of Range",
                             "Enter corrected value(s)"))
        return Result::fail(*f);

    float N = 0;
    if (auto f = Read_Field(in.speed, SpeedField, SpeedTexts, N))
        return Result::fail(*f);
    if (auto f = Check_Range(N, 4000.0f, 35000.0f, SpeedField, "The Engine Speed is Out of Range",
                             "Enter a value between 4000 and 35000"))
        return Result::fail(*f);

    float P = 0;
    if (auto f = Read_Field(in.power, PowerField, PowerTexts, P))
        return Result::fail(*f);

    const float pi = Single(4.0 * std::atan(1.0));
    // Swept volume in cm3 from mm.
    const float V = Single(Dbl(pi) * Dbl(B) * Dbl(B) * Dbl(S) / 4000.0);
    const float Pk = in.Power_In_Hp ? Single(Dbl(P) * 0.746) : P;

    // 100 to 400 kW per litre of swept volume.
    const float Pmin = Single(Dbl(V) / 10.0);
    if (Pk < Pmin)
        return Result::fail(
            Fail_At(PowerField, "The Engine Power is Too Low", "Enter a new value"));
    const float Pmax = Single(Dbl(V) / 2.5);
    if (Pk > Pmax)
        return Result::fail(
            Fail_At(PowerField, "The Engine Power is Too High", "Enter a new value"));

    // One power stroke per revolution: kW, cm3 and rev/min give bar.
    const float bmep = Single((Dbl(Pk) * 600000.0) / (Dbl(N) * Dbl(V)));
    return Result::success(Bmep_Values{V, Pk, bmep});
}

std::string Bmep_Result_Text(float bmep) {
    return "The Brake Mean Effective Pressure is " + Format_Number(Dbl(bmep), "#0.00") + " bar";
}
