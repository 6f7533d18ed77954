#pragma once
// expansion-chamber-calc as a function: the design and the calculators from their
// arguments (without the program's name), output and messages on the given streams,
// returning the exit status. "templates" is handed over to its own program by main.

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

int Calculator_Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
