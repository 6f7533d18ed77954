#pragma once
// What the program is asked on its command line, read before the toolkit starts, so that
// --help and --version need no display: at most one design file to open, and the toolkit's
// own options (-platform NAME, -style NAME, ...) passed on.

#include <string>
#include <vector>

struct Command_Line {
    bool help = false;
    bool version = false;
    std::string file;  // a design file to open, or ""
    std::string error; // what is wrong with the line, or ""
};

// The arguments after the program's name.
Command_Line Read_Command_Line(const std::vector<std::string>& args);

// The usage, as --help prints it.
std::string Usage_Text();
