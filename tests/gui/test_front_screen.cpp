// The front screen: the acknowledgment panel, and how opening the design window or the
// Tools list puts the front screen back.

#include "gui_support.h"

#include <QProcess>

namespace {

using FrontScreen = Program_Test;

// The normal state shows the logo; the acknowledgment state shows its panel instead, with
// "Provided by" and the logo word moved down and the short mark beside the word.
void Expect_Acknowledgment(PipsMenu& m, bool shown) {
    EXPECT_EQ(m.Picture1.Visible(), !shown);
    EXPECT_EQ(m.Picture2.Visible(), shown);
    EXPECT_EQ(m.Label7.Visible(), shown);
    EXPECT_EQ(m.Label5.Top(), shown ? 5500.0F : 3140.0F);
    EXPECT_EQ(m.Label1.Top(), shown ? 6200.0F : 5800.0F);
    EXPECT_EQ(m.Label1.Left(), shown ? 2780.0F : 4180.0F);
}

// The acknowledgment hides every work window and does not toggle; its button, opening the
// design window over the front screen, or the Tools list (which hides the design window) end
// it.
TEST_F(FrontScreen, AcknowledgmentSwapsThePanelsUntilAnotherChoice) {
    dsn().Show();
    for (int round = 0; round < 2; ++round) {
        menu().InfoScrn->trigger();
        EXPECT_FALSE(dsn().Visible()) << "every work window is hidden";
        Expect_Acknowledgment(menu(), true);
    }
    Click_Into(menu().ClearCom);
    Expect_Acknowledgment(menu(), false);
    menu().InfoScrn->trigger();
    Open_Design();
    EXPECT_TRUE(dsn().Visible() && menu().Visible());
    Expect_Acknowledgment(menu(), false);
    menu().InfoScrn->trigger();
    dsn().Show();
    emit menu().SumTools->aboutToShow();
    EXPECT_FALSE(dsn().Visible());
    Expect_Acknowledgment(menu(), false);
}

// The program's own options are answered without a display; anything else on the line is
// refused with the usage, not started.
TEST(CommandLine, AnsweredWithoutADisplay) {
    const struct {
        const char* args;
        int code;
        const char* says;
    } cases[] = {
        {"--help", 0, "Usage: expansion-chamber [FILE.ecd]"},
        {"--version", 0, "expansion-chamber "},
        {"--bogus", 64, "expansion-chamber: unknown option --bogus"},
        {"a.ecd b.ecd", 64, "expansion-chamber: one design file at most"},
        {"-platform", 64, "expansion-chamber: -platform: a value is needed"},
    };
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        bare.remove(QString::fromLatin1(name));
    for (const auto& c : cases) {
        QProcess program;
        program.setProcessEnvironment(bare);
        program.start(QStringLiteral(DESKTOP_PROGRAM), QString::fromLatin1(c.args).split(' '));
        ASSERT_TRUE(program.waitForFinished(10000)) << c.args;
        const QString said = program.readAllStandardOutput() + program.readAllStandardError();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.args;
        EXPECT_EQ(program.exitCode(), c.code) << c.args;
        EXPECT_TRUE(said.startsWith(QString::fromLatin1(c.says)))
            << c.args << ": " << said.toStdString();
    }
}

} // namespace
