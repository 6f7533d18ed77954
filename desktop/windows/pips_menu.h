#pragma once
// The front screen PipsMenu: title block, logo panel, acknowledgment panel and the menu
// bar from which every work window is opened. Closing it ends the program.

#include "desktop/window_layer/win_form.h"

#include <array>
#include <cstdint>
#include <string>

class QAction;
class QMenu;
class QMenuBar;

class PipsMenu : public Form {
public:
    struct Vars {};

    PipsMenu();
    void Form_Load() override;

    Label Label2{"Label2"};
    Label Label3{"Label3"};
    Label Label4{"Label4"};
    Label Label5{"Label5"};
    PictureBox Picture1{"Picture1"};
    std::array<LineShape, 26> Line{}; // Line1 .. Line26 are Line[0] .. Line[25]
    Label Label1{"Label1"};
    Label Label6{"Label6"};
    Label Label7{"Label7"};
    PictureBox Picture2{"Picture2"};
    Label AckTit{"AckTit"};
    Ctl_Array<Label, 5> InfoLab{"InfoLab"};
    CommandButton ClearCom{"ClearCom"};
    Label VerLab{"VerLab"}; // the program's version, in the panel beside its title

    // The menu bar.
    QMenuBar* MenuBar = nullptr;
    QAction* InfoScrn = nullptr;
    QAction* PipeVals = nullptr;
    QMenu* SumTools = nullptr;
    std::array<QAction*, 6> PD_Tool{};
    QAction* ExitProg = nullptr;

protected:
    void Frame_Close() override;

private:
    void InfoScrn_Click();
    void PipeVals_Click();
    void ExitProg_Click();
    void ClearCom_Click();
    void SumTools_Click();
    void PD_Tool_Click(int16_t Index);

    void Hide_Ack_Stuf();
    void Hide_Work_Windows();

    // The calculator windows' side of the Tools menu (tools_menu.cpp).
    void Hide_Calculator_Windows();
    void Reset_Calculators();
    void Open_Calculator(int16_t Index);
    void Hide_Bhp_Stuf();
    void Hide_RectPrt_Stuf();
    void Hide_PrtHgt_Stuf();
};

// Starts the program: makes this window the front screen that the work windows show, then
// loads and shows it.
void Start_Program();

// Opens the design window with the design of this file, as "Open Design..." does: the
// program started with a design file, or one given to it by the desktop.
void Open_Design_At_Start(const std::string& path);
