// The Tools menu of the front screen. Opening its list returns the front screen to its
// normal state and hides every work window; choosing an item raises ToolJustOpened and
// opens that calculator.
//
// TOOLS HOOK: the four calculator windows (BMEPTool, HghtTool, DiamTool, ProfTool) plug in
// through the three procedures at the end of this file. Until they exist these reach only
// the front screen and the design window.

#include "app/pips_menu.h"
#include "common/tool_code.h"

void PipsMenu::SumTools_Click() {
    Hide_Ack_Stuf();
    Hide_Work_Windows();
    Reset_Calculators();
}

void PipsMenu::PD_Tool_Click(int16_t Index) {
    ToolCode::Set_ToolJustOpened();
    Open_Calculator(Index);
}

// TOOLS HOOK: hide BMEPTool, HghtTool, DiamTool and ProfTool, in that order (each is
// created and loaded by this if it does not exist yet).
void PipsMenu::Hide_Calculator_Windows() {}

// TOOLS HOOK: Hide_Bhp_Stuf, then Hide_RectPrt_Stuf, then Hide_PrtHgt_Stuf.
void PipsMenu::Reset_Calculators() {}

// TOOLS HOOK: put the calculator of this index (0 BMEP, 1 port height, 2 rectangular port,
// 3 profiled port) into its opening state and show it.
void PipsMenu::Open_Calculator(int16_t) {}
