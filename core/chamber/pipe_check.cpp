#include "core/chamber/pipe_check.h"

#include "core/chamber/design_report.h"
#include "core/chamber/pipe_waves.h"
#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const std::string Twice = std::string(CrLf) + CrLf;
constexpr double Kelvin = 273.15;
constexpr double Temperature_Step = 50; // degrees C either side of the gas temperature
constexpr double Header_Step_Mm = 10;   // the header this much longer

const Form_Words& Words() {
    return Words_Of(Form_Key::Pipe_Check);
}

// The cones among a design's sections (index into Lnth): the diffuser stages and the
// converging cone; the header and the mid-section are straight.
bool Is_Cone(bool threeStage, size_t section) {
    return threeStage ? section == 1 || section == 2 || section == 3 || section == 5
                      : section == 1 || section == 2 || section == 4;
}

// The half angle of a section between two stations, degrees.
double Half_Angle(const Pipe_Station& from, const Pipe_Station& to) {
    const double length = to.x - from.x;
    return std::atan2(std::fabs(to.diameter - from.diameter) / 2, length) * 180 /
           3.14159265358979323846;
}

// The difference of two figures as a result box would show it.
double Shown_Difference(double a, double b) {
    return Number_Value_Double(Format_Number(a - b, "###0.0"));
}

// A text in inches as the same figure in millimetres; a text that is no number is left for
// the checks to refuse.
std::string In_Millimetres(const std::string& text) {
    const std::string t = Trim_Blanks(text);
    if (!Is_Plain_Number(t))
        return text;
    return Significant_Text(Number_Value_Double(t) * Mm_Per_Inch, 17);
}

// A failure of a design field typed in inches says that its range is in millimetres.
void Say_Millimetres(Field_Failure& f, const std::string& typed) {
    if (f.clearField || !Is_Plain_Number(Trim_Blanks(typed)))
        return;
    f.prompt += Twice + "(" + Trim_Blanks(typed) + " in is " +
                Short_Fixed(Number_Value_Double(Trim_Blanks(typed)) * Mm_Per_Inch, 2) +
                " mm; the range is in millimetres.)";
}

// A measured figure: Not Set, Incorrectly Set, then its range in millimetres, the range's
// message in the unit typed. The value in millimetres, or the failure.
std::optional<Field_Failure> Check_Measured(const Field_Word& word, const std::string& text,
                                            bool inches, double& mm) {
    const std::string name = std::string(word.caption).substr(0, std::strlen(word.caption) - 1);
    float typed = 0;
    if (auto f = Check_Field(Named_Rule(word.index, name, name), text, typed))
        return f;
    mm = Number_Value_Double(Trim_Blanks(text)) * (inches ? Mm_Per_Inch : 1);
    const Bounds b = *Range_Bounds(word);
    if (!(b.exactLo <= mm && mm <= b.exactHi)) {
        const double unit = inches ? Mm_Per_Inch : 1;
        return Fail_At(word.index, name + " Out of Range",
                       "Enter a value between " + Short_Fixed(b.exactLo / unit, 2) + " and " +
                           Short_Fixed(b.exactHi / unit, 2) + (inches ? " inches" : " mm"));
    }
    return std::nullopt;
}

std::string Mm_Text(double mm) {
    return Format_Number(mm, "###0.0");
}

std::string Rpm_Text(double rpm) {
    return Format_Number(rpm, "#0");
}

std::string Signed_Rpm_Text(double rpm) {
    const std::string t = Rpm_Text(rpm);
    return rpm > 0 && t != "0" ? "+" + t : t;
}

} // namespace

Pipe_Check_Inputs Pipe_Check_Inputs_Of(const Form_Entries& entries) {
    Pipe_Check_Inputs in;
    in.form = Design_Form_Of(entries);
    in.form.Texh[TexhSpeed].clear();
    const Choice_Group& unit = Words().choices.back();
    in.inches = Chosen(unit, entries).value_or(0) == 1;
    for (size_t k = 0; k < in.lengths.size(); ++k)
        in.lengths[k] = entries["l" + std::to_string(k + 1)];
    for (size_t k = 0; k < in.diameters.size(); ++k)
        in.diameters[k] = entries["d" + std::to_string(k + 2)];
    return in;
}

