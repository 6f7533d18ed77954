#pragma once
// The controls of the windows, with one small uniform set of properties: Left, Top, Width,
// Height (twips, relative to the container), Visible (the control's own flag, true even
// while its window is hidden), BackColor and ForeColor (&H00BBGGRR), Caption or Text,
// TabIndex, Appearance (text boxes and option buttons: 0 flat, 1 three-dimensional) and
// events (Click, Change) that a window connects to one handler per control array.
//
// A control is a member of its window's class. It is declared with its name, created in
// the window's constructor inside a container (the window's client area, a frame or a
// picture box) and lives until its window is discarded.
//
//     Label LabNam{"LabNam"};
//     Ctl_Array<TextBox, 10> Texh{"Texh"};       // Texh(0) .. Texh(9)
//     LabNam.Create(Client(), 2120, 260, 840, 250, "Pipe Name:");
//     Texh.On_Change([this](int16_t i) { Texh_Change(i); });
//
// Text set by the program raises Change just as an edit does; setting an option button to
// unselected raises no Click; setting it selected does, like a user's click.

#include "core/screen/win_shapes.h"
#include "desktop/window_layer/win_geometry.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cassert>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Form;
class Control;
class Panel_Widget;

// Holds child controls and paints the shapes placed in it: the window's client area, a
// frame or a picture box.
class Container {
public:
    virtual ~Container() = default;
    virtual QWidget* Host() const = 0;
    virtual Form* Owner() const = 0;
    // The background colour that new controls inside take until they are given their own.
    virtual uint32_t Inner_BackColor() const = 0;

    // Shapes are owned by the caller (a window member or a model) and painted beneath the
    // child controls: rectangles, then lines, then dots, then painted labels, each kind in
    // the order added. After changing one, call Refresh().
    void Add_Shape(LineShape& s);
    void Add_Shape(RectShape& s);
    void Add_Shape(DotShape& s);
    void Add_Shape(PaintedLabel& s);
    void Refresh();

protected:
    virtual Panel_Widget* Panel() const = 0;
};

class Control {
public:
    explicit Control(std::string name = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // "Texh(3)" for a member of an array, the plain name otherwise.
    const std::string& Name() const { return name_; }
    // Index within its control array, -1 for a single control.
    int16_t Index() const { return index_; }
    void Set_Identity(const std::string& base, int16_t index);

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void SetLeft(float v);
    void SetTop(float v);
    void SetWidth(float v);
    void SetHeight(float v);
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    uint32_t BackColor() const { return backColor_; }
    void SetBackColor(uint32_t c);
    uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(uint32_t c);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& f);

    // Position in the window's tab order (-1 when the control has none). Setting it moves
    // the control there and renumbers the others, as a designer's tab order does.
    int16_t TabIndex() const;
    void SetTabIndex(int16_t index);

    void SetFocus();
    // True when this control is its window's focus control (also while the window is
    // not the active one).
    bool HasFocus() const;

    std::string AccessibleName() const;
    void SetAccessibleName(const std::string& name);

    QWidget* Widget() const { return widget_; }
    Form* Owner() const { return form_; }
    bool Created() const { return !widget_.isNull(); }

protected:
    // Places the widget in its container and registers it with the window.
    void Attach(QWidget* w, Container& in, float left, float top, float width, float height,
                bool inTabOrder);
    void Apply_Geometry();
    virtual void Apply_Look();

    std::string name_;
    int16_t index_ = -1;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    uint32_t backColor_ = 0xFFFFFF;
    uint32_t foreColor_ = 0x000000;
    QFont font_;
    bool fontSet_ = false;
    QPointer<QWidget> widget_;
    Form* form_ = nullptr;

    friend class Form;
};

// Horizontal alignment of a label's caption.
enum class Align { Left, Right, Centre };

