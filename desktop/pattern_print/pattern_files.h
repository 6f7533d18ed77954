#pragma once
// The flat patterns as files: the printed set as PDF, the full-size sheet as SVG, the
// cutting drawing as DXF. Each is made in memory first and written by the program's one
// file writer. The PDF needs a QGuiApplication (for the fonts); the SVG and the DXF are
// made by the pure writers beside the geometry.

#include "core/patterns/pattern_layout.h"

#include <string>
#include <vector>

enum class Pattern_Format { Pdf, Svg, Dxf };

struct Pattern_Output {
    Pattern_Format format;
    std::string path;
};

// The file's bytes; false with the reason in `error` when it cannot be made.
bool Make_Pattern_File(Pattern_Format format, const Chamber_Patterns& set, Paper paper,
                       std::string& bytes, std::string& error);

// Writes every requested file, or none: on failure `error` names the file and the
// reason, and every target is as it was.
bool Write_Pattern_Files(const std::vector<Pattern_Output>& outputs, const Chamber_Patterns& set,
                         Paper paper, std::string& error);