Outcome<Pipe_Check_Figures> Calc_Pipe_Check(const Pipe_Check_Inputs& in) {
    Outcome<Pipe_Check_Figures> out;
    Pipe_Check_Figures& f = out.value;
    f.inches = in.inches;
    auto fail = [&out](Field_Failure failure) {
        out.failure = std::move(failure);
        return out;
    };

    // The design window's checks, the figures typed in inches taken in millimetres.
    Design_Form form = in.form;
    form.Texh[TexhSpeed].clear();
    if (in.inches)
        for (Texh_Index i : {TexhDX, TexhD1, TexhLX})
            form.Texh[i] = In_Millimetres(form.Texh[i]);
    const Outcome<Chamber_Design> checked = Check_Design_Without_Speed(form);
    out.warnings = checked.warnings;
    if (!checked.ok()) {
        Field_Failure failure = *checked.failure;
        if (in.inches &&
            (failure.field == TexhDX || failure.field == TexhD1 || failure.field == TexhLX))
            Say_Millimetres(failure, in.form.Texh[static_cast<size_t>(failure.field)]);
        return fail(failure);
    }
    const DsnInput& input = checked.value.input;
    const bool three = input.ThreeStage;

    // The measured pipe, to the tail pipe's entry.
    Design_State& m = f.measured;
    m.ThreeStage = three;
    m.Numdiam = three ? 4 : 3;
    m.Numlen = three ? 6 : 5;
    m.PrtDiam = input.PrtDiam;
    m.PrtLnth = input.PrtLnth;
    m.Diam[0] = input.FlangeDiam;
    double tuned = Dbl(input.PrtLnth);
    std::array<double, 6> lengths{};
    for (int16_t k = 0; k < m.Numlen; ++k) {
        const Field_Word& word = *Words().At(static_cast<int16_t>(Pipe_Length_Field + k));
        if (auto failure = Check_Measured(word, in.lengths[static_cast<size_t>(k)], in.inches,
                                          lengths[static_cast<size_t>(k)]))
            return fail(*failure);
        m.Lnth[static_cast<size_t>(k)] = Single(lengths[static_cast<size_t>(k)]);
        tuned += lengths[static_cast<size_t>(k)];
    }
    m.Lnth[static_cast<size_t>(m.Numlen)] = m.Lnth[static_cast<size_t>(m.Numlen - 1)];
    std::array<double, 4> diameters{};
    for (int16_t k = 0; k < m.Numdiam; ++k) {
        const Field_Word& word = *Words().At(static_cast<int16_t>(Pipe_Diameter_Field + k));
        if (auto failure = Check_Measured(word, in.diameters[static_cast<size_t>(k)], in.inches,
                                          diameters[static_cast<size_t>(k)]))
            return fail(*failure);
        m.Diam[static_cast<size_t>(k + 1)] = Single(diameters[static_cast<size_t>(k)]);
    }
    m.ETotal = Single(tuned);
    f.tunedLength = tuned;

    // The speed, and how it moves.
    const DsnResult& gas = checked.value.result;
    f.gasTempC = Dbl(gas.GasTemp) - Kelvin;
    f.soundSpeed = gas.SoundSpeed;
    const double angle = input.OpenAngle;
    f.rpm = Tuned_Speed(angle, f.soundSpeed, tuned);
    f.rpmPer10mmHeader = Tuned_Speed(angle, f.soundSpeed, tuned + Header_Step_Mm) - f.rpm;
    const auto at = [&](double kelvin) {
        return Tuned_Speed(angle, std::sqrt(kelvin * 401.8), tuned);
    };
    f.rpmAtTempMinus50 = at(Dbl(gas.GasTemp) - Temperature_Step);
    f.rpmAtTempPlus50 = at(Dbl(gas.GasTemp) + Temperature_Step);
    const Bounds speeds = Bounds_Of(Form_Key::Design, TexhSpeed);
    if (!(speeds.exactLo <= f.rpm && f.rpm <= speeds.exactHi))
        return fail(Fail_At(Pipe_Length_Field, "Pipe Outside the Design Speeds",
                            "A tuned length of " + Mm_Text(tuned) + " mm gives " + Rpm_Text(f.rpm) +
                                " rpm" + Twice + "The design takes engine speeds from " +
                                Rpm_Text(speeds.exactLo) + " to " + Rpm_Text(speeds.exactHi) +
                                " rpm only."));

    // The design at that speed, checked as the design window checks it.
    f.designForm = form;
    f.designForm.Texh[TexhSpeed] = Significant_Text(f.rpm, 9);
    const Outcome<Chamber_Design> design = Calc_Design(f.designForm);
    if (!design.ok())
        return fail(*design.failure);
    f.design = design.value;

    // Section by section.
    const Result_Table table = Make_Result_Table(f.design.state);
    const std::vector<Pipe_Station> mine = Pipe_Stations(m), theirs = Pipe_Stations(f.design.state);
    for (size_t k = 0; k < static_cast<size_t>(m.Numlen); ++k) {
        Pipe_Check_Row row;
        row.name = "L" + std::to_string(k + 1);
        row.measured = lengths[k];
        row.designed = Number_Value_Double(table.Texlen[k]);
        row.difference = Shown_Difference(row.measured, row.designed);
        if (Is_Cone(three, k)) {
            row.measuredHalfAngle = Half_Angle(mine[k + 1], mine[k + 2]);
            row.designedHalfAngle = Half_Angle(theirs[k + 1], theirs[k + 2]);
        }
        f.rows.push_back(row);
    }
    for (size_t k = 0; k < static_cast<size_t>(m.Numdiam); ++k) {
        Pipe_Check_Row row;
        row.name = "D" + std::to_string(k + 2);
        row.measured = diameters[k];
        row.designed = Number_Value_Double(table.Texdiam[k + 1]);
        row.difference = Shown_Difference(row.measured, row.designed);
        f.rows.push_back(row);
    }
    return out;
}

