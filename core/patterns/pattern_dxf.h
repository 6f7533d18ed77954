#pragma once
// The pieces side by side as an R12 DXF drawing in millimetres, for plasma, laser and
// plotter cutting: layer CUT holds the outlines, ETCH the centre lines, seam lines and
// alignment marks, LABEL the text. Arcs are written as true arcs.

#include "core/patterns/pattern_layout.h"

#include <string>

// The drawing of the pieces as laid out, as the bytes of the DXF file.
std::string Pattern_Dxf(const Chamber_Patterns& set, const Sheet_Layout& layout);
