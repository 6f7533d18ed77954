#pragma once
// The shared field check: every numeric input is a text tested for Not Set (empty after
// trimming blanks), then Incorrectly Set (not a plain decimal number), then its range.
// Numbers are read independently of the user's locale.

#include "core/fields/field_failure.h"
#include "core/fields/vocabulary.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text without leading and trailing blanks.
std::string Trim_Blanks(std::string_view text);

// True when the whole text is a plain decimal number: optional sign, digits with an
// optional decimal point (at least one digit), optional exponent such as e3 or E-2.
bool Is_Plain_Number(std::string_view text);

// The value of a text that passed Is_Plain_Number once trimmed, rounded to single
// precision. A magnitude too large for a single becomes an infinite single of the same
// sign; one too small becomes zero. Never NaN.
float Number_Value(std::string_view text);

// The same in double precision, for figures that are no field of a window (the options of
// the flat patterns).
double Number_Value_Double(std::string_view text);

// The value rounded to the nearest integer, halves to even, when it fits a 16-bit signed
// integer; nothing otherwise (also for an infinite value).
std::optional<int16_t> Round_To_Int16(float value);

// A closed range and the message for a value outside it.
struct Field_Range {
    Bounds bounds;
    std::string title;
    std::string prompt;
};

// One numeric field of a window: its index, the titles of the Not Set and Incorrectly Set
// stages with their shared prompt, and its range when it has one of its own. Ranges that
// depend on other fields, or that word their two ends differently, are special checks of
// their operation.
struct Field_Rule {
    int16_t field = -1;
    std::string notSetTitle;
    std::string badTitle;
    std::string prompt;
    std::optional<Field_Range> range;
    FieldKind kind = FieldKind::Input;
};

// The rule in the words most fields use: "<name> Not Set", "<name> Incorrectly Set" and
// the prompt "Enter a value for the <promptName>".
Field_Rule Named_Rule(int16_t field, const std::string& name, const std::string& promptName,
                      std::optional<Field_Range> range = std::nullopt);

// A range titled "<name> Out of Range".
Field_Range Named_Range(const std::string& name, Bounds bounds, std::string prompt);

// Every stage of the rule on `text`: on success `value` holds the text's value. Not Set
// empties the field; Incorrectly Set and the range keep its text.
std::optional<Field_Failure> Check_Field(const Field_Rule& rule, std::string_view text,
                                         float& value);

// A failure of a special check (relational, or a range with its own wording): focus to
// the field, text kept.
Field_Failure Fail_At(int16_t field, std::string title, std::string prompt,
                      FieldKind kind = FieldKind::Input);

// True when the value lies outside the closed range lo..hi (infinity and NaN too).
inline bool Outside(float value, float lo, float hi) {
    return !(lo <= value && value <= hi);
}
