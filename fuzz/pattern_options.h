#pragma once
// Flat-pattern options inside their accepted ranges from one byte of the fuzzer's: sheet
// thickness in steps of 0.1 mm from the thinnest, seam allowance 0 to 20 mm in steps of 5,
// every count of pieces per cone.

#include "core/fields/vocabulary.h"
#include "core/patterns/pattern_fields.h"

#include <cstdint>

inline Pattern_Options Fuzz_Pattern_Options(uint8_t o) {
    const Bounds sheet = Bounds_Of(Form_Key::Patterns, PatSheet);
    const int pieces = static_cast<int>(Bounds_Of(Form_Key::Patterns, PatPieces).hi);
    return {sheet.exactLo + (o % 28) * 0.1, (o % 5) * 5.0, 1 + o % pieces};
}
