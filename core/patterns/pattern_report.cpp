#include "core/patterns/pattern_report.h"

#include "core/fields/numbers.h"
#include "core/patterns/pattern_fields.h"

using report::Json;

namespace {

Json Piece_Json(const Flat_Piece& p, Paper paper) {
    const Tile_Plan plan = Plan_Tiles(Fit_To_Paper(p, paper).frame, paper);
    Json j;
    j["section"] = p.section;
    j["role"] = p.role;
    j["piece"] = p.index;
    j["pieces"] = p.count;
    j["shape"] = p.sector ? "sector" : "rectangle";
    j["fromTube"] = p.fromTube;
    j["insideSmall"] = p.insideSmall;
    j["insideLarge"] = p.insideLarge;
    j["d"] = p.dSmall;
    j["D"] = p.dLarge;
    j["length"] = p.length;
    j["slant"] = p.slant;
    j["halfAngleDeg"] = p.halfAngle * 180 / Pi;
    if (p.sector) {
        j["outerRadius"] = p.rOuter;
        j["innerRadius"] = p.rInner;
        j["angleDeg"] = p.angle * 180 / Pi;
        j["coneAngleDeg"] = p.coneAngle * 180 / Pi;
    } else {
        j["width"] = p.rectWidth;
    }
    j["outerArc"] = p.outerArc;
    j["innerArc"] = p.innerArc;
    j["chord"] = p.chordOuter;
    j["innerChord"] = p.chordInner;
    j["seamAllowance"] = p.seam;
    j["box"] = {{"width", p.outline.width()}, {"height", p.outline.height()}};
    if (plan.pages() > 0)
        j["pages"] = {{"columns", plan.cols},
                      {"rows", plan.rows},
                      {"orientation", plan.landscape ? "landscape" : "portrait"}};
    else
        j["pages"] = nullptr; // too large to tile on paper
    return j;
}

} // namespace

Json Patterns_Json(const Chamber_Patterns& set, Paper paper) {
    // The options under their fields' keys, as the window and the command line take them.
    const Form_Words& words = Words_Of(Form_Key::Patterns);
    Json j;
    Json& options = j["options"];
    options[words.At(PatSheet)->key] = set.options.sheet;
    options[words.At(PatSeam)->key] = set.options.seam;
    options[words.At(PatPieces)->key] = set.options.pieces;
    options[words.choices.front().key] = Paper_Word(paper);
    const int pages = Pattern_Page_Count(set, paper);
    j["pdfPages"] = pages > 0 ? Json(pages) : Json(nullptr);
    j["pieces"] = Json::array();
    for (const auto& p : set.pieces)
        j["pieces"].push_back(Piece_Json(p, paper));
    j["omitted"] = Json::array();
    for (const auto& s : set.omitted)
        j["omitted"].push_back({{"section", s.name},
                                {"role", s.role},
                                {"length", s.length},
                                {"reason", Not_Cut_Sentence(s)}});
    return j;
}
