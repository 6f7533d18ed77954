// The calculation core as a JavaScript module (embind): the design and the four
// calculators with their checks and result texts, the result table, the chamber diagram
// and the flat patterns. Plain JavaScript objects and arrays in and out; wasm/README.md
// describes every function.

#include "common/file_output.h"
#include "common/numbers.h"
#include "common/palette.h"
#include "design/design_file.h"
#include "design/design_pipeline.h"
#include "design/pipe_diagram.h"
#include "fabrication/pattern_dxf.h"
#include "fabrication/pattern_fields.h"
#include "fabrication/pattern_layout.h"
#include "fabrication/pattern_svg.h"
#include "tools/bmep_calc.h"
#include "tools/port_height_calc.h"
#include "tools/prof_port_calc.h"
#include "tools/rect_port_calc.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using emscripten::val;

namespace {

// A call the module cannot take: thrown to JavaScript as a TypeError or a RangeError.
struct Type_Error : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};
struct Range_Error : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// Runs the call; a wrong argument becomes the JavaScript error, thrown once the call's C++
// objects are destroyed (a JavaScript throw skips the destructors of the frames it leaves:
// only the message's two strings stay behind).
template <typename F> val Guarded(F call) {
    std::string kind, message;
    try {
        return call();
    } catch (const Type_Error& e) {
        kind = "TypeError";
        message = e.what();
    } catch (const Range_Error& e) {
        kind = "RangeError";
        message = e.what();
    }
    val::global(kind.c_str()).new_(val(message)).throw_();
}

void Require_Object(const val& v, const char* what) {
    if (v.typeOf().as<std::string>() != "object" || v.isNull())
        throw Type_Error(std::string(what) + " must be an object");
}

// Whether a JavaScript string holds half of a surrogate pair: it has no UTF-8 form, and
// the conversion into the module would change it (and the character after it).
bool Has_Lone_Surrogate(const val& text) {
    static const val pattern = val::global("RegExp").new_(val("\\p{Cs}"), val("u"));
    return pattern.call<bool>("test", text);
}

// A field's text: a string as typed; left out (undefined or null) is an empty field. A text
// is taken whole or refused, never changed.
std::string Text(const val& in, const char* key) {
    const val v = in[key];
    if (v.isUndefined() || v.isNull())
        return std::string();
    if (!v.isString())
        throw Type_Error(std::string(key) + " must be a string: the text of the field");
    if (Has_Lone_Surrogate(v))
        throw Range_Error(std::string(key) + " holds half of a surrogate pair, which no text "
                                             "in UTF-8 can keep");
    return v.as<std::string>();
}

// One of a few words, or "" when left out.
std::string Choice(const val& in, const char* key, std::initializer_list<const char*> words) {
    const std::string s = Text(in, key);
    std::string list;
    for (const char* w : words) {
        if (s == w)
            return s;
        list += std::string(list.empty() ? "" : ", ") + "'" + w + "'";
    }
    if (s.empty())
        return s;
    throw Type_Error(std::string(key) + " must be one of " + list);
}

double Number(const val& in, const char* key, double otherwise) {
    const val v = in[key];
    if (v.isUndefined() || v.isNull())
        return otherwise;
    if (!v.isNumber())
        throw Type_Error(std::string(key) + " must be a number");
    return v.as<double>();
}

// A stored single as the JavaScript number of exactly its value.
val Single(float x) {
    return val(static_cast<double>(x));
}

template <typename T, typename F> val Array_Of(const T& items, F each) {
    val a = val::array();
    for (const auto& item : items)
        a.call<void>("push", each(item));
    return a;
}

val Strings(const std::vector<std::string>& items) {
    return Array_Of(items, [](const std::string& s) { return val(s); });
}

template <size_t N> val Singles(const std::array<float, N>& items) {
    return Array_Of(items, Single);
}

// ---- Check outcomes -------------------------------------------------------------------

// The input key of each field, by its index in the window's field array.
using Field_Keys = std::vector<const char*>;

val Field_Of(const Field_Keys& keys, int16_t index) {
    return index >= 0 && static_cast<size_t>(index) < keys.size() ? val(keys[index]) : val::null();
}

