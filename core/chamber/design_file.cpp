#include "core/chamber/design_file.h"

#include "core/chamber/design_report.h"
#include "core/fields/report.h"
#include "core/files/file_name.h"

#include <cstdint>
#include <set>
#include <vector>

namespace {

using report::Json;

const Form_Words& Words() {
    return Words_Of(Form_Key::Design);
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

} // namespace

std::string Design_File_Text(const Design_Form& form, const Outcome<Chamber_Design>& run,
                             const Form_Entries& engine) {
    const Form_Entries entries = Entries_Of(form);
    Json j;
    j["format"] = Design_File_Format;
    j["version"] = Design_File_Version;
    for (const Field_Word& f : Words().fields)
        if (f.kind == Field_Kind::Free_Text)
            j[f.key] = entries[f.key];
    for (const Choice_Group& g : Words().choices) {
        const std::string& word = entries[g.key];
        j[g.key] = word.empty() ? Json(nullptr) : Json(word);
    }
    Json& fields = j["fields"] = Json::object();
    for (const Field_Word& f : Words().fields)
        if (f.kind == Field_Kind::Number)
            fields[f.key] = entries[f.key];
    j["results"] = report::Report_Json(Design_Report(run));
    Json ports = Json::object();
    bool typed = false;
    for (const Field_Word& f : Words_Of(Form_Key::Port_Map).fields) {
        const std::string& text = engine[f.key];
        if (!text.empty()) {
            typed = typed || text != f.opening;
            ports[f.key] = text;
        }
    }
    if (typed)
        j["engine"] = ports;
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
    Form_Entries entries;
    for (const Field_Word& f : Words().fields) {
        const auto text = j.find(f.key);
        if (f.kind != Field_Kind::Free_Text || text == j.end())
            continue;
        if (!text->is_string()) {
            problem = std::string("Its \"") + f.key + "\" must be a text.";
            return read;
        }
        entries.texts[f.key] = text->get<std::string>();
    }
    for (const Choice_Group& g : Words().choices) {
        const auto word = j.find(g.key);
        if (word == j.end() || word->is_null())
            continue; // not chosen
        if (word->is_string())
            entries.texts[g.key] = word->get<std::string>();
        if (!word->is_string() || entries[g.key].empty() || !Chosen(g, entries)) {
            problem = std::string("Its \"") + g.key + "\" must be ";
            for (const Choice_Word& w : g.words)
                problem += std::string("\"") + w.word + "\", ";
            problem.replace(problem.size() - 2, 2, " or null.");
            return read;
        }
    }
    if (const auto fields = j.find("fields"); fields != j.end()) {
        if (!fields->is_object()) {
            problem = "Its \"fields\" must be an object of texts.";
            return read;
        }
        for (const Field_Word& f : Words().fields) {
            const auto text = fields->find(f.key);
            if (f.kind != Field_Kind::Number || text == fields->end())
                continue; // a field left out is empty
            if (!text->is_string()) {
                problem = std::string("Its field \"") + f.key + "\" must be a text, as typed.";
                return read;
            }
            entries.texts[f.key] = text->get<std::string>();
        }
    }
    if (const auto engine = j.find("engine"); engine != j.end()) {
        if (!engine->is_object()) {
            problem = "Its \"engine\" must be an object of texts.";
            return read;
        }
        for (const Field_Word& f : Words_Of(Form_Key::Port_Map).fields) {
            const auto text = engine->find(f.key);
            if (text == engine->end())
                continue;
            if (!text->is_string()) {
                problem =
                    std::string("Its engine's field \"") + f.key + "\" must be a text, as typed.";
                return read;
            }
            read.engine.texts[f.key] = text->get<std::string>();
        }
    }
    read.form = Design_Form_Of(entries);
    return read;
}

std::string Design_File_Name(const std::string& pipeName) {
    return Proposed_File_Name(pipeName, Design_File_Extension,
                              std::string("design") + Design_File_Extension);
}

Field_Failure Design_Not_Opened(const std::string& from, const std::string& problem) {
    Field_Failure f;
    f.title = "Design Not Opened";
    f.prompt = "The design could not be opened from \"" + from + "\"." + CrLf + CrLf + problem;
    return f;
}
