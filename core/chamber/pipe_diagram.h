#pragma once
// The chamber diagram as data: the line, dot and label controls that stand on the design
// window's picture box PipPic, with their end points and positions in twips, visible
// flags and line styles. Draw_Pipe places them for a computed chamber; the window's
// picture box paints them. Standard library only, so the coordinates can be tested
// exactly.

#include "core/chamber/design_pipeline.h"
#include "core/screen/win_shapes.h"

#include <array>

// The height of the panel the diagram stands in, twips.
inline constexpr float Diagram_Panel_Height = 2700;

struct Pipe_Diagram {
    LineShape Dprt;                   // the exhaust port
    LineShape LPrt;                   // lower edge of the barrel exhaust duct
    std::array<LineShape, 8> LDia;    // diameter lines at the flange and each section end
    std::array<LineShape, 7> LTop;    // upper outline of each section
    std::array<LineShape, 7> LBot;    // lower outline of each section
    std::array<LineShape, 9> Lv;      // length extension lines above the chamber
    std::array<PaintedLabel, 7> LLab; // "L1" .. "L7"
    std::array<LineShape, 5> Dv;      // diameter leaders below the chamber
    std::array<DotShape, 5> DDot;     // where each leader meets the chamber
    std::array<PaintedLabel, 5> DLab; // "D1" .. "D5"
    LineShape Dx;                     // leader from the port's lower end
    DotShape DxDot;
    PaintedLabel DXLab;               // "DX"
    LineShape Lx;                     // slanted leader from the middle of the port
    std::array<PaintedLabel, 2> XLab; // "Exhaust", "Port"
    DotShape DotXA;                   // in the gap of the duct length LX
    LineShape LXA;                    // slanted leader from DotXA
    PaintedLabel LXLab;               // "LX"

    // Every control at its design position, captions and styles set, labels on the given
    // background colour.
    explicit Pipe_Diagram(uint32_t labelBackColor);
};

// Places the diagram for the design window's form-level values (ThreeStage, PrtDiam,
// PrtLnth, ETotal, Diam, Lnth), in a panel `panelWidth` twips wide: every position, the
// visibility of the eight controls used only by a three-stage diffuser, and the style of
// LDia(6). Sets no caption.
void Draw_Pipe(const Design_State& in, float panelWidth, Pipe_Diagram& d);
