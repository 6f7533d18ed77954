// The cases that scripts/toolchains.sh runs through expansion-chamber-calc of every
// toolchain: the worked examples of the README and, per command, random texts in and
// around every field's range, hostile texts and left-out flags. Built by each toolchain,
// it runs every case in-process and writes one JSON line per case: the arguments, whether
// it is a worked case, the exit status, standard output and standard error. The lines of
// every toolchain must be the same bytes as those of the Linux GCC build; the script also
// runs the real program on part of the cases and compares it with them.
//   calc_cases OUTPUT_FILE CASES_PER_COMMAND
// The texts come from integers only (std::mt19937 is the same sequence everywhere), so
// every toolchain gets the same arguments.

#include "cli/calculator.h"
#include "core/files/file_output.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

class Texts {
public:
    explicit Texts(uint32_t seed) : rng_(seed) {}

    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(rng_() % n); }
    // Half the cases are clean: every field given, a number inside its range. The others
    // go beyond the ranges, leave fields out and take hostile texts.
    void Next_Case() { noisy_ = Chance(50); }
    bool Noisy() const { return noisy_; }
    bool Chance(uint32_t percent) { return Below(100) < percent; }

    // A value between lo and hi, often a little beyond either end so that range checks
    // fail too; in thousandths.
    long long Value(long long lo, long long hi) {
        const long long span = hi - lo;
        if (!noisy_)
            return lo + static_cast<long long>(rng_() % static_cast<uint32_t>(span + 1));
        const auto offset =
            static_cast<long long>(rng_() % static_cast<uint32_t>(span + span / 4 + 1));
        return lo - span / 8 + offset;
    }

    // The value (thousandths) as a decimal text with 0 to 3 decimals (2 or 3 in a clean
    // case), cut after the last.
    std::string Number(long long v) {
        const int decimals = static_cast<int>(noisy_ ? Below(4) : 2 + Below(2));
        long long unit = 1;
        for (int k = decimals; k < 3; ++k)
            unit *= 10;
        const long long scaled = v / unit; // in units of 10^-decimals
        std::string digits = std::to_string(scaled < 0 ? -scaled : scaled);
        if (decimals > 0) {
            const size_t d = static_cast<size_t>(decimals);
            digits.insert(0, digits.size() <= d ? d + 1 - digits.size() : 0, '0');
            digits.insert(digits.size() - d, ".");
        }
        return (scaled < 0 ? "-" : "") + digits;
    }

    // What a user might also type: blanks, separators, other digits, other encodings of
    // numbers, characters a command line treats specially.
    std::string Hostile() {
        static const char* const texts[] = {
            "",       "   ",       "abc",       "1,5",         "1e3",          "1E-2",
            "-0",     "+7",        ".5",        "5.",          "1e39",         "-1e39",
            "1e-46",  "0x10",      "4\xC3\x96", "\"",          "\\",           "a\"b\\\"",
            "/5",     "--5",       " 12 ",      "1 2",         "nan",          "inf",
            "1e",     "12%",       "\t5",       "\xD9\xA3",    "\xEF\xBC\x91", "3.4028236e38",
            "007.50", "1e-0000",   "'8'",       "$(echo 1)",   "C:\\x\\",      "0.0000001",
            "99999",  "-99999.99", "%PATH%",    "\xE2\x80\x93"};
        return texts[Below(sizeof texts / sizeof texts[0])];
    }

    // A field's flag and text: mostly the value, sometimes hostile, sometimes left out;
    // the text after the flag or after "=".
    void Field(Args& a, const char* flag, long long value) {
        if (noisy_ && Chance(8))
            return;
        const std::string text = noisy_ && Chance(30) ? Hostile() : Number(value);
        if (Chance(20)) {
            a.push_back(std::string(flag) + "=" + text);
        } else {
            a.push_back(flag);
            a.push_back(text);
        }
    }

    // One of the flags of an option group, or none.
    void Option(Args& a, const char* first, const char* second) {
        const uint32_t pick = Below(20);
        if (pick < 10)
            a.push_back(first);
        else if (pick < 19 || !noisy_)
            a.push_back(second);
    }

private:
    std::mt19937 rng_;
    bool noisy_ = false;
};

// Fields in their order on the command line, each "flag lo hi" in thousandths.
void Fields(Texts& t, Args& a, const std::string& table) {
    std::istringstream s(table);
    std::string flag;
    for (long long lo, hi; s >> flag >> lo >> hi;)
        t.Field(a, flag.c_str(), t.Value(lo, hi));
}

Args Design(Texts& t) {
    Args a = {"design"};
    t.Option(a, "--two-stage", "--three-stage");
    t.Option(a, "--temp-bmep", "--temp-manual");
    t.Option(a, "--coef-bmep", "--coef-manual");
    Fields(
        t, a,
        "--bmep 8000 12000 --horn 1250 2000 --temp 450000 650000 --mid 2125 3250 --tail 500 800");
    const long long dx = t.Chance(10) ? t.Value(1000, 100000) : t.Value(20000, 60000);
    t.Field(a, "--dx", dx);
    t.Field(a, "--d1", dx * t.Value(1000, 1200) / 1000);
    Fields(t, a, "--lx 2000 40000 --angle 70000 105000");
    t.Field(a, "--rpm", t.Noisy() ? t.Value(1000000, 50000000) : t.Value(6000000, 16000000));
    if (t.Chance(10))
        a.insert(a.end(),
                 {"--name", t.Chance(50) ? "\xC3\x96lrohr \xE2\x80\x93 125 \"GP\"" : t.Hostile()});
    return a;
}

