// The port map window: opened from the Tools menu, recomputed and redrawn as the tuner
// types, its failures shown by "Calculate", its figures taken to the design window, and its
// texts kept in design files.

#include "core/calculators/port_map.h"
#include "core/chamber/design_file.h"
#include "core/fields/display_format.h"
#include "desktop/windows/port_tool.h"
#include "gui_support.h"

#include <fstream>
#include <iterator>

namespace {

using PortMap = Program_Test;

// The worked engine: its exhaust and main transfers, and some of each other group's fields.
const std::vector<std::pair<int16_t, const char*>> Engine = {
    {0, "54"}, {1, "54.5"}, {2, "110"}, {4, "12000"}, {6, "38"},   {7, "6"},
    {8, "85"}, {17, "2"},   {18, "16"}, {19, "3"},    {20, "114"}, {10, "0.0134"}};

PortTool& Open_Port_Map(PipsMenu& menu) {
    emit menu.SumTools->aboutToShow();
    menu.PD_Tool[4]->trigger();
    emit menu.SumTools->aboutToHide();
    return Win<PortTool>();
}

void Type_Engine(PortTool& t) {
    for (const auto& [i, text] : Engine)
        t.PortTxt[i].SetText(text);
}

// How many pixels of a picture are in colour (not black, grey or white), above its legend.
int Coloured(QWidget* picture) {
    const QImage image = picture->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height() - 24; ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).hsvSaturation() > 40;
    return n;
}

TEST_F(PortMap, RecomputesAndRedrawsAsTheTunerTypes) {
    PortTool& t = Open_Port_Map(menu());
    EXPECT_EQ(menu().PD_Tool[4]->text().toStdString(), "Port &Timing and Time-Area");
    EXPECT_TRUE(t.Visible());
    EXPECT_EQ(t.PortTxt[Port_Field(0, PortCount)].Text(), "1");
    EXPECT_EQ(t.PortTxt[3].Text(), "0");
    EXPECT_EQ(t.PortTxt[Port_Field(2, PortWidth)].AccessibleName(),
              "Main Transfer Ports Width (mm):");
    Type_Engine(t);
    ASSERT_TRUE(t.Figures());
    std::array<std::string, Port_Map_Field_Count> texts;
    for (int16_t i = 0; i < t.PortTxt.Count; ++i)
        texts[static_cast<size_t>(i)] = t.PortTxt[i].Text();
    const std::vector<std::string> lines =
        Port_Map_Lines(Calc_Port_Map(Port_Map_Inputs{texts}).value);
    for (int16_t i = 0; i < t.PortLab.Count; ++i) {
        const bool shown = static_cast<size_t>(i) < lines.size();
        EXPECT_EQ(t.PortLab[i].Visible(), shown) << i;
        EXPECT_EQ(t.PortLab[i].Caption(), shown ? lines[static_cast<size_t>(i)] : "") << i;
    }
    EXPECT_EQ(t.PortLab[1].Caption().substr(0, 33), "Exhaust Port: opens 85.00, closes");
    EXPECT_GT(Coloured(t.Chart), 1000);
    EXPECT_GT(Coloured(t.Outlines), 3000);

    // A field that is no figure takes the figures and pictures down, without a box.
    Type_Into(t.PortTxt[2], "x");
    EXPECT_FALSE(t.Figures());
    EXPECT_FALSE(t.PortLab[0].Visible());
    EXPECT_EQ(Coloured(t.Chart) + Coloured(t.Outlines), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PortMap, CalculateNamesTheFirstFailure) {
    const struct {
        int16_t field;
        const char* text;
        Message_Box box;
        const char* left; // the field's text afterwards
    } cases[] = {
        {2, "20", {"Connecting Rod Length Out of Range", ""}, "20"},
        {Port_Field(0, PortWidth), "", {"Exhaust Port Width Not Set", ""}, ""},
        {Port_Field(2, PortHeight), "40", {"Main Transfer Ports Roof Given Twice", ""}, "40"},
    };
    for (const auto& c : cases) {
        boxes.clear();
        PortTool& t = Open_Port_Map(menu());
        Type_Engine(t);
        t.PortTxt[c.field].SetText(c.text);
        t.PortCom[1].Click();
        ASSERT_EQ(boxes.size(), 1U) << c.field;
        EXPECT_EQ(boxes[0].first, c.box.first);
        EXPECT_EQ(Focus_Of(t), "PortTxt(" + std::to_string(c.field) + ")");
        EXPECT_EQ(t.PortTxt[c.field].Text(), c.left);
    }
}

TEST_F(PortMap, UseInDesignFillsTheDesignWindow) {
    PortTool& t = Open_Port_Map(menu());
    Type_Engine(t);
    t.PortTxt[Port_Field(0, PortTiming)].SetText("");
    t.PortTxt[Port_Field(0, PortHeight)].SetText("28.5");
    t.PortCom[2].Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(t.Visible());
    EXPECT_TRUE(dsn().Visible());
    EXPECT_EQ(dsn().Texh[TexhAngle].Text(),
              Short_Fixed(Opening_Angle({54, 54.5, 110, 0, 12000}, 28.5), 2));
    EXPECT_EQ(dsn().Texh[TexhAngle].Text().substr(0, 3), "85.");
    EXPECT_EQ(dsn().Texh[TexhSpeed].Text(), "12000");
    EXPECT_EQ(Focus_Of(dsn()), "Texh(1)");
    // Back from the Tools menu, the engine is as the tuner left it.
    EXPECT_EQ(Open_Port_Map(menu()).PortTxt[0].Text(), "54");
}

TEST_F(PortMap, DesignFilesKeepTheEngine) {
    Quick_Dialogs files;
    Type_Engine(Open_Port_Map(menu()));
    Calculated(true).FileCom[2].Click();
    ASSERT_FALSE(files.open.empty());
    std::ifstream in(files.open, std::ios::binary);
    const Design_File_Read read =
        Read_Design_File(std::string(std::istreambuf_iterator<char>(in), {}));
    EXPECT_EQ(read.engine["bore"], "54");
    EXPECT_EQ(read.engine.texts.count("auxWidth"), 0U);

    Discard_All_Windows(true);
    Start_Program();
    Open_Design().Open_Design_File(files.open);
    EXPECT_TRUE(boxes.empty());
    PortTool& t = Open_Port_Map(menu());
    for (const auto& [i, text] : Engine)
        EXPECT_EQ(t.PortTxt[i].Text(), text) << i;
    EXPECT_TRUE(t.Figures());
}

} // namespace
