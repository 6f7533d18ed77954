#pragma once
// What the four calculator windows share beyond the fields, results and tab order of every
// window: their command pair. The checks and formulas themselves live in the
// pure operations beside each window.

#include "core/screen/palette.h"
#include "desktop/window_layer/win_controls.h"
#include "desktop/window_layer/win_fields.h"

#include <cstdint>
#include <initializer_list>

// The command pair of every calculator: index 0 "Return to Front Screen", index 1
// "Calculate", each 1200 x 600 in its own colour.
void Create_Commands(Ctl_Array<CommandButton, 2>& com, Container& in, float left, float top0,
                     float top1, uint32_t calculateColor);