Args Bmep(Texts& t) {
    Args a = {"bmep"};
    t.Option(a, "--hp", "--kw");
    const long long bore = t.Value(5000, 80000);
    t.Field(a, "--bore", bore);
    const long long stroke = bore * t.Value(800, 1600) / 1000;
    t.Field(a, "--stroke", stroke);
    Fields(t, a, "--rpm 4000000 35000000");
    // 2.5 to 10 cm3 of swept volume per kW (a horsepower is about three quarters of that).
    const long long volume = 785 * (bore * bore / 1000) * stroke / 1000000000; // thousandths
    t.Field(a, "--power", volume * 1000 / t.Value(2600, 9000));
    return a;
}

Args Port_Height(Texts& t) {
    Args a = {"port-height"};
    Fields(t, a, "--stroke 5000 65000 --rod 8000 150000 --start 75000 105000 --full 160000 180000");
    return a;
}

Args Rect_Port(Texts& t) {
    Args a = {"rect-port"};
    Fields(t, a,
           "--width 2000 60000 --height 2000 60000 --top-radius 0 15000 --bottom-radius 0 15000");
    return a;
}

Args Profiled_Port(Texts& t) {
    Args a = {"profiled-port"};
    t.Option(a, "--single", "--bridged");
    const long long bore = t.Value(40000, 80000);
    t.Field(a, "--bore", bore);
    t.Field(a, "--height", bore * t.Value(300, 650) / 1000);
    Fields(t, a, "--bridge-width 1000 12000 --top-radius 0 5000 --bottom-radius 0 5000");
    const uint32_t intervals = 4 + t.Below(7);
    if (!t.Noisy() || t.Chance(80))
        a.insert(a.end(), {"--intervals", t.Noisy() && t.Chance(20) ? t.Number(t.Value(3000, 11000))
                                                                    : std::to_string(intervals)});
    const uint32_t ordinates = t.Noisy() && t.Chance(20) ? t.Below(12) : intervals + 1;
    for (uint32_t i = 0; i < ordinates; ++i)
        a.insert(a.end(),
                 {"--ordinate",
                  t.Noisy() && t.Chance(5) ? t.Hostile() : t.Number(t.Value(8000, 30000))});
    return a;
}

// The worked cases, then perCommand random cases of each command; `worked` is how many of
// them lead.
std::vector<Args> Cases(int perCommand, size_t& worked) {
    std::vector<Args> cases;
    for (const char* words :
         {"design --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 --dx 40 --d1 44 "
          "--lx 20 --angle 88 --rpm 11000",
          "bmep --kw --bore 54 --stroke 54.5 --rpm 12000 --power 30",
          "port-height --stroke 54.5 --rod 110 --start 85 --full 180",
          "rect-port --width 40 --height 30 --top-radius 5 --bottom-radius 5",
          "profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 --ordinate 30 "
          "--ordinate 30 --ordinate 30 --ordinate 30"}) {
        std::istringstream split(words);
        cases.emplace_back(std::istream_iterator<std::string>(split),
                           std::istream_iterator<std::string>());
    }
    const size_t examples = cases.size();
    for (size_t i = 0; i < examples; ++i) { // each also as JSON
        cases.push_back(cases[i]);
        cases.back().push_back("--json");
    }
    // Texts that come back in the output: a pipe name in the design's lines, with quotes
    // and a closing backslash that a Windows command line must carry through, and a
    // stray argument in the usage error.
    cases.push_back(cases[0]);
    cases.back().insert(cases.back().end(),
                        {"--name", "\xC3\x96lrohr \xE2\x80\x93 125 \"GP\" C:\\pipes\\"});
    cases.push_back({"bmep", "--kw", "--bore", "54", "\xC3\x96l", "--json"});
    worked = cases.size();
    Texts t(20240611);
    Args (*const commands[])(Texts&) = {Design, Bmep, Port_Height, Rect_Port, Profiled_Port};
    for (auto command : commands)
        for (int i = 0; i < perCommand; ++i) {
            t.Next_Case();
            Args a = command(t);
            if (t.Chance(75))
                a.push_back("--json");
            cases.push_back(a);
        }
    return cases;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: calc_cases OUTPUT_FILE CASES_PER_COMMAND\n";
        return 64;
    }
    std::string lines;
    size_t worked = 0;
    const std::vector<Args> cases = Cases(std::stoi(argv[2]), worked);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Args& args = cases[i];
        std::ostringstream out, err;
        const int status = cli::Calculator_Main(args, out, err);
        nlohmann::ordered_json j;
        j["args"] = args;
        j["worked"] = i < worked;
        j["status"] = status;
        j["out"] = out.str();
        j["err"] = err.str();
        lines += j.dump() + "\n";
    }
    // Through the program's own file writer: the same bytes on every system.
    if (const auto failure = Write_File(argv[1], lines)) {
        std::cerr << failure->text() << "\n";
        return 1;
    }
    return 0;
}
