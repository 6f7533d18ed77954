#pragma once
// Everything that differs between operating systems, behind a few plain functions. The
// rest of the program is standard C++ and calls these.

#include <string>
#include <vector>

namespace platform {

// The folder holding the running program, without a trailing separator; "." when the
// system cannot tell. `argv0` is the program's first argument, the fallback.
std::string Program_Folder(const char* argv0);

// Runs `program` with `args` (args[0] is the name it sees as its own) in place of the
// running program: on systems that can replace a process this call does not return when
// it succeeds; elsewhere it waits for the program and returns its exit status. A program
// that cannot be started gives -1 with the reason in `error`.
int Run_Instead(const std::string& program, const std::vector<std::string>& args,
                std::string& error);

} // namespace platform
