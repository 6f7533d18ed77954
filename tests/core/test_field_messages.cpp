// Every numeric field of the five check-and-compute operations: its Not Set and Incorrectly
// Set messages in the order of the checks, and the ends of its range when it has one of
// its own.

#include "core/calculators/tool_reports.h"
#include "core_support.h"
#include "tests/sample_designs.h"
#include "tests/words_and_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

namespace {

using K = Form_Key;

// Every numeric field. Its titles are its name followed by " Not Set" and " Incorrectly
// Set", and both prompt "Enter a value for " and its description: "the " and the name
// unless given. A range of its own ends at the values that its prompt, "Enter a value
// between ...", names; its title is "<name> Out of Range" unless given.
const struct {
    Form_Key form;
    const char *key, *name, *between = "", *described = "", *rangeTitle = "";
} Fields[] = {
    {K::Design, "horn", "Horn Coefficient", "1.25 and 2.0"},
    {K::Design, "bmep", "Target BMEP", "8 and 12", "", "Target BMEP value is Out of Range"},
    {K::Design, "temp", "Mean Exhaust Temperature", "450C and 650C", "the Exhaust Temperature"},
    {K::Design, "dx", "Exhaust Port Effective Diameter", "1 and 100"},
    {K::Design, "d1", "Barrel Flange Diameter"},
    {K::Design, "lx", "Barrel Exhaust Duct Length", "", "the Barrel Duct Length"},
    {K::Design, "mid", "Mid-Section Diameter Coefficient", "2.125 and 3.25", "",
     "Mid Section Diameter Coefficient Out of Range"},
    {K::Design, "tail", "Tail Pipe Diameter Coefficient", "0.5 and 0.8"},
    {K::Design, "angle", "Exhaust Port Opening Angle", "70 and 105"},
    {K::Design, "rpm", "Engine Speed", "1000 and 50000"},
    {K::Bmep, "bore", "Cylinder Bore", "5 and 80", "the Bore", "Cylinder Bore is Out of Range"},
    {K::Bmep, "stroke", "Piston Stroke", "", "the Stroke"},
    {K::Bmep, "rpm", "Engine Speed", "4000 and 35000", "", "The Engine Speed is Out of Range"},
    {K::Bmep, "power", "Engine Power", "", "the Power"},
    {K::Port_Height, "stroke", "Piston Stroke", "5 and 65", "the Stroke"},
    {K::Port_Height, "rod", "Connecting Rod Length", "8 and 150"},
    {K::Port_Height, "start", "Start Open Angle", "75 and 105"},
    {K::Port_Height, "full", "Full Open Angle", "160 and 180"},
    {K::Rect_Port, "width", "Port Width", "2 and 60", "the Width"},
    {K::Rect_Port, "height", "Port Height", "2 and 60", "the Height"},
    {K::Rect_Port, "topRadius", "Port Top Radius", "", "the Top Radius"},
    {K::Rect_Port, "bottomRadius", "Port Bottom Radius", "", "the Bottom Radius"},
    {K::Profiled_Port, "bore", "Cylinder Bore", "5 and 80", "the Bore"},
    {K::Profiled_Port, "height", "Port Height"},
    {K::Profiled_Port, "bridgeWidth", "Bridge Width"},
    {K::Profiled_Port, "topRadius", "Bridge Top Radius", "", "the Top Radius"},
    {K::Profiled_Port, "bottomRadius", "Bridge Bottom Radius", "", "the Bottom Radius"},
    {K::Profiled_Port, "intervals", "Number of Intervals"},
};

// The worked design's entries with these options.
Form_Entries Sample(const char* diffuser, const char* temperature, const char* coefficients) {
    Form_Entries e = Entries_Of(Sample_Form(true, true));
    e.texts["diffuser"] = diffuser;
    e.texts["temperature"] = temperature;
    e.texts["coefficients"] = coefficients;
    return e;
}

// A successful run's entries, and the fields in the order of their checks.
const struct {
    Form_Key form;
    Form_Entries entries;
    const char* order;
} Forms[] = {
    {K::Design, Sample("two-stage", "manual", "bmep"), "bmep temp dx d1 lx angle rpm"},
    {K::Design, Sample("three-stage", "bmep", "manual"), "horn bmep dx d1 lx mid tail angle rpm"},
    {K::Bmep,
     {{{"unit", "kw"}, {"bore", "50"}, {"stroke", "40"}, {"rpm", "10000"}, {"power", "20"}}, {}},
     "bore stroke rpm power"},
    {K::Port_Height,
     {{{"stroke", "54.5"}, {"rod", "110"}, {"start", "85"}, {"full", "180"}}, {}},
     "stroke rod start full"},
    {K::Rect_Port,
     {{{"width", "40"}, {"height", "30"}, {"topRadius", "5"}, {"bottomRadius", "5"}}, {}},
     "width height topRadius bottomRadius"},
    // clang-format off
    {K::Profiled_Port,
     {{{"configuration", "bridged"}, {"bore", "60"}, {"bridgeWidth", "6"}, {"topRadius", "5"},
       {"bottomRadius", "7"}, {"height", "24"}, {"intervals", "8"}},
      {"12", "17", "20", "21", "22", "21", "20", "17", "12"}},
     "bore height bridgeWidth topRadius bottomRadius intervals"},
    // clang-format on
};

std::optional<Field_Failure> Failure(Form_Key form, const Form_Entries& entries) {
    return form == K::Design ? Calc_Design(Design_Form_Of(entries)).failure
                             : Tool_Report(form, entries).failure;
}

// Filled in one after the other from an empty form in the order of the checks, each field
// is Not Set while blank (the field emptied) and Incorrectly Set while it is no number, a
// tab being no blank (the text kept), with the focus on it. The fields an option leaves
// out stay empty throughout: they are never read.
TEST(FieldMessages, EachFieldInTheOrderOfTheChecks) {
    for (const auto& c : Forms) {
        Form_Entries e = c.entries;
        for (const Field_Word& f : Words_Of(c.form).fields)
            if (f.kind == Field_Kind::Number)
                e.texts[f.key] = "";
        for (const std::string& key : Words(c.order)) {
            SCOPED_TRACE(key);
            const auto n = std::find_if(std::begin(Fields), std::end(Fields), [&](const auto& n) {
                return n.form == c.form && key == n.key;
            });
            ASSERT_NE(n, std::end(Fields));
            const std::string described =
                *n->described ? n->described : "the " + std::string(n->name);
            for (const char* text : {"", "   ", "4O", "4 0", "\t5"}) {
                const bool blank = std::string(text).find_first_not_of(' ') == std::string::npos;
                e.texts[key] = text;
                EXPECT_EQ(
                    Failure(c.form, e),
                    (Field_Failure{n->name + std::string(blank ? " Not Set" : " Incorrectly Set"),
                                   "Enter a value for " + described,
                                   Words_Of(c.form).Field(key)->index, blank}))
                    << '"' << text << '"';
            }
            e.texts[key] = c.entries[key];
        }
        EXPECT_EQ(Failure(c.form, e), std::nullopt) << c.order;
    }
}

// Both ends pass the range's check, on a form that reads the field; the next single beyond
// either end gets the range's message.
TEST(FieldMessages, RangesAcceptBothEnds) {
    for (const auto& r : Fields) {
        if (!*r.between)
            continue;
        SCOPED_TRACE(r.key);
        const std::string title =
            *r.rangeTitle ? r.rangeTitle : r.name + std::string(" Out of Range");
        const auto form = std::find_if(std::begin(Forms), std::end(Forms), [&](const auto& c) {
            return c.form == r.form &&
                   (std::string(" ") + c.order + " ").find(std::string(" ") + r.key + " ") !=
                       std::string::npos;
        });
        const char* const hiText = std::strstr(r.between, " and ") + 5;
        const float lo = std::strtof(r.between, nullptr), hi = std::strtof(hiText, nullptr);
        const Field_Failure outside{title, std::string("Enter a value between ") + r.between,
                                    Words_Of(r.form).Field(r.key)->index, false};
        for (const float end : {lo, hi})
            for (const float v : {end, std::nextafter(end, end == lo ? -1e9f : 1e9f)}) {
                Form_Entries e = form->entries;
                e.texts[r.key] = Text(v);
                const auto f = Failure(r.form, e);
                if (v == end)
                    EXPECT_FALSE(f && f->title == title) << Text(v);
                else
                    EXPECT_EQ(f, outside) << Text(v);
            }
    }
}

} // namespace
