#pragma once
// Where the pieces go: side by side on one sheet (SVG, DXF), or each piece tiled at full
// size across printed pages that are taped together (PDF, printer). Pure, millimetres.

#include "core/patterns/flat_pattern.h"

#include <string>
#include <vector>

// A computed design and its developed pieces, as every renderer takes them.
struct Chamber_Patterns {
    Chamber_Design design; // the accepted inputs and the computed dimensions
    Pattern_Options options;
    std::vector<Chamber_Section> sections; // every section of the design
    std::vector<Chamber_Section> omitted;  // those too short to cut: no pieces
    std::vector<Flat_Piece> pieces;
};

// The patterns of a design that passed every check. A section shorter than
// Least_Cut_Length (a header of LX at its limit, for one) has no pieces.
Chamber_Patterns Make_Chamber_Patterns(const Chamber_Design& design,
                                       const Pattern_Options& options);

// Pieces side by side from left to right, bottoms level, `gap` apart, inside a border of
// `margin`. offsets[i] is added to the coordinates of piece i's own frame (y up); the
// sheet runs from (0, 0) to (width, height).
struct Sheet_Layout {
    std::vector<Pt> offsets;
    double width = 0;
    double height = 0;
};

Sheet_Layout Lay_Out_Side_By_Side(const std::vector<Flat_Piece>& pieces, double gap = 20,
                                  double margin = 10);

// The pieces' outlines (without their figure blocks) in rows, left to right, a row no wider
// than `rowWidth` unless one piece alone is, the rows `gap` apart; offsets as above, the
// sheet from (0, 0) to (width, height) without a margin.
Sheet_Layout Lay_Out_In_Rows(const std::vector<Flat_Piece>& pieces, double rowWidth, double gap);

enum class Paper { A4, Letter };

// Portrait size of the paper, mm.
Pt Paper_Size(Paper paper);
const char* Paper_Name(Paper paper);

// The fixed parts of a printed page, mm from the page's top left corner, y down.
inline constexpr double Page_Margin = 8;  // left blank for the printer's unprintable edge
inline constexpr double Crop_Zone = 6;    // crop marks and neighbour names around the tile
inline constexpr double Header_Band = 10; // page label
inline constexpr double Footer_Band = 16; // the two check bars
inline constexpr double Tile_Overlap = 10;

struct Page_Box {
    double width = 0, height = 0; // the page
    Box tile;                     // the area that shows the piece (y down: y0 is the top)
};

Page_Box Page_Layout(Paper paper, bool landscape);

// How many tiles of `tile` length cover `length` when neighbours overlap by `overlap`;
// 0 when that cannot be tiled: a length or tile that is not a finite number, a tile no
// longer than the overlap, or more than Most_Tiles_Along tiles.
inline constexpr int Most_Tiles_Along = 1000;
int Tiles_Along(double length, double tile, double overlap = Tile_Overlap);

// The tiling of one piece's frame: the orientation that needs fewer pages (portrait when
// equal), the tile counts and the pages' layout. Tile (row, col), counted from the top
// left, shows the frame's area from x = x0 + col * stepX, y = y1 - row * stepY downwards,
// where (x0, y1) is the top left corner of the tiled span centred on the frame.
struct Tile_Plan {
    bool landscape = false;
    int rows = 1;
    int cols = 1;
    double stepX = 0; // tile width less the overlap
    double stepY = 0;
    double x0 = 0; // the tiled span's left edge, in the piece's frame
    double y1 = 0; // and its top edge
    Page_Box page;
    int pages() const { return rows * cols; } // 0: the frame cannot be tiled
};

Tile_Plan Plan_Tiles(const Box& frame, Paper paper);

// The piece with its figure block where the piece needs fewer pages of this paper:
// beneath the outline or beside it (beneath when equal).
Flat_Piece Fit_To_Paper(const Flat_Piece& piece, Paper paper);

// "A1", "B3": the row as a letter, the column as a number, as printed on each page.
std::string Tile_Name(int row, int col);
// Where the tile stands in its piece's plan: "row A of 2, column 3 of 3".
std::string Tile_Position_Text(const Tile_Plan& plan, int row, int col);

// Pages of the printed set: the summary page, then every piece's tiles (each piece fitted
// to the paper); 0 when a piece cannot be tiled.
int Pattern_Page_Count(const Chamber_Patterns& set, Paper paper);

// The first piece that cannot be tiled on this paper, as its section name and role, or an
// empty text when every piece can.
std::string Untileable_Piece(const Chamber_Patterns& set, Paper paper);
