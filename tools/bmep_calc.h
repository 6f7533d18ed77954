#pragma once
// BMEP from a measured power output: check the four texts of the BMEP window and compute
// the brake mean effective pressure in bar (one power stroke per revolution).

#include "common/field_failure.h"

#include <string>

struct Bmep_Inputs {
    std::string bore;   // BHP_Txt(0), mm
    std::string stroke; // BHP_Txt(1), mm
    std::string speed;  // BHP_Txt(2), rev/min
    std::string power;  // BHP_Txt(3), hp or kW
    bool Power_In_Hp = true;
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
