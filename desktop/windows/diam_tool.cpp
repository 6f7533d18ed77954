#include "desktop/windows/diam_tool.h"

#include "core/calculators/rect_port_calc.h"
#include "core/fields/vocabulary.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/windows/calc_window.h"

#include <array>

DiamTool::DiamTool()
    : Form("DiamTool", Words_Of(Form_Key::Rect_Port).title, 5685, 3135 + Twips::CaptionAllowance,
           Palette::Salmon),
      Kept_Window(Form_Key::Rect_Port) {
    Container& form = Client();

    const float width[] = {1300, 1335, 1900, 2140};
    for (int16_t i = 0; i < 4; ++i) {
        DiamLab[i].Create(form, 360, 480.0F + 480.0F * i, width[i], 255,
                          Field_Caption(Form_Key::Rect_Port, i));
    }
    Create_Result_Line(DiamLab[4], form, 360, 2520, 3800);

    // Each field stands just right of its label.
    const std::array<float, 4> fieldLeft = {1660, 1720, 2320, 2560};
    for (int16_t i = 0; i < DiamTxt.Count; ++i) {
        Create_Field(DiamTxt[i], form, fieldLeft[static_cast<size_t>(i)], 440.0F + 480.0F * i,
                     DiamLab[i]);
    }

    Create_Commands(DiamCom, form, 3880, 240, 1100, Palette::Light_Cyan);
    Create_Restore_Command(form, 3880, 1900, 1200, 600);
    Set_Enter_Command(DiamCom[1]);

    Set_Tab_Order({&DiamTxt[0], &DiamTxt[1], &DiamTxt[2], &DiamTxt[3], &DiamCom[1], &DiamCom[0]});

    DiamTxt.On_Change([this](int16_t i) { DiamTxt_Change(i); });
    DiamCom.On_Click([this](int16_t i) { DiamCom_Click(i); });
}

void DiamTool::DiamTxt_Change(int16_t) {
    DiamLab[4].Hide();
}

void DiamTool::DiamCom_Click(int16_t Index) {
    if (Index == 0) {
        Hide();
    } else {
        Calculate();
        keeper::Keep(*this);
    }
}

void DiamTool::Calculate() {
    const Outcome<RectPrt_Values> r = Calc_RectPrt(RectPrt_Inputs{Texts_Of(DiamTxt)});
    if (!Show_Outcome(r, DiamTxt)) {
        return;
    }
    DiamLab[4].SetCaption(RectPrt_Result_Text(r.value.D));
    DiamLab[4].Show();
    DiamTxt[0].SetFocus();
}

Kept_Form DiamTool::Form_Now() const {
    return Kept_Texts(Form_Key::Rect_Port, DiamTxt, DiamLab[4].Visible());
}

void DiamTool::Put_Form(const Kept_Form& form) {
    Put_Texts(Form_Key::Rect_Port, form, DiamTxt);
}
