#include "core/fields/vocabulary.h"

#include "core/fields/field_check.h"

#include <cctype>
#include <deque>
#include <stdexcept>

namespace {

// The words built from a group's key and name live as long as the table.
const char* Kept(std::string text) {
    static std::deque<std::string> kept;
    kept.push_back(std::move(text));
    return kept.back().c_str();
}

struct Port_Column_Word {
    const char* key;
    const char* caption;
    const char* unit;
    const char* range;
    const char* help;
};
const Port_Column_Word Port_Column_Words[Port_Columns] = {
    {"Count", "Count", "", "1 to 8", "how many ports, a whole number"},
    {"Width", "Width (mm)", "mm", "more than 0, less than the bore", "chordal width of one port"},
    {"Radius", "Top Radius (mm)", "mm", "0 to half the width", "radius of the two top corners"},
    {"Timing", "Opening (deg ATDC)", "deg ATDC", "1 to 179", "opening angle (or the roof height)"},
    {"Height", "Roof Height (mm)", "mm", "the deck height to the deck height + stroke",
     "roof below the top of the barrel (or the opening angle)"},
    {"Target", "Target (s/m)", "s/m", "0.0001 to 0.1", "target specific time-area (optional)"},
};

std::vector<Field_Word> Port_Map_Fields() {
    using K = Field_Kind;
    std::vector<Field_Word> fields = {
        {"bore", "--bore", "Cylinder Bore (mm):", "mm", "20 to 150", "Cylinder bore", 0},
        {"stroke", "--stroke", "Piston Stroke (mm):", "mm", "20 to 150", "Piston stroke", 1},
        {"rod", "--rod", "Connecting Rod Length (mm):", "mm", "the stroke to 4 x stroke",
         "Connecting rod length, centre to centre (at least the stroke: the rod leans at most "
         "30 degrees)",
         2},
        {"deck", "--deck", "Deck Height (mm):", "mm", "0 to 10",
         "The crown's distance below the top of the barrel at TDC", 3, K::Number, "0"},
        {"rpm", "--rpm", "Engine Speed (rpm):", "rpm", "1000 to 50000", "Engine speed", 4},
    };
    for (size_t g = 0; g < Port_Group_Words().size(); ++g) {
        const Port_Group_Word& group = Port_Group_Words()[g];
        for (int16_t c = 0; c < Port_Columns; ++c) {
            const Port_Column_Word& col = Port_Column_Words[c];
            std::string flag = std::string("--") + group.key + "-" + col.key;
            for (char& ch : flag)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            fields.push_back({Kept(group.key + std::string(col.key)), Kept(flag),
                              Kept(std::string(group.name) + " " + col.caption + ":"), col.unit,
                              col.range, Kept(std::string(group.name) + ": " + col.help),
                              Port_Field(g, static_cast<Port_Column>(c)), K::Number,
                              g == 0 && c == PortCount ? "1" : ""});
        }
    }
    return fields;
}

// The pipe check: the design window's form without its engine speed, the unit of the
// measured figures, and the measured pipe to the tail pipe's entry.
Form_Words Pipe_Check_Words(const Form_Words& design) {
    using K = Field_Kind;
    Form_Words form{Form_Key::Pipe_Check,
                    "pipe-check",
                    "pipe-check",
                    "Check an Existing Pipe",
                    "PipeTxt",
                    "",
                    design.choices,
                    {}};
    form.choices.push_back(
        {"unit",
         " Measured In ",
         "",
         "The unit of every length and diameter, DX, D1 and LX included",
         {{"mm", "--mm", "Millimetres", "Lengths and diameters in mm"},
          {"inches", "--inches", "Inches", "Lengths and diameters in inches (25.4 mm)"}},
         "mm"});
    for (const Field_Word& f : design.fields) {
        if (f.index == 2)
            continue; // the speed is what the check finds
        Field_Word w = f;
        const std::string caption = f.caption;
        if (const size_t mm = caption.find(" (mm)"); mm != std::string::npos)
            w.caption = Kept(caption.substr(0, mm) + caption.substr(mm + 5));
        if (*f.unit && std::string(f.unit) == "mm")
            w.unit = "mm or in";
        form.fields.push_back(w);
    }
    const char* lengths[] = {"header",
                             "diffuser stage 1",
                             "diffuser stage 2",
                             "stage 3 (three stages) or mid-section",
                             "mid-section (three stages) or converging cone",
                             "converging cone (three stages)"};
    for (int k = 1; k <= 6; ++k)
        form.fields.push_back(
            {Kept("l" + std::to_string(k)), Kept("--l" + std::to_string(k)),
             Kept("Length L" + std::to_string(k) + ":"), "mm or in",
             k == 1 ? "0 to 12000" : "1 to 12000",
             Kept("Measured length L" + std::to_string(k) + ", " + lengths[k - 1]),
             static_cast<int16_t>(Pipe_Length_Field + k - 1), K::Number});
    const char* diameters[] = {"end of diffuser stage 1", "end of stage 2 (or mid-section)",
                               "mid-section (three stages) or tail pipe",
                               "tail pipe (three stages)"};
    for (int k = 2; k <= 5; ++k)
        form.fields.push_back(
            {Kept("d" + std::to_string(k)), Kept("--d" + std::to_string(k)),
             Kept("Diameter D" + std::to_string(k) + ":"), "mm or in", "1 to 1000",
             Kept("Measured diameter D" + std::to_string(k) + ", " + diameters[k - 2]),
             static_cast<int16_t>(Pipe_Diameter_Field + k - 2), K::Number});
    return form;
}

std::vector<Form_Words> Make_Forms() {
    using K = Field_Kind;
    std::vector<Form_Words> forms;

    forms.push_back(Form_Words{
        Form_Key::Design,
        "design",
        "design",
        "Expansion Chamber Design - Data Entry",
        "Texh",
        "",
        {
            {"diffuser",
             " Diffuser Type ",
             "",
             "The diffuser: two conical stages, or three with a horn",
             {{"two-stage", "--two-stage", "Two Stage", "Two-stage diffuser"},
              {"three-stage", "--three-stage", "Three Stage", "Three-stage diffuser (horn)"}}},
            {"temperature",
             " Exhaust Temperature ",
             "",
             "The mean exhaust temperature: typed, or derived from the target BMEP",
             {{"manual", "--temp-manual", "Input Manually", "Exhaust temperature typed (--temp)"},
              {"bmep", "--temp-bmep", "Calculate from Target BMEP",
               "Exhaust temperature from --bmep"}}},
            {"coefficients",
             " Diameter Coefficients ",
             "",
             "The mid-section and tail pipe coefficients: typed, or derived from the target BMEP",
             {{"manual", "--coef-manual", "Input Manually", "Coefficients typed (--mid, --tail)"},
              {"bmep", "--coef-bmep", "Calculate from Target BMEP", "Coefficients from --bmep"}}},
        },
        {
            {"pipeName", "--name", "Pipe Name:", "", "", "Pipe name (free text)", -1, K::Free_Text},
            {"horn", "--horn", "Three Stage Diffuser Horn Coefficient  (1.25 to 2.0)", "",
             "1.25 to 2.0", "Horn coefficient (three stages)", 7, K::Number, "",
             "GP Racer (narrow power band) - low value\nEnduro (wide power band) - high value"},
            {"bmep", "--bmep", "Target BMEP at Maximum Power (bar)", "bar", "8 to 12",
             "Target BMEP at maximum power", 3, K::Number, "",
             "GP Racer:  12\nMotocross: 9 to 10\nEnduro:      8"},
            {"temp", "--temp",
             "Mid-Section Mean Exhaust Temperature          at Maximum Power (degrees C)",
             "degrees C", "450 to 650", "Mean exhaust temperature", 0, K::Number, "",
             "GP Racer:  650\nEnduro:      500"},
            {"dx", "--dx", "Exhaust Port Effective Diameter (DX) (mm):", "mm", "1 to 100",
             "Exhaust port effective diameter DX", 8},
            {"d1", "--d1", "Diameter at the Barrel Flange (D1) (mm):", "mm", "DX to 1.2 x DX",
             "Barrel flange diameter D1", 9},
            {"lx", "--lx", "Length from Piston Face to Flange (LX) (mm):", "mm", "2 to 100",
             "Length from piston face to flange LX", 5},
            {"mid", "--mid", "Mid-Section Diameter Coefficient", "", "2.125 to 3.25",
             "Mid-section diameter coefficient", 6, K::Number, "",
             "GP Racer:  3.25\nEnduro:      2.125"},
            {"tail", "--tail", "Tail Pipe Diameter Coefficient", "", "0.5 to 0.8",
             "Tail pipe diameter coefficient", 4, K::Number, "",
             "GP Racer:  0.6\nMotocross: 0.65\nEnduro:      0.7"},
            {"angle", "--angle", "Exhaust Port Opening       Angle (deg ATDC):", "deg ATDC",
             "70 to 105", "Exhaust port opening angle", 1},
            {"rpm", "--rpm", "    Engine Speed at Maximum Power (rpm):", "rpm", "1000 to 50000",
             "Engine speed at maximum power", 2},
        }});

    forms.push_back(Form_Words{
        Form_Key::Bmep,
        "bmep",
        "bmep",
        "BMEP Calculation",
        "BHP_Txt",
        "",
        {{"unit",
          "Brake Power Units",
          "",
          "The unit of the power",
          {{"hp", "--hp", "  hp", "Power in horsepower", "Engine Power (hp):"},
           {"kw", "--kw", "  kW", "Power in kilowatts", "Engine Power (kW):"}}}},
        {
            {"bore", "--bore", "Cylinder Bore (mm):", "mm", "5 to 80", "Cylinder bore", 0},
            {"stroke", "--stroke", "Piston Stroke (mm):", "mm", "0.8 to 1.6 x bore",
             "Piston stroke", 1},
            {"rpm", "--rpm", "Engine Speed (rpm):", "rpm", "4000 to 35000", "Engine speed", 2},
            {"power", "--power", "Engine Power (hp):", "hp or kW", "100 to 400 kW per litre swept",
             "Brake power in the chosen unit", 3},
        }});

    forms.push_back(Form_Words{
        Form_Key::Port_Height,
        "port-height",
        "port-height",
        "Port Height Calculation",
        "HghtTxt",
        "",
        {},
        {
            {"stroke", "--stroke", "Piston Stroke (mm):", "mm", "5 to 65", "Piston stroke", 0},
            {"rod", "--rod", "Connecting Rod Length (mm):", "mm", "8 to 150",
             "Connecting rod length", 1},
            {"start", "--start", "Exhaust Port Start Open Angle (deg):", "deg ATDC", "75 to 105",
             "Start-open angle", 2},
            {"full", "--full", "Exhaust Port Full Open Angle (deg):", "deg ATDC", "160 to 180",
             "Full-open angle", 3},
        }});

    forms.push_back(Form_Words{
        Form_Key::Rect_Port,
        "rect-port",
        "rect-port",
        "Rectangular Port Equivalent Diameter",
        "DiamTxt",
        "",
        {},
        {
            {"width", "--width", "Port Width (mm):", "mm", "2 to 60", "Port width", 0},
            {"height", "--height", "Port Height (mm):", "mm", "2 to 60", "Port height", 1},
            {"topRadius", "--top-radius", "Top Corners Radius (mm):", "mm", "up to half the width",
             "Radius of the two top corners", 2},
            {"bottomRadius", "--bottom-radius", "Bottom Corners Radius (mm):", "mm",
             "up to half the width; both radii together up to the height",
             "Radius of the two bottom corners", 3},
        }});

    forms.push_back(Form_Words{
        Form_Key::Profiled_Port,
        "profiled-port",
        "profiled-port",
        "Profiled Port Equivalent Diameter",
        "ProfTxt",
        "OrdTxt",
        {{"configuration",
          "Port Configuration",
          "",
          "A single port or a bridged pair",
          {{"single", "--single", "Single Port", "A single port"},
           {"bridged", "--bridged", "Bridged Port Pair", "A bridged port pair"}}}},
        {
            {"bore", "--bore", "Cylinder Bore (mm):", "mm", "5 to 80", "Cylinder bore", 0},
            {"bridgeWidth", "--bridge-width", "Bridge Width (mm):", "mm",
             "1 to a fifth of the bore", "Bridge width (bridged)", 1},
            {"topRadius", "--top-radius", "Bridge Top Radius (mm):", "mm",
             "0 to a fifth of the bore", "Bridge top corner radius (bridged)", 2},
            {"bottomRadius", "--bottom-radius", "Bridge Bottom Radius (mm):", "mm",
             "0 to a fifth of the bore", "Bridge bottom corner radius (bridged)", 3},
            {"height", "--height", "Port Height (mm):", "mm", "0.3 to 0.65 x bore", "Port height",
             4},
            {"intervals", "--intervals", "Number of Intervals in Profile Data (4 to 10):", "",
             "4 to 10", "Number of intervals", 5},
            {"ordinates", "--ordinate", "Ordinate Arc Lengths (either port) (mm)", "mm",
             "up to 0.75 x bore (a bridged pair: 0.6 x bore)",
             "Ordinate arc length, one per station from station 0 (at most 11)", -1, K::Repeated},
        }});

    forms.push_back(
        Form_Words{Form_Key::Patterns,
                   "patterns",
                   "templates",
                   "Flat Patterns",
                   "PatTxt",
                   "",
                   {{"paper",
                     " Paper ",
                     "--paper",
                     "Paper of the printed pages",
                     {{"a4", "", "A4", "A4 paper"}, {"letter", "", "Letter", "US Letter paper"}},
                     "a4"}},
                   {
                       {"sheet", "--sheet", "Sheet Thickness (mm):", "mm", "0.3 to 3.0",
                        "Sheet thickness", 0, K::Number, "1.0"},
                       {"seam", "--seam", "Seam Allowance (mm):", "mm", "0 to 20",
                        "Seam allowance along one straight edge (0: butt weld)", 1, K::Number, "0"},
                       {"pieces", "--pieces", "Pieces per Cone (1 to 4):", "", "1 to 4",
                        "Equal pieces per cone, a whole number", 2, K::Number, "1"},
                   }});

    forms.push_back(Form_Words{Form_Key::Port_Map,
                               "port-map",
                               "port-map",
                               "Port Timing and Time-Area",
                               "PortTxt",
                               "",
                               {},
                               Port_Map_Fields()});
    forms.push_back(Pipe_Check_Words(forms.front()));
    return forms;
}

} // namespace

