// The design window's design-file commands: Open, Save and Save As with their keys, a file
// dropped on the window, and a design opened as if typed.

#include "core/chamber/design_file.h"
#include "core/chamber/pipe_check.h"
#include "core/files/file_name.h"
#include "core/files/file_output.h"
#include "desktop/window_layer/win_dialogs.h"
#include "desktop/window_layer/win_msgbox.h"
#include "desktop/windows/compare_tool.h"
#include "desktop/windows/port_tool.h"
#include "desktop/windows/tex_dsn.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include <array>

namespace {
const char* const Design_Files = "Design files (*.ecd)";
} // namespace

// The file commands, the recent designs and the flat patterns in the free space right of the
// coefficient panels, after the designed controls in the tab order; keyboard shortcuts as
// usual, and Ctrl+Shift+S for Save As also where the system names no key for it.
void TexDsn::Create_File_Commands() {
    Container& form = Client();
    const char* const captions[] = {"&Open Design...", "&Save Design", "Save &As..."};
    const float tops[] = {4480, 5400, 5860};
    for (int16_t i = 0; i < FileCom.Count; ++i) {
        FileCom[i].Create(form, 6250, tops[i], 1300, 400, captions[static_cast<size_t>(i)]);
        FileCom[i].SetBackColor(Palette::Lilac);
    }
    RecentCom.Create(form, 6250, 4940, 1300, 400, Recent_Designs_Caption);
    RecentCom.SetBackColor(Palette::Lilac);
    // The list drops below the command and returns at once (it is no dialog).
    RecentMenu = new QMenu(this);
    QObject::connect(RecentMenu, &QMenu::aboutToShow, this, [this] { Fill_Recent_Menu(); });
    RecentCom.On_Click([this] {
        QWidget* at = RecentCom.Widget();
        RecentMenu->popup(at->mapToGlobal(QPoint(0, at->height())));
    });
    PatCom.Create(form, 6250, 6320, 1300, 400, "&Flat Patterns...");
    PatCom.SetBackColor(Palette::Pink);
    PatCom.Hide();
    WaveCom.Create(form, 9750, 1000, 1000, 600, "&Wave Diagram...");
    WaveCom.SetBackColor(Palette::Pink);
    WaveCom.Hide();
    QList<QKeySequence> saveAs = QKeySequence::keyBindings(QKeySequence::SaveAs);
    const QKeySequence ctrlShiftS(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    if (!saveAs.contains(ctrlShiftS)) {
        saveAs.append(ctrlShiftS);
    }
    const std::array<QList<QKeySequence>, 3> keys = {QKeySequence::keyBindings(QKeySequence::Open),
                                                     QKeySequence::keyBindings(QKeySequence::Save),
                                                     saveAs};
    for (int16_t i = 0; i < FileCom.Count; ++i) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys[static_cast<size_t>(i)]);
        QObject::connect(shortcut, &QShortcut::activated, this, [this, i] { FileCom_Click(i); });
    }
    setAcceptDrops(true);
    FileCom.On_Click([this](int16_t i) { FileCom_Click(i); });
    PatCom.On_Click([this] { PatCom_Click(); });
    WaveCom.On_Click([this] { WaveCom_Click(); });

    CmpCom.Create(form, 9300, 6400, 1500, 330, "Co&mpare With...");
    CmpCom.SetBackColor(Palette::Pink);
    CmpCom.Hide();
    CmpCom.On_Click([this] { CmpCom_Click(); });
    CmpSheet = new Pipe_Overlay_View(Host());
    CmpSheet->setObjectName(QStringLiteral("CmpSheet"));
    CmpSheet->withTable = true;
    CmpSheet->setGeometry(Twips::ToRect(340, 9500, 10200, Comparison_Height - 200));
    CmpSheet->hide();
}

void TexDsn::Fill_Recent_Menu() {
    RecentMenu->clear();
    const std::vector<Recent_Design>& recent = keeper::Recent().designs;
    for (size_t i = 0; i < recent.size(); ++i) {
        const std::string file = recent[i].file;
        QAction* item =
            RecentMenu->addAction(QString::fromStdString(Recent_Design_Caption(recent[i], i)));
        item->setToolTip(QString::fromStdString(file));
        item->setStatusTip(item->toolTip());
        QObject::connect(item, &QAction::triggered, this, [this, file] { Open_Recent(file); });
    }
    if (recent.empty()) {
        RecentMenu->addAction(QStringLiteral("No design opened or saved yet"))->setEnabled(false);
    }
}

void TexDsn::Open_Recent(const std::string& path) {
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        keeper::Design_Gone(path);
        return;
    }
    Open_Design_File(path);
}

void TexDsn::Type_Form(const Design_Form& form) {
    Clear_Form();
    const auto choose = [this](int16_t first, bool chosen, bool second) {
        if (chosen) {
            Option1[static_cast<int16_t>(second ? first + 1 : first)].Click();
        }
    };
    choose(0, form.Diffuser != Diffuser_Type::Unset, form.Diffuser == Diffuser_Type::ThreeStage);
    choose(2, form.TempSource != Value_Source::Unset, form.TempSource == Value_Source::FromBmep);
    choose(4, form.CoefSource != Value_Source::Unset, form.CoefSource == Value_Source::FromBmep);
    Text1.SetText(form.PipeName);
    for (int16_t i = 0; i < Texh.Count; ++i) {
        Texh[i].SetText(form.Texh[static_cast<size_t>(i)]);
    }
}

