#pragma once
// What the four calculator windows share: their colours, the look of their fields and
// commands, their tab order, and how they report a failed check. The checks and formulas
// themselves live in the pure operations beside each window.

#include "common/win_controls.h"
#include "common/win_failure.h"

#include <cstdint>
#include <initializer_list>

namespace Calc_Look {
inline constexpr uint32_t WindowColor = Rgb(255, 128, 128); // window, frames, labels
inline constexpr uint32_t FieldColor = Rgb(255, 255, 192);
inline constexpr uint32_t PanelColor = Rgb(255, 224, 192); // explanatory panel
inline constexpr uint32_t ReturnColor = Rgb(192, 192, 255);
inline constexpr uint32_t CalculateColor = Rgb(128, 255, 255);
} // namespace Calc_Look

// A light yellow input field whose accessible name is its label's caption.
void Create_Field(TextBox& t, Container& in, float left, float top, float width,
                  const Label& label);

// A label that shows a result line once a calculation succeeds; empty until then.
void Create_Result(Label& l, Container& in, float left, float top, float width);

// The command pair of every calculator: index 0 "Return to Front Screen", index 1
// "Calculate", each 1200 x 600 in its own colour.
void Create_Commands(Ctl_Array<CommandButton, 2>& com, Container& in, float left, float top0,
                     float top1, uint32_t calculateColor);

// Gives the controls tab indexes 0, 1, 2 ... in the order listed.
void Set_Tab_Order(std::initializer_list<Control*> order);
