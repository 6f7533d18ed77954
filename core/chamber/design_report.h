#pragma once
// A design run as a report: the warnings, the failure, the result table's texts as the
// window shows them, the stored quantities, and the table as plain text. The command line
// prints it; a design file keeps it for other programs to read.

#include "core/chamber/design_pipeline.h"
#include "core/fields/report.h"

#include <array>
#include <string>
#include <vector>

report::Report Design_Report(const Outcome<Chamber_Design>& run);

// The caption of the tuned length under the result table.
inline constexpr const char* Tuned_Length_Caption =
    "Tuned Length from Piston       Face to Tail Pipe Entry";

// The result table's rows as the window lays them out: a diameter beside a length, DX and LX
// first, then D1 and L1 and on; a cell's label ("D1"), its box's control name and its text.
struct Result_Cell {
    std::string label, control, text;
};
struct Result_Row {
    Result_Cell diameter, length; // a cell without a label is empty
};
std::vector<Result_Row> Result_Rows(const Result_Table& table);

// The gas the design used, as the window shows it under the diameters: its mean temperature
// in degrees C and its speed of sound in m/s, each a caption and its figure ("#0").
struct Gas_Figure {
    std::string caption, text;
};
std::array<Gas_Figure, 2> Gas_Figures(const DsnResult& result);
