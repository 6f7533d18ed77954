#include "common/report.h"

#include "common/display_format.h"
#include "common/field_check.h"

namespace report {

Json Single_Json(float value) {
    // The double nearest to the single's nine significant digits: it reads back to the
    // same single, and prints as those digits.
    const std::string digits = Significant_Text(value, 9);
    return digits.empty() ? Json(static_cast<double>(value)) : Json(Number_Value_Double(digits));
}

Json Focus_Json(const std::string& array, int index) {
    if (index < 0)
        return nullptr;
    return array + "(" + std::to_string(index) + ")";
}

Json Report_Json(const Report& r) {
    Json j;
    j["warnings"] = Json::array();
    for (const auto& w : r.warnings)
        j["warnings"].push_back({{"title", w.title},
                                 {"prompt", w.prompt},
                                 {"focus", Focus_Json(r.fieldArray, w.field)}});
    if (r.failure) {
        const auto& f = *r.failure;
        const std::string& array = f.kind == FieldKind::Ordinate ? r.ordinateArray : r.fieldArray;
        j["failure"] = {{"title", f.title},
                        {"prompt", f.prompt},
                        {"focus", Focus_Json(array, f.field)},
                        {"emptied", f.clearField}};
    } else {
        j["failure"] = nullptr;
    }
    j["display"] = Json::object();
    for (const auto& [control, text] : r.display)
        j["display"][control] = text;
    j["values"] = Json::object();
    for (const auto& [name, value] : r.values)
        j["values"][name] = Single_Json(value);
    return j;
}

} // namespace report
