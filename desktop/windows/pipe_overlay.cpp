#include "desktop/windows/pipe_overlay.h"

#include "core/chamber/pipe_check.h"
#include "core/chamber/pipe_waves.h"
#include "core/fields/display_format.h"
#include "desktop/window_layer/win_geometry.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
const QColor Solid_Colour(11, 61, 145), Dashed_Colour(192, 57, 43);
} // namespace

void Paint_Pipe_Overlay(QPainter& p, const QRectF& area, const Pipe_Overlay& pipes) {
    const std::vector<Pipe_Station> a = Pipe_Stations(pipes.a), b = Pipe_Stations(pipes.b);
    double length = std::max(a.back().x, b.back().x), widest = 0;
    for (const auto* pipe : {&a, &b}) {
        for (const Pipe_Station& s : *pipe) {
            widest = std::max(widest, s.diameter);
        }
    }
    p.setFont(Win_Font(8));
    const QFontMetrics fm(p.font());
    const double margin = 8, legend = 2.0 * fm.height() + 6, axis = 2.0 * fm.height() + 6;
    const QRectF plot(area.left() + margin, area.top() + margin + legend, area.width() - 2 * margin,
                      area.height() - 2 * margin - legend - axis);
    const double scale = std::min(plot.width() / std::max(length, 1.0), plot.height() / widest);
    const double mid = plot.top() + widest * scale / 2;
    const auto at = [&](double x, double r) {
        return QPointF(plot.left() + x * scale, mid + r * scale);
    };
    const auto outline = [&](const std::vector<Pipe_Station>& pipe) {
        QPainterPath d(at(0, pipe.front().diameter / 2));
        for (const Pipe_Station& s : pipe) {
            d.lineTo(at(s.x, -s.diameter / 2));
        }
        for (auto s = pipe.rbegin(); s != pipe.rend(); ++s) {
            d.lineTo(at(s->x, s->diameter / 2));
        }
        d.closeSubpath();
        return d;
    };
    const QPen solid(Solid_Colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    QPen dashed(Dashed_Colour, 2, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
    dashed.setDashPattern({4.5, 3});
    p.setRenderHint(QPainter::Antialiasing, true);
    p.strokePath(outline(a), solid);
    p.strokePath(outline(b), dashed);
    p.setRenderHint(QPainter::Antialiasing, false);

    // The legend over the pipes, the scale under them.
    p.setPen(Qt::black);
    const struct {
        const QPen* pen;
        QString text;
    } keys[] = {{&solid, QStringLiteral("A: ") + pipes.nameA},
                {&dashed, QStringLiteral("B: ") + pipes.nameB}};
    for (int i = 0; i < 2; ++i) {
        const double y = area.top() + margin + fm.height() * (i + 0.5);
        p.setPen(*keys[i].pen);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.left() + 36, y));
        p.setPen(Qt::black);
        p.drawText(
            QPointF(plot.left() + 44, y + fm.ascent() / 2.0 - 1),
            fm.elidedText(keys[i].text, Qt::ElideRight, static_cast<int>(plot.width() - 44)));
    }
    double step = 50;
    for (double s : {100.0, 200.0, 500.0, 1000.0}) {
        if (length / step > 10) {
            step = s;
        }
    }
    const double axisY = mid + widest * scale / 2 + 6;
    p.drawLine(at(0, 0).x(), axisY, at(length, 0).x(), axisY);
    for (double t = 0; t <= length + 1e-9; t += step) {
        const double x = at(t, 0).x();
        p.drawLine(QPointF(x, axisY), QPointF(x, axisY + 4));
        const QString label = QString::fromStdString(Short_Fixed(t, 0));
        p.drawText(QPointF(x - fm.horizontalAdvance(label) / 2.0, axisY + 4 + fm.ascent()), label);
    }
    const QString unit = QStringLiteral("mm from the piston face");
    p.drawText(
        QPointF(plot.right() - fm.horizontalAdvance(unit), axisY + 4 + fm.height() + fm.ascent()),
        unit);
}

void Paint_Comparison(QPainter& p, const QRectF& area, const Pipe_Overlay& designs) {
    const std::vector<Compare_Row> rows = Compare_Designs(designs.a, designs.b);
    p.setFont(Win_Font(8));
    const QFontMetrics fm(p.font());
    const double line = fm.height() + 1;
    // Diameters on the left, lengths and the tuned length on the right.
    std::vector<const Compare_Row*> groups[2];
    for (const Compare_Row& r : rows) {
        groups[r.name[0] == 'L' || r.name[0] == 'T' ? 1 : 0].push_back(&r);
    }
    const double tableHeight = line * static_cast<double>(groups[1].size() + 1) + 8;
    Paint_Pipe_Overlay(
        p, QRectF(area.left(), area.top(), area.width(), area.height() - tableHeight), designs);
    const double nameWidth = fm.horizontalAdvance(QStringLiteral("Tuned length")) + 12;
    const double figure = fm.horizontalAdvance(QStringLiteral("-0000.0")) + 16;
    const double groupWidth = nameWidth + 3 * figure + 24;
    const double left0 = area.left() + std::max(8.0, (area.width() - 2 * groupWidth) / 2);
    const double top = area.bottom() - tableHeight + fm.ascent();
    const QString heads[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A - B")};
    p.setPen(Qt::black);
    for (int g = 0; g < 2; ++g) {
        const double left = left0 + g * groupWidth;
        for (int c = 0; c < 3; ++c) {
            const double right = left + nameWidth + figure * (c + 1);
            p.drawText(QPointF(right - fm.horizontalAdvance(heads[c]), top), heads[c]);
        }
        for (size_t i = 0; i < groups[g].size(); ++i) {
            const Compare_Row& r = *groups[g][i];
            const double y = top + line * static_cast<double>(i + 1);
            p.drawText(QPointF(left, y), QString::fromStdString(r.name));
            const std::optional<double>* cells[] = {&r.a, &r.b, &r.difference};
            for (int c = 0; c < 3; ++c) {
                const QString t = *cells[c]
                                      ? QString::fromStdString(Format_Number(**cells[c], "###0.0"))
                                      : QStringLiteral("-");
                const double right = left + nameWidth + figure * (c + 1);
                p.drawText(QPointF(right - fm.horizontalAdvance(t), y), t);
            }
        }
    }
}

void Pipe_Overlay_View::Paint(QPainter& p) {
    if (pipes) {
        withTable ? Paint_Comparison(p, rect(), *pipes) : Paint_Pipe_Overlay(p, rect(), *pipes);
    }
}
