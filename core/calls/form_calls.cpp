#include "core/calls/form_calls.h"

#include "core/calculators/port_map_chart.h"
#include "core/calculators/tool_reports.h"
#include "core/chamber/design_file.h"
#include "core/chamber/design_report.h"
#include "core/chamber/pipe_check.h"
#include "core/chamber/pipe_diagram_svg.h"
#include "core/chamber/wave_pictures.h"
#include "core/fields/kept_forms.h"
#include "core/fields/report.h"
#include "core/files/file_name.h"
#include "core/files/file_output.h"
#include "core/patterns/pattern_dxf.h"
#include "core/patterns/pattern_fields.h"
#include "core/patterns/pattern_report.h"
#include "core/patterns/pattern_svg.h"
#include "core/screen/palette.h"

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>

namespace {

using report::Json;

// A request the call cannot take: answered as a JavaScript error of this type.
struct Call_Error {
    std::string type;
    std::string message;
};

[[noreturn]] void Wrong_Type(const std::string& message) {
    throw Call_Error{"TypeError", message};
}
[[noreturn]] void Out_Of_Range(const std::string& message) {
    throw Call_Error{"RangeError", message};
}

const Json& Member(const Json& request, const char* key) {
    static const Json none;
    const auto it = request.find(key);
    return it == request.end() ? none : *it;
}

const Form_Words& Form_Named(const Json& key) {
    for (const Form_Words& f : All_Forms())
        if (key.is_string() && key == f.key)
            return f;
    Wrong_Type("form must name a form of the vocabulary");
}

std::string Words_List(const Choice_Group& g) {
    std::string list;
    for (const Choice_Word& w : g.words)
        list += std::string(list.empty() ? "'" : ", '") + w.word + "'";
    return list;
}

// The entries of a form from a JSON object in the vocabulary's keys: texts as typed (a
// left-out, null or empty entry is an empty field or an unset group).
Form_Entries Entries_From(const Json& input, const Form_Words& form) {
    if (input.is_null())
        return {};
    if (!input.is_object())
        Wrong_Type(std::string("the input of the ") + form.key + " form must be an object");
    Form_Entries e;
    for (const auto& [key, value] : input.items()) {
        if (value.is_null())
            continue;
        const Field_Word* field = form.Field(key);
        if (field && field->kind == Field_Kind::Repeated) {
            if (!value.is_array() || value.size() > ProfPrt_Inputs{}.OrdTxt.size())
                Wrong_Type(key + " must be an array of at most 11 strings");
            for (const Json& text : value) {
                if (!text.is_string())
                    Wrong_Type(key + " must hold strings: the texts of the fields");
                e.stations.push_back(text.get<std::string>());
            }
            continue;
        }
        const Choice_Group* group = nullptr;
        for (const Choice_Group& g : form.choices)
            if (key == g.key)
                group = &g;
        if (!field && !group)
            Wrong_Type(key + " is no field or option group of the " + form.key + " form");
        if (!value.is_string())
            Wrong_Type(key + (field ? " must be a string: the text of the field"
                                    : " must be a string: the word chosen"));
        e.texts[key] = value.get<std::string>();
        if (group && !Chosen(*group, e))
            Wrong_Type(key + " must be one of " + Words_List(*group));
    }
    return e;
}

Json Entries_Json(const Form_Words& form, const Form_Entries& e) {
    Json j = Json::object();
    for (const Choice_Group& g : form.choices)
        j[g.key] = e[g.key].empty() ? Json(nullptr) : Json(e[g.key]);
    for (const Field_Word& f : form.fields)
        if (f.kind == Field_Kind::Repeated)
            j[f.key] = e.stations;
        else
            j[f.key] = e[f.key];
    return j;
}

// ---- The design window's state, as calculate returns it and takes it back -------------

// A stored single; one that overflowed (a check stores what it read before it fails) as
// "Infinity", "-Infinity" or "NaN", which JSON has no number for.
Json State_Single(float v) {
    if (std::isfinite(v))
        return report::Single_Json(v);
    return std::isnan(v) ? "NaN" : v > 0 ? "Infinity" : "-Infinity";
}

Json State_Json(const Design_State& s) {
    Json j;
    j["ThreeStage"] = s.ThreeStage;
    j["Numdiam"] = s.Numdiam;
    j["Numlen"] = s.Numlen;
    j["PrtDiam"] = State_Single(s.PrtDiam);
    j["PrtLnth"] = State_Single(s.PrtLnth);
    j["ETotal"] = State_Single(s.ETotal);
    j["Diam"] = Json::array();
    for (float d : s.Diam)
        j["Diam"].push_back(State_Single(d));
    j["Lnth"] = Json::array();
    for (float l : s.Lnth)
        j["Lnth"].push_back(State_Single(l));
    return j;
}

// A number of the state, as State_Single writes it.
std::optional<float> Single_Of(const Json& v) {
    if (v.is_number())
        return static_cast<float>(v.get<double>());
    const float inf = std::numeric_limits<float>::infinity();
    if (v == "Infinity" || v == "-Infinity")
        return v == "Infinity" ? inf : -inf;
    if (v == "NaN")
        return std::numeric_limits<float>::quiet_NaN();
    return std::nullopt;
}

float State_Number(const Json& s, const char* key) {
    const auto v = Single_Of(Member(s, key));
    if (!v)
        Wrong_Type(std::string("the state's ") + key + " must be a number");
    return *v;
}

template <size_t N> void State_Numbers(const Json& s, const char* key, std::array<float, N>& to) {
    const Json& a = Member(s, key);
    if (!a.is_array() || a.size() != N)
        Wrong_Type(std::string("the state's ") + key + " must be an array of " + std::to_string(N) +
                   " numbers");
    for (size_t i = 0; i < N; ++i) {
        const auto v = Single_Of(a[i]);
        if (!v)
            Wrong_Type(std::string("the state's ") + key + " must hold numbers");
        to[i] = *v;
    }
}

// The window's state before a run: a fresh window's when none is given.
Design_State State_From(const Json& s) {
    Design_State st;
    if (s.is_null())
        return st;
    if (!s.is_object())
        Wrong_Type("the state must be an object");
    if (!Member(s, "ThreeStage").is_boolean())
        Wrong_Type("the state's ThreeStage must be true or false");
    st.ThreeStage = Member(s, "ThreeStage").get<bool>();
    const float numdiam = State_Number(s, "Numdiam"), numlen = State_Number(s, "Numlen");
    if (!(numdiam == 3 || numdiam == 4 || numdiam == 0) ||
        !(numlen == 5 || numlen == 6 || numlen == 0))
        Out_Of_Range("the state's Numdiam must be 0, 3 or 4 and its Numlen 0, 5 or 6");
    st.Numdiam = static_cast<int16_t>(numdiam);
    st.Numlen = static_cast<int16_t>(numlen);
    st.PrtDiam = State_Number(s, "PrtDiam");
    st.PrtLnth = State_Number(s, "PrtLnth");
    st.ETotal = State_Number(s, "ETotal");
    State_Numbers(s, "Diam", st.Diam);
    State_Numbers(s, "Lnth", st.Lnth);
    return st;
}

Json Cell_Json(const Result_Cell& c) {
    return c.label.empty() ? Json(nullptr)
                           : Json{{"label", c.label}, {"control", c.control}, {"text", c.text}};
}

// ---- The operations -----------------------------------------------------------------

Json Vocabulary(const Json&, const std::string&) {
    const auto kind = [](Field_Kind k) {
        return k == Field_Kind::Number      ? "number"
               : k == Field_Kind::Free_Text ? "text"
                                            : "stations";
    };
    Json forms = Json::array();
    for (const Form_Words& f : All_Forms()) {
        Json form{{"key", f.key},
                  {"command", f.command},
                  {"title", f.title},
                  {"controls", f.controls},
                  {"stationControls", f.stationControls}};
        form["choices"] = Json::array();
        for (const Choice_Group& g : f.choices) {
            Json group{{"key", g.key},   {"caption", g.caption}, {"flag", g.flag},
                       {"help", g.help}, {"opening", g.opening}, {"words", Json::array()}};
            for (const Choice_Word& w : g.words)
                group["words"].push_back({{"word", w.word},
                                          {"flag", w.flag},
                                          {"caption", w.caption},
                                          {"help", w.help},
                                          {"fieldCaption", w.fieldCaption}});
            form["choices"].push_back(group);
        }
        form["fields"] = Json::array();
        for (const Field_Word& w : f.fields)
            form["fields"].push_back({{"key", w.key},
                                      {"flag", w.flag},
                                      {"caption", w.caption},
                                      {"unit", w.unit},
                                      {"range", w.range},
                                      {"help", Help_Line(w)},
                                      {"index", w.index},
                                      {"kind", kind(w.kind)},
                                      {"opening", w.opening},
                                      {"hint", w.hint}});
        forms.push_back(form);
    }
    // The port map's table: a group's name before each row, a caption over each column.
    Json groups = Json::array(), columns = Json::array();
    for (const Port_Group_Word& g : Port_Group_Words())
        groups.push_back({{"key", g.key}, {"name", g.name}});
    for (int16_t c = 0; c < Port_Columns; ++c)
        columns.push_back({{"key", Port_Column_Key(static_cast<Port_Column>(c))},
                           {"caption", Port_Column_Caption(static_cast<Port_Column>(c))}});
    return {{"forms", forms},
            {"portGroups", groups},
            {"portColumns", columns},
            {"words", {{"restoreForm", Restore_Form_Caption}}}};
}

Json Calculate(const Json& request, const std::string&) {
    const Form_Words& form = Form_Named(Member(request, "form"));
    const Form_Entries entries = Entries_From(Member(request, "input"), form);
    if (form.id == Form_Key::Design) {
        const auto run =
            Calc_Design(Design_Form_Of(entries), State_From(Member(request, "previous")));
        Json j = report::Report_Json(Design_Report(run));
        j["state"] = State_Json(run.value.state);
        j["table"] = nullptr;
        j["gas"] = nullptr;
        if (run.ok()) {
            j["gas"] = Json::array();
            for (const Gas_Figure& g : Gas_Figures(run.value.result))
                j["gas"].push_back({{"caption", g.caption}, {"text", g.text}});
            const Result_Table table = Make_Result_Table(run.value.state);
            Json rows = Json::array();
            for (const Result_Row& r : Result_Rows(table))
                rows.push_back({Cell_Json(r.diameter), Cell_Json(r.length)});
            j["table"] = {
                {"rows", rows},
                {"total", Cell_Json({Tuned_Length_Caption, "TexTotLth", table.TexTotLth})}};
        }
        return j;
    }
    if (form.id == Form_Key::Patterns)
        Wrong_Type("the flat patterns are made by the patterns call");
    for (const Choice_Group& g : form.choices)
        if (entries[g.key].empty() && form.id != Form_Key::Pipe_Check) // the design's checks
            Wrong_Type(std::string(g.key) + " must be one of " + Words_List(g));
    if (form.id == Form_Key::Pipe_Check)
        return report::Report_Json(Pipe_Check_Report(Pipe_Check_Inputs_Of(entries)));
    return report::Report_Json(Tool_Report(form.id, entries));
}

Json Intervals(const Json& request, const std::string&) {
    const Json& text = Member(request, "text");
    if (!text.is_string())
        Wrong_Type("text must be the intervals field's text");
    const auto n = Intervals_Shown(text.get<std::string>());
    return {{"shown", n ? Json(*n) : Json(nullptr)}};
}

Json Side_View(const Json& request, const std::string&) {
    const Json& width = Member(request, "width");
    if (!width.is_number() || !std::isfinite(width.get<double>()))
        Wrong_Type("width must be a number (twips)");
    const auto panel = static_cast<float>(width.get<double>());
    Pipe_Diagram d(Palette::Salmon);
    Draw_Pipe(State_From(Member(request, "state")), panel, d);
    return {{"svg", Pipe_Diagram_Svg(d, panel, Diagram_Panel_Height)}};
}

// The wave pictures of the design the form computes: the curve at `rpm` (the design's speed
// when null) and, when `map` is true, the map over the speeds around the design's; empty
// texts while a check fails.
Json Waves(const Json& request, const std::string&) {
    const Outcome<Chamber_Design> run = Calc_Design(
        Design_Form_Of(Entries_From(Member(request, "input"), Words_Of(Form_Key::Design))),
        State_From(Member(request, "previous")));
    const Json& rpm = Member(request, "rpm");
    if (!rpm.is_null() &&
        !(rpm.is_number() && rpm.get<double>() >= 1000 && rpm.get<double>() <= 50000))
        Out_Of_Range("rpm must be a speed from 1000 to 50000");
    if (!run.ok())
        return {{"curve", ""}, {"map", ""}, {"plug", ""}};
    const double design = run.value.input.EngineSpeed,
                 at = rpm.is_null() ? design : rpm.get<double>();
    Json j{{"model", Wave_Model_Text},
           {"note", Plug_Speed_Note},
           {"rpm", at},
           {"curve", Wave_Curve_Svg(Design_Waves(run.value, {at}), 0)},
           {"map", ""},
           {"plug", ""}};
    if (Member(request, "map") == true) {
        const Wave_Map map = Design_Waves(run.value, Map_Speeds(design));
        j["map"] = Wave_Map_Svg(map, design);
        j["plug"] = Plug_Speed_Text(map);
    }
    return j;
}

// The port map's pictures for the form's texts, and what "Use in Design" types into the
// design window; empty texts and no design while a check fails.
Json Port_Map_Pictures(const Json& request, const std::string&) {
    const Outcome<Port_Map_Figures> run = Calc_Port_Map(
        Port_Map_Inputs_Of(Entries_From(Member(request, "input"), Words_Of(Form_Key::Port_Map))));
    if (!run.ok())
        return {{"chart", ""}, {"ports", ""}, {"design", nullptr}};
    const Design_Engine_Texts design = Design_Texts_Of(run.value);
    return {{"chart", Open_Area_Chart_Svg(Chart_Open_Areas(run.value))},
            {"ports", Port_Outlines_Svg(Outline_Ports(run.value))},
            {"design", {{"angle", design.angle}, {"rpm", design.rpm}}}};
}

// Two designs side by side: each side {input, name} (the name as the file was chosen); the
// rows, their plain lines and both outlines on one scale, or the first side that fails its
// checks with its failure.
Json Compare(const Json& request, const std::string&) {
    std::vector<Design_State> states;
    std::vector<std::string> names;
    for (const char* side : {"a", "b"}) {
        const Json& s = Member(request, side);
        if (!s.is_object())
            Wrong_Type(std::string(side) + " must be {input, name}");
        const Json& name = Member(s, "name");
        const Design_Form form =
            Design_Form_Of(Entries_From(Member(s, "input"), Words_Of(Form_Key::Design)));
        const auto run = Calc_Design(form);
        if (!run.ok())
            return {
                {"failure",
                 {{"side", side}, {"title", run.failure->title}, {"prompt", run.failure->prompt}}}};
        states.push_back(run.value.state);
        names.push_back(Compare_Name(form.PipeName,
                                     name.is_string() ? File_Stem(name.get<std::string>()) : "",
                                     side[0] == 'a' ? 'A' : 'B'));
    }
    const std::vector<Compare_Row> rows = Compare_Designs(states[0], states[1]);
    Json j = Compare_Json(names[0], names[1], rows);
    j["failure"] = nullptr;
    j["lines"] = Compare_Lines(names[0], names[1], rows);
    j["svg"] = Pipe_Overlay_Svg(states[0], names[0], states[1], names[1]);
    return j;
}

// The measured pipe over the pipe designed for the speed it is tuned for; "" while a check
// fails.
Json Pipe_Check_Picture(const Json& request, const std::string&) {
    const auto run = Calc_Pipe_Check(Pipe_Check_Inputs_Of(
        Entries_From(Member(request, "input"), Words_Of(Form_Key::Pipe_Check))));
    if (!run.ok())
        return {{"svg", ""}};
    return {{"svg", Pipe_Overlay_Svg(run.value.measured, Pipe_Check_Measured_Name,
                                     run.value.design.state, Pipe_Check_Designed_Name)}};
}

Json Design_File(const Json& request, const std::string&) {
    const Design_Form form =
        Design_Form_Of(Entries_From(Member(request, "input"), Words_Of(Form_Key::Design)));
    const auto run = Calc_Design(form, State_From(Member(request, "previous")));
    const Form_Entries engine =
        Entries_From(Member(request, "engine"), Words_Of(Form_Key::Port_Map));
    return {{"name", Design_File_Name(form.PipeName)},
            {"text", Design_File_Text(form, run, engine)}};
}

std::string From(const Json& request) {
    const Json& from = Member(request, "from");
    if (!from.is_string())
        Wrong_Type("from must name the file as the user chose it");
    return from.get<std::string>();
}

Json Failure_Json(const Field_Failure& f) {
    return {{"title", f.title}, {"prompt", f.prompt}};
}

Json Design_File_Size(const Json& request, const std::string&) {
    const Json& size = Member(request, "size");
    if (!size.is_number() || !(size.get<double>() >= 0))
        Wrong_Type("size must be the file's size in bytes");
    if (size.get<double>() > static_cast<double>(Design_File_Largest))
        return {
            {"failure", Failure_Json(Design_Not_Opened(From(request), Too_Large_For_Design_File))}};
    return {{"failure", nullptr}};
}

Json Read_Design(const Json& request, const std::string& bytes) {
    const std::string from = From(request);
    Json j{{"input", nullptr}, {"failure", nullptr}};
    const Design_File_Read read =
        bytes.size() > Design_File_Largest
            ? Design_File_Read{std::nullopt, {}, Too_Large_For_Design_File}
            : Read_Design_File(bytes);
    if (read.form) {
        j["input"] = Entries_Json(Words_Of(Form_Key::Design), Entries_Of(*read.form));
        if (!read.engine.texts.empty())
            j["engine"] = Entries_Json(Words_Of(Form_Key::Port_Map), read.engine);
    } else
        j["failure"] = Failure_Json(Design_Not_Opened(from, read.problem));
    return j;
}

Json Patterns(const Json& request, const std::string&) {
    const Form_Words& words = Words_Of(Form_Key::Patterns);
    const Form_Entries options = Entries_From(Member(request, "input"), words);
    const Outcome<Pattern_Options> checked = Check_Pattern_Fields(Field_Texts<3>(words, options));
    report::Report rep;
    rep.form = &words;
    rep.failure = checked.failure;
    Json j = report::Report_Json(rep);
    if (!checked.ok())
        return j;
    const Choice_Group& paperGroup = words.choices.front();
    const Paper paper =
        Paper_Of(options[paperGroup.key].empty() ? paperGroup.opening : options[paperGroup.key])
            .value_or(Paper::A4);
    const auto run = Calc_Design(
        Design_Form_Of(Entries_From(Member(request, "design"), Words_Of(Form_Key::Design))));
    if (!run.ok())
        Out_Of_Range("the design does not pass its checks: calculate it first");
    const Chamber_Patterns set = Make_Chamber_Patterns(run.value, checked.value);

    j["line"] = Pattern_Design_Line(run.value);
    Json rows = Json::array();
    for (const Flat_Piece& p : set.pieces)
        rows.push_back(Piece_Table_Row(p));
    for (const Chamber_Section& s : set.omitted)
        rows.push_back(Not_Cut_Table_Row(s));
    j["table"] = {{"header", Piece_Table_Header()}, {"rows", rows}};
    const Pt size = Paper_Size(paper);
    j["paper"] = {{"word", Paper_Word(paper)},
                  {"width", size.x},
                  {"height", size.y},
                  {"margin", Page_Margin}};
    j["checkBars"] = Check_Bars_Svg();
    j["pieces"] = Json::array();
    for (const Flat_Piece& p : set.pieces) {
        const Flat_Piece fitted = Fit_To_Paper(p, paper);
        const Tile_Plan plan = Plan_Tiles(fitted.frame, paper);
        Json piece{{"name", Piece_Table_Row(p).front()}, {"svg", Piece_Svg(p)}};
        piece["tiles"] = Json::array();
        for (int row = 0; row < plan.rows && plan.pages() > 0; ++row)
            for (int col = 0; col < plan.cols; ++col)
                piece["tiles"].push_back({{"name", Tile_Name(row, col)},
                                          {"position", Tile_Position_Text(plan, row, col)},
                                          {"landscape", plan.landscape},
                                          {"svg", Tile_Svg(fitted, plan, row, col)}});
        j["pieces"].push_back(piece);
    }
    j["templates"] = Patterns_Json(set, paper);
    const Sheet_Layout layout = Lay_Out_Side_By_Side(set.pieces);
    const std::string& name = run.value.input.PipeName;
    j["files"] = {{"svg",
                   {{"name", Proposed_File_Name(name, ".svg", "patterns.svg")},
                    {"text", Pattern_Svg(set, layout)}}},
                  {"dxf",
                   {{"name", Proposed_File_Name(name, ".dxf", "patterns.dxf")},
                    {"text", Pattern_Dxf(set, layout)}}}};
    return j;
}

} // namespace

