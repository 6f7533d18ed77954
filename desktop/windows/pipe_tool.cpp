#include "desktop/windows/pipe_tool.h"

#include "core/fields/field_check.h"
#include "core/fields/vocabulary.h"
#include "core/screen/palette.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/window_layer/win_geometry.h"
#include "desktop/windows/pipe_overlay.h"
#include "desktop/windows/pips_menu.h"

namespace {

// The window's layout, twips: the four choices across the top, the design's figures in two
// columns with the commands beside them, the measured pipe in two rows (each diameter under
// the length it ends), the figures, and the picture of both pipes at the bottom.
constexpr float Form_Width = 12000, Form_Height = 11300;
constexpr float Frame_Top = 120, Frame_Width = 2800, Frame_Pitch = 2900;
constexpr float Fields_Top = 1200, Row = 480, Caption_Width = 3650, Field_Width = 900;
constexpr float Column_Left[2] = {240, 5150};
constexpr float Measured_Top = 3780, Measured_Pitch = 1900, Measured_Caption = 1050;
constexpr float Lines_Top = 4850, Line_Pitch = 230, Picture_Top = 8600;

const Form_Words& Words() {
    return Words_Of(Form_Key::Pipe_Check);
}

// A caption on one or two lines: the blanks that align it in the design window go.
std::string Single_Spaced(const std::string& caption) {
    std::string out;
    for (char c : caption) {
        if (!(c == ' ' && !out.empty() && out.back() == ' ')) {
            out += c;
        }
    }
    return out;
}

} // namespace

PipeTool::PipeTool()
    : Form("PipeTool", Words().title, Form_Width, Form_Height + Twips::CaptionAllowance,
           Palette::Salmon),
      Kept_Window(Form_Key::Pipe_Check), V(Win_Vars<PipeTool>()) {
    Container& form = Client();
    for (int16_t g = 0; g < PipeFram.Count; ++g) {
        const Choice_Group& group = Words().choices[static_cast<size_t>(g)];
        PipeFram[g].Create(form, 240 + Frame_Pitch * g, Frame_Top, Frame_Width, 900, group.caption);
        for (int16_t w = 0; w < 2; ++w) {
            PipeOpt[static_cast<int16_t>(2 * g + w)].Create(
                PipeFram[g], 150, 280.0F + 300.0F * w, Frame_Width - 250, 255,
                group.words[static_cast<size_t>(w)].caption);
        }
    }

    // The design's figures: the design window's fields but the speed, in two columns.
    const int16_t columns[2][5] = {{TexhHorn, TexhBmep, TexhTemp, TexhMid, TexhTail},
                                   {TexhDX, TexhD1, TexhLX, TexhAngle, -1}};
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < 5; ++r) {
            const float top = Fields_Top + Row * static_cast<float>(r);
            const int16_t i = columns[c][r];
            if (i < 0) {
                NamLab.Create(form, Column_Left[c], top + 30, 1200, 255,
                              Words().Of_Kind(Field_Kind::Free_Text)->caption);
                PipeNam.Create(form, Column_Left[c] + 1250, top, 2600, 285);
                PipeNam.SetBackColor(Palette::Field);
                NamLab.Set_Labelled(PipeNam);
                continue;
            }
            PipeCap[i].Create(form, Column_Left[c], top, Caption_Width, 420,
                              Single_Spaced(Field_Caption(Form_Key::Pipe_Check, i)));
            Create_Field(PipeTxt[i], form, Column_Left[c] + Caption_Width + 50, top, PipeCap[i],
                         Field_Width);
        }
    }
    // The engine speed is what the check finds: its place stays empty.
    PipeCap[TexhSpeed].Create(form, 0, 0, 0, 0, "");
    PipeTxt[TexhSpeed].Create(form, 0, 0, 0, 0);
    PipeCap[TexhSpeed].Hide();
    PipeTxt[TexhSpeed].Hide();

    MeasLab.Create(form, 240, Measured_Top - 280, 6000, 255,
                   "The measured pipe (each diameter under the section it ends):");
    for (int16_t k = 0; k < 6; ++k) {
        const float left = 240 + Measured_Pitch * k;
        const auto add = [&](int16_t i, float top) {
            PipeCap[i].Create(form, left, top + 30, Measured_Caption, 255,
                              Field_Caption(Form_Key::Pipe_Check, i));
            Create_Field(PipeTxt[i], form, left + Measured_Caption, top, PipeCap[i], 800);
        };
        add(static_cast<int16_t>(Pipe_Length_Field + k), Measured_Top);
        if (k >= 1 && k <= 4) {
            add(static_cast<int16_t>(Pipe_Diameter_Field + k - 1), Measured_Top + 400);
        }
    }

    PipeCom[0].Create(form, 10500, Fields_Top, 1260, 600, "Return to Front Screen");
    PipeCom[0].SetBackColor(Palette::Lilac);
    PipeCom[1].Create(form, 10500, Fields_Top + 720, 1260, 600, "Calculate");
    PipeCom[1].SetBackColor(Palette::Light_Cyan);
    Create_Restore_Command(form, 10500, Fields_Top + 1440, 1260, 600);
    Set_Enter_Command(PipeCom[1]);

    for (int16_t i = 0; i < PipeLab.Count; ++i) {
        Create_Result_Line(PipeLab[i], form, 240, Lines_Top + Line_Pitch * i, Form_Width - 480);
        PipeLab[i].SetFont(Win_Font(8));
    }
    Overlay = overlay_ = new Pipe_Overlay_View(Host());
    Overlay->setObjectName(QStringLiteral("PipeOverlay"));
    Overlay->setAccessibleName(
        QStringLiteral("The measured pipe (solid) over the pipe designed for its speed (dashed)"));
    Overlay->setGeometry(
        Twips::ToRect(240, Picture_Top, Form_Width - 480, Form_Height - Picture_Top - 150));

    std::vector<Control*> order;
    for (int16_t g = 0; g < PipeFram.Count; ++g) {
        order.insert(order.end(), {&PipeFram[g], &PipeOpt[static_cast<int16_t>(2 * g)],
                                   &PipeOpt[static_cast<int16_t>(2 * g + 1)]});
    }
    for (int c = 0; c < 2; ++c) {
        for (int16_t i : columns[c]) {
            order.push_back(i < 0 ? static_cast<Control*>(&PipeNam) : &PipeTxt[i]);
        }
    }
    for (int16_t i = Pipe_Length_Field; i < Pipe_Field_Count; ++i) {
        order.push_back(&PipeTxt[i]);
    }
    order.insert(order.end(), {&PipeCom[1], &PipeCom[0], &RestCom});
    int16_t tab = 0;
    for (Control* c : order) {
        c->SetTabIndex(tab++);
    }

    Form_Entries opening;
    for (const Choice_Group& g : Words().choices) {
        if (*g.opening) {
            opening.texts[g.key] = g.opening;
        }
    }
    Put(V.entries ? *V.entries : opening);
    PipeTxt.On_Change([this](int16_t) { Redraw(); });
    PipeNam.On_Change([this] { Redraw(); });
    PipeOpt.On_Click([this](int16_t) { Redraw(); });
    PipeCom.On_Click([this](int16_t i) { PipeCom_Click(i); });
    Redraw();
}

