#include "core/patterns/pattern_fields.h"

#include "core/fields/field_check.h"
#include "core/fields/vocabulary.h"

#include <cctype>
#include <cmath>

namespace {
const Form_Words& Words() {
    return Words_Of(Form_Key::Patterns);
}

Field_Rule Rule(Pattern_Field field, const char* name, const std::string& rangePrompt) {
    return Named_Rule(field, name, name,
                      Named_Range(name, Bounds_Of(Form_Key::Patterns, field), rangePrompt));
}

const Choice_Group& Paper_Choice() {
    return Words().choices.front();
}
} // namespace

std::array<std::string, 3> Default_Pattern_Texts() {
    std::array<std::string, 3> texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = Words().At(static_cast<int16_t>(i))->opening;
    return texts;
}

Outcome<Pattern_Options> Check_Pattern_Fields(const std::array<std::string, 3>& texts) {
    static const Field_Rule rules[3] = {
        Rule(PatSheet, "Sheet Thickness", "Enter a value between 0.3 and 3.0"),
        Rule(PatSeam, "Seam Allowance", "Enter a value between 0 and 20"),
        Rule(PatPieces, "Pieces per Cone", "Enter a whole number between 1 and 4"),
    };
    Outcome<Pattern_Options> out;
    double value[3] = {0, 0, 0};
    for (const Field_Rule& rule : rules) {
        // The first two stages as every field has them; the range on the value in double
        // precision, as the patterns use it.
        Field_Rule stages = rule;
        stages.range.reset();
        const auto i = static_cast<size_t>(rule.field);
        float single = 0;
        if (auto f = Check_Field(stages, texts[i], single)) {
            out.failure = *f;
            return out;
        }
        const Bounds b = rule.range->bounds;
        value[i] = Number_Value_Double(texts[i]);
        const bool whole = rule.field != PatPieces || value[i] == std::floor(value[i]);
        if (!(value[i] >= b.exactLo && value[i] <= b.exactHi) || !whole) {
            out.failure = Fail_At(rule.field, rule.range->title, rule.range->prompt);
            return out;
        }
    }
    out.value =
        Pattern_Options{value[PatSheet], value[PatSeam], static_cast<int>(value[PatPieces])};
    return out;
}

std::optional<Paper> Paper_Of(const std::string& word) {
    std::string lower = word;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto& words = Paper_Choice().words;
    if (lower == words[0].word)
        return Paper::A4;
    if (lower == words[1].word)
        return Paper::Letter;
    return std::nullopt;
}

const char* Paper_Word(Paper paper) {
    return Paper_Choice().words[paper == Paper::A4 ? 0 : 1].word;
}
