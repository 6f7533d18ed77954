#pragma once
// Graphical controls that their container paints itself: lines, rectangles, dots and
// painted labels. Plain data, standard library only, so that code which places them (the
// chamber diagram, for one) stays a pure computation that tests can check exactly.
// Positions are twips in the container's coordinates, stored in single precision.
// Colours are 24-bit values written &H00BBGGRR.

#include "core/screen/palette.h"

#include <cstdint>
#include <string>

// Line and border styles.
inline constexpr int16_t Style_Solid = 1;
inline constexpr int16_t Style_Dot = 3;

struct LineShape {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = true;
    int16_t BorderStyle = Style_Solid;
    int16_t BorderWidth = 1; // pixels
    uint32_t BorderColor = 0x000000;
};

// A rectangle; filled with BackColor when Opaque, outlined in BorderColor.
struct RectShape {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    bool Opaque = true;
    uint32_t BackColor = 0xFFFFFF;
    uint32_t BorderColor = 0x000000;
};

// A small filled circle inside the box Left, Top, Width, Height.
struct DotShape {
    float Left = 0, Top = 0, Width = 72, Height = 72;
    bool Visible = true;
    uint32_t FillColor = 0x000000;
};

// A one-line caption on an opaque background, text at its top left.
struct PaintedLabel {
    float Left = 0, Top = 0, Width = 255, Height = 255;
    std::string Caption;
    bool Visible = true;
    uint32_t BackColor = 0xFFFFFF;
    uint32_t ForeColor = 0x000000;
};
