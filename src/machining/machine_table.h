// The machine table of the turret drawing: "Machine.CSV", edited in a spreadsheet on a Japanese
// Windows PC. It lies in the program's folder; on Linux the user's own copy may lie in the
// configuration folder instead, and the installed sample is found last (MachineTableFolders).
//
// Two header lines, then one machine per line, 15 comma-separated fields each: the name, the
// number of stations, the turret's dimensions and the holder and tool sizes of each holder type.
// The reader takes what a spreadsheet writes: CP932 text (or UTF-8, with or without a byte-order
// mark), CR LF or LF line ends, fields in double quotes with commas and doubled quotes inside.
// One line is one record: a short line leaves its remaining fields empty, longer lines lose
// their extra fields, and records after the 51st are not read.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class Files;

inline constexpr const char* kMachineFile = "Machine.CSV";

class MachineTable {
public:
    static constexpr size_t kRecords = 51;
    static constexpr size_t kFields = 15;
    using Record = std::array<std::string, kFields>;

    // The table in the file's bytes.
    static MachineTable Parse(std::string_view bytes);

    // The records read, in file order; field texts are UTF-8.
    const std::vector<Record>& Records() const { return records_; }
    // Field `field` of record `record` as text; empty for a record or field the file does not
    // have, as the table's unread cells are.
    const std::string& Field(size_t record, size_t field) const;

private:
    std::vector<Record> records_;
};

// Reads the machine table from `folder`, finding "Machine.CSV" whatever the letter case of its
// name; nothing when there is no such file or it cannot be read.
std::optional<MachineTable> LoadMachineTable(Files& files, const std::filesystem::path& folder);

// Reads the machine table from the first of `folders` that holds a file of that name; nothing
// when none does or that file cannot be read (later folders are not tried then: an unreadable
// table of the user's is reported, not replaced by the sample).
std::optional<MachineTable> LoadMachineTable(Files& files,
                                             const std::vector<std::filesystem::path>& folders);

// The folders the machine table is looked for in, in order, for a program in `programFolder`:
// that folder; then, on Linux, "quillon" in the user's configuration folder (`xdgConfigHome`
// when it is an absolute path, else ".config" in `home`, else none) and the installed sample,
// "share/quillon" beside the program's folder (/usr/share/quillon for /usr/bin). Windows
// (`forWindows`) keeps the program's folder only. Null or empty texts count as unset.
std::vector<std::filesystem::path> MachineTableFolders(const std::filesystem::path& programFolder,
                                                       const char* xdgConfigHome, const char* home,
                                                       bool forWindows);

// MachineTableFolders for this system, from the environment (XDG_CONFIG_HOME, HOME).
std::vector<std::filesystem::path> MachineTableFolders(const std::filesystem::path& programFolder);

}  // namespace quillon
