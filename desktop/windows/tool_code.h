#pragma once
// The module ToolCode: the program-wide flag that the Tools menu raises whenever it opens a
// calculator. A 16-bit Boolean: True = -1, False = 0.

#include <cstdint>

namespace ToolCode {
inline constexpr int16_t True = -1;
inline constexpr int16_t False = 0;

extern int16_t ToolJustOpened;

void Set_ToolJustOpened();
} // namespace ToolCode
