#include "desktop/windows/tex_dsn.h"
#include "desktop/windows/compare_tool.h"

#include "core/chamber/design_report.h"
#include "core/fields/vocabulary.h"
#include "desktop/window_layer/win_fields.h"

#include <array>
#include <utility>

namespace {
TexDsn::Result_Windows& Hooks() {
    static TexDsn::Result_Windows hooks;
    return hooks;
}

const char* Field_Caption_Of(Texh_Index field) {
    return Field_Caption(Form_Key::Design, field);
}

// Line `k` of the recommended values shown under a field.
std::string Hint_Line(Texh_Index field, int k) {
    std::string hint = Words_Of(Form_Key::Design).At(field)->hint;
    for (; k > 0; --k)
        hint.erase(0, hint.find('\n') + 1);
    return hint.substr(0, hint.find('\n'));
}
} // namespace

void TexDsn::Set_Result_Windows(Result_Windows windows) {
    Hooks() = std::move(windows);
}

TexDsn::TexDsn()
    : Form("TexDsn", Words_Of(Form_Key::Design).title, 10875, 9950, WindowColor),
      Kept_Window(Form_Key::Design), V(Win_Vars<TexDsn>()) {
    Create_Header();
    Create_Option_Groups();
    Create_Input_Panels();
    Create_Duct_Frame();
    Create_Engine_Fields();
    Create_Result_Table();
    Create_Diagram();
    Set_Designed_Tab_Order();
    Create_File_Commands();
    Create_Gas_Figures();
    Create_Restore_Command(Client(), 6300, 1750, 1300, 600);
    Set_Enter_Command(Comd[0]);

    Comd.On_Click([this](int16_t i) { Comd_Click(i); });
    Text1.On_Change([this] { Show_Title(); }); // the title's mark; the results stay
    Option1.On_Click([this](int16_t i) { Option1_Click(i); });
    Texh.On_Change([this](int16_t i) { Texh_Change(i); });
    Texh.On_Click([this](int16_t i) { Texh_Click(i); });
}

// The pipe name and the three commands.
void TexDsn::Create_Header() {
    Container& form = Client();
    LabNam.Create(form, 2120, 260, 840, 250,
                  Words_Of(Form_Key::Design).Of_Kind(Field_Kind::Free_Text)->caption);
    Create_Field(Text1, form, 3080, 220, LabNam, 1000);
    Comd[2].Create(form, 7700, 160, 1200, 600, "Return to Front Screen");
    Comd[0].Create(form, 9200, 160, 1200, 600, "Calculate");
    Comd[1].Create(form, 8450, 1000, 1200, 600, "Print");
    Comd[0].SetBackColor(Palette::Cyan);
    Comd[1].SetBackColor(Palette::Pink);
    Comd[2].SetBackColor(Palette::Lilac);
}

void TexDsn::Create_Option_Groups() {
    Container& form = Client();
    // Each frame an option group, its two buttons the group's words.
    const std::vector<Choice_Group>& groups = Words_Of(Form_Key::Design).choices;
    Frame1[0].Create(form, 380, 620, 1600, 880, groups[0].caption);
    Frame1[1].Create(form, 200, 1650, 2000, 1060, groups[1].caption);
    Frame1[2].Create(form, 200, 4460, 2000, 1060, groups[2].caption);
    const float width[] = {1300, 1700, 1700};
    for (int16_t g = 0; g < Frame1.Count; ++g) {
        const auto& words = groups[static_cast<size_t>(g)].words;
        const float w = width[g];
        Option1[static_cast<int16_t>(2 * g)].Create(Frame1[g], 200, 300, w, 255, words[0].caption);
        Option1[static_cast<int16_t>(2 * g + 1)].Create(Frame1[g], 200, 580, w, g == 0 ? 255 : 400,
                                                        words[1].caption);
    }
}

