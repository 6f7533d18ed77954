#pragma once
// The design pipeline: from what the tuner typed and chose in the design window to every
// message, stored value and result text, as one pure operation. The window, the command
// line, the flat-pattern program and the benchmark all compute a design through it.

#include "core/chamber/chamber.h"
#include "core/fields/field_failure.h"
#include "core/fields/form_entries.h"

#include <array>
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

// The three option groups; Unset while no button of the group is selected.
enum class Diffuser_Type { Unset, TwoStage, ThreeStage };
enum class Value_Source { Unset, Typed, FromBmep };

// What the tuner typed and chose: the texts exactly as typed.
struct Design_Form {
    std::string PipeName;
    Diffuser_Type Diffuser = Diffuser_Type::Unset;
    Value_Source TempSource = Value_Source::Unset; // mean exhaust temperature
    Value_Source CoefSource = Value_Source::Unset; // mid-section and tail pipe coefficients
    std::array<std::string, 10> Texh;              // as Texh_Index
};

// The form in the vocabulary's words and back: a group whose entry is no word of it is
// unset (the caller refuses such entries first: Unknown_Choice).
Design_Form Design_Form_Of(const Form_Entries& entries);
Form_Entries Entries_Of(const Design_Form& form);

// The design window's form-level values: what the checks assign as each field is read,
// and what a successful calculation adds. The diagram and the printed sheet draw on them.
struct Design_State {
    bool ThreeStage = false;
    int16_t Numdiam = 0;
    int16_t Numlen = 0;
    float PrtDiam = 0;
    float PrtLnth = 0;
    float ETotal = 0;
    std::array<float, 5> Diam{};
    std::array<float, 7> Lnth{};
};

// One run of the pipeline.
struct Chamber_Design {
    Design_State state; // the form-level values after the run, also after a failure
    DsnInput input;     // the accepted inputs: complete on success
    DsnResult result;   // every computed quantity: complete on success
};

// Runs the checks in their fixed order, warnings included, and on success the whole
// chamber calculation. `previous` is the window's state before the run: a failing run
// keeps it but for the values read before the failure, and a two-stage design keeps its
// Diam(4) and Lnth(6).
Outcome<Chamber_Design> Calc_Design(const Design_Form& form,
                                    const Design_State& previous = Design_State{});

// Every check of the run but the engine speed's and the LX limit (which needs the speed),
// warnings included; on success the input without its speed, the gas temperature, the
// coefficients used and the speed of sound.
Outcome<Chamber_Design> Check_Design_Without_Speed(const Design_Form& form);

// The result table as the window shows it: every figure formatted, without the blank that
// follows it in its box. Rows beyond Numdiam and Numlen are not part of it.
struct Result_Table {
    std::string PrtDia;               // DX, "##0.0"
    std::string PrtLth;               // LX, "##0.0"
    std::vector<std::string> Texdiam; // D1.., "##0.0"
    std::vector<std::string> Texlen;  // L1.., "##0.0"
    std::string TexTotLth;            // tuned length, "###0.0"
};

Result_Table Make_Result_Table(const Design_State& state);

// A figure as its result box shows it: followed by one blank.
inline std::string Box_Text(const std::string& figure) {
    return figure + " ";
}
