#include "common/win_controls.h"

#include "common/win_form.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

// The widgets behind the controls. Each knows its control through `owner`, which the
// control clears when it goes, so that no event reaches a control that no longer exists.
struct Ctl_Widget {
    Control* owner = nullptr;
};

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QColor Pal(const QWidget* w, QPalette::ColorRole r) {
    return w->palette().color(r);
}

// A focus marker: a dotted rectangle.
void Draw_Focus(QPainter& p, const QRect& r) {
    QPen pen(Qt::black, 1, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}
} // namespace

class Label_Widget : public QWidget, public Ctl_Widget {
public:
    explicit Label_Widget(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        auto* l = static_cast<Label*>(owner);
        if (!l) {
            return;
        }
        QPainter p(this);
        p.fillRect(rect(), Pal(this, QPalette::Window));
        p.setPen(Pal(this, QPalette::WindowText));
        p.setFont(font());
        const Qt::Alignment a = l->Alignment() == Align::Centre  ? Qt::AlignHCenter
                                : l->Alignment() == Align::Right ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
        Draw_Caption(p, rect(), Q(l->Caption()), a, l->VCentre());
    }
};

class Text_Widget : public QLineEdit, public Ctl_Widget {
public:
    explicit Text_Widget(QWidget* parent) : QLineEdit(parent) {
        connect(this, &QLineEdit::textChanged, this, [this] {
            auto* t = static_cast<TextBox*>(owner);
            if (t && !t->settingText_) {
                t->Raise_Change();
            }
        });
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLineEdit::mouseReleaseEvent(e);
        auto* t = static_cast<TextBox*>(owner);
        if (t && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
            t->Raise_Click();
        }
    }
    void paintEvent(QPaintEvent* e) override {
        QLineEdit::paintEvent(e);
        auto* t = static_cast<TextBox*>(owner);
        if (t && t->Appearance() == 0) {
            QPainter p(this);
            p.setPen(QPen(Qt::black, 1));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
};

class Button_Widget : public QPushButton, public Ctl_Widget {
public:
    explicit Button_Widget(QWidget* parent) : QPushButton(parent) {
        connect(this, &QPushButton::clicked, this, [this] {
            if (auto* b = static_cast<CommandButton*>(owner)) {
                b->Raise_Click();
            }
        });
    }

protected:
    void paintEvent(QPaintEvent*) override {
        auto* b = static_cast<CommandButton*>(owner);
        if (!b) {
            return;
        }
        QPainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, this);
        p.setFont(font());
        p.setPen(Pal(this, QPalette::ButtonText));
        const QRect inner = rect().adjusted(4, 3, -4, -3);
        Draw_Caption(p, inner, Q(b->Caption()), Qt::AlignHCenter, true);
        if (hasFocus()) {
            Draw_Focus(p, rect().adjusted(3, 3, -3, -3));
        }
    }
};

class Option_Widget : public QRadioButton, public Ctl_Widget {
public:
    explicit Option_Widget(QWidget* parent) : QRadioButton(parent) {
        connect(this, &QRadioButton::clicked, this, [this] {
            if (auto* o = static_cast<OptionButton*>(owner)) {
                o->Raise_Click();
            }
        });
    }

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void paintEvent(QPaintEvent*) override {
        auto* o = static_cast<OptionButton*>(owner);
        if (!o) {
            return;
        }
        QPainter p(this);
        p.fillRect(rect(), Pal(this, QPalette::Window));
        const int d = 13;
        const QRect ind(1, (height() - d) / 2, d, d);
        if (o->Appearance() == 1) {
            QStyleOptionButton opt;
            initStyleOption(&opt);
            opt.rect = ind;
            opt.state &= ~QStyle::State_HasFocus;
            style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &opt, &p, this);
        } else {
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(ind).adjusted(0.5, 0.5, -0.5, -0.5));
            if (isChecked()) {
                p.setBrush(Qt::black);
                p.setPen(Qt::NoPen);
                p.drawEllipse(QRectF(ind).adjusted(4, 4, -4, -4));
            }
            p.setRenderHint(QPainter::Antialiasing, false);
        }
        p.setFont(font());
        p.setPen(Pal(this, QPalette::WindowText));
        const QRect text = rect().adjusted(d + 5, 0, 0, 0);
        Draw_Caption(p, text, Q(o->Caption()), Qt::AlignLeft, true);
        if (hasFocus()) {
            const QFontMetrics fm(font());
            const QStringList lines = Wrap_Caption(Q(o->Caption()), fm, text.width());
            int w = 0;
            for (const QString& l : lines) {
                w = std::max(w, fm.horizontalAdvance(l));
            }
            const int h = fm.height() * static_cast<int>(lines.size());
            Draw_Focus(p, QRect(text.left() - 1, (height() - h) / 2 - 1, w + 3, h + 2));
        }
    }
};

// ---- Property_Observer ----

namespace {
Property_Observer& Observer() {
    static Property_Observer o;
    return o;
}
} // namespace

Property_Observer Set_Property_Observer(Property_Observer observer) {
    Property_Observer old = std::move(Observer());
    Observer() = std::move(observer);
    return old;
}

void Report_Property(const std::string& name, const char* property, double value) {
    if (Observer()) {
        Observer()(name, property, value);
    }
}

// ---- Panel_Widget ----

Panel_Widget::Panel_Widget(QWidget* parent, Kind kind) : QWidget(parent), kind_(kind) {}

void Panel_Widget::Set_Back(uint32_t c) {
    back_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt_Color(c));
    setPalette(pal);
    update();
}

