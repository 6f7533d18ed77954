#include "core/fields/field_check.h"

#include <fast_float/fast_float.h>

#include <cmath>

std::string Trim_Blanks(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    return std::string(text.substr(b, e - b));
}

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Position of the first character after a plain decimal number starting at `pos`, or
// npos when no such number starts there.
size_t plainNumberEnd(std::string_view t, size_t pos) {
    size_t i = pos;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < t.size() && isDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::string_view::npos;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        size_t expDigits = 0;
        while (j < t.size() && isDigit(t[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::string_view::npos;
        i = j;
    }
    return i;
}
} // namespace

bool Is_Plain_Number(std::string_view text) {
    return !text.empty() && plainNumberEnd(text, 0) == text.size();
}

namespace {
// The value of a plain decimal number, correctly rounded to T; out of T's range, infinity
// or zero of the text's sign. fast_float rounds to nearest, ties to even, on every digit
// however many there are, and ignores the locale.
template <typename T> T Decimal_Value(std::string_view text) {
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    const size_t end = plainNumberEnd(t, 0);
    if (end == std::string_view::npos)
        return T(0);
    t = t.substr(0, end);
    const bool negative = t.front() == '-';
    std::string_view digits = t;
    if (digits.front() == '+' || digits.front() == '-')
        digits.remove_prefix(1);
    T value = 0;
    fast_float::from_chars(digits.data(), digits.data() + digits.size(), value);
    return negative ? -value : value;
}
} // namespace

float Number_Value(std::string_view text) {
    return Decimal_Value<float>(text);
}

double Number_Value_Double(std::string_view text) {
    return Decimal_Value<double>(text);
}

std::optional<int16_t> Round_To_Int16(float value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(static_cast<double>(value)); // ties to even
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<int16_t>(r);
}

Field_Rule Named_Rule(int16_t field, const std::string& name, const std::string& promptName,
                      std::optional<Field_Range> range) {
    return {field,
            name + " Not Set",
            name + " Incorrectly Set",
            "Enter a value for the " + promptName,
            std::move(range),
            FieldKind::Input};
}

Field_Range Named_Range(const std::string& name, Bounds bounds, std::string prompt) {
    return {bounds, name + " Out of Range", std::move(prompt)};
}

std::optional<Field_Failure> Check_Field(const Field_Rule& rule, std::string_view text,
                                         float& value) {
    const std::string trimmed = Trim_Blanks(text);
    if (trimmed.empty())
        return Field_Failure{rule.notSetTitle, rule.prompt, rule.field, true, rule.kind};
    if (!Is_Plain_Number(trimmed))
        return Field_Failure{rule.badTitle, rule.prompt, rule.field, false, rule.kind};
    value = Number_Value(trimmed);
    if (rule.range && Outside(value, rule.range->bounds.lo, rule.range->bounds.hi))
        return Fail_At(rule.field, rule.range->title, rule.range->prompt, rule.kind);
    return std::nullopt;
}

Field_Failure Fail_At(int16_t field, std::string title, std::string prompt, FieldKind kind) {
    return Field_Failure{std::move(title), std::move(prompt), field, false, kind};
}
