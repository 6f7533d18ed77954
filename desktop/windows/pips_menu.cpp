#include "desktop/windows/pips_menu.h"

#include "core/screen/palette.h"
#include "desktop/windows/pattern_window.h"
#include "desktop/windows/tex_dsn.h"
#include "desktop/windows/wave_window.h"
#include "ecd_version.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
constexpr uint32_t White = Palette::White;
constexpr uint32_t PanelColor = Palette::Note;

// The logo: a side view of an expansion chamber on its stand, in 26 white lines.
constexpr std::array<std::array<float, 4>, 26> Logo = {{
    // upper outline: header, two cones, belly, rear cone, tail pipe
    {150, 690, 600, 690},
    {600, 690, 1200, 500},
    {1200, 500, 1700, 280},
    {1700, 280, 2500, 280},
    {2500, 280, 3050, 710},
    {3050, 710, 3450, 710},
    // lower outline
    {150, 910, 600, 910},
    {600, 910, 1200, 1100},
    {1200, 1100, 1700, 1320},
    {1700, 1320, 2500, 1320},
    {2500, 1320, 3050, 890},
    {3050, 890, 3450, 890},
    // port and tail end
    {150, 690, 150, 910},
    {3450, 710, 3450, 890},
    // seams between the sections
    {600, 690, 600, 910},
    {1200, 500, 1200, 1100},
    {1700, 280, 1700, 1320},
    {2500, 280, 2500, 1320},
    {3050, 710, 3050, 890},
    // the gas leaving the tail pipe
    {3480, 740, 3580, 720},
    {3480, 800, 3590, 800},
    {3480, 860, 3580, 880},
    // the stand
    {1850, 1320, 1750, 1520},
    {2350, 1320, 2450, 1520},
    {150, 1520, 3450, 1520},
    {400, 1600, 3200, 1600},
}};

const std::array<const char*, 5> Credits = {
    "This utility was written by the Expansion Chamber",
    "Design Utility team, as a free aid for two-stroke",
    "engine tuners. Its chamber proportions follow rules",
    "of thumb long shared among tuners: take each design",
    "as the starting point for testing on the engine.",
};
} // namespace

PipsMenu::PipsMenu()
    : Form("PipsMenu", "Expansion Chamber Design Utility", 7080, 7410 + Twips::CaptionAllowance,
           Palette::Dark_Red) {
    Container& form = Client();

    Label2.Create(form, 360, 480, 6375, 515, "Expansion Chamber Design");
    Label3.Create(form, 360, 1200, 6375, 515, "Utility");
    Label4.Create(form, 1540, 2000, 4000, 355, "(An Engine Tuner's Assistant)");
    Label5.Create(form, 400, 3140, 2400, 450, "Provided by . . .");
    for (Label* l : {&Label2, &Label3}) {
        l->SetFont(Win_Font(18, true));
        l->SetForeColor(White);
        l->SetAlignment(Align::Centre);
    }
    Label4.SetFont(Win_Font(12, true));
    Label4.SetForeColor(Palette::Black);
    Label4.SetAlignment(Align::Centre);
    Label5.SetFont(Win_Font(13.5, true, true));
    Label5.SetForeColor(PanelColor);

    Picture1.Create(form, 1750, 4000, 3600, 1800);
    Picture1.SetAccessibleName("Logo");
    for (size_t i = 0; i < Line.size(); ++i) {
        const auto& ends = Logo[i];
        Line[i] = LineShape{ends[0], ends[1], ends[2], ends[3], true, Style_Solid, 2, White};
        Picture1.Add_Shape(Line[i]);
    }

    // The short mark stands left of the logo word in the acknowledgment state; the word
    // is created after it so that it is drawn on top where their boxes touch.
    Label7.Create(form, 1800, 6000, 1000, 550, "2T");
    Label7.SetFont(Win_Font(24, true));
    Label7.SetForeColor(White);
    Label1.Create(form, 4180, 5800, 1150, 300, "ECDU");
    Label1.SetFont(Win_Font(14.25, true));
    Label1.SetForeColor(White);
    Label6.Create(form, 1960, 6600, 4800, 450, "Pipes Tuned by the Numbers");
    Label6.SetFont(Win_Font(13.5, true, true));
    Label6.SetForeColor(PanelColor);

    Picture2.Create(form, 1100, 2740, 5100, 2450, 1);
    Picture2.SetBackColor(PanelColor);
    Picture2.SetAccessibleName("Acknowledgment panel");
    AckTit.Create(Picture2, 1350, 200, 2000, 350, "Acknowledgment");
    AckTit.SetFont(Win_Font(9.75, true));
    for (int16_t i = 0; i < InfoLab.Count; ++i) {
        InfoLab[i].Create(Picture2, 120, 600.0F + 350.0F * i, 4650, 255,
                          Credits[static_cast<size_t>(i)]);
        InfoLab[i].SetFont(Win_Font(8.25));
    }
    ClearCom.Create(Picture2, 4820, 20, 260, 255, "X");
    ClearCom.SetFont(Win_Font(8.25, true));
    ClearCom.Widget()->setAccessibleDescription(QStringLiteral("Closes the acknowledgment"));
    VerLab.Create(Picture2, 3420, 220, 1350, 255, std::string("Version ") + Ecd_Version);
    VerLab.SetFont(Win_Font(8.25));
    VerLab.SetAlignment(Align::Right);

    // The menu bar; the top-level captions end in four blanks that space the items.
    MenuBar = new QMenuBar(this);
    MenuBar->setNativeMenuBar(false);
    MenuBar->setFont(Win_Font(9));
    InfoScrn = MenuBar->addAction(QStringLiteral("&Acknowledgment    "));
    PipeVals = MenuBar->addAction(QStringLiteral("&Expansion Chamber Design    "));
    SumTools = MenuBar->addMenu(QStringLiteral("&Tools    "));
    SumTools->setFont(Win_Font(9));
    const std::array<const char*, 6> tools = {"&BMEP from Power Output",
                                              "Port &Height from Timing Angles",
                                              "Equivalent Diameter of a &Rectangular Port",
                                              "Equivalent Diameter of a &Profiled Port",
                                              "Port &Timing and Time-Area",
                                              "Check an &Existing Pipe"};
    for (size_t i = 0; i < tools.size(); ++i) {
        PD_Tool[i] = SumTools->addAction(QString::fromLatin1(tools[i]));
        QObject::connect(PD_Tool[i], &QAction::triggered, this,
                         [this, i] { PD_Tool_Click(static_cast<int16_t>(i)); });
    }
    ExitProg = MenuBar->addAction(QStringLiteral("E&xit"));
    Set_Menu_Bar(MenuBar);

    QObject::connect(InfoScrn, &QAction::triggered, this, [this] { InfoScrn_Click(); });
    QObject::connect(PipeVals, &QAction::triggered, this, [this] { PipeVals_Click(); });
    QObject::connect(SumTools, &QMenu::aboutToShow, this, [this] { SumTools_Click(); });
    QObject::connect(ExitProg, &QAction::triggered, this, [this] { ExitProg_Click(); });
    ClearCom.On_Click([this] { ClearCom_Click(); });
}

