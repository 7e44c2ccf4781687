// Measures the start-up of Windows programs side by side: from the start of the process to
// its window being visible, the programs taking turns, each started RUNS times; prints the
// medians and the median of the ratios of each run to the first program's run of the same
// turn (which holds when the machine's speed drifts between turns).
//
//   startup_time RUNS TITLE1 EXE1 TITLE2 EXE2 ...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Seconds from the start until a visible window with this title exists; negative on failure.
double StartOnce(const std::wstring& exe, const std::wstring& title) {
    std::wstring line = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    double seen = -1;
    HWND hwnd = nullptr;
    while (Now() - start < 30) {
        hwnd = FindWindowW(nullptr, title.c_str());
        if (hwnd && IsWindowVisible(hwnd)) {
            seen = Now() - start;
            break;
        }
        Sleep(1);
    }
    if (hwnd) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return seen;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || (argc - 2) % 2 != 0) {
        std::fprintf(stderr, "usage: startup_time RUNS TITLE1 EXE1 [TITLE2 EXE2 ...]\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const int programs = (argc - 2) / 2;
    std::vector<std::vector<double>> times(static_cast<size_t>(programs));
    for (int r = 0; r < runs; ++r)
        for (int p = 0; p < programs; ++p) {
            const double t = StartOnce(argv[3 + 2 * p], argv[2 + 2 * p]);
            if (t < 0) {
                std::fwprintf(stderr, L"startup_time: %ls showed no window \"%ls\"\n",
                              argv[3 + 2 * p], argv[2 + 2 * p]);
                return 1;
            }
            times[static_cast<size_t>(p)].push_back(t);
        }
    for (int p = 0; p < programs; ++p) {
        const auto& t = times[static_cast<size_t>(p)];
        std::vector<double> ratios;
        for (size_t r = 0; r < t.size(); ++r) ratios.push_back(t[r] / times[0][r]);
        std::vector<double> sorted = t;
        std::sort(sorted.begin(), sorted.end());
        std::sort(ratios.begin(), ratios.end());
        std::wprintf(L"%-40ls median %7.1f ms  (min %7.1f, max %7.1f, %d runs)  ratio %.2f\n",
                     argv[3 + 2 * p], sorted[sorted.size() / 2] * 1000, sorted.front() * 1000,
                     sorted.back() * 1000, runs, ratios[ratios.size() / 2]);
    }
    return 0;
}
