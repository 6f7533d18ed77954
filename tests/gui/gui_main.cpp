// Runs the window tests on one QApplication, headless. A message box that no test
// expects fails the running test at once instead of waiting for a click.

#include "common/win_form.h"
#include "common/win_msgbox.h"

#include <QApplication>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace {
// The offscreen platform says so each time a window is raised or sized; nothing to see.
void Quiet_Platform(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    if (msg.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    qt_message_output(type, ctx, msg);
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(Quiet_Platform);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    Prepare_Application(app);
    Set_MsgBox_Handler([](const std::string& prompt, const std::string& title) {
        ADD_FAILURE() << "a real message box would open: [" << title << "] " << prompt;
    });
    return RUN_ALL_TESTS();
}