class Label : public Control {
public:
    using Control::Control;
    void Create(Container& in, float left, float top, float width, float height,
                const std::string& caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    Align Alignment() const { return align_; }
    void SetAlignment(Align a);
    // Caption centred vertically in the label (result rows beside their boxes).
    void SetVCentre(bool on);
    bool VCentre() const { return vCentre_; }
    // The control this label names: its accessible name follows the caption.
    void Set_Labelled(Control& c);

private:
    std::string caption_;
    Align align_ = Align::Left;
    bool vCentre_ = false;
    Control* labelled_ = nullptr;
};

class TextBox : public Control {
public:
    using Control::Control;
    void Create(Container& in, float left, float top, float width = 615, float height = 285);
    std::string Text() const;
    // Sets the text and raises Change, also when the text does not differ.
    void SetText(const std::string& t);
    int16_t Appearance() const { return appearance_; }
    void SetAppearance(int16_t a);
    void SetAlignment(Align a);
    // A read-only box the program fills; it takes no part in tabbing.
    void SetLocked(bool on);
    bool Locked() const;
    // The accessible name of a field is its label's caption, now and after every change.
    void SetLabel(Label& l) { l.Set_Labelled(*this); }

    void On_Change(std::function<void()> h) { change_ = std::move(h); }
    void On_Click(std::function<void()> h) { click_ = std::move(h); }
    void Raise_Change();
    void Raise_Click();

private:
    void Apply_Look() override;
    int16_t appearance_ = 1;
    bool settingText_ = false;
    std::function<void()> change_, click_;
    friend class Text_Widget;
};

class CommandButton : public Control {
public:
    using Control::Control;
    void Create(Container& in, float left, float top, float width, float height,
                const std::string& caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    // Presses the button from program code: raises Click as a user's press does.
    void Click();

    void On_Click(std::function<void()> h) { click_ = std::move(h); }
    void Raise_Click();

private:
    std::string caption_;
    std::function<void()> click_;
};

class OptionButton : public Control {
public:
    using Control::Control;
    void Create(Container& in, float left, float top, float width, float height,
                const std::string& caption);
    const std::string& Caption() const { return caption_; }
    bool Value() const;
    // true selects it (the other buttons of its container are unselected) and raises
    // Click; false unselects it without any event.
    void SetValue(bool v);
    // Clicks the button as a user does: selects it and raises Click.
    void Click();
    int16_t Appearance() const { return appearance_; }
    void SetAppearance(int16_t a);

    void On_Click(std::function<void()> h) { click_ = std::move(h); }
    void Raise_Click();

private:
    std::string caption_;
    int16_t appearance_ = 1;
    std::function<void()> click_;
};

// A container control: a frame with a caption, or a picture box (a panel with an optional
// sunken border). Child controls and shapes are positioned relative to its top left.
class Panel_Control : public Control, public Container {
public:
    using Control::Control;
    QWidget* Host() const override { return Widget(); }
    Form* Owner() const override { return Control::Owner(); }
    uint32_t Inner_BackColor() const override { return BackColor(); }

protected:
    Panel_Widget* Panel() const override;
};

class Frame : public Panel_Control {
public:
    using Panel_Control::Panel_Control;
    void Create(Container& in, float left, float top, float width, float height,
                const std::string& caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);

private:
    std::string caption_;
};

class PictureBox : public Panel_Control {
public:
    using Panel_Control::Panel_Control;
    // borderStyle 0: none, 1: sunken single border.
    void Create(Container& in, float left, float top, float width, float height,
                int16_t borderStyle = 0);
    int16_t BorderStyle() const { return border_; }

private:
    int16_t border_ = 0;
};

// Controls of one kind and role, indexed from 0, served by one handler that receives the
// index.
template <class C, int N> class Ctl_Array {
public:
    static constexpr int16_t Count = static_cast<int16_t>(N);

    explicit Ctl_Array(const std::string& base) {
        for (int i = 0; i < N; ++i) {
            items_[static_cast<size_t>(i)].Set_Identity(base, static_cast<int16_t>(i));
        }
    }
    C& operator[](int16_t i) {
        assert(i >= 0 && i < N);
        return items_[static_cast<size_t>(i)];
    }
    const C& operator[](int16_t i) const {
        assert(i >= 0 && i < N);
        return items_[static_cast<size_t>(i)];
    }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

    void On_Click(const std::function<void(int16_t)>& h) {
        for (int i = 0; i < N; ++i) {
            items_[static_cast<size_t>(i)].On_Click([h, i] { h(static_cast<int16_t>(i)); });
        }
    }
    void On_Change(const std::function<void(int16_t)>& h) {
        for (int i = 0; i < N; ++i) {
            items_[static_cast<size_t>(i)].On_Change([h, i] { h(static_cast<int16_t>(i)); });
        }
    }

private:
    std::array<C, N> items_;
};