// {warnings: [{title, prompt, field}], failure: null or {title, prompt, field, index,
// emptied}}: `field` names the input that takes the focus (null: none), `index` the
// ordinate's station for the profiled port's ordinates (else null).
template <typename T> val Outcome_Object(const Outcome<T>& o, const Field_Keys& keys) {
    val out = val::object();
    out.set("warnings", Array_Of(o.warnings, [&](const Field_Warning& w) {
                val x = val::object();
                x.set("title", w.title);
                x.set("prompt", w.prompt);
                x.set("field", Field_Of(keys, w.field));
                return x;
            }));
    if (o.failure) {
        const Field_Failure& f = *o.failure;
        val x = val::object();
        x.set("title", f.title);
        x.set("prompt", f.prompt);
        const bool ordinate = f.kind == FieldKind::Ordinate;
        x.set("field", ordinate ? val("ordinates") : Field_Of(keys, f.field));
        x.set("index", ordinate ? val(f.field) : val::null());
        x.set("emptied", f.clearField);
        out.set("failure", x);
    } else {
        out.set("failure", val::null());
    }
    return out;
}

// ---- The design -----------------------------------------------------------------------

const Field_Keys Design_Keys = {"temp", "angle", "rpm",  "bmep", "tail",
                                "lx",   "mid",   "horn", "dx",   "d1"}; // Texh(0..9)

double Required_Number(const val& in, const char* key) {
    const val v = in[key];
    if (!v.isNumber())
        throw Type_Error(std::string("the state's ") + key + " must be a number");
    return v.as<double>();
}

// The design window's form-level values, as calcDesign returned them.
Design_State State_From(const val& s) {
    Require_Object(s, "the state");
    Design_State st;
    if (s["ThreeStage"].typeOf().as<std::string>() != "boolean")
        throw Type_Error("the state's ThreeStage must be true or false");
    st.ThreeStage = s["ThreeStage"].as<bool>();
    const double numdiam = Required_Number(s, "Numdiam");
    const double numlen = Required_Number(s, "Numlen");
    if (!(numdiam == 3 || numdiam == 4 || numdiam == 0) ||
        !(numlen == 5 || numlen == 6 || numlen == 0))
        throw Range_Error("the state's Numdiam must be 0, 3 or 4 and its Numlen 0, 5 or 6");
    st.Numdiam = static_cast<int16_t>(numdiam);
    st.Numlen = static_cast<int16_t>(numlen);
    st.PrtDiam = static_cast<float>(Required_Number(s, "PrtDiam"));
    st.PrtLnth = static_cast<float>(Required_Number(s, "PrtLnth"));
    st.ETotal = static_cast<float>(Required_Number(s, "ETotal"));
    const auto fill = [&](const char* key, auto& to) {
        const val a = s[key];
        if (!a.isArray() || a["length"].as<size_t>() != to.size())
            throw Type_Error(std::string("the state's ") + key + " must be an array of " +
                             std::to_string(to.size()) + " numbers");
        for (size_t i = 0; i < to.size(); ++i) {
            if (!a[i].isNumber())
                throw Type_Error(std::string("the state's ") + key + " must hold numbers");
            to[i] = static_cast<float>(a[i].as<double>());
        }
    };
    fill("Diam", st.Diam);
    fill("Lnth", st.Lnth);
    return st;
}

val State_Object(const Design_State& st) {
    val s = val::object();
    s.set("ThreeStage", st.ThreeStage);
    s.set("Numdiam", st.Numdiam);
    s.set("Numlen", st.Numlen);
    s.set("PrtDiam", Single(st.PrtDiam));
    s.set("PrtLnth", Single(st.PrtLnth));
    s.set("ETotal", Single(st.ETotal));
    s.set("Diam", Singles(st.Diam));
    s.set("Lnth", Singles(st.Lnth));
    return s;
}

val Table_Object(const Result_Table& t) {
    val x = val::object();
    x.set("PrtDia", t.PrtDia);
    x.set("PrtLth", t.PrtLth);
    x.set("Texdiam", Strings(t.Texdiam));
    x.set("Texlen", Strings(t.Texlen));
    x.set("TexTotLth", t.TexTotLth);
    return x;
}

