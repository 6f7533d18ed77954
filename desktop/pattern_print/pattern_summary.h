#pragma once
// The first page of the printed pattern set: the design's dimensions as the design window
// shows them, a side view, the cut list of every piece and how to use the pages.

#include "core/patterns/pattern_layout.h"
#include "desktop/pattern_print/pattern_ink.h"

void Paint_Summary_Page(Ink& ink, const Chamber_Patterns& set, Paper paper, int pageCount);
