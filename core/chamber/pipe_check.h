#pragma once
// The design calculation run backwards: from a pipe the tuner already has, measured section
// by section, the engine speed it is tuned for; how that speed moves with the header's
// length and the gas temperature; and the pipe this program would design for the same
// engine at that speed, section by section beside the measured one. Also the comparison
// of two designs, row by row as their result tables show them.

#include "core/chamber/design_pipeline.h"
#include "core/fields/form_entries.h"
#include "core/fields/report.h"
#include "core/fields/vocabulary.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

inline constexpr double Mm_Per_Inch = 25.4;

// What the tuner typed: the design window's form (its engine speed left empty), the unit of
// the measured figures, and the texts of L1 to L6 and D2 to D5.
struct Pipe_Check_Inputs {
    Design_Form form;
    bool inches = false;
    std::array<std::string, 6> lengths;   // L1 .. L6
    std::array<std::string, 4> diameters; // D2 .. D5
};

Pipe_Check_Inputs Pipe_Check_Inputs_Of(const Form_Entries& entries);

// One row of the measured pipe beside the designed one: a section's length (with the half
// angle of a cone, measured and designed) or a diameter. The designed figure is the one
// its result box shows; the difference is measured minus designed.
struct Pipe_Check_Row {
    std::string name; // "L1", "D2"
    double measured = 0;
    double designed = 0;
    double difference = 0;
    std::optional<double> measuredHalfAngle, designedHalfAngle; // degrees, cones only
};

struct Pipe_Check_Figures {
    bool inches = false;
    double tunedLength = 0;      // LX and the measured lengths to the tail pipe's entry, mm
    double rpm = 0;              // the engine speed the pipe is tuned for
    double rpmPer10mmHeader = 0; // the change of that speed for a header 10 mm longer
    double rpmAtTempMinus50 = 0; // the speed with the gas 50 degrees C cooler
    double rpmAtTempPlus50 = 0;  // and 50 degrees C hotter
    double gasTempC = 0;         // the gas temperature the design used, degrees C
    double soundSpeed = 0;       // m/s
    Design_State measured;       // the measured pipe as the side view draws a design
    Design_Form designForm;      // the design form at the speed found
    Chamber_Design design;       // the design at the speed found
    std::vector<Pipe_Check_Row> rows;
};

// Every check of the design window but the engine speed's, in its order, then the measured
// figures (Not Set, Incorrectly Set, range), then the speed found against the design
// window's speeds, then the design at that speed. Failures focus the fields of PipeTxt,
// whose first ten are the design window's Texh.
Outcome<Pipe_Check_Figures> Calc_Pipe_Check(const Pipe_Check_Inputs& in);

// The sections as a table: the columns' captions (a line break between a caption and its
// unit) and a row of texts per section, the measured figure in inches too when typed in
// inches, a straight section's half angles "–".
struct Pipe_Check_Table {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};
Pipe_Check_Table Pipe_Check_Table_Of(const Pipe_Check_Figures& f);

// The figures as lines of plain text, with the model's limits.
std::vector<std::string> Pipe_Check_Lines(const Pipe_Check_Figures& f);

// The names of the two pipes of a check's picture.
inline constexpr const char* Pipe_Check_Measured_Name = "Measured pipe";
inline constexpr const char* Pipe_Check_Designed_Name = "Designed for the speed found";

// The check as a report: {tunedLength, rpm, rpmPer10mmHeader, rpmAtTempMinus50,
// rpmAtTempPlus50, gasTemp, soundSpeed, sections: [{name, measured, designed, difference,
// measuredHalfAngle?, designedHalfAngle?}], table: {columns, rows}, design: the design's own
// report} beside the failure and the lines.
report::Report Pipe_Check_Report(const Pipe_Check_Inputs& in);

// ---- Two designs side by side --------------------------------------------------------

// One row of two result tables: the figures their boxes show, null where a design has no
// such section, and a minus b.
struct Compare_Row {
    std::string name; // "DX", "LX", "D1" .. "D5", "L1" .. "L7", "Tuned length"
    std::optional<double> a, b, difference;
};

// Every diameter and length and the tuned length of two computed designs.
std::vector<Compare_Row> Compare_Designs(const Design_State& a, const Design_State& b);

// {"a": name, "b": name, "rows": [{"name", "a", "b", "difference"}]}, in mm.
report::Json Compare_Json(const std::string& nameA, const std::string& nameB,
                          const std::vector<Compare_Row>& rows);

// The rows as a plain table, a line each, figures as the result boxes show them.
std::vector<std::string> Compare_Lines(const std::string& nameA, const std::string& nameB,
                                       const std::vector<Compare_Row>& rows);

// Both pipes' outlines on one scale, A solid and B dashed, with a legend naming each and a
// scale in mm: an <svg> of class "pipe-overlay".
std::string Pipe_Overlay_Svg(const Design_State& a, const std::string& nameA, const Design_State& b,
                             const std::string& nameB);

// The box for a design file that cannot be compared: its design fails a check.
Field_Failure Compare_Refused(const std::string& path, const Field_Failure& failure);

// The name a pipe goes by in a comparison: its pipe name, else the file's name, else
// "Design A" or "Design B".
std::string Compare_Name(const std::string& pipeName, const std::string& fileName, char which);
