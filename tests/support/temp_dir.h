// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon::testkit {

class TempDir {
public:
    TempDir() {
        std::random_device seed;
        std::mt19937_64 rng(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto p = std::filesystem::temp_directory_path() /
                           ("quillon-" + std::to_string(rng() % 1000000000));
            if (std::filesystem::create_directory(p)) {
                path_ = p;
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& p) const { return path_ / p; }

private:
    std::filesystem::path path_;
};

// Writes bytes to a file, creating its folders.
inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines joined with CR LF; `finalBreak` ends the last line with one too.
inline std::string CrLf(std::initializer_list<std::string_view> lines, bool finalBreak = true) {
    std::string out;
    bool first = true;
    for (std::string_view l : lines) {
        if (!first) out += "\r\n";
        first = false;
        out += l;
    }
    if (finalBreak) out += "\r\n";
    return out;
}

}  // namespace quillon::testkit
