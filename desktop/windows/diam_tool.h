#pragma once
// The rectangular port calculator DiamTool: width, height and the two corner radii of the
// port, and the diameter of the circle of equal area as its result line. "Calculate" hands
// the texts to Calc_RectPrt and shows what it returns.

#include "desktop/window_layer/win_form.h"
#include "desktop/windows/form_keeper.h"

#include <cstdint>

class DiamTool : public Form, public Kept_Window {
public:
    struct Vars {};

    DiamTool();

    Ctl_Array<Label, 5> DiamLab{"DiamLab"};         // 4: the result line
    Ctl_Array<TextBox, 4> DiamTxt{"DiamTxt"};       // width, height, top radius, bottom radius
    Ctl_Array<CommandButton, 2> DiamCom{"DiamCom"}; // 0 Return, 1 Calculate

    Kept_Form Form_Now() const override;
    void Put_Form(const Kept_Form& form) override;
    CommandButton& Calculate_Command() override { return DiamCom[1]; }

private:
    void DiamTxt_Change(int16_t Index);
    void DiamCom_Click(int16_t Index);
    void Calculate();
};
