// The core's calls for the JavaScript module: every calculation answers the report the
// command line prints, in the same words; what a call cannot take is named as the error
// JavaScript throws; design files are read from their bytes as the desktop reads them.

#include "cli/calculator.h"
#include "core/calls/form_calls.h"
#include "core/fields/report.h"
#include "core/fields/vocabulary.h"
#include "tests/words_and_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

using Json = report::Json;

Json Call(const std::string& operation, const Json& request, const std::string& bytes = "") {
    return Json::parse(Form_Call(operation, request.dump(), bytes));
}

// The request a command line stands for: its flags turned into the form's entries.
Json Request_Of(const std::vector<std::string>& args) {
    const auto form = std::find_if(All_Forms().begin(), All_Forms().end(),
                                   [&](const Form_Words& f) { return args[0] == f.command; });
    Json input = Json::object();
    for (size_t i = 1; i < args.size(); ++i) {
        for (const Choice_Group& g : form->choices)
            for (const Choice_Word& w : g.words)
                if (args[i] == w.flag)
                    input[g.key] = w.word;
        for (const Field_Word& f : form->fields)
            if (args[i] == f.flag && f.kind == Field_Kind::Repeated)
                input[f.key].push_back(args[++i]);
            else if (args[i] == f.flag)
                input[f.key] = args[++i];
    }
    return {{"form", form->key}, {"input", input}};
}

const char* const ThreeStage = "design --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 "
                               "--dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000 --name GP";

// Worked examples, warnings and a failure of every check stage, for every calculator.
TEST(FormCalls, EveryCalculationAnswersTheCommandLinesReport) {
    const char* const lines[] = {
        ThreeStage,
        "design --two-stage --temp-manual --coef-manual --temp 600 --mid 2.5 --tail 0.65 --dx 40 "
        "--d1 41 --lx 20 --angle 88 --rpm 11000",
        "bmep --hp --bore 54 --stroke 54.5 --rpm 12000 --power 40",
        "port-height --stroke 54.5 --rod 110 --start 85 --full 190",
        "rect-port --width 40 --height 30 --top-radius 5 --bottom-radius 5",
        "port-map --bore 54 --stroke 54.5 --rod 110 --rpm 12000 --exhaust-count 1 "
        "--exhaust-width 38 --exhaust-radius 6 --exhaust-timing 85 --aux-count 2 --aux-width 8 "
        "--aux-radius 2 --aux-height 29 --transfer1-count 2 --transfer1-width 16 "
        "--transfer1-radius 3 --transfer1-timing 114 --transfer1-target 0.01",
        "profiled-port --bridged --bore 54 --bridge-width 5 --top-radius 2 --bottom-radius 2 "
        "--height 25 --intervals 4 --ordinate 20 --ordinate 21 --ordinate 22 --ordinate 21 "
        "--ordinate 20",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        Json answer = Call("calculate", Request_Of(Words(line)));
        answer.erase("state");
        answer.erase("table");
        answer.erase("gas");
        std::ostringstream out, err;
        cli::Calculator_Main(Words(line + std::string(" --json")), out, err);
        EXPECT_EQ(answer, Json::parse(out.str()));
    }
}

TEST(FormCalls, WhatACallCannotTakeIsNamedAsAJavaScriptError) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"calculate", R"({"form": "none"})", "TypeError"},
        {"calculate", R"({"form": "bmep", "input": {"bore": 54, "unit": "kw"}})", "TypeError"},
        {"calculate", R"({"form": "bmep", "input": {"bore": "54"}})", "TypeError"},
        {"calculate", R"({"form": "design", "input": {"diffuser": "four-stage"}})", "TypeError"},
        {"calculate", R"({"form": "design", "input": {"colour": "red"}})", "TypeError"},
        {"calculate", R"({"form": "design", "input": {"pipeName": "a\udc00b"}})", "RangeError"},
        {"calculate", R"({"form": "design", "previous": {"ThreeStage": true}})", "TypeError"},
        {"sideView", R"({"width": "6500"})", "TypeError"},
        {"patterns",
         R"({"input": {"sheet": "1", "seam": "0", "pieces": "1"},
             "design": {"diffuser": "two-stage"}})",
         "RangeError"},
        {"nothing", "{}", "TypeError"},
    };
    for (const auto& [operation, request, type] : cases) {
        const Json answer = Json::parse(Form_Call(operation, request));
        EXPECT_EQ(answer.value("/error/type"_json_pointer, ""), type) << operation << request;
    }
}

// The bytes as they are: strictly UTF-8, nothing replaced on the way; a file over the limit
// is called so before it is read.
TEST(FormCalls, DesignFilesFromTheirBytes) {
    Json input = Request_Of(Words(ThreeStage))["input"];
    input["pipeName"] = "\xC3\x96lrohr";
    const Json saved = Call("designFile", {{"input", input}});
    const Json read = Call("readDesignFile", {{"from", "a.ecd"}}, saved["text"]);
    EXPECT_EQ(read["input"]["pipeName"], "\xC3\x96lrohr");
    std::string latin1 = saved["text"];
    latin1.replace(latin1.find("\xC3\x96"), 2, "\xD6");
    EXPECT_EQ(Call("readDesignFile", {{"from", "a.ecd"}}, latin1)["failure"]["prompt"],
              "The design could not be opened from \"a.ecd\".\r\n\r\nIt is not a design file: "
              "its text is not valid JSON.");
    for (const double size : {1048576.0, 1048577.0})
        EXPECT_EQ(Call("designFileSize", {{"from", "a.ecd"}, {"size", size}})["failure"].is_null(),
                  size <= 1048576);
}

TEST(FormCalls, TheStationsOfferedWhileTheIntervalsAreTyped) {
    const std::pair<const char*, Json> cases[] = {{"3", nullptr},  {"4", 4},   {" 10 ", 10},
                                                  {"11", nullptr}, {"4.5", 4}, {"x", nullptr}};
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(Call("intervals", {{"text", text}})["shown"], shown) << text;
}

} // namespace