// The panels of the optional inputs, with their recommended values.
void TexDsn::Create_Input_Panels() {
    Container& form = Client();
    HornPic.Create(form, 2620, 740, 4100, 740);
    Labexp[6].Create(HornPic, 0, 15, 4080, 240, Field_Caption_Of(TexhHorn));
    SubLab7[1].Create(HornPic, 160, 470, 3150, 200, Hint_Line(TexhHorn, 1));
    SubLab7[0].Create(HornPic, 160, 245, 3150, 200, Hint_Line(TexhHorn, 0));
    Create_Field(Texh[7], HornPic, 3360, 360, Labexp[6]);

    TempPic.Create(form, 3050, 1750, 3100, 900);
    Labexp[0].Create(TempPic, 20, 20, 3060, 420, Field_Caption_Of(TexhTemp));
    SubLab0[1].Create(TempPic, 180, 670, 1300, 200, Hint_Line(TexhTemp, 1));
    SubLab0[0].Create(TempPic, 180, 445, 1300, 200, Hint_Line(TexhTemp, 0));
    Create_Field(Texh[0], TempPic, 1500, 520, Labexp[0]);

    BmepPic.Create(form, 6950, 6800, 3100, 900);
    Labexp[3].Create(BmepPic, 20, 20, 3060, 225, Field_Caption_Of(TexhBmep));
    SubLab3[2].Create(BmepPic, 180, 695, 1500, 200, Hint_Line(TexhBmep, 2));
    SubLab3[1].Create(BmepPic, 180, 470, 1500, 200, Hint_Line(TexhBmep, 1));
    SubLab3[0].Create(BmepPic, 180, 245, 1500, 200, Hint_Line(TexhBmep, 0));
    Create_Field(Texh[3], BmepPic, 1700, 420, Labexp[3]);

    BellyPic.Create(form, 3050, 4600, 2740, 700);
    Labexp[5].Create(BellyPic, 20, 20, 2700, 225, Field_Caption_Of(TexhMid));
    SubLab6[1].Create(BellyPic, 180, 470, 1400, 200, Hint_Line(TexhMid, 1));
    SubLab6[0].Create(BellyPic, 180, 245, 1400, 200, Hint_Line(TexhMid, 0));
    Create_Field(Texh[6], BellyPic, 1600, 320, Labexp[5]);

    TailPic.Create(form, 3050, 5580, 2740, 900);
    Labexp[4].Create(TailPic, 20, 20, 2700, 225, Field_Caption_Of(TexhTail));
    SubLab4[2].Create(TailPic, 180, 695, 1350, 200, Hint_Line(TexhTail, 2));
    SubLab4[1].Create(TailPic, 180, 470, 1350, 200, Hint_Line(TexhTail, 1));
    SubLab4[0].Create(TailPic, 180, 245, 1350, 200, Hint_Line(TexhTail, 0));
    Create_Field(Texh[4], TailPic, 1550, 430, Labexp[4]);
}

// The barrel exhaust duct: DX, D1 and LX beside the note on the flange ratio.
void TexDsn::Create_Duct_Frame() {
    DuctFram.Create(Client(), 200, 2900, 7300, 1400, " Barrel Exhaust Duct ");
    DFLab[0].Create(DuctFram, 120, 320, 3100, 255, Field_Caption_Of(TexhDX));
    DFLab[1].Create(DuctFram, 120, 700, 2900, 255, Field_Caption_Of(TexhD1));
    DFLab[2].Create(DuctFram, 120, 1080, 3250, 255, Field_Caption_Of(TexhLX));
    Create_Field(Texh[8], DuctFram, 3260, 280, DFLab[0]);
    Create_Field(Texh[9], DuctFram, 3040, 660, DFLab[1]);
    Create_Field(Texh[5], DuctFram, 3400, 1040, DFLab[2]);
    InfoBox = RectShape{4200, 160, 3030, 1160, true, true, NoteColor, Palette::Black};
    DuctFram.Add_Shape(InfoBox);
    DctInfo[0].Create(DuctFram, 4320, 240, 2800, 240, "Recommended values of the ratio");
    DctInfo[1].Create(DuctFram, 4320, 480, 2900, 240, "Flange Diameter/Effective Port Diameter");
    DctInfo[2].Create(DuctFram, 4320, 760, 500, 240, "are: ");
    DctInfo[3].Create(DuctFram, 4900, 760, 1600, 240, "GP Racer     1.05");
    DctInfo[4].Create(DuctFram, 4900, 1000, 1600, 240, "Enduro         1.125");
    for (Label& l : DctInfo) {
        l.SetBackColor(NoteColor);
    }
}

// Opening angle and engine speed.
void TexDsn::Create_Engine_Fields() {
    Container& form = Client();
    Labexp[1].Create(form, 200, 5700, 1700, 420, Field_Caption_Of(TexhAngle));
    Create_Field(Texh[1], form, 1950, 5760, Labexp[1]);
    Labexp[2].Create(form, 200, 6200, 1750, 420, Field_Caption_Of(TexhSpeed));
    Create_Field(Texh[2], form, 2000, 6260, Labexp[2]);
}

