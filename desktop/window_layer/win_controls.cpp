#include "desktop/window_layer/win_controls.h"

#include "desktop/window_layer/win_form.h"
#include "desktop/window_layer/win_widgets.h"

namespace {
QString To_Q(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

// ---- Container ----

void Container::Add_Shape(LineShape& s) {
    Panel()->lines.push_back(&s);
}
void Container::Add_Shape(RectShape& s) {
    Panel()->rects.push_back(&s);
}
void Container::Add_Shape(DotShape& s) {
    Panel()->dots.push_back(&s);
}
void Container::Add_Shape(PaintedLabel& s) {
    Panel()->labels.push_back(&s);
}
void Container::Refresh() {
    Panel()->update();
}

// ---- Control ----

Control::Control(std::string name) : name_(std::move(name)) {}

Control::~Control() {
    if (auto* w = dynamic_cast<Ctl_Widget*>(widget_.data())) {
        w->owner = nullptr;
    }
}

void Control::Set_Identity(const std::string& base, int16_t index) {
    name_ = base + "(" + std::to_string(index) + ")";
    index_ = index;
}

void Control::Attach(QWidget* w, Container& in, float left, float top, float width, float height,
                     bool inTabOrder) {
    assert(!widget_ && "a control is created once");
    widget_ = w;
    form_ = in.Owner();
    if (auto* cw = dynamic_cast<Ctl_Widget*>(w)) {
        cw->owner = this;
    }
    w->setObjectName(To_Q(name_));
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!fontSet_) {
        font_ = Default_Win_Font();
    }
    backColor_ = in.Inner_BackColor();
    if (form_) {
        form_->Register(this, inTabOrder);
    }
    Apply_Geometry();
    Apply_Look();
    w->setVisible(visible_);
}

void Control::Apply_Geometry() {
    if (widget_) {
        widget_->setGeometry(Twips::ToRect(left_, top_, width_, height_));
    }
}

void Control::Apply_Look() {
    if (!widget_) {
        return;
    }
    QPalette pal = widget_->palette();
    const QColor back = Qt_Color(backColor_), fore = Qt_Color(foreColor_);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        pal.setColor(role, back);
    }
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        pal.setColor(role, fore);
    }
    widget_->setPalette(pal);
    widget_->setFont(font_);
    widget_->update();
}

void Control::SetLeft(float v) {
    left_ = v;
    Apply_Geometry();
}
void Control::SetTop(float v) {
    top_ = v;
    Apply_Geometry();
}
void Control::SetWidth(float v) {
    width_ = v;
    Apply_Geometry();
}
void Control::SetHeight(float v) {
    height_ = v;
    Apply_Geometry();
}
void Control::Move(float left, float top) {
    left_ = left;
    top_ = top;
    Apply_Geometry();
}
void Control::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply_Geometry();
}

void Control::SetVisible(bool v) {
    visible_ = v;
    if (widget_) {
        widget_->setVisible(v);
    }
}

void Control::SetBackColor(uint32_t c) {
    backColor_ = c;
    Apply_Look();
}
void Control::SetForeColor(uint32_t c) {
    foreColor_ = c;
    Apply_Look();
}
void Control::SetFont(const QFont& f) {
    font_ = f;
    fontSet_ = true;
    Apply_Look();
}

int16_t Control::TabIndex() const {
    return form_ ? form_->Tab_Index_Of(this) : -1;
}

void Control::SetTabIndex(int16_t index) {
    if (form_) {
        form_->Move_In_Tab_Order(this, index);
    }
}

void Control::SetFocus() {
    if (widget_) {
        widget_->setFocus(Qt::OtherFocusReason);
    }
}

bool Control::HasFocus() const {
    return form_ && widget_ && form_->focusWidget() == widget_.data();
}

std::string Control::AccessibleName() const {
    return widget_ ? widget_->accessibleName().toStdString() : std::string();
}

void Control::SetAccessibleName(const std::string& name) {
    if (widget_) {
        widget_->setAccessibleName(To_Q(name).simplified());
    }
}

// ---- Label ----

void Label::Create(Container& in, float left, float top, float width, float height,
                   const std::string& caption) {
    caption_ = caption;
    auto* w = new Label_Widget(in.Host());
    Attach(w, in, left, top, width, height, false);
    SetAccessibleName(caption);
}

void Label::SetCaption(const std::string& c) {
    caption_ = c;
    SetAccessibleName(c);
    if (labelled_) {
        labelled_->SetAccessibleName(c);
    }
    if (widget_) {
        widget_->update();
    }
}

void Label::Set_Labelled(Control& c) {
    labelled_ = &c;
    c.SetAccessibleName(caption_);
}

void Label::SetAlignment(Align a) {
    align_ = a;
    if (widget_) {
        widget_->update();
    }
}

void Label::SetVCentre(bool on) {
    vCentre_ = on;
    if (widget_) {
        widget_->update();
    }
}

// ---- TextBox ----

void TextBox::Create(Container& in, float left, float top, float width, float height) {
    auto* w = new Text_Widget(in.Host());
    Attach(w, in, left, top, width, height, true);
    backColor_ = 0xFFFFFF;
    Apply_Look();
}

