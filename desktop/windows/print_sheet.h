#pragma once
// The printed design sheet: where it goes and how the window's image reaches the page.
//
// The sheet goes to the system's default printer. When none is configured the user is
// asked for a file and the sheet is saved there as a PDF. Either way the image of the
// window's client area fills one page inside the page's margins, centred, its aspect ratio
// kept, and the widgets are painted at the device's own resolution: on a printer as an
// image at the printer's resolution, in a PDF as vector graphics and text.
//
// The printer and the file dialog are the window layer's (System_Dialogs), which tests
// replace; the page fitting and the PDF writer are always the real ones.

#include "desktop/window_layer/win_print.h"

#include <string>

class QWidget;

// Where a sheet goes.
struct Sheet_Destination {
    enum class Kind { None, Printer, Pdf_File };
    Kind kind = Kind::None; // None: the user cancelled the save dialog
    std::string name;       // the printer's name or the PDF file's path
};

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
// cannot hold and " sheet.pdf" ("GP 125 sheet.pdf"), or "design-sheet.pdf" when nothing is
// left of it.
std::string Proposed_Pdf_Name(const std::string& pipeName);

// The job and document title: "Expansion Chamber Design Sheet", with the pipe name.
std::string Sheet_Title(const std::string& pipeName);

// Writes one PDF page with the image of `sheet` to `path`, replacing the file whole or not
// at all. Throws Sheet_Error.
void Write_Sheet_Pdf(QWidget& sheet, const std::string& path, const std::string& title);
