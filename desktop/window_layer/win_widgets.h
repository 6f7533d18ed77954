#pragma once
// The Qt widgets behind the controls, and how each paints itself in the windows' look:
// labels and captions wrapped as designed, buttons and option buttons in their own
// colours, flat or three-dimensional fields, frames and picture boxes with the shapes
// placed in them. Only the control classes create them.

#include "core/screen/win_shapes.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <cstdint>
#include <vector>

class Control;

// Each widget knows its control through `owner`, which the control clears when it goes,
// so that no event reaches a control that no longer exists.
struct Ctl_Widget {
    Control* owner = nullptr;
};

class Label_Widget : public QWidget, public Ctl_Widget {
public:
    explicit Label_Widget(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override;
};

class Text_Widget : public QLineEdit, public Ctl_Widget {
public:
    explicit Text_Widget(QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

class Button_Widget : public QPushButton, public Ctl_Widget {
public:
    explicit Button_Widget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

class Option_Widget : public QRadioButton, public Ctl_Widget {
public:
    explicit Option_Widget(QWidget* parent);

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void paintEvent(QPaintEvent*) override;
};

// The widget behind the window's client area, frames and picture boxes: background,
// border or frame caption, and the shapes placed in it.
class Panel_Widget : public QWidget {
public:
    enum class Kind { Client, Frame, Picture };
    Panel_Widget(QWidget* parent, Kind kind);

    void Set_Back(uint32_t colour);
    uint32_t Back() const { return back_; }
    void Set_Caption(const QString& caption);
    void Set_Border(int16_t style);

    std::vector<LineShape*> lines;
    std::vector<RectShape*> rects;
    std::vector<DotShape*> dots;
    std::vector<PaintedLabel*> labels;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void Paint_Frame(QPainter& p);
    void Paint_Shapes(QPainter& p);

    Kind kind_;
    uint32_t back_ = 0xFFFFFF;
    QString caption_;
    int16_t border_ = 0;
};
