#pragma once
// Screen geometry of the windows: twips (1/1440 inch) to pixels, colours and fonts.
// 15 twips make one logical pixel (96 dpi); Qt scales logical pixels by the screen's
// device-pixel ratio, so a window keeps its designed size in inches on any screen.
// Fonts are sized in the same logical pixels, so text and boxes scale together.

#include "core/screen/palette.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>

class QFontMetrics;
class QPainter;

namespace Twips {
inline constexpr int PerPixel = 15;
// A window's Height includes its caption bar; this much of it is taken for the bar, the
// same in every window, the rest is the client area.
inline constexpr int CaptionAllowance = 395;

inline int ToPx(double twips) {
    return static_cast<int>(twips >= 0 ? twips / PerPixel + 0.5 : twips / PerPixel - 0.5);
}
inline double ToPxF(double twips) {
    return twips / PerPixel;
}
// A rectangle whose edges are rounded on their own, so that controls placed edge to edge
// in twips stay edge to edge in pixels.
inline QRect ToRect(double left, double top, double width, double height) {
    const int x = ToPx(left), y = ToPx(top);
    return QRect(x, y, ToPx(left + width) - x, ToPx(top + height) - y);
}
} // namespace Twips

// A colour written &H00BBGGRR.
QColor Qt_Color(uint32_t bgr);

// A font of the given point size at 96 dpi, sized in logical pixels.
QFont Win_Font(double points, bool bold = false, bool italic = false);
// The font of every control that the windows do not give one of its own.
QFont Default_Win_Font();

// Breaks a caption into lines the way the designed captions expect: words are kept
// whole, blanks count with their width, and a run of blanks that does not fit ends the
// line (so "Exhaust Port Opening       Angle" wraps at the blanks). Leading blanks of the
// caption are kept.
QStringList Wrap_Caption(const QString& text, const QFontMetrics& fm, int width);

// Draws a caption wrapped into `box` with the given horizontal alignment, from the top
// or, when vCentre is set, centred vertically; with `mnemonic` the letter after an
// ampersand is underlined as the access key.
void Draw_Caption(QPainter& p, const QRect& box, const QString& text, Qt::Alignment hAlign,
                  bool vCentre, bool mnemonic = false);

// A caption with its access-key ampersand ("&Open" -> "Open"; "&&" is one ampersand).
QString Without_Mnemonic(const QString& caption);
