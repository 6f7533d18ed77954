#pragma once
// Equivalent circular diameter of a rectangular port with rounded corners.

#include "common/field_failure.h"

#include <string>

struct RectPrt_Inputs {
    std::string width;        // DiamTxt(0), mm
    std::string height;       // DiamTxt(1), mm
    std::string topRadius;    // DiamTxt(2), mm
    std::string bottomRadius; // DiamTxt(3), mm
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