const char* Port_Column_Caption(Port_Column column) {
    return Port_Column_Words[column].caption;
}

const char* Port_Column_Key(Port_Column column) {
    return Port_Column_Words[column].key;
}

const std::vector<Port_Group_Word>& Port_Group_Words() {
    static const std::vector<Port_Group_Word> groups = {
        {"exhaust", "Exhaust Port"},          {"aux", "Auxiliary Exhaust Ports"},
        {"transfer1", "Main Transfer Ports"}, {"transfer2", "Secondary Transfer Ports"},
        {"transfer3", "Boost Ports"},
    };
    return groups;
}

const std::vector<Form_Words>& All_Forms() {
    static const std::vector<Form_Words> forms = Make_Forms();
    return forms;
}

const Form_Words& Words_Of(Form_Key form) {
    for (const Form_Words& f : All_Forms())
        if (f.id == form)
            return f;
    throw std::logic_error("a form without words");
}

const Field_Word* Form_Words::Field(std::string_view key) const {
    for (const Field_Word& f : fields)
        if (key == f.key)
            return &f;
    return nullptr;
}

const Field_Word* Form_Words::At(int16_t index) const {
    for (const Field_Word& f : fields)
        if (f.index == index && index >= 0)
            return &f;
    return nullptr;
}

const Field_Word* Form_Words::Of_Kind(Field_Kind kind) const {
    for (const Field_Word& f : fields)
        if (f.kind == kind)
            return &f;
    return nullptr;
}

