#pragma once
// A picture of a window: white, in a thin grey frame, its drawing painted by the window's
// own Paint whenever Qt asks for it.

#include <QWidget>

class QPainter;

class Picture_View : public QWidget {
public:
    using QWidget::QWidget;

protected:
    // Draws the picture on the white area (the frame is drawn over it afterwards).
    virtual void Paint(QPainter& p) = 0;
    void paintEvent(QPaintEvent*) override;
};
