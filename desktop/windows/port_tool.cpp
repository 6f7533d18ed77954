#include "desktop/windows/port_tool.h"

#include "core/calculators/port_map_chart.h"
#include "core/fields/display_format.h"
#include "core/fields/vocabulary.h"
#include "core/screen/palette.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/window_layer/win_geometry.h"
#include "desktop/windows/calc_window.h"
#include "desktop/windows/crank_axis.h"
#include "desktop/windows/picture_view.h"
#include "desktop/windows/pips_menu.h"
#include "desktop/windows/tex_dsn.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

QColor Group_Colour(size_t group) {
    return QColor(QString::fromLatin1(Port_Group_Colour(group)));
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A swatch and the name of each group, in rows no wider than `width` from (left, y), the
// first row's baseline at y; only counted, not painted, without a painter. Returns the rows.
int Legend(QPainter* p, const QFontMetrics& fm, const std::vector<size_t>& groups, int left, int y,
           int width) {
    int x = left, rows = 1;
    for (size_t g : groups) {
        const QString name = Q(Port_Group_Words()[g].name);
        const int wide = 18 + fm.horizontalAdvance(name);
        if (x > left && x + wide > left + width) {
            x = left, y += fm.height(), ++rows;
        }
        if (p) {
            p->fillRect(QRect(x, y - fm.ascent() / 2 - 2, 14, 5), Group_Colour(g));
            p->drawText(x + 18, y, name);
        }
        x += wide + 14;
    }
    return rows;
}

} // namespace

