#include "desktop/window_layer/win_msgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

namespace {
MsgBox_Handler& Installed() {
    static MsgBox_Handler h;
    return h;
}

void Real_Box(const std::string& prompt, const std::string& title) {
    QString text = QString::fromStdString(prompt);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
        ok->setIcon(QIcon()); // no icon anywhere on the box
    }
    box.exec();
}
} // namespace

void MsgBox(const std::string& prompt, const std::string& title) {
    if (Installed()) {
        Installed()(prompt, title);
    } else {
        Real_Box(prompt, title);
    }
}

MsgBox_Handler Set_MsgBox_Handler(MsgBox_Handler handler) {
    MsgBox_Handler old = std::move(Installed());
    Installed() = std::move(handler);
    return old;
}
