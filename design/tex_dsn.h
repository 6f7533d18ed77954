#pragma once
// The design window TexDsn: the design inputs, the option groups that decide which inputs
// are needed, the result table and the chamber diagram. "Calculate" runs the input checks
// and the chamber calculation of the core; the window computes nothing itself.

#include "common/win_form.h"
#include "design/pipe_diagram.h"

#include <array>
#include <cstdint>
#include <string>

struct Field_Failure;
struct Sheet_Destination;

class TexDsn : public Form {
public:
    // Colours, &H00BBGGRR.
    static constexpr uint32_t WindowColor = 0x008080FF;
    static constexpr uint32_t FieldColor = 0x00C0FFFF;
    static constexpr uint32_t NoteColor = 0x00C0E0FF;
    static constexpr uint32_t CalculateColor = 0x00FFFF00;
    static constexpr uint32_t PrintColor = 0x00FFC0FF;
    static constexpr uint32_t ReturnColor = 0x00FFC0C0;
    static constexpr uint32_t RuleColor = 0x00C0C0C0;
    // The look of the printed sheet: every background white.
    static constexpr uint32_t PrintWhite = 0x00FFFFFF;
    // Window heights, twips: entry, with the result table and diagram, and while printing.
    static constexpr float EntryHeight = 7300;
    static constexpr float ResultHeight = 9950;
    static constexpr float PrintHeight = 11100;

    // Form-level state, kept for the life of the program (also across a discard).
    struct Vars {
        bool ThreeStage = false;
        int16_t Numdiam = 0;
        int16_t Numlen = 0;
        float PrtDiam = 0;
        float PrtLnth = 0;
        float ETotal = 0;
        std::array<float, 5> Diam{};
        std::array<float, 7> Lnth{};
    };

    TexDsn();
    void Form_Load() override;

    Vars& V;

    Label LabNam{"LabNam"};
    TextBox Text1{"Text1"};
    Ctl_Array<CommandButton, 3> Comd{"Comd"}; // 0 Calculate, 1 Print, 2 Return
    Ctl_Array<Frame, 3> Frame1{"Frame1"};
    Ctl_Array<OptionButton, 6> Option1{"Option1"};

    PictureBox HornPic{"HornPic"};
    PictureBox TempPic{"TempPic"};
    PictureBox BmepPic{"BmepPic"};
    PictureBox BellyPic{"BellyPic"};
    PictureBox TailPic{"TailPic"};
    Ctl_Array<TextBox, 10> Texh{"Texh"};
    Ctl_Array<Label, 7> Labexp{"Labexp"};
    Ctl_Array<Label, 2> SubLab7{"SubLab7"};
    Ctl_Array<Label, 2> SubLab0{"SubLab0"};
    Ctl_Array<Label, 3> SubLab3{"SubLab3"};
    Ctl_Array<Label, 2> SubLab6{"SubLab6"};
    Ctl_Array<Label, 3> SubLab4{"SubLab4"};

    Frame DuctFram{"DuctFram"};
    Ctl_Array<Label, 3> DFLab{"DFLab"};
    RectShape InfoBox;
    Ctl_Array<Label, 5> DctInfo{"DctInfo"};

    Frame OutFrame{"OutFrame"};
    Ctl_Array<Label, 3> LabOut{"LabOut"};
    Label LabDX{"LabDX"};
    TextBox PrtDia{"PrtDia"};
    Label LabLX{"LabLX"};
    TextBox PrtLth{"PrtLth"};
    Ctl_Array<Label, 5> Labdiam{"Labdiam"};
    Ctl_Array<TextBox, 5> Texdiam{"Texdiam"};
    Ctl_Array<Label, 7> Lablen{"Lablen"};
    Ctl_Array<TextBox, 7> Texlen{"Texlen"};
    LineShape Line1, Line2;
    TextBox TexTotLth{"TexTotLth"};

    PictureBox PipPic{"PipPic"};
    Pipe_Diagram Diagram{WindowColor};

private:
    void Comd_Click(int16_t Index);
    void Option1_Click(int16_t Index);
    void Texh_Change(int16_t Index);
    void Texh_Click(int16_t Index);

    void Calculate();
    void Hide_Out_Stuf();
    void Draw_Pipe();

    // "Print": the window restyled for paper, its image printed (or saved as a PDF when
    // no printer is configured) and the screen look restored.
    void Print_Sheet();
    void Print_Image(const Sheet_Destination& to, const std::string& pipeName);
    // The barrel exhaust duct's fields and captions, widened for print or as designed.
    void Duct_Layout(bool forPrint);
    void Prt_Colr_Stuf();
    void Scrn_Colr_Stuf();
    void Colr_Stuf(bool forPrint);
};