val Result_Object(const DsnResult& r) {
    val x = val::object();
    x.set("GasTemp", Single(r.GasTemp));
    x.set("MidCoef", Single(r.MidCoef));
    x.set("TailCoef", Single(r.TailCoef));
    x.set("SoundSpeed", Single(r.SoundSpeed));
    x.set("ETotal", Single(r.ETotal));
    x.set("MaxPrtLnth", Single(r.MaxPrtLnth));
    x.set("Diam",
          Array_Of(std::vector<float>(r.Diam.begin(), r.Diam.begin() + r.Numdiam + 1), Single));
    x.set("Lnth",
          Array_Of(std::vector<float>(r.Lnth.begin(), r.Lnth.begin() + r.Numlen + 1), Single));
    return x;
}

Design_Form Form_From(const val& in) {
    Require_Object(in, "the design form");
    Design_Form f;
    f.PipeName = Text(in, "name");
    const std::string diffuser = Choice(in, "diffuser", {"two-stage", "three-stage"});
    f.Diffuser = diffuser == "three-stage" ? Diffuser_Type::ThreeStage
                 : diffuser == "two-stage" ? Diffuser_Type::TwoStage
                                           : Diffuser_Type::Unset;
    const auto source = [&](const char* key) {
        const std::string s = Choice(in, key, {"typed", "bmep"});
        return s == "bmep"    ? Value_Source::FromBmep
               : s == "typed" ? Value_Source::Typed
                              : Value_Source::Unset;
    };
    f.TempSource = source("tempSource");
    f.CoefSource = source("coefSource");
    for (size_t i = 0; i < Design_Keys.size(); ++i)
        f.Texh[i] = Text(in, Design_Keys[i]);
    return f;
}

val Design_Object(const Outcome<Chamber_Design>& run) {
    val out = Outcome_Object(run, Design_Keys);
    out.set("state", State_Object(run.value.state));
    out.set("result", run.ok() ? Result_Object(run.value.result) : val::null());
    out.set("table", run.ok() ? Table_Object(Make_Result_Table(run.value.state)) : val::null());
    return out;
}

val Js_Calc_Design(val form) {
    return Guarded([&] {
        const Design_Form f = Form_From(form);
        const val previous = form["previous"];
        const Design_State before =
            previous.isUndefined() || previous.isNull() ? Design_State{} : State_From(previous);
        return Design_Object(Calc_Design(f, before));
    });
}

val Js_Make_Result_Table(val state) {
    return Guarded([&] { return Table_Object(Make_Result_Table(State_From(state))); });
}

// ---- Design files ---------------------------------------------------------------------

// The .ecd text of a design form, with the results of its run, as the program saves it:
// the run from the window's state `previous` (calcDesign's), from a fresh window without.
val Js_Design_File_Text(val form) {
    return Guarded([&] {
        const Design_Form f = Form_From(form);
        const val previous = form["previous"];
        const Design_State before =
            previous.isUndefined() || previous.isNull() ? Design_State{} : State_From(previous);
        return val(Design_File_Text(f, Calc_Design(f, before)));
    });
}

// {form, problem}: the design form a file holds (in calcDesign's keys, the choices left out
// when unset), or null and what is wrong with it. The file as its bytes (a Uint8Array), read
// as the desktop reads them: strictly UTF-8, nothing decoded or replaced on the way.
val Js_Read_Design_File(val bytes) {
    return Guarded([&] {
        if (!bytes.instanceof (val::global("Uint8Array")))
            throw Type_Error("the design file must be given as its bytes (a Uint8Array)");
        if (bytes["length"].as<double>() > static_cast<double>(Design_File_Largest))
            throw Range_Error("the design file is larger than any design file can be: check "
                              "its size with designFileTooLarge first");
        const Design_File_Read read = Read_Design_File(bytes.as<std::string>());
        val out = val::object();
        out.set("problem", read.problem);
        if (!read.form) {
            out.set("form", val::null());
            return out;
        }
        const Design_Form& f = *read.form;
        val x = val::object();
        x.set("name", f.PipeName);
        if (f.Diffuser != Diffuser_Type::Unset)
            x.set("diffuser",
                  f.Diffuser == Diffuser_Type::ThreeStage ? "three-stage" : "two-stage");
        const auto source = [&](const char* key, Value_Source s) {
            if (s != Value_Source::Unset)
                x.set(key, s == Value_Source::FromBmep ? "bmep" : "typed");
        };
        source("tempSource", f.TempSource);
        source("coefSource", f.CoefSource);
        for (size_t i = 0; i < Design_Keys.size(); ++i)
            x.set(Design_Keys[i], f.Texh[i]);
        out.set("form", x);
        return out;
    });
}

