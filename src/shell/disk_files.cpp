#include "disk_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
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

#ifndef _WIN32
std::string Errno(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

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
    return *std::min_element(names.begin(), names.end());
}

std::optional<std::string> DiskFiles::ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<std::string> DiskFiles::BeforeReplace(const fs::path&) { return std::nullopt; }

std::optional<std::string> DiskFiles::ReplaceAtomically(const fs::path& path,
                                                        std::string_view bytes) {
    // The temporary file lies in the same folder (so the rename is atomic) and its name
    // matches no pattern the control looks for ("LV*.INI").
    const fs::path temp = path.parent_path() / ("~" + path.filename().string() + ".tmp");
#ifdef _WIN32
    HANDLE h = CreateFileW(temp.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "cannot create " + temp.string();
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(h);
    CloseHandle(h);
    if (!ok) {
        DeleteFileW(temp.wstring().c_str());
        return "cannot write " + temp.string();
    }
    if (auto err = BeforeReplace(temp)) {
        DeleteFileW(temp.wstring().c_str());
        return err;
    }
    if (!MoveFileExW(temp.wstring().c_str(), path.wstring().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.wstring().c_str());
        return "cannot replace " + path.string();
    }
    return std::nullopt;
#else
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Errno("open");
    auto err = WriteAndSync(fd, bytes);
    if (::close(fd) != 0 && !err) err = Errno("close");
    if (!err) err = BeforeReplace(temp);
    if (!err && ::rename(temp.c_str(), path.c_str()) != 0) err = Errno("rename");
    if (err) {
        ::unlink(temp.c_str());
        return err;
    }
    // Make the rename itself durable.
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
