#pragma once
// Design files (.ecd): what the tuner typed and chose in the design window, kept as the
// texts exactly as typed so that opening one runs the same checks with the same messages,
// plus the results of the run for other programs to read (a program reading a design
// recomputes them). JSON in the vocabulary's words: the format and its version, the pipe
// name and each option group's word (null while none is chosen) at the top, the numeric
// fields' texts under "fields", the run's report under "results", and, when the tuner
// mapped the engine's ports, the port map's texts under "engine" (files without it open as
// before).

#include "core/chamber/design_pipeline.h"
#include "core/fields/form_entries.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* Design_File_Format = "expansion-chamber-design";
inline constexpr int Design_File_Version = 1;
inline constexpr const char* Design_File_Extension = ".ecd";
// No design file comes near this; anything larger is not one.
inline constexpr size_t Design_File_Largest = 1 << 20;

// The file's text for the form and the run that computed it, with the engine's port map
// texts when the tuner typed any (none while every field is empty or holds its opening
// text; the fields left empty are left out).
std::string Design_File_Text(const Design_Form& form, const Outcome<Chamber_Design>& run,
                             const Form_Entries& engine = {});

// The form a design file holds (and its engine, empty when it holds none), or what is wrong
// with the text, in words for the user.
struct Design_File_Read {
    std::optional<Design_Form> form;
    Form_Entries engine; // the port map's texts by field key
    std::string problem;
};
Design_File_Read Read_Design_File(std::string_view text);

// The file name proposed when a design of this pipe name is saved.
std::string Design_File_Name(const std::string& pipeName);

// The message for a file that cannot be opened as a design, `from` naming it as the user
// chose it.
Field_Failure Design_Not_Opened(const std::string& from, const std::string& problem);
