#pragma once
// The port map calculator PortTool: the engine (bore, stroke, rod, deck height, speed) and a
// row of fields for each port group, the figures as lines of text, and two pictures painted
// from the core's data: the open area of each group against crank angle and the ports
// themselves. Everything is recomputed and redrawn as the tuner types; "Calculate" shows
// what is wrong, field by field, and "Use in Design" takes the exhaust opening angle and
// the engine speed to the design window.

#include "core/calculators/port_map.h"
#include "core/fields/form_entries.h"
#include "desktop/window_layer/win_form.h"
#include "desktop/windows/form_keeper.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class QWidget;
class Port_Chart_View;
class Port_Outline_View;

class PortTool : public Form, public Kept_Window {
public:
    // The texts as last typed, kept for the life of the program (also across a discard of
    // the window): the design window saves them as the engine of a design file.
    struct Vars {
        std::optional<std::array<std::string, Port_Map_Field_Count>> texts;
    };

    // The figures lines a port map can have: the swept volume, two per group, the blowdown
    // and the model's limits.
    static constexpr int Line_Count = 3 + 2 * Port_Group_Count;

    PortTool();
    void Form_Load() override;

    Vars& V;

    Ctl_Array<Label, 5> EngLab{"EngLab"};                        // the engine's captions
    Ctl_Array<Label, Port_Group_Count> GroupLab{"GroupLab"};     // a group's name per row
    Ctl_Array<Label, 6> ColLab{"ColLab"};                        // a caption per column
    Ctl_Array<TextBox, Port_Map_Field_Count> PortTxt{"PortTxt"}; // engine, then by group
    Ctl_Array<Label, Line_Count> PortLab{"PortLab"};             // the figures, a line each
    Ctl_Array<CommandButton, 3> PortCom{"PortCom"}; // 0 Return, 1 Calculate, 2 Use in Design
    QWidget* Chart = nullptr;                       // the open area against crank angle
    QWidget* Outlines = nullptr;                    // the ports side by side

    Kept_Form Form_Now() const override;
    void Put_Form(const Kept_Form& form) override;
    CommandButton& Calculate_Command() override { return PortCom[1]; }

    // The figures shown: nothing while a field is not a sensible figure.
    const std::optional<Port_Map_Figures>& Figures() const { return figures_; }
    // How long the last recomputation and redraw of the figures and pictures took.
    std::chrono::microseconds Last_Redraw() const { return lastRedraw_; }

private:
    void PortCom_Click(int16_t Index);
    // The figures and both pictures for the texts as they stand, without a message.
    void Redraw();
    // The figures, or a message box and the focus on the field that is wrong.
    bool Figures_Ready();
    void Use_In_Design();

    Port_Chart_View* chart_ = nullptr;
    Port_Outline_View* outlines_ = nullptr;
    std::optional<Port_Map_Figures> figures_;
    std::chrono::microseconds lastRedraw_{0};
};

// The port map's texts as a design file keeps them (empty before the window was first
// opened), and the texts of a design file's engine put into the port map.
Form_Entries Port_Map_Engine();
void Take_Port_Map_Engine(const Form_Entries& engine);
