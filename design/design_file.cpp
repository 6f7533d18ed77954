#include "design/design_file.h"

#include "common/report.h"
#include "design/design_report.h"

#include <cstdint>
#include <set>
#include <vector>

namespace {

using report::Json;

struct Field_Name {
    Texh_Index field;
    const char* key;
};
// In the order of the design window's fields on screen.
const Field_Name Field_Names[] = {{TexhHorn, "horn"}, {TexhBmep, "bmep"}, {TexhTemp, "temp"},
                                  {TexhDX, "dx"},     {TexhD1, "d1"},     {TexhLX, "lx"},
                                  {TexhMid, "mid"},   {TexhTail, "tail"}, {TexhAngle, "angle"},
                                  {TexhSpeed, "rpm"}};

Json Choice_Json(Diffuser_Type d) {
    return d == Diffuser_Type::TwoStage     ? Json("two-stage")
           : d == Diffuser_Type::ThreeStage ? Json("three-stage")
                                            : Json(nullptr);
}

Json Choice_Json(Value_Source s) {
    return s == Value_Source::Typed      ? Json("manual")
           : s == Value_Source::FromBmep ? Json("bmep")
                                         : Json(nullptr);
}

// The JSON text, parsed; a key given twice in one object makes it no design file.
Json Parse(std::string_view text, std::string& problem) {
    std::vector<std::set<std::string>> keys;
    std::string twice;
    const Json::parser_callback_t watch = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start)
            keys.emplace_back();
        else if (event == Json::parse_event_t::object_end && !keys.empty())
            keys.pop_back();
        else if (event == Json::parse_event_t::key && !keys.empty() &&
                 !keys.back().insert(parsed.get<std::string>()).second && twice.empty())
            twice = parsed.get<std::string>();
        return true;
    };
    Json j = Json::parse(text.begin(), text.end(), watch, false);
    if (j.is_discarded())
        problem = "It is not a design file: its text is not valid JSON.";
    else if (!twice.empty())
        problem = "It is not a design file: \"" + twice + "\" is given twice.";
    return j;
}

template <class Choice>
bool Read_Choice(const Json& file, const char* key, const char* one, const char* other, Choice a,
                 Choice b, Choice& out, std::string& problem) {
    const auto it = file.find(key);
    if (it == file.end() || it->is_null())
        return true; // not chosen
    if (it->is_string() && *it == one) {
        out = a;
        return true;
    }
    if (it->is_string() && *it == other) {
        out = b;
        return true;
    }
    problem =
        std::string("Its \"") + key + "\" must be \"" + one + "\", \"" + other + "\" or null.";
    return false;
}

} // namespace

const char* Field_Key(Texh_Index field) {
    for (const Field_Name& f : Field_Names)
        if (f.field == field)
            return f.key;
    return "";
}

std::string Design_File_Text(const Design_Form& form, const Outcome<Chamber_Design>& run) {
    Json j;
    j["format"] = Design_File_Format;
    j["version"] = Design_File_Version;
    j["pipeName"] = form.PipeName;
    j["diffuser"] = Choice_Json(form.Diffuser);
    j["temperature"] = Choice_Json(form.TempSource);
    j["coefficients"] = Choice_Json(form.CoefSource);
    Json& fields = j["fields"] = Json::object();
    for (const Field_Name& f : Field_Names)
        fields[f.key] = form.Texh[static_cast<size_t>(f.field)];
    j["results"] = report::Report_Json(Design_Report(run));
    // A text that is not UTF-8 (from a command line, say) keeps its place, its odd bytes
    // replaced: JSON holds nothing else.
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Design_File_Read Read_Design_File(std::string_view text) {
    Design_File_Read read;
    std::string& problem = read.problem;
    if (text.size() > Design_File_Largest) {
        problem = "It is not a design file: it is far too large for one.";
        return read;
    }
    const Json j = Parse(text, problem);
    if (!problem.empty())
        return read;
    if (!j.is_object() || j.find("format") == j.end() || j["format"] != Design_File_Format) {
        problem = "It is not a design file of this program.";
        return read;
    }
    const auto version = j.find("version");
    if (version == j.end() || !version->is_number_integer()) {
        problem = "Its format version is missing or not a whole number.";
        return read;
    }
    // A version beyond the signed range is still a newer one.
    if (version->is_number_unsigned()
            ? version->get<std::uint64_t>() > static_cast<std::uint64_t>(Design_File_Version)
            : version->get<std::int64_t>() > Design_File_Version) {
        problem = "It was saved in a newer format (version " + version->dump() +
                  ") than this program reads (version " + std::to_string(Design_File_Version) +
                  "). Use a newer version of the program.";
        return read;
    }
    if (version->get<std::int64_t>() < 1) {
        problem = "Its format version " + version->dump() + " does not exist.";
        return read;
    }
    Design_Form form;
    if (const auto name = j.find("pipeName"); name != j.end()) {
        if (!name->is_string()) {
            problem = "Its \"pipeName\" must be a text.";
            return read;
        }
        form.PipeName = name->get<std::string>();
    }
    if (!Read_Choice(j, "diffuser", "two-stage", "three-stage", Diffuser_Type::TwoStage,
                     Diffuser_Type::ThreeStage, form.Diffuser, problem) ||
        !Read_Choice(j, "temperature", "manual", "bmep", Value_Source::Typed,
                     Value_Source::FromBmep, form.TempSource, problem) ||
        !Read_Choice(j, "coefficients", "manual", "bmep", Value_Source::Typed,
                     Value_Source::FromBmep, form.CoefSource, problem))
        return read;
    if (const auto fields = j.find("fields"); fields != j.end()) {
        if (!fields->is_object()) {
            problem = "Its \"fields\" must be an object of texts.";
            return read;
        }
        for (const Field_Name& f : Field_Names) {
            const auto text = fields->find(f.key);
            if (text == fields->end())
                continue; // a field left out is empty
            if (!text->is_string()) {
                problem = std::string("Its field \"") + f.key + "\" must be a text, as typed.";
                return read;
            }
            form.Texh[static_cast<size_t>(f.field)] = text->get<std::string>();
        }
    }
    read.form = form;
    return read;
}
