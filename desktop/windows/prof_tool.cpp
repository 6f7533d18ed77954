#include "desktop/windows/prof_tool.h"

#include "core/calculators/prof_port_calc.h"
#include "core/fields/vocabulary.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/windows/calc_window.h"
#include "desktop/windows/tool_code.h"

#include <array>

namespace {
// The explanatory panel: how the ordinates of a port are taken.
const std::array<const char*, 7> Info = {
    "Divide the height of the port into equal intervals",
    "and measure the width of the port at its top, at its",
    "bottom and at every division, as an arc length",
    "along the cylinder wall: these are the ordinates.",
    "n intervals give n + 1 ordinates: six intervals give",
    "seven ordinates, numbered 0 (top) to 6 (bottom).",
    "For a bridged pair, measure either one of the ports.",
};
const std::array<float, 7> InfoTop = {80, 320, 560, 800, 1120, 1360, 1680};

// The most intervals: every station has its field.
constexpr auto MaxIntervals =
    static_cast<int16_t>(std::tuple_size<decltype(ProfPrt_Inputs::OrdTxt)>::value - 1);
} // namespace

ProfTool::ProfTool()
    : Form("ProfTool", Words_Of(Form_Key::Profiled_Port).title, 6885,
           8295 + Twips::CaptionAllowance, Palette::Salmon),
      Kept_Window(Form_Key::Profiled_Port), V(Win_Vars<ProfTool>()) {
    Container& form = Client();

    ProfPic.Create(form, 640, 200, 3920, 2050);
    ProfPic.SetBackColor(Palette::Note);
    ProfPic.SetAccessibleName("How to take the ordinates");
    for (int16_t i = 0; i < InfoLab.Count; ++i) {
        const auto k = static_cast<size_t>(i);
        InfoLab[i].Create(ProfPic, 80, InfoTop[k], i < 4 ? 3800 : 3700, 255, Info[k]);
    }

    Create_Commands(ProfCom, form, 5150, 440, 1300, Palette::Light_Cyan);
    Create_Restore_Command(form, 5150, 1960, 1200, 520);
    Set_Enter_Command(ProfCom[1]);

    const Form_Words& words = Words_Of(Form_Key::Profiled_Port);
    const Choice_Group& configuration = words.choices.front();
    ProfFram1.Create(form, 560, 2600, 1840, 980, configuration.caption);
    ProfOpt[0].Create(ProfFram1, 200, 300, 1095, 255, configuration.words[0].caption);
    ProfOpt[1].Create(ProfFram1, 200, 640, 1515, 255, configuration.words[1].caption);

    const auto caption = [](int16_t i) { return Field_Caption(Form_Key::Profiled_Port, i); };
    ProfLab[0].Create(form, 560, 3930, 1400, 255, caption(0));
    ProfLab[1].Create(form, 3560, 2590, 1400, 255, caption(1));
    ProfLab[2].Create(form, 3560, 3030, 1800, 255, caption(2));
    ProfLab[3].Create(form, 3560, 3470, 2000, 255, caption(3));
    ProfLab[4].Create(form, 560, 4390, 1300, 255, caption(4));
    ProfLab[5].Create(form, 560, 4810, 3120, 255, caption(5));
    Create_Field(ProfTxt[0], form, 2040, 3890, ProfLab[0]);
    Create_Field(ProfTxt[1], form, 5040, 2550, ProfLab[1]);
    Create_Field(ProfTxt[2], form, 5440, 2990, ProfLab[2]);
    Create_Field(ProfTxt[3], form, 5660, 3430, ProfLab[3]);
    Create_Field(ProfTxt[4], form, 1880, 4330, ProfLab[4]);
    Create_Field(ProfTxt[5], form, 3760, 4770, ProfLab[5], 320);

    // Designed for ten intervals; "Number of Intervals" narrows and centres it.
    OrdFram.Create(form, OrdFram_Left(MaxIntervals), 5310, OrdFram_Width(MaxIntervals), 1240,
                   words.Of_Kind(Field_Kind::Repeated)->caption);
    for (int16_t i = 0; i < OrdTxt.Count; ++i) {
        LthLab[i].Create(OrdFram, 220.0F + 600.0F * i, 360, 240, 240, std::to_string(i));
        Create_Field(OrdTxt[i], OrdFram, 120.0F + 600.0F * i, 740, LthLab[i], 520);
        OrdTxt[i].SetAccessibleName("Ordinate " + std::to_string(i));
    }

    DiamFram.Create(form, 960, 6960, 4940, 1215, " Equivalent Diameter of the Bridged Port Pair ");
    Create_Result_Line(ProfLab[6], DiamFram, 360, 360, 4400);
    Create_Result_Line(ProfLab[7], DiamFram, 360, 760, 4400);
    Create_Result_Line(ProfLab[8], form, 1700, 7200, 4000);

    // Top to bottom as the fields stand: the bridge fields beside the configuration frame
    // come before the bore.
    Set_Tab_Order({&ProfFram1,  &ProfOpt[0], &ProfOpt[1], &ProfTxt[1], &ProfTxt[2], &ProfTxt[3],
                   &ProfTxt[0], &ProfTxt[4], &ProfTxt[5], &OrdFram,    &OrdTxt[0],  &OrdTxt[1],
                   &OrdTxt[2],  &OrdTxt[3],  &OrdTxt[4],  &OrdTxt[5],  &OrdTxt[6],  &OrdTxt[7],
                   &OrdTxt[8],  &OrdTxt[9],  &OrdTxt[10], &ProfCom[1], &ProfCom[0]});

    ProfOpt.On_Click([this](int16_t i) { ProfOpt_Click(i); });
    ProfTxt.On_Change([this](int16_t i) { ProfTxt_Change(i); });
    OrdTxt.On_Change([this](int16_t i) { OrdTxt_Change(i); });
    ProfCom.On_Click([this](int16_t i) { ProfCom_Click(i); });
}

