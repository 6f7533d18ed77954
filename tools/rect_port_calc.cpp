#include "tools/rect_port_calc.h"

#include "common/display_format.h"
#include "common/field_check.h"
#include "common/single.h"

#include <cmath>

namespace {
enum : int16_t { WidthField = 0, HeightField = 1, TopField = 2, BottomField = 3 };

const Field_Texts WidthTexts{"Port Width Not Set", "Port Width Incorrectly Set",
                             "Enter a value for the Width"};
const Field_Texts HeightTexts{"Port Height Not Set", "Port Height Incorrectly Set",
                              "Enter a value for the Height"};
const Field_Texts TopTexts{"Port Top Radius Not Set", "Port Top Radius Incorrectly Set",
                           "Enter a value for the Top Radius"};
const Field_Texts BottomTexts{"Port Bottom Radius Not Set", "Port Bottom Radius Incorrectly Set",
                              "Enter a value for the Bottom Radius"};
} // namespace

Outcome<RectPrt_Values> Calc_RectPrt(const RectPrt_Inputs& in) {
    using Result = Outcome<RectPrt_Values>;

    float W = 0;
    if (auto f = Read_Field(in.width, WidthField, WidthTexts, W))
        return Result::fail(*f);
    if (auto f = Check_Range(W, 2.0f, 60.0f, WidthField, "Port Width Out of Range",
                             "Enter a value between 2 and 60"))
        return Result::fail(*f);

    float H = 0;
    if (auto f = Read_Field(in.height, HeightField, HeightTexts, H))
        return Result::fail(*f);
    if (auto f = Check_Range(H, 2.0f, 60.0f, HeightField, "Port Height Out of Range",
                             "Enter a value between 2 and 60"))
        return Result::fail(*f);

    // A radius has no lower bound: zero gives square corners, a negative one is let through.
    float Rt = 0;
    if (auto f = Read_Field(in.topRadius, TopField, TopTexts, Rt))
        return Result::fail(*f);
    if (2.0 * Dbl(Rt) > Dbl(W))
        return Result::fail(Fail_At(TopField, "The Top Radius is Too Large", "Enter a new value"));

    float Rb = 0;
    if (auto f = Read_Field(in.bottomRadius, BottomField, BottomTexts, Rb))
        return Result::fail(*f);
    if (2.0 * Dbl(Rb) > Dbl(W))
        return Result::fail(
            Fail_At(BottomField, "The Bottom Radius is Too Large", "Enter a new value"));

    const float radiusSum = Single(Dbl(Rt) + Dbl(Rb));
    if (radiusSum > H)
        return Result::fail(Fail_At(TopField, "The Sum of the Two Radii exceeds the Port Height",
                                    "Enter replacement value(s)"));

    const float halfpi = Single(std::atan(1.0) + std::atan(1.0));
    // Each rounded corner of radius R cuts R * R * (1 - pi / 4) from the square corner.
    const double loss = (Dbl(Rt) * Dbl(Rt) + Dbl(Rb) * Dbl(Rb)) * (2.0 - Dbl(halfpi));
    const float WH = Single(Dbl(H) * Dbl(W));
    const float A = Single(Dbl(WH) - loss);

    // Large negative radii pass every check above yet cut away more than the whole port.
    if (!std::isfinite(A) || A < 0.0f)
        return Result::fail(
            Fail_At(TopField, "The Port Area is Negative",
                    std::string("Corner radii this far below zero leave no open port area") + CrLf +
                        "Enter new values for the Top Radius and the Bottom Radius"));

    const float D = Single(std::sqrt(2.0 * Dbl(A) / Dbl(halfpi)));
    return Result::success(RectPrt_Values{A, D});
}

std::string RectPrt_Result_Text(float diameter) {
    return "Diameter of the Equivalent Circular Port is " + Format_Number(Dbl(diameter), "#0.00") +
           " mm";
}
