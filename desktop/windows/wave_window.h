#pragma once
// The waves of the design on screen, in a window of their own: the pressure the pipe sends
// back to the port against crank angle at the speed the slider sets (the design's first),
// and the map of speed against crank angle from half to one and a half times the design's
// speed, coloured by pressure, with the paths of the suction trough and the plugging peak.
// Both pictures are saved as one SVG or PNG file and printed on one page. The design window
// opens it for the results it shows and takes it down when they are hidden.

#include "core/chamber/pipe_waves.h"
#include "desktop/window_layer/win_form.h"

#include <chrono>
#include <optional>

class QSlider;
class QWidget;
class Wave_Curve_View;
class Wave_Map_View;

class WaveTool : public Form {
public:
    struct Vars {};

    WaveTool();

    // Shows the waves of this design, the curve at its speed.
    void Show_Design(const Chamber_Design& design);
    // The curve's speed, rpm.
    double Curve_Rpm() const;
    // How long the last redraw of the curve after a move of the slider took.
    std::chrono::microseconds Last_Redraw() const { return lastRedraw_; }

    Label InfoLab{"InfoLab"};                       // the design the waves belong to
    Label ModelLab{"ModelLab"};                     // the model and its limits
    Label SpeedLab{"SpeedLab"};                     // the curve's speed
    Ctl_Array<CommandButton, 4> WaveCom{"WaveCom"}; // 0 Save SVG, 1 Save PNG, 2 Print, 3 Close
    QSlider* Speed = nullptr;   // half to one and a half times the design's speed
    QWidget* Curve = nullptr;   // the curve at the slider's speed
    QWidget* MapView = nullptr; // the map over the speeds

private:
    void WaveCom_Click(int16_t Index);
    void Redraw_Curve();
    void Save(bool svg);
    void Print();
    // The design, the model and both pictures, one over the other, laid out `width` pixels
    // wide and drawn at `scale` times that.
    QImage Sheet_Image(int width, int scale) const;

    std::optional<Chamber_Design> design_;
    Wave_Curve_View* curve_ = nullptr;
    Wave_Map_View* map_ = nullptr;
    std::chrono::microseconds lastRedraw_{0};
};
