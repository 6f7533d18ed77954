#pragma once
// Drawing the flat patterns on any QPainter in millimetres: text sized by its capitals,
// pens of a given width, the pieces themselves and the check bars of a printed page.

#include "core/patterns/flat_pattern.h"
#include "core/patterns/pattern_layout.h"

#include <QPen>
#include <QPointF>

#include <string>
#include <vector>

class QPainter;

enum class Text_Align { Left, Centre, Right };

// Text and pens sized in millimetres whatever the device's resolution: `pxPerMm` device
// units make one millimetre.
class Ink {
public:
    Ink(QPainter& painter, double pxPerMm);

    QPainter& painter() { return painter_; }

    // Text whose capitals are `capMm` high, its anchor at `at` (device units): the left or
    // right end or the middle of the baseline, or with `middle` the middle of the capitals.
    // It is squeezed to the pattern's width estimate when the face runs wider, and to
    // `maxWidthMm` when that is given.
    void text(QPointF at, double capMm, const std::string& s, Text_Align align, bool bold = false,
              bool middle = false, double maxWidthMm = 0);

    // Page coordinates (mm from the top left corner, y down) to device units.
    QPointF at(double x, double y) const { return {x * pxPerMm_, y * pxPerMm_}; }
    double len(double mm) const { return mm * pxPerMm_; }

    QPen pen(double widthMm, const QColor& colour = Qt::black,
             const std::vector<double>& dashMm = {}) const;
    // On a screen a line thinner than a pixel or two fades to a faint grey: no pen is drawn
    // narrower than this, in device units (paper keeps its true widths: 0, the default).
    void Set_Least_Pen(double px) { leastPenPx_ = px; }
    void line(double x0, double y0, double x1, double y1, const QPen& pen);
    void rect(double x, double y, double w, double h, const QPen& pen,
              const QBrush& brush = Qt::NoBrush);

private:
    QPainter& painter_;
    double pxPerMm_;
    double pointsPerUnit_ = 1;
    double leastPenPx_ = 0;
    double capRatio_[2] = {0.7, 0.7}; // cap height per font size: regular, bold
};

// Maps a piece's own frame (y up) onto the page: page x = x + ox, page y = oy - y (mm).
struct Piece_Map {
    double ox = 0, oy = 0;
    QPointF operator()(const Ink& ink, Pt p) const { return ink.at(p.x + ox, oy - p.y); }
};

// Every line, arc and text of the piece; without `figures`, not its figure block.
void Paint_Piece(Ink& ink, const Flat_Piece& piece, const Piece_Map& map, bool figures = true);

// The two check bars at the foot of a page: 100 mm and 4 inches.
void Paint_Check_Bars(Ink& ink, const Page_Box& page);
