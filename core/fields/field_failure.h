#pragma once
// What a check-and-compute operation returns: the warnings met on the way, the first
// failure if any, and the values it computed. The window shows the boxes and moves the
// focus; the operations never touch a window.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A line break inside a message prompt: carriage return + line feed.
inline constexpr const char* CrLf = "\r\n";

// Which array of fields a focus index refers to. Only the profiled-port calculator has a
// second array (its ordinate fields); everything else uses Input.
enum class FieldKind { Input, Ordinate };

// A failed check: the message box's title and prompt, the field that then takes the focus
// and whether that field's text is emptied first.
struct Field_Failure {
    std::string title;
    std::string prompt;
    int16_t field = -1;      // index into the window's field array; -1: the focus does not move
    bool clearField = false; // true exactly for the Not Set stage
    FieldKind kind = FieldKind::Input;

    bool operator==(const Field_Failure& o) const {
        return title == o.title && prompt == o.prompt && field == o.field &&
               clearField == o.clearField && kind == o.kind;
    }
};

// A check that only warns: its box is shown, the focus moves, and the calculation goes on.
struct Field_Warning {
    std::string title;
    std::string prompt;
    int16_t field = -1;

    bool operator==(const Field_Warning& o) const {
        return title == o.title && prompt == o.prompt && field == o.field;
    }
};

// The outcome of one check-and-compute run. `value` holds the result on success; after a
// failure it holds what the run had stored before it stopped (the values a window keeps
// even when a later check fails).
template <typename T> struct Outcome {
    std::vector<Field_Warning> warnings;
    std::optional<Field_Failure> failure;
    T value{};

    bool ok() const { return !failure.has_value(); }
};