Pipe_Check_Table Pipe_Check_Table_Of(const Pipe_Check_Figures& f) {
    Pipe_Check_Table t;
    t.columns = {"Section", "Measured\n(mm)"};
    if (f.inches)
        t.columns.push_back("Measured\n(in)");
    t.columns.insert(t.columns.end(), {"Designed\n(mm)", "Difference\n(mm)",
                                       "Half angle (\u00B0)\nmeasured / designed"});
    for (const Pipe_Check_Row& r : f.rows) {
        std::vector<std::string> row = {r.name, Mm_Text(r.measured)};
        if (f.inches)
            row.push_back(Fixed(r.measured / Mm_Per_Inch, 2));
        row.insert(row.end(), {Mm_Text(r.designed), Format_Number(r.difference, "###0.0"),
                               r.measuredHalfAngle ? Fixed(*r.measuredHalfAngle, 2) + " / " +
                                                         Fixed(*r.designedHalfAngle, 2)
                                                   : "\u2013"});
        t.rows.push_back(row);
    }
    return t;
}

std::vector<std::string> Pipe_Check_Lines(const Pipe_Check_Figures& f) {
    const auto both = [&f](double mm) {
        return f.inches ? Mm_Text(mm) + " mm (" + Fixed(mm / Mm_Per_Inch, 2) + " in)"
                        : Mm_Text(mm) + " mm";
    };
    std::vector<std::string> lines = {
        "Tuned length, piston face to tail pipe entry: " + both(f.tunedLength),
        "Tuned for " + Rpm_Text(f.rpm) + " rpm (gas " + Format_Number(f.gasTempC, "#0") +
            " deg C, speed of sound " + Format_Number(f.soundSpeed, "#0.0") + " m/s)",
        "Header (LX + L1) 10 mm longer: " + Signed_Rpm_Text(f.rpmPer10mmHeader) + " rpm",
        "Gas 50 deg C cooler: " + Rpm_Text(f.rpmAtTempMinus50) +
            " rpm; 50 deg C hotter: " + Rpm_Text(f.rpmAtTempPlus50) + " rpm",
        "Against the design for " + Rpm_Text(f.rpm) + " rpm (measured - designed, mm; cones' " +
            "half angles in degrees):",
    };
    for (const Pipe_Check_Row& r : f.rows) {
        std::string line = r.name + ": measured " + both(r.measured) + ", designed " +
                           Mm_Text(r.designed) + " mm, difference " +
                           Format_Number(r.difference, "###0.0") + " mm";
        if (r.measuredHalfAngle)
            line += ", half angle " + Fixed(*r.measuredHalfAngle, 2) + " / " +
                    Fixed(*r.designedHalfAngle, 2);
        lines.push_back(line);
    }
    lines.push_back("The speed is the design's tuned-length rule solved backwards: one pulse's "
                    "travel to the tail pipe's entry and back, at the gas temperature above.");
    return lines;
}

