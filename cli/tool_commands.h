#pragma once
// The calculator commands: bmep, port-height, rect-port and profiled-port.

#include "cli/cli_common.h"
#include "tools/bmep_calc.h"
#include "tools/port_height_calc.h"
#include "tools/prof_port_calc.h"
#include "tools/rect_port_calc.h"

namespace cli {

Report Bmep_Report(const Bmep_Inputs& in);
Report PrtHgt_Report(const PrtHgt_Inputs& in);
Report RectPrt_Report(const RectPrt_Inputs& in);
Report ProfPrt_Report(const ProfPrt_Inputs& in);

// Registers the four commands on the program; `run` receives the one that was chosen.
struct Tool_Commands {
    CLI::App* bmep = nullptr;
    CLI::App* portHeight = nullptr;
    CLI::App* rectPort = nullptr;
    CLI::App* profiledPort = nullptr;
    bool hp = false, kw = false, single = false, bridged = false, json = false;
    Bmep_Inputs bmepIn;
    PrtHgt_Inputs hghtIn;
    RectPrt_Inputs rectIn;
    ProfPrt_Inputs profIn;
    std::vector<std::string> ordinates;

    void add(CLI::App& app);
    // The chosen command's report and exit code; -1 when none of them was chosen.
    int run(std::ostream& out, std::ostream& err);

private:
    // What is wrong with the number of ordinates given, or an empty text.
    std::string Surplus_Ordinates() const;
};

} // namespace cli
