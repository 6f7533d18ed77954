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

// The paper of a saved sheet: Letter where US measures are the custom, A4 elsewhere,
// upright, with 15 mm margins all round as a printer's would be.
QPageLayout Pdf_Page() {
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

} // namespace

std::string Proposed_Pdf_Name(const std::string& pipeName) {
    return Proposed_File_Name(pipeName, "sheet", ".pdf", "design-sheet.pdf");
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
    const std::string printer = Dialogs().Default_Printer();
    if (!printer.empty()) {
        return {Sheet_Destination::Kind::Printer, printer};
    }
    const std::string path = Dialogs().Save_File(dialogParent, "Save Design Sheet as PDF",
                                                 "PDF files (*.pdf)", Proposed_Pdf_Name(pipeName));
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
        Dialogs().Print_Sheet(sheet, to.name, Sheet_Title(pipeName));
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
