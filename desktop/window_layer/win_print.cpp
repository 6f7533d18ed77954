#include "desktop/window_layer/win_print.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include <algorithm>
#include <new>

QRectF Fit_Sheet(const QSizeF& image, const QRectF& page) {
    if (image.isEmpty() || page.isEmpty()) {
        return QRectF(page.center(), QSizeF(0, 0));
    }
    const double scale = std::min(page.width() / image.width(), page.height() / image.height());
    const QSizeF size(image.width() * scale, image.height() * scale);
    return QRectF(page.left() + (page.width() - size.width()) / 2,
                  page.top() + (page.height() - size.height()) / 2, size.width(), size.height());
}

void Paint_Sheet(QPainter& p, const QRectF& page, QWidget& sheet) {
    const QSize size = sheet.size();
    if (size.isEmpty()) {
        return;
    }
    const QRectF target = Fit_Sheet(QSizeF(size), page);
    const double scale = target.width() / size.width();
    // Scaling the painter, not an image of the widgets: each widget paints itself at the
    // device's resolution (on a printer Qt renders them into an image of device pixels).
    p.save();
    // On a printer the widgets come as one image; keep its text and lines free of the
    // blur of JPEG compression.
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.translate(target.topLeft());
    p.scale(scale, scale);
    sheet.render(&p, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    p.restore();
}

void Print_Sheet_On(QPrinter& printer, QWidget& sheet) {
    // Beyond this the page image grows large in memory and no sharper to the eye.
    if (printer.resolution() > Max_Print_Dpi) {
        printer.setResolution(Max_Print_Dpi);
    }
    printer.setFullPage(false); // the device area is the page inside the printer's margins
    const QImage image = Sheet_Image(sheet, printer.width(), printer.height());
    QPainter p;
    if (!p.begin(&printer)) {
        throw Sheet_Error("The printer did not accept the job. Check that it is switched on "
                          "and ready, then try again.");
    }
    // One opaque image in whole device pixels, drawn unscaled: nothing of it is blended
    // with the paper at its edges. Lossless, so its text and lines keep free of the blur
    // of JPEG compression.
    const QRectF target =
        Fit_Sheet(QSizeF(sheet.size()), QRectF(0, 0, printer.width(), printer.height()));
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.drawImage(QPoint(static_cast<int>(target.left()), static_cast<int>(target.top())), image);
    if (!p.end() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted) {
        throw Sheet_Error("The printer reported an error while printing.");
    }
}

QImage Sheet_Image(QWidget& sheet, int pageWidth, int pageHeight) {
    const QSize size = sheet.size();
    const QRectF target = Fit_Sheet(QSizeF(size), QRectF(0, 0, pageWidth, pageHeight));
    const QSize pixels(static_cast<int>(target.width()), static_cast<int>(target.height()));
    if (size.isEmpty() || pixels.isEmpty()) {
        return QImage();
    }
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    image.fill(Qt::white);
    QPainter p(&image);
    // Each widget paints itself at the image's resolution, not an image of the screen.
    p.scale(static_cast<double>(pixels.width()) / size.width(),
            static_cast<double>(pixels.height()) / size.height());
    sheet.render(&p, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}
