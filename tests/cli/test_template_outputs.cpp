// Where the templates command writes, as a hostile user or a full disk has it: every
// failure exit 1 with the file and the reason and nothing new or partial left behind;
// standard output written into, the same file under two names refused, an interrupted run
// leaving no temporary file. POSIX shell and file system.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr auto npos = std::string::npos;

const std::string Design = " templates --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 "
                           "--dx 40 --d1 44 --angle 88 --rpm 11000";
const std::string Pipe = Design + " --lx 20";

struct Folder {
    fs::path dir = [] {
        std::string t = (fs::temp_directory_path() / "ecd-outputs-XXXXXX").string();
        return fs::path(mkdtemp(t.data()));
    }();
    ~Folder() { fs::remove_all(dir); }
    std::string operator/(const std::string& name) const { return (dir / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(dir))
            n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }
};

std::string Read(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

struct Command_Run {
    int code;
    std::string out, err;
};

// The calculator run by the shell in the folder, with `shell` before it (ulimit and the like).
Command_Run Calculator(const Folder& f, const std::string& args, const std::string& shell = "") {
    const std::string out = f / ".stdout", err = f / ".stderr";
    const std::string cmd = "cd '" + f.dir.string() + "' && " + shell + " '" CALC_PROGRAM "'" +
                            args + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(("bash -c \"" + cmd + "\"").c_str());
    Command_Run r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(out), Read(err)};
    fs::remove(out);
    fs::remove(err);
    return r;
}

TEST(TemplateOutputs, AFullDiskIsAFailureAndLeavesNoFile) {
    for (const char* format : {"--dxf", "--svg", "--pdf"}) {
        Folder f;
        const Command_Run r =
            Calculator(f, Pipe + " --pieces 4 " + format + " x", "ulimit -f 40 &&");
        EXPECT_EQ(r.code, 1) << format;
        EXPECT_NE(r.err.find("cannot write x: File too large"), npos) << r.err;
        EXPECT_EQ(r.out.find("Wrote"), npos);
        EXPECT_TRUE(f.names().empty()) << format << ": " << f.names().front();
    }
}

// "-" is standard output, the report then on standard error (links and devices: the file
// writer's own tests).
TEST(TemplateOutputs, AFileOnStandardOutput) {
    Folder f;
    const Command_Run piped = Calculator(f, Pipe + " --svg -");
    ASSERT_EQ(piped.code, 0) << piped.err;
    EXPECT_EQ(piped.out.rfind("<?xml", 0), 0u);
    EXPECT_NE(piped.out.find("</svg>"), npos);
    EXPECT_NE(piped.err.find("Wrote -"), npos);
}

TEST(TemplateOutputs, TheSameFileTwiceIsAUsageError) {
    Folder f;
    for (const std::string& args :
         {std::string(" --pdf out --svg ./out"), std::string(" --dxf - --svg -"),
          std::string(" --dxf - --json")}) {
        const Command_Run r = Calculator(f, Pipe + args);
        EXPECT_EQ(r.code, 64) << args;
        EXPECT_NE(r.err.find("Run 'expansion-chamber-calc templates --help'"), npos) << r.err;
    }
    EXPECT_TRUE(f.names().empty());
}

// A pipe with no reader holds the run in the middle of its writing, the PDF already complete
// beside its target; the signal then ends it, and nothing of it may be left.
TEST(TemplateOutputs, AnInterruptedRunLeavesNoTemporaryFile) {
    for (int signal : {SIGINT, SIGTERM}) {
        Folder f;
        ASSERT_EQ(mkfifo((f / "pipe").c_str(), 0600), 0);
        const pid_t child = fork();
        if (child == 0) {
            chdir(f.dir.c_str());
            freopen("/dev/null", "w", stdout);
            const std::string design = Pipe + " --pdf out.pdf --svg pipe";
            std::vector<std::string> words{CALC_PROGRAM};
            for (size_t at = 1; at < design.size();) {
                const size_t end = design.find(' ', at);
                words.push_back(design.substr(at, end - at));
                at = end == npos ? design.size() : end + 1;
            }
            std::vector<char*> argv;
            for (auto& w : words)
                argv.push_back(w.data());
            argv.push_back(nullptr);
            execv(CALC_PROGRAM, argv.data());
            _exit(127);
        }
        bool held = false;
        for (int i = 0; i < 200 && !held; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            for (const auto& n : f.names())
                held = held || n != "pipe"; // the PDF, complete under its temporary name
        }
        EXPECT_TRUE(held) << "the run never reached the pipe";
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(f.names(), std::vector<std::string>{"pipe"});
    }
}

// LX at its limit leaves a header a millionth of a millimetre long: no piece for it, a note
// instead, and no number anywhere with a minus sign for zero.
TEST(TemplateOutputs, ASectionTooShortToCutIsNamedNotDrawn) {
    Folder f;
    const Command_Run r = Calculator(f, Design + " --lx 81.373909 --json --dxf t.dxf --pdf t.pdf");
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_TRUE(j["templates"].contains("omitted"));
    ASSERT_EQ(j["templates"]["omitted"].size(), 1u);
    EXPECT_EQ(j["templates"]["omitted"][0]["section"], "L1");
    for (const auto& p : j["templates"]["pieces"])
        EXPECT_NE(p["section"], "L1");
    EXPECT_EQ(Read(f / "t.dxf").find("-0.00"), npos);
    const std::string text = f / "t.txt";
    ASSERT_EQ(std::system(("pdftotext -f 1 -l 1 '" + (f / "t.pdf") + "' '" + text + "'").c_str()),
              0);
    EXPECT_NE(Read(text).find("No piece for L1 (header)"), npos);
    EXPECT_EQ(Read(text).find("-0.0"), npos);
}

TEST(TemplateOutputs, OptionsAndFailuresInTheProgramsOwnWords) {
    Folder f;
    const Command_Run sheet = Calculator(f, Pipe + " --sheet 0.29 --dxf t.dxf");
    EXPECT_EQ(sheet.code, 64);
    EXPECT_EQ(sheet.err, "expansion-chamber-calc templates: --sheet 0.29: Sheet thickness must be "
                         "from 0.3 to 3.0 mm\nRun 'expansion-chamber-calc templates --help' for "
                         "the usage.\n");
    const Command_Run json = Calculator(f, Pipe + " --json --dxf missing/t.dxf");
    EXPECT_EQ(json.code, 1);
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j["templates"]["error"], "cannot write missing/t.dxf: No such file or directory");
    EXPECT_TRUE(j["templates"]["files"].empty());
    EXPECT_TRUE(f.names().empty());
}

} // namespace