void Panel_Widget::Set_Caption(const QString& c) {
    caption_ = c;
    update();
}

void Panel_Widget::Set_Border(int16_t b) {
    border_ = b;
    update();
}

void Panel_Widget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Pal(this, QPalette::Window));

    if (kind_ == Kind::Picture && border_ == 1) {
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(QColor(128, 128, 128));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    if (kind_ == Kind::Frame) {
        const QFontMetrics fm(font());
        const int y = fm.height() / 2;
        const QRect r(0, y, width() - 2, height() - y - 2);
        // The highlight first: where a scaled drawing (a printed or PDF page) brings the
        // two lines together, the grey one stays visible.
        p.setPen(Qt::white);
        p.drawRect(r.translated(1, 1));
        p.setPen(QColor(128, 128, 128));
        p.drawRect(r);
        if (!caption_.isEmpty()) {
            const int w = fm.horizontalAdvance(caption_);
            const QRect cap(7, 0, std::min(w, width() - 14), fm.height());
            p.fillRect(cap, Pal(this, QPalette::Window));
            p.setFont(font());
            p.setPen(Pal(this, QPalette::WindowText));
            p.drawText(cap, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
        }
    }

    const auto X = [](float v) { return Twips::ToPxF(v); };
    for (const RectShape* s : rects) {
        if (!s->Visible) {
            continue;
        }
        const QRectF r(X(s->Left), X(s->Top), X(s->Width), X(s->Height));
        if (s->Opaque) {
            p.fillRect(r, Qt_Color(s->BackColor));
        }
        p.setPen(QPen(Qt_Color(s->BorderColor), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const LineShape* s : lines) {
        if (!s->Visible) {
            continue;
        }
        QPen pen(Qt_Color(s->BorderColor), s->BorderWidth);
        pen.setStyle(s->BorderStyle == Style_Dot ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        // Odd widths sit on pixel centres so that upright lines stay sharp.
        const double o = (s->BorderWidth % 2) ? 0.5 : 0.0;
        p.drawLine(QPointF(std::floor(X(s->X1)) + o, std::floor(X(s->Y1)) + o),
                   QPointF(std::floor(X(s->X2)) + o, std::floor(X(s->Y2)) + o));
    }
    for (const DotShape* s : dots) {
        if (!s->Visible) {
            continue;
        }
        p.setPen(Qt::NoPen);
        p.setBrush(Qt_Color(s->FillColor));
        p.drawEllipse(QRectF(X(s->Left), X(s->Top), X(s->Width), X(s->Height)));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());
    for (const PaintedLabel* s : labels) {
        if (!s->Visible) {
            continue;
        }
        const QRect r = Twips::ToRect(s->Left, s->Top, s->Width, s->Height);
        p.fillRect(r, Qt_Color(s->BackColor));
        p.setPen(Qt_Color(s->ForeColor));
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   QString::fromStdString(s->Caption));
    }
}

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
    w->setObjectName(Q(name_));
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
    Report_Property(name_, "Left", static_cast<double>(v));
    left_ = v;
    Apply_Geometry();
}
void Control::SetTop(float v) {
    Report_Property(name_, "Top", static_cast<double>(v));
    top_ = v;
    Apply_Geometry();
}
void Control::SetWidth(float v) {
    Report_Property(name_, "Width", static_cast<double>(v));
    width_ = v;
    Apply_Geometry();
}
void Control::SetHeight(float v) {
    Report_Property(name_, "Height", static_cast<double>(v));
    height_ = v;
    Apply_Geometry();
}
void Control::Move(float left, float top) {
    Report_Property(name_, "Left", static_cast<double>(left));
    Report_Property(name_, "Top", static_cast<double>(top));
    left_ = left;
    top_ = top;
    Apply_Geometry();
}
void Control::Move(float left, float top, float width, float height) {
    Report_Property(name_, "Left", static_cast<double>(left));
    Report_Property(name_, "Top", static_cast<double>(top));
    Report_Property(name_, "Width", static_cast<double>(width));
    Report_Property(name_, "Height", static_cast<double>(height));
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply_Geometry();
}

void Control::SetVisible(bool v) {
    Report_Property(name_, "Visible", v ? 1.0 : 0.0);
    visible_ = v;
    if (widget_) {
        widget_->setVisible(v);
    }
}

void Control::SetBackColor(uint32_t c) {
    Report_Property(name_, "BackColor", c);
    backColor_ = c;
    Apply_Look();
}
void Control::SetForeColor(uint32_t c) {
    Report_Property(name_, "ForeColor", c);
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
        widget_->setAccessibleName(Q(name).simplified());
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
    if (widget_) {
        widget_->update();
    }
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
        w->setText(Q(t));
        settingText_ = false;
    }
    Raise_Change();
}

void TextBox::SetAppearance(int16_t a) {
    Report_Property(name_, "Appearance", a);
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
    Attach(w, in, left, top, width, height, true);
    backColor_ = Rgb(192, 192, 192);
    Apply_Look();
    SetAccessibleName(caption);
}

void CommandButton::SetCaption(const std::string& c) {
    caption_ = c;
    SetAccessibleName(c);
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
    Report_Property(name_, "Appearance", a);
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
    w->Set_Caption(Q(caption));
    Attach(w, in, left, top, width, height, true);
    SetAccessibleName(caption);
}

void Frame::SetCaption(const std::string& c) {
    caption_ = c;
    SetAccessibleName(c);
    if (Panel()) {
        Panel()->Set_Caption(Q(c));
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