// ---- The four calculators -------------------------------------------------------------

template <typename V, typename F>
val Tool_Object(const Outcome<V>& o, const Field_Keys& keys, F success) {
    val out = Outcome_Object(o, keys);
    val values = val::null();
    val texts = val::null();
    if (o.ok())
        success(values, texts);
    out.set("values", values);
    out.set("texts", texts);
    return out;
}

val Js_Calc_Bmep(val in) {
    return Guarded([&] {
        Require_Object(in, "the BMEP inputs");
        const Field_Keys keys = {"bore", "stroke", "rpm", "power"};
        Bmep_Inputs b;
        const std::string unit = Choice(in, "unit", {"hp", "kw"});
        if (unit.empty())
            throw Type_Error("unit must be 'hp' or 'kw': the unit of the power");
        b.Power_In_Hp = unit == "hp";
        for (size_t i = 0; i < keys.size(); ++i)
            b.BHP_Txt[i] = Text(in, keys[i]);
        const auto o = Calc_Bmep(b);
        return Tool_Object(o, keys, [&](val& values, val& texts) {
            values = val::object();
            values.set("V", Single(o.value.V));
            values.set("Pk", Single(o.value.Pk));
            values.set("BMEP", Single(o.value.BMEP));
            texts = Strings({Bmep_Result_Text(o.value.BMEP)});
        });
    });
}

val Js_Calc_Port_Height(val in) {
    return Guarded([&] {
        Require_Object(in, "the port height inputs");
        const Field_Keys keys = {"stroke", "rod", "start", "full"};
        PrtHgt_Inputs p;
        for (size_t i = 0; i < keys.size(); ++i)
            p.HghtTxt[i] = Text(in, keys[i]);
        const auto o = Calc_PrtHgt(p);
        return Tool_Object(o, keys, [&](val& values, val& texts) {
            values = val::object();
            values.set("H", Single(o.value));
            texts = Strings({PrtHgt_Result_Text(o.value)});
        });
    });
}

val Js_Calc_Rect_Port(val in) {
    return Guarded([&] {
        Require_Object(in, "the rectangular port inputs");
        const Field_Keys keys = {"width", "height", "topRadius", "bottomRadius"};
        RectPrt_Inputs r;
        for (size_t i = 0; i < keys.size(); ++i)
            r.DiamTxt[i] = Text(in, keys[i]);
        const auto o = Calc_RectPrt(r);
        return Tool_Object(o, keys, [&](val& values, val& texts) {
            values = val::object();
            values.set("A", Single(o.value.A));
            values.set("D", Single(o.value.D));
            texts = Strings({RectPrt_Result_Text(o.value.D)});
        });
    });
}

val Js_Calc_Profiled_Port(val in) {
    return Guarded([&] {
        Require_Object(in, "the profiled port inputs");
        const Field_Keys keys = {"bore",         "bridgeWidth", "topRadius",
                                 "bottomRadius", "height",      "intervals"}; // ProfTxt(0..5)
        ProfPrt_Inputs p;
        const std::string kind = Choice(in, "configuration", {"single", "bridged"});
        if (kind.empty())
            throw Type_Error("configuration must be 'single' or 'bridged'");
        p.BridgedPair = kind == "bridged";
        for (size_t i = 0; i < keys.size(); ++i)
            p.ProfTxt[i] = Text(in, keys[i]);
        const val ordinates = in["ordinates"];
        if (!ordinates.isUndefined() && !ordinates.isNull()) {
            if (!ordinates.isArray() || ordinates["length"].as<size_t>() > p.OrdTxt.size())
                throw Type_Error("ordinates must be an array of at most 11 strings");
            for (size_t i = 0; i < ordinates["length"].as<size_t>(); ++i) {
                if (!ordinates[i].isString())
                    throw Type_Error("ordinates must hold strings: the texts of the fields");
                p.OrdTxt[i] = ordinates[i].as<std::string>();
            }
        }
        const auto o = Calc_ProfPrt(p);
        val out = Tool_Object(o, keys, [&](val& values, val& texts) {
            const ProfPrt_Values& v = o.value;
            values = val::object();
            if (p.BridgedPair) {
                values.set("dC", Single(v.dC));
                values.set("dW", Single(v.dW));
                texts = Strings({ProfPrt_Constant_Text(v.dC), ProfPrt_Widened_Text(v.dW)});
            } else {
                values.set("d", Single(v.d));
                texts = Strings({ProfPrt_Single_Text(v.d)});
            }
        });
        // How many intervals the check read, once it got that far (also after a failure).
        out.set("intervals", o.value.NumIntervals ? val(*o.value.NumIntervals) : val::null());
        return out;
    });
}

