#pragma once
// The port map's two pictures, as data and as SVG for a page: the open area of each port
// group against crank angle, from TDC to TDC, with the events marked (EO, TO, BDC, TC, EC)
// and the blowdown shaded; and the ports themselves at their widths, roof heights and top
// radii, side by side, with the barrel top and the crown at TDC and at BDC.

#include "core/calculators/port_map.h"

#include <string>
#include <utility>
#include <vector>

// The colour a group is drawn in, "#rrggbb".
const char* Port_Group_Colour(size_t group);

struct Open_Area_Chart {
    using Points = std::vector<std::pair<double, double>>; // degrees ATDC, mm^2
    struct Curve {
        size_t group; // Port_Group
        Points points;
    };
    struct Event {
        const char* name;
        double angle;
    };
    std::vector<Curve> curves; // the groups given, each as count x open area
    Points blowdown;           // the exhausts' area from EO to TO, closed along the axis
    std::vector<Event> events; // in crank order
    double largest = 0;        // the largest open area of any group
};

Open_Area_Chart Chart_Open_Areas(const Port_Map_Figures& figures);

// An <svg> element of class "port-chart", scaled to its width, with a title and a legend.
std::string Open_Area_Chart_Svg(const Open_Area_Chart& chart);

struct Port_Outlines {
    using Points = std::vector<std::pair<double, double>>; // mm across, mm below the barrel top
    struct Port {
        size_t group;   // Port_Group
        Points outline; // up one side, over the rounded roof, down the other
    };
    std::vector<Port> ports; // each group's ports side by side, groups in order
    double width = 0;        // of the row of ports
    double deck = 0;         // the crown at TDC
    double bdc = 0;          // the crown at BDC: deck + stroke
};

Port_Outlines Outline_Ports(const Port_Map_Figures& figures);

// An <svg> element of class "port-outlines", scaled to its width, with a title and a legend.
std::string Port_Outlines_Svg(const Port_Outlines& outlines);
