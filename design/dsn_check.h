#pragma once
// The input checks of the design window's "Calculate": option groups and field texts in one
// fixed order, stopping at the first failure. Two barrel flange checks only warn.

#include "common/field_failure.h"
#include "design/chamber.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Indexes of the design window's fields Texh(0..9).
enum Texh_Index : int16_t {
    TexhTemp = 0,  // mean exhaust temperature, degrees C
    TexhAngle = 1, // exhaust port opening angle
    TexhSpeed = 2, // engine speed
    TexhBmep = 3,  // target BMEP
    TexhTail = 4,  // tail pipe diameter coefficient
    TexhLX = 5,    // barrel exhaust duct length
    TexhMid = 6,   // mid-section diameter coefficient
    TexhHorn = 7,  // horn coefficient
    TexhDX = 8,    // exhaust port effective diameter
    TexhD1 = 9,    // barrel flange diameter
};

struct Dsn_Form_Input {
    std::array<std::string, 10> Texh; // field texts, index as Texh_Index
    std::array<bool, 6> Option1{};    // 0 two stage, 1 three stage, 2/3 temperature manual/BMEP,
                                      // 4/5 coefficients manual/BMEP
    bool ThreeStage = false;          // the window's flag, set by the diffuser options
    std::string PipeName;
};

struct Dsn_Check {
    // Warnings met on the way, in order; each is shown before the outcome.
    std::vector<Field_Failure> warnings;
    // The first failure, if any. When set, nothing is calculated or shown.
    std::optional<Field_Failure> failure;
    // Form-level values assigned as the fields are read, also when a later step fails.
    std::optional<float> PrtDiam; // when Texh(8) is accepted
    std::optional<float> PrtLnth; // when Texh(5) is read
    std::optional<float> Diam0;   // when Texh(9) is read
    std::optional<float> ETotal;  // when computed, before the LX limit check
    // On success: the accepted input and the result of stages A and B (stage C is the
    // caller's, so that it can keep the entries a two-stage design leaves alone).
    DsnInput input;
    DsnResult result;

    bool ok() const { return !failure.has_value(); }
};

Dsn_Check Check_Dsn_Input(const Dsn_Form_Input& form);
