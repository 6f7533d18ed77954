#include "cli/tool_commands.h"

#include <ostream>

namespace cli {

namespace {
const std::array<std::pair<Form_Key, const char*>, 6> Calculators = {{
    {Form_Key::Bmep, "BMEP from a measured power output"},
    {Form_Key::Port_Height, "Exhaust port height from timing angles"},
    {Form_Key::Rect_Port, "Equivalent diameter of a rectangular port"},
    {Form_Key::Profiled_Port, "Equivalent diameter of a profiled port"},
    {Form_Key::Port_Map, "Port timing, time-area and the engine speed the ports support"},
    {Form_Key::Pipe_Check, "The engine speed an existing pipe is tuned for, against the design"},
}};
} // namespace

void Tool_Commands::add(CLI::App& app) {
    for (size_t i = 0; i < Calculators.size(); ++i) {
        const Form_Words& words = Words_Of(Calculators[i].first);
        Command& c = commands_[i];
        c.app = app.add_subcommand(words.command, Calculators[i].second);
        c.flags.Add(*c.app, words);
        c.app->add_flag("--json", c.json, "Print one JSON object");
    }
}

std::string Tool_Commands::Surplus_Stations(const Form_Entries& entries) {
    const size_t given = entries.stations.size();
    const size_t most = ProfPrt_Inputs{}.OrdTxt.size();
    if (given > most)
        return std::to_string(given) + " ordinates given: at most " + std::to_string(most) +
               " (stations 0 to " + std::to_string(most - 1) + ")";
    // With a number of intervals that the check will accept, n intervals take n + 1.
    const auto n =
        Intervals_Shown(entries[Words_Of(Form_Key::Profiled_Port).At(ProfIntervals)->key]);
    if (n && given > static_cast<size_t>(*n) + 1)
        return std::to_string(given) + " ordinates given: " + std::to_string(*n) +
               " intervals take " + std::to_string(*n + 1) + " (stations 0 to " +
               std::to_string(*n) + ")";
    return "";
}

int Tool_Commands::run(std::ostream& out, std::ostream& err) const {
    for (const Command& c : commands_) {
        if (!c.app->parsed())
            continue;
        const Form_Words& words = c.flags.Form();
        const std::string command = "expansion-chamber-calc " + std::string(words.command);
        const Form_Entries entries = c.flags.Entries();
        for (const Choice_Group& g : words.choices)
            if (entries[g.key].empty())
                return Usage_Error(command, "choose " + Form_Flags::Flags_Of(g), err);
        if (words.id == Form_Key::Profiled_Port)
            if (const std::string surplus = Surplus_Stations(entries); !surplus.empty())
                return Usage_Error(command, surplus, err);
        return Print_Report(words.id == Form_Key::Pipe_Check
                                ? Pipe_Check_Report(Pipe_Check_Inputs_Of(entries))
                                : Tool_Report(words.id, entries),
                            c.json, out, err);
    }
    return -1;
}

} // namespace cli