// The number of intervals the profiled-port window reads from the intervals field while
// it is typed (it decides which ordinate fields show), or null when it fits no 16-bit
// integer.
val Js_Intervals_Value(val text) {
    return Guarded([&] {
        if (!text.isString())
            throw Type_Error("the intervals field must be given as its text");
        const auto n = Intervals_Value(text.as<std::string>());
        return n ? val(*n) : val::null();
    });
}

// ---- The chamber diagram --------------------------------------------------------------

val Line_Object(const LineShape& l) {
    val x = val::object();
    x.set("X1", l.X1);
    x.set("Y1", l.Y1);
    x.set("X2", l.X2);
    x.set("Y2", l.Y2);
    x.set("Visible", l.Visible);
    x.set("BorderStyle", l.BorderStyle);
    x.set("BorderWidth", l.BorderWidth);
    x.set("BorderColor", l.BorderColor);
    return x;
}

val Dot_Object(const DotShape& d) {
    val x = val::object();
    x.set("Left", d.Left);
    x.set("Top", d.Top);
    x.set("Width", d.Width);
    x.set("Height", d.Height);
    x.set("Visible", d.Visible);
    x.set("FillColor", d.FillColor);
    return x;
}

val Label_Object(const PaintedLabel& l) {
    val x = val::object();
    x.set("Left", l.Left);
    x.set("Top", l.Top);
    x.set("Width", l.Width);
    x.set("Height", l.Height);
    x.set("Caption", l.Caption);
    x.set("Visible", l.Visible);
    x.set("BackColor", l.BackColor);
    x.set("ForeColor", l.ForeColor);
    return x;
}

val Js_Draw_Pipe(val state, val panelWidth) {
    return Guarded([&] {
        if (!panelWidth.isNumber() || !std::isfinite(panelWidth.as<double>()))
            throw Type_Error("the panel width must be a number (twips)");
        Pipe_Diagram d(Palette::Salmon);
        Draw_Pipe(State_From(state), static_cast<float>(panelWidth.as<double>()), d);
        val x = val::object();
        x.set("Dprt", Line_Object(d.Dprt));
        x.set("LPrt", Line_Object(d.LPrt));
        x.set("LDia", Array_Of(d.LDia, Line_Object));
        x.set("LTop", Array_Of(d.LTop, Line_Object));
        x.set("LBot", Array_Of(d.LBot, Line_Object));
        x.set("Lv", Array_Of(d.Lv, Line_Object));
        x.set("LLab", Array_Of(d.LLab, Label_Object));
        x.set("Dv", Array_Of(d.Dv, Line_Object));
        x.set("DDot", Array_Of(d.DDot, Dot_Object));
        x.set("DLab", Array_Of(d.DLab, Label_Object));
        x.set("Dx", Line_Object(d.Dx));
        x.set("DxDot", Dot_Object(d.DxDot));
        x.set("DXLab", Label_Object(d.DXLab));
        x.set("Lx", Line_Object(d.Lx));
        x.set("XLab", Array_Of(d.XLab, Label_Object));
        x.set("DotXA", Dot_Object(d.DotXA));
        x.set("LXA", Line_Object(d.LXA));
        x.set("LXLab", Label_Object(d.LXLab));
        return x;
    });
}

// ---- The flat patterns ----------------------------------------------------------------

val Point(const Pt& p) {
    val x = val::object();
    x.set("x", p.x);
    x.set("y", p.y);
    return x;
}

val Box_Object(const Box& b) {
    val x = val::object();
    x.set("x0", b.x0);
    x.set("y0", b.y0);
    x.set("x1", b.x1);
    x.set("y1", b.y1);
    return x;
}

