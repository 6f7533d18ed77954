#pragma once
// Reading a file whole, and the one way the program writes files: whole or not at all, and a set of
// files all or none. Every file is first written in full beside its target under a temporary name,
// flushed to the disk and closed, each step checked; only when every file of the set is
// complete do they take their targets' places, and a failure then puts back what was
// there. A file that stands behind a symbolic link is replaced where it stands; a device,
// a pipe and standard output ("-") are written straight into; nothing that is not a
// regular file is ever replaced, nor a file whose write permission is off. Temporary files do not
// outlive an interrupted run.

#include <optional>
#include <string>
#include <vector>

struct File_Output {
    std::string path; // "-" for standard output
    std::string bytes;
};

// The file that could not be written and why.
struct Write_Failure {
    std::string path;
    std::string reason;
    std::string text() const { return "cannot write " + path + ": " + reason; }
};

// Every output is written, or none: on failure every target is as it was.
std::optional<Write_Failure> Write_Files(const std::vector<File_Output>& outputs);

// One file, whole or not at all.
std::optional<Write_Failure> Write_File(const std::string& path, const std::string& bytes);

// The whole of a file of at most `largest` bytes; nothing, with the reason in `error`, when
// it is missing, unreadable, larger, or not a regular file (a folder, a pipe, a device).
std::optional<std::string> Read_File(const std::string& path, size_t largest, std::string& error);

// What Read_File says of a file over its limit.
inline constexpr const char* Too_Large_For_Design_File = "It is far too large for a design file.";

// When two of the paths name the same file (also through another spelling, a link or a
// second hard link), the text says which; empty when they are all different.
std::string Same_File_Twice(const std::vector<std::string>& paths);
