// Every numeric field of the five check-and-compute operations: its Not Set message (the
// field emptied) and its Incorrectly Set message (the text kept), with the focus on it.

#include "tests/sample_designs.h"
#include "tools/bmep_calc.h"
#include "tools/port_height_calc.h"
#include "tools/prof_port_calc.h"
#include "tools/rect_port_calc.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>

namespace {

// Runs one operation on valid texts with the text of one field replaced.
using Runner = std::function<std::optional<Field_Failure>(int16_t field, const std::string&)>;

std::optional<Field_Failure> Design(int16_t field, const std::string& text) {
    Design_Form f = Sample_Form(true, field == TexhBmep);
    f.Texh[static_cast<size_t>(field)] = text;
    return Calc_Design(f).failure;
}

std::optional<Field_Failure> Bmep(int16_t field, const std::string& text) {
    Bmep_Inputs in{{"50", "40", "10000", "20"}, false};
    in.BHP_Txt[static_cast<size_t>(field)] = text;
    return Calc_Bmep(in).failure;
}

std::optional<Field_Failure> Height(int16_t field, const std::string& text) {
    PrtHgt_Inputs in{{"54.5", "110", "85", "180"}};
    in.HghtTxt[static_cast<size_t>(field)] = text;
    return Calc_PrtHgt(in).failure;
}

std::optional<Field_Failure> Rect(int16_t field, const std::string& text) {
    RectPrt_Inputs in{{"40", "30", "5", "5"}};
    in.DiamTxt[static_cast<size_t>(field)] = text;
    return Calc_RectPrt(in).failure;
}

ProfPrt_Inputs Bridged_Pair() {
    return {true,
            {"60", "6", "5", "7", "24", "10"},
            {"12", "17", "20", "21", "22", "21", "20", "17", "12", "12", "12"}};
}

std::optional<Field_Failure> Prof(int16_t field, const std::string& text) {
    ProfPrt_Inputs in = Bridged_Pair();
    in.ProfTxt[static_cast<size_t>(field)] = text;
    return Calc_ProfPrt(in).failure;
}

std::optional<Field_Failure> Ordinate(int16_t station, const std::string& text) {
    ProfPrt_Inputs in = Bridged_Pair();
    in.OrdTxt[static_cast<size_t>(station)] = text;
    return Calc_ProfPrt(in).failure;
}

struct Field_Case {
    const char* operation;
    Runner run;
    int16_t field;
    const char* notSet;
    const char* incorrect;
    const char* prompt;
    FieldKind kind = FieldKind::Input;
};

const Field_Case Cases[] = {
    {"design", Design, TexhHorn, "Horn Coefficient Not Set", "Horn Coefficient Incorrectly Set",
     "Enter a value for the Horn Coefficient"},
    {"design", Design, TexhBmep, "Target BMEP Not Set", "Target BMEP Incorrectly Set",
     "Enter a value for the Target BMEP"},
    {"design", Design, TexhTemp, "Mean Exhaust Temperature Not Set",
     "Mean Exhaust Temperature Incorrectly Set", "Enter a value for the Exhaust Temperature"},
    {"design", Design, TexhDX, "Exhaust Port Effective Diameter Not Set",
     "Exhaust Port Effective Diameter Incorrectly Set",
     "Enter a value for the Exhaust Port Effective Diameter"},
    {"design", Design, TexhD1, "Barrel Flange Diameter Not Set",
     "Barrel Flange Diameter Incorrectly Set", "Enter a value for the Barrel Flange Diameter"},
    {"design", Design, TexhLX, "Barrel Exhaust Duct Length Not Set",
     "Barrel Exhaust Duct Length Incorrectly Set", "Enter a value for the Barrel Duct Length"},
    {"design", Design, TexhMid, "Mid-Section Diameter Coefficient Not Set",
     "Mid-Section Diameter Coefficient Incorrectly Set",
     "Enter a value for the Mid-Section Diameter Coefficient"},
    {"design", Design, TexhTail, "Tail Pipe Diameter Coefficient Not Set",
     "Tail Pipe Diameter Coefficient Incorrectly Set",
     "Enter a value for the Tail Pipe Diameter Coefficient"},
    {"design", Design, TexhAngle, "Exhaust Port Opening Angle Not Set",
     "Exhaust Port Opening Angle Incorrectly Set",
     "Enter a value for the Exhaust Port Opening Angle"},
    {"design", Design, TexhSpeed, "Engine Speed Not Set", "Engine Speed Incorrectly Set",
     "Enter a value for the Engine Speed"},
    {"bmep", Bmep, BhpBore, "Cylinder Bore Not Set", "Cylinder Bore Incorrectly Set",
     "Enter a value for the Bore"},
    {"bmep", Bmep, BhpStroke, "Piston Stroke Not Set", "Piston Stroke Incorrectly Set",
     "Enter a value for the Stroke"},
    {"bmep", Bmep, BhpSpeed, "Engine Speed Not Set", "Engine Speed Incorrectly Set",
     "Enter a value for the Engine Speed"},
    {"bmep", Bmep, BhpPower, "Engine Power Not Set", "Engine Power Incorrectly Set",
     "Enter a value for the Power"},
    {"port height", Height, HghtStroke, "Piston Stroke Not Set", "Piston Stroke Incorrectly Set",
     "Enter a value for the Stroke"},
    {"port height", Height, HghtRod, "Connecting Rod Length Not Set",
     "Connecting Rod Length Incorrectly Set", "Enter a value for the Connecting Rod Length"},
    {"port height", Height, HghtStart, "Start Open Angle Not Set",
     "Start Open Angle Incorrectly Set", "Enter a value for the Start Open Angle"},
    {"port height", Height, HghtFull, "Full Open Angle Not Set", "Full Open Angle Incorrectly Set",
     "Enter a value for the Full Open Angle"},
    {"rectangular port", Rect, DiamWidth, "Port Width Not Set", "Port Width Incorrectly Set",
     "Enter a value for the Width"},
    {"rectangular port", Rect, DiamHeight, "Port Height Not Set", "Port Height Incorrectly Set",
     "Enter a value for the Height"},
    {"rectangular port", Rect, DiamTop, "Port Top Radius Not Set",
     "Port Top Radius Incorrectly Set", "Enter a value for the Top Radius"},
    {"rectangular port", Rect, DiamBottom, "Port Bottom Radius Not Set",
     "Port Bottom Radius Incorrectly Set", "Enter a value for the Bottom Radius"},
    {"profiled port", Prof, ProfBore, "Cylinder Bore Not Set", "Cylinder Bore Incorrectly Set",
     "Enter a value for the Bore"},
    {"profiled port", Prof, ProfHeight, "Port Height Not Set", "Port Height Incorrectly Set",
     "Enter a value for the Port Height"},
    {"profiled port", Prof, ProfBridgeWidth, "Bridge Width Not Set", "Bridge Width Incorrectly Set",
     "Enter a value for the Bridge Width"},
    {"profiled port", Prof, ProfTopRadius, "Bridge Top Radius Not Set",
     "Bridge Top Radius Incorrectly Set", "Enter a value for the Top Radius"},
    {"profiled port", Prof, ProfBottomRadius, "Bridge Bottom Radius Not Set",
     "Bridge Bottom Radius Incorrectly Set", "Enter a value for the Bottom Radius"},
    {"profiled port", Prof, ProfIntervals, "Number of Intervals Not Set",
     "Number of Intervals Incorrectly Set", "Enter a value for the Number of Intervals"},
    {"profiled port", Ordinate, 0, "Ordinate Not Set", "Ordinate Incorrectly Set",
     "Enter a value for Ordinate #0", FieldKind::Ordinate},
    {"profiled port", Ordinate, 10, "Ordinate Not Set", "Ordinate Incorrectly Set",
     "Enter a value for Ordinate #10", FieldKind::Ordinate},
};

class FieldMessages : public ::testing::TestWithParam<Field_Case> {};

TEST_P(FieldMessages, NotSetEmptiesIncorrectlySetKeeps) {
    const Field_Case& c = GetParam();
    for (const char* blank : {"", "   "}) {
        const auto f = c.run(c.field, blank);
        ASSERT_TRUE(f) << c.operation << " field " << c.field;
        EXPECT_EQ(*f, (Field_Failure{c.notSet, c.prompt, c.field, true, c.kind}));
    }
    for (const char* bad : {"1,5", "4O", "0x10", "1e", "-", "inf"}) {
        const auto f = c.run(c.field, bad);
        ASSERT_TRUE(f) << c.operation << " field " << c.field << " '" << bad << "'";
        EXPECT_EQ(*f, (Field_Failure{c.incorrect, c.prompt, c.field, false, c.kind})) << bad;
    }
}

std::string Case_Name(const ::testing::TestParamInfo<Field_Case>& info) {
    std::string name;
    for (const char* c = info.param.operation; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    return name + "Field" + std::to_string(info.param.field) +
           (info.param.kind == FieldKind::Ordinate ? "Ordinate" : "");
}

INSTANTIATE_TEST_SUITE_P(EveryField, FieldMessages, ::testing::ValuesIn(Cases), Case_Name);

} // namespace
