#pragma once
// The shared field check: every numeric input is a text tested for Not Set (empty after
// trimming blanks), then Incorrectly Set (not a plain decimal number), then its range.
// Numbers are read independently of the user's locale.

#include "common/field_failure.h"

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

// The value rounded to the nearest integer, halves to even, when it fits a 16-bit signed
// integer; nothing otherwise (also for an infinite value).
std::optional<int16_t> Round_To_Int16(float value);

// Texts of the first two stages of a field's check: the titles and their shared prompt.
struct Field_Texts {
    std::string notSetTitle;
    std::string badTitle;
    std::string prompt;
};

// Stages 1 and 2 of the field check on field `field`: on success `value` holds the text's
// value; otherwise the failure (Not Set empties the field, Incorrectly Set keeps it).
std::optional<Field_Failure> Read_Field(std::string_view text, int16_t field,
                                        const Field_Texts& texts, float& value,
                                        FieldKind kind = FieldKind::Input);

// Stage 3, a closed range: a failure when value < lo or value > hi (infinity fails too).
std::optional<Field_Failure> Check_Range(float value, float lo, float hi, int16_t field,
                                         const std::string& title, const std::string& prompt,
                                         FieldKind kind = FieldKind::Input);

// A failure of a relational check (or a range check with its own wording): focus to the
// field, text kept.
Field_Failure Fail_At(int16_t field, std::string title, std::string prompt,
                      FieldKind kind = FieldKind::Input);
