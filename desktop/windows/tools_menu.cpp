// The Tools menu of the front screen. Opening its list returns the front screen to its
// normal state, hides every work window and resets the calculators' displays; choosing an
// item raises ToolJustOpened, puts that calculator into its opening state by writing to
// its controls and shows it.

#include "desktop/windows/bmep_tool.h"
#include "desktop/windows/diam_tool.h"
#include "desktop/windows/hght_tool.h"
#include "desktop/windows/pipe_tool.h"
#include "desktop/windows/pips_menu.h"
#include "desktop/windows/port_tool.h"
#include "desktop/windows/prof_tool.h"
#include "desktop/windows/tool_code.h"

void PipsMenu::SumTools_Click() {
    Hide_Ack_Stuf();
    Hide_Work_Windows();
    Reset_Calculators();
}

void PipsMenu::PD_Tool_Click(int16_t Index) {
    ToolCode::Set_ToolJustOpened();
    Open_Calculator(Index);
}

// Each is created and loaded by this if it does not exist yet.
void PipsMenu::Hide_Calculator_Windows() {
    Win<BMEPTool>().Hide();
    Win<HghtTool>().Hide();
    Win<DiamTool>().Hide();
    Win<ProfTool>().Hide();
    if (Win_Exists<PortTool>()) {
        Win<PortTool>().Hide();
    }
    if (Win_Exists<PipeTool>()) {
        Win<PipeTool>().Hide();
    }
}

void PipsMenu::Reset_Calculators() {
    // What the tuner left in them stays at hand for "Restore Previous Form".
    keeper::Emptying(Win<BMEPTool>());
    keeper::Emptying(Win<DiamTool>());
    keeper::Emptying(Win<HghtTool>());
    Hide_Bhp_Stuf();
    Hide_RectPrt_Stuf();
    Hide_PrtHgt_Stuf();
}

void PipsMenu::Open_Calculator(int16_t Index) {
    switch (Index) {
    case 0: { // BMEP: only the unit choice until a unit is chosen
        BMEPTool& t = Win<BMEPTool>();
        keeper::Emptying(t);
        t.BHP_Opt[0].SetValue(false);
        t.BHP_Opt[1].SetValue(false);
        t.BHP_Fram.Show();
        t.Show();
        break;
    }
    case 1: { // port height
        HghtTool& t = Win<HghtTool>();
        keeper::Emptying(t);
        for (TextBox& f : t.HghtTxt) {
            f.SetText("");
        }
        t.Show();
        break;
    }
    case 2: { // rectangular port
        DiamTool& t = Win<DiamTool>();
        keeper::Emptying(t);
        for (TextBox& f : t.DiamTxt) {
            f.SetText("");
        }
        t.Show();
        break;
    }
    case 3: { // profiled port: only the configuration choice until one is chosen
        ProfTool& t = Win<ProfTool>();
        keeper::Emptying(t);
        t.ProfOpt[0].SetValue(false);
        t.ProfOpt[1].SetValue(false);
        for (int16_t i = 0; i < t.ProfTxt.Count; ++i) {
            t.ProfLab[i].Hide();
            t.ProfTxt[i].SetText("");
            t.ProfTxt[i].Hide();
        }
        t.OrdFram.Hide();
        t.DiamFram.Hide();
        t.ProfLab[8].Hide();
        t.Show();
        break;
    }
    case 4: // the port map: as the tuner left it, the engine being theirs
        Win<PortTool>().Show();
        break;
    default: // the pipe check: as the tuner left it too
        Win<PipeTool>().Show();
        break;
    }
}

// The BMEP calculator back to its unit choice, with its fields emptied and hidden.
void PipsMenu::Hide_Bhp_Stuf() {
    BMEPTool& t = Win<BMEPTool>();
    t.BHP_Fram.Hide();
    for (int16_t i = 0; i < t.BHP_Txt.Count; ++i) {
        t.BHP_Lab[i].Hide();
        t.BHP_Txt[i].SetText("");
        t.BHP_Txt[i].Hide();
    }
    t.BHP_Lab[4].Hide();
}

void PipsMenu::Hide_RectPrt_Stuf() {
    Win<DiamTool>().DiamLab[4].Hide();
}

void PipsMenu::Hide_PrtHgt_Stuf() {
    Win<HghtTool>().HghtLab[4].Hide();
}
