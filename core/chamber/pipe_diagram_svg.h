#pragma once
// The chamber diagram as SVG markup, for a page: every visible line, dot and caption of
// the diagram in its window colours, in twips, framed by the panel widened to everything
// visible. The web page shows it as the design window's picture box shows the controls.

#include "core/chamber/pipe_diagram.h"

#include <string>

// An <svg> element of class "diagram" with a title, its background a rectangle of class
// "diagram-back" so that a style sheet can give it the screen's or the paper's colour.
std::string Pipe_Diagram_Svg(const Pipe_Diagram& d, float panelWidth, float panelHeight);
