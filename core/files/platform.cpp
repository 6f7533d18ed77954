// The one file that knows the operating system: POSIX systems and Windows.

#include "core/files/platform.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// After windows.h, which declares what these use.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <shellapi.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
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

std::string Reason() {
    return std::strerror(errno);
}

#ifdef _WIN32
std::wstring Wide(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string Utf8(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n,
                        nullptr, nullptr);
    return s;
}

int Open(const std::string& path, int flags, int mode = 0) {
    return _wopen(Wide(path).c_str(), flags | _O_BINARY | _O_NOINHERIT, mode);
}
int Write(int fd, const char* data, size_t size) {
    return _write(fd, data, static_cast<unsigned>(std::min<size_t>(size, 1u << 30)));
}
int Flush(int fd) {
    return _commit(fd);
}
int Close(int fd) {
    return _close(fd);
}
// Also called from the interruption handler, which Windows runs on a thread of its own:
// allocating there is safe.
int Unlink(const char* path) {
    return _wunlink(Wide(path).c_str());
}
constexpr int New_File_Flags = _O_WRONLY | _O_CREAT | _O_EXCL;
constexpr int Existing_File_Flags = _O_WRONLY;
constexpr int New_File_Mode = _S_IREAD | _S_IWRITE;

// Standard output and error carry the program's bytes unchanged, as on every other
// system: the C runtime would write each "\n" as "\r\n". Set before main runs, so for
// every program and every way of writing to them.
const bool binaryStandardStreams = [] {
    _setmode(1, _O_BINARY);
    _setmode(2, _O_BINARY);
    return true;
}();
#else
int Open(const std::string& path, int flags, int mode = 0) {
    return ::open(path.c_str(), flags | O_CLOEXEC, mode);
}
ssize_t Write(int fd, const char* data, size_t size) {
    return ::write(fd, data, size);
}
int Flush(int fd) {
    return ::fsync(fd);
}
int Close(int fd) {
    return ::close(fd);
}
int Unlink(const char* path) {
    return ::unlink(path);
}
constexpr int New_File_Flags = O_WRONLY | O_CREAT | O_EXCL;
constexpr int Existing_File_Flags = O_WRONLY;
constexpr int New_File_Mode = 0666; // less the user's umask, as any new file
#endif

// Every byte, through interruptions and short writes.
std::string Write_All(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const auto n = Write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? Reason() : "the device took no more";
        done += static_cast<size_t>(n);
    }
    return "";
}

// The paths to remove on an interruption, in fixed storage that a signal handler can
// read: no allocation happens there.
constexpr size_t Max_Pending = 16;
constexpr size_t Max_Path = 4096;
char pending[Max_Pending][Max_Path];
volatile std::sig_atomic_t pendingUsed[Max_Pending];
std::mutex pendingLock;

extern "C" void On_Interruption(int signal) {
    for (size_t i = 0; i < Max_Pending; ++i)
        if (pendingUsed[i])
            Unlink(pending[i]);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Install_Handlers() {
    static const bool installed = [] {
        for (int s : {SIGINT, SIGTERM})
            std::signal(s, On_Interruption);
#ifndef _WIN32
        std::signal(SIGHUP, On_Interruption);
        // A file over the size limit is a failed write to report, not the end of the program.
        std::signal(SIGXFSZ, SIG_IGN);
#endif
        return true;
    }();
    (void)installed;
}
} // namespace

std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> args;
#ifdef _WIN32
    // The narrow arguments are in the system's code page; the wide ones hold every character.
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            args.push_back(Utf8(wide[i]));
        LocalFree(wide);
        return args;
    }
#endif
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return args;
}

