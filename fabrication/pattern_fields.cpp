#include "fabrication/pattern_fields.h"

#include "common/field_check.h"

#include <cmath>

namespace {
Field_Rule Rule(Pattern_Field field, const char* name, float lo, float hi,
                const std::string& rangePrompt) {
    return Named_Rule(field, name, name, Named_Range(name, lo, hi, rangePrompt));
}
} // namespace

std::array<std::string, 3> Default_Pattern_Texts() {
    const Pattern_Options defaults;
    return {Fixed(defaults.sheet, 1), Fixed(defaults.seam, 0), std::to_string(defaults.pieces)};
}

Outcome<Pattern_Options> Check_Pattern_Fields(const std::array<std::string, 3>& texts) {
    static const Field_Rule rules[3] = {
        Rule(PatSheet, "Sheet Thickness", Min_Sheet, Max_Sheet,
             "Enter a value between " + Fixed(Min_Sheet, 1) + " and " + Fixed(Max_Sheet, 1)),
        Rule(PatSeam, "Seam Allowance", 0, Max_Seam,
             "Enter a value between 0 and " + Fixed(Max_Seam, 0)),
        Rule(PatPieces, "Pieces per Cone", 1, Max_Pieces,
             "Enter a whole number between 1 and " + std::to_string(Max_Pieces)),
    };
    Outcome<Pattern_Options> out;
    double value[3] = {0, 0, 0};
    for (const Field_Rule& rule : rules) {
        // The first two stages as every field has them; the range on the double the
        // command line reads, so that both accept the same texts.
        Field_Rule stages = rule;
        stages.range.reset();
        const auto i = static_cast<size_t>(rule.field);
        float single = 0;
        if (auto f = Check_Field(stages, texts[i], single)) {
            out.failure = *f;
            return out;
        }
        static const double lowest[3] = {Min_Sheet, 0, 1};
        static const double highest[3] = {Max_Sheet, Max_Seam, Max_Pieces};
        value[i] = Number_Value_Double(texts[i]);
        const bool whole = rule.field != PatPieces || value[i] == std::floor(value[i]);
        if (!(value[i] >= lowest[i] && value[i] <= highest[i]) || !whole) {
            out.failure = Fail_At(rule.field, rule.range->title, rule.range->prompt);
            return out;
        }
    }
    out.value =
        Pattern_Options{value[PatSheet], value[PatSeam], static_cast<int>(value[PatPieces])};
    return out;
}
