#include "desktop/windows/calc_window.h"

void Create_Commands(Ctl_Array<CommandButton, 2>& com, Container& in, float left, float top0,
                     float top1, uint32_t calculateColor) {
    com[0].Create(in, left, top0, 1200, 600, "Return to Front Screen");
    com[0].SetBackColor(Palette::Lilac);
    com[1].Create(in, left, top1, 1200, 600, "Calculate");
    com[1].SetBackColor(calculateColor);
}
