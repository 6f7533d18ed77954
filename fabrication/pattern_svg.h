#pragma once
// The pieces side by side as one full-size SVG sheet in millimetres, for printing at
// 100 % or opening in a drawing program: lines in the printed set's pens, arcs as true
// arcs, the figure blocks as text.

#include "fabrication/pattern_layout.h"

#include <string>

// The sheet of the pieces as laid out, as the bytes of the SVG file. Its size is the
// layout's, rounded up to whole tenths of a millimetre.
std::string Pattern_Svg(const Chamber_Patterns& set, const Sheet_Layout& layout);
