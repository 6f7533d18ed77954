#pragma once
// The file name the program proposes when it saves: made from free text (a pipe name).

#include <string>

// The characters a file name cannot hold (controls, / \ : * ? " < > |) become hyphens;
// blanks, dots and hyphens at either end go, and the extension if the text ends with it; a name
// longer than 100 characters (UTF-16 units, as the systems' dialogs count them) is cut, never
// inside a character; then `extension` (".ecd") is added. `fallback` when nothing is left.
// Text that is not UTF-8 keeps its place: each stray byte stands for U+FFFD.
std::string Proposed_File_Name(const std::string& text, const std::string& extension,
                               const std::string& fallback);

// The file's name without its folders and its last extension ("/a/b/pipe.ecd": "pipe").
std::string File_Stem(const std::string& path);
// The name proposed for one kind of file made from a design: the pipe name as above, a blank
// and the kind ("GP 125 sheet.pdf"), so that a design's files of one extension differ;
// `fallback` when nothing is left of the pipe name.
std::string Proposed_File_Name(const std::string& pipeName, const std::string& kind,
                               const std::string& extension, const std::string& fallback);
