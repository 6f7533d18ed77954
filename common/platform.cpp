// The one file that knows the operating system. POSIX systems and Windows.

#include "common/platform.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace platform {

namespace {
std::string Folder_Of(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}
} // namespace

std::string Program_Folder(const char* argv0) {
#ifdef _WIN32
    std::wstring buf(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n > 0 && n < buf.size()) {
        buf.resize(n);
        const int len = WideCharToMultiByte(CP_UTF8, 0, buf.data(), static_cast<int>(n), nullptr, 0,
                                            nullptr, nullptr);
        std::string utf8(static_cast<size_t>(len), '\0');
        WideCharToMultiByte(CP_UTF8, 0, buf.data(), static_cast<int>(n), utf8.data(), len, nullptr,
                            nullptr);
        return Folder_Of(utf8);
    }
#elif defined(__linux__)
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (n > 0) {
        self.resize(static_cast<size_t>(n));
        return Folder_Of(self);
    }
#endif
    // Elsewhere, or when the system does not say: the folder the program was started from.
    return argv0 && *argv0 ? Folder_Of(argv0) : ".";
}

int Run_Instead(const std::string& program, const std::vector<std::string>& args,
                std::string& error) {
    std::vector<char*> argv;
    std::vector<std::string> copies = args;
    for (auto& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
#ifdef _WIN32
    const intptr_t status = _spawnv(_P_WAIT, program.c_str(), argv.data());
    if (status != -1)
        return static_cast<int>(status);
#else
    execv(program.c_str(), argv.data());
#endif
    error = std::strerror(errno);
    return -1;
}

} // namespace platform
