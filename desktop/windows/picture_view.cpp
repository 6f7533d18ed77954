#include "desktop/windows/picture_view.h"

#include <QPainter>

void Picture_View::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.save();
    Paint(p);
    p.restore();
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
