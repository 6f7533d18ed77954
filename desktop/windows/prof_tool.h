#pragma once
// The profiled port calculator ProfTool: the port configuration (single port or bridged
// port pair), bore, port height, bridge dimensions, the number of intervals and one
// ordinate per station, and one or two equivalent diameters as its result. "Calculate"
// hands the texts to Calc_ProfPrt and shows what it returns.

#include "desktop/window_layer/win_form.h"
#include "desktop/windows/form_keeper.h"

#include <cstdint>

class ProfTool : public Form, public Kept_Window {
public:
    // Kept for the life of the program, also across a discard of the window.
    struct Vars {
        bool BridgedPair = false;
        int16_t NumIntervals = 0; // last read from the intervals field, 0 when empty
    };

    // The ordinate frame for n intervals (4 to 10): n + 1 stations 600 apart, centred at
    // 3420 whatever the count.
    static float OrdFram_Width(int16_t n) { return static_cast<float>(n) * 600.0F + 760.0F; }
    static float OrdFram_Left(int16_t n) { return static_cast<float>(10 - n) * 300.0F + 40.0F; }

    ProfTool();
    void Form_Load() override;

    Vars& V;

    PictureBox ProfPic{"ProfPic"};
    Ctl_Array<Label, 7> InfoLab{"InfoLab"};
    Ctl_Array<CommandButton, 2> ProfCom{"ProfCom"}; // 0 Return, 1 Calculate
    Frame ProfFram1{"ProfFram1"};
    Ctl_Array<OptionButton, 2> ProfOpt{"ProfOpt"}; // 0 single port, 1 bridged port pair
    // 0 bore, 1 bridge width, 2 top radius, 3 bottom radius, 4 port height, 5 intervals;
    // labels 6 and 7 are the bridged-pair results, 8 the single-port result.
    Ctl_Array<Label, 9> ProfLab{"ProfLab"};
    Ctl_Array<TextBox, 6> ProfTxt{"ProfTxt"};
    Frame OrdFram{"OrdFram"};
    Ctl_Array<Label, 11> LthLab{"LthLab"};
    Ctl_Array<TextBox, 11> OrdTxt{"OrdTxt"};
    Frame DiamFram{"DiamFram"};

    Kept_Form Form_Now() const override;
    void Put_Form(const Kept_Form& form) override;
    CommandButton& Calculate_Command() override { return ProfCom[1]; }

private:
    void ProfOpt_Click(int16_t Index);
    void ProfTxt_Change(int16_t Index);
    void OrdTxt_Change(int16_t Index);
    void ProfCom_Click(int16_t Index);
    void Calculate();
    void Show_Stations(int16_t n);
};
