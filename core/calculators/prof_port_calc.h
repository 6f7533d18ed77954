#pragma once
// Equivalent diameter of a profiled cylinder port (a single port, or a bridged port pair)
// described by its height and by ordinates: arc-length widths at equally spaced heights.

#include "core/fields/field_failure.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// Indexes of the profiled-port window's fields ProfTxt(0..5).
enum ProfTxt_Index : int16_t {
    ProfBore = 0,
    ProfBridgeWidth = 1,
    ProfTopRadius = 2,
    ProfBottomRadius = 3,
    ProfHeight = 4,
    ProfIntervals = 5,
};

struct ProfPrt_Inputs {
    bool BridgedPair = false;           // bridged port pair (true) or single port
    std::array<std::string, 6> ProfTxt; // as ProfTxt_Index
    std::array<std::string, 11> OrdTxt; // ordinates of stations 0..10; 0..n are read
};

struct ProfPrt_Values {
    // The number of intervals as the check read it, once it got that far (also after a
    // later failure).
    std::optional<int16_t> NumIntervals;
    float d = 0;  // single port
    float dC = 0; // bridged pair, constant duct section
    float dW = 0; // bridged pair, widened duct section
};

// The first failure (an ordinate failure has kind Ordinate and the station as its field)
// or the equivalent diameters.
Outcome<ProfPrt_Values> Calc_ProfPrt(const ProfPrt_Inputs& in);

// The bridge width at stations 0 (top) to n (bottom) of a bridged pair: the plain width W
// widened near each end by the rounded corners of radius Rt (top) and Rb (bottom), with h
// the interval height. Stations beyond n are zero.
std::array<float, 11> Bridge_Widths(int16_t n, float h, float W, float Rt, float Rb);

// The number of intervals that a text of the intervals field stands for, as the window
// reads it while typing: nearest integer, halves to even; a text that is not a number
// counts as 0; nothing when it does not fit a 16-bit integer.
std::optional<int16_t> Intervals_Value(const std::string& text);

// The intervals whose stations the window offers while the intervals field is typed: the
// text's count when the check accepts it (4 to 10), else nothing.
std::optional<int16_t> Intervals_Shown(const std::string& text);

// "The Equivalent Diameter of the Port is " + "#0.0#" + " mm"
std::string ProfPrt_Single_Text(float d);
// "For a Constant Duct Section adjacent to the Port: " + "#0.0#" + " mm"
std::string ProfPrt_Constant_Text(float dC);
// "For a Widened Duct Section adjacent to the Port: " + "#0.0#" + " mm"
std::string ProfPrt_Widened_Text(float dW);
