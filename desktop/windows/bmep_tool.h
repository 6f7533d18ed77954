#pragma once
// The BMEP calculator BMEPTool: the power unit choice, bore, stroke, engine speed and power,
// and the brake mean effective pressure as its result line. "Calculate" hands the texts to
// Calc_Bmep and shows what it returns.

#include "desktop/window_layer/win_form.h"
#include "desktop/windows/form_keeper.h"

#include <cstdint>

class BMEPTool : public Form, public Kept_Window {
public:
    // Kept for the life of the program, also across a discard of the window.
    struct Vars {
        bool Power_In_Hp = false;
    };

    BMEPTool();
    void Form_Load() override;

    Vars& V;

    Frame BHP_Fram{"BHP_Fram"};
    Ctl_Array<OptionButton, 2> BHP_Opt{"BHP_Opt"};  // 0 hp, 1 kW
    Ctl_Array<Label, 5> BHP_Lab{"BHP_Lab"};         // 4: the result line
    Ctl_Array<TextBox, 4> BHP_Txt{"BHP_Txt"};       // bore, stroke, speed, power
    Ctl_Array<CommandButton, 2> ToolCom{"ToolCom"}; // 0 Return, 1 Calculate

    Kept_Form Form_Now() const override;
    void Put_Form(const Kept_Form& form) override;
    CommandButton& Calculate_Command() override { return ToolCom[1]; }

private:
    void BHP_Opt_Click(int16_t Index);
    void BHP_Txt_Change(int16_t Index);
    void ToolCom_Click(int16_t Index);
    void Calculate();
};
