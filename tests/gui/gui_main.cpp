// Runs the window tests on one QApplication, headless.

#include "desktop/window_layer/win_dialogs.h"
#include "desktop/window_layer/win_form.h"
#include "desktop/window_layer/win_msgbox.h"

#include <QApplication>
#include <QHashFunctions>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace {
// Stands in for the system's printers and dialogs: a test that reaches them without its own
// stand-in fails at once instead of printing or waiting for a click.
class Nothing_Real : public System_Dialogs {
    static std::string Fail(const std::string& what) {
        ADD_FAILURE() << "the real " << what << " would be used";
        return {};
    }

public:
    std::string Default_Printer() override { return Fail("printer list"); }
    void Print_Sheet(QWidget&, const std::string& printer, const std::string&) override {
        Fail("printer " + printer);
    }
    std::string Open_File(QWidget*, const std::string& title, const std::string&) override {
        return Fail("file dialog " + title);
    }
    std::string Save_File(QWidget*, const std::string& title, const std::string&,
                          const std::string&) override {
        return Fail("file dialog " + title);
    }
    bool Ask(QWidget*, const std::string& title, const std::string&, const std::string&,
             const std::string&) override {
        return !Fail("question " + title).empty();
    }
    bool Has_Printer() override { return !Fail("printer list").empty(); }
    bool Choose_Printer(QPrinter&, QWidget*) override { return !Fail("print dialog").empty(); }
};
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QHashSeed::setDeterministicGlobalSeed(); // as the program does, for its PDF files
    QApplication app(argc, argv);
    Prepare_Application(app);
    Set_MsgBox_Handler([](const std::string& prompt, const std::string& title) {
        ADD_FAILURE() << "a real message box would open: [" << title << "] " << prompt;
    });
    Nothing_Real nothingReal;
    Set_System_Dialogs(&nothingReal);
    const int result = RUN_ALL_TESTS();
    Set_System_Dialogs(nullptr);
    return result;
}
