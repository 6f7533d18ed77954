#pragma once
// The cylinder's ports on one page: each port group's timing from its roof height (or the
// height from its timing), its open area against crank angle, its angle-area and
// time-area, the blowdown between the exhaust and the first transfer opening, and the
// engine speed a group's area supports for a target specific time-area.
//
// The model: a slider crank (rod centre to centre, no offset); each port a rectangle of its
// chordal width with its two top corners rounded, its floor at or below the crown at
// bottom dead centre, so the crown never uncovers more than the roof-to-BDC height.
// Angles in degrees after top dead centre, lengths in mm.

#include "core/fields/field_failure.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The groups in the order of the page; Transfer1 the main transfers, Transfer3 the boost.
enum class Port_Group { Exhaust, Aux, Transfer1, Transfer2, Transfer3 };
inline constexpr int Port_Group_Count = 5;

struct Crank {
    double radius = 0; // half the stroke
    double rod = 0;    // centre to centre, longer than the radius

    // The crown's distance below its top-dead-centre position at crank angle deg.
    double Drop(double deg) const;
    // The crank angle (0 to 180) at which the crown has dropped by `drop` (0 to the stroke).
    double Angle_At(double drop) const;
};

// The area one rounded top corner of radius r takes from the rectangle when the crown
// stands h below the roof: the integral over 0..min(h, r) of r - sqrt(r^2 - (r - y)^2).
double Corner_Area(double r, double h);

struct Port_Shape {
    int count = 1;
    double width = 0;  // chordal width of one port
    double radius = 0; // top corners, at most half the width
    double opens = 0;  // degrees after TDC, 0 to 180
};

// The open area of one port when the crown stands h below its roof (0 when h <= 0).
double Open_Area(const Port_Shape& port, double h);

// The integral of count x open area over crank angles from..to (degrees), the part of it
// where the port is open: mm^2 x degrees.
double Angle_Area(const Crank& crank, const Port_Shape& port, double from, double to);

struct Engine {
    double bore = 0;
    double stroke = 0;
    double rod = 0;
    double deck = 0; // the crown's distance below the top of the barrel at TDC
    double rpm = 0;
};

struct Port_Group_Input {
    Port_Shape shape;
    std::optional<double> target; // specific time-area, s/m
};

struct Port_Figures {
    double opens = 0;                   // degrees after TDC
    double closes = 0;                  // 360 - opens
    double duration = 0;                // 360 - 2 x opens
    double height = 0;                  // the roof below the top of the barrel, mm
    double heightAtBdc = 0;             // the open height at BDC, mm
    double angleArea = 0;               // mm^2 x degrees
    double timeArea = 0;                // mm^2 x s
    double specificTimeArea = 0;        // s/m
    std::optional<double> supportedRpm; // with a target
};

struct Blowdown_Figures {
    double angle = 0;     // from the exhaust opening to the first transfer opening, degrees
    double time = 0;      // ms
    double angleArea = 0; // of the exhaust and the auxiliary exhausts over that period
    double timeArea = 0;
    double specificTimeArea = 0;
};

struct Port_Map_Figures {
    Engine engine; // what they were computed from
    std::array<std::optional<Port_Group_Input>, Port_Group_Count> groups;
    double sweptVolume = 0; // mm^3
    std::array<std::optional<Port_Figures>, Port_Group_Count> ports;
    std::optional<Blowdown_Figures> blowdown; // when a transfer group is given
};

// The roof's height below the top of the barrel for a port opening at `opens`, and back.
double Roof_Height(const Engine& engine, double opens);
double Opening_Angle(const Engine& engine, double roofHeight);

// The figures of the groups given (the exhaust always), on figures already checked.
Port_Map_Figures
Map_Ports(const Engine& engine,
          const std::array<std::optional<Port_Group_Input>, Port_Group_Count>& groups);

// ---- The checked form ----------------------------------------------------------------

// The port map window's fields PortTxt: bore, stroke, rod, deck, rpm, then six for each
// group (count, width, top radius, opening angle, roof height, target specific time-area).
inline constexpr size_t Port_Map_Field_Count = 5 + 6 * Port_Group_Count;
struct Port_Map_Inputs {
    std::array<std::string, Port_Map_Field_Count> PortTxt;
};

// The first failure (focus index into PortTxt) or the figures. The deck height and a
// group's target may be left empty; a group other than the exhaust is given when any of its
// fields is filled; its roof is given as the opening angle or as the roof height, not both.
Outcome<Port_Map_Figures> Calc_Port_Map(const Port_Map_Inputs& in);

// What "Use in Design" types into the design window: the exhaust opening angle (two
// decimals at most) and the engine speed (whole).
struct Design_Engine_Texts {
    std::string angle, rpm;
};
Design_Engine_Texts Design_Texts_Of(const Port_Map_Figures& figures);

// The figures as lines of plain text, and the limits of the model.
std::vector<std::string> Port_Map_Lines(const Port_Map_Figures& figures);
