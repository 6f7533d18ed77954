#pragma once
// The pressure wave the pipe sends back to the exhaust port, against crank angle, at any
// engine speed: where the suction of the diffuser cones and the plugging pulse of the
// baffle cone arrive.
//
// The model: linear, lossless acoustics in the pipe as the side view draws it (round
// sections whose diameters change linearly between the stations, one uniform speed of
// sound: the design's). The port end absorbs what returns, as if a straight duct of the
// port's diameter ran on upstream without end; the tail pipe's end is open (pressure zero,
// reflection -1, no end correction). The exhaust pulse is a half-sine of pressure of
// amplitude 1 entering at the port from the exhaust opening to bottom dead centre. Waves
// that return after one turn are not folded onto the next cycle. No losses, no mean flow,
// no temperature change along the pipe, no cylinder: the curve shows where the waves
// arrive, not how strong they are on a running engine.
//
// Solved as a chain of short cylinders of equal travel time, each step in area reflecting
// (A1 - A2) / (A1 + A2) of what meets it: the pipe's answer to one impulse is computed once,
// then folded with each speed's pulse.

#include "core/chamber/design_pipeline.h"

#include <optional>
#include <string>
#include <vector>

// A point of the pipe's outline: mm from the piston face, and the diameter there.
struct Pipe_Station {
    double x = 0;
    double diameter = 0;
};

// The piston face (DX), the flange (D1 after LX), then the end of each section to the tail
// pipe's end, as the side view places them.
std::vector<Pipe_Station> Pipe_Stations(const Design_State& design);

// What returns to the port for one impulse sent in there: returned[k] of it leaves the
// pipe at the port k steps later.
struct Port_Response {
    double step = 0; // s
    std::vector<double> returned;
};

// The response over `duration` seconds, the pipe cut into cylinders no longer than
// `cellMm` (the last one ending exactly at the tail pipe's end).
Port_Response Impulse_Response(const std::vector<Pipe_Station>& pipe, double soundSpeed,
                               double duration, double cellMm);

// The crank angles of a curve: from the exhaust opening to one turn later, in `count`
// equal steps (count + 1 angles).
std::vector<double> Crank_Angles(double openAngle, int count);

// The returning pressure at each crank angle (degrees after TDC, from the exhaust
// opening on) at engine speed `rpm`, relative to the pulse's amplitude.
std::vector<double> Returning_Wave(const Port_Response& response, double openAngle, double rpm,
                                   const std::vector<double>& crankDeg);

// The design's wave picture: its events and a curve at one speed, or a map over speeds.
struct Wave_Events {
    double EO = 0, BDC = 180, EC = 0; // degrees after TDC
};
struct Wave_Map {
    Wave_Events events;
    std::vector<double> rpm;                   // the speeds, rows of the map
    std::vector<double> crankDeg;              // EO to EO + 360
    std::vector<std::vector<double>> pressure; // [speed][angle]
    std::optional<double> plugAtEc;            // the speed at which the plugging peak reaches EC
};

// The cylinders' length for a design's curves: halving it changes no curve by more than
// 0.5 % of the pulse.
inline constexpr double Wave_Cell_Mm = 2;

// The map's speeds: 201 from half to one and a half times the design's speed.
std::vector<double> Map_Speeds(double designRpm);

// The curves of a computed design at the given speeds, crank angles every half degree.
Wave_Map Design_Waves(const Chamber_Design& design, const std::vector<double>& rpm);

// The model and its limits, as the pictures and the manual state them.
extern const char* const Wave_Model_Text;
