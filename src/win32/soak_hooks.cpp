#include "soak_hooks.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "shell/copy_log.h"

namespace quillon::win32 {
namespace {

enum class Fault { None, Leak, Hang, Crash };

Fault fault = Fault::None;
int after = 200;
int keys = 0;
// The last block the leak fault took; every earlier one is lost.
char* volatile lastLost = nullptr;
int* volatile nowhere = nullptr;

void Inject() {
    switch (fault) {
        case Fault::Leak: {
            // Touched, so that it counts in the resident memory, and lost at the next key.
            auto* block = static_cast<char*>(std::malloc(64 * 1024));
            if (block) std::memset(block, 0x5a, 64 * 1024);
            lastLost = block;
            break;
        }
        case Fault::Hang:
            for (;;) Sleep(1000);
        case Fault::Crash:
            // An access violation, as a wild pointer makes one, on a thread of its own: one
            // raised inside this hook would be caught by the system's call of the hook.
            CreateThread(
                nullptr, 0,
                [](void*) -> DWORD {
                    *nowhere = 1;
                    return 0;
                },
                nullptr, 0, nullptr);
            Sleep(INFINITE);
            break;
        case Fault::None:
            break;
    }
}

// Every message the thread takes from its queue passes here: a key press taken (not only
// looked at) counts once.
LRESULT CALLBACK OnMessage(int code, WPARAM removed, LPARAM lp) {
    if (code == HC_ACTION && removed == PM_REMOVE &&
        reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN && ++keys >= after)
        Inject();
    return CallNextHookEx(nullptr, code, removed, lp);
}

// The bytes of the busy blocks of every heap of the process.
unsigned long long HeapInUse() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    unsigned long long bytes = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return bytes;
}

void ReportHeap() {
    const wchar_t* path = _wgetenv(L"QUILLON_SOAK_HEAP_FILE");
    if (!path || !*path) return;
    static std::wstring file = path;
    CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            for (;;) {
                const unsigned long long bytes = HeapInUse();
                const std::wstring part = file + L".part";
                if (FILE* f = _wfopen(part.c_str(), L"wb")) {
                    std::fprintf(f, "%llu\n", bytes);
                    std::fclose(f);
                    MoveFileExW(part.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
                }
                Sleep(1000);
            }
        },
        nullptr, 0, nullptr);
}

}  // namespace

void LimitSoakCopyHistory(CopyLog& log) {
    if (const wchar_t* n = _wgetenv(L"QUILLON_SOAK_COPY_LOG_LIMIT")) {
        const long limit = std::wcstol(n, nullptr, 10);
        if (limit > 0) log.SetLimit(static_cast<size_t>(limit));
    }
}

void InstallSoakHooks() {
    ReportHeap();
    const wchar_t* name = _wgetenv(L"QUILLON_SOAK_FAULT");
    if (!name) return;
    if (std::wcscmp(name, L"leak") == 0) fault = Fault::Leak;
    if (std::wcscmp(name, L"hang") == 0) fault = Fault::Hang;
    if (std::wcscmp(name, L"crash") == 0) fault = Fault::Crash;
    if (fault == Fault::None) return;
    if (const wchar_t* n = _wgetenv(L"QUILLON_SOAK_FAULT_AFTER")) {
        const long value = std::wcstol(n, nullptr, 10);
        if (value >= 1) after = static_cast<int>(value);
    }
    SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());
}

}  // namespace quillon::win32