std::string Program_Folder(const char* argv0) {
#ifdef _WIN32
    std::wstring buf(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n > 0 && n < buf.size()) {
        buf.resize(n);
        return Folder_Of(Utf8(buf));
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

std::string State_Folder(const std::string& program) {
    // Only an absolute path counts, as the base directory convention asks.
    const auto absolute = [](const std::string& p) {
        return !p.empty() && (p[0] == '/' || p[0] == '\\' || (p.size() > 2 && p[1] == ':'));
    };
#ifdef _WIN32
    const auto variable = [](const wchar_t* name) {
        const wchar_t* v = _wgetenv(name);
        return v ? Utf8(v) : std::string();
    };
    std::string base = variable(L"LOCALAPPDATA");
    if (!absolute(base)) {
        base = variable(L"USERPROFILE");
        base = absolute(base) ? base + "\\AppData\\Local" : "";
    }
    return base.empty() ? base : base + "\\" + program;
#else
    const auto variable = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::string(v) : std::string();
    };
    std::string base;
    const std::string home = variable("HOME");
#ifdef __APPLE__
    if (absolute(home))
        base = home + "/Library/Application Support";
#else
    base = variable("XDG_STATE_HOME");
    if (!absolute(base))
        base = absolute(home) ? home + "/.local/state" : "";
#endif
    return base.empty() ? base : base + "/" + program;
#endif
}

int Run_Instead(const std::string& program, const std::vector<std::string>& args,
                std::string& error) {
#ifdef _WIN32
    std::vector<std::wstring> wide;
    for (const auto& a : args) {
        // The C runtime joins the arguments into one command line, which the program splits
        // again: each one quoted, a quote escaped by a backslash, and backslashes doubled
        // where they come before a quote (also the closing one).
        std::wstring q = L"\"";
        size_t backslashes = 0;
        for (wchar_t c : Wide(a)) {
            if (c == L'\\') {
                ++backslashes;
                continue;
            }
            q.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
            backslashes = 0;
            q += c;
        }
        q.append(2 * backslashes, L'\\');
        wide.push_back(q + L"\"");
    }
    std::vector<const wchar_t*> argv;
    for (const auto& w : wide)
        argv.push_back(w.c_str());
    argv.push_back(nullptr);
    const intptr_t status = _wspawnv(_P_WAIT, Wide(program).c_str(), argv.data());
    if (status != -1)
        return static_cast<int>(status);
#else
    std::vector<std::string> copies = args;
    std::vector<char*> argv;
    for (auto& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
#endif
    error = Reason();
    return -1;
}

std::string Write_New_File(const std::string& path, const std::string& bytes) {
    Install_Handlers();
    const int fd = Open(path, New_File_Flags, New_File_Mode);
    if (fd < 0)
        return Reason();
    std::string why = Write_All(fd, bytes);
    if (why.empty() && Flush(fd) != 0)
        why = Reason();
    if (Close(fd) != 0 && why.empty())
        why = Reason();
    if (!why.empty())
        Unlink(path.c_str());
    return why;
}

std::string Write_Into(const std::string& path, const std::string& bytes) {
    Install_Handlers();
    const int fd = Open(path, Existing_File_Flags);
    if (fd < 0)
        return Reason();
    std::string why = Write_All(fd, bytes);
    if (Close(fd) != 0 && why.empty())
        why = Reason();
    return why;
}

std::string Write_Standard_Output(const std::string& bytes) {
    Install_Handlers();
#ifdef _WIN32
    _setmode(1, _O_BINARY);
#endif
    return Write_All(1, bytes);
}

void Sync_Folder(const std::string& folder) {
#ifndef _WIN32
    const int fd = Open(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        Close(fd);
    }
#else
    (void)folder; // renames are written through on this system
#endif
}

void Remove_If_Interrupted(const std::string& path) {
    Install_Handlers();
    if (path.size() >= Max_Path)
        return;
    const std::lock_guard<std::mutex> hold(pendingLock);
    for (size_t i = 0; i < Max_Pending; ++i)
        if (!pendingUsed[i]) {
            std::memcpy(pending[i], path.c_str(), path.size() + 1);
            pendingUsed[i] = 1;
            return;
        }
}

void Keep_If_Interrupted(const std::string& path) {
    const std::lock_guard<std::mutex> hold(pendingLock);
    for (size_t i = 0; i < Max_Pending; ++i)
        if (pendingUsed[i] && path == pending[i])
            pendingUsed[i] = 0;
}

#ifdef _WIN32
namespace {
// Ctrl+C and Ctrl+Break reach the program on a thread of their own, through the console's
// handlers, the latest first; the C runtime's turns them into SIGINT. While held, they
// stop at this one and are raised when the hold ends.
std::atomic<int> holds{0};
std::atomic<bool> heldBack{false};

BOOL WINAPI Hold_Interruption(DWORD event) {
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && holds > 0) {
        heldBack = true;
        return TRUE;
    }
    return FALSE;
}
} // namespace

Interruptions_Held::Interruptions_Held() {
    if (holds++ == 0)
        SetConsoleCtrlHandler(Hold_Interruption, TRUE);
}
Interruptions_Held::~Interruptions_Held() {
    if (--holds == 0) {
        SetConsoleCtrlHandler(Hold_Interruption, FALSE);
        if (heldBack.exchange(false))
            std::raise(SIGINT);
    }
}
#else
namespace {
sigset_t Interruption_Signals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&set, s);
    return set;
}
} // namespace

Interruptions_Held::Interruptions_Held() {
    const sigset_t set = Interruption_Signals();
    sigprocmask(SIG_BLOCK, &set, nullptr);
}
Interruptions_Held::~Interruptions_Held() {
    const sigset_t set = Interruption_Signals();
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}
#endif

} // namespace platform
