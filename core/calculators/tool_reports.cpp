#include "core/calculators/tool_reports.h"

#include <stdexcept>

report::Report Bmep_Report(const Bmep_Inputs& in) {
    report::Report rep;
    rep.form = &Words_Of(Form_Key::Bmep);
    const auto o = Calc_Bmep(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const std::string text = Bmep_Result_Text(o.value.BMEP);
        rep.display = {{"BHP_Lab(4)", text}};
        rep.values = {{"V", o.value.V}, {"Pk", o.value.Pk}, {"BMEP", o.value.BMEP}};
        rep.plainLines = {text};
    }
    return rep;
}

report::Report PrtHgt_Report(const PrtHgt_Inputs& in) {
    report::Report rep;
    rep.form = &Words_Of(Form_Key::Port_Height);
    const auto o = Calc_PrtHgt(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const std::string text = PrtHgt_Result_Text(o.value);
        rep.display = {{"HghtLab(4)", text}};
        rep.values = {{"H", o.value}};
        rep.plainLines = {text};
    }
    return rep;
}

report::Report RectPrt_Report(const RectPrt_Inputs& in) {
    report::Report rep;
    rep.form = &Words_Of(Form_Key::Rect_Port);
    const auto o = Calc_RectPrt(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const std::string text = RectPrt_Result_Text(o.value.D);
        rep.display = {{"DiamLab(4)", text}};
        rep.values = {{"A", o.value.A}, {"D", o.value.D}};
        rep.plainLines = {text};
    }
    return rep;
}

report::Report ProfPrt_Report(const ProfPrt_Inputs& in) {
    report::Report rep;
    rep.form = &Words_Of(Form_Key::Profiled_Port);
    const auto o = Calc_ProfPrt(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const ProfPrt_Values& v = o.value;
        if (in.BridgedPair) {
            const std::string c = ProfPrt_Constant_Text(v.dC);
            const std::string w = ProfPrt_Widened_Text(v.dW);
            rep.display = {{"ProfLab(6)", c}, {"ProfLab(7)", w}};
            rep.values = {{"dC", v.dC}, {"dW", v.dW}};
            rep.plainLines = {" Equivalent Diameter of the Bridged Port Pair ", c, w};
        } else {
            const std::string text = ProfPrt_Single_Text(v.d);
            rep.display = {{"ProfLab(8)", text}};
            rep.values = {{"d", v.d}};
            rep.plainLines = {text};
        }
    }
    return rep;
}

namespace {
// Degrees after TDC, mm, mm^2 x degrees, mm^2 x s, s/m, ms; the swept volume in cm^3.
report::Json Port_Map_Json(const Port_Map_Figures& m) {
    report::Json ports = report::Json::object();
    for (size_t g = 0; g < m.ports.size(); ++g) {
        if (!m.ports[g])
            continue;
        const Port_Figures& p = *m.ports[g];
        report::Json j = {{"opens", p.opens},
                          {"closes", p.closes},
                          {"duration", p.duration},
                          {"height", p.height},
                          {"heightAtBdc", p.heightAtBdc},
                          {"angleArea", p.angleArea},
                          {"timeArea", p.timeArea},
                          {"specificTimeArea", p.specificTimeArea}};
        if (p.supportedRpm)
            j["supportedRpm"] = *p.supportedRpm;
        ports[Port_Group_Words()[g].key] = j;
    }
    report::Json out = {{"sweptVolume", m.sweptVolume / 1e3}, {"ports", ports}};
    if (const auto& b = m.blowdown)
        out["blowdown"] = {{"angle", b->angle},
                           {"time", b->time},
                           {"angleArea", b->angleArea},
                           {"timeArea", b->timeArea},
                           {"specificTimeArea", b->specificTimeArea}};
    return out;
}
} // namespace

report::Report Port_Map_Report(const Port_Map_Inputs& in) {
    report::Report rep;
    rep.form = &Words_Of(Form_Key::Port_Map);
    const auto o = Calc_Port_Map(in);
    rep.failure = o.failure;
    if (o.ok()) {
        rep.plainLines = Port_Map_Lines(o.value);
        for (size_t i = 0; i < rep.plainLines.size(); ++i)
            rep.display.emplace_back("PortLab(" + std::to_string(i) + ")", rep.plainLines[i]);
        rep.figures = Port_Map_Json(o.value);
    }
    return rep;
}

Bmep_Inputs Bmep_Inputs_Of(const Form_Entries& entries) {
    const Form_Words& words = Words_Of(Form_Key::Bmep);
    Bmep_Inputs in;
    in.BHP_Txt = Field_Texts<4>(words, entries);
    in.Power_In_Hp = Chosen(words.choices.front(), entries).value_or(-1) != 1;
    return in;
}

PrtHgt_Inputs PrtHgt_Inputs_Of(const Form_Entries& entries) {
    return PrtHgt_Inputs{Field_Texts<4>(Words_Of(Form_Key::Port_Height), entries)};
}

RectPrt_Inputs RectPrt_Inputs_Of(const Form_Entries& entries) {
    return RectPrt_Inputs{Field_Texts<4>(Words_Of(Form_Key::Rect_Port), entries)};
}

ProfPrt_Inputs ProfPrt_Inputs_Of(const Form_Entries& entries) {
    const Form_Words& words = Words_Of(Form_Key::Profiled_Port);
    ProfPrt_Inputs in;
    in.ProfTxt = Field_Texts<6>(words, entries);
    in.BridgedPair = Chosen(words.choices.front(), entries).value_or(-1) == 1;
    for (size_t i = 0; i < entries.stations.size() && i < in.OrdTxt.size(); ++i)
        in.OrdTxt[i] = entries.stations[i];
    return in;
}

Port_Map_Inputs Port_Map_Inputs_Of(const Form_Entries& entries) {
    return Port_Map_Inputs{
        Field_Texts<Port_Map_Field_Count>(Words_Of(Form_Key::Port_Map), entries)};
}

report::Report Tool_Report(Form_Key form, const Form_Entries& entries) {
    switch (form) {
    case Form_Key::Bmep:
        return Bmep_Report(Bmep_Inputs_Of(entries));
    case Form_Key::Port_Height:
        return PrtHgt_Report(PrtHgt_Inputs_Of(entries));
    case Form_Key::Rect_Port:
        return RectPrt_Report(RectPrt_Inputs_Of(entries));
    case Form_Key::Profiled_Port:
        return ProfPrt_Report(ProfPrt_Inputs_Of(entries));
    case Form_Key::Port_Map:
        return Port_Map_Report(Port_Map_Inputs_Of(entries));
    default:
        throw std::logic_error("not a calculator");
    }
}
