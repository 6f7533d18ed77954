#include "desktop/window_layer/win_form.h"

#include "desktop/window_layer/win_widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>

#include <algorithm>

namespace {
std::vector<win_detail::Window_Type>& Types() {
    static std::vector<win_detail::Window_Type> t;
    return t;
}
bool g_ended = false;

std::function<void(Form&)>& Hidden_Hook() {
    static std::function<void(Form&)> hook;
    return hook;
}

std::function<void()>& Front_Screen() {
    static std::function<void()> show;
    return show;
}
} // namespace

void Set_Front_Screen(std::function<void()> show) {
    Front_Screen() = std::move(show);
}

void Show_Front_Screen() {
    if (Front_Screen()) {
        Front_Screen()();
    }
}

void Prepare_Application(QApplication& app) {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(Default_Win_Font());
    app.setQuitOnLastWindowClosed(false);
}

void win_detail::Register_Window_Type(const Window_Type& t) {
    Types().push_back(t);
}

Form::Form(const std::string& name, const std::string& caption, float clientWidth, float height,
           uint32_t backColor)
    : QWidget(nullptr), name_(name), clientWidth_(clientWidth), height_(height) {
    setObjectName(QString::fromStdString(name));
    setWindowTitle(QString::fromStdString(caption));
    setAccessibleName(QString::fromStdString(caption));
    client_ = new Panel_Widget(this, Panel_Widget::Kind::Client);
    client_->setFont(Default_Win_Font());
    client_->Set_Back(backColor);
    Apply_Size();
}

Form::~Form() = default;

std::string Form::Caption() const {
    return windowTitle().toStdString();
}

void Form::Show() {
    if (!placed_) {
        placed_ = true;
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect a = s->availableGeometry();
            move(a.center() - QPoint(width() / 2, height() / 2));
        }
    }
    show();
    raise();
    activateWindow();
}

void Form::Hide() {
    hide();
}

void Form::SetHeight(float twips) {
    height_ = twips;
    Apply_Size();
}

uint32_t Form::BackColor() const {
    return client_->Back();
}

void Form::SetBackColor(uint32_t c) {
    client_->Set_Back(c);
}

QWidget* Form::Host() const {
    return client_;
}

Control* Form::ActiveControl() const {
    const QWidget* f = focusWidget();
    for (Control* c : controls_) {
        if (c->Widget() == f) {
            return c;
        }
    }
    return nullptr;
}

void Form::Set_Menu_Bar(QMenuBar* bar) {
    menu_ = bar;
    Apply_Size();
}

void Form::Apply_Size() {
    const int w = Twips::ToPx(clientWidth_);
    const int ch = Twips::ToPx(height_ - Twips::CaptionAllowance);
    const int mh = menu_ ? menu_->sizeHint().height() : 0;
    if (menu_) {
        menu_->setGeometry(0, 0, w, mh);
    }
    client_->setGeometry(0, mh, w, ch);
    setFixedSize(w, mh + ch);
}

void Form::closeEvent(QCloseEvent* e) {
    e->accept();
    Frame_Close();
}

void Form::Frame_Close() {
    if (discard_) {
        discard_();
    }
}

void Form::Set_Hidden_Hook(std::function<void(Form&)> hook) {
    Hidden_Hook() = std::move(hook);
}

void Form::hideEvent(QHideEvent* e) {
    if (Hidden_Hook()) {
        Hidden_Hook()(*this);
    }
    QWidget::hideEvent(e);
}

void Form::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!enter_ || !enter || (e->modifiers() & ~Qt::KeypadModifier) != 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    if (auto* command = qobject_cast<QPushButton*>(focusWidget())) {
        command->click();
    } else {
        enter_->Click();
    }
}

void Form::Register(Control* c, bool inTabOrder) {
    controls_.push_back(c);
    if (inTabOrder) {
        tab_.push_back(c);
        Apply_Tab_Order();
    }
}

int16_t Form::Tab_Index_Of(const Control* c) const {
    const auto it = std::find(tab_.begin(), tab_.end(), c);
    return it == tab_.end() ? int16_t(-1) : static_cast<int16_t>(it - tab_.begin());
}

void Form::Move_In_Tab_Order(Control* c, int16_t index) {
    const auto it = std::find(tab_.begin(), tab_.end(), c);
    if (it == tab_.end()) {
        return;
    }
    tab_.erase(it);
    const auto pos = std::clamp<int>(index, 0, static_cast<int>(tab_.size()));
    tab_.insert(tab_.begin() + pos, c);
    Apply_Tab_Order();
}

void Form::Apply_Tab_Order() {
    QWidget* prev = nullptr;
    for (Control* c : tab_) {
        QWidget* w = c->Widget();
        if (!w || w->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (prev) {
            QWidget::setTabOrder(prev, w);
        }
        prev = w;
    }
}

void End_Program() {
    g_ended = true;
    for (const auto& t : Types()) {
        if (Form* f = t.existing()) {
            f->hide();
        }
    }
    // Leave the event loop; there is none to leave while tests drive the windows.
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
    }
}

bool Program_Has_Ended() {
    return g_ended;
}

void Reset_Program_Ended() {
    g_ended = false;
}

void Discard_All_Windows(bool resetVars) {
    for (const auto& t : Types()) {
        t.discard_now();
        if (resetVars) {
            t.reset_vars();
        }
    }
}
