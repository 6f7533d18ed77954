#include "desktop/windows/form_keeper.h"

#include "core/chamber/design_file.h"
#include "core/files/file_output.h"
#include "core/screen/palette.h"
#include "desktop/window_layer/win_dialogs.h"
#include "desktop/window_layer/win_form.h"
#include "desktop/window_layer/win_msgbox.h"
#include "desktop/windows/bmep_tool.h"
#include "desktop/windows/diam_tool.h"
#include "desktop/windows/hght_tool.h"
#include "desktop/windows/pipe_tool.h"
#include "desktop/windows/port_tool.h"
#include "desktop/windows/prof_tool.h"
#include "desktop/windows/tex_dsn.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

void Kept_Window::Create_Restore_Command(Container& in, float left, float top, float width,
                                         float height) {
    RestCom.Create(in, left, top, width, height, Restore_Form_Caption);
    RestCom.SetBackColor(Palette::Lilac);
    RestCom.On_Click([this] { keeper::Restore_Previous(*this); });
}

namespace keeper {
namespace {

struct Kept_State {
    std::string folder;
    Kept_Forms forms;
    Recent_Designs recent;
    std::map<std::string, Kept_Form> unsaved; // left by a run that was killed
    bool told = false;                        // that the forms cannot be kept
};

Kept_State& State() {
    static Kept_State s;
    return s;
}

const std::string& Key_Of(const Kept_Window& w) {
    static std::map<Form_Key, std::string> keys;
    std::string& key = keys[w.Kept_Key()];
    if (key.empty())
        key = Words_Of(w.Kept_Key()).key;
    return key;
}

bool Blank(const Kept_Window& w, const Kept_Form& f) {
    return Is_Blank(Words_Of(w.Kept_Key()), f);
}

// The file, whole or not at all; the first failure of a run is said once.
void Write(const char* name, const std::string& text) {
    Kept_State& s = State();
    if (s.folder.empty())
        return;
    std::string why;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(s.folder), ec);
    if (ec)
        why = ec.message();
    else if (const auto failure = Write_File(s.folder + "/" + name, text))
        why = failure->reason;
    if (!why.empty() && !s.told && !Program_Has_Ended()) {
        s.told = true;
        const Field_Failure box = Forms_Not_Kept(s.folder, why);
        MsgBox(box.prompt, box.title);
    }
}

void Write_Forms() {
    Write(Kept_Forms_File, Kept_Forms_Text(State().forms));
}

void Write_Recent() {
    State().recent.folder = Dialog_Folder();
    Write(Recent_Designs_File, Recent_Designs_Text(State().recent));
}

std::optional<std::string> Read(const std::string& folder, const char* name) {
    std::string why;
    return Read_File(folder + "/" + name, Design_File_Largest, why);
}

template <class W> Kept_Window* Window(bool create) {
    return create || Win_Exists<W>() ? &Win<W>() : nullptr;
}

// The window of the form; nothing when it does not exist and `create` is not set.
Kept_Window* Window_Of(Form_Key key, bool create) {
    switch (key) {
    case Form_Key::Design:
        return Window<TexDsn>(create);
    case Form_Key::Bmep:
        return Window<BMEPTool>(create);
    case Form_Key::Port_Height:
        return Window<HghtTool>(create);
    case Form_Key::Rect_Port:
        return Window<DiamTool>(create);
    case Form_Key::Profiled_Port:
        return Window<ProfTool>(create);
    case Form_Key::Port_Map:
        return Window<PortTool>(create);
    case Form_Key::Pipe_Check:
        return Window<PipeTool>(create);
    default:
        return nullptr;
    }
}

// The form typed in as the tuner would, and its results as Calculate shows them, without
// the boxes it showed when they were first calculated.
void Put_Back(Kept_Window& w, const Kept_Form& f) {
    w.Put_Form(f);
    if (f.results) {
        const MsgBox_Handler shown =
            Set_MsgBox_Handler([](const std::string&, const std::string&) {});
        w.Calculate_Command().Click();
        Set_MsgBox_Handler(shown);
    }
}

} // namespace

