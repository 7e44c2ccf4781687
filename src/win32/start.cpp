#include "start.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/startup.h"
#include "shell/module1.h"
#include "win_host.h"
#include "win_text.h"

namespace quillon::win32 {

namespace {

// The arguments of a command line as the C runtime splits them: blanks separate, double
// quotes group, backslashes before a quote escape it. (Shell32's splitter does the same; this
// one spares the programs loading that library at start.)
std::vector<std::wstring> SplitCommandLine(const wchar_t* line) {
    std::vector<std::wstring> args;
    const wchar_t* p = line;
    while (*p) {
        while (*p == L' ' || *p == L'\t') ++p;
        if (!*p) break;
        std::wstring arg;
        bool quoted = false;
        while (*p && (quoted || (*p != L' ' && *p != L'\t'))) {
            if (*p == L'\\') {
                size_t slashes = 0;
                while (*p == L'\\') ++slashes, ++p;
                if (*p == L'"') {
                    arg.append(slashes / 2, L'\\');
                    if (slashes % 2) arg += *p++;  // an escaped quote
                } else {
                    arg.append(slashes, L'\\');
                }
            } else if (*p == L'"') {
                quoted = !quoted;
                ++p;
            } else {
                arg += *p++;
            }
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace

std::optional<std::string> ReadStartOptions(StartOptions& options) {
    wchar_t exe[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
    options.programFolder = std::filesystem::path(std::wstring(exe, n)).parent_path();
    options.controlRoot = DefaultControlRoot();
    const std::vector<std::wstring> args = SplitCommandLine(GetCommandLineW());
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--control-root" && i + 1 < args.size())
            options.controlRoot = std::filesystem::path(args[++i]);
        else
            return "unknown argument " + Narrow(args[i]) + "; usage: [--control-root DIR]";
    }
    return std::nullopt;
}

void StartupMark(const char* stage) {
    static const wchar_t* const log = _wgetenv(L"QUILLON_STARTUP_LOG");
    if (!log || !*log) return;
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    const double ms = static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
    if (FILE* f = _wfopen(log, L"a")) {
        std::fprintf(f, "%s %.1f\n", stage, ms);
        std::fclose(f);
    }
}

void InitControls() {
    INITCOMMONCONTROLSEX icc{
        sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

ProgramBase::ProgramBase(const StartOptions& options) : m(host, files) {
    m.ControlRoot = options.controlRoot;
    m.ProgramFolder = options.programFolder;
}

int RunProgram(Win32Host& host, Form& form, int failed) {
    int status = failed;
    StartupMark("window model");
    if (StartWindow(form, &host)) {
        StartupMark("window shown");
        host.AfterEvent();
        status = host.Run();
    }
    host.SetWindows(nullptr);
    host.CloseAll();
    return status;
}

}  // namespace quillon::win32
