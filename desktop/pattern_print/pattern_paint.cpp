#include "desktop/pattern_print/pattern_paint.h"

#include "desktop/pattern_print/pattern_ink.h"
#include "desktop/pattern_print/pattern_summary.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double Mm_Per_Inch = 25.4;

// Crop marks at the tile's corners, outside it, and the names of the neighbouring tiles.
void Paint_Tile_Frame(Ink& ink, const Page_Box& page, const Tile_Plan& plan, int row, int col) {
    const Box& t = page.tile;
    const QPen crop = ink.pen(0.2);
    const double gap = 1.0;
    const double len = Crop_Zone - 1.5;
    for (double x : {t.x0, t.x1})
        for (double y : {t.y0, t.y1}) {
            const double sx = x == t.x0 ? -1 : 1;
            const double sy = y == t.y0 ? -1 : 1;
            ink.line(x + sx * gap, y, x + sx * (gap + len), y, crop);
            ink.line(x, y + sy * gap, x, y + sy * (gap + len), crop);
        }
    // The tile's own edge, faint: where this page is trimmed when it is laid on another.
    ink.rect(t.x0, t.y0, t.width(), t.height(), ink.pen(0.1, QColor(170, 170, 170)));

    // Where the next page's trimmed edge is laid: 10 mm inside the right and lower edges.
    const QPen overlap = ink.pen(0.25, QColor(0, 0, 0), {2, 1.5});
    const double cap = 2.2;
    if (col + 1 < plan.cols) {
        const double x = t.x1 - Tile_Overlap;
        ink.line(x, t.y0, x, t.y1, overlap);
        ink.text(ink.at(x - 1, t.y0 - 1.5), cap, Tile_Name(row, col + 1) + " edge here >",
                 Text_Align::Right);
    }
    if (row + 1 < plan.rows) {
        const double y = t.y1 - Tile_Overlap;
        ink.line(t.x0, y, t.x1, y, overlap);
        ink.text(ink.at(t.x1 + 1, y + cap / 2), cap, Tile_Name(row + 1, col), Text_Align::Left);
        ink.text(ink.at(t.x0 - 1, y + cap / 2), cap, Tile_Name(row + 1, col), Text_Align::Right);
    }
    // Neighbour names in the margins: which page joins on each side.
    const double midX = (t.x0 + t.x1) / 2;
    const double midY = (t.y0 + t.y1) / 2;
    if (row > 0)
        ink.text(ink.at(midX, t.y0 - 1.5), cap, "^ " + Tile_Name(row - 1, col), Text_Align::Centre);
    if (row + 1 < plan.rows)
        ink.text(ink.at(midX, t.y1 + 1.5 + cap), cap, "v " + Tile_Name(row + 1, col),
                 Text_Align::Centre);
    if (col > 0)
        ink.text(ink.at(t.x0 - 1, midY), cap, Tile_Name(row, col - 1), Text_Align::Right, false,
                 true);
    if (col + 1 < plan.cols)
        ink.text(ink.at(t.x1 + 1, midY), cap, Tile_Name(row, col + 1), Text_Align::Left, false,
                 true);
}

void Paint_Tile_Page(Ink& ink, const Chamber_Patterns& set, const Flat_Piece& piece,
                     const Tile_Plan& plan, int row, int col, int pageNo, int pageCount) {
    const Page_Box& page = plan.page;
    const double top = Page_Margin;
    std::string title = piece.section + "  " + piece.role;
    if (piece.count > 1)
        title += "  piece " + std::to_string(piece.index) + " of " + std::to_string(piece.count);
    ink.text(ink.at(Page_Margin, top + 5), 4, title, Text_Align::Left, true, false,
             (page.width - 2 * Page_Margin) * 0.6);
    std::string sub =
        "Full size. Page " + std::to_string(pageNo) + " of " + std::to_string(pageCount);
    if (!set.design.input.PipeName.empty())
        sub += ", " + set.design.input.PipeName;
    ink.text(ink.at(Page_Margin, top + 9.5), 2.4, sub, Text_Align::Left, false, false,
             (page.width - 2 * Page_Margin) * 0.6);

    const std::string name = Tile_Name(row, col);
    const double right = page.width - Page_Margin;
    ink.text(ink.at(right, top + 7), 7, name, Text_Align::Right, true);
    const double nameW = Text_Width_Estimate(name, 7);
    ink.text(ink.at(right - nameW - 3, top + 3.2), 2.4, Tile_Position_Text(plan, row, col),
             Text_Align::Right);
    ink.text(ink.at(right - nameW - 3, top + 7), 2.4,
             plan.pages() > 1 ? "trim at the crop marks, overlap 10 mm" : "one page",
             Text_Align::Right);

    Paint_Tile_Frame(ink, page, plan, row, col);
    Paint_Check_Bars(ink, page);

    // The piece: the tile shows the frame's area from (x0 + col stepX, y1 - row stepY).
    const Box& t = page.tile;
    Piece_Map m;
    m.ox = t.x0 - (plan.x0 + col * plan.stepX);
    m.oy = t.y0 + (plan.y1 - row * plan.stepY);
    QPainter& p = ink.painter();
    p.save();
    p.setClipRect(QRectF(ink.at(t.x0, t.y0), ink.at(t.x1, t.y1)));
    Paint_Piece(ink, piece, m);
    p.restore();
}

} // namespace

QPageLayout Pattern_Page_Layout(Paper paper, bool landscape) {
    return QPageLayout(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void Paint_Pattern_Pages(QPagedPaintDevice& device, QPainter& painter, const Chamber_Patterns& set,
                         Paper paper) {
    const int pageCount = Pattern_Page_Count(set, paper);
    {
        Ink ink(painter, device.logicalDpiX() / Mm_Per_Inch);
        Paint_Summary_Page(ink, set, paper, pageCount);
    }
    int pageNo = 1;
    for (const auto& original : set.pieces) {
        const Flat_Piece piece = Fit_To_Paper(original, paper);
        const Tile_Plan plan = Plan_Tiles(piece.frame, paper);
        for (int row = 0; row < plan.rows; ++row)
            for (int col = 0; col < plan.cols; ++col) {
                device.setPageLayout(Pattern_Page_Layout(paper, plan.landscape));
                device.newPage();
                ++pageNo;
                Ink ink(painter, device.logicalDpiX() / Mm_Per_Inch);
                Paint_Tile_Page(ink, set, piece, plan, row, col, pageNo, pageCount);
            }
    }
}

void Paint_Pattern_Preview(QPainter& painter, const Chamber_Patterns& set,
                           const Sheet_Layout& layout, double pxPerMm) {
    Ink ink(painter, pxPerMm);
    ink.Set_Least_Pen(1.5);
    for (size_t i = 0; i < set.pieces.size(); ++i) {
        const Piece_Map map{layout.offsets[i].x, layout.height - layout.offsets[i].y};
        Paint_Piece(ink, set.pieces[i], map, false);
    }
}
