#pragma once
// The flat patterns as files: the printed set as PDF, the full-size sheet as SVG, the
// cutting drawing as DXF. PDF and SVG need a QGuiApplication (for the fonts).

#include "fabrication/pattern_layout.h"

#include <string>
#include <vector>

enum class Pattern_Format { Pdf, Svg, Dxf };

struct Pattern_Output {
    Pattern_Format format;
    std::string path;
};

// Each writer returns false with the reason in `error` when the file cannot be written.
bool Write_Pattern_Pdf(const std::string& path, const Chamber_Patterns& set, Paper paper,
                       std::string& error);
bool Write_Pattern_Svg(const std::string& path, const Chamber_Patterns& set, std::string& error);

// Writes every requested file, or none: each is first written beside its target under a
// temporary name, and the temporary files are renamed only when all of them succeeded.
// On failure `error` names the file and the reason, and no file is left behind.
bool Write_Pattern_Files(const std::vector<Pattern_Output>& outputs, const Chamber_Patterns& set,
                         Paper paper, std::string& error);
