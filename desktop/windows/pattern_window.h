#pragma once
// The flat patterns of the design on screen, in a window of their own: the options (sheet
// thickness, seam allowance, pieces per cone, paper), a table of every piece with what a
// fabricator needs, a drawing of every developed piece to scale, and the same files and
// full-size pages as the command line's "templates": saved as PDF, SVG or DXF, or printed
// at 100 %. The design window opens it for the results it shows and takes it down when
// they are hidden.

#include "core/patterns/pattern_fields.h"
#include "core/patterns/pattern_layout.h"
#include "desktop/pattern_print/pattern_files.h"
#include "desktop/window_layer/win_form.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>

class QTableWidget;
class Pieces_View;

class PatTool : public Form {
public:
    struct Vars {};

    PatTool();

    // Shows the patterns of this design, with the options as the window last had them.
    // `designFile` tells, when asked, the design's own file, which no pattern file replaces.
    void Show_Design(const Chamber_Design& design,
                     std::function<std::string()> designFile = nullptr);

    // The patterns shown: nothing while an option is not a sensible figure.
    const std::optional<Chamber_Patterns>& Patterns() const { return set_; }
    Paper Paper_Chosen() const;
    // How long the last redraw of the table and the drawing took.
    std::chrono::microseconds Last_Redraw() const { return lastRedraw_; }

    Label InfoLab{"InfoLab"};                        // the design the patterns belong to
    Ctl_Array<Label, 3> PatLab{"PatLab"};            // captions of the option fields
    Ctl_Array<TextBox, 3> PatTxt{"PatTxt"};          // sheet, seam, pieces
    Frame PaperFram{"PaperFram"};                    // " Paper "
    Ctl_Array<OptionButton, 2> PaperOpt{"PaperOpt"}; // 0 A4, 1 Letter
    // 0 Save PDF..., 1 Save SVG..., 2 Save DXF..., 3 Print..., 4 Close
    Ctl_Array<CommandButton, 5> PatCom{"PatCom"};
    QTableWidget* Table = nullptr;
    Pieces_View* View = nullptr;

private:
    void PatCom_Click(int16_t Index);
    // The table and the drawing for the options as they stand.
    void Redraw();
    // The options, or a message box and the focus on the field that is wrong.
    bool Options_Ready();
    void Save(Pattern_Format format);
    void Print();

    std::optional<Chamber_Design> design_;
    std::function<std::string()> designFile_;
    std::optional<Chamber_Patterns> set_;
    std::chrono::microseconds lastRedraw_{0};
};
