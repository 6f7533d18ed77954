// The pipe check window and the comparison of two designs: opened from the Tools menu and
// from the design window, following the typing, their failures shown, and the comparison on
// the printed sheet while it is open.

#include "core/chamber/design_file.h"
#include "core/chamber/pipe_check.h"
#include "core/fields/display_format.h"
#include "desktop/window_layer/win_geometry.h"
#include "desktop/windows/compare_tool.h"
#include "desktop/windows/pipe_tool.h"
#include "gui_support.h"

#include <fstream>

namespace {

class PipeCheck : public Program_Test, public Quick_Dialogs {};

TEST_F(PipeCheck, FollowsTheTypingAndShowsWhatIsWrongOnCalculate) {
    emit menu().SumTools->aboutToShow();
    menu().PD_Tool[5]->trigger();
    emit menu().SumTools->aboutToHide();
    PipeTool& t = Win<PipeTool>();
    EXPECT_EQ(menu().PD_Tool[5]->text().toStdString(), "Check an &Existing Pipe");
    EXPECT_TRUE(t.Visible());
    EXPECT_TRUE(t.PipeOpt[6].Value()); // millimetres
    for (int16_t o : {1, 3, 5, 7})     // three stages, both from the BMEP, inches
        Click_Into(t.PipeOpt[o]);
    const std::vector<std::pair<int16_t, double>> pipe = {
        {TexhHorn, 1.5}, {TexhBmep, 10}, {TexhDX, 40}, {TexhD1, 44}, {TexhLX, 20}, {TexhAngle, 88},
        {10, 61.4},      {11, 223.8},    {12, 148.9},  {13, 74.9},   {14, 89.5},   {15, 195.3},
        {16, 60.8},      {17, 88.2},     {18, 109.8},  {19, 25.5}};
    for (const auto& [i, mm] : pipe) {
        const bool length = i != TexhHorn && i != TexhBmep && i != TexhAngle;
        t.PipeTxt[i].SetText(length ? Significant_Text(mm / 25.4, 17) : Short_Fixed(mm, 1));
    }
    ASSERT_TRUE(t.Figures());
    EXPECT_EQ(t.PipeLab[1].Caption().substr(0, 19), "Tuned for 10999 rpm");
    EXPECT_EQ(t.PipeLab[0].Caption(),
              "Tuned length, piston face to tail pipe entry: 813.8 mm (32.04 in)");
    t.PipeTxt[10].SetText("");
    EXPECT_FALSE(t.Figures());
    EXPECT_FALSE(t.PipeLab[0].Visible());
    t.PipeCom[1].Click();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].first, "Length L1 Not Set");
    EXPECT_EQ(Focus_Of(t), "PipeTxt(10)");
}

TEST_F(PipeCheck, ComparesADesignWithAFileAndPrintsTheComparison) {
    TexDsn& d = Calculated(true);
    const auto save = [this](const char* name, const char* rpm) {
        Design_Form form = Sample_Form(true, true);
        form.Texh[TexhSpeed] = rpm;
        std::ofstream(path(name)) << Design_File_Text(form, Calc_Design(form), {});
        return path(name);
    };
    open = save("broken.ecd", "");
    d.CmpCom.Click();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].first, "Design Not Compared");
    EXPECT_FALSE(Win_Exists<CmpTool>() && Win<CmpTool>().Visible());

    open = save("slower.ecd", "10780"); // 2 % slower: the outlines nearly coincide
    d.CmpCom.Click();
    CmpTool& c = Win<CmpTool>();
    ASSERT_TRUE(c.Visible() && c.View->pipes);
    EXPECT_EQ(c.View->pipes->nameA.toStdString(), "GP 125");
    EXPECT_EQ(c.View->pipes->nameB.toStdString(), "slower");

    int sheetHeight = 0;
    bool comparisonOnPaper = false;
    defaultPrinter = "Office Laser";
    on_print = [&](QWidget& sheet, const std::string&, const std::string&) {
        sheetHeight = sheet.height();
        // On paper the comparison, and none of the screen's own commands and figures.
        comparisonOnPaper = d.CmpSheet->isVisible() && !d.CmpCom.Visible() &&
                            !d.RestCom.Visible() && !d.RecentCom.Visible() &&
                            !d.GasTxt[0].Visible() && !d.GasLab[1].Visible();
    };
    d.Comd[1].Click();
    EXPECT_EQ(sheetHeight, Twips::ToPx(TexDsn::PrintHeight + TexDsn::Comparison_Height -
                                       Twips::CaptionAllowance));
    EXPECT_TRUE(comparisonOnPaper);
    EXPECT_FALSE(d.CmpSheet->isVisible());

    d.Texh[TexhSpeed].SetText("11500"); // the results go, and their comparison with them
    EXPECT_FALSE(c.Visible());
}

} // namespace
