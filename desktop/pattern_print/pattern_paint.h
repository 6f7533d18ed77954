#pragma once
// The one painted drawing of the flat patterns, on any QPainter: the printed set of pages
// (PDF writer or printer) and the sheet of pieces side by side (the window's preview).
// Every length is exact at full size on devices that report their true resolution.

#include "core/patterns/flat_pattern.h"
#include "core/patterns/pattern_layout.h"

#include <QPageLayout>

#include <string>
#include <vector>

class QPainter;
class QPagedPaintDevice;

// A page of the printed set: the paper in either orientation, without margins.
QPageLayout Pattern_Page_Layout(Paper paper, bool landscape);

// Paints the whole printed set onto a paged device whose painter is active on its first
// page, laid out as Pattern_Page_Layout(paper, false). Each later page's layout is set
// here, portrait or landscape; everything is placed from the paper's corner, so a printer
// must be in full-page mode.
void Paint_Pattern_Pages(QPagedPaintDevice& device, QPainter& painter, const Chamber_Patterns& set,
                         Paper paper);

// Paints the pieces as laid out for a screen, at `pxPerMm` pixels per millimetre, the
// sheet's top left corner at the origin: no figure blocks, and every line dark enough and at
// least 1.5 pixels wide to be seen at any scale.
void Paint_Pattern_Preview(QPainter& painter, const Chamber_Patterns& set,
                           const Sheet_Layout& layout, double pxPerMm);