std::string Form_Call(const std::string& operation, const std::string& request,
                      const std::string& bytes) {
    using Operation = std::function<Json(const Json&, const std::string&)>;
    static const std::map<std::string, Operation> operations = {
        {"vocabulary", Vocabulary},
        {"calculate", Calculate},
        {"intervals", Intervals},
        {"sideView", Side_View},
        {"designFile", Design_File},
        {"designFileSize", Design_File_Size},
        {"readDesignFile", Read_Design},
        {"patterns", Patterns},
        {"portMapPictures", Port_Map_Pictures},
        {"waves", Waves},
        {"compare", Compare},
        {"pipeCheckPicture", Pipe_Check_Picture},
    };
    Json answer;
    try {
        const auto op = operations.find(operation);
        if (op == operations.end())
            Wrong_Type("no operation " + operation);
        // Half of a surrogate pair (escaped by JSON.stringify) has no UTF-8 form: the parser
        // refuses it with the rest of what is no JSON.
        const Json parsed = Json::parse(request.empty() ? "{}" : request, nullptr, false);
        if (parsed.is_discarded())
            Out_Of_Range("the request is no JSON, or holds half of a surrogate pair, which no "
                         "text in UTF-8 can keep");
        if (!parsed.is_object())
            Wrong_Type("the request must be an object");
        answer = op->second(parsed, bytes);
    } catch (const Call_Error& e) {
        answer = {{"error", {{"type", e.type}, {"message", e.message}}}};
    }
    return answer.dump(-1, ' ', false, Json::error_handler_t::replace);
}
