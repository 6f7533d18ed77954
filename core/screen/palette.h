#pragma once
// The look every window and every drawing shares: its colours and its font family.
// Colours are 24-bit values written &H00BBGGRR (blue, green, red).

#include <cstdint>

// Colour from red, green and blue, as &H00BBGGRR.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

namespace Palette {
inline constexpr uint32_t Salmon = Rgb(255, 128, 128);     // work windows, frames, labels
inline constexpr uint32_t Field = Rgb(255, 255, 192);      // every input and result box
inline constexpr uint32_t Note = Rgb(255, 224, 192);       // notes and explanatory panels
inline constexpr uint32_t Cyan = Rgb(0, 255, 255);         // "Calculate" (design, BMEP)
inline constexpr uint32_t Light_Cyan = Rgb(128, 255, 255); // "Calculate" (other calculators)
inline constexpr uint32_t Lilac = Rgb(192, 192, 255);      // "Return to Front Screen"
inline constexpr uint32_t Pink = Rgb(255, 192, 255);       // "Print"
inline constexpr uint32_t Rule_Grey = Rgb(192, 192, 192);  // rules of the result table
inline constexpr uint32_t Button_Grey = Rgb(192, 192, 192);
inline constexpr uint32_t Dark_Red = Rgb(192, 0, 0); // the front screen
inline constexpr uint32_t White = Rgb(255, 255, 255);
inline constexpr uint32_t Black = Rgb(0, 0, 0);
} // namespace Palette

// The program's font family, installed with the program (fonts-liberation2): the windows,
// the printed sheet and the flat patterns all use it.
inline constexpr const char* Font_Family = "Liberation Sans";
