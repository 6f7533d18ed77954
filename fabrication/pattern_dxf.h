#pragma once
// The pieces side by side as an R12 DXF drawing in millimetres, for plasma, laser and
// plotter cutting: layer CUT holds the outlines, ETCH the centre lines, seam lines and
// alignment marks, LABEL the text. Arcs are written as true arcs.

#include "fabrication/pattern_layout.h"

#include <string>

// Writes the drawing to `path`. False, with the reason in `error`, when the file cannot
// be opened for writing.
bool Write_Pattern_Dxf(const std::string& path, const Chamber_Patterns& set,
                       const Sheet_Layout& layout, std::string& error);
