#include "desktop/command_line.h"

#include <algorithm>
#include <array>

namespace {
// The toolkit's options: those that take a value, and those that stand alone.
const std::array<const char*, 12> With_Value = {
    "-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
    "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
    "-display",         "-geometry",           "-style",         "-stylesheet"};
const std::array<const char*, 5> Alone = {"-reverse", "-nograb", "-dograb", "-sync",
                                          "-widgetcount"};

bool One_Of(const std::string& arg, const char* const* from, const char* const* to) {
    return std::any_of(from, to, [&](const char* o) {
        return arg == o || arg == std::string("-") + o || arg.rfind(std::string(o) + "=", 0) == 0;
    });
}
} // namespace

Command_Line Read_Command_Line(const std::vector<std::string>& args) {
    Command_Line line;
    bool options = true;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "--help" || a == "-h")) {
            line.help = true;
        } else if (options && a == "--version") {
            line.version = true;
        } else if (options && One_Of(a, With_Value.begin(), With_Value.end())) {
            if (a.find('=') == std::string::npos && ++i == args.size())
                line.error = a + ": a value is needed";
        } else if (options && One_Of(a, Alone.begin(), Alone.end())) {
        } else if (options && a.size() > 1 && a[0] == '-') {
            line.error = "unknown option " + a;
        } else if (line.file.empty()) {
            line.file = a;
        } else {
            line.error = "one design file at most: " + line.file + " and " + a;
        }
        if (!line.error.empty())
            break;
    }
    return line;
}

std::string Usage_Text() {
    return "Usage: expansion-chamber [FILE.ecd]\n"
           "       expansion-chamber --help | --version\n"
           "Expansion Chamber Design Utility: designs tuned exhaust expansion chambers for "
           "two-stroke engines.\n"
           "FILE.ecd opens a design file in the design window. The toolkit's options, such as\n"
           "-platform NAME and -style NAME, are passed on (see also QT_QPA_PLATFORM).\n"
           "Exit status: 0, or 64 on a usage error.\n";
}
