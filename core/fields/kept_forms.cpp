#include "core/fields/kept_forms.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <type_traits>
#include <utility>

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* Forms_Format = "expansion-chamber-forms";
constexpr const char* Recent_Format = "expansion-chamber-recent";
constexpr int Format_Version = 1;

// The object's member of this name when it has the JSON type asked, else nothing.
template <class T> std::optional<T> Member(const Json& j, const char* name) {
    const auto it = j.find(name);
    if (it == j.end())
        return std::nullopt;
    if constexpr (std::is_same_v<T, bool>) {
        if (it->is_boolean())
            return it->get<bool>();
    } else if (it->is_string()) {
        return it->get<std::string>();
    }
    return std::nullopt;
}

Json Form_Json(const Kept_Form& f) {
    Json j;
    j["texts"] = Json::object();
    for (const auto& [key, text] : f.entries.texts)
        if (!text.empty())
            j["texts"][key] = text;
    if (!f.entries.stations.empty())
        j["stations"] = f.entries.stations;
    j["results"] = f.results;
    if (!f.file.empty())
        j["file"] = f.file;
    j["unsaved"] = f.unsaved;
    return j;
}

std::optional<Kept_Form> Form_Of(const Json& j) {
    if (!j.is_object())
        return std::nullopt;
    Kept_Form f;
    if (const auto texts = j.find("texts"); texts != j.end() && texts->is_object())
        for (const auto& [key, text] : texts->items())
            if (text.is_string())
                f.entries.texts[key] = text.get<std::string>();
    if (const auto stations = j.find("stations"); stations != j.end() && stations->is_array())
        for (const Json& text : *stations)
            f.entries.stations.push_back(text.is_string() ? text.get<std::string>() : "");
    f.results = Member<bool>(j, "results").value_or(false);
    f.file = Member<std::string>(j, "file").value_or("");
    f.unsaved = Member<bool>(j, "unsaved").value_or(false);
    return f;
}

// The JSON object of a file of this format, or nothing.
std::optional<Json> Parse(std::string_view text, const char* format) {
    const Json j = Json::parse(text.begin(), text.end(), nullptr, false);
    if (j.is_discarded() || !j.is_object() || Member<std::string>(j, "format") != format)
        return std::nullopt;
    return j;
}

