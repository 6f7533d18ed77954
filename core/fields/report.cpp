#include "core/fields/report.h"

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"

namespace report {

Json Single_Json(float value) {
    // The double nearest to the single's nine significant digits: it reads back to the
    // same single, and prints as those digits.
    const std::string digits = Significant_Text(value, 9);
    return digits.empty() ? Json(static_cast<double>(value)) : Json(Number_Value_Double(digits));
}

const Field_Word* Field_Of(const Report& r, int16_t index, FieldKind kind) {
    if (!r.form || index < 0)
        return nullptr;
    return kind == FieldKind::Ordinate ? r.form->Of_Kind(Field_Kind::Repeated) : r.form->At(index);
}

namespace {
Json Key_Json(const Field_Word* field) {
    return field ? Json(field->key) : Json(nullptr);
}

Json Focus_Json(const Report& r, int16_t index, FieldKind kind) {
    if (!r.form || index < 0)
        return nullptr;
    return r.form->Control(index, kind == FieldKind::Ordinate);
}
} // namespace

Json Report_Json(const Report& r) {
    Json j;
    j["warnings"] = Json::array();
    for (const auto& w : r.warnings)
        j["warnings"].push_back({{"title", w.title},
                                 {"prompt", w.prompt},
                                 {"field", Key_Json(Field_Of(r, w.field))},
                                 {"focus", Focus_Json(r, w.field, FieldKind::Input)}});
    if (r.failure) {
        const auto& f = *r.failure;
        const bool station = f.kind == FieldKind::Ordinate;
        j["failure"] = {{"title", f.title},
                        {"prompt", f.prompt},
                        {"field", Key_Json(Field_Of(r, f.field, f.kind))},
                        {"focus", Focus_Json(r, f.field, f.kind)},
                        {"station", station ? Json(f.field) : Json(nullptr)},
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
    for (const auto& [key, value] : r.figures.items())
        j[key] = value;
    return j;
}

std::vector<std::string> Plain_Message(const Report& r, const std::string& title,
                                       const std::string& prompt, int16_t index, FieldKind kind) {
    std::string head = title;
    if (const Field_Word* field = Field_Of(r, index, kind)) {
        head += std::string(" (") + field->flag;
        if (kind == FieldKind::Ordinate)
            head += " " + std::to_string(index + 1) + ", station " + std::to_string(index);
        head += ")";
    }
    std::vector<std::string> lines{head};
    std::string line;
    const auto flush = [&] {
        if (!Trim_Blanks(line).empty())
            lines.push_back("  " + line);
        line.clear();
    };
    for (char c : prompt) {
        if (c == '\r')
            continue;
        if (c == '\n')
            flush();
        else
            line += c;
    }
    flush();
    return lines;
}

} // namespace report
