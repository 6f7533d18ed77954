// The flat-pattern geometry and its tiling from any numbers: a section of any sizes is
// developed without a fault, and a frame of any size is either tiled into a sensible number
// of pages or refused.

#include "core/patterns/pattern_layout.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/pattern_options.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz_Input in(data, size);
    const Box frame{in.Number(), in.Number(), in.Number(), in.Number()};
    for (Paper paper : {Paper::A4, Paper::Letter}) {
        const Tile_Plan plan = Plan_Tiles(frame, paper);
        Require(plan.pages() >= 0 && plan.rows <= Most_Tiles_Along && plan.cols <= Most_Tiles_Along,
                "tile counts");
        if (plan.pages() > 0)
            Require(std::isfinite(plan.x0) && std::isfinite(plan.y1), "tiled span");
    }
    const int tiles = Tiles_Along(in.Number(), in.Number(), in.Number());
    Require(tiles >= 0 && tiles <= Most_Tiles_Along, "tiles along");

    const Chamber_Section s{"L2", "diffuser stage 1", (in.Byte() & 1) != 0, "",
                            "",   in.Number(),        in.Number(),          in.Number()};
    const Pattern_Options opt = Fuzz_Pattern_Options(in.Byte());
    const bool sensible = std::isfinite(s.insideIn) && std::isfinite(s.insideOut) &&
                          std::isfinite(s.length) && s.insideIn > 0 && s.insideOut > 0 &&
                          s.length > 0 && s.insideIn < 1e6 && s.insideOut < 1e6 && s.length < 1e6;
    if (!sensible)
        return 0; // the design's checks never let such a section through
    for (const Flat_Piece& p : Develop_Section(s, opt)) {
        Require(std::isfinite(p.outline.width()) && std::isfinite(p.outline.height()), "outline");
        for (const Pattern_Text& t : p.figures)
            Require_Shown(t.text, "a figure block");
        Plan_Tiles(Fit_To_Paper(p, Paper::A4).frame, Paper::A4);
    }
    return 0;
}
