#include "core/patterns/pattern_layout.h"

#include <algorithm>
#include <cmath>

Chamber_Patterns Make_Chamber_Patterns(const Chamber_Design& design,
                                       const Pattern_Options& options) {
    Chamber_Patterns set;
    set.design = design;
    set.options = options;
    set.sections = Chamber_Sections(design.input.ThreeStage, design.result);
    std::vector<Chamber_Section> cut;
    for (const auto& s : set.sections)
        (s.length < Least_Cut_Length ? set.omitted : cut).push_back(s);
    set.pieces = Develop_Chamber(cut, options);
    return set;
}

Sheet_Layout Lay_Out_Side_By_Side(const std::vector<Flat_Piece>& pieces, double gap,
                                  double margin) {
    Sheet_Layout s;
    double x = margin;
    double tallest = 0;
    for (const auto& p : pieces) {
        s.offsets.push_back({x - p.frame.x0, margin - p.frame.y0});
        x += p.frame.width() + gap;
        tallest = std::max(tallest, p.frame.height());
    }
    s.width = (pieces.empty() ? x : x - gap) + margin;
    s.height = tallest + 2 * margin;
    return s;
}

Sheet_Layout Lay_Out_In_Rows(const std::vector<Flat_Piece>& pieces, double rowWidth, double gap) {
    Sheet_Layout s;
    double x = 0, rowTop = 0, rowHeight = 0;
    std::vector<size_t> row; // the pieces of the row being filled, bottoms level at its foot
    const auto finish = [&] {
        for (size_t i : row)
            s.offsets[i].y = -rowTop - rowHeight - pieces[i].outline.y0;
        rowTop += rowHeight + gap;
        row.clear();
        x = 0;
        rowHeight = 0;
    };
    s.offsets.resize(pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        const Box& o = pieces[i].outline;
        if (!row.empty() && x + o.width() > rowWidth)
            finish();
        s.offsets[i].x = x - o.x0;
        x += o.width() + gap;
        s.width = std::max(s.width, x - gap);
        rowHeight = std::max(rowHeight, o.height());
        row.push_back(i);
    }
    if (!row.empty())
        finish();
    s.height = std::max(0.0, rowTop - gap);
    // Offsets count from the sheet's foot (y up), as in the side-by-side layout.
    for (Pt& o : s.offsets)
        o.y += s.height;
    return s;
}

Pt Paper_Size(Paper paper) {
    return paper == Paper::A4 ? Pt{210.0, 297.0} : Pt{215.9, 279.4};
}

const char* Paper_Name(Paper paper) {
    return paper == Paper::A4 ? "A4" : "Letter";
}

Page_Box Page_Layout(Paper paper, bool landscape) {
    const Pt size = Paper_Size(paper);
    Page_Box b;
    b.width = landscape ? size.y : size.x;
    b.height = landscape ? size.x : size.y;
    const double side = Page_Margin + Crop_Zone;
    b.tile = {side, Page_Margin + Header_Band + Crop_Zone, b.width - side,
              b.height - Page_Margin - Footer_Band - Crop_Zone};
    return b;
}

int Tiles_Along(double length, double tile, double overlap) {
    if (!std::isfinite(length) || !std::isfinite(tile) || !std::isfinite(overlap) ||
        !(tile > overlap))
        return 0;
    if (length <= tile)
        return 1;
    // Allow for rounding: a length that fits within a micrometre needs no further tile.
    const double more = std::ceil((length - tile) / (tile - overlap) - 1e-9);
    if (!(more < Most_Tiles_Along))
        return 0;
    return 1 + static_cast<int>(more);
}

Tile_Plan Plan_Tiles(const Box& frame, Paper paper) {
    Tile_Plan best;
    for (bool landscape : {false, true}) {
        Tile_Plan t;
        t.landscape = landscape;
        t.page = Page_Layout(paper, landscape);
        const double tw = t.page.tile.width();
        const double th = t.page.tile.height();
        t.cols = Tiles_Along(frame.width(), tw);
        t.rows = Tiles_Along(frame.height(), th);
        t.stepX = tw - Tile_Overlap;
        t.stepY = th - Tile_Overlap;
        const double spanW = tw + (t.cols - 1) * t.stepX;
        const double spanH = th + (t.rows - 1) * t.stepY;
        t.x0 = frame.x0 - (spanW - frame.width()) / 2;
        t.y1 = frame.y1 + (spanH - frame.height()) / 2;
        const bool better = t.pages() > 0 && (best.pages() == 0 || t.pages() < best.pages());
        if (!landscape || better)
            best = t;
    }
    return best;
}

Flat_Piece Fit_To_Paper(const Flat_Piece& piece, Paper paper) {
    Flat_Piece beneath = piece;
    Place_Figure_Block(beneath, false);
    Flat_Piece beside = piece;
    Place_Figure_Block(beside, true);
    const int besidePages = Plan_Tiles(beside.frame, paper).pages();
    const int beneathPages = Plan_Tiles(beneath.frame, paper).pages();
    return besidePages > 0 && (beneathPages == 0 || besidePages < beneathPages) ? beside : beneath;
}

std::string Tile_Position_Text(const Tile_Plan& plan, int row, int col) {
    const std::string name = Tile_Name(row, 0);
    return "row " + name.substr(0, name.size() - 1) + " of " + std::to_string(plan.rows) +
           ", column " + std::to_string(col + 1) + " of " + std::to_string(plan.cols);
}

std::string Tile_Name(int row, int col) {
    std::string s;
    // Rows past Z continue AA, AB, ... as spreadsheet columns do.
    int r = row;
    do {
        s.insert(s.begin(), static_cast<char>('A' + r % 26));
        r = r / 26 - 1;
    } while (r >= 0);
    return s + std::to_string(col + 1);
}

int Pattern_Page_Count(const Chamber_Patterns& set, Paper paper) {
    int pages = 1;
    for (const auto& p : set.pieces) {
        const int tiles = Plan_Tiles(Fit_To_Paper(p, paper).frame, paper).pages();
        if (tiles == 0)
            return 0;
        pages += tiles;
    }
    return pages;
}

std::string Untileable_Piece(const Chamber_Patterns& set, Paper paper) {
    for (const auto& p : set.pieces)
        if (Plan_Tiles(Fit_To_Paper(p, paper).frame, paper).pages() == 0)
            return p.section + " " + p.role;
    return "";
}
