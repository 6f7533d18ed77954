#include "desktop/window_layer/win_geometry.h"

#include <QFontMetrics>
#include <QPainter>

QColor Qt_Color(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QFont Win_Font(double points, bool bold, bool italic) {
    QFont f(QString::fromLatin1(Font_Family));
    f.setPixelSize(static_cast<int>(points * 96.0 / 72.0 + 0.5));
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

// 7.5 pt (10 pixels): the largest size at which every designed caption fits its box.
QFont Default_Win_Font() {
    return Win_Font(7.5);
}

QStringList Wrap_Caption(const QString& text, const QFontMetrics& fm, int width) {
    // Split into alternating runs of blanks and of other characters.
    QStringList runs;
    for (int i = 0; i < text.size();) {
        const bool blank = text[i] == QLatin1Char(' ');
        int j = i;
        while (j < text.size() && (text[j] == QLatin1Char(' ')) == blank) {
            ++j;
        }
        runs << text.mid(i, j - i);
        i = j;
    }
    QStringList lines;
    QString line;
    bool lineHasWord = false;
    QString pendingBlanks;
    for (const QString& run : runs) {
        if (run.startsWith(QLatin1Char(' '))) {
            if (!lineHasWord && lines.isEmpty()) {
                line += run; // leading blanks of the caption indent its first line
            } else {
                pendingBlanks = run;
            }
            continue;
        }
        const QString candidate = line + pendingBlanks + run;
        if (lineHasWord && fm.horizontalAdvance(candidate) > width) {
            lines << line;
            line = run;
        } else {
            line = candidate;
        }
        pendingBlanks.clear();
        lineHasWord = true;
    }
    if (!line.isEmpty() || lines.isEmpty()) {
        lines << line;
    }
    return lines;
}

QString Without_Mnemonic(const QString& caption) {
    QString plain;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        plain += caption[i];
    }
    return plain;
}

void Draw_Caption(QPainter& p, const QRect& box, const QString& text, Qt::Alignment hAlign,
                  bool vCentre, bool mnemonic) {
    const QFontMetrics fm(p.font());
    const QStringList lines = Wrap_Caption(text, fm, box.width());
    const int flags = mnemonic ? Qt::TextShowMnemonic : 0;
    const int lineH = fm.height();
    int y = box.top();
    if (vCentre) {
        y = box.top() + (box.height() - lineH * static_cast<int>(lines.size())) / 2;
    }
    for (const QString& l : lines) {
        const QRect r(box.left(), y, box.width(), lineH);
        p.drawText(r, static_cast<int>(hAlign) | Qt::AlignTop | Qt::TextSingleLine | flags, l);
        y += lineH;
    }
}