report::Report Pipe_Check_Report(const Pipe_Check_Inputs& in) {
    report::Report rep;
    rep.form = &Words();
    const Outcome<Pipe_Check_Figures> run = Calc_Pipe_Check(in);
    rep.warnings = run.warnings;
    rep.failure = run.failure;
    if (!run.ok())
        return rep;
    const Pipe_Check_Figures& f = run.value;
    rep.plainLines = Pipe_Check_Lines(f);
    for (size_t i = 0; i < rep.plainLines.size(); ++i)
        rep.display.emplace_back("PipeLab(" + std::to_string(i) + ")", rep.plainLines[i]);
    const auto tenth = [](double v) { return std::round(v * 10) / 10; };
    // Measured figures to a ten-thousandth of a millimetre: inches converted show no noise.
    const auto fine = [](double v) { return std::round(v * 1e4) / 1e4; };
    report::Json sections = report::Json::array();
    for (const Pipe_Check_Row& r : f.rows) {
        report::Json row = {{"name", r.name},
                            {"measured", fine(r.measured)},
                            {"designed", r.designed},
                            {"difference", r.difference}};
        if (r.measuredHalfAngle) {
            row["measuredHalfAngle"] = std::round(*r.measuredHalfAngle * 100) / 100;
            row["designedHalfAngle"] = std::round(*r.designedHalfAngle * 100) / 100;
        }
        sections.push_back(row);
    }
    Outcome<Chamber_Design> design;
    design.value = f.design;
    const Pipe_Check_Table table = Pipe_Check_Table_Of(f);
    rep.figures = {{"tunedLength", fine(f.tunedLength)},
                   {"rpm", tenth(f.rpm)},
                   {"rpmPer10mmHeader", tenth(f.rpmPer10mmHeader)},
                   {"rpmAtTempMinus50", tenth(f.rpmAtTempMinus50)},
                   {"rpmAtTempPlus50", tenth(f.rpmAtTempPlus50)},
                   {"gasTemp", tenth(f.gasTempC)},
                   {"soundSpeed", tenth(f.soundSpeed)},
                   {"sections", sections},
                   {"table", {{"columns", table.columns}, {"rows", table.rows}}},
                   {"design", report::Report_Json(Design_Report(design))}};
    return rep;
}

// ---- Two designs side by side --------------------------------------------------------

std::vector<Compare_Row> Compare_Designs(const Design_State& a, const Design_State& b) {
    const Result_Table ta = Make_Result_Table(a), tb = Make_Result_Table(b);
    std::vector<Compare_Row> rows;
    const auto add = [&rows](std::string name, const std::string* x, const std::string* y) {
        Compare_Row r;
        r.name = std::move(name);
        if (x)
            r.a = Number_Value_Double(*x);
        if (y)
            r.b = Number_Value_Double(*y);
        if (r.a && r.b)
            r.difference = Shown_Difference(*r.a, *r.b);
        rows.push_back(r);
    };
    const auto at = [](const std::vector<std::string>& v, size_t i) {
        return i < v.size() ? &v[i] : nullptr;
    };
    add("DX", &ta.PrtDia, &tb.PrtDia);
    add("LX", &ta.PrtLth, &tb.PrtLth);
    for (size_t i = 0; i < 5; ++i)
        add("D" + std::to_string(i + 1), at(ta.Texdiam, i), at(tb.Texdiam, i));
    for (size_t i = 0; i < 7; ++i)
        add("L" + std::to_string(i + 1), at(ta.Texlen, i), at(tb.Texlen, i));
    add("Tuned length", &ta.TexTotLth, &tb.TexTotLth);
    return rows;
}

report::Json Compare_Json(const std::string& nameA, const std::string& nameB,
                          const std::vector<Compare_Row>& rows) {
    const auto number = [](const std::optional<double>& v) {
        return v ? report::Json(*v) : report::Json(nullptr);
    };
    report::Json list = report::Json::array();
    for (const Compare_Row& r : rows)
        list.push_back({{"name", r.name},
                        {"a", number(r.a)},
                        {"b", number(r.b)},
                        {"difference", number(r.difference)}});
    return {{"a", nameA}, {"b", nameB}, {"rows", list}};
}

std::vector<std::string> Compare_Lines(const std::string& nameA, const std::string& nameB,
                                       const std::vector<Compare_Row>& rows) {
    const auto cell = [](const std::optional<double>& v) {
        std::string t = v ? Format_Number(*v, "###0.0") : "-";
        return std::string(t.size() < 10 ? 10 - t.size() : 0, ' ') + t;
    };
    std::vector<std::string> lines = {"A: " + nameA, "B: " + nameB,
                                      "                       A         B     A - B"};
    for (const Compare_Row& r : rows) {
        std::string name = r.name + ":";
        name.resize(std::max<size_t>(name.size(), 14), ' ');
        lines.push_back(name + cell(r.a) + cell(r.b) + cell(r.difference));
    }
    return lines;
}

Field_Failure Compare_Refused(const std::string& path, const Field_Failure& failure) {
    Field_Failure f;
    f.title = "Design Not Compared";
    f.prompt = "The design in \"" + path + "\" does not pass its checks:" + Twice + failure.title +
               CrLf + failure.prompt;
    return f;
}

std::string Compare_Name(const std::string& pipeName, const std::string& fileName, char which) {
    if (!Trim_Blanks(pipeName).empty())
        return pipeName;
    if (!fileName.empty())
        return fileName;
    return std::string("Design ") + which;
}

