#pragma once
// The "waves" command: the design's flags (or a design file), and the pressure wave the pipe
// sends back to the port against crank angle at one speed, or over a sweep of speeds with
// the speed at which the plugging peak reaches the exhaust closing.

#include "cli/design_command.h"

namespace cli {

struct Waves_Flags {
    Design_Flags design;
    double atRpm = 0;          // the curve's speed; the design's when left out
    std::vector<double> sweep; // from, to, step
};

void Add_Waves_Flags(CLI::App& cmd, Waves_Flags& flags);
int Waves_Command(const Waves_Flags& flags, std::ostream& out, std::ostream& err);

} // namespace cli
