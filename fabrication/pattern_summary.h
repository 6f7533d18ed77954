#pragma once
// The first page of the printed pattern set: the design's dimensions as the design window
// shows them, a side view, the cut list of every piece and how to use the pages.

#include "fabrication/pattern_ink.h"
#include "fabrication/pattern_layout.h"

void Paint_Summary_Page(Ink& ink, const Chamber_Patterns& set, Paper paper, int pageCount);
