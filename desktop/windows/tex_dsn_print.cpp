// The design window's printed sheet: the print look (white, flat fields, no commands), the
// image of the window on paper or in a PDF, and the screen look again however that ends.

#include "desktop/window_layer/win_msgbox.h"
#include "desktop/windows/print_sheet.h"
#include "desktop/windows/tex_dsn.h"

#include <new>
#include <utility>
#include <vector>

namespace {
// Runs its function when it goes out of scope, also when an exception leaves the scope.
template <class F> class On_Exit {
public:
    explicit On_Exit(F f) : f_(std::move(f)) {}
    ~On_Exit() { f_(); }
    On_Exit(const On_Exit&) = delete;
    On_Exit& operator=(const On_Exit&) = delete;

private:
    F f_;
};
} // namespace

void TexDsn::Print_Sheet() {
    const std::string pipeName = Text1.Text();
    Sheet_Destination to;
    bool failed = false;
    std::string reason;
    try {
        // Where the sheet goes is settled first, so that a save dialog opens over the
        // window as the user knows it.
        to = Choose_Sheet_Destination(pipeName, this);
        if (to.kind == Sheet_Destination::Kind::None) {
            return; // the save dialog was cancelled
        }
        Print_Image(to, pipeName);
    } catch (const std::bad_alloc&) {
        failed = true;
        reason = "There is not enough memory for the image of the window.";
    } catch (const std::exception& e) {
        failed = true;
        reason = e.what();
    } catch (...) {
        failed = true;
    }
    if (failed) {
        const Sheet_Message m = Sheet_Failure_Message(to, reason);
        MsgBox(m.prompt, m.title);
    }
}

void TexDsn::Print_Image(const Sheet_Destination& to, const std::string& pipeName) {
    // No focus while printing: a hidden command would pass it on to a field, which would
    // then show its cursor or a selection on paper. It comes back afterwards.
    Control* const focus = ActiveControl();
    if (QWidget* w = focusWidget()) {
        w->clearFocus();
    }
    // 5.-7. The screen look, however the print ends.
    const bool comparing = Comparing();
    const On_Exit restore([this, focus] {
        CmpSheet->hide();
        SetHeight(ResultHeight);
        Duct_Layout(false);
        Scrn_Colr_Stuf();
        if (focus && focus->Visible()) {
            focus->SetFocus();
        }
    });
    // 1.-3. The print look.
    Duct_Layout(true);
    Prt_Colr_Stuf();
    SetHeight(PrintHeight + (comparing ? Comparison_Height : 0));
    if (comparing) {
        CmpSheet->pipes = comparison_;
        CmpSheet->show();
    }
    // 4. The image of the client area, on paper or in the PDF.
    Output_Sheet(*Host(), to, pipeName);
}

void TexDsn::Duct_Layout(bool forPrint) {
    const auto pick = [forPrint](float print, float screen) { return forPrint ? print : screen; };
    DuctFram.SetWidth(pick(7400, 7300));
    InfoBox.Width = pick(3130, 3030);
    DuctFram.Refresh();
    DctInfo[1].SetWidth(pick(3050, 2900));
    Texh[8].SetLeft(pick(3420, 3260));
    Texh[9].SetLeft(pick(3260, 3040));
    Texh[5].SetLeft(pick(3550, 3400));
    DFLab[0].SetWidth(pick(3200, 3100));
    DFLab[1].SetWidth(pick(3050, 2900));
    DFLab[2].SetWidth(pick(3350, 3250));
}

void TexDsn::Prt_Colr_Stuf() {
    Colr_Stuf(true);
}

void TexDsn::Scrn_Colr_Stuf() {
    Colr_Stuf(false);
}

