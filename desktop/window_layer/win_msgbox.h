#pragma once
// The program's one message box: modal, a single OK button, no icon, the title as its
// caption and the prompt as its text. The handler waits until the box is dismissed.
// Tests replace the box with a recorder through Set_MsgBox_Handler.

#include <functional>
#include <memory>
#include <string>

class QMessageBox;

using MsgBox_Handler = std::function<void(const std::string& prompt, const std::string& title)>;

// Shows the box (or hands it to the installed replacement) and returns when it is gone.
// A line break in the prompt is "\r\n".
void MsgBox(const std::string& prompt, const std::string& title);

// Installs a replacement for the box; an empty handler brings the real box back.
// Returns the handler that was installed before.
MsgBox_Handler Set_MsgBox_Handler(MsgBox_Handler handler);

// The box as MsgBox shows it, wide enough for its whole title on the window's caption bar.
std::unique_ptr<QMessageBox> Make_Box(const std::string& prompt, const std::string& title);
// The width, in pixels, a caption bar takes to show the title whole beside its buttons.
int Title_Bar_Width(const std::string& title);