const char* Role_Name(Line_Role r) {
    switch (r) {
    case Line_Role::Outline:
        return "outline";
    case Line_Role::SeamLine:
        return "seam";
    case Line_Role::CentreLine:
        return "centre";
    case Line_Role::Mark:
        return "mark";
    }
    return "";
}

const char* Layer_Name(Line_Role r) {
    switch (Layer_Of(r)) {
    case Pattern_Layer::Cut:
        return "cut";
    case Pattern_Layer::Etch:
        return "etch";
    case Pattern_Layer::Label:
        return "label";
    }
    return "";
}

val Text_Object(const Pattern_Text& t) {
    val x = val::object();
    x.set("at", Point(t.at));
    x.set("height", t.height);
    x.set("text", t.text);
    x.set("anchor", t.anchor == Text_Anchor::Centre ? "centre" : "left-baseline");
    x.set("bold", t.bold);
    return x;
}

val Section_Object(const Chamber_Section& s) {
    val x = val::object();
    x.set("name", s.name);
    x.set("role", s.role);
    x.set("cone", s.cone);
    x.set("diamIn", s.diamIn);
    x.set("diamOut", s.diamOut);
    x.set("insideIn", s.insideIn);
    x.set("insideOut", s.insideOut);
    x.set("length", s.length);
    return x;
}

val Piece_Object(const Flat_Piece& p) {
    val x = val::object();
    x.set("section", p.section);
    x.set("role", p.role);
    x.set("diamIn", p.diamIn);
    x.set("diamOut", p.diamOut);
    x.set("cone", p.cone);
    x.set("fromTube", p.fromTube);
    x.set("sector", p.sector);
    x.set("index", p.index);
    x.set("count", p.count);
    x.set("largeEndIn", p.largeEndIn);
    const std::pair<const char*, double> figures[] = {
        {"insideSmall", p.insideSmall},
        {"insideLarge", p.insideLarge},
        {"dSmall", p.dSmall},
        {"dLarge", p.dLarge},
        {"length", p.length},
        {"slant", p.slant},
        {"halfAngle", p.halfAngle},
        {"rOuter", p.rOuter},
        {"rInner", p.rInner},
        {"coneAngle", p.coneAngle},
        {"angle", p.angle},
        {"outerArc", p.outerArc},
        {"innerArc", p.innerArc},
        {"chordOuter", p.chordOuter},
        {"chordInner", p.chordInner},
        {"rectWidth", p.rectWidth},
        {"seam", p.seam},
    };
    for (const auto& [name, value] : figures)
        x.set(name, value);
    x.set("lines", Array_Of(p.lines, [](const Pattern_Line& l) {
              val y = val::object();
              y.set("a", Point(l.a));
              y.set("b", Point(l.b));
              y.set("role", Role_Name(l.role));
              y.set("layer", Layer_Name(l.role));
              return y;
          }));
    x.set("arcs", Array_Of(p.arcs, [](const Pattern_Arc& a) {
              val y = val::object();
              y.set("centre", Point(a.centre));
              y.set("radius", a.radius);
              y.set("start", a.start);
              y.set("end", a.end);
              y.set("role", Role_Name(a.role));
              y.set("layer", Layer_Name(a.role));
              return y;
          }));
    x.set("texts", Array_Of(p.texts, Text_Object));
    x.set("figures", Array_Of(p.figures, Text_Object));
    x.set("figuresBeside", p.figuresBeside);
    x.set("outline", Box_Object(p.outline));
    x.set("frame", Box_Object(p.frame));
    x.set("row", Strings(Piece_Table_Row(p)));
    return x;
}

Pattern_Options Options_From(val options) {
    Require_Object(options, "the pattern options");
    Pattern_Options opt;
    opt.sheet = Number(options, "sheet", opt.sheet);
    opt.seam = Number(options, "seam", opt.seam);
    const double pieces = Number(options, "pieces", opt.pieces);
    if (pieces != std::floor(pieces) || std::fabs(pieces) > 1000)
        throw Range_Error("pieces per cone must be a whole number");
    opt.pieces = static_cast<int>(pieces);
    if (const std::string why = Check_Pattern_Options(opt); !why.empty())
        throw Range_Error(why);
    return opt;
}

