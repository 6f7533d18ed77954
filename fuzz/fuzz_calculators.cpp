// The four calculators from any texts and choices: a result is finite and not negative and
// its text shows no "nan", "inf" or negative zero; a failure names a field of the window.
// FUZZ_CALCULATOR chooses the calculator: 1 BMEP, 2 port height, 3 rectangular port,
// 4 profiled port.

#include "core/calculators/bmep_calc.h"
#include "core/calculators/port_height_calc.h"
#include "core/calculators/prof_port_calc.h"
#include "core/calculators/rect_port_calc.h"
#include "fuzz/fuzz_input.h"

#include <cmath>

namespace {
void Check_Failure(const std::optional<Field_Failure>& f, int fields) {
    if (!f)
        return;
    const int most = f->kind == FieldKind::Ordinate ? 10 : fields - 1;
    Require(f->field >= 0 && f->field <= most, "focus in range", f->title);
    Require_Shown(f->prompt, "a failure's prompt");
}

void Check_Result(float value, const std::string& text) {
    Require(std::isfinite(value) && value >= 0, "a result", text);
    Require_Shown(text, "a result line");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz_Input in(data, size);
#if FUZZ_CALCULATOR == 1
    Bmep_Inputs b;
    b.Power_In_Hp = in.Byte() & 1;
    in.Fill(b.BHP_Txt);
    const auto r = Calc_Bmep(b);
    Check_Failure(r.failure, 4);
    if (r.ok())
        Check_Result(r.value.BMEP, Bmep_Result_Text(r.value.BMEP));
#elif FUZZ_CALCULATOR == 2
    PrtHgt_Inputs h;
    in.Fill(h.HghtTxt);
    const auto r = Calc_PrtHgt(h);
    Check_Failure(r.failure, 4);
    if (r.ok())
        Check_Result(r.value, PrtHgt_Result_Text(r.value));
#elif FUZZ_CALCULATOR == 3
    RectPrt_Inputs p;
    in.Fill(p.DiamTxt);
    const auto r = Calc_RectPrt(p);
    Check_Failure(r.failure, 4);
    if (r.ok())
        Check_Result(r.value.D, RectPrt_Result_Text(r.value.D));
#else
    ProfPrt_Inputs p;
    p.BridgedPair = in.Byte() & 1;
    in.Fill(p.ProfTxt);
    in.Fill(p.OrdTxt);
    const auto r = Calc_ProfPrt(p);
    Check_Failure(r.failure, 6);
    if (r.ok() && p.BridgedPair) {
        Check_Result(r.value.dC, ProfPrt_Constant_Text(r.value.dC));
        Check_Result(r.value.dW, ProfPrt_Widened_Text(r.value.dW));
    } else if (r.ok()) {
        Check_Result(r.value.d, ProfPrt_Single_Text(r.value.d));
    }
#endif
    return 0;
}
