#include "desktop/windows/wave_window.h"

#include "core/chamber/wave_pictures.h"
#include "core/fields/display_format.h"
#include "core/files/file_output.h"
#include "core/patterns/flat_pattern.h"
#include "core/screen/palette.h"
#include "desktop/window_layer/win_dialogs.h"
#include "desktop/window_layer/win_geometry.h"
#include "desktop/window_layer/win_msgbox.h"
#include "desktop/windows/crank_axis.h"
#include "desktop/windows/picture_view.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QColor Colour(Wave_Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// The plot inside a picture of this size: room for the speeds or pressures on the left,
// the events above, the crank angles and `below` more lines under it.
QRectF Plot_Of(const QRect& r, const QFontMetrics& fm, int below) {
    const int line = fm.height();
    return QRectF(r.left() + fm.horizontalAdvance(QStringLiteral("00000")) + 12, r.top() + line + 8,
                  r.width() - fm.horizontalAdvance(QStringLiteral("00000")) - 24 -
                      fm.horizontalAdvance(QStringLiteral("design")),
                  r.height() - (below + 3) * line - 12);
}

double Crank_X(const Wave_Map& map, const QRectF& plot, double deg) {
    return Crank_X(plot, map.crankDeg.front(), deg);
}

void Paint_Crank_Axis(QPainter& p, const Wave_Map& map, const QRectF& plot) {
    Paint_Crank_Axis(p, plot, map.crankDeg.front(),
                     {{QStringLiteral("EO"), map.events.EO},
                      {QStringLiteral("BDC"), map.events.BDC},
                      {QStringLiteral("EC"), map.events.EC}});
}

void Paint_Left_Label(QPainter& p, const QRectF& plot, double y, const QString& text) {
    const QFontMetrics fm(p.font());
    p.drawText(QPointF(plot.left() - 4 - fm.horizontalAdvance(text), y + fm.ascent() / 2.0 - 1),
               text);
}

// The curve of the map's only row, on white.
void Paint_Curve(QPainter& p, const QRect& r, const Wave_Map& map) {
    p.fillRect(r, Qt::white);
    const QFontMetrics fm(p.font());
    const QRectF plot = Plot_Of(r, fm, 1);
    const std::vector<double>& v = map.pressure[0];
    double largest = 0;
    for (double x : v) {
        largest = std::max(largest, std::abs(x));
    }
    const double scale = std::max(0.1, std::ceil(largest * 10) / 10);
    const auto y = [&](double x) { return plot.top() + plot.height() / 2 * (1 - x / scale); };
    p.setPen(QColor(136, 136, 136));
    p.drawLine(QPointF(plot.left(), y(0)), QPointF(plot.right(), y(0)));
    QPainterPath d;
    for (size_t i = 0; i < v.size(); ++i) {
        const QPointF at(Crank_X(map, plot, map.crankDeg[i]), y(v[i]));
        i == 0 ? d.moveTo(at) : d.lineTo(at);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.strokePath(d, QPen(QColor(31, 63, 127), 2));
    p.setRenderHint(QPainter::Antialiasing, false);
    Paint_Crank_Axis(p, map, plot);
    for (double x : {scale, 0.0, -scale}) {
        Paint_Left_Label(p, plot, y(x), Q(Short_Fixed(x, 1)));
    }
    p.drawText(
        QPointF(plot.left(), plot.bottom() + 3 * fm.height()),
        QStringLiteral("At %1 rpm; above the line plugging, below suction (pressure / pulse)")
            .arg(Q(Short_Fixed(map.rpm[0], 0))));
}

// The map over its speeds, fastest at the top, with the trough's and the peak's paths, the
// design speed, the colour scale and the speed at which the peak reaches EC.
void Paint_Map(QPainter& p, const QRect& r, const Wave_Map& map, const QImage& image,
               double largest, double designRpm) {
    p.fillRect(r, Qt::white);
    const QFontMetrics fm(p.font());
    const int line = fm.height();
    const QRectF plot = Plot_Of(r, fm, 5);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(plot, image);
    const double slow = map.rpm.front(), fast = map.rpm.back();
    const auto y = [&](double rpm) {
        return plot.top() + plot.height() * (fast - rpm) / (fast - slow);
    };
    const Wave_Paths paths = Trough_And_Peak(map);
    const std::pair<const std::vector<double>*, QColor> lines[] = {
        {&paths.trough, QColor(8, 48, 107)}, {&paths.peak, QColor(103, 0, 13)}};
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& [path, colour] : lines) {
        QPainterPath d;
        for (size_t i = 0; i < path->size(); ++i) {
            const QPointF at(Crank_X(map, plot, (*path)[i]), y(map.rpm[i]));
            i == 0 ? d.moveTo(at) : d.lineTo(at);
        }
        p.strokePath(d, QPen(colour, 1.5));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    Paint_Crank_Axis(p, map, plot);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(plot.left(), y(designRpm)), QPointF(plot.right(), y(designRpm)));
    p.setPen(Qt::black);
    p.drawText(QPointF(plot.right() + 4, y(designRpm) + fm.ascent() / 2.0 - 1),
               QStringLiteral("design"));
    for (double rpm : {slow, designRpm, fast}) {
        Paint_Left_Label(p, plot, y(rpm), Q(Short_Fixed(rpm, 0)));
    }
    Paint_Left_Label(p, plot, plot.top() + plot.height() / 4, QStringLiteral("rpm"));
    // The scale, the paths' keys, the plugging peak's speed and what it means.
    const double key = plot.bottom() + 2 * line + 8;
    QLinearGradient scale(plot.left(), 0, plot.left() + 160, 0);
    for (int k = 0; k <= 4; ++k) {
        scale.setColorAt(k / 4.0, Colour(Wave_Colour((k - 2) / 2.0, 1)));
    }
    const QRectF bar(plot.left(), key, 160, 10);
    p.fillRect(bar, scale);
    p.drawRect(bar);
    const QString low = QStringLiteral("suction -%1").arg(Q(Short_Fixed(largest, 2)));
    const QString high = QStringLiteral("+%1 plugging").arg(Q(Short_Fixed(largest, 2)));
    p.drawText(QPointF(bar.left(), bar.bottom() + line), low);
    p.drawText(QPointF(bar.right() - fm.horizontalAdvance(high), bar.bottom() + line), high);
    const double x = bar.right() + 24;
    p.setPen(lines[0].second);
    p.drawText(QPointF(x, bar.bottom()), QStringLiteral("— suction trough"));
    p.setPen(lines[1].second);
    p.drawText(
        QPointF(x + fm.horizontalAdvance(QStringLiteral("— suction trough")) + 20, bar.bottom()),
        QStringLiteral("— plugging peak"));
    p.setPen(Qt::black);
    p.drawText(QPointF(x, bar.bottom() + line), Q(Plug_Speed_Text(map)));
    p.drawText(QRectF(plot.left(), bar.bottom() + line + 4, r.right() - plot.left() - 8, 2 * line),
               Qt::TextWordWrap, QString::fromLatin1(Plug_Speed_Note));
}

} // namespace