void ProfTool::Form_Load() {
    Show_Front_Screen();
    Hide();
    ProfLab[8].SetLeft(1700);
    ProfLab[8].SetWidth(4000);
}

void ProfTool::ProfOpt_Click(int16_t Index) {
    if (ToolCode::ToolJustOpened != ToolCode::False) {
        ToolCode::ToolJustOpened = ToolCode::False;
    }
    for (int16_t i = 0; i < ProfTxt.Count; ++i) {
        ProfLab[i].Hide();
        ProfTxt[i].Hide();
    }
    OrdFram.Hide();
    ProfLab[8].Hide();
    DiamFram.Hide();
    if (Index != 0) {
        // Bridged port pair: every field, all of them empty.
        V.BridgedPair = true;
        for (int16_t i = 0; i < ProfTxt.Count; ++i) {
            ProfLab[i].Show();
            ProfTxt[i].SetText("");
            ProfTxt[i].Show();
        }
        ProfTxt[ProfBridgeWidth].SetFocus();
    } else {
        // Single port: bore, height and intervals; the hidden bridge fields keep their text.
        V.BridgedPair = false;
        for (int16_t i : {ProfBore, ProfHeight, ProfIntervals}) {
            ProfLab[i].Show();
            ProfTxt[i].SetText("");
            ProfTxt[i].Show();
        }
        ProfTxt[ProfBore].SetFocus();
    }
}

void ProfTool::ProfTxt_Change(int16_t Index) {
    ProfLab[8].Hide();
    DiamFram.Hide();
    if (Index != ProfIntervals) {
        return;
    }
    OrdFram.Hide();
    const std::string text = ProfTxt[ProfIntervals].Text();
    if (text.empty()) {
        V.NumIntervals = 0;
        return;
    }
    // A count too large for 16 bits is no count at all; the frame stays hidden either way.
    V.NumIntervals = Intervals_Value(text).value_or(0);
    if (const auto n = Intervals_Shown(text)) {
        Show_Stations(*n);
    }
}

