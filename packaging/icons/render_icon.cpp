// Renders the scalable icon into PNG files of the given sizes:
//   render_icon ICON.svg OUTPUT_FOLDER SIZE...   writes OUTPUT_FOLDER/SIZExSIZE.png
// The logo's lines would be thinner than a pixel in the small sizes and fade into the
// background, so for each size the line width becomes at least one pixel.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <algorithm>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: render_icon ICON.svg OUTPUT_FOLDER SIZE...\n";
        return 64;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the session (no runtime folder and the like) are not the build's.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << m.toStdString() << "\n";
    });
    QGuiApplication app(argc, argv);

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << "render_icon: cannot read " << argv[1] << "\n";
        return 1;
    }
    const QString svg = QString::fromUtf8(file.readAll());
    const QRegularExpression viewBox(QStringLiteral("viewBox=\"[-0-9.]+ [-0-9.]+ ([0-9.]+) "));
    const QRegularExpression strokeWidth(QStringLiteral("stroke-width=\"([0-9.]+)\""));
    const auto box = viewBox.match(svg);
    const auto stroke = strokeWidth.match(svg);
    if (!box.hasMatch() || !stroke.hasMatch()) {
        std::cerr << "render_icon: " << argv[1] << " has no viewBox or stroke-width\n";
        return 1;
    }
    const double unitsAcross = box.captured(1).toDouble();
    const double width = stroke.captured(1).toDouble();

    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1) {
            std::cerr << "render_icon: not a size: " << argv[i] << "\n";
            return 64;
        }
        const double onePixel = unitsAcross / size;
        QString sized = svg;
        sized.replace(stroke.capturedStart(1), stroke.capturedLength(1),
                      QString::number(std::max(width, onePixel)));
        QSvgRenderer renderer(sized.toUtf8());
        if (!renderer.isValid()) {
            std::cerr << "render_icon: cannot read the drawing in " << argv[1] << "\n";
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString out =
            QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1x%1.png").arg(size);
        if (!image.save(out, "PNG")) {
            std::cerr << "render_icon: cannot write " << out.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
