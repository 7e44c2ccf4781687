#include "start.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "shell/module1.h"
#include "win_text.h"

namespace quillon::win32 {

std::optional<std::string> ReadStartOptions(StartOptions& options) {
    wchar_t exe[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
    options.programFolder = std::filesystem::path(std::wstring(exe, n)).parent_path();
    options.controlRoot = DefaultControlRoot();
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return std::nullopt;
    std::optional<std::string> error;
    for (int i = 1; i < argc && !error; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--control-root" && i + 1 < argc)
            options.controlRoot = std::filesystem::path(argv[++i]);
        else
            error = "unknown argument " + Narrow(arg) + "; usage: [--control-root DIR]";
    }
    LocalFree(argv);
    return error;
}

void InitControls() {
    INITCOMMONCONTROLSEX icc{
        sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

}  // namespace quillon::win32
