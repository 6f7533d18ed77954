// Runs the window tests on one QApplication, headless. A message box, a printer or a save
// dialog that no test expects fails the running test at once instead of waiting for a
// click.

#include "common/win_dialogs.h"
#include "common/win_form.h"
#include "common/win_msgbox.h"
#include "design/print_sheet.h"

#include <QApplication>
#include <QHashFunctions>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace {
// Stand in for the system's printers and the save dialog: a test that reaches them
// without its own recorder fails at once instead of printing or waiting for a dialog.
class No_Printer : public Sheet_Printer {
public:
    std::string Default_Printer() override {
        ADD_FAILURE() << "the system's printers would be asked";
        return {};
    }
    void Print(QWidget&, const std::string& printer, const std::string&) override {
        ADD_FAILURE() << "a real printer would print: " << printer;
    }
};

class No_System_Dialogs : public System_Dialogs {
public:
    std::string Open_File(QWidget*, const std::string& title, const std::string&) override {
        ADD_FAILURE() << "a real file dialog would open: " << title;
        return {};
    }
    std::string Save_File(QWidget*, const std::string& title, const std::string&,
                          const std::string&) override {
        ADD_FAILURE() << "a real file dialog would open: " << title;
        return {};
    }
    bool Has_Printer() override {
        ADD_FAILURE() << "the system's printers would be asked";
        return false;
    }
    bool Choose_Printer(QPrinter&, QWidget*) override {
        ADD_FAILURE() << "a real print dialog would open";
        return false;
    }
};

class No_Dialog : public Pdf_File_Chooser {
public:
    std::string Choose(QWidget*, const std::string& proposed) override {
        ADD_FAILURE() << "a real save dialog would open for " << proposed;
        return {};
    }
};

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
    QHashSeed::setDeterministicGlobalSeed(); // as the program does, for its PDF files
    QApplication app(argc, argv);
    Prepare_Application(app);
    Set_MsgBox_Handler([](const std::string& prompt, const std::string& title) {
        ADD_FAILURE() << "a real message box would open: [" << title << "] " << prompt;
    });
    No_Printer noPrinter;
    No_Dialog noDialog;
    No_System_Dialogs noDialogs;
    Set_System_Dialogs(&noDialogs);
    Set_Sheet_Printer(&noPrinter);
    Set_Pdf_File_Chooser(&noDialog);
    const int result = RUN_ALL_TESTS();
    Set_Sheet_Printer(nullptr);
    Set_Pdf_File_Chooser(nullptr);
    Set_System_Dialogs(nullptr);
    return result;
}
