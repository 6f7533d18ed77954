#include "desktop/window_layer/win_widgets.h"

#include "desktop/window_layer/win_controls.h"
#include "desktop/window_layer/win_geometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
QColor Role_Colour(const QWidget* w, QPalette::ColorRole role) {
    return w->palette().color(role);
}

// A focus marker: a dotted rectangle.
void Draw_Focus(QPainter& p, const QRect& r) {
    QPen pen(Qt::black, 1, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}
} // namespace

void Label_Widget::paintEvent(QPaintEvent*) {
    auto* label = static_cast<Label*>(owner);
    if (!label) {
        return;
    }
    QPainter p(this);
    p.fillRect(rect(), Role_Colour(this, QPalette::Window));
    p.setPen(Role_Colour(this, QPalette::WindowText));
    p.setFont(font());
    const Qt::Alignment a = label->Alignment() == Align::Centre  ? Qt::AlignHCenter
                            : label->Alignment() == Align::Right ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
    Draw_Caption(p, rect(), QString::fromStdString(label->Caption()), a, label->VCentre());
}

Text_Widget::Text_Widget(QWidget* parent) : QLineEdit(parent) {
    // A field keeps every character it is given, as a design file or the command line does
    // (Qt would cut a text at 32,767).
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, [this] {
        auto* box = static_cast<TextBox*>(owner);
        if (box && !box->settingText_) {
            box->Raise_Change();
        }
    });
}

void Text_Widget::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    auto* box = static_cast<TextBox*>(owner);
    if (box && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        box->Raise_Click();
    }
}

void Text_Widget::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    auto* box = static_cast<TextBox*>(owner);
    if (box && box->Appearance() == 0) {
        QPainter p(this);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

Button_Widget::Button_Widget(QWidget* parent) : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, [this] {
        if (auto* button = static_cast<CommandButton*>(owner)) {
            button->Raise_Click();
        }
    });
}

void Button_Widget::paintEvent(QPaintEvent*) {
    auto* button = static_cast<CommandButton*>(owner);
    if (!button) {
        return;
    }
    QPainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, this);
    p.setFont(font());
    p.setPen(Role_Colour(this, QPalette::ButtonText));
    const QRect inner = rect().adjusted(4, 3, -4, -3);
    Draw_Caption(p, inner, QString::fromStdString(button->Caption()), Qt::AlignHCenter, true, true);
    if (hasFocus()) {
        Draw_Focus(p, rect().adjusted(3, 3, -3, -3));
    }
}

Option_Widget::Option_Widget(QWidget* parent) : QRadioButton(parent) {
    connect(this, &QRadioButton::clicked, this, [this] {
        if (auto* option = static_cast<OptionButton*>(owner)) {
            option->Raise_Click();
        }
    });
}

void Option_Widget::paintEvent(QPaintEvent*) {
    auto* option = static_cast<OptionButton*>(owner);
    if (!option) {
        return;
    }
    QPainter p(this);
    p.fillRect(rect(), Role_Colour(this, QPalette::Window));
    const int diameter = 13;
    const QRect indicator(1, (height() - diameter) / 2, diameter, diameter);
    if (option->Appearance() == 1) {
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.rect = indicator;
        opt.state &= ~QStyle::State_HasFocus;
        style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &opt, &p, this);
    } else {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(indicator).adjusted(0.5, 0.5, -0.5, -0.5));
        if (isChecked()) {
            p.setBrush(Qt::black);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(indicator).adjusted(4, 4, -4, -4));
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    p.setFont(font());
    p.setPen(Role_Colour(this, QPalette::WindowText));
    const QRect text = rect().adjusted(diameter + 5, 0, 0, 0);
    const QString caption = QString::fromStdString(option->Caption());
    Draw_Caption(p, text, caption, Qt::AlignLeft, true);
    if (hasFocus()) {
        const QFontMetrics fm(font());
        const QStringList lines = Wrap_Caption(caption, fm, text.width());
        int widest = 0;
        for (const QString& l : lines) {
            widest = std::max(widest, fm.horizontalAdvance(l));
        }
        const int h = fm.height() * static_cast<int>(lines.size());
        Draw_Focus(p, QRect(text.left() - 1, (height() - h) / 2 - 1, widest + 3, h + 2));
    }
}

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
    p.fillRect(rect(), Role_Colour(this, QPalette::Window));
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
        Paint_Frame(p);
    }
    Paint_Shapes(p);
}

// The frame's etched border (grey, with a white highlight) and its caption set into the
// top edge. The shapes inside a frame end at its border, as they do on screen, also when
// the frame is painted at a printer's resolution.
void Panel_Widget::Paint_Frame(QPainter& p) {
    const QFontMetrics fm(font());
    const QRect border(0, fm.height() / 2, width() - 2, height() - fm.height() / 2 - 2);
    // The highlight first: where a scaled drawing (a printed or PDF page) brings the two
    // lines together, the grey one stays visible.
    p.setPen(Qt::white);
    p.drawRect(border.translated(1, 1));
    p.setPen(QColor(128, 128, 128));
    p.drawRect(border);
    if (!caption_.isEmpty()) {
        const QRect cap(7, 0, std::min(fm.horizontalAdvance(caption_), width() - 14), fm.height());
        p.fillRect(cap, Role_Colour(this, QPalette::Window));
        p.setFont(font());
        p.setPen(Role_Colour(this, QPalette::WindowText));
        p.drawText(cap, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
    }
    p.setClipRect(QRect(0, 0, border.right(), height()));
}

// Rectangles, then lines, then dots, then painted labels, each kind in the order added.
void Panel_Widget::Paint_Shapes(QPainter& p) {
    const auto px = [](float twips) { return Twips::ToPxF(twips); };
    for (const RectShape* s : rects) {
        if (!s->Visible) {
            continue;
        }
        const QRectF r(px(s->Left), px(s->Top), px(s->Width), px(s->Height));
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
        const double centre = (s->BorderWidth % 2) ? 0.5 : 0.0;
        p.drawLine(QPointF(std::floor(px(s->X1)) + centre, std::floor(px(s->Y1)) + centre),
                   QPointF(std::floor(px(s->X2)) + centre, std::floor(px(s->Y2)) + centre));
    }
    for (const DotShape* s : dots) {
        if (!s->Visible) {
            continue;
        }
        p.setPen(Qt::NoPen);
        p.setBrush(Qt_Color(s->FillColor));
        p.drawEllipse(QRectF(px(s->Left), px(s->Top), px(s->Width), px(s->Height)));
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