std::string Dump(const Json& j) {
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string File_Name_Of(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

bool Is_Blank(const Form_Words& words, const Kept_Form& form) {
    for (const Field_Word& f : words.fields)
        if (f.kind != Field_Kind::Repeated && form.entries[f.key] != f.opening)
            return false;
    for (const Choice_Group& g : words.choices)
        if (form.entries[g.key] != g.opening)
            return false;
    return std::all_of(form.entries.stations.begin(), form.entries.stations.end(),
                       [](const std::string& s) { return s.empty(); });
}

std::string Kept_Forms_Text(const Kept_Forms& kept) {
    Json j;
    j["format"] = Forms_Format;
    j["version"] = Format_Version;
    j["running"] = kept.running;
    Json& forms = j["forms"] = Json::object();
    for (const auto& [side, name] : {std::pair{&kept.now, "now"}, {&kept.before, "before"}})
        for (const auto& [key, form] : *side)
            forms[key][name] = Form_Json(form);
    return Dump(j);
}

std::optional<Kept_Forms> Read_Kept_Forms(std::string_view text) {
    const std::optional<Json> j = Parse(text, Forms_Format);
    if (!j)
        return std::nullopt;
    Kept_Forms kept;
    kept.running = Member<bool>(*j, "running").value_or(false);
    const auto forms = j->find("forms");
    if (forms == j->end() || !forms->is_object())
        return kept;
    for (const auto& [key, sides] : forms->items()) {
        if (!sides.is_object())
            continue;
        for (const auto& [side, name] : {std::pair{&kept.now, "now"}, {&kept.before, "before"}})
            if (const auto at = sides.find(name); at != sides.end())
                if (std::optional<Kept_Form> f = Form_Of(*at))
                    (*side)[key] = std::move(*f);
    }
    return kept;
}

std::string Recent_Designs_Text(const Recent_Designs& recent) {
    Json j;
    j["format"] = Recent_Format;
    j["version"] = Format_Version;
    j["designs"] = Json::array();
    for (const Recent_Design& d : recent.designs)
        j["designs"].push_back({{"file", d.file}, {"pipeName", d.pipeName}});
    if (!recent.folder.empty())
        j["folder"] = recent.folder;
    return Dump(j);
}

Recent_Designs Read_Recent_Designs(std::string_view text) {
    Recent_Designs recent;
    const std::optional<Json> j = Parse(text, Recent_Format);
    if (!j)
        return recent;
    recent.folder = Member<std::string>(*j, "folder").value_or("");
    const auto designs = j->find("designs");
    if (designs == j->end() || !designs->is_array())
        return recent;
    // The oldest first, so that the latest stands first and the oldest beyond eight go.
    for (auto d = designs->rbegin(); d != designs->rend(); ++d)
        if (d->is_object())
            if (const auto file = Member<std::string>(*d, "file"); file && !file->empty())
                Add_Recent_Design(recent,
                                  {*file, Member<std::string>(*d, "pipeName").value_or("")});
    return recent;
}

void Add_Recent_Design(Recent_Designs& recent, const Recent_Design& design) {
    Drop_Recent_Design(recent, design.file);
    recent.designs.insert(recent.designs.begin(), design);
    if (recent.designs.size() > Recent_Design_Count)
        recent.designs.resize(Recent_Design_Count);
}

void Drop_Recent_Design(Recent_Designs& recent, const std::string& file) {
    auto& d = recent.designs;
    d.erase(
        std::remove_if(d.begin(), d.end(), [&](const Recent_Design& r) { return r.file == file; }),
        d.end());
}

std::string Recent_Design_Caption(const Recent_Design& design, size_t place) {
    std::string name = design.pipeName.empty() ? "(no pipe name)" : design.pipeName;
    for (size_t at = name.find('&'); at != std::string::npos; at = name.find('&', at + 2))
        name.insert(at, 1, '&');
    std::string file = File_Name_Of(design.file);
    for (size_t at = file.find('&'); at != std::string::npos; at = file.find('&', at + 2))
        file.insert(at, 1, '&');
    return "&" + std::to_string(place + 1) + "  " + name + "  (" + file + ")";
}

std::string Design_Window_Title(const std::string& caption, const std::string& file, bool unsaved) {
    std::string title = caption;
    if (!file.empty())
        title += " \u2014 " + File_Name_Of(file);
    return unsaved ? title + " *" : title;
}

Field_Failure No_Previous_Form() {
    Field_Failure f;
    f.title = "No Previous Form";
    f.prompt = "This window has no earlier form to bring back.";
    return f;
}

Field_Failure Forms_Not_Kept(const std::string& where, const std::string& reason) {
    Field_Failure f;
    f.title = "Forms Not Kept";
    f.prompt = "The forms could not be kept in \"" + where + "\": " + reason + "." + CrLf + CrLf +
               "They are kept while the program runs; save a design before ending it.";
    return f;
}

Field_Failure Recent_Design_Missing(const std::string& file) {
    Field_Failure f;
    f.title = "Design Not Found";
    f.prompt = "The design file \"" + file + "\" is no longer there. It is taken off the list " +
               "of recent designs.";
    return f;
}

Question Offer_Unsaved_Forms(const std::vector<std::string>& forms) {
    Question q;
    q.title = "Forms Not Saved";
    q.prompt = "The program was ended without closing its windows. These forms were not saved:";
    for (const std::string& f : forms)
        q.prompt += std::string(CrLf) + "    " + f;
    q.prompt += std::string(CrLf) + CrLf +
                "Bring them back into their windows? (Each window's \"Restore Previous Form\" "
                "can also bring its form back later.)";
    q.yes = "Bring Back";
    q.no = "Not Now";
    return q;
}

std::string Kept_Form_Name(const Form_Words& words, const Kept_Form& form) {
    std::string name = words.title;
    if (const Field_Word* f = words.Of_Kind(Field_Kind::Free_Text))
        if (!form.entries[f->key].empty())
            name += " (" + form.entries[f->key] + ")";
    return name;
}
