#include "core/calculators/rect_port_calc.h"

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"

#include <cmath>

namespace {
// The radii have no range of their own: zero gives square corners, and a negative radius
// is let through to the size checks.
const Field_Rule Rules[4] = {
    Named_Rule(DiamWidth, "Port Width", "Width",
               Named_Range("Port Width", Bounds_Of(Form_Key::Rect_Port, DiamWidth),
                           "Enter a value between 2 and 60")),
    Named_Rule(DiamHeight, "Port Height", "Height",
               Named_Range("Port Height", Bounds_Of(Form_Key::Rect_Port, DiamHeight),
                           "Enter a value between 2 and 60")),
    Named_Rule(DiamTop, "Port Top Radius", "Top Radius"),
    Named_Rule(DiamBottom, "Port Bottom Radius", "Bottom Radius"),
};
} // namespace

Outcome<RectPrt_Values> Calc_RectPrt(const RectPrt_Inputs& in) {
    Outcome<RectPrt_Values> out;
    auto fail = [&out](Field_Failure f) {
        out.failure = std::move(f);
        return out;
    };
    float value[4] = {0, 0, 0, 0};
    auto check = [&](Diam_Index i) { return Check_Field(Rules[i], in.DiamTxt[i], value[i]); };

    if (auto f = check(DiamWidth))
        return fail(*f);
    if (auto f = check(DiamHeight))
        return fail(*f);
    const float W = value[DiamWidth];
    const float H = value[DiamHeight];

    if (auto f = check(DiamTop))
        return fail(*f);
    const float Rt = value[DiamTop];
    if (2.0 * Dbl(Rt) > Dbl(W))
        return fail(Fail_At(DiamTop, "The Top Radius is Too Large", "Enter a new value"));

    if (auto f = check(DiamBottom))
        return fail(*f);
    const float Rb = value[DiamBottom];
    if (2.0 * Dbl(Rb) > Dbl(W))
        return fail(Fail_At(DiamBottom, "The Bottom Radius is Too Large", "Enter a new value"));

    const float radiusSum = Single(Dbl(Rt) + Dbl(Rb));
    if (radiusSum > H)
        return fail(Fail_At(DiamTop, "The Sum of the Two Radii exceeds the Port Height",
                            "Enter replacement value(s)"));

    const float halfpi = Single(std::atan(1.0) + std::atan(1.0));
    // Each rounded corner of radius R cuts R * R * (1 - pi / 4) from the square corner.
    const double loss = (Dbl(Rt) * Dbl(Rt) + Dbl(Rb) * Dbl(Rb)) * (2.0 - Dbl(halfpi));
    const float WH = Single(Dbl(H) * Dbl(W));
    const float A = Single(Dbl(WH) - loss);

    // Large negative radii pass every check above yet cut away more than the whole port.
    if (!std::isfinite(A) || A < 0.0f)
        return fail(Fail_At(DiamTop, "The Port Area is Negative",
                            std::string("Corner radii this far below zero leave no open port "
                                        "area") +
                                CrLf +
                                "Enter new values for the Top Radius and the Bottom Radius"));

    const float D = Single(std::sqrt(2.0 * Dbl(A) / Dbl(halfpi)));
    out.value = RectPrt_Values{A, D};
    return out;
}

std::string RectPrt_Result_Text(float diameter) {
    return "Diameter of the Equivalent Circular Port is " + Format_Number(Dbl(diameter), "#0.00") +
           " mm";
}
