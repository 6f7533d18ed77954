#pragma once
// What one check-and-compute run produced, as the command line prints it and a design
// file keeps it: the warnings, the failure with its focus, the texts the window shows and
// the stored quantities, as JSON in the same shape wherever it is written.

#include "common/field_failure.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace report {

using Json = nlohmann::ordered_json;

struct Report {
    std::string fieldArray;              // "Texh", "BHP_Txt", ... (focus names)
    std::string ordinateArray;           // for ordinate failures: "OrdTxt"
    std::vector<Field_Warning> warnings; // shown before the outcome, in order
    std::optional<Field_Failure> failure;
    std::vector<std::pair<std::string, std::string>> display; // control -> shown text
    std::vector<std::pair<std::string, float>> values;        // stored quantities
    std::vector<std::string> plainLines; // the result as plain text (when no failure)
};

// {"warnings": [...], "failure": {...} or null, "display": {...}, "values": {...}}
Json Report_Json(const Report& r);

// A stored single-precision quantity as a JSON number with 9 significant digits, so that
// it reads back to the same float.
Json Single_Json(float value);

// The control that takes the focus, as the windows name it ("Texh(9)"), or null.
Json Focus_Json(const std::string& array, int index);

} // namespace report
