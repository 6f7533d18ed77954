#include "desktop/pattern_print/pattern_ink.h"

#include "core/fields/numbers.h"
#include "core/screen/palette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr double Mm_Per_Inch = 25.4;

QFont Base_Font(bool bold) {
    QFont f(QString::fromLatin1(Font_Family));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(bold);
    f.setKerning(true);
    return f;
}

QPen Role_Pen(const Ink& ink, Line_Role role) {
    const Line_Style style = Style_Of(role);
    return ink.pen(style.width, QColor(style.grey, style.grey, style.grey), style.dash);
}

} // namespace

Ink::Ink(QPainter& painter, double pxPerMm) : painter_(painter), pxPerMm_(pxPerMm) {
    const double dpi = painter.device()->logicalDpiY();
    pointsPerUnit_ = 72.0 / dpi;
    // The drawing's own font from the start, not the application's: the same files from
    // the window and from the command line.
    QFont start = Base_Font(false);
    start.setPointSizeF(10);
    painter.setFont(start);
    for (int bold = 0; bold < 2; ++bold) {
        QFont f = Base_Font(bold == 1);
        f.setPointSizeF(100 * pointsPerUnit_);
        capRatio_[bold] = QFontMetricsF(f, painter.device()).capHeight() / 100;
        if (!(capRatio_[bold] > 0.3 && capRatio_[bold] < 1))
            capRatio_[bold] = 0.7; // a face without the metric: a typical sans value
    }
}

void Ink::text(QPointF at, double capMm, const std::string& s, Text_Align align, bool bold,
               bool middle, double maxWidthMm) {
    const QString q = QString::fromUtf8(s.c_str());
    QFont f = Base_Font(bold);
    f.setPointSizeF(capMm * pxPerMm_ / capRatio_[bold ? 1 : 0] * pointsPerUnit_);
    double width = QFontMetricsF(f, painter_.device()).horizontalAdvance(q);
    double limit = Text_Width_Estimate(s, capMm) * pxPerMm_;
    if (maxWidthMm > 0)
        limit = std::min(limit, maxWidthMm * pxPerMm_);
    double cap = capMm * pxPerMm_;
    if (width > limit) {
        const double squeeze = limit / width;
        f.setPointSizeF(f.pointSizeF() * squeeze);
        width *= squeeze;
        cap *= squeeze;
    }
    double x = at.x();
    if (align == Text_Align::Centre)
        x -= width / 2;
    else if (align == Text_Align::Right)
        x -= width;
    const double y = middle ? at.y() + cap / 2 : at.y();
    painter_.setFont(f);
    painter_.setPen(QPen(Qt::black));
    painter_.drawText(QPointF(x, y), q);
}

QPen Ink::pen(double widthMm, const QColor& colour, const std::vector<double>& dashMm) const {
    const bool widened = widthMm * pxPerMm_ < leastPenPx_;
    const double width = widened ? leastPenPx_ : widthMm * pxPerMm_;
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (!dashMm.empty()) {
        const double widthInMm = widened ? width / pxPerMm_ : widthMm;
        QVector<qreal> pattern;
        for (double d : dashMm)
            pattern.push_back(d / widthInMm); // dash lengths count in pen widths
        pen.setDashPattern(pattern);
    }
    return pen;
}

void Ink::line(double x0, double y0, double x1, double y1, const QPen& pen) {
    painter_.setPen(pen);
    painter_.drawLine(at(x0, y0), at(x1, y1));
}

void Ink::rect(double x, double y, double w, double h, const QPen& pen, const QBrush& brush) {
    painter_.setPen(pen);
    painter_.setBrush(brush);
    painter_.drawRect(QRectF(at(x, y), at(x + w, y + h)));
    painter_.setBrush(Qt::NoBrush);
}

void Paint_Piece(Ink& ink, const Flat_Piece& piece, const Piece_Map& map, bool figures) {
    QPainter& p = ink.painter();
    p.setBrush(Qt::NoBrush);
    for (const auto& l : piece.lines) {
        p.setPen(Role_Pen(ink, l.role));
        p.drawLine(map(ink, l.a), map(ink, l.b));
    }
    for (const auto& a : piece.arcs) {
        const QPointF c = map(ink, a.centre);
        const double r = ink.len(a.radius);
        const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        const double startDeg = a.start * 180 / Pi;
        const double sweepDeg = (a.end - a.start) * 180 / Pi;
        QPainterPath path;
        path.arcMoveTo(box, startDeg);
        path.arcTo(box, startDeg, sweepDeg);
        p.setPen(Role_Pen(ink, a.role));
        p.drawPath(path);
    }
    std::vector<Pattern_Text> texts = piece.texts;
    if (figures)
        texts.insert(texts.end(), piece.figures.begin(), piece.figures.end());
    for (const auto& t : texts) {
        const bool centre = t.anchor == Text_Anchor::Centre;
        ink.text(map(ink, t.at), t.height, t.text, centre ? Text_Align::Centre : Text_Align::Left,
                 t.bold, centre);
    }
}

// 100 mm in 10 mm fields, 4 inches in half inches: a printer that scales the page shows
// them at the wrong length.
void Paint_Check_Bars(Ink& ink, const Page_Box& page) {
    const double x = Page_Margin;
    const double bottom = page.height - Page_Margin;
    struct Bar {
        double y, length;
        int fields;
        const char* caption;
    };
    const Bar bars[] = {
        {bottom - 13, 100.0, 10, "100 mm: must measure exactly 100 mm"},
        {bottom - 5, 4 * Mm_Per_Inch, 8, "4 in: must measure exactly 4 inches (101.6 mm)"},
    };
    for (const auto& b : bars) {
        const double field = b.length / b.fields;
        for (int i = 0; i < b.fields; ++i)
            ink.rect(x + i * field, b.y, field, 2.5, ink.pen(0.15),
                     i % 2 == 0 ? QBrush(Qt::black) : QBrush(Qt::white));
        // End ticks, so the bar's ends can be read against a rule.
        ink.line(x, b.y - 1, x, b.y + 3.5, ink.pen(0.2));
        ink.line(x + b.length, b.y - 1, x + b.length, b.y + 3.5, ink.pen(0.2));
        ink.text(ink.at(x + b.length + 4, b.y + 2.4), 2.4, b.caption, Text_Align::Left);
    }
}