std::string Form_Words::Control(int16_t index, bool station) const {
    return std::string(station ? stationControls : controls) + "(" + std::to_string(index) + ")";
}

std::optional<Bounds> Range_Bounds(const Field_Word& field) {
    const std::string_view range = field.range;
    const size_t to = range.find(" to ");
    if (to == std::string_view::npos)
        return std::nullopt;
    const std::string lo = Trim_Blanks(range.substr(0, to));
    const std::string hi = Trim_Blanks(range.substr(to + 4));
    if (!Is_Plain_Number(lo) || !Is_Plain_Number(hi))
        return std::nullopt;
    return Bounds{Number_Value(lo), Number_Value(hi), Number_Value_Double(lo),
                  Number_Value_Double(hi)};
}

Bounds Bounds_Of(Form_Key form, int16_t index) {
    const Field_Word* field = Words_Of(form).At(index);
    const std::optional<Bounds> b = field ? Range_Bounds(*field) : std::nullopt;
    if (!b)
        throw std::logic_error("a field without a range of its own");
    return *b;
}

const char* Field_Caption(Form_Key form, int16_t index) {
    const Field_Word* field = Words_Of(form).At(index);
    if (!field)
        throw std::logic_error("no field at this index");
    return field->caption;
}

std::string Help_Line(const Field_Word& field) {
    std::string line = field.help;
    for (const char* part : {field.unit, field.range})
        if (*part)
            line += std::string(", ") + part;
    return line;
}
