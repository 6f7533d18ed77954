#pragma once
// The worked designs that the tests and the benchmarks share, as the window's texts: DX 40,
// D1 44, LX 20, opening angle 88, 11000 rpm, either three stages from a target BMEP of 10
// with horn 1.5, or two stages with 600 C and coefficients 2.5 and 0.65 typed;
// `fromBmep` takes both values from the BMEP.

#include "core/chamber/design_pipeline.h"

inline Design_Form Sample_Form(bool threeStage, bool fromBmep) {
    Design_Form f;
    f.Diffuser = threeStage ? Diffuser_Type::ThreeStage : Diffuser_Type::TwoStage;
    f.TempSource = f.CoefSource = fromBmep ? Value_Source::FromBmep : Value_Source::Typed;
    f.Texh = {"600", "88", "11000", "10", "0.65", "20", "2.5", "1.5", "40", "44"}; // by Texh index
    return f;
}
