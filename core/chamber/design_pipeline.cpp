#include "core/chamber/design_pipeline.h"

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"
#include "core/fields/vocabulary.h"

namespace {

// Ranges titled "<name> Out of Range" unless they say otherwise.
const Field_Rule Horn =
    Named_Rule(TexhHorn, "Horn Coefficient", "Horn Coefficient",
               Named_Range("Horn Coefficient", Bounds_Of(Form_Key::Design, TexhHorn),
                           "Enter a value between 1.25 and 2.0"));
const Field_Rule Bmep =
    Named_Rule(TexhBmep, "Target BMEP", "Target BMEP",
               Field_Range{Bounds_Of(Form_Key::Design, TexhBmep),
                           "Target BMEP value is Out of Range", "Enter a value between 8 and 12"});
const Field_Rule Temp =
    Named_Rule(TexhTemp, "Mean Exhaust Temperature", "Exhaust Temperature",
               Named_Range("Mean Exhaust Temperature", Bounds_Of(Form_Key::Design, TexhTemp),
                           "Enter a value between 450C and 650C"));
const Field_Rule Dx =
    Named_Rule(TexhDX, "Exhaust Port Effective Diameter", "Exhaust Port Effective Diameter",
               Named_Range("Exhaust Port Effective Diameter", Bounds_Of(Form_Key::Design, TexhDX),
                           "Enter a value between 1 and 100"));
const Field_Rule D1 = Named_Rule(TexhD1, "Barrel Flange Diameter", "Barrel Flange Diameter");
const Field_Rule Lx = Named_Rule(TexhLX, "Barrel Exhaust Duct Length", "Barrel Duct Length");
const Field_Rule Mid =
    Named_Rule(TexhMid, "Mid-Section Diameter Coefficient", "Mid-Section Diameter Coefficient",
               Named_Range("Mid Section Diameter Coefficient", Bounds_Of(Form_Key::Design, TexhMid),
                           "Enter a value between 2.125 and 3.25"));
const Field_Rule Tail =
    Named_Rule(TexhTail, "Tail Pipe Diameter Coefficient", "Tail Pipe Diameter Coefficient",
               Named_Range("Tail Pipe Diameter Coefficient", Bounds_Of(Form_Key::Design, TexhTail),
                           "Enter a value between 0.5 and 0.8"));
const Field_Rule Angle =
    Named_Rule(TexhAngle, "Exhaust Port Opening Angle", "Exhaust Port Opening Angle",
               Named_Range("Exhaust Port Opening Angle", Bounds_Of(Form_Key::Design, TexhAngle),
                           "Enter a value between 70 and 105"));
const Field_Rule Speed =
    Named_Rule(TexhSpeed, "Engine Speed", "Engine Speed",
               Named_Range("Engine Speed", Bounds_Of(Form_Key::Design, TexhSpeed),
                           "Enter a value between 1000 and 50000"));

// The barrel duct's limits on the flange diameter, as multiples of DX.
constexpr double Flange_Least_Recommended = 1.05;
constexpr double Flange_Most_Recommended = 1.125;
constexpr double Flange_Most = 1.2;
// The barrel exhaust duct's own range, mm: a message for each end.
const Bounds Duct = Bounds_Of(Form_Key::Design, TexhLX);

const std::string Twice = std::string(CrLf) + CrLf;

Field_Warning Warn_At(int16_t field, std::string title, std::string prompt) {
    return Field_Warning{std::move(title), std::move(prompt), field};
}

// The checks in their fixed order. Each accepted value goes into the input record, and
// the values the window keeps as it reads them go into the state at once, so that a later
// failure leaves them assigned. On success the result holds the tuned length and the LX
// limit; the sections are the caller's.
Outcome<Chamber_Design> Check_Dsn_Input(const Design_Form& form, const Design_State& previous,
                                        bool withSpeed) {
    Outcome<Chamber_Design> out;
    Chamber_Design& run = out.value;
    run.state = previous;
    DsnInput& in = run.input;
    in.PipeName = form.PipeName;
    auto fail = [&out](Field_Failure f) {
        out.failure = std::move(f);
        return out;
    };
    auto check = [&form](const Field_Rule& rule, float& value) {
        return Check_Field(rule, form.Texh[static_cast<size_t>(rule.field)], value);
    };

    if (form.Diffuser == Diffuser_Type::Unset)
        return fail(Fail_At(-1, "Diffuser Type Not Set", "Select an Option for the Diffuser Type"));
    if (form.TempSource == Value_Source::Unset)
        return fail(Fail_At(-1, "Exhaust Temperature Option Not Set",
                            "Select an Option for the Exhaust Temperature setting"));
    if (form.CoefSource == Value_Source::Unset)
        return fail(Fail_At(-1, "Diameter Coefficients Option Not Set",
                            "Select an Option for the Diameter Coefficient settings"));
    in.ThreeStage = form.Diffuser == Diffuser_Type::ThreeStage;
    in.TempFromBmep = form.TempSource == Value_Source::FromBmep;
    in.CoefFromBmep = form.CoefSource == Value_Source::FromBmep;

    if (in.ThreeStage) {
        if (auto f = check(Horn, in.HornCoef))
            return fail(*f);
    }
    if (in.TempFromBmep || in.CoefFromBmep) {
        if (auto f = check(Bmep, in.TargetBmep))
            return fail(*f);
    }
    if (!in.TempFromBmep) {
        if (auto f = check(Temp, in.ExhTemp))
            return fail(*f);
    }
    if (auto f = check(Dx, in.PrtDiam))
        return fail(*f);
    run.state.PrtDiam = in.PrtDiam;

    // The flange diameter against DX: two of its limits only warn.
    if (auto f = check(D1, in.FlangeDiam))
        return fail(*f);
    run.state.Diam[0] = in.FlangeDiam;
    const float d1 = in.FlangeDiam;
    const double dx = in.PrtDiam;
    if (d1 < in.PrtDiam)
        return fail(Fail_At(TexhD1, "Barrel Flange Diameter Too Small",
                            "The Barrel Flange Diameter must not be less than the "
                            "Port Effective Diameter" +
                                Twice + "Enter a new value."));
    if (d1 < Single(Flange_Least_Recommended * dx)) {
        out.warnings.push_back(Warn_At(TexhD1,
                                       "WARNING - Barrel Flange Diameter less than "
                                       "the Recommended Limit",
                                       "The Barrel Flange Diameter is less than "
                                       "1.05 x Port Effective Diameter"));
    } else if (d1 > Single(Flange_Most * dx)) {
        return fail(Fail_At(TexhD1, "Barrel Flange Diameter Too Large",
                            "The Barrel Flange Diameter must not exceed "
                            "1.2 x Port Effective Diameter" +
                                Twice + "Enter a new value."));
    } else if (d1 > Single(Flange_Most_Recommended * dx)) {
        out.warnings.push_back(
            Warn_At(TexhD1, "WARNING - Barrel Flange Diameter exceeds the Recommended Limit",
                    "The Barrel Flange Diameter exceeds "
                    "1.125 x Exhaust Port Effective Diameter"));
    }

    // The barrel exhaust duct: its range has a message for each end.
    if (auto f = check(Lx, in.PrtLnth))
        return fail(*f);
    run.state.PrtLnth = in.PrtLnth;
    if (in.PrtLnth < Duct.lo)
        return fail(
            Fail_At(TexhLX, "Barrel Exhaust Duct Length too small", "Enter a larger value"));
    if (in.PrtLnth > Duct.hi)
        return fail(
            Fail_At(TexhLX, "Barrel Exhaust Duct Length too large", "Enter a smaller value"));

    if (!in.CoefFromBmep) {
        if (auto f = check(Mid, in.MidCoef))
            return fail(*f);
        if (auto f = check(Tail, in.TailCoef))
            return fail(*f);
    }
    if (auto f = check(Angle, in.OpenAngle))
        return fail(*f);
    DsnResult& r = run.result;
    if (!withSpeed) {
        Calc_Gas_And_Coefficients(in, r);
        r.SoundSpeed = Sound_Speed(r.GasTemp);
        return out;
    }
    if (auto f = check(Speed, in.EngineSpeed))
        return fail(*f);

    // The tuned length, and LX against a tenth of it.
    Calc_Gas_And_Coefficients(in, r);
    Calc_Tuned_Length(in, r);
    run.state.ETotal = r.ETotal;
    if (in.PrtLnth > r.MaxPrtLnth)
        return fail(Fail_At(TexhLX, "Unacceptable Length from Piston Face to Barrel Flange",
                            "The Length from Piston Face to Barrel Flange is Too Long" + Twice +
                                "This Length must Not Exceed " + Max_Prt_Lnth_Text(r.MaxPrtLnth) +
                                " mm"));
    return out;
}

} // namespace

