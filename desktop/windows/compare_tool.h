#pragma once
// Two designs side by side, in a window of their own: the design on screen (A) and the one
// of a design file (B), their outlines over each other on one scale and every diameter and
// length of both with A - B. The design window opens it for the results it shows and takes
// it down when they are hidden; its printed sheet carries the comparison while it is open.

#include "desktop/window_layer/win_form.h"
#include "desktop/windows/pipe_overlay.h"

class CmpTool : public Form {
public:
    struct Vars {};

    CmpTool();
    void Show_Comparison(const Pipe_Overlay& designs);

    CommandButton CloseCom{"CloseCom"};
    Pipe_Overlay_View* View = nullptr;
};
