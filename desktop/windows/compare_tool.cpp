#include "desktop/windows/compare_tool.h"

#include "core/screen/palette.h"
#include "desktop/window_layer/win_geometry.h"

namespace {
constexpr float Form_Width = 10875, Form_Height = 5100;
} // namespace

CmpTool::CmpTool()
    : Form("CmpTool", "Compare Designs", Form_Width, Form_Height + Twips::CaptionAllowance,
           Palette::Salmon) {
    View = new Pipe_Overlay_View(Host());
    View->setObjectName(QStringLiteral("CmpView"));
    View->withTable = true;
    View->setGeometry(Twips::ToRect(120, 120, Form_Width - 240, Form_Height - 840));
    CloseCom.Create(Client(), Form_Width - 1320, Form_Height - 600, 1200, 450, "&Close");
    CloseCom.SetBackColor(Palette::Lilac);
    CloseCom.On_Click([this] { Hide(); });
}

void CmpTool::Show_Comparison(const Pipe_Overlay& designs) {
    View->pipes = designs;
    View->setAccessibleName(QStringLiteral("A: ") + designs.nameA +
                            QStringLiteral(" (solid) and B: ") + designs.nameB +
                            QStringLiteral(" (dashed) on one scale, with every diameter and "
                                           "length of both"));
    View->repaint();
    Show();
}