// Under the diameters, where a three-stage table ends at D5: the gas the design used.
void TexDsn::Create_Gas_Figures() {
    const auto gas = Gas_Figures(DsnResult{}); // their captions
    for (int16_t i = 0; i < GasTxt.Count; ++i) {
        const float top = 2860.0F + 400.0F * i;
        GasLab[i].Create(OutFrame, 140, top, 1210, 400, gas[static_cast<size_t>(i)].caption);
        GasLab[i].SetVCentre(true);
        Create_Result_Box(GasTxt[i], OutFrame, 1370, top + 57, GasLab[i], 420);
        GasLab[i].Hide();
        GasTxt[i].Hide();
    }
}

void TexDsn::Create_Result_Table() {
    OutFrame.Create(Client(), 7700, 2000, 3100, 4360, " Exhaust System Dimensions (mm) ");
    LabOut[0].Create(OutFrame, 380, 280, 900, 255, "Diameter");
    LabOut[1].Create(OutFrame, 1980, 280, 900, 255, "Length");
    LabDX.Create(OutFrame, 250, 600, 330, 255, "DX");
    Create_Result_Box(PrtDia, OutFrame, 600, 560, LabDX);
    LabLX.Create(OutFrame, 1800, 620, 360, 255, "LX");
    Create_Result_Box(PrtLth, OutFrame, 2190, 580, LabLX);
    for (int16_t i = 0; i < Labdiam.Count; ++i) {
        const float top = 1060.0F + 360.0F * i;
        Labdiam[i].Create(OutFrame, 250, top, 330, 285, "D" + std::to_string(i + 1));
        Labdiam[i].SetVCentre(true);
        Create_Result_Box(Texdiam[i], OutFrame, 600, top, Labdiam[i]);
    }
    for (int16_t j = 0; j < Lablen.Count; ++j) {
        const float top = 1060.0F + 360.0F * j;
        Lablen[j].Create(OutFrame, 1830, top, 330, 285, "L" + std::to_string(j + 1));
        Lablen[j].SetVCentre(true);
        Create_Result_Box(Texlen[j], OutFrame, 2190, top, Lablen[j]);
    }
    Line2 = LineShape{0, 960, 3120, 960, true, Style_Solid, 1, Palette::Rule_Grey};
    Line1 = LineShape{0, 3700, 3120, 3700, true, Style_Solid, 1, Palette::Rule_Grey};
    OutFrame.Add_Shape(Line2);
    OutFrame.Add_Shape(Line1);
    LabOut[2].Create(OutFrame, 140, 3840, 1950, 420, Tuned_Length_Caption);
    Create_Result_Box(TexTotLth, OutFrame, 2150, 3900, LabOut[2], 780);
}

// The diagram's lines, dots and captions stand in PipPic; Draw_Pipe places them.
void TexDsn::Create_Diagram() {
    PipPic.Create(Client(), 340, 6760, 6500, Diagram_Panel_Height);
    PipPic.SetAccessibleName("Chamber diagram");
    Pipe_Diagram& d = Diagram;
    for (LineShape* l : {&d.Dprt, &d.LPrt, &d.Dx, &d.Lx, &d.LXA}) {
        PipPic.Add_Shape(*l);
    }
    for (LineShape& l : d.LDia) {
        PipPic.Add_Shape(l);
    }
    for (LineShape& l : d.LTop) {
        PipPic.Add_Shape(l);
    }
    for (LineShape& l : d.LBot) {
        PipPic.Add_Shape(l);
    }
    for (LineShape& l : d.Lv) {
        PipPic.Add_Shape(l);
    }
    for (LineShape& l : d.Dv) {
        PipPic.Add_Shape(l);
    }
    for (DotShape& dot : d.DDot) {
        PipPic.Add_Shape(dot);
    }
    PipPic.Add_Shape(d.DxDot);
    PipPic.Add_Shape(d.DotXA);
    for (PaintedLabel& l : d.LLab) {
        PipPic.Add_Shape(l);
    }
    for (PaintedLabel& l : d.DLab) {
        PipPic.Add_Shape(l);
    }
    for (PaintedLabel* l : {&d.DXLab, &d.XLab[0], &d.XLab[1], &d.LXLab}) {
        PipPic.Add_Shape(*l);
    }
}

