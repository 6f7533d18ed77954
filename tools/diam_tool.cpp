#include "tools/diam_tool.h"

#include "tools/calc_window.h"
#include "tools/rect_port_calc.h"

#include <array>

DiamTool::DiamTool()
    : Form("DiamTool", "Rectangular Port Equivalent Diameter", 5685, 3135 + Twips::CaptionAllowance,
           Calc_Look::WindowColor) {
    Container& form = Client();

    DiamLab[0].Create(form, 360, 480, 1300, 255, "Port Width (mm):");
    DiamLab[1].Create(form, 360, 960, 1335, 255, "Port Height (mm):");
    DiamLab[2].Create(form, 360, 1440, 1900, 255, "Top Corners Radius (mm):");
    DiamLab[3].Create(form, 360, 1920, 2140, 255, "Bottom Corners Radius (mm):");
    Create_Result(DiamLab[4], form, 360, 2520, 3800);

    // Each field stands just right of its label.
    const std::array<float, 4> fieldLeft = {1660, 1720, 2320, 2560};
    for (int16_t i = 0; i < DiamTxt.Count; ++i) {
        Create_Field(DiamTxt[i], form, fieldLeft[static_cast<size_t>(i)], 440.0F + 480.0F * i, 615,
                     DiamLab[i]);
    }

    Create_Commands(DiamCom, form, 3880, 240, 1100, Calc_Look::CalculateColor);

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
    }
}

void DiamTool::Calculate() {
    const RectPrt_Inputs in{DiamTxt[0].Text(), DiamTxt[1].Text(), DiamTxt[2].Text(),
                            DiamTxt[3].Text()};
    const Outcome<RectPrt_Values> r = Calc_RectPrt(in);
    if (!r.ok()) {
        Show_Failure(*r.failure, DiamTxt);
        return;
    }
    DiamLab[4].SetCaption(RectPrt_Result_Text(r.value.D));
    DiamLab[4].Show();
    DiamTxt[0].SetFocus();
}