void PipsMenu::Form_Load() {
    Win<TexDsn>().Hide();
    Label7.Hide();
    Picture1.Show();
    Picture2.Hide();
    Show();
}

void PipsMenu::Frame_Close() {
    ExitProg_Click();
}

void PipsMenu::Hide_Work_Windows() {
    Win<TexDsn>().Hide();
    Hide_Calculator_Windows();
}

void PipsMenu::InfoScrn_Click() {
    Hide_Work_Windows();
    Picture1.Hide();
    Label5.SetTop(5500);
    Label1.Move(2780, 6200);
    Label7.Show();
    Picture2.Show();
}

void PipsMenu::ClearCom_Click() {
    Hide_Ack_Stuf();
}

void PipsMenu::Hide_Ack_Stuf() {
    Label7.Hide();
    Picture2.Hide();
    Label5.SetTop(3140);
    Label1.Move(4180, 5800);
    Picture1.Show();
}

void PipsMenu::PipeVals_Click() {
    Hide_Ack_Stuf();
    Hide_Work_Windows();
    TexDsn& dsn = Win<TexDsn>();
    keeper::Emptying(dsn);
    dsn.SetHeight(TexDsn::EntryHeight);
    for (OptionButton& o : dsn.Option1) {
        o.SetValue(false);
    }
    dsn.Text1.SetText("");
    for (TextBox& t : dsn.Texh) {
        t.SetText("");
    }
    for (PictureBox* p : {&dsn.HornPic, &dsn.TempPic, &dsn.BmepPic, &dsn.BellyPic, &dsn.TailPic}) {
        p->Hide();
    }
    dsn.OutFrame.Hide();
    dsn.PipPic.Hide();
    dsn.Show();
}

void PipsMenu::ExitProg_Click() {
    Hide();
    End_Program();
}

void Start_Program() {
    Set_Front_Screen([] { Win<PipsMenu>().Show(); });
    // Every work window's form is kept as the window is left (form_keeper.h).
    Form::Set_Hidden_Hook([](Form& f) {
        if (const auto* w = dynamic_cast<const Kept_Window*>(&f)) {
            keeper::Keep(*w);
        }
    });
    // The flat patterns and the waves of the design on screen, and gone with its results.
    TexDsn::Result_Windows windows;
    windows.patterns = [](const Chamber_Design& d, std::function<std::string()> file) {
        Win<PatTool>().Show_Design(d, std::move(file));
    };
    windows.waves = [](const Chamber_Design& d) { Win<WaveTool>().Show_Design(d); };
    windows.hide = [] {
        if (Win_Exists<PatTool>()) {
            Win<PatTool>().Hide();
        }
        if (Win_Exists<WaveTool>()) {
            Win<WaveTool>().Hide();
        }
    };
    TexDsn::Set_Result_Windows(std::move(windows));
    Win<PipsMenu>();
}

void Open_Design_At_Start(const std::string& path) {
    Win<PipsMenu>().PipeVals->trigger();
    Win<TexDsn>().Open_Design_File(path);
}
