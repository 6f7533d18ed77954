#include "desktop/window_layer/win_dialogs.h"

#include "desktop/window_layer/win_print.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>

namespace {

QString To_Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString& Last_Folder() {
    static QString folder;
    return folder;
}

// The toolkit's dialogs, starting in the folder last used, at first the user's documents
// folder.
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
    bool Ask(QWidget* parent, const std::string& title, const std::string& prompt,
             const std::string& yes, const std::string& no) override {
        QString text = To_Q(prompt);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        QMessageBox box(QMessageBox::NoIcon, To_Q(title), text, QMessageBox::NoButton, parent);
        QPushButton* accept = box.addButton(To_Q(yes), QMessageBox::AcceptRole);
        box.addButton(To_Q(no), QMessageBox::RejectRole);
        box.setDefaultButton(accept);
        box.exec();
        return box.clickedButton() == accept;
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
    static QString Folder() {
        QString& folder = Last_Folder();
        if (folder.isEmpty() || !QDir(folder).exists()) {
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (folder.isEmpty() || !QDir(folder).exists()) {
                folder = QDir::homePath();
            }
        }
        return folder;
    }
    std::string Run(QFileDialog& dialog) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        const QString path = dialog.selectedFiles().constFirst();
        Last_Folder() = QFileInfo(path).absolutePath();
        return path.toStdString();
    }
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

std::string Dialog_Folder() {
    return Last_Folder().toStdString();
}

void Set_Dialog_Folder(const std::string& folder) {
    Last_Folder() = To_Q(folder);
}

System_Dialogs* Set_System_Dialogs(System_Dialogs* dialogs) {
    System_Dialogs* old = Installed();
    Installed() = dialogs;
    return old;
}
