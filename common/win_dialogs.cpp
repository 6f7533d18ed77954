#include "common/win_dialogs.h"

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

bool File_Name_Char(QChar c) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    return c.unicode() >= 0x20 && c.unicode() != 0x7F && !forbidden.contains(c);
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

std::string Proposed_File_Name(const std::string& text, const std::string& extension,
                               const std::string& fallback) {
    QString name;
    for (const QChar c : To_Q(text)) {
        name += File_Name_Char(c) ? c : QChar('-');
    }
    const auto trimmable = [](QChar c) { return c.isSpace() || c == '.' || c == '-'; };
    if (name.endsWith(To_Q(extension), Qt::CaseInsensitive)) {
        name.chop(static_cast<int>(extension.size())); // added again below, once
    }
    while (!name.isEmpty() && trimmable(name.front())) {
        name.remove(0, 1);
    }
    while (!name.isEmpty() && trimmable(name.back())) {
        name.chop(1);
    }
    constexpr int longest = 100;
    if (name.size() > longest) {
        name.truncate(longest);
        while (!name.isEmpty() && trimmable(name.back())) {
            name.chop(1);
        }
    }
    if (name.isEmpty()) {
        return fallback;
    }
    return (name + To_Q(extension)).toStdString();
}
