// The command-line calculator from any argument list: it ends with 0, 2 or 64, its JSON
// parses, and nothing it prints holds "nan" or "inf". Lists that name a design file to open
// or save are skipped: the fuzzer must not read or write files in the folder it runs in.

#include "cli/calculator.h"
#include "fuzz/fuzz_input.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz_Input in(data, size);
    static const char* const commands[] = {"design", "bmep", "port-height", "rect-port",
                                           "profiled-port"};
    std::vector<std::string> args{commands[in.Byte() % 5]};
    while (!in.Empty() && args.size() < 64) {
        args.push_back(in.Text());
        if (args.back().rfind("--open", 0) == 0 || args.back().rfind("--save", 0) == 0)
            return 0;
    }
    if (args[0] == "templates")
        return 0;
    std::ostringstream out, err;
    const int status = cli::Calculator_Main(args, out, err);
    Require(status == 0 || status == 2 || status == 64, "exit status", std::to_string(status));
    // A JSON report: every shown text free of "nan", "inf" and negative zero, every stored
    // value a number (a NaN would be written as null).
    const std::string printed = out.str();
    if (status != 64 && !printed.empty() && printed[0] == '{') {
        const auto j = nlohmann::json::parse(printed, nullptr, false);
        Require(!j.is_discarded(), "JSON", printed);
        for (const auto& [control, text] : j["display"].items())
            Require_Shown(text.get<std::string>(), "a shown text");
        for (const auto& [name, value] : j["values"].items())
            Require(value.is_number(), "a stored value", name);
    }
    return 0;
}