// The designed tab order of the entry controls, then the commands.
void TexDsn::Set_Designed_Tab_Order() {
    const std::array<Control*, 23> order = {
        &Text1,      &Frame1[0], &Option1[0], &Option1[1], &Frame1[1], &Option1[2],
        &Option1[3], &Frame1[2], &Option1[4], &Option1[5], &Texh[7],   &Texh[0],
        &Texh[3],    &Texh[8],   &Texh[9],    &Texh[5],    &Texh[6],   &Texh[4],
        &Texh[1],    &Texh[2],   &Comd[0],    &Comd[1],    &Comd[2]};
    for (size_t i = 0; i < order.size(); ++i) {
        order[i]->SetTabIndex(static_cast<int16_t>(i));
    }
}

void TexDsn::Form_Load() {
    Hide();
    Show_Front_Screen();
    BmepPic.SetLeft(3050);
    PipPic.Hide();
    PipPic.SetWidth(9400);
    PipPic.SetLeft(750);
    SetHeight(EntryHeight);
    HornPic.SetTop(750);
    Text1.SetWidth(4000);
    for (Frame& f : Frame1) {
        f.Show();
    }
    DuctFram.Show();
    Hide_Out_Stuf();
    for (PictureBox* p : {&HornPic, &TempPic, &BmepPic, &BellyPic, &TailPic}) {
        p->Hide();
    }
}

void TexDsn::Comd_Click(int16_t Index) {
    switch (Index) {
    case 0:
        Calculate();
        keeper::Keep(*this);
        break;
    case 1:
        Print_Sheet();
        break;
    default:
        Hide();
        break;
    }
}

void TexDsn::Option1_Click(int16_t Index) {
    Hide_Out_Stuf();
    switch (Index) {
    case 0: // Two Stage
        V.ThreeStage = false;
        V.Numdiam = 3;
        V.Numlen = 5;
        HornPic.Hide();
        Texh[7].SetText("");
        break;
    case 1: // Three Stage
        V.ThreeStage = true;
        V.Numdiam = 4;
        V.Numlen = 6;
        HornPic.Show();
        Texh[7].SetFocus();
        break;
    case 2: // temperature typed
        if (!Option1[5].Value()) {
            BmepPic.Hide();
            Texh[3].SetText("");
        } else {
            BmepPic.SetTop(4600);
            Texh[3].SetTabIndex(16);
        }
        TempPic.Show();
        Texh[0].SetFocus();
        break;
    case 3: // temperature from the target BMEP
        TempPic.Hide();
        Texh[0].SetText("");
        BmepPic.SetTop(1650);
        BmepPic.Show();
        Texh[3].SetTabIndex(12);
        if (!Option1[5].Value()) {
            Texh[3].SetFocus();
        }
        break;
    case 4: // coefficients typed
        if (Option1[2].Value()) {
            BmepPic.Hide();
            Texh[3].SetText("");
        }
        BellyPic.Show();
        TailPic.Show();
        Texh[6].SetFocus();
        break;
    default: // 5, coefficients from the target BMEP
        BellyPic.Hide();
        TailPic.Hide();
        Texh[6].SetText("");
        Texh[4].SetText("");
        if (Option1[3].Value()) {
            Texh[1].SetFocus();
        } else {
            BmepPic.SetTop(4600);
            BmepPic.Show();
            Texh[3].SetTabIndex(16);
            Texh[3].SetFocus();
        }
        break;
    }
    Show_Title();
}

void TexDsn::Texh_Change(int16_t) {
    if (TexTotLth.Visible()) {
        Hide_Out_Stuf();
    }
    Show_Title();
}

void TexDsn::Texh_Click(int16_t) {
    Hide_Out_Stuf();
}

void TexDsn::Hide_Out_Stuf() {
    // The flat patterns belong to the results on screen: they go with them.
    if (shownDesign_) {
        shownDesign_.reset();
        PatCom.Hide();
        WaveCom.Hide();
        CmpCom.Hide();
        comparison_.reset();
        if (Win_Exists<CmpTool>()) {
            Win<CmpTool>().Hide();
        }
        if (Hooks().hide) {
            Hooks().hide();
        }
    }
    OutFrame.Hide();
    PipPic.Hide();
    SetHeight(EntryHeight);
    for (Label& l : LabOut) {
        l.Hide();
    }
    Comd[1].Hide();
    TexTotLth.Hide();
    for (int16_t i = 0; i < Texdiam.Count; ++i) {
        Labdiam[i].Hide();
        Texdiam[i].Hide();
    }
    for (int16_t j = 0; j < Texlen.Count; ++j) {
        Lablen[j].Hide();
        Texlen[j].Hide();
    }
    for (int16_t i = 0; i < GasTxt.Count; ++i) {
        GasLab[i].Hide();
        GasTxt[i].Hide();
    }
}