// Both looks visit the same controls in the same order.
void TexDsn::Colr_Stuf(bool forPrint) {
    const auto colour = [forPrint](uint32_t screen) { return forPrint ? PrintWhite : screen; };
    const int16_t appearance = forPrint ? 0 : 1;

    // The window.
    SetBackColor(colour(WindowColor));

    // The text boxes: colour, then appearance.
    std::vector<TextBox*> boxes = {&Text1};
    for (TextBox& t : Texh) {
        boxes.push_back(&t);
    }
    boxes.insert(boxes.end(), {&PrtDia, &PrtLth, &TexTotLth});
    for (TextBox& t : Texdiam) {
        boxes.push_back(&t);
    }
    for (TextBox& t : Texlen) {
        boxes.push_back(&t);
    }
    for (TextBox& t : GasTxt) {
        boxes.push_back(&t);
    }
    for (TextBox* t : boxes) {
        t->SetBackColor(colour(FieldColor));
        t->SetAppearance(appearance);
    }

    // The labels.
    std::vector<Label*> labels = {&LabNam};
    for (Label& l : LabOut) {
        labels.push_back(&l);
    }
    for (Label& l : Labexp) {
        labels.push_back(&l);
    }
    labels.insert(labels.end(), {&LabDX, &LabLX});
    for (Label& l : Labdiam) {
        labels.push_back(&l);
    }
    for (Label& l : Lablen) {
        labels.push_back(&l);
    }
    for (int16_t i = 0; i <= 2; ++i) {
        labels.insert(labels.end(), {&DFLab[i], &SubLab3[i], &SubLab4[i]});
    }
    for (int16_t i = 0; i <= 1; ++i) {
        labels.insert(labels.end(), {&SubLab0[i], &SubLab6[i], &SubLab7[i]});
    }
    for (Label* l : labels) {
        l->SetBackColor(colour(WindowColor));
    }

    // The flange-ratio note.
    InfoBox.BackColor = colour(NoteColor);
    DuctFram.Refresh();
    for (Label& l : DctInfo) {
        l.SetBackColor(colour(NoteColor));
    }

    // The diagram's captions.
    Pipe_Diagram& d = Diagram;
    std::vector<PaintedLabel*> captions;
    for (PaintedLabel& l : d.DLab) {
        captions.push_back(&l);
    }
    for (PaintedLabel& l : d.LLab) {
        captions.push_back(&l);
    }
    captions.insert(captions.end(), {&d.XLab[0], &d.XLab[1], &d.DXLab, &d.LXLab});
    for (PaintedLabel* l : captions) {
        l->BackColor = colour(WindowColor);
    }
    PipPic.Refresh();

    // The frames.
    for (Frame& f : Frame1) {
        f.SetBackColor(colour(WindowColor));
    }
    DuctFram.SetBackColor(colour(WindowColor));
    OutFrame.SetBackColor(colour(WindowColor));

    // The option buttons: for print colour then appearance, for the screen the reverse.
    for (OptionButton& o : Option1) {
        if (forPrint) {
            o.SetBackColor(colour(WindowColor));
            o.SetAppearance(appearance);
        } else {
            o.SetAppearance(appearance);
            o.SetBackColor(colour(WindowColor));
        }
    }

    // The commands: none on paper, the file commands and the flat patterns neither (print
    // runs only while the results, and so the flat patterns' command, are shown).
    for (CommandButton& b : Comd) {
        b.SetVisible(!forPrint);
    }
    for (CommandButton& b : FileCom) {
        b.SetVisible(!forPrint);
    }
    PatCom.SetVisible(!forPrint);
    WaveCom.SetVisible(!forPrint);
    CmpCom.SetVisible(!forPrint);
    RecentCom.SetVisible(!forPrint);
    RestCom.SetVisible(!forPrint);
    // Nor the gas figures, which are the screen's only (shown, as the results are).
    for (int16_t i = 0; i < GasTxt.Count; ++i) {
        GasLab[i].SetVisible(!forPrint);
        GasTxt[i].SetVisible(!forPrint);
    }

    // The panels.
    for (PictureBox* p : {&HornPic, &BmepPic, &TempPic, &BellyPic, &TailPic, &PipPic}) {
        p->SetBackColor(colour(WindowColor));
    }
}
