// The real file system behind the Files port.
#pragma once

#include "files.h"

namespace quillon {

class DiskFiles : public Files {
public:
    bool IsOrdinaryFile(const std::filesystem::path& path) override;
    bool Exists(const std::filesystem::path& path) override;
    std::optional<std::string> FirstMatch(const std::filesystem::path& dir,
                                          std::string_view pattern) override;
    std::optional<std::string> ReadAll(const std::filesystem::path& path) override;
    std::optional<std::string> ReplaceAtomically(const std::filesystem::path& path,
                                                 std::string_view bytes) override;

    // The temporary file ReplaceAtomically writes before it replaces `path`: "~" + name +
    // ".tmp" in the same folder.
    static std::filesystem::path TempPathFor(const std::filesystem::path& path);

protected:
    // Steps of ReplaceAtomically that tests may interrupt: the temporary file is complete and
    // on disk when BeforeReplace runs; returning an error text stops there.
    virtual std::optional<std::string> BeforeReplace(const std::filesystem::path& temp);
};

}  // namespace quillon