class Wave_Curve_View : public Picture_View {
public:
    using Picture_View::Picture_View;
    std::optional<Wave_Map> curve;

protected:
    void Paint(QPainter& p) override {
        p.setFont(Win_Font(8));
        if (curve) {
            Paint_Curve(p, rect(), *curve);
        }
    }
};

class Wave_Map_View : public Picture_View {
public:
    using Picture_View::Picture_View;
    std::optional<Wave_Map> map;
    QImage image; // the map's colours, a pixel per speed and crank angle
    double largest = 0, designRpm = 0;

    void Set(Wave_Map m, double design) {
        const Wave_Image colours = Map_Image(m);
        image = QImage(colours.rgb.data(), colours.width, colours.height, colours.width * 3,
                       QImage::Format_RGB888)
                    .copy();
        largest = colours.largest;
        designRpm = design;
        map = std::move(m);
    }

protected:
    void Paint(QPainter& p) override {
        p.setFont(Win_Font(8));
        if (map) {
            Paint_Map(p, rect(), *map, image, largest, designRpm);
        }
    }
};

namespace {
constexpr float Form_Width = 12000, Form_Height = 10500;
constexpr int Slider_Steps = 200; // the map's speeds: half to one and a half, in 200 steps
} // namespace

WaveTool::WaveTool()
    : Form("WaveTool", "Wave Diagram", Form_Width, Form_Height + Twips::CaptionAllowance,
           Palette::Salmon) {
    Container& form = Client();
    InfoLab.Create(form, 240, 120, 11520, 255, "");
    InfoLab.SetAccessibleName("Design");
    ModelLab.Create(form, 240, 400, 11520, 600, Wave_Model_Text);
    ModelLab.SetFont(Win_Font(8));
    SpeedLab.Create(form, 240, 1080, 3300, 255, "");
    SpeedLab.SetAccessibleName("Engine speed of the curve");

    Speed = new QSlider(Qt::Horizontal, Host());
    Speed->setObjectName(QStringLiteral("WaveSpeed"));
    Speed->setAccessibleName(QStringLiteral("Engine speed of the curve"));
    Speed->setRange(0, Slider_Steps);
    Speed->setPageStep(10);
    Speed->setGeometry(Twips::ToRect(3600, 1020, 3000, 330));
    QObject::connect(Speed, &QSlider::valueChanged, this, [this] { Redraw_Curve(); });

    const char* const commands[] = {"Save &SVG...", "Save &PNG...", "P&rint...", "&Close"};
    for (int16_t i = 0; i < WaveCom.Count; ++i) {
        WaveCom[i].Create(form, 6900.0F + 1200.0F * i, 960, 1100, 450,
                          commands[static_cast<size_t>(i)]);
        WaveCom[i].SetBackColor(i == 3 ? Palette::Lilac : Palette::Light_Cyan);
    }
    Curve = curve_ = new Wave_Curve_View(Host());
    Curve->setObjectName(QStringLiteral("WaveCurve"));
    Curve->setAccessibleName(QStringLiteral("Returning pressure at the port against crank angle"));
    Curve->setGeometry(Twips::ToRect(240, 1560, Form_Width - 480, 3600));
    MapView = map_ = new Wave_Map_View(Host());
    MapView->setObjectName(QStringLiteral("WaveMap"));
    MapView->setAccessibleName(QStringLiteral("Returning pressure against speed and crank angle"));
    MapView->setGeometry(Twips::ToRect(240, 5280, Form_Width - 480, Form_Height - 5400));
    WaveCom.On_Click([this](int16_t i) { WaveCom_Click(i); });
}

