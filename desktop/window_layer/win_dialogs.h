#pragma once
// The system's file dialogs, print dialog and printers, behind one replaceable interface:
// the windows ask it, and tests put one stand-in in its place so that no real dialog ever
// waits for a click and no page reaches a real printer.

#include "core/files/file_name.h"

#include <string>

class QPrinter;
class QWidget;

class System_Dialogs {
public:
    virtual ~System_Dialogs() = default;
    // The file to open; empty when the user cancels. `filter` as "Design files (*.ecd)".
    virtual std::string Open_File(QWidget* parent, const std::string& title,
                                  const std::string& filter) = 0;
    // Where to save, proposing `proposedName` (with its extension; a whole path starts in its
    // folder); empty when cancelled.
    virtual std::string Save_File(QWidget* parent, const std::string& title,
                                  const std::string& filter, const std::string& proposedName) = 0;
    // A question with two answers, `yes` the default one; true for `yes`.
    virtual bool Ask(QWidget* parent, const std::string& title, const std::string& prompt,
                     const std::string& yes, const std::string& no) = 0;
    // Whether the system has a printer at all.
    virtual bool Has_Printer() = 0;
    // Lets the user choose and set up a printer; false when cancelled.
    virtual bool Choose_Printer(QPrinter& printer, QWidget* parent) = 0;
    // The name of the default printer, empty when none is configured.
    virtual std::string Default_Printer() = 0;
    // Prints the image of `sheet` as one page on the named printer, as a job called
    // `jobName` (win_print.h). Throws Sheet_Error when the printer does not take or finish
    // the job.
    virtual void Print_Sheet(QWidget& sheet, const std::string& printer,
                             const std::string& jobName) = 0;
};

// The dialogs in use: the system's, or the replacement installed (the caller keeps it
// alive while installed; nullptr brings the system's back). Returns the one before.
System_Dialogs& Dialogs();
System_Dialogs* Set_System_Dialogs(System_Dialogs* dialogs);

// The folder the system's file dialogs start in: the one last used, at first the user's
// documents folder. The program keeps it between runs.
std::string Dialog_Folder();
void Set_Dialog_Folder(const std::string& folder);
