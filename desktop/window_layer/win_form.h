#pragma once
// Windows: the base class Form and the single program-wide instance of each window.
//
// Each window is one class derived from Form, with its controls as members and a nested
// struct Vars for its own variables. Win<W>() is the one way to reach a window: the first
// touch creates it (its constructor builds the controls) and runs its load handler
// Form_Load before the touching operation goes on; later touches return the same window.
//
//     Win<TexDsn>().Hide();                  // creates and loads TexDsn if need be
//     Win<TexDsn>().Texh[3].SetText("");
//
// Closing a work window with the frame's close control discards it (controls and all);
// its Vars keep their values and the next touch loads it again. The front screen
// overrides Frame_Close to end the program instead.

#include "desktop/window_layer/win_controls.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QApplication;
class QMenuBar;

// The look every window assumes: one widget style that draws controls in their own
// colours, the program's font, and no quitting when a window closes (the front screen
// decides when the program ends).
void Prepare_Application(QApplication& app);

class Form : public QWidget, public Container {
public:
    // clientWidth: twips; height: twips, caption bar included (Twips::CaptionAllowance).
    Form(const std::string& name, const std::string& caption, float clientWidth, float height,
         uint32_t backColor);
    ~Form() override;

    const std::string& Name() const { return name_; }
    std::string Caption() const;

    // The load handler, run once per creation of the window.
    virtual void Form_Load() {}

    // Shows the window without modality (the call returns at once) on top of the others.
    void Show();
    void Hide();
    // The window's own flag: shown and not hidden since.
    bool Visible() const { return !isHidden(); }

    float Height() const { return height_; }
    void SetHeight(float twips);
    float ClientWidth() const { return clientWidth_; }
    float ClientHeight() const { return height_ - Twips::CaptionAllowance; }

    uint32_t BackColor() const;
    void SetBackColor(uint32_t c);

    // The control that has (or last had) the focus in this window.
    Control* ActiveControl() const;

    // Container: the client area.
    QWidget* Host() const override;
    Form* Owner() const override { return const_cast<Form*>(this); }
    uint32_t Inner_BackColor() const override { return BackColor(); }
    Container& Client() { return *this; }

    // Every control, in creation order, and the tab order (position = TabIndex).
    const std::vector<Control*>& Controls() const { return controls_; }
    const std::vector<Control*>& Tab_Order() const { return tab_; }

    // A menu bar above the client area (the front screen has one).
    void Set_Menu_Bar(QMenuBar* bar);

    // The command Enter presses, the focused field's text as typed: a work window's
    // "Calculate". Enter on a focused command presses that command instead.
    void Set_Enter_Command(CommandButton& command) { enter_ = &command; }

    // Runs whenever a window is hidden (left, closed, or the program ending), before the
    // window's own handling of it.
    static void Set_Hidden_Hook(std::function<void(Form&)> hook);

    // Used by Win<W>(): how to discard this window when its frame is closed.
    void Set_Discard(std::function<void()> d) { discard_ = std::move(d); }

protected:
    Panel_Widget* Panel() const override { return client_; }
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    // The frame's close control: a work window is discarded.
    virtual void Frame_Close();

private:
    void Register(Control* c, bool inTabOrder);
    void Move_In_Tab_Order(Control* c, int16_t index);
    int16_t Tab_Index_Of(const Control* c) const;
    void Apply_Tab_Order();
    void Apply_Size();

    std::string name_;
    float clientWidth_;
    float height_;
    Panel_Widget* client_;
    QMenuBar* menu_ = nullptr;
    bool placed_ = false;
    std::vector<Control*> controls_;
    std::vector<Control*> tab_;
    std::function<void()> discard_;
    CommandButton* enter_ = nullptr;

    friend class Control;
};

// ---- The single program-wide instances ----

namespace win_detail {
struct Window_Type {
    Form* (*existing)();
    void (*discard_now)();
    void (*reset_vars)();
};
void Register_Window_Type(const Window_Type& t);

template <class W> struct Slot {
    static inline W* instance = nullptr;
    static inline typename W::Vars vars{};
    static inline bool registered = false;

    static Form* Existing() { return instance; }
    static void Discard_Now() {
        W* w = instance;
        instance = nullptr;
        delete w;
    }
    static void Discard_Later() {
        W* w = instance;
        instance = nullptr;
        if (w) {
            w->hide();
            w->deleteLater();
        }
    }
    static void Reset_Vars() { vars = typename W::Vars{}; }
    static void Register() {
        if (!registered) {
            registered = true;
            Register_Window_Type({&Existing, &Discard_Now, &Reset_Vars});
        }
    }
};
} // namespace win_detail

// The window W, created and loaded on first touch.
template <class W> W& Win() {
    using S = win_detail::Slot<W>;
    if (!S::instance) {
        S::Register();
        S::instance = new W();
        S::instance->Set_Discard(&S::Discard_Later);
        S::instance->Form_Load();
    }
    return *S::instance;
}

// Whether W exists now; does not touch it.
template <class W> bool Win_Exists() {
    return win_detail::Slot<W>::instance != nullptr;
}

// The variables of W, which outlive a discarded window.
template <class W> typename W::Vars& Win_Vars() {
    win_detail::Slot<W>::Register();
    return win_detail::Slot<W>::vars;
}

// The front screen, as the load handlers of the work windows that bring it up show it.
// The front screen installs how it is shown when the program starts; until then showing it
// does nothing.
void Set_Front_Screen(std::function<void()> show);
void Show_Front_Screen();

// Ends the program at once: hides every window without events of its own and leaves the
// event loop. The windows are discarded when the loop has returned (Discard_All_Windows).
void End_Program();
bool Program_Has_Ended();

// Discards every window now and, when resetVars is set, resets their variables too: the
// program as it was before start (main after the event loop, and tests between cases).
void Discard_All_Windows(bool resetVars);
void Reset_Program_Ended();
