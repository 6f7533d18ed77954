#pragma once
// A window's image on one printed page: fitted inside the page's margins, centred, its
// aspect ratio kept, each widget painted at the device's own resolution (on a printer as an
// image at the printer's resolution, in a PDF as vector graphics and text).

#include <QRectF>
#include <QSizeF>

#include <stdexcept>

class QImage;
class QPainter;
class QPrinter;
class QWidget;

// A sheet that did not reach its printer or file; what() says why, in words for the user.
class Sheet_Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest rectangle of the image's aspect ratio inside `page`, centred in it.
QRectF Fit_Sheet(const QSizeF& image, const QRectF& page);

// Paints the image of `sheet` (its widget and every visible child) fitted into `page`,
// in the device coordinates of the painter's device, at that device's resolution.
void Paint_Sheet(QPainter& p, const QRectF& page, QWidget& sheet);

// The image of `sheet` as a printer gets it: opaque, in whole device pixels, of the size
// that fits the page of `pageWidth` by `pageHeight` device pixels.
QImage Sheet_Image(QWidget& sheet, int pageWidth, int pageHeight);

// Prints one page with the image of `sheet` on a printer set up but not yet started,
// at the printer's resolution (at most Max_Print_Dpi). Throws Sheet_Error.
inline constexpr int Max_Print_Dpi = 600;
void Print_Sheet_On(QPrinter& printer, QWidget& sheet);
