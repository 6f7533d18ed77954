#pragma once
// The worked designs that the core tests and the benchmark share: DX 40, D1 44, LX 20,
// opening angle 88, 11000 rpm, either three stages from a target BMEP of 10 with horn 1.5,
// or two stages with 600 C and coefficients 2.5 and 0.65 typed.

#include "core/chamber/chamber.h"
#include "core/chamber/design_pipeline.h"

inline DsnInput Sample_Input(bool threeStage) {
    DsnInput in;
    in.ThreeStage = threeStage;
    in.TempFromBmep = in.CoefFromBmep = threeStage;
    in.TargetBmep = 10;
    in.HornCoef = 1.5f;
    in.ExhTemp = 600;
    in.MidCoef = 2.5f;
    in.TailCoef = 0.65f;
    in.PrtDiam = 40;
    in.FlangeDiam = 44;
    in.PrtLnth = 20;
    in.OpenAngle = 88;
    in.EngineSpeed = 11000;
    return in;
}

// The same figures as the window's texts; `fromBmep` takes both values from the BMEP.
inline Design_Form Sample_Form(bool threeStage, bool fromBmep) {
    Design_Form f;
    f.Diffuser = threeStage ? Diffuser_Type::ThreeStage : Diffuser_Type::TwoStage;
    f.TempSource = f.CoefSource = fromBmep ? Value_Source::FromBmep : Value_Source::Typed;
    f.Texh = {"600", "88", "11000", "10", "0.65", "20", "2.5", "1.5", "40", "44"}; // by Texh index
    return f;
}
