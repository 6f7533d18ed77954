#include "fabrication/templates_exec.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int Exec_Templates(int argc, char** argv) {
    // The folder of the running program, from the kernel's link to it.
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::string dir = ".";
    if (n > 0) {
        self.resize(static_cast<size_t>(n));
        const size_t slash = self.find_last_of('/');
        if (slash != std::string::npos)
            dir = self.substr(0, slash);
    }
    const std::string program = dir + "/expansion-chamber-templates";

    std::vector<char*> args;
    std::string name = Templates_Command_Name;
    args.push_back(name.data());
    for (int i = 2; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execv(program.c_str(), args.data());

    std::cerr << "expansion-chamber-calc: cannot run " << program << ": " << std::strerror(errno)
              << "\n";
    return 1;
}