Kept_Form TexDsn::Form_Now() const {
    Kept_Form f;
    f.entries = Entries_Of(Read_Form());
    f.results = shownDesign_.has_value();
    f.file = designPath_;
    f.unsaved = Unsaved();
    return f;
}

void TexDsn::Put_Form(const Kept_Form& form) {
    Type_Form(Design_Form_Of(form.entries));
    designPath_ = form.file;
    savedForm_.reset();
    if (!form.file.empty() && !form.unsaved) {
        savedForm_ = Entries_Of(Read_Form());
    }
    Show_Title();
}

bool TexDsn::Unsaved() const {
    Kept_Form now;
    now.entries = Entries_Of(Read_Form());
    return savedForm_ ? now.entries.texts != savedForm_->texts
                      : !Is_Blank(Words_Of(Form_Key::Design), now);
}

void TexDsn::Show_Title() {
    setWindowTitle(QString::fromStdString(
        Design_Window_Title(Words_Of(Form_Key::Design).title, designPath_, Unsaved())));
}

void TexDsn::FileCom_Click(int16_t Index) {
    if (Index == 0) {
        Open_Design();
    } else {
        Save_Design(Index == 2 || designPath_.empty());
    }
}

void TexDsn::Open_Design() {
    const std::string path = Dialogs().Open_File(this, "Open Design", Design_Files);
    if (!path.empty()) {
        Open_Design_File(path);
    }
}

std::optional<Design_File_Read> TexDsn::Read_Design_At(const std::string& path) {
    std::string problem;
    if (const auto bytes = Read_File(path, Design_File_Largest, problem)) {
        Design_File_Read read = Read_Design_File(*bytes);
        if (read.form) {
            return read;
        }
        problem = read.problem;
    }
    const Field_Failure box = Design_Not_Opened(path, problem);
    MsgBox(box.prompt, box.title);
    return std::nullopt;
}

void TexDsn::Open_Design_File(const std::string& path) {
    const std::optional<Design_File_Read> read = Read_Design_At(path);
    if (!read) {
        return;
    }
    const std::optional<Design_Form>& form = read->form;
    Take_Port_Map_Engine(read->engine);
    keeper::Emptying(*this); // a form typed over stays at hand
    Type_Form(*form);
    designPath_ = path;
    savedForm_ = Entries_Of(*form);
    Comd[0].Click();
    keeper::Design_Used(path, form->PipeName);
    Show_Title();
}

void TexDsn::CmpCom_Click() {
    if (!shownDesign_) {
        return;
    }
    const std::string path = Dialogs().Open_File(this, "Compare With", Design_Files);
    const std::optional<Design_File_Read> read = path.empty() ? std::nullopt : Read_Design_At(path);
    if (!read) {
        return;
    }
    const std::optional<Design_Form>& form = read->form;
    const Outcome<Chamber_Design> other = Calc_Design(*form);
    if (!other.ok()) {
        const Field_Failure box = Compare_Refused(path, *other.failure);
        MsgBox(box.prompt, box.title);
        return;
    }
    comparison_ = Pipe_Overlay{
        shownDesign_->state, other.value.state,
        QString::fromStdString(Compare_Name(Text1.Text(), File_Stem(designPath_), 'A')),
        QString::fromStdString(Compare_Name(form->PipeName, File_Stem(path), 'B'))};
    Win<CmpTool>().Show_Comparison(*comparison_);
}

bool TexDsn::Comparing() const {
    return comparison_ && Win_Exists<CmpTool>() && Win<CmpTool>().Visible();
}

void TexDsn::Save_Design(bool askWhere) {
    const Design_Form form = Read_Form();
    std::string path = designPath_;
    if (askWhere) {
        // The open file's own name and folder, or a name made of the pipe name.
        path = Dialogs().Save_File(this, "Save Design", Design_Files,
                                   designPath_.empty() ? Design_File_Name(form.PipeName)
                                                       : designPath_);
        if (path.empty()) {
            return;
        }
    }
    // The results as a calculation of the texts on screen gives them; the window's own
    // state stays as it is.
    if (const auto failure =
            Write_File(path, Design_File_Text(form, Calc_Design(form, V), Port_Map_Engine()))) {
        MsgBox("The design could not be saved as \"" + path + "\"." + CrLf + CrLf +
                   failure->reason + ".",
               "Design Not Saved");
        return;
    }
    designPath_ = path;
    savedForm_ = Entries_Of(form);
    keeper::Design_Used(path, form.PipeName);
    keeper::Keep(*this); // saved: nothing to offer should the program be killed
    Show_Title();
}

void TexDsn::dragEnterEvent(QDragEnterEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        e->acceptProposedAction();
    }
}

void TexDsn::dropEvent(QDropEvent* e) {
    if (Open_Dropped(*e->mimeData())) {
        e->acceptProposedAction();
    }
}

bool TexDsn::Open_Dropped(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return false;
    }
    Open_Design_File(urls.front().toLocalFile().toStdString());
    return true;
}
