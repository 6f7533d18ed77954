#pragma once
// The check bars of a printed page, measured on the page as pdftoppm renders it in grey at
// 254 dpi: 10 pixels per millimetre.

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>

// Which check bars the lowest `footMm` of the page show at their true length: 1 the 100 mm
// bar, 2 the 4 inch bar, 3 both. A bar is the longest dark run of a row, less its pen.
inline int Check_Bars_Found(const QString& pgmFile, double footMm) {
    const QImage page = QImage(pgmFile).convertToFormat(QImage::Format_Grayscale8);
    int found = 0;
    for (int y = std::max(0, page.height() - static_cast<int>(footMm * 10)); y < page.height();
         ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < page.width(); ++x)
            longest = std::max(longest, run = page.constScanLine(y)[x] < 128 ? run + 1 : 0);
        const double mm = longest / 10.0 - 0.15;
        found |= (std::fabs(mm - 100) < 0.5) | (std::fabs(mm - 101.6) < 0.5) << 1;
    }
    return found;
}
