#pragma once
// Exhaust port height from the port timing angles: the piston's travel between the
// start-open and the full-open crank angle, from the slider-crank geometry.

#include "core/fields/field_failure.h"

#include <array>
#include <string>

// Indexes of the port height window's fields HghtTxt(0..3).
enum Hght_Index : int16_t { HghtStroke = 0, HghtRod = 1, HghtStart = 2, HghtFull = 3 };

struct PrtHgt_Inputs {
    // stroke mm, connecting rod length (centre to centre) mm, start-open and full-open
    // angles in degrees after top dead centre
    std::array<std::string, 4> HghtTxt;
};

// Piston drop below top dead centre at crank angle a (radians), crank radius r, rod L.
double Crank_Drop(float a, float r, float L, float pi);

// The first failure (focus index into HghtTxt) or the port height H in mm.
Outcome<float> Calc_PrtHgt(const PrtHgt_Inputs& in);

// "The Port Height is " + "##0.00" + " mm"
std::string PrtHgt_Result_Text(float height);