// The open area of each group against crank angle from TDC to TDC, the events marked and
// the blowdown shaded, on white.
class Port_Chart_View : public Picture_View {
public:
    using Picture_View::Picture_View;
    std::optional<Open_Area_Chart> chart;

protected:
    void Paint(QPainter& p) override {
        if (!chart) {
            return;
        }
        p.setFont(Win_Font(8));
        const QFontMetrics fm(p.font());
        const int line = fm.height();
        const QRectF plot(fm.horizontalAdvance(QStringLiteral("00000")) + 10, line + 6,
                          width() - fm.horizontalAdvance(QStringLiteral("00000")) - 24,
                          height() - 4 * line - 10);
        const double top = chart->largest > 0 ? chart->largest : 1;
        const auto at = [&](double angle, double area) {
            return QPointF(plot.left() + plot.width() * angle / 360,
                           plot.top() + plot.height() * (1 - area / top));
        };
        const auto path = [&](const Open_Area_Chart::Points& points) {
            QPainterPath d;
            for (const auto& [angle, area] : points) {
                d.elementCount() == 0 ? d.moveTo(at(angle, area)) : d.lineTo(at(angle, area));
            }
            return d;
        };
        p.setRenderHint(QPainter::Antialiasing, true);
        if (!chart->blowdown.empty()) {
            QColor shade = Group_Colour(0);
            shade.setAlpha(64);
            p.fillPath(path(chart->blowdown), shade);
        }
        std::vector<size_t> groups;
        for (const auto& c : chart->curves) {
            p.strokePath(path(c.points), QPen(Group_Colour(c.group), 2));
            groups.push_back(c.group);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        Crank_Events events;
        for (const auto& e : chart->events) {
            events.emplace_back(QString::fromLatin1(e.name), e.angle);
        }
        Paint_Crank_Axis(p, plot, 0, events);
        const QString largest = Q(Short_Fixed(top, 0)), unit = QStringLiteral("mm²");
        p.drawText(QPointF(plot.left() - 4 - fm.horizontalAdvance(largest), plot.top() + 8),
                   largest);
        p.drawText(QPointF(plot.left() - 4 - fm.horizontalAdvance(unit), plot.center().y()), unit);
        p.drawText(
            QPointF(plot.left() - 4 - fm.horizontalAdvance(QStringLiteral("0")), plot.bottom()),
            QStringLiteral("0"));
        Legend(&p, fm, groups, static_cast<int>(plot.left()),
               static_cast<int>(plot.bottom()) + 3 * line, static_cast<int>(plot.width()));
    }
};

// The ports at their widths, roof heights and top radii, side by side at one scale, with
// the barrel top and the crown at TDC and BDC, on white.
class Port_Outline_View : public Picture_View {
public:
    using Picture_View::Picture_View;
    std::optional<Port_Outlines> outlines;

protected:
    void Paint(QPainter& p) override {
        if (!outlines || outlines->ports.empty()) {
            return;
        }
        const Port_Outlines& o = *outlines;
        p.setFont(Win_Font(8));
        const QFontMetrics fm(p.font());
        const int margin = 8, labels = fm.horizontalAdvance(QStringLiteral("crown at TDC")) + 12;
        std::vector<size_t> groups;
        for (const auto& port : o.ports) {
            if (groups.empty() || groups.back() != port.group) {
                groups.push_back(port.group);
            }
        }
        const int legendRows = Legend(nullptr, fm, groups, 0, 0, width() - 2 * margin);
        const double scale =
            std::min((width() - 2 * margin - labels) / o.width,
                     (height() - 2 * margin - (legendRows + 1) * fm.height()) / o.bdc);
        const auto at = [&](double x, double y) {
            return QPointF(margin + x * scale, margin + fm.height() / 2.0 + y * scale);
        };
        p.setRenderHint(QPainter::Antialiasing, true);
        for (const auto& port : o.ports) {
            QPainterPath d;
            for (const auto& [x, y] : port.outline) {
                d.elementCount() == 0 ? d.moveTo(at(x, y)) : d.lineTo(at(x, y));
            }
            QColor fill = Group_Colour(port.group);
            fill.setAlpha(90);
            p.fillPath(d, fill);
            p.strokePath(d, QPen(Qt::black, 1));
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        const struct {
            double y;
            const char* name;
        } levels[] = {{0, "barrel top"}, {o.deck, "crown at TDC"}, {o.bdc, "crown at BDC"}};
        for (const auto& l : levels) {
            if (&l == &levels[1] && o.deck <= 0) {
                continue; // the crown at TDC only below the barrel top
            }
            const QPointF from = at(0, l.y), to = at(o.width, l.y) + QPointF(6, 0);
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawLine(from, to);
            p.setPen(Qt::black);
            p.drawText(to + QPointF(4, fm.ascent() / 2.0 - 1), QString::fromLatin1(l.name));
        }
        Legend(&p, fm, groups, margin, height() - margin - (legendRows - 1) * fm.height(),
               width() - 2 * margin);
    }
};

namespace {

// The window's layout, twips: the engine's fields in a column, the commands beside them,
// the ports picture to their right, the groups' table below, the chart under it and the
// figures at the bottom.
constexpr float Form_Width = 12000, Form_Height = 11250;
constexpr float Row = 375, Engine_Top = 240, Engine_Field_Left = 2460;
constexpr float Table_Top = 2400, Table_Row_Top = 2730, Group_Width = 2400;
constexpr float Column_Left = 2700, Column_Pitch = 1500, Column_Field = 1100;
constexpr float Chart_Top = 4740, Chart_Height = 3060, Lines_Top = 7950, Line_Pitch = 240;

const Form_Words& Words() {
    return Words_Of(Form_Key::Port_Map);
}

std::array<std::string, Port_Map_Field_Count> Opening_Texts() {
    std::array<std::string, Port_Map_Field_Count> texts;
    for (const Field_Word& f : Words().fields) {
        texts[static_cast<size_t>(f.index)] = f.opening;
    }
    return texts;
}

} // namespace

PortTool::PortTool()
    : Form("PortTool", Words().title, Form_Width, Form_Height + Twips::CaptionAllowance,
           Palette::Salmon),
      Kept_Window(Form_Key::Port_Map), V(Win_Vars<PortTool>()) {
    Container& form = Client();

    for (int16_t i = 0; i < EngLab.Count; ++i) {
        const float top = Engine_Top + Row * i;
        EngLab[i].Create(form, 240, top + 30, 2200, 255, Field_Caption(Form_Key::Port_Map, i));
        Create_Field(PortTxt[i], form, Engine_Field_Left, top, EngLab[i], 900);
    }
    // The groups' table: a caption over each column, a group's name before each row; each
    // field is named by its whole caption ("Exhaust Port Width (mm):").
    for (int16_t c = 0; c < ColLab.Count; ++c) {
        ColLab[c].Create(form, Column_Left + Column_Pitch * c, Table_Top, Column_Pitch - 60, 255,
                         Port_Column_Caption(Port_Column(c)));
    }
    for (int16_t g = 0; g < GroupLab.Count; ++g) {
        const float top = Table_Row_Top + Row * g;
        GroupLab[g].Create(form, 240, top + 30, Group_Width, 255,
                           Port_Group_Words()[static_cast<size_t>(g)].name);
        for (int16_t c = 0; c < Port_Columns; ++c) {
            const int16_t i = Port_Field(static_cast<size_t>(g), Port_Column(c));
            TextBox& field = PortTxt[i];
            field.Create(form, Column_Left + Column_Pitch * c, top, Column_Field, 285);
            field.SetBackColor(Palette::Field);
            field.SetAccessibleName(Field_Caption(Form_Key::Port_Map, i));
        }
    }

    PortCom[0].Create(form, 3600, Engine_Top, 1200, 600, "Return to Front Screen");
    PortCom[0].SetBackColor(Palette::Lilac);
    PortCom[1].Create(form, 3600, Engine_Top + 720, 1200, 600, "Calculate");
    PortCom[1].SetBackColor(Palette::Light_Cyan);
    PortCom[2].Create(form, 3600, Engine_Top + 1440, 1200, 420, "&Use in Design");
    PortCom[2].SetBackColor(Palette::Light_Cyan);
    // Under the engine's fields, above the groups' table.
    Create_Restore_Command(form, 240, 2075, 2200, 300);
    Set_Enter_Command(PortCom[1]);

    Outlines = outlines_ = new Port_Outline_View(Host());
    Outlines->setObjectName(QStringLiteral("PortOutlines"));
    Outlines->setAccessibleName(QStringLiteral(
        "The ports at their widths and roof heights, side by side (not at their places around "
        "the bore)"));
    Outlines->setGeometry(Twips::ToRect(5040, Engine_Top, Form_Width - 5280, 2040));
    Chart = chart_ = new Port_Chart_View(Host());
    Chart->setObjectName(QStringLiteral("PortChart"));
    Chart->setAccessibleName(QStringLiteral("Open area of each port group against crank angle"));
    Chart->setGeometry(Twips::ToRect(240, Chart_Top, Form_Width - 480, Chart_Height));
    for (int16_t i = 0; i < PortLab.Count; ++i) {
        Create_Result_Line(PortLab[i], form, 240, Lines_Top + Line_Pitch * i, Form_Width - 480);
        PortLab[i].SetFont(Win_Font(8));
    }

    std::vector<Control*> order;
    for (TextBox& f : PortTxt) {
        order.push_back(&f);
    }
    order.insert(order.end(), {&PortCom[1], &PortCom[2], &PortCom[0], &RestCom});
    int16_t tab = 0;
    for (Control* c : order) {
        c->SetTabIndex(tab++);
    }

    const std::array<std::string, Port_Map_Field_Count> texts =
        V.texts ? *V.texts : Opening_Texts();
    for (int16_t i = 0; i < PortTxt.Count; ++i) {
        PortTxt[i].SetText(texts[static_cast<size_t>(i)]);
    }
    PortTxt.On_Change([this](int16_t) { Redraw(); });
    PortCom.On_Click([this](int16_t i) { PortCom_Click(i); });
    Redraw();
}

void PortTool::Form_Load() {
    Show_Front_Screen();
    Hide();
}

void PortTool::PortCom_Click(int16_t Index) {
    if (Index == 0) {
        Hide();
    } else if (Index == 1) {
        Figures_Ready();
        keeper::Keep(*this);
    } else if (Figures_Ready()) {
        keeper::Keep(*this);
        Use_In_Design();
    }
}

void PortTool::Redraw() {
    const auto start = std::chrono::steady_clock::now();
    V.texts = Texts_Of(PortTxt);
    const Outcome<Port_Map_Figures> run = Calc_Port_Map(Port_Map_Inputs{*V.texts});
    figures_.reset();
    chart_->chart.reset();
    outlines_->outlines.reset();
    std::vector<std::string> lines;
    if (run.ok()) {
        figures_ = run.value;
        chart_->chart = Chart_Open_Areas(*figures_);
        outlines_->outlines = Outline_Ports(*figures_);
        lines = Port_Map_Lines(*figures_);
    }
    for (int16_t i = 0; i < PortLab.Count; ++i) {
        const bool shown = static_cast<size_t>(i) < lines.size();
        PortLab[i].SetCaption(shown ? lines[static_cast<size_t>(i)] : "");
        shown ? PortLab[i].Show() : PortLab[i].Hide();
    }
    Chart->repaint();
    Outlines->repaint();
    lastRedraw_ = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
}

bool PortTool::Figures_Ready() {
    return Show_Outcome(Calc_Port_Map(Port_Map_Inputs{Texts_Of(PortTxt)}), PortTxt);
}

void PortTool::Use_In_Design() {
    const Design_Engine_Texts texts = Design_Texts_Of(*figures_);
    // The design window as the front screen opens it, with the engine's two figures in.
    Win<PipsMenu>().PipeVals->trigger();
    TexDsn& design = Win<TexDsn>();
    design.Texh[TexhAngle].SetText(texts.angle);
    design.Texh[TexhSpeed].SetText(texts.rpm);
    design.Texh[TexhAngle].SetFocus();
}

Kept_Form PortTool::Form_Now() const {
    return Kept_Texts(Form_Key::Port_Map, PortTxt, figures_.has_value());
}

// The figures and pictures follow the texts as they are typed.
void PortTool::Put_Form(const Kept_Form& form) {
    Put_Texts(Form_Key::Port_Map, form, PortTxt);
}

Form_Entries Port_Map_Engine() {
    Form_Entries engine;
    if (const auto& texts = Win_Vars<PortTool>().texts) {
        Put_Field_Texts(Words(), *texts, engine);
    }
    return engine;
}

void Take_Port_Map_Engine(const Form_Entries& engine) {
    if (engine.texts.empty()) {
        return; // a design without an engine leaves the port map as it is
    }
    const auto texts = Field_Texts<Port_Map_Field_Count>(Words(), engine);
    Win_Vars<PortTool>().texts = texts;
    if (Win_Exists<PortTool>()) {
        PortTool& t = Win<PortTool>();
        for (int16_t i = 0; i < t.PortTxt.Count; ++i) {
            t.PortTxt[i].SetText(texts[static_cast<size_t>(i)]);
        }
    }
}
