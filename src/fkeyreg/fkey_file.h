// Editing the control's vertical function-key files.
//
// A file holds a section header ("[SuppPath]" in the path file, "[SuppCap]" in the caption
// file) followed by the entries "data1=" ... "data8=", each ended by CR LF. Entries are found
// by the control's own position arithmetic, on characters of the decoded CP932 text: entry i is
// the first "data" + i at or after the header, it ends at the first CR LF after that, and an
// entry of fewer than 7 characters ("dataN=" alone) is free. A change replaces only the
// characters between the entry's "=" and its line break; every other byte of the file is kept
// exactly as read, a missing line break at the very end of the file included.
#pragma once

#include <string>
#include <string_view>

namespace quillon::fkeyreg {

inline constexpr int kEntries = 8;

enum class Outcome {
    Changed,             // one entry changed; `bytes` holds the new file
    NoFreeEntry,         // registering: all eight entries are taken
    NotNamed,            // removing: no entry contains the search key
    NoHeader,            // the section header is missing
    MissingEntry,        // "data" + `entry` does not follow the header
    EntryNotEnded,       // the entry to change has no line break after it
    EntryWithoutEquals,  // the entry to change has no "=" after its name
    Unencodable,         // the value has a character the code page cannot hold
};

struct Edit {
    Outcome outcome = Outcome::NoHeader;
    int entry = 0;      // the entry changed or at fault, 1 to 8; 0 where none is meant
    std::string bytes;  // the whole file after the edit; the file as read when not Changed

    bool Changed() const { return outcome == Outcome::Changed; }
    // The file is not what the program expects; it must not be written.
    bool Malformed() const;
};

// True when the search key occurs anywhere in the file (case-sensitive, on the decoded text,
// never inside a double-byte character).
bool Contains(std::string_view fileBytes, std::string_view keyUtf8);

// Writes `valueUtf8` into the first free entry after `header`.
Edit Register(std::string_view fileBytes, std::string_view header, std::string_view valueUtf8);

// Blanks the value of the first entry after `header` whose value contains `keyUtf8`.
Edit Remove(std::string_view fileBytes, std::string_view header, std::string_view keyUtf8);

}  // namespace quillon::fkeyreg
