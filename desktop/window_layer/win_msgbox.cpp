#include "desktop/window_layer/win_msgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>

namespace {
MsgBox_Handler& Installed() {
    static MsgBox_Handler h;
    return h;
}

} // namespace

int Title_Bar_Width(const std::string& title) {
    // The caption bar's font is the window manager's, commonly the application's in bold and
    // a little larger; its icon and its close, maximise and minimise buttons stand beside.
    QFont font = QApplication::font();
    font.setBold(true);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 1.15);
    } else {
        font.setPixelSize(font.pixelSize() * 115 / 100);
    }
    constexpr int Buttons_And_Margins = 170;
    return QFontMetrics(font).horizontalAdvance(QString::fromStdString(title)) +
           Buttons_And_Margins;
}

std::unique_ptr<QMessageBox> Make_Box(const std::string& prompt, const std::string& title) {
    QString text = QString::fromStdString(prompt);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromStdString(title),
                                             text, QMessageBox::Ok, QApplication::activeWindow());
    box->setWindowModality(Qt::ApplicationModal);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->setIcon(QIcon()); // no icon anywhere on the box
    }
    // A message box sizes itself to its text alone: a spanning spacer as wide as the title
    // needs keeps the window manager from cutting the title.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(
            new QSpacerItem(Title_Bar_Width(title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

void MsgBox(const std::string& prompt, const std::string& title) {
    if (Installed()) {
        Installed()(prompt, title);
    } else {
        Make_Box(prompt, title)->exec();
    }
}

MsgBox_Handler Set_MsgBox_Handler(MsgBox_Handler handler) {
    MsgBox_Handler old = std::move(Installed());
    Installed() = std::move(handler);
    return old;
}