val Js_Make_Chamber_Patterns(val form, val options) {
    return Guarded([&] {
        const Pattern_Options opt = Options_From(options);
        const auto run = Calc_Design(Form_From(form));
        val out = Outcome_Object(run, Design_Keys);
        val sections = val::array(), omitted = val::array(), pieces_ = val::array();
        if (run.ok()) {
            const Chamber_Patterns p = Make_Chamber_Patterns(run.value, opt);
            sections = Array_Of(p.sections, Section_Object);
            omitted = Array_Of(p.omitted, [](const Chamber_Section& s) {
                val x = Section_Object(s);
                x.set("row", Strings({s.name + " " + s.role, "no piece: " + Fixed(s.length) +
                                                                 " mm long, nothing to cut"}));
                return x;
            });
            pieces_ = Array_Of(p.pieces, Piece_Object);
        }
        out.set("sections", sections);
        out.set("omitted", omitted);
        out.set("pieces", pieces_);
        return out;
    });
}

// The sheet of every piece side by side as the command line writes it: the design's
// outcome with {svg, dxf}, the two files' texts, when the design passes its checks.
val Js_Pattern_Files(val form, val options) {
    return Guarded([&] {
        const Pattern_Options opt = Options_From(options);
        const auto run = Calc_Design(Form_From(form));
        val out = Outcome_Object(run, Design_Keys);
        if (run.ok()) {
            const Chamber_Patterns p = Make_Chamber_Patterns(run.value, opt);
            const Sheet_Layout layout = Lay_Out_Side_By_Side(p.pieces);
            out.set("svg", Pattern_Svg(p, layout));
            out.set("dxf", Pattern_Dxf(p, layout));
        }
        return out;
    });
}

// The flat-pattern window's three fields {sheet, seam, pieces} as texts: their opening
// texts (no argument) or their check, with the options they give ({sheet, seam, pieces}
// as numbers) when every field passes.
val Js_Pattern_Fields(val texts) {
    return Guarded([&] {
        const Field_Keys keys = {"sheet", "seam", "pieces"};
        if (texts.isUndefined()) {
            const auto d = Default_Pattern_Texts();
            val x = val::object();
            for (size_t i = 0; i < keys.size(); ++i)
                x.set(keys[i], d[i]);
            return x;
        }
        Require_Object(texts, "the pattern fields");
        std::array<std::string, 3> t;
        for (size_t i = 0; i < keys.size(); ++i)
            t[i] = Text(texts, keys[i]);
        const Outcome<Pattern_Options> o = Check_Pattern_Fields(t);
        val out = Outcome_Object(o, keys);
        val options = val::null();
        if (o.ok()) {
            options = val::object();
            options.set("sheet", o.value.sheet);
            options.set("seam", o.value.seam);
            options.set("pieces", o.value.pieces);
        }
        out.set("options", options);
        return out;
    });
}

// What the desktop says of a file of `size` bytes, before reading it; null when it may be
// a design file.
val Js_Design_File_Too_Large(double size) {
    return size > static_cast<double>(Design_File_Largest) ? val(Too_Large_For_Design_File)
                                                           : val::null();
}

} // namespace

EMSCRIPTEN_BINDINGS(expansion_chamber) {
    emscripten::function("calcDesign", &Js_Calc_Design);
    emscripten::function("makeResultTable", &Js_Make_Result_Table);
    emscripten::function("calcBmep", &Js_Calc_Bmep);
    emscripten::function("calcPortHeight", &Js_Calc_Port_Height);
    emscripten::function("calcRectPort", &Js_Calc_Rect_Port);
    emscripten::function("calcProfiledPort", &Js_Calc_Profiled_Port);
    emscripten::function("intervalsValue", &Js_Intervals_Value);
    emscripten::function("designFileText", &Js_Design_File_Text);
    emscripten::function("readDesignFile", &Js_Read_Design_File);
    emscripten::function("designFileTooLarge", &Js_Design_File_Too_Large);
    emscripten::function("drawPipe", &Js_Draw_Pipe);
    emscripten::function("makeChamberPatterns", &Js_Make_Chamber_Patterns);
    emscripten::function("patternFields", &Js_Pattern_Fields);
    emscripten::function("patternFiles", &Js_Pattern_Files);
}
