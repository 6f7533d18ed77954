#pragma once
// What the pictures against crank angle share (the port map's open areas, the returning
// wave and its speed map): the plot's frame, the events as dashed lines named above it, and
// the crank angles every 90 degrees under it with the axis' caption.

#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

using Crank_Events = std::vector<std::pair<QString, double>>; // name, degrees after TDC

// The x of a crank angle in a plot that spans one turn from `from`.
double Crank_X(const QRectF& plot, double from, double deg);

// Draws the frame, the events and the axis of a plot spanning one turn from `from`, in the
// painter's font; an event's name stays inside the plot's width.
void Paint_Crank_Axis(QPainter& p, const QRectF& plot, double from, const Crank_Events& events);
