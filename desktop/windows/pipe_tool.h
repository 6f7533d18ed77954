#pragma once
// The pipe check PipeTool: a pipe the tuner already has, measured section by section, and
// the design window's figures but the engine speed. It shows the speed the pipe is tuned
// for, how that speed moves with the header and the gas temperature, the design for that
// speed beside the measured pipe section by section, and both pipes drawn over each other.
// Everything follows the typing; "Calculate" shows what is wrong, field by field.

#include "core/chamber/pipe_check.h"
#include "core/fields/form_entries.h"
#include "desktop/window_layer/win_form.h"
#include "desktop/windows/form_keeper.h"

#include <optional>

class QWidget;
class Pipe_Overlay_View;

class PipeTool : public Form, public Kept_Window {
public:
    // The form as last typed, kept for the life of the program: the pipe is the tuner's.
    struct Vars {
        std::optional<Form_Entries> entries;
    };

    // The lines of figures a check can have: five, one per section and diameter, the model.
    static constexpr int Line_Count = 6 + 6 + 4;

    PipeTool();
    void Form_Load() override;

    Vars& V;

    Ctl_Array<Frame, 4> PipeFram{"PipeFram"};      // diffuser, temperature, coefficients, unit
    Ctl_Array<OptionButton, 8> PipeOpt{"PipeOpt"}; // two per frame
    Label NamLab{"NamLab"};
    TextBox PipeNam{"PipeNam"};                              // the measured pipe's name
    Ctl_Array<Label, Pipe_Field_Count> PipeCap{"PipeCap"};   // a caption per field
    Ctl_Array<TextBox, Pipe_Field_Count> PipeTxt{"PipeTxt"}; // as the vocabulary's indexes
    Label MeasLab{"MeasLab"};                                // over the measured pipe's fields
    Ctl_Array<Label, Line_Count> PipeLab{"PipeLab"};         // the figures, a line each
    Ctl_Array<CommandButton, 2> PipeCom{"PipeCom"};          // 0 Return, 1 Calculate
    QWidget* Overlay = nullptr;                              // measured and designed pipe

    // The figures shown: nothing while the form is not a checkable pipe.
    const std::optional<Pipe_Check_Figures>& Figures() const { return figures_; }
    // The form in the vocabulary's words.
    Form_Entries Entries() const;

    Kept_Form Form_Now() const override;
    void Put_Form(const Kept_Form& form) override;
    CommandButton& Calculate_Command() override { return PipeCom[1]; }

private:
    void PipeCom_Click(int16_t Index);
    void Redraw();
    void Put(const Form_Entries& entries);

    Pipe_Overlay_View* overlay_ = nullptr;
    std::optional<Pipe_Check_Figures> figures_;
};
