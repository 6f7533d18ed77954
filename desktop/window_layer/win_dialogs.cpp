#include "desktop/window_layer/win_dialogs.h"

#include "desktop/window_layer/win_print.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

QString To_Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The toolkit's dialogs, starting in the folder last used in this run, at first the user's
// documents folder.
class Toolkit_Dialogs : public System_Dialogs {
public:
    std::string Open_File(QWidget* parent, const std::string& title,
                          const std::string& filter) override {
        QFileDialog dialog(parent, To_Q(title), Folder(), To_Q(filter));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return Run(dialog);
    }
    std::string Save_File(QWidget* parent, const std::string& title, const std::string& filter,
                          const std::string& proposedName) override {
        QFileDialog dialog(parent, To_Q(title), Folder(), To_Q(filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        const QString name = To_Q(proposedName);
        dialog.setDefaultSuffix(QFileInfo(name).suffix());
        dialog.selectFile(name);
        return Run(dialog);
    }
    bool Has_Printer() override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }
    bool Choose_Printer(QPrinter& printer, QWidget* parent) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    // The printers Qt's print support knows (CUPS on Linux).
    std::string Default_Printer() override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        return info.isNull() ? std::string() : info.printerName().toStdString();
    }
    void Print_Sheet(QWidget& sheet, const std::string& name, const std::string& jobName) override {
        const QPrinterInfo info = QPrinterInfo::printerInfo(To_Q(name));
        if (info.isNull()) {
            throw Sheet_Error("The printer is no longer available.");
        }
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(To_Q(jobName));
        Print_Sheet_On(printer, sheet);
    }

private:
    QString Folder() {
        if (folder_.isEmpty()) {
            folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (folder_.isEmpty() || !QDir(folder_).exists()) {
                folder_ = QDir::homePath();
            }
        }
        return folder_;
    }
    std::string Run(QFileDialog& dialog) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        const QString path = dialog.selectedFiles().constFirst();
        folder_ = QFileInfo(path).absolutePath();
        return path.toStdString();
    }
    QString folder_;
};

System_Dialogs*& Installed() {
    static System_Dialogs* d = nullptr;
    return d;
}

} // namespace

System_Dialogs& Dialogs() {
    static Toolkit_Dialogs toolkit;
    return Installed() ? *Installed() : toolkit;
}

System_Dialogs* Set_System_Dialogs(System_Dialogs* dialogs) {
    System_Dialogs* old = Installed();
    Installed() = dialogs;
    return old;
}
