#pragma once
// The port height calculator HghtTool: stroke, rod length and the two timing angles, and
// the exhaust port height as its result line. "Calculate" hands the texts to Calc_PrtHgt
// and shows what it returns.

#include "desktop/window_layer/win_form.h"
#include "desktop/windows/form_keeper.h"

#include <cstdint>

class HghtTool : public Form, public Kept_Window {
public:
    struct Vars {};

    HghtTool();

    Ctl_Array<Label, 5> HghtLab{"HghtLab"};         // 4: the result line
    Ctl_Array<TextBox, 4> HghtTxt{"HghtTxt"};       // stroke, rod, start angle, full angle
    Ctl_Array<CommandButton, 2> HghtCom{"HghtCom"}; // 0 Return, 1 Calculate

    Kept_Form Form_Now() const override;
    void Put_Form(const Kept_Form& form) override;
    CommandButton& Calculate_Command() override { return HghtCom[1]; }

private:
    void HghtTxt_Change(int16_t Index);
    void HghtCom_Click(int16_t Index);
    void Calculate();
};
