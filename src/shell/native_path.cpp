#include "native_path.h"

#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace quillon {

fs::path PathFromUtf8(std::string_view utf8) {
#ifdef _WIN32
    return fs::path(Utf16(utf8));
#else
    return fs::path(std::string(utf8));
#endif
}

std::string PathToUtf8(const fs::path& path) {
#ifdef _WIN32
    return Utf8(path.native());
#else
    return path.native();
#endif
}

fs::path RunningProgramFolder(const char* argv0) {
#ifdef _WIN32
    // The module's full path; the buffer grows until the name fits (long paths).
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) break;
        if (n < buf.size()) return fs::path(std::wstring(buf.data(), n)).parent_path();
        buf.resize(buf.size() * 2);
    }
#else
    std::error_code ec;
    const fs::path exe = fs::canonical("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
#endif
    return argv0 ? PathFromUtf8(argv0).parent_path() : fs::path();
}

#ifdef _WIN32
std::wstring Utf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
    return out;
}

std::string Utf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}
#endif

}  // namespace quillon
