// The wave diagram: opened from the design window's results and gone with them, its curve
// following the slider, its pictures saved as SVG and PNG and printed.

#include "core/chamber/wave_pictures.h"
#include "desktop/windows/wave_window.h"
#include "gui_support.h"

#include <QFile>
#include <QSlider>

namespace {

using Waves = Program_Test;

// How many pixels of a picture are in colour (neither black, grey nor white).
int Coloured(QWidget* picture) {
    const QImage image = picture->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).hsvSaturation() > 40;
    return n;
}

TEST_F(Waves, FollowTheSliderAndGoWithTheResults) {
    TexDsn& d = Calculated(true);
    ASSERT_TRUE(d.WaveCom.Visible());
    d.WaveCom.Click();
    WaveTool& w = Win<WaveTool>();
    ASSERT_TRUE(w.Visible());
    EXPECT_EQ(w.SpeedLab.Caption(), "Engine speed of the curve: 11000 rpm");
    EXPECT_GT(Coloured(w.MapView), 50000);
    const QImage atDesign = w.Curve->grab().toImage();
    EXPECT_GT(Coloured(w.Curve), 300);
    w.Speed->setValue(0);
    EXPECT_EQ(w.SpeedLab.Caption(), "Engine speed of the curve: 5500 rpm");
    EXPECT_NE(w.Curve->grab().toImage(), atDesign);
    // An edit in the design window hides its results, and the waves with them.
    Type_Into(d.Texh[TexhLX], "1");
    EXPECT_FALSE(w.Visible());
    EXPECT_FALSE(d.WaveCom.Visible());
}

TEST_F(Waves, SavedAndPrinted) {
    Quick_Dialogs files;
    Calculated(true).WaveCom.Click();
    WaveTool& w = Win<WaveTool>();
    w.WaveCom[0].Click();
    w.WaveCom[1].Click();
    ASSERT_EQ(files.proposals, (std::vector<std::string>{"GP 125 waves.svg", "GP 125 waves.png"}));
    QFile svg(QString::fromStdString(files.path("GP 125 waves.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    for (const char* title : {"<title>Returning pressure at the port at 11000 rpm</title>",
                              "<title>Returning pressure against speed and crank angle</title>"})
        EXPECT_TRUE(text.contains(title)) << title;
    EXPECT_FALSE(QImage(QString::fromStdString(files.path("GP 125 waves.png"))).isNull());
    // The map's raster, as the core writes it into the SVG, reads back pixel for pixel.
    const Wave_Image colours =
        Map_Image(Design_Waves(Calc_Design(Sample_Form(true, true)).value, Map_Speeds(11000)));
    const std::string png = Png_Of(colours);
    const QImage read = QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                         static_cast<int>(png.size()), "PNG");
    ASSERT_EQ(read.size(), QSize(colours.width, colours.height));
    for (int y = 0; y < read.height(); y += 7)
        for (int x = 0; x < read.width(); x += 5) {
            const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(read.width()) +
                               static_cast<size_t>(x)) *
                              3;
            ASSERT_EQ(read.pixel(x, y),
                      qRgb(colours.rgb[at], colours.rgb[at + 1], colours.rgb[at + 2]))
                << x << " " << y;
        }

    files.printTo = files.dir.filePath(QStringLiteral("printed.pdf"));
    w.WaveCom[2].Click();
    EXPECT_TRUE(boxes.empty());
    QFile pdf(files.printTo);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}

} // namespace