std::string Pipe_Overlay_Svg(const Design_State& a, const std::string& nameA, const Design_State& b,
                             const std::string& nameB) {
    const std::vector<Pipe_Station> pa = Pipe_Stations(a), pb = Pipe_Stations(b);
    double length = std::max(pa.back().x, pb.back().x), widest = 0;
    for (const auto* pipe : {&pa, &pb})
        for (const Pipe_Station& s : *pipe)
            widest = std::max(widest, s.diameter);
    constexpr double Width = 960, Margin = 24, Legend = 46, Axis = 34;
    const double scale = (Width - 2 * Margin) / std::max(length, 1.0);
    const double mid = Legend + Margin + widest * scale / 2;
    const double height = mid + widest * scale / 2 + Axis + Margin;
    const auto x = [&](double mm) { return Short_Fixed(Margin + mm * scale, 2); };
    const auto y = [&](double mm) { return Short_Fixed(mid + mm * scale, 2); };
    const auto outline = [&](const std::vector<Pipe_Station>& p) {
        std::string d = "M" + x(0) + " " + y(p.front().diameter / 2);
        for (const Pipe_Station& s : p)
            d += " L" + x(s.x) + " " + y(-s.diameter / 2);
        for (auto s = p.rbegin(); s != p.rend(); ++s)
            d += " L" + x(s->x) + " " + y(s->diameter / 2);
        return d;
    };
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"pipe-overlay\" "
                      "viewBox=\"0 0 " +
                      Short_Fixed(Width, 0) + " " + Short_Fixed(height, 0) +
                      "\" font-family=\"sans-serif\" font-size=\"13\">"
                      "<title>" +
                      Xml_Text(nameA) + " (solid) and " + Xml_Text(nameB) +
                      " (dashed) on one scale</title>"
                      "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>";
    const struct {
        const std::vector<Pipe_Station>* pipe;
        const std::string* name;
        const char* colour;
        const char* dash;
    } pipes[] = {{&pa, &nameA, "#0b3d91", ""},
                 {&pb, &nameB, "#c0392b", " stroke-dasharray=\"9 6\""}};
    for (size_t i = 0; i < 2; ++i) {
        const auto& p = pipes[i];
        const double ly = Margin + 6 + 20.0 * static_cast<double>(i);
        svg += "<line x1=\"" + Short_Fixed(Margin, 0) + "\" y1=\"" + Short_Fixed(ly, 0) +
               "\" x2=\"" + Short_Fixed(Margin + 40, 0) + "\" y2=\"" + Short_Fixed(ly, 0) +
               "\" stroke=\"" + p.colour + "\" stroke-width=\"2.5\"" + p.dash + "/><text x=\"" +
               Short_Fixed(Margin + 48, 0) + "\" y=\"" + Short_Fixed(ly + 4, 0) + "\">" +
               (i == 0 ? "A: " : "B: ") + Xml_Text(*p.name) + "</text>";
    }
    for (const auto& p : pipes)
        svg += "<path d=\"" + outline(*p.pipe) + " Z\" fill=\"none\" stroke=\"" + p.colour +
               "\" stroke-width=\"2\" stroke-linejoin=\"round\"" + p.dash + "/>";
    // The scale: a tick every 50, 100, 200 or 500 mm, whichever gives at most twelve.
    double step = 50;
    for (double s : {100.0, 200.0, 500.0, 1000.0})
        if (length / step > 12)
            step = s;
    const std::string axisY = Short_Fixed(mid + widest * scale / 2 + 12, 1);
    svg += "<line x1=\"" + x(0) + "\" y1=\"" + axisY + "\" x2=\"" + x(length) + "\" y2=\"" + axisY +
           "\" stroke=\"#444\"/>";
    for (double t = 0; t <= length + 1e-9; t += step)
        svg += "<line x1=\"" + x(t) + "\" y1=\"" + axisY + "\" x2=\"" + x(t) + "\" y2=\"" +
               Short_Fixed(mid + widest * scale / 2 + 18, 1) + "\" stroke=\"#444\"/><text x=\"" +
               x(t) + "\" y=\"" + Short_Fixed(mid + widest * scale / 2 + 32, 1) +
               "\" text-anchor=\"middle\" fill=\"#222\">" + Short_Fixed(t, 0) + "</text>";
    svg += "<text x=\"" + Short_Fixed(Width - Margin, 0) + "\" y=\"" + Short_Fixed(Margin + 10, 0) +
           "\" text-anchor=\"end\" fill=\"#222\">mm from the piston face</text></svg>";
    return svg;
}
