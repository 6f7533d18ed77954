// The command-line calculator from any argument list: it ends with 0, 1, 2 or 64, its JSON
// parses, and nothing it prints holds "nan" or "inf". Design files are opened and saved too,
// but only in a scratch folder of the fuzzer's own: every file name given to --open or --save
// becomes one of a few names there (a design saved by an earlier run, a read-only file, a
// folder, a named pipe, a link to a file still to be made). After every run the read-only
// file is as it was and no temporary file is left beside the others.

#include "cli/calculator.h"
#include "fuzz/fuzz_input.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string Kept_Text = "kept: its write permission is off";

struct Scratch {
    fs::path dir =
        fs::temp_directory_path() / ("ecd-fuzz-cli-" + std::to_string(std::random_device{}()));
    Scratch() {
        fs::create_directories(dir / "folder");
        std::ofstream(dir / "read-only.ecd") << Kept_Text;
        fs::permissions(dir / "read-only.ecd", fs::perms::owner_read);
        mkfifo((dir / "pipe.ecd").c_str(), 0600);
        fs::create_symlink("made-through-link.ecd", dir / "link.ecd");
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

const Scratch Folder;

// The name in the scratch folder that a given file name stands for; standard output ("-")
// too, which the fuzzer's own output would otherwise take. A pipe is opened, never saved
// into: a save waits for a reader, as it should, and none comes here.
std::string In_Scratch(const std::string& given, bool save) {
    if (given.empty())
        return given; // refused as no file name

    static const char* const names[] = {"saved.ecd", "other.ecd",     "read-only.ecd", "folder",
                                        "link.ecd",  "missing/x.ecd", "pipe.ecd"};
    size_t pick = std::hash<std::string>{}(given) % std::size(names);
    if (save && pick == std::size(names) - 1)
        pick = 0;
    return (Folder.dir / names[pick]).string();
}

// Every --open and --save value (as "--flag VALUE" or "--flag=VALUE") in the scratch folder.
void Keep_Files_In_Scratch(std::vector<std::string>& args) {
    for (size_t i = 1; i < args.size(); ++i)
        for (const std::string flag : {"--open", "--save"}) {
            const bool save = flag == "--save";
            if (args[i] == flag && i + 1 < args.size())
                args[i + 1] = In_Scratch(args[i + 1], save);
            else if (args[i].rfind(flag + "=", 0) == 0)
                args[i] = flag + "=" + In_Scratch(args[i].substr(flag.size() + 1), save);
        }
}

void Require_Folder_Intact() {
    std::ifstream kept(Folder.dir / "read-only.ecd");
    Require(std::string(std::istreambuf_iterator<char>(kept), {}) == Kept_Text,
            "a read-only file is never replaced");
    for (const auto& entry : fs::directory_iterator(Folder.dir))
        Require(entry.path().filename().string()[0] != '.', "no temporary file left",
                entry.path().string());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz_Input in(data, size);
    static const char* const commands[] = {"design", "bmep", "port-height", "rect-port",
                                           "profiled-port"};
    std::vector<std::string> args{commands[in.Byte() % 5]};
    while (!in.Empty() && args.size() < 64)
        args.push_back(in.Text());
    Keep_Files_In_Scratch(args);
    std::ostringstream out, err;
    const int status = cli::Calculator_Main(args, out, err);
    Require(status == 0 || status == 1 || status == 2 || status == 64, "exit status",
            std::to_string(status));
    Require_Folder_Intact();
    // A JSON report, alone on standard output: every shown text free of "nan", "inf" and
    // negative zero, every stored value a number (a NaN would be written as null).
    const std::string printed = out.str();
    if (status != 64 && !printed.empty() && printed[0] == '{') {
        const auto j = nlohmann::json::parse(printed, nullptr, false);
        Require(!j.is_discarded(), "one JSON document", printed);
        for (const auto& [control, text] : j["display"].items())
            Require_Shown(text.get<std::string>(), "a shown text");
        for (const auto& [name, value] : j["values"].items())
            Require(value.is_number(), "a stored value", name);
    }
    return 0;
}
