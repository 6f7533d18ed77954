#include "desktop/windows/print_sheet.h"

#include "core/files/file_output.h"
#include "desktop/window_layer/win_dialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QWidget>

#include <algorithm>
#include <new>

namespace {
QString To_Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The printers Qt's print support knows (CUPS on Linux).
class System_Printer : public Sheet_Printer {
public:
    std::string Default_Printer() override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        return info.isNull() ? std::string() : info.printerName().toStdString();
    }
    void Print(QWidget& sheet, const std::string& name, const std::string& jobName) override {
        const QPrinterInfo info = QPrinterInfo::printerInfo(To_Q(name));
        if (info.isNull()) {
            throw Sheet_Error("The printer is no longer available.");
        }
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(To_Q(jobName));
        Print_Sheet_On(printer, sheet);
    }
};

// The toolkit's save dialog, proposing the name in the folder last used in this run, at
// first the user's documents folder.
class Save_Dialog : public Pdf_File_Chooser {
public:
    std::string Choose(QWidget* parent, const std::string& proposedName) override {
        if (folder_.isEmpty()) {
            folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (folder_.isEmpty() || !QDir(folder_).exists()) {
                folder_ = QDir::homePath();
            }
        }
        QFileDialog dialog(parent, QStringLiteral("Save Design Sheet as PDF"), folder_,
                           QStringLiteral("PDF files (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.selectFile(To_Q(proposedName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        const QString path = dialog.selectedFiles().constFirst();
        folder_ = QFileInfo(path).absolutePath();
        return path.toStdString();
    }

private:
    QString folder_;
};

Sheet_Printer*& Installed_Printer() {
    static Sheet_Printer* p = nullptr;
    return p;
}

Pdf_File_Chooser*& Installed_Chooser() {
    static Pdf_File_Chooser* c = nullptr;
    return c;
}

Sheet_Printer& Active_Printer() {
    static System_Printer system;
    return Installed_Printer() ? *Installed_Printer() : system;
}

Pdf_File_Chooser& Active_Chooser() {
    static Save_Dialog dialog;
    return Installed_Chooser() ? *Installed_Chooser() : dialog;
}

// The paper of a saved sheet: Letter where US measures are the custom, A4 elsewhere,
// upright, with 15 mm margins all round as a printer's would be.
QPageLayout Pdf_Page() {
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

} // namespace

Sheet_Printer* Set_Sheet_Printer(Sheet_Printer* printer) {
    Sheet_Printer* old = Installed_Printer();
    Installed_Printer() = printer;
    return old;
}

Pdf_File_Chooser* Set_Pdf_File_Chooser(Pdf_File_Chooser* chooser) {
    Pdf_File_Chooser* old = Installed_Chooser();
    Installed_Chooser() = chooser;
    return old;
}

std::string Proposed_Pdf_Name(const std::string& pipeName) {
    return Proposed_File_Name(pipeName, ".pdf", "design-sheet.pdf");
}

std::string Sheet_Title(const std::string& pipeName) {
    const QString name = To_Q(pipeName).trimmed();
    std::string title = "Expansion Chamber Design Sheet";
    if (!name.isEmpty()) {
        title += " - " + name.toStdString();
    }
    return title;
}

Sheet_Destination Choose_Sheet_Destination(const std::string& pipeName, QWidget* dialogParent) {
    const std::string printer = Active_Printer().Default_Printer();
    if (!printer.empty()) {
        return {Sheet_Destination::Kind::Printer, printer};
    }
    const std::string path = Active_Chooser().Choose(dialogParent, Proposed_Pdf_Name(pipeName));
    if (path.empty()) {
        return {};
    }
    return {Sheet_Destination::Kind::Pdf_File, path};
}

void Output_Sheet(QWidget& sheet, const Sheet_Destination& to, const std::string& pipeName) {
    // Painting a page at a printer's resolution takes a moment.
    struct Busy {
        Busy() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        ~Busy() { QGuiApplication::restoreOverrideCursor(); }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    } busy;
    switch (to.kind) {
    case Sheet_Destination::Kind::Printer:
        Active_Printer().Print(sheet, to.name, Sheet_Title(pipeName));
        break;
    case Sheet_Destination::Kind::Pdf_File:
        Write_Sheet_Pdf(sheet, to.name, Sheet_Title(pipeName));
        break;
    case Sheet_Destination::Kind::None:
        break;
    }
}

Sheet_Message Sheet_Failure_Message(const Sheet_Destination& to, const std::string& reason) {
    Sheet_Message m;
    if (to.kind == Sheet_Destination::Kind::Pdf_File) {
        m.title = "Design Sheet Not Saved";
        m.prompt = "The design sheet could not be saved as \"" + to.name + "\".";
    } else {
        m.title = "Design Sheet Not Printed";
        m.prompt = to.name.empty()
                       ? "The design sheet could not be printed."
                       : "The design sheet could not be printed on \"" + to.name + "\".";
    }
    if (!reason.empty()) {
        m.prompt += "\r\n\r\n" + reason;
    }
    return m;
}

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

void Write_Sheet_Pdf(QWidget& sheet, const std::string& path, const std::string& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(To_Q(title));
        writer.setCreator(QStringLiteral("Expansion Chamber Design Utility"));
        writer.setPageLayout(Pdf_Page());
        QPainter p;
        if (!p.begin(&writer)) {
            throw Sheet_Error("The PDF could not be started.");
        }
        Paint_Sheet(p, QRectF(0, 0, writer.width(), writer.height()), sheet);
        if (!p.end()) {
            throw Sheet_Error("The PDF could not be completed.");
        }
    }
    const QByteArray& pdf = buffer.data();
    if (const auto failure =
            Write_File(path, std::string(pdf.constData(), static_cast<size_t>(pdf.size())))) {
        throw Sheet_Error("The file could not be written: " + failure->reason + ".");
    }
}