void PipeTool::Form_Load() {
    Show_Front_Screen();
    Hide();
}

Form_Entries PipeTool::Entries() const {
    Form_Entries e;
    for (int16_t g = 0; g < PipeFram.Count; ++g) {
        const Choice_Group& group = Words().choices[static_cast<size_t>(g)];
        const int chosen = PipeOpt[static_cast<int16_t>(2 * g)].Value()       ? 0
                           : PipeOpt[static_cast<int16_t>(2 * g + 1)].Value() ? 1
                                                                              : -1;
        e.texts[group.key] = Word_At(group, chosen);
    }
    e.texts[Words().Of_Kind(Field_Kind::Free_Text)->key] = PipeNam.Text();
    Put_Field_Texts(Words(), Texts_Of(PipeTxt), e);
    return e;
}

void PipeTool::Put(const Form_Entries& entries) {
    for (int16_t g = 0; g < PipeFram.Count; ++g) {
        const int chosen = Chosen(Words().choices[static_cast<size_t>(g)], entries).value_or(-1);
        PipeOpt[static_cast<int16_t>(2 * g)].SetValue(chosen == 0);
        PipeOpt[static_cast<int16_t>(2 * g + 1)].SetValue(chosen == 1);
    }
    PipeNam.SetText(entries[Words().Of_Kind(Field_Kind::Free_Text)->key]);
    const auto texts = Field_Texts<Pipe_Field_Count>(Words(), entries);
    for (int16_t i = 0; i < PipeTxt.Count; ++i) {
        PipeTxt[i].SetText(texts[static_cast<size_t>(i)]);
    }
}

void PipeTool::PipeCom_Click(int16_t Index) {
    if (Index == 0) {
        Hide();
        return;
    }
    Show_Outcome(Calc_Pipe_Check(Pipe_Check_Inputs_Of(Entries())), PipeTxt);
    keeper::Keep(*this);
}

Kept_Form PipeTool::Form_Now() const {
    Kept_Form f;
    f.entries = Entries();
    f.results = figures_.has_value();
    return f;
}

// The figures and the picture follow the form as it is typed.
void PipeTool::Put_Form(const Kept_Form& form) {
    Put(form.entries);
}

void PipeTool::Redraw() {
    const Form_Entries entries = Entries();
    V.entries = entries;
    const Outcome<Pipe_Check_Figures> run = Calc_Pipe_Check(Pipe_Check_Inputs_Of(entries));
    figures_.reset();
    overlay_->pipes.reset();
    std::vector<std::string> lines;
    if (run.ok()) {
        figures_ = run.value;
        const std::string name = Trim_Blanks(PipeNam.Text());
        overlay_->pipes =
            Pipe_Overlay{run.value.measured, run.value.design.state,
                         QString::fromStdString(name.empty() ? Pipe_Check_Measured_Name : name),
                         QString::fromLatin1(Pipe_Check_Designed_Name)};
        lines = Pipe_Check_Lines(run.value);
    }
    for (int16_t i = 0; i < PipeLab.Count; ++i) {
        const bool shown = static_cast<size_t>(i) < lines.size();
        PipeLab[i].SetCaption(shown ? lines[static_cast<size_t>(i)] : "");
        shown ? PipeLab[i].Show() : PipeLab[i].Hide();
    }
    Overlay->repaint();
}
