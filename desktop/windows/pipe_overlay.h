#pragma once
// Two pipes' outlines on one scale, one solid and one dashed in two colours, with a legend
// naming each and a scale in millimetres from the piston face: a measured pipe over the one
// designed for it, or two designs compared.

#include "core/chamber/design_pipeline.h"
#include "desktop/windows/picture_view.h"

#include <QString>

#include <optional>

struct Pipe_Overlay {
    Design_State a, b; // a solid, b dashed
    QString nameA, nameB;
};

// Paints the overlay into `area` (white is the caller's).
void Paint_Pipe_Overlay(QPainter& p, const QRectF& area, const Pipe_Overlay& pipes);

// Two designs compared: their overlay over the table of every diameter and length and the
// tuned length of both, with A - B, in two groups (diameters, lengths) side by side.
void Paint_Comparison(QPainter& p, const QRectF& area, const Pipe_Overlay& designs);

class Pipe_Overlay_View : public Picture_View {
public:
    using Picture_View::Picture_View;
    std::optional<Pipe_Overlay> pipes; // nothing drawn without
    bool withTable = false;            // the comparison's table under the pipes

protected:
    void Paint(QPainter& p) override;
};
