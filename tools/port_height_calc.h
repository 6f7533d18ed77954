#pragma once
// Exhaust port height from the port timing angles: the piston's travel between the
// start-open and the full-open crank angle, from the slider-crank geometry.

#include "common/field_failure.h"

#include <string>

struct PrtHgt_Inputs {
    std::string stroke; // HghtTxt(0), mm
    std::string rod;    // HghtTxt(1), connecting rod length centre to centre, mm
    std::string start;  // HghtTxt(2), start-open angle, degrees ATDC
    std::string full;   // HghtTxt(3), full-open angle, degrees ATDC
};

// Piston drop below top dead centre at crank angle a (radians), crank radius r, rod L.
double Crank_Drop(float a, float r, float L, float pi);

// The first failure (focus index into HghtTxt) or the port height H in mm.
Outcome<float> Calc_PrtHgt(const PrtHgt_Inputs& in);

// "The Port Height is " + "##0.00" + " mm"
std::string PrtHgt_Result_Text(float height);
