// The design pipeline from any texts and choices, then the flat patterns of every design
// it accepts: accepted values are finite and positive and are the C reading of their texts,
// the focus names a field, no shown text holds "nan", "inf" or a negative zero, and every
// piece has finite figures and fits on paper.

#include "core/chamber/design_pipeline.h"
#include "core/fields/field_check.h"
#include "core/patterns/pattern_layout.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/pattern_options.h"

#include <cmath>

namespace {
void Check_Value(float value, const std::string& text, const char* what) {
    Require(std::isfinite(value) && value > 0, what, text);
    Require(value == std::strtof(Trim_Blanks(text).c_str(), nullptr), "value is the C reading",
            text);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz_Input in(data, size);
    Design_Form form;
    form.Diffuser = static_cast<Diffuser_Type>(in.Byte() % 3);
    form.TempSource = static_cast<Value_Source>(in.Byte() % 3);
    form.CoefSource = static_cast<Value_Source>(in.Byte() % 3);
    const uint8_t options = in.Byte();
    in.Fill(form.Texh);

    const Outcome<Chamber_Design> run = Calc_Design(form);
    for (const Field_Warning& w : run.warnings)
        Require(w.field == TexhD1, "a warning names the flange field");
    if (!run.ok()) {
        const Field_Failure& f = *run.failure;
        Require(f.field >= -1 && f.field <= 9, "focus in range", f.title);
        Require(!f.clearField || Trim_Blanks(form.Texh[static_cast<size_t>(f.field)]).empty(),
                "only an empty field is emptied", f.title);
        Require_Shown(f.prompt, "a failure's prompt");
        return 0;
    }
    const Chamber_Design& d = run.value;
    Check_Value(d.input.PrtDiam, form.Texh[TexhDX], "DX");
    Check_Value(d.input.FlangeDiam, form.Texh[TexhD1], "D1");
    Check_Value(d.input.PrtLnth, form.Texh[TexhLX], "LX");
    Check_Value(d.input.OpenAngle, form.Texh[TexhAngle], "opening angle");
    Check_Value(d.input.EngineSpeed, form.Texh[TexhSpeed], "engine speed");
    Require(std::isfinite(d.result.ETotal) && d.result.ETotal > 0, "tuned length");
    for (int i = 0; i <= d.result.Numdiam; ++i)
        Require(std::isfinite(d.result.Diam[i]) && d.result.Diam[i] > 0, "diameter");
    for (int j = 1; j <= d.result.Numlen; ++j)
        Require(std::isfinite(d.result.Lnth[j]) && d.result.Lnth[j] > 0, "length");
    const Result_Table t = Make_Result_Table(d.state);
    for (const std::string& s : {t.PrtDia, t.PrtLth, t.TexTotLth})
        Require_Shown(s, "a result");
    for (const auto* rows : {&t.Texdiam, &t.Texlen})
        for (const std::string& s : *rows)
            Require_Shown(s, "a result");

    const Pattern_Options opt = Fuzz_Pattern_Options(options);
    const Chamber_Patterns set = Make_Chamber_Patterns(d, opt);
    for (const Flat_Piece& p : set.pieces) {
        for (double v : {p.dSmall, p.dLarge, p.length, p.slant, p.outerArc, p.innerArc})
            Require(std::isfinite(v) && v > 0, "piece figure", p.section);
        for (const Pattern_Text& text : p.figures)
            Require_Shown(text.text, "a figure block");
        for (Paper paper : {Paper::A4, Paper::Letter})
            Require(Plan_Tiles(Fit_To_Paper(p, paper).frame, paper).pages() > 0, "tiled",
                    p.section);
    }
    Require(set.pieces.size() + set.omitted.size() >= set.sections.size(), "every section");
    return 0;
}
