#include "desktop/windows/bmep_tool.h"

#include "core/calculators/bmep_calc.h"
#include "core/fields/vocabulary.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/windows/calc_window.h"
#include "desktop/windows/tool_code.h"

BMEPTool::BMEPTool()
    : Form("BMEPTool", Words_Of(Form_Key::Bmep).title, 5685, 4200 + Twips::CaptionAllowance,
           Palette::Salmon),
      Kept_Window(Form_Key::Bmep), V(Win_Vars<BMEPTool>()) {
    Container& form = Client();

    const Choice_Group& units = Words_Of(Form_Key::Bmep).choices.front();
    BHP_Fram.Create(form, 360, 240, 1600, 980, units.caption);
    BHP_Opt[0].Create(BHP_Fram, 480, 300, 800, 195, units.words[0].caption);
    BHP_Opt[1].Create(BHP_Fram, 480, 640, 800, 195, units.words[1].caption);

    const float width[] = {1500, 1500, 1600, 1500};
    for (int16_t i = 0; i < 4; ++i) {
        BHP_Lab[i].Create(form, 360, 1560.0F + 480.0F * i, width[i], 255,
                          Field_Caption(Form_Key::Bmep, i));
    }
    Create_Result_Line(BHP_Lab[4], form, 360, 3600, 4000);
    for (int16_t i = 0; i < BHP_Txt.Count; ++i) {
        Create_Field(BHP_Txt[i], form, 1920, 1520.0F + 480.0F * i, BHP_Lab[i]);
    }

    Create_Commands(ToolCom, form, 3880, 240, 1100, Palette::Cyan);
    Create_Restore_Command(form, 3880, 1900, 1200, 600);
    Set_Enter_Command(ToolCom[1]);

    Set_Tab_Order({&BHP_Fram, &BHP_Opt[0], &BHP_Opt[1], &BHP_Txt[0], &BHP_Txt[1], &BHP_Txt[2],
                   &BHP_Txt[3], &ToolCom[1], &ToolCom[0]});

    BHP_Opt.On_Click([this](int16_t i) { BHP_Opt_Click(i); });
    BHP_Txt.On_Change([this](int16_t i) { BHP_Txt_Change(i); });
    ToolCom.On_Click([this](int16_t i) { ToolCom_Click(i); });
}

void BMEPTool::Form_Load() {
    Show_Front_Screen();
    Hide();
}

void BMEPTool::BHP_Opt_Click(int16_t Index) {
    BHP_Lab[3].SetCaption(
        Words_Of(Form_Key::Bmep).choices.front().words[static_cast<size_t>(Index)].fieldCaption);
    V.Power_In_Hp = Index == 0;
    if (ToolCode::ToolJustOpened == ToolCode::False) {
        // A change of unit: only the power needs typing again.
        BHP_Lab[4].Hide();
        BHP_Txt[3].SetText("");
        BHP_Txt[3].SetFocus();
        return;
    }
    // The first unit chosen since the window was opened offers the fields.
    ToolCode::ToolJustOpened = ToolCode::False;
    for (int16_t i = 0; i < BHP_Txt.Count; ++i) {
        BHP_Txt[i].SetText("");
        BHP_Lab[i].Show();
        BHP_Txt[i].Show();
    }
    BHP_Txt[0].SetFocus();
}

void BMEPTool::BHP_Txt_Change(int16_t) {
    BHP_Lab[4].Hide();
}

void BMEPTool::ToolCom_Click(int16_t Index) {
    if (Index == 0) {
        Hide();
    } else if (ToolCode::ToolJustOpened == ToolCode::False) {
        Calculate();
        keeper::Keep(*this);
    }
}

void BMEPTool::Calculate() {
    const Outcome<Bmep_Values> r = Calc_Bmep(Bmep_Inputs{Texts_Of(BHP_Txt), V.Power_In_Hp});
    if (!Show_Outcome(r, BHP_Txt)) {
        return;
    }
    BHP_Lab[4].SetCaption(Bmep_Result_Text(r.value.BMEP));
    BHP_Lab[4].Show();
    BHP_Txt[0].SetFocus();
}

Kept_Form BMEPTool::Form_Now() const {
    const Form_Words& words = Words_Of(Form_Key::Bmep);
    Kept_Form f;
    f.entries.texts[words.choices.front().key] = Chosen_Word(words.choices.front(), BHP_Opt);
    Put_Field_Texts(words, Texts_Of(BHP_Txt), f.entries);
    f.results = BHP_Lab[4].Visible();
    return f;
}

// As the Tools menu opens the window and the tuner then chooses the unit and types.
void BMEPTool::Put_Form(const Kept_Form& form) {
    const Form_Words& words = Words_Of(Form_Key::Bmep);
    ToolCode::Set_ToolJustOpened();
    BHP_Fram.Show();
    const int unit = Chosen_Place(words.choices.front(), form);
    if (unit >= 0) {
        BHP_Opt[static_cast<int16_t>(unit)].Click();
    }
    const auto texts = Field_Texts<4>(words, form.entries);
    for (int16_t i = 0; i < BHP_Txt.Count; ++i) {
        BHP_Txt[i].SetText(texts[static_cast<size_t>(i)]);
    }
}
