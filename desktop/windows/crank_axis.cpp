#include "desktop/windows/crank_axis.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

double Crank_X(const QRectF& plot, double from, double deg) {
    return plot.left() + plot.width() * (deg - from) / 360;
}

void Paint_Crank_Axis(QPainter& p, const QRectF& plot, double from, const Crank_Events& events) {
    const QFontMetrics fm(p.font());
    p.setPen(Qt::black);
    p.drawRect(plot);
    for (const auto& [name, deg] : events) {
        const double x = Crank_X(plot, from, deg);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Qt::black);
        const double left = std::clamp(x - fm.horizontalAdvance(name) / 2.0, plot.left() + 2,
                                       plot.right() - fm.horizontalAdvance(name) - 2);
        p.drawText(QPointF(left, plot.top() - 4), name);
    }
    for (double deg = std::ceil(from / 90) * 90; deg <= from + 360; deg += 90) {
        const QString a = QString::number(deg);
        p.drawText(QPointF(Crank_X(plot, from, deg) - fm.horizontalAdvance(a) / 2.0,
                           plot.bottom() + fm.height()),
                   a);
    }
    const QString axis = QStringLiteral("crank angle (degrees after TDC)");
    p.drawText(QPointF(plot.center().x() - fm.horizontalAdvance(axis) / 2.0,
                       plot.bottom() + 2 * fm.height()),
               axis);
}
