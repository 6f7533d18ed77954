#pragma once
// The pieces side by side as one full-size SVG sheet in millimetres, for printing at
// 100 % or opening in a drawing program: lines in the printed set's pens, arcs as true
// arcs, the figure blocks as text.

#include "core/patterns/pattern_layout.h"

#include <string>

// The sheet of the pieces as laid out, as the bytes of the SVG file. Its size is the
// layout's, rounded up to whole tenths of a millimetre.
std::string Pattern_Svg(const Chamber_Patterns& set, const Sheet_Layout& layout);

// One piece at full size as an <svg> element for a page (no XML declaration), its figure
// block included.
std::string Piece_Svg(const Flat_Piece& piece);

// The area one printed tile of a piece shows (the piece fitted to the paper and tiled as
// the plan says), at full size: the piece, the tile's faint edge, and dashed where the next
// tile's trimmed edge is laid (the plan's overlap).
std::string Tile_Svg(const Flat_Piece& fitted, const Tile_Plan& plan, int row, int col);

// The two check bars of a printed page, 100 mm and 4 inches, with their captions.
std::string Check_Bars_Svg();
