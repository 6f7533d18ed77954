#pragma once
// The printed design sheet: where it goes and how the window's image reaches the page.
//
// The sheet goes to the system's default printer. When none is configured the user is
// asked for a file and the sheet is saved there as a PDF. Either way the image of the
// window's client area fills one page inside the page's margins, centred, its aspect ratio
// kept, and the widgets are painted at the device's own resolution: on a printer as an
// image at the printer's resolution, in a PDF as vector graphics and text.
//
// The printer and the file dialog stand behind two small interfaces so that tests can put
// recorders in their place; the page fitting and the PDF writer are always the real ones.

#include <QRectF>
#include <QSizeF>

#include <stdexcept>
#include <string>

class QImage;
class QPainter;
class QPrinter;
class QWidget;

// Where a sheet goes.
struct Sheet_Destination {
    enum class Kind { None, Printer, Pdf_File };
    Kind kind = Kind::None; // None: the user cancelled the save dialog
    std::string name;       // the printer's name or the PDF file's path
};

// A sheet that did not reach its destination; what() says why, in words for the user.
class Sheet_Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The system's printers.
class Sheet_Printer {
public:
    virtual ~Sheet_Printer() = default;
    // The name of the default printer, empty when none is configured.
    virtual std::string Default_Printer() = 0;
    // Prints the image of `sheet` as one page on the named printer, as a job called
    // `jobName`. Throws Sheet_Error when the printer does not take or finish the job.
    virtual void Print(QWidget& sheet, const std::string& printer, const std::string& jobName) = 0;
};

// The dialog that asks where to save the sheet as a PDF.
class Pdf_File_Chooser {
public:
    virtual ~Pdf_File_Chooser() = default;
    // Asks for a file, proposing `proposedName` in the user's documents folder; returns the
    // chosen path, or an empty text when the user cancels.
    virtual std::string Choose(QWidget* parent, const std::string& proposedName) = 0;
};

// Puts a replacement in place of the system's printers or of the save dialog (the caller
// keeps it alive while installed); nullptr brings the real one back. Each returns the one
// installed before, nullptr for the real one.
Sheet_Printer* Set_Sheet_Printer(Sheet_Printer* printer);
Pdf_File_Chooser* Set_Pdf_File_Chooser(Pdf_File_Chooser* chooser);

// The default printer, or, when there is none, the PDF file the user chooses; Kind::None
// when the user cancels the dialog.
Sheet_Destination Choose_Sheet_Destination(const std::string& pipeName, QWidget* dialogParent);

// Sends the image of `sheet` to `to`. Throws Sheet_Error when that fails.
void Output_Sheet(QWidget& sheet, const Sheet_Destination& to, const std::string& pipeName);

// The message box for a sheet that did not reach `to`, with the reason given (may be
// empty).
struct Sheet_Message {
    std::string title;
    std::string prompt;
};
Sheet_Message Sheet_Failure_Message(const Sheet_Destination& to, const std::string& reason);

// ---- The parts, open to tests ----

// The file name proposed for the PDF: the pipe name without the characters a file name
// cannot hold, or "design-sheet.pdf" when nothing is left of it.
std::string Proposed_Pdf_Name(const std::string& pipeName);

// The job and document title: "Expansion Chamber Design Sheet", with the pipe name.
std::string Sheet_Title(const std::string& pipeName);

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

// Writes one PDF page with the image of `sheet` to `path`, replacing the file whole or not
// at all. Throws Sheet_Error.
void Write_Sheet_Pdf(QWidget& sheet, const std::string& path, const std::string& title);