// Stations 0 to n shown and emptied, the others hidden with their texts kept, and the
// frame sized to them.
void ProfTool::Show_Stations(int16_t n) {
    for (int16_t i = 0; i <= n; ++i) {
        LthLab[i].Show();
        OrdTxt[i].SetText("");
        OrdTxt[i].Show();
    }
    for (int16_t i = static_cast<int16_t>(n + 1); i < OrdTxt.Count; ++i) {
        LthLab[i].Hide();
        OrdTxt[i].Hide();
    }
    OrdFram.SetWidth(OrdFram_Width(n));
    OrdFram.SetLeft(OrdFram_Left(n));
    OrdFram.Show();
}

void ProfTool::OrdTxt_Change(int16_t) {
    ProfLab[8].Hide();
    DiamFram.Hide();
}

void ProfTool::ProfCom_Click(int16_t Index) {
    if (Index == 0) {
        Hide();
    } else if (ToolCode::ToolJustOpened == ToolCode::False) {
        // Inert until a configuration has been chosen since the window was opened.
        Calculate();
        keeper::Keep(*this);
    }
}

void ProfTool::Calculate() {
    const Outcome<ProfPrt_Values> r =
        Calc_ProfPrt(ProfPrt_Inputs{V.BridgedPair, Texts_Of(ProfTxt), Texts_Of(OrdTxt)});
    if (r.value.NumIntervals) {
        V.NumIntervals = *r.value.NumIntervals;
    }
    if (!Show_Outcome(r, ProfTxt, OrdTxt)) {
        return;
    }
    if (!V.BridgedPair) {
        ProfLab[8].SetCaption(ProfPrt_Single_Text(r.value.d));
        ProfLab[8].SetLeft(1700);
        ProfLab[8].Show();
    } else {
        ProfLab[6].SetCaption(ProfPrt_Constant_Text(r.value.dC));
        ProfLab[7].SetCaption(ProfPrt_Widened_Text(r.value.dW));
        DiamFram.Show();
    }
    ProfTxt[ProfBore].SetFocus();
}

Kept_Form ProfTool::Form_Now() const {
    const Form_Words& words = Words_Of(Form_Key::Profiled_Port);
    Kept_Form f;
    f.entries.texts[words.choices.front().key] = Chosen_Word(words.choices.front(), ProfOpt);
    // What the window shows: the fields and stations it hides keep texts of no account.
    std::array<std::string, 6> texts;
    for (int16_t i = 0; i < ProfTxt.Count; ++i) {
        texts[static_cast<size_t>(i)] = ProfTxt[i].Visible() ? ProfTxt[i].Text() : "";
    }
    Put_Field_Texts(words, texts, f.entries);
    for (int16_t i = 0; i < OrdTxt.Count && OrdFram.Visible() && OrdTxt[i].Visible(); ++i) {
        f.entries.stations.push_back(OrdTxt[i].Text());
    }
    f.results = ProfLab[8].Visible() || DiamFram.Visible();
    return f;
}

// As the Tools menu opens the window and the tuner then chooses the configuration and types:
// the number of intervals (the last field) before the ordinates it offers.
void ProfTool::Put_Form(const Kept_Form& form) {
    const Form_Words& words = Words_Of(Form_Key::Profiled_Port);
    ToolCode::Set_ToolJustOpened();
    const int configuration = Chosen_Place(words.choices.front(), form);
    if (configuration >= 0) {
        ProfOpt[static_cast<int16_t>(configuration)].Click();
    }
    const auto texts = Field_Texts<6>(words, form.entries);
    for (int16_t i = 0; i < ProfTxt.Count; ++i) {
        ProfTxt[i].SetText(texts[static_cast<size_t>(i)]);
    }
    for (int16_t i = 0; i < OrdTxt.Count; ++i) {
        const auto k = static_cast<size_t>(i);
        OrdTxt[i].SetText(k < form.entries.stations.size() ? form.entries.stations[k] : "");
    }
}
