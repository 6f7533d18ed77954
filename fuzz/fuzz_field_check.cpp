// The field check on any text: a text is a number exactly when it is a plain decimal, and
// its value is then the C library's reading of it in the C locale, to the bit; the picture
// formats never show "nan", "inf" or a negative zero.

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "fuzz/fuzz_input.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz_Input in(data, size);
    const std::string text = in.Text();
    const std::string trimmed = Trim_Blanks(text);
    if (Is_Plain_Number(trimmed)) {
        const float value = Number_Value(text);
        const float c = std::strtof(trimmed.c_str(), nullptr); // the program runs in "C"
        Require(std::memcmp(&value, &c, sizeof c) == 0, "value equals the C reading", text);
        Require(Number_Value_Double(text) == std::strtod(trimmed.c_str(), nullptr),
                "double value equals the C reading", text);
    }
    static const char* const pictures[] = {"#0.0",   "##0.0", "###0.0", "#0.00",
                                           "##0.00", "#0.0#", "#0",     "0.0000000000000000"};
    const double v = in.Number();
    const std::string shown = Format_Number(v, pictures[in.Byte() % 8]);
    if (std::isfinite(v))
        Require_Shown(shown, "a formatted number");
    else
        Require(shown.empty(), "no text for a value that is no number");
    return 0;
}
