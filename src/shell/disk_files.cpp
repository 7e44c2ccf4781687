#include "disk_files.h"

#include "native_path.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quillon {
namespace {

#ifdef _WIN32
constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// What went wrong, as the system words it, after a failed call: "cannot replace
// C:\OSP-P\V-FKEY\LV01.INI: <reason>".
std::string Failure(const char* what, const fs::path& path) {
    const DWORD code = GetLastError();
    std::string text = std::string(what) + " " + PathToUtf8(path);
    wchar_t* reason = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
    std::wstring_view r(reason ? reason : L"", n);
    while (!r.empty() && (r.back() == L'\n' || r.back() == L'\r' || r.back() == L' '))
        r.remove_suffix(1);
    text += r.empty() ? ": error " + std::to_string(code) : ": " + Utf8(r);
    if (reason) LocalFree(reason);
    return text;
}
#else
bool IsHiddenOrSystem(const fs::path& path) {
    const std::string name = path.filename().string();
    return !name.empty() && name.front() == '.';
}

std::string Errno(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Writes all bytes to fd and flushes them to the device.
std::optional<std::string> WriteAndSync(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Errno("write");
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) return Errno("fsync");
    return std::nullopt;
}
#endif

// The names of the ordinary files in `dir` whose (long) names match `pattern`, as UTF-8.
std::vector<std::string> Matches(const fs::path& dir, std::string_view pattern) {
    std::vector<std::string> names;
#ifdef _WIN32
    // The system's own wildcard search; it also matches generated short names ("LV01.INI~"
    // has one like "LV01~1.INI"), so the long name is matched again.
    WIN32_FIND_DATAW found{};
    const fs::path query = dir / PathFromUtf8(pattern);
    HANDLE h = FindFirstFileExW(query.c_str(), FindExInfoStandard, &found, FindExSearchNameMatch,
                                nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Utf8(found.cFileName);
        if ((found.dwFileAttributes & kNotOrdinary) == 0 && WildcardMatch(pattern, name))
            names.push_back(name);
    } while (FindNextFileW(h, &found));
    FindClose(h);
#else
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code kindError;
        if (WildcardMatch(pattern, name) && !IsHiddenOrSystem(it->path()) &&
            fs::is_regular_file(it->path(), kindError))
            names.push_back(name);
    }
#endif
    return names;
}

}  // namespace

bool DiskFiles::IsOrdinaryFile(const fs::path& path) {
#ifdef _WIN32
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & kNotOrdinary) == 0;
#else
    std::error_code ec;
    return fs::is_regular_file(path, ec) && !IsHiddenOrSystem(path);
#endif
}

bool DiskFiles::Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::optional<std::string> DiskFiles::FirstMatch(const fs::path& dir, std::string_view pattern) {
    const std::vector<std::string> names = Matches(dir, pattern);
    if (names.empty()) return std::nullopt;
    // Letters compared as capitals, as the Windows file system orders names; the raw bytes
    // decide between names that differ only in case, so the result never depends on the
    // order the folder is read in.
    const auto upper = [](const std::string& n) {
        std::string u = n;
        for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return u;
    };
    return *std::min_element(names.begin(), names.end(),
                             [&](const std::string& a, const std::string& b) {
                                 const std::string ua = upper(a), ub = upper(b);
                                 return ua != ub ? ua < ub : a < b;
                             });
}

std::optional<std::string> DiskFiles::ReadAll(const fs::path& path) {
#ifdef _WIN32
    // Others may keep reading and writing the file meanwhile; a program that holds it open
    // without sharing it makes the read fail.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buf[1 << 16];
    DWORD n = 0;
    bool ok;
    while ((ok = ReadFile(h, buf, sizeof buf, &n, nullptr)) && n > 0) bytes.append(buf, n);
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return bytes;
#else
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
#endif
}

std::optional<std::string> DiskFiles::BeforeReplace(const fs::path&) {
    return std::nullopt;
}

fs::path DiskFiles::TempPathFor(const fs::path& path) {
    // Same folder, so that the rename is atomic. The leading "~" and the ".tmp" ending keep
    // the name (and a Windows short name made from it) out of every pattern the control
    // looks for ("LV*.INI"), so a copy left by a power loss is never taken for the file.
    fs::path name("~");
    name += path.filename().native();
    name += ".tmp";
    return path.parent_path() / name;
}

std::optional<std::string> DiskFiles::ReplaceAtomically(const fs::path& path,
                                                        std::string_view bytes) {
    const fs::path temp = TempPathFor(path);
#ifdef _WIN32
    DeleteFileW(temp.c_str());  // a copy left by an earlier power loss
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Failure("cannot open", temp);
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && FlushFileBuffers(h);
    std::optional<std::string> err;
    if (!ok) err = Failure("cannot write", temp);
    if (!CloseHandle(h) && !err) err = Failure("cannot close", temp);
    if (!err) err = BeforeReplace(temp);
    // One rename replaces the file; write-through returns only when the rename is on disk.
    // A file another program holds open (without delete sharing) is refused, not changed.
    if (!err && !MoveFileExW(temp.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        err = Failure("cannot replace", path);
    if (err) DeleteFileW(temp.c_str());
    return err;
#else
    // The new file keeps the permission bits of the one it replaces.
    struct stat original {};
    const mode_t mode = ::stat(path.c_str(), &original) == 0 ? (original.st_mode & 07777) : 0644;
    ::unlink(temp.c_str());  // a copy left by an earlier power loss
    // O_EXCL | O_NOFOLLOW: never write through a link planted at the temporary name.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return Errno("open");
    std::optional<std::string> err;
    if (::fchmod(fd, mode) != 0) err = Errno("fchmod");
    if (!err) err = WriteAndSync(fd, bytes);
    if (::close(fd) != 0 && !err) err = Errno("close");
    if (!err) err = BeforeReplace(temp);
    if (!err && ::rename(temp.c_str(), path.c_str()) != 0) err = Errno("rename");
    if (err) {
        ::unlink(temp.c_str());
        return err;
    }
    // Make the rename itself durable. Some file systems refuse to sync a folder; the file's
    // data is on disk by then and the rename has taken place, so that is not a failure.
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return std::nullopt;
#endif
}

}  // namespace quillon
