#pragma once
// What one check-and-compute run produced, as the command line prints it, a design file
// keeps it and the JavaScript module returns it: the warnings, the failure with the field
// it concerns, the texts the window shows and the stored quantities, as JSON in the same
// shape wherever it is written. Fields are named by their key, with the window's control
// that takes the focus beside it.

#include "core/fields/field_failure.h"
#include "core/fields/vocabulary.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace report {

using Json = nlohmann::ordered_json;

struct Report {
    const Form_Words* form = nullptr;    // names the fields of the failure and the warnings
    std::vector<Field_Warning> warnings; // shown before the outcome, in order
    std::optional<Field_Failure> failure;
    std::vector<std::pair<std::string, std::string>> display; // control -> shown text
    std::vector<std::pair<std::string, float>> values;        // stored quantities
    std::vector<std::string> plainLines; // the result as plain text (when no failure)
    Json figures = Json::object();       // a tool's further figures, beside the rest
};

// {"warnings": [...], "failure": {...} or null, "display": {...}, "values": {...}} and the
// members of `figures`. A
// warning is {title, prompt, field, focus}, the failure {title, prompt, field, focus,
// station, emptied}: `field` the key of the field concerned, `focus` the window's control
// that takes the focus, `station` the station of a repeated field; null where none.
Json Report_Json(const Report& r);

// A stored single-precision quantity as a JSON number with 9 significant digits, so that
// it reads back to the same float.
Json Single_Json(float value);

// The field a warning or failure concerns; nullptr for an option group's.
const Field_Word* Field_Of(const Report& r, int16_t index, FieldKind kind = FieldKind::Input);

// A message as lines of plain text: the title, with the flag of the field concerned in
// brackets, then the prompt's lines indented, its blank lines left out.
std::vector<std::string> Plain_Message(const Report& r, const std::string& title,
                                       const std::string& prompt, int16_t index,
                                       FieldKind kind = FieldKind::Input);

} // namespace report
