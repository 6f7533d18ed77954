#pragma once
// The two pictures of the returning wave: one speed's curve against crank angle with the
// events, and the map of speed against crank angle coloured by pressure (suction blue,
// plugging red) with the paths of the suction trough and the plugging peak across the
// speeds. As data that a window paints, and as SVG for the page and for files.

#include "core/chamber/pipe_waves.h"

#include <cstdint>
#include <string>
#include <vector>

struct Wave_Rgb {
    uint8_t r = 255, g = 255, b = 255;
};

// The colour of a pressure on the map's diverging scale: white at zero, full blue for
// suction and full red for plugging at `largest`.
Wave_Rgb Wave_Colour(double pressure, double largest);

// The map as an image: a column per crank angle, a row per speed, the fastest at the top;
// with a stride of 2, every other angle and speed (the first and the last always).
struct Wave_Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // row by row, three bytes a pixel
    double largest = 0;       // the largest |pressure|: the scale's ends
};
Wave_Image Map_Image(const Wave_Map& map, size_t stride = 1);

// The crank angle of each speed's suction trough (lowest point) and plugging peak (highest).
struct Wave_Paths {
    std::vector<double> trough, peak;
};
Wave_Paths Trough_And_Peak(const Wave_Map& map);

// A PNG file of the image (uncompressed).
std::string Png_Of(const Wave_Image& image);

// What the map says of the speed at which the plugging peak reaches EC.
std::string Plug_Speed_Text(const Wave_Map& map);
extern const char* const Plug_Speed_Note;

// An <svg> element of class "wave-curve": the curve of the map's row `row`.
std::string Wave_Curve_Svg(const Wave_Map& map, size_t row);
// An <svg> element of class "wave-map", the design speed marked.
std::string Wave_Map_Svg(const Wave_Map& map, double designRpm);
// A whole SVG file: `title` and the model's words over the curve (the only row of `curve`)
// and the map.
std::string Wave_Sheet_Svg(const std::string& title, const Wave_Map& curve, const Wave_Map& map,
                           double designRpm);
