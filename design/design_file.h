#pragma once
// Design files (.ecd): what the tuner typed and chose in the design window, kept as the
// texts exactly as typed so that opening one runs the same checks with the same messages,
// plus the results of the run for other programs to read (a program reading a design
// recomputes them). JSON:
//
//   {"format": "expansion-chamber-design", "version": 1, "pipeName": "GP 125",
//    "diffuser": "three-stage", "temperature": "bmep", "coefficients": "bmep",
//    "fields": {"horn": "1.5", "bmep": "10", "temp": "", "dx": "40", "d1": "44",
//               "lx": "20", "mid": "", "tail": "", "angle": "88", "rpm": "11000"},
//    "results": {"warnings": [], "failure": null, "display": {...}, "values": {...}}}
//
// The choices are "two-stage" or "three-stage", and "manual" or "bmep", or null while
// none is chosen; the fields are named as the command line's flags.

#include "design/design_pipeline.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* Design_File_Format = "expansion-chamber-design";
inline constexpr int Design_File_Version = 1;
inline constexpr const char* Design_File_Extension = ".ecd";
// No design file comes near this; anything larger is not one.
inline constexpr size_t Design_File_Largest = 1 << 20;

// The file's text for the form and the run that computed it.
std::string Design_File_Text(const Design_Form& form, const Outcome<Chamber_Design>& run);

// The form a design file holds, or what is wrong with the text, in words for the user.
struct Design_File_Read {
    std::optional<Design_Form> form;
    std::string problem;
};
Design_File_Read Read_Design_File(std::string_view text);

// The flag name of each field, as the files and the command line name them.
const char* Field_Key(Texh_Index field);