Outcome<Chamber_Design> Calc_Design(const Design_Form& form, const Design_State& previous) {
    Outcome<Chamber_Design> out = Check_Dsn_Input(form, previous, true);
    if (!out.ok())
        return out;
    Chamber_Design& run = out.value;
    Design_State& s = run.state;
    // The sections; the entries a two-stage design leaves alone keep the window's values.
    run.result.Diam = s.Diam;
    run.result.Lnth = s.Lnth;
    Calc_Sections(run.input, run.result);
    s.ThreeStage = run.input.ThreeStage;
    s.Numdiam = run.result.Numdiam;
    s.Numlen = run.result.Numlen;
    s.Diam = run.result.Diam;
    s.Lnth = run.result.Lnth;
    return out;
}

Outcome<Chamber_Design> Check_Design_Without_Speed(const Design_Form& form) {
    return Check_Dsn_Input(form, Design_State{}, false);
}

namespace {
// The option groups in the vocabulary's order: diffuser, temperature, coefficients.
const std::vector<Choice_Group>& Groups() {
    return Words_Of(Form_Key::Design).choices;
}
} // namespace

Design_Form Design_Form_Of(const Form_Entries& entries) {
    const Form_Words& words = Words_Of(Form_Key::Design);
    const auto place = [&](size_t group) { return Chosen(Groups()[group], entries).value_or(-1); };
    const auto source = [](int chosen) {
        return chosen == 0   ? Value_Source::Typed
               : chosen == 1 ? Value_Source::FromBmep
                             : Value_Source::Unset;
    };
    Design_Form form;
    form.PipeName = entries[words.Of_Kind(Field_Kind::Free_Text)->key];
    const int diffuser = place(0);
    form.Diffuser = diffuser == 0   ? Diffuser_Type::TwoStage
                    : diffuser == 1 ? Diffuser_Type::ThreeStage
                                    : Diffuser_Type::Unset;
    form.TempSource = source(place(1));
    form.CoefSource = source(place(2));
    form.Texh = Field_Texts<10>(words, entries);
    return form;
}