void Keep_In(const std::string& folder) {
    Kept_State& s = State();
    s = Kept_State{};
    s.folder = folder;
    if (folder.empty())
        return;
    if (const auto text = Read(folder, Kept_Forms_File))
        if (auto forms = Read_Kept_Forms(*text))
            s.forms = std::move(*forms);
    // What the last run left on screen comes back through "Restore Previous Form"; what a
    // killed run left unsaved is offered.
    for (const Form_Words& words : All_Forms()) {
        const auto now = s.forms.now.find(words.key);
        if (now == s.forms.now.end())
            continue;
        const Kept_Form& f = now->second;
        if (!Is_Blank(words, f)) {
            if (s.forms.running && (f.file.empty() || f.unsaved))
                s.unsaved[words.key] = f;
            s.forms.before[words.key] = f;
        }
        s.forms.now.erase(now);
    }
    s.forms.running = true;
    Write_Forms();
    if (const auto text = Read(folder, Recent_Designs_File))
        s.recent = Read_Recent_Designs(*text);
    if (!s.recent.folder.empty())
        Set_Dialog_Folder(s.recent.folder);
}

void Keep(const Kept_Window& w) {
    State().forms.now[Key_Of(w)] = w.Form_Now();
    Write_Forms();
}

void Emptying(const Kept_Window& w) {
    Kept_Forms& forms = State().forms;
    Kept_Form& now = forms.now[Key_Of(w)];
    if (const auto* form = dynamic_cast<const Form*>(&w); form && form->Visible())
        now = w.Form_Now();
    if (Blank(w, now))
        return;
    forms.before[Key_Of(w)] = std::exchange(now, Kept_Form{});
    Write_Forms();
}

void Restore_Previous(Kept_Window& w) {
    Kept_Forms& forms = State().forms;
    const auto before = forms.before.find(Key_Of(w));
    if (before == forms.before.end() || Blank(w, before->second)) {
        const Field_Failure box = No_Previous_Form();
        MsgBox(box.prompt, box.title);
        return;
    }
    const Kept_Form previous = before->second;
    // Nothing is lost: the form on screen becomes the previous one.
    if (const Kept_Form shown = w.Form_Now(); !Blank(w, shown))
        before->second = shown;
    Put_Back(w, previous);
    Keep(w);
}

void Program_Ends() {
    for (const Form_Words& words : All_Forms())
        if (const Kept_Window* w = Window_Of(words.id, false))
            if (dynamic_cast<const Form&>(*w).Visible())
                State().forms.now[words.key] = w->Form_Now();
    State().forms.running = false;
    Write_Forms();
    Write_Recent();
}

bool Offer_Unsaved(QWidget* parent) {
    Kept_State& s = State();
    const std::map<std::string, Kept_Form> unsaved = std::exchange(s.unsaved, {});
    std::vector<std::pair<const Form_Words*, const Kept_Form*>> offered;
    std::vector<std::string> names;
    for (const Form_Words& words : All_Forms())
        if (const auto f = unsaved.find(words.key); f != unsaved.end()) {
            offered.emplace_back(&words, &f->second);
            names.push_back(Kept_Form_Name(words, f->second));
        }
    if (offered.empty())
        return false;
    const Question q = Offer_Unsaved_Forms(names);
    if (!Dialogs().Ask(parent, q.title, q.prompt, q.yes, q.no))
        return false;
    for (const auto& [words, form] : offered)
        if (Kept_Window* w = Window_Of(words->id, true)) {
            Put_Back(*w, *form);
            s.forms.now[words->key] = w->Form_Now();
        }
    Write_Forms();
    if (auto* first = dynamic_cast<Form*>(Window_Of(offered.front().first->id, true)))
        first->Show();
    return true;
}

const Recent_Designs& Recent() {
    return State().recent;
}

void Design_Used(const std::string& file, const std::string& pipeName) {
    Add_Recent_Design(State().recent, {file, pipeName});
    Write_Recent();
}

void Design_Gone(const std::string& file) {
    Drop_Recent_Design(State().recent, file);
    const Field_Failure box = Recent_Design_Missing(file);
    MsgBox(box.prompt, box.title);
    Write_Recent();
}

} // namespace keeper
