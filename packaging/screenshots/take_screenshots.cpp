// Takes the screenshots under docs/screenshots from the program's own windows, filled in
// and calculated as a tuner would:
//   take_screenshots FOLDER        (scripts/screenshots.sh runs it on an X server, Xvfb)
// front-screen.png, acknowledgment.png, design.png (the README's three-stage design with
// its results and diagram) and calculator.png (BMEP from a measured power).

#include "core/chamber/design_pipeline.h"
#include "desktop/windows/bmep_tool.h"
#include "desktop/windows/pips_menu.h"
#include "desktop/windows/tex_dsn.h"

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QThread>

#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {
std::string folder;
bool failed = false;

// Lets the windows finish laying out and painting, then saves the window's image.
void Shoot(QWidget& window, const char* name) {
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(50);
    }
    const std::string path = folder + "/" + name;
    if (!window.grab().save(QString::fromStdString(path), "PNG")) {
        std::cerr << "take_screenshots: cannot write " << path << "\n";
        failed = true;
    }
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: take_screenshots FOLDER\n";
        return 64;
    }
    folder = argv[1];
    QApplication app(argc, argv);
    Prepare_Application(app);
    Start_Program();
    PipsMenu& menu = Win<PipsMenu>();
    Shoot(menu, "front-screen.png");

    menu.InfoScrn->trigger();
    Shoot(menu, "acknowledgment.png");

    // The README's design: three stages, temperature and coefficients from the target BMEP.
    menu.PipeVals->trigger();
    TexDsn& dsn = Win<TexDsn>();
    for (int16_t option : {1, 3, 5}) {
        dsn.Option1[option].Click();
    }
    dsn.Text1.SetText("Example 125");
    const std::vector<std::pair<Texh_Index, const char*>> texts = {
        {TexhHorn, "1.5"}, {TexhBmep, "10"},  {TexhDX, "40"},      {TexhD1, "44"},
        {TexhLX, "20"},    {TexhAngle, "88"}, {TexhSpeed, "11000"}};
    for (const auto& [field, text] : texts) {
        dsn.Texh[field].SetText(text);
    }
    dsn.Comd[0].Click();
    dsn.Comd[0].Widget()->setFocus(); // where a click on it leaves the focus
    Shoot(dsn, "design.png");
    dsn.Comd[2].Click();

    // BMEP from 30 kW at 12000 rpm, bore 54 mm, stroke 54.5 mm.
    emit menu.SumTools->aboutToShow();
    menu.PD_Tool[0]->trigger();
    emit menu.SumTools->aboutToHide();
    BMEPTool& bmep = Win<BMEPTool>();
    bmep.BHP_Opt[1].Click();
    const std::vector<const char*> figures = {"54", "54.5", "12000", "30"};
    for (size_t i = 0; i < figures.size(); ++i) {
        bmep.BHP_Txt[static_cast<int16_t>(i)].SetText(figures[i]);
    }
    bmep.ToolCom[1].Click();
    bmep.ToolCom[1].Widget()->setFocus();
    Shoot(bmep, "calculator.png");

    Discard_All_Windows(false);
    return failed ? 1 : 0;
}
