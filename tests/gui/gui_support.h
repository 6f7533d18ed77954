#pragma once
// What the window tests share: a fresh program per test, a recorder in place of the
// message box, and small helpers that act as the user does.

#include "app/pips_menu.h"
#include "common/tool_code.h"
#include "common/win_form.h"
#include "common/win_msgbox.h"
#include "design/tex_dsn.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Box {
    std::string title;
    std::string prompt;
    bool operator==(const Box& o) const { return title == o.title && prompt == o.prompt; }
};

inline std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "[" << b.title << "] " << b.prompt;
}

// Each test starts from a program that has just been started, with every window and
// window variable as new, and records the message boxes instead of showing them.
class Program_Test : public ::testing::Test {
protected:
    void SetUp() override {
        Discard_All_Windows(true);
        Reset_Program_Ended();
        ToolCode::ToolJustOpened = ToolCode::False;
        previous_ = Set_MsgBox_Handler([this](const std::string& p, const std::string& t) {
            boxes.push_back({t, p});
            if (on_box) {
                on_box();
            }
        });
        Start_Program();
    }
    void TearDown() override {
        Set_MsgBox_Handler(previous_);
        Discard_All_Windows(true);
        QCoreApplication::processEvents();
    }

    PipsMenu& menu() { return Win<PipsMenu>(); }
    TexDsn& dsn() { return Win<TexDsn>(); }

    // Opens the design window from the front screen, as the menu item does.
    TexDsn& Open_Design() {
        menu().PipeVals->trigger();
        return dsn();
    }

    std::vector<Box> boxes;
    std::function<void()> on_box; // runs while a box is "shown"

private:
    MsgBox_Handler previous_;
};

// A user's click into a control.
inline void Click_Into(Control& c) {
    QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, QPoint(5, 5));
}

// A user's typing into a text box (appended at the cursor).
inline void Type_Into(TextBox& t, const char* text) {
    QTest::keyClicks(t.Widget(), QString::fromLatin1(text));
}
