#pragma once
// Equivalent circular diameter of a rectangular port with rounded corners.

#include "core/fields/field_failure.h"

#include <array>
#include <string>

// Indexes of the rectangular port window's fields DiamTxt(0..3).
enum Diam_Index : int16_t { DiamWidth = 0, DiamHeight = 1, DiamTop = 2, DiamBottom = 3 };

struct RectPrt_Inputs {
    // width, height, radius of each top corner, radius of each bottom corner, all mm
    std::array<std::string, 4> DiamTxt;
};

// The stored quantities of a successful calculation.
struct RectPrt_Values {
    float A = 0; // open port area, mm2
    float D = 0; // equivalent circular diameter, mm
};

// The first failure (focus index into DiamTxt) or the diameter D in mm with the area A.
Outcome<RectPrt_Values> Calc_RectPrt(const RectPrt_Inputs& in);

// "Diameter of the Equivalent Circular Port is " + "#0.00" + " mm"
std::string RectPrt_Result_Text(float diameter);