Form_Entries Entries_Of(const Design_Form& form) {
    const auto place = [](Value_Source s) {
        return s == Value_Source::Typed ? 0 : s == Value_Source::FromBmep ? 1 : -1;
    };
    Form_Entries e;
    e.texts[Words_Of(Form_Key::Design).Of_Kind(Field_Kind::Free_Text)->key] = form.PipeName;
    e.texts[Groups()[0].key] =
        Word_At(Groups()[0], form.Diffuser == Diffuser_Type::TwoStage     ? 0
                             : form.Diffuser == Diffuser_Type::ThreeStage ? 1
                                                                          : -1);
    e.texts[Groups()[1].key] = Word_At(Groups()[1], place(form.TempSource));
    e.texts[Groups()[2].key] = Word_At(Groups()[2], place(form.CoefSource));
    Put_Field_Texts(Words_Of(Form_Key::Design), form.Texh, e);
    return e;
}

Result_Table Make_Result_Table(const Design_State& s) {
    const auto figure = [](float v, const char* picture) { return Format_Number(Dbl(v), picture); };
    Result_Table t;
    t.PrtDia = figure(s.PrtDiam, "##0.0");
    t.PrtLth = figure(s.PrtLnth, "##0.0");
    for (int16_t i = 0; i <= s.Numdiam && i < static_cast<int16_t>(s.Diam.size()); ++i)
        t.Texdiam.push_back(figure(s.Diam[static_cast<size_t>(i)], "##0.0"));
    for (int16_t j = 0; j <= s.Numlen && j < static_cast<int16_t>(s.Lnth.size()); ++j)
        t.Texlen.push_back(figure(s.Lnth[static_cast<size_t>(j)], "##0.0"));
    t.TexTotLth = figure(s.ETotal, "###0.0");
    return t;
}
