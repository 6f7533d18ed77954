#pragma once
// The design window TexDsn: the design inputs, the option groups that decide which inputs
// are needed, the result table and the chamber diagram. "Calculate" runs the input checks
// and the chamber calculation of the core; the window computes nothing itself.

#include "core/chamber/design_file.h"
#include "core/chamber/design_pipeline.h"
#include "core/chamber/pipe_diagram.h"
#include "core/screen/palette.h"
#include "desktop/window_layer/win_form.h"
#include "desktop/windows/form_keeper.h"
#include "desktop/windows/pipe_overlay.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QHideEvent;
class QMenu;

struct Sheet_Destination;

class TexDsn : public Form, public Kept_Window {
public:
    // Window heights, twips: entry, with the result table and diagram, and while printing.
    static constexpr float EntryHeight = 7300;
    static constexpr float ResultHeight = 9950;
    static constexpr float PrintHeight = 11100;

    // Form-level state, kept for the life of the program (also across a discard): what the
    // design pipeline assigns as it reads the fields and computes the chamber.
    using Vars = Design_State;

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

    // The gas the design used, in the result table's free space under the diameters.
    Ctl_Array<Label, 2> GasLab{"GasLab"};
    Ctl_Array<TextBox, 2> GasTxt{"GasTxt"};

    PictureBox PipPic{"PipPic"};
    Pipe_Diagram Diagram{Palette::Salmon};

    // Design files and the flat patterns, in free space right of the coefficient panels:
    // FileCom 0 "Open Design...", 1 "Save Design", 2 "Save As...", RecentCom "Recent Designs"
    // under Open with its list RecentMenu, and PatCom "Flat Patterns...", shown with the
    // results only; WaveCom "Wave Diagram..." beside Print, shown with the results only.
    // Ctrl+O, Ctrl+S and Ctrl+Shift+S too.
    Ctl_Array<CommandButton, 3> FileCom{"FileCom"};
    CommandButton RecentCom{"RecentCom"};
    QMenu* RecentMenu = nullptr;
    CommandButton PatCom{"PatCom"};
    CommandButton WaveCom{"WaveCom"};
    // "Compare With..." under the result table, shown with the results only: the design on
    // screen beside the one of a design file. While a comparison is open the printed sheet
    // carries it under the diagram (CmpSheet, hidden on screen).
    CommandButton CmpCom{"CmpCom"};
    Pipe_Overlay_View* CmpSheet = nullptr;
    static constexpr float Comparison_Height = 4800; // added to the printed sheet

    // Opens a design file as if the tuner had typed it and runs Calculate, so that its
    // results, warnings and messages appear as for typed input. A file that cannot be
    // opened changes nothing; a box says why.
    void Open_Design_File(const std::string& path);
    // A file dropped on the window: one local file opens as above. True when taken.
    bool Open_Dropped(const QMimeData& data);
    // The option groups' choices and the fields' texts, as the pipeline takes them.
    Design_Form Read_Form() const;

    // The form as it is kept between runs, and put back (Kept_Window).
    Kept_Form Form_Now() const override;
    void Put_Form(const Kept_Form& form) override;
    CommandButton& Calculate_Command() override { return Comd[0]; }

    // How the windows that belong to the design on screen (its flat patterns, its wave
    // diagram) are shown, and taken down when its results are hidden. The program sets
    // them: those windows are not this one's.
    struct Result_Windows {
        // The design, and where to ask for the file it was opened from or saved to (empty
        // while it has none), which its patterns must not take the place of.
        std::function<void(const Chamber_Design&, std::function<std::string()>)> patterns;
        std::function<void(const Chamber_Design&)> waves;
        std::function<void()> hide;
    };
    static void Set_Result_Windows(Result_Windows windows);

private:
    // The screen colours of the window (its print look is white throughout).
    static constexpr uint32_t WindowColor = Palette::Salmon;
    static constexpr uint32_t FieldColor = Palette::Field;
    static constexpr uint32_t NoteColor = Palette::Note;
    static constexpr uint32_t PrintWhite = Palette::White;

    // The window's parts, built in this order (the file commands: tex_dsn_files.cpp).
    void Create_Header();
    void Create_Option_Groups();
    void Create_Input_Panels();
    void Create_Duct_Frame();
    void Create_Engine_Fields();
    void Create_Result_Table();
    void Create_Diagram();
    void Set_Designed_Tab_Order();
    void Create_File_Commands();
    void Create_Gas_Figures();

    void Show_Results();

    void Comd_Click(int16_t Index);
    void FileCom_Click(int16_t Index);
    void PatCom_Click();
    void WaveCom_Click();
    void CmpCom_Click();
    // A design file's form, or a box saying why there is none.
    std::optional<Design_File_Read> Read_Design_At(const std::string& path);
    // The comparison while its window is open.
    bool Comparing() const;

    // The design file behind the window: asking where when `askWhere` or when there is none
    // (tex_dsn_files.cpp).
    void Open_Design();
    void Save_Design(bool askWhere);
    // The window's opening state: no option set, every field empty, no panel, no results.
    void Clear_Form();
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    // Hidden from the front screen or by "Return": the flat patterns go too.
    void hideEvent(QHideEvent* e) override;

    // The form typed in as the tuner would: the options first (they empty and show
    // fields), then the texts.
    void Type_Form(const Design_Form& form);
    // The recent designs' list as the menu opens, and a design chosen from it.
    void Fill_Recent_Menu();
    void Open_Recent(const std::string& path);
    // The window's title: the caption, the design file and a mark for unsaved changes.
    void Show_Title();
    bool Unsaved() const;

    std::string designPath_;                    // the file last opened or saved
    std::optional<Form_Entries> savedForm_;     // the form as that file holds it
    std::optional<Chamber_Design> shownDesign_; // the design whose results are on screen
    std::optional<Pipe_Overlay> comparison_;    // beside it, while its window is open
    void Option1_Click(int16_t Index);
    void Texh_Change(int16_t Index);
    void Texh_Click(int16_t Index);

    void Calculate();
    void Hide_Out_Stuf();
    void Draw_Pipe();

    // "Print": the window restyled for paper, its image printed (or saved as a PDF when
    // no printer is configured) and the screen look restored (tex_dsn_print.cpp).
    void Print_Sheet();
    void Print_Image(const Sheet_Destination& to, const std::string& pipeName);
    // The barrel exhaust duct's fields and captions, widened for print or as designed.
    void Duct_Layout(bool forPrint);
    void Prt_Colr_Stuf();
    void Scrn_Colr_Stuf();
    void Colr_Stuf(bool forPrint);
};