std::string TextBox::Text() const {
    auto* w = static_cast<QLineEdit*>(widget_.data());
    return w ? w->text().toStdString() : std::string();
}

void TextBox::SetText(const std::string& t) {
    if (auto* w = static_cast<QLineEdit*>(widget_.data())) {
        settingText_ = true;
        w->setText(To_Q(t));
        settingText_ = false;
    }
    Raise_Change();
}

void TextBox::SetAppearance(int16_t a) {
    appearance_ = a;
    Apply_Look();
}

void TextBox::Apply_Look() {
    Control::Apply_Look();
    if (auto* w = static_cast<QLineEdit*>(widget_.data())) {
        w->setFrame(appearance_ != 0);
    }
}

void TextBox::SetAlignment(Align a) {
    if (auto* w = static_cast<QLineEdit*>(widget_.data())) {
        w->setAlignment((a == Align::Centre  ? Qt::AlignHCenter
                         : a == Align::Right ? Qt::AlignRight
                                             : Qt::AlignLeft) |
                        Qt::AlignVCenter);
    }
}

void TextBox::SetLocked(bool on) {
    if (auto* w = static_cast<QLineEdit*>(widget_.data())) {
        w->setReadOnly(on);
        w->setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
    }
}

bool TextBox::Locked() const {
    auto* w = static_cast<QLineEdit*>(widget_.data());
    return w && w->isReadOnly();
}

void TextBox::Raise_Change() {
    if (change_) {
        change_();
    }
}

void TextBox::Raise_Click() {
    if (click_) {
        click_();
    }
}

// ---- CommandButton ----

void CommandButton::Create(Container& in, float left, float top, float width, float height,
                           const std::string& caption) {
    caption_ = caption;
    auto* w = new Button_Widget(in.Host());
    w->setAutoDefault(false);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setText(To_Q(caption)); // an ampersand in it makes Alt and the next letter press it
    Attach(w, in, left, top, width, height, true);
    backColor_ = Rgb(192, 192, 192);
    Apply_Look();
    SetAccessibleName(Without_Mnemonic(To_Q(caption)).toStdString());
}

void CommandButton::SetCaption(const std::string& c) {
    caption_ = c;
    if (auto* w = static_cast<QPushButton*>(widget_.data())) {
        w->setText(To_Q(c));
    }
    SetAccessibleName(Without_Mnemonic(To_Q(c)).toStdString());
    if (widget_) {
        widget_->update();
    }
}

void CommandButton::Click() {
    if (auto* w = static_cast<QPushButton*>(widget_.data())) {
        w->click();
    }
}

void CommandButton::Raise_Click() {
    if (click_) {
        click_();
    }
}

// ---- OptionButton ----

void OptionButton::Create(Container& in, float left, float top, float width, float height,
                          const std::string& caption) {
    caption_ = caption;
    auto* w = new Option_Widget(in.Host());
    w->setFocusPolicy(Qt::StrongFocus);
    Attach(w, in, left, top, width, height, true);
    SetAccessibleName(caption);
}

bool OptionButton::Value() const {
    auto* w = static_cast<QRadioButton*>(widget_.data());
    return w && w->isChecked();
}

void OptionButton::SetValue(bool v) {
    auto* w = static_cast<QRadioButton*>(widget_.data());
    if (!w) {
        return;
    }
    if (v) {
        w->setChecked(true);
        Raise_Click();
    } else if (w->isChecked()) {
        // An exclusive button cannot be unchecked directly; lift the rule for a moment.
        w->setAutoExclusive(false);
        w->setChecked(false);
        w->setAutoExclusive(true);
    }
}

void OptionButton::Click() {
    if (auto* w = static_cast<QRadioButton*>(widget_.data())) {
        w->click();
    }
}

void OptionButton::SetAppearance(int16_t a) {
    appearance_ = a;
    if (widget_) {
        widget_->update();
    }
}

void OptionButton::Raise_Click() {
    if (click_) {
        click_();
    }
}

// ---- Frame and PictureBox ----

Panel_Widget* Panel_Control::Panel() const {
    return static_cast<Panel_Widget*>(Widget());
}

void Frame::Create(Container& in, float left, float top, float width, float height,
                   const std::string& caption) {
    caption_ = caption;
    auto* w = new Panel_Widget(in.Host(), Panel_Widget::Kind::Frame);
    w->Set_Caption(To_Q(caption));
    Attach(w, in, left, top, width, height, true);
    SetAccessibleName(caption);
}

void Frame::SetCaption(const std::string& c) {
    caption_ = c;
    SetAccessibleName(c);
    if (Panel()) {
        Panel()->Set_Caption(To_Q(c));
    }
}

void PictureBox::Create(Container& in, float left, float top, float width, float height,
                        int16_t borderStyle) {
    border_ = borderStyle;
    auto* w = new Panel_Widget(in.Host(), Panel_Widget::Kind::Picture);
    w->Set_Border(borderStyle);
    Attach(w, in, left, top, width, height, false);
    SetAccessibleName(name_);
}