Design_Form TexDsn::Read_Form() const {
    Design_Form form;
    form.PipeName = Text1.Text();
    const auto source = [this](int16_t typed, int16_t fromBmep) {
        return Option1[fromBmep].Value() ? Value_Source::FromBmep
               : Option1[typed].Value()  ? Value_Source::Typed
                                         : Value_Source::Unset;
    };
    form.Diffuser = Option1[1].Value()   ? Diffuser_Type::ThreeStage
                    : Option1[0].Value() ? Diffuser_Type::TwoStage
                                         : Diffuser_Type::Unset;
    form.TempSource = source(2, 3);
    form.CoefSource = source(4, 5);
    form.Texh = Texts_Of(Texh);
    return form;
}

void TexDsn::Calculate() {
    // 1.-2. The checks and the chamber: what they assign stays also after a failure.
    const Outcome<Chamber_Design> run = Calc_Design(Read_Form(), V);
    V = run.value.state;
    if (!Show_Outcome(run, Texh)) {
        return;
    }
    // 3.-8. The result table, 9.-10. the diagram.
    Show_Results();
    const auto gas = Gas_Figures(run.value.result);
    for (int16_t i = 0; i < GasTxt.Count; ++i) {
        GasTxt[i].SetText(Box_Text(gas[static_cast<size_t>(i)].text));
        GasLab[i].Show();
        GasTxt[i].Show();
    }
    Draw_Pipe();
    PipPic.Show();
    shownDesign_ = run.value;
    PatCom.Show();
    WaveCom.Show();
    CmpCom.Show();
}

void TexDsn::PatCom_Click() {
    if (shownDesign_ && Hooks().patterns) {
        Hooks().patterns(*shownDesign_, [this] { return designPath_; });
    }
}

void TexDsn::WaveCom_Click() {
    if (shownDesign_ && Hooks().waves) {
        Hooks().waves(*shownDesign_);
    }
}

void TexDsn::Clear_Form() {
    SetHeight(EntryHeight);
    for (OptionButton& o : Option1) {
        o.SetValue(false);
    }
    Text1.SetText("");
    for (TextBox& t : Texh) {
        t.SetText("");
    }
    for (PictureBox* p : {&HornPic, &TempPic, &BmepPic, &BellyPic, &TailPic}) {
        p->Hide();
    }
    Hide_Out_Stuf();
}

void TexDsn::hideEvent(QHideEvent* e) {
    Form::hideEvent(e);
    // Shown again, the window comes empty from the front screen: a design of its own.
    designPath_.clear();
    savedForm_.reset();
    Show_Title();
    if (Hooks().hide) {
        Hooks().hide();
    }
}

void TexDsn::Show_Results() {
    Hide_Out_Stuf();
    SetHeight(ResultHeight);
    OutFrame.Show();
    for (Label& l : LabOut) {
        l.Show();
    }
    Comd[1].Show();
    const Result_Table table = Make_Result_Table(V);
    PrtDia.SetText(Box_Text(table.PrtDia));
    PrtLth.SetText(Box_Text(table.PrtLth));
    for (size_t i = 0; i < table.Texdiam.size(); ++i) {
        const auto k = static_cast<int16_t>(i);
        Labdiam[k].Show();
        Texdiam[k].SetText(Box_Text(table.Texdiam[i]));
        Texdiam[k].Show();
    }
    for (size_t j = 0; j < table.Texlen.size(); ++j) {
        const auto k = static_cast<int16_t>(j);
        Lablen[k].Show();
        Texlen[k].SetText(Box_Text(table.Texlen[j]));
        Texlen[k].Show();
    }
    TexTotLth.SetText(Box_Text(table.TexTotLth));
    TexTotLth.Show();
}

void TexDsn::Draw_Pipe() {
    ::Draw_Pipe(V, PipPic.Width(), Diagram);
    PipPic.Refresh();
}

// ---- The printed design sheet ----
