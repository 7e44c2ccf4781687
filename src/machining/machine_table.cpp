#include "machining/machine_table.h"

#include <algorithm>
#include <cstdlib>

#include "shell/cp932.h"
#include "shell/files.h"
#include "shell/utf8.h"

namespace quillon {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kHeaderLines = 2;

// The file's text as UTF-8. A spreadsheet on a Japanese Windows PC saves CSV in CP932; its
// "UTF-8" format starts with a byte-order mark. Text that is well-formed UTF-8 is taken as
// UTF-8 (plain ASCII reads the same either way); anything else as CP932.
std::string TextOf(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    if (utf8::IsValid(bytes)) return std::string(bytes);
    return cp932::ToUtf8(bytes);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The next line of `text` from `pos` without its line end (CR LF, LF or a lone CR); `pos`
// moves past the line end.
std::string_view NextLine(std::string_view text, size_t& pos) {
    const size_t start = pos;
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
        pos = text.size();
        return text.substr(start);
    }
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    return text.substr(start, end - start);
}

// One line's fields. An unquoted field is the text up to the next comma, without the blanks
// around it. A field that starts with a double quote runs to the closing quote, taking commas
// and doubled quotes ("") inside as text; what follows the closing quote up to the comma is
// kept too, and a quote left open ends with the line. Fields beyond the record's are ignored.
MachineTable::Record ParseRecord(std::string_view line) {
    MachineTable::Record record;
    size_t i = 0;
    for (size_t field = 0; field < MachineTable::kFields; ++field) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        std::string value;
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"') {
                    value += line[i];
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    value += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const size_t comma = std::min(line.find(',', i), line.size());
        value += Trimmed(line.substr(i, comma - i));
        record[field] = std::move(value);
        if (comma >= line.size()) break;
        i = comma + 1;
    }
    return record;
}

}  // namespace

MachineTable MachineTable::Parse(std::string_view bytes) {
    MachineTable table;
    const std::string text = TextOf(bytes);
    size_t pos = 0;
    for (size_t header = 0; header < kHeaderLines && pos < text.size(); ++header)
        NextLine(text, pos);
    while (pos < text.size() && table.records_.size() < kRecords) {
        const std::string_view line = NextLine(text, pos);
        // An empty line holds no machine; a line of empty fields (",,,") does.
        if (line.empty()) continue;
        table.records_.push_back(ParseRecord(line));
    }
    return table;
}

const std::string& MachineTable::Field(size_t record, size_t field) const {
    static const std::string kEmpty;
    if (record >= records_.size() || field >= kFields) return kEmpty;
    return records_[record][field];
}

std::optional<MachineTable> LoadMachineTable(Files& files, const std::filesystem::path& folder) {
    const std::optional<std::string> name = files.FirstMatch(folder, kMachineFile);
    if (!name) return std::nullopt;
    const std::optional<std::string> bytes = files.ReadAll(folder / *name);
    if (!bytes) return std::nullopt;
    return MachineTable::Parse(*bytes);
}

std::optional<MachineTable> LoadMachineTable(Files& files,
                                             const std::vector<std::filesystem::path>& folders) {
    for (const std::filesystem::path& folder : folders)
        if (files.FirstMatch(folder, kMachineFile)) return LoadMachineTable(files, folder);
    return std::nullopt;
}

std::vector<std::filesystem::path> MachineTableFolders(const std::filesystem::path& programFolder,
                                                       const char* xdgConfigHome, const char* home,
                                                       bool forWindows) {
    std::vector<std::filesystem::path> folders{programFolder};
    if (forWindows) return folders;
    // A relative XDG_CONFIG_HOME is ignored, as the XDG base directory rules ask. Absolute
    // means a leading slash, the POSIX rule, whichever system builds this (a Windows build
    // would call "/home/u" relative: it has no drive).
    const auto set = [](const char* text) { return text && *text; };
    if (set(xdgConfigHome) && xdgConfigHome[0] == '/')
        folders.push_back(std::filesystem::path(xdgConfigHome) / "quillon");
    else if (set(home))
        folders.push_back(std::filesystem::path(home) / ".config" / "quillon");
    folders.push_back((programFolder / ".." / "share" / "quillon").lexically_normal());
    return folders;
}

std::vector<std::filesystem::path> MachineTableFolders(const std::filesystem::path& programFolder) {
#ifdef _WIN32
    return MachineTableFolders(programFolder, nullptr, nullptr, true);
#else
    return MachineTableFolders(programFolder, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"),
                               false);
#endif
}

}  // namespace quillon
