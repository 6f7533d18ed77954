#pragma once
// The outcome of a failed check, as the pure check-and-compute operations return it.
// The window shows the box and moves the focus; the operations never touch a window.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// A line break inside a message prompt: carriage return + line feed.
inline constexpr const char* CrLf = "\r\n";

// Which array of fields the focus index refers to. Only the profiled-port calculator
// has a second array (its ordinate fields); everything else uses Input.
enum class FieldKind { Input, Ordinate };

struct Field_Failure {
    std::string title;
    std::string prompt;
    int16_t field = -1;      // index into the window's field array; -1: the focus does not move
    bool clearField = false; // true exactly for the Not Set stage: the field's text is emptied
    FieldKind kind = FieldKind::Input;

    bool operator==(const Field_Failure& o) const {
        return title == o.title && prompt == o.prompt && field == o.field &&
               clearField == o.clearField && kind == o.kind;
    }
};

// Either the first failure of a check sequence or the computed value.
template <typename T> struct Outcome {
    std::optional<Field_Failure> failure;
    T value{};

    bool ok() const { return !failure.has_value(); }
    static Outcome fail(Field_Failure f) {
        Outcome o;
        o.failure = std::move(f);
        return o;
    }
    static Outcome success(T v) {
        Outcome o;
        o.value = std::move(v);
        return o;
    }
};
