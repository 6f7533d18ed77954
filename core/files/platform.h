#pragma once
// Everything that differs between operating systems, behind a few plain functions. The
// rest of the program is standard C++ and calls these. Paths are UTF-8.

#include <string>
#include <vector>

namespace platform {

// The program's arguments after its name, in UTF-8 whatever the system's own encoding.
std::vector<std::string> Arguments(int argc, char** argv);

// The folder holding the running program, without a trailing separator; "." when the
// system cannot tell. `argv0` is the program's first argument, the fallback.
std::string Program_Folder(const char* argv0);

// The user's folder for what a program keeps between runs (its state), with `program`'s own
// folder inside, not created: $XDG_STATE_HOME or ~/.local/state on Linux and other POSIX
// systems, ~/Library/Application Support on macOS, %LOCALAPPDATA% on Windows. Empty when the
// system names no such folder.
std::string State_Folder(const std::string& program);

// Runs `program` with `args` (args[0] is the name it sees as its own) in place of the
// running program: on systems that can replace a process this call does not return when
// it succeeds; elsewhere it waits for the program and returns its exit status. A program
// that cannot be started gives -1 with the reason in `error`.
int Run_Instead(const std::string& program, const std::vector<std::string>& args,
                std::string& error);

// ---- Writing files. Each returns an empty text on success, else the reason. ----

// Creates the file, which must not exist yet, writes every byte, flushes it to the disk
// and closes it. On failure nothing of it is left.
std::string Write_New_File(const std::string& path, const std::string& bytes);

// Writes every byte into a file that exists and is kept: a device or a pipe.
std::string Write_Into(const std::string& path, const std::string& bytes);

// Writes every byte to standard output, unchanged (no line-end translation).
std::string Write_Standard_Output(const std::string& bytes);

// Flushes the folder's list of names to the disk, so that a rename in it lasts.
void Sync_Folder(const std::string& folder);

// Files to remove should the program be interrupted (Ctrl+C, a termination request,
// a closed terminal) while they exist; the process then ends as the signal asks.
void Remove_If_Interrupted(const std::string& path);
void Keep_If_Interrupted(const std::string& path);

// While one of these exists an interruption waits: nothing ends the program half-way
// through putting files in place.
class Interruptions_Held {
public:
    Interruptions_Held();
    ~Interruptions_Held();
    Interruptions_Held(const Interruptions_Held&) = delete;
    Interruptions_Held& operator=(const Interruptions_Held&) = delete;
};

} // namespace platform
