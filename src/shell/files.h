// The file-system port: the few file operations the program performs.
//
// Paths are native paths. DiskFiles is the real implementation, used by every front; tests
// derive from it to simulate failures.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

class Files {
public:
    virtual ~Files() = default;

    // True when `path` names an ordinary file: not a folder, not hidden, not a system file.
    virtual bool IsOrdinaryFile(const std::filesystem::path& path) = 0;
    // True when anything exists at `path`.
    virtual bool Exists(const std::filesystem::path& path) = 0;
    // The name of the first ordinary file in `dir` that matches `pattern` ("LV*.INI": `*` any
    // run, `?` one character, letters compared without regard to case), first by name.
    virtual std::optional<std::string> FirstMatch(const std::filesystem::path& dir,
                                                  std::string_view pattern) = 0;
    // The whole file as bytes, or nothing when it cannot be read.
    virtual std::optional<std::string> ReadAll(const std::filesystem::path& path) = 0;
    // Replaces the file's contents so that a crash at any moment leaves either the old or the
    // new contents; returns an error text, or nothing on success (data on disk).
    virtual std::optional<std::string> ReplaceAtomically(const std::filesystem::path& path,
                                                         std::string_view bytes) = 0;
};

// Case-insensitive (ASCII) wildcard match of a file name.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace quillon
