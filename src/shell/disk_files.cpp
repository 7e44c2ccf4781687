#include "disk_files.h"

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

bool IsHiddenOrSystem(const fs::path& path) {
#ifdef _WIN32
    const DWORD attrs = GetFileAttributesW(path.wstring().c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return true;
    return (attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    const std::string name = path.filename().string();
    return !name.empty() && name.front() == '.';
#endif
}

#ifdef _WIN32
// A path as UTF-8 text for messages; never throws for names outside the system code page.
std::string PathText(const fs::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}
#else
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

}  // namespace

bool DiskFiles::IsOrdinaryFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && !IsHiddenOrSystem(path);
}

bool DiskFiles::Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::optional<std::string> DiskFiles::FirstMatch(const fs::path& dir, std::string_view pattern) {
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (WildcardMatch(pattern, name) && IsOrdinaryFile(it->path())) names.push_back(name);
    }
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
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
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
    DeleteFileW(temp.wstring().c_str());  // a copy left by an earlier power loss
    HANDLE h = CreateFileW(temp.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "cannot create " + PathText(temp);
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    if (!ok) {
        DeleteFileW(temp.wstring().c_str());
        return "cannot write " + PathText(temp);
    }
    if (auto err = BeforeReplace(temp)) {
        DeleteFileW(temp.wstring().c_str());
        return err;
    }
    if (!MoveFileExW(temp.wstring().c_str(), path.wstring().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.wstring().c_str());
        return "cannot replace " + PathText(path);
    }
    return std::nullopt;
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