void WaveTool::Show_Design(const Chamber_Design& design) {
    design_ = design;
    InfoLab.SetCaption(Pattern_Design_Line(design));
    map_->Set(Design_Waves(design, Map_Speeds(design.input.EngineSpeed)), design.input.EngineSpeed);
    const QSignalBlocker quiet(Speed);
    Speed->setValue(Slider_Steps / 2);
    Redraw_Curve();
    map_->repaint();
    Show();
}

double WaveTool::Curve_Rpm() const {
    return design_ ? design_->input.EngineSpeed *
                         (0.5 + static_cast<double>(Speed->value()) / Slider_Steps)
                   : 0;
}

void WaveTool::Redraw_Curve() {
    if (!design_) {
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    const double rpm = Curve_Rpm();
    SpeedLab.SetCaption("Engine speed of the curve: " + Short_Fixed(rpm, 0) + " rpm");
    curve_->curve = Design_Waves(*design_, {rpm});
    curve_->repaint();
    lastRedraw_ = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
}

void WaveTool::WaveCom_Click(int16_t Index) {
    if (Index == 3) {
        Hide();
    } else if (design_ && Index == 2) {
        Print();
    } else if (design_) {
        Save(Index == 0);
    }
}

QImage WaveTool::Sheet_Image(int width, int scale) const {
    const int curveHeight = width * 3 / 8, mapHeight = width / 2, head = 60;
    QImage image(width * scale, (head + curveHeight + mapHeight) * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale); // everything drawn at `width`, in `scale` times the pixels
    p.setFont(Win_Font(8));
    p.drawText(QRect(8, 4, width - 16, head - 4), Qt::TextWordWrap,
               Q(InfoLab.Caption()) + QStringLiteral("\n") + QString::fromLatin1(Wave_Model_Text));
    Paint_Curve(p, QRect(0, head, width, curveHeight), *curve_->curve);
    Paint_Map(p, QRect(0, head + curveHeight, width, mapHeight), *map_->map, map_->image,
              map_->largest, map_->designRpm);
    return image;
}

void WaveTool::Save(bool svg) {
    const std::string extension = svg ? ".svg" : ".png";
    const std::string path = Dialogs().Save_File(
        this, std::string("Save Wave Diagram as ") + (svg ? "SVG" : "PNG"),
        std::string(svg ? "SVG" : "PNG") + " files (*" + extension + ")",
        Proposed_File_Name(design_->input.PipeName + " waves", extension, "waves" + extension));
    if (path.empty()) {
        return;
    }
    std::string bytes;
    if (svg) {
        bytes = Wave_Sheet_Svg(InfoLab.Caption(), *curve_->curve, *map_->map, map_->designRpm);
    } else {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        Sheet_Image(1200, 1).save(&buffer, "PNG");
        bytes = png.toStdString();
    }
    if (const auto failure = Write_File(path, bytes)) {
        MsgBox("The wave diagram could not be saved as \"" + path + "\"." + CrLf + CrLf +
                   failure->reason + ".",
               "Wave Diagram Not Saved");
    }
}

void WaveTool::Print() {
    if (!Dialogs().Has_Printer()) {
        MsgBox("No printer is set up. Save the wave diagram as SVG or PNG and print that.",
               "No Printer");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Wave diagram"));
    if (!Dialogs().Choose_Printer(printer, this)) {
        return;
    }
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        const QImage sheet = Sheet_Image(900, 3);
        const QRect page = painter.viewport();
        const QSize fitted = sheet.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(page.topLeft(), fitted), sheet);
        printed = painter.end() && printer.printerState() != QPrinter::Error &&
                  printer.printerState() != QPrinter::Aborted;
    }
    if (!printed) {
        MsgBox("The printer did not take or finish the page. Check that it is switched on and "
               "ready, then try again.",
               "Wave Diagram Not Printed");
    }
}
