#pragma once
// BMEP from a measured power output: check the four texts of the BMEP window and compute
// the brake mean effective pressure in bar (one power stroke per revolution).

#include "core/fields/field_failure.h"

#include <array>
#include <string>

// Indexes of the BMEP window's fields BHP_Txt(0..3).
enum BHP_Index : int16_t { BhpBore = 0, BhpStroke = 1, BhpSpeed = 2, BhpPower = 3 };

struct Bmep_Inputs {
    std::array<std::string, 4> BHP_Txt; // bore mm, stroke mm, speed rev/min, power
    bool Power_In_Hp = true;            // the power in horsepower (else in kilowatts)
};

// The stored quantities of a successful calculation.
struct Bmep_Values {
    float V = 0;    // swept volume, cm3
    float Pk = 0;   // power in kW
    float BMEP = 0; // bar
};

// The first failure (focus index into BHP_Txt) or the BMEP in bar with V and Pk.
Outcome<Bmep_Values> Calc_Bmep(const Bmep_Inputs& in);

// "The Brake Mean Effective Pressure is " + "#0.00" + " bar"
std::string Bmep_Result_Text(float bmep);
