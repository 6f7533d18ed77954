#include "desktop/windows/hght_tool.h"

#include "core/calculators/port_height_calc.h"
#include "core/fields/vocabulary.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/windows/calc_window.h"

#include <array>

HghtTool::HghtTool()
    : Form("HghtTool", Words_Of(Form_Key::Port_Height).title, 5685, 3195 + Twips::CaptionAllowance,
           Palette::Salmon),
      Kept_Window(Form_Key::Port_Height) {
    Container& form = Client();

    const float width[] = {1460, 2200, 2700, 2600};
    for (int16_t i = 0; i < 4; ++i) {
        HghtLab[i].Create(form, 360, 480.0F + 480.0F * i, width[i], 255,
                          Field_Caption(Form_Key::Port_Height, i));
    }
    Create_Result_Line(HghtLab[4], form, 360, 2520, 2300);

    // Each field stands just right of its label.
    const std::array<float, 4> fieldLeft = {1820, 2580, 3080, 3000};
    for (int16_t i = 0; i < HghtTxt.Count; ++i) {
        Create_Field(HghtTxt[i], form, fieldLeft[static_cast<size_t>(i)], 440.0F + 480.0F * i,
                     HghtLab[i]);
    }

    Create_Commands(HghtCom, form, 4180, 240, 1100, Palette::Light_Cyan);
    Create_Restore_Command(form, 4180, 1900, 1200, 600);
    Set_Enter_Command(HghtCom[1]);

    Set_Tab_Order({&HghtTxt[0], &HghtTxt[1], &HghtTxt[2], &HghtTxt[3], &HghtCom[1], &HghtCom[0]});

    HghtTxt.On_Change([this](int16_t i) { HghtTxt_Change(i); });
    HghtCom.On_Click([this](int16_t i) { HghtCom_Click(i); });
}

void HghtTool::HghtTxt_Change(int16_t) {
    HghtLab[4].Hide();
}

void HghtTool::HghtCom_Click(int16_t Index) {
    if (Index == 0) {
        Hide();
    } else {
        Calculate();
        keeper::Keep(*this);
    }
}

void HghtTool::Calculate() {
    const Outcome<float> r = Calc_PrtHgt(PrtHgt_Inputs{Texts_Of(HghtTxt)});
    if (!Show_Outcome(r, HghtTxt)) {
        return;
    }
    // The focus stays where it is (on "Calculate" after a click).
    HghtLab[4].SetCaption(PrtHgt_Result_Text(r.value));
    HghtLab[4].Show();
}

Kept_Form HghtTool::Form_Now() const {
    return Kept_Texts(Form_Key::Port_Height, HghtTxt, HghtLab[4].Visible());
}

void HghtTool::Put_Form(const Kept_Form& form) {
    Put_Texts(Form_Key::Port_Height, form, HghtTxt);
}
