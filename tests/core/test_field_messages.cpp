// Every numeric field of the five check-and-compute operations: its Not Set message (the
// field emptied) and its Incorrectly Set message (the text kept), with the focus on it.

#include "core/calculators/bmep_calc.h"
#include "core/calculators/port_height_calc.h"
#include "core/calculators/prof_port_calc.h"
#include "core/calculators/rect_port_calc.h"
#include "core_support.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Runs one operation on valid texts with the text of one field replaced.
using Runner = std::optional<Field_Failure> (*)(int16_t field, const std::string& text);

std::optional<Field_Failure> Design(int16_t field, const std::string& text) {
    Design_Form f = Sample_Form(true, field == TexhBmep);
    f.Texh[field] = text;
    return Calc_Design(f).failure;
}
std::optional<Field_Failure> Bmep(int16_t field, const std::string& text) {
    Bmep_Inputs in{{"50", "40", "10000", "20"}, false};
    in.BHP_Txt[field] = text;
    return Calc_Bmep(in).failure;
}
std::optional<Field_Failure> Height(int16_t field, const std::string& text) {
    PrtHgt_Inputs in{{"54.5", "110", "85", "180"}};
    in.HghtTxt[field] = text;
    return Calc_PrtHgt(in).failure;
}
std::optional<Field_Failure> Rect(int16_t field, const std::string& text) {
    RectPrt_Inputs in{{"40", "30", "5", "5"}};
    in.DiamTxt[field] = text;
    return Calc_RectPrt(in).failure;
}
ProfPrt_Inputs Bridged_Pair() {
    return {true,
            {"60", "6", "5", "7", "24", "10"},
            {"12", "17", "20", "21", "22", "21", "20", "17", "12", "12", "12"}};
}
std::optional<Field_Failure> Prof(int16_t field, const std::string& text) {
    ProfPrt_Inputs in = Bridged_Pair();
    in.ProfTxt[field] = text;
    return Calc_ProfPrt(in).failure;
}
std::optional<Field_Failure> Ordinate(int16_t station, const std::string& text) {
    ProfPrt_Inputs in = Bridged_Pair();
    in.OrdTxt[station] = text;
    return Calc_ProfPrt(in).failure;
}

// The titles are the name followed by " Not Set" and " Incorrectly Set"; both stages
// prompt "Enter a value for " and the field's description.
const struct {
    Runner run;
    int16_t field;
    const char* name;
    const char* described;
} Cases[] = {
    {Design, TexhHorn, "Horn Coefficient", "the Horn Coefficient"},
    {Design, TexhBmep, "Target BMEP", "the Target BMEP"},
    {Design, TexhTemp, "Mean Exhaust Temperature", "the Exhaust Temperature"},
    {Design, TexhDX, "Exhaust Port Effective Diameter", "the Exhaust Port Effective Diameter"},
    {Design, TexhD1, "Barrel Flange Diameter", "the Barrel Flange Diameter"},
    {Design, TexhLX, "Barrel Exhaust Duct Length", "the Barrel Duct Length"},
    {Design, TexhMid, "Mid-Section Diameter Coefficient", "the Mid-Section Diameter Coefficient"},
    {Design, TexhTail, "Tail Pipe Diameter Coefficient", "the Tail Pipe Diameter Coefficient"},
    {Design, TexhAngle, "Exhaust Port Opening Angle", "the Exhaust Port Opening Angle"},
    {Design, TexhSpeed, "Engine Speed", "the Engine Speed"},
    {Bmep, BhpBore, "Cylinder Bore", "the Bore"},
    {Bmep, BhpStroke, "Piston Stroke", "the Stroke"},
    {Bmep, BhpSpeed, "Engine Speed", "the Engine Speed"},
    {Bmep, BhpPower, "Engine Power", "the Power"},
    {Height, HghtStroke, "Piston Stroke", "the Stroke"},
    {Height, HghtRod, "Connecting Rod Length", "the Connecting Rod Length"},
    {Height, HghtStart, "Start Open Angle", "the Start Open Angle"},
    {Height, HghtFull, "Full Open Angle", "the Full Open Angle"},
    {Rect, DiamWidth, "Port Width", "the Width"},
    {Rect, DiamHeight, "Port Height", "the Height"},
    {Rect, DiamTop, "Port Top Radius", "the Top Radius"},
    {Rect, DiamBottom, "Port Bottom Radius", "the Bottom Radius"},
    {Prof, ProfBore, "Cylinder Bore", "the Bore"},
    {Prof, ProfHeight, "Port Height", "the Port Height"},
    {Prof, ProfBridgeWidth, "Bridge Width", "the Bridge Width"},
    {Prof, ProfTopRadius, "Bridge Top Radius", "the Top Radius"},
    {Prof, ProfBottomRadius, "Bridge Bottom Radius", "the Bottom Radius"},
    {Prof, ProfIntervals, "Number of Intervals", "the Number of Intervals"},
    {Ordinate, 0, "Ordinate", "Ordinate #0"},
    {Ordinate, 10, "Ordinate", "Ordinate #10"},
};

TEST(FieldMessages, NotSetEmptiesIncorrectlySetKeeps) {
    for (const auto& c : Cases) {
        SCOPED_TRACE(std::string(c.name) + ", field " + std::to_string(c.field));
        const FieldKind kind = c.run == Ordinate ? FieldKind::Ordinate : FieldKind::Input;
        const std::string prompt = std::string("Enter a value for ") + c.described;
        for (const char* text : {"", "   ", "1,5", "4O", "0x10", "1e", "-", "inf"}) {
            const bool blank = std::string(text).find_first_not_of(' ') == std::string::npos;
            const auto f = c.run(c.field, text);
            ASSERT_TRUE(f) << '"' << text << '"';
            EXPECT_EQ(*f,
                      (Field_Failure{c.name + std::string(blank ? " Not Set" : " Incorrectly Set"),
                                     prompt, c.field, blank, kind}))
                << '"' << text << '"';
        }
    }
}

} // namespace
