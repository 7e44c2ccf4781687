#include "fkeyreg/fkey_file.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "shell/cp932.h"
#include "shell/utf8.h"

namespace quillon::fkeyreg {
namespace {

constexpr size_t npos = std::u32string::npos;

std::u32string Codes(std::string_view utf8) {
    std::u32string out;
    while (!utf8.empty()) {
        const auto [code, len] = utf8::Decode(utf8);
        out.push_back(len ? code : cp932::kInvalid);
        utf8.remove_prefix(len ? len : 1);
    }
    return out;
}

// The file as characters, each remembering where its bytes lie, so that positions found in
// the text map back to the bytes that are kept.
class DecodedFile {
public:
    explicit DecodedFile(std::string_view bytes) : bytes_(bytes), chars_(cp932::Decode(bytes)) {}

    size_t Size() const { return chars_.size(); }
    char32_t At(size_t i) const { return chars_[i].code; }

    // Position of the first occurrence of `needle` at or after `from`, or npos.
    size_t Find(const std::u32string& needle, size_t from, size_t to = npos) const {
        const size_t end = std::min(to, chars_.size());
        if (needle.empty() || needle.size() > end) return needle.empty() ? from : npos;
        for (size_t i = from; i + needle.size() <= end; ++i) {
            size_t j = 0;
            while (j < needle.size() && chars_[i + j].code == needle[j]) ++j;
            if (j == needle.size()) return i;
        }
        return npos;
    }

    // The byte offset of character i (the file's length for the end).
    size_t ByteOffset(size_t i) const {
        return i < chars_.size() ? chars_[i].offset : bytes_.size();
    }

private:
    std::string_view bytes_;
    std::vector<cp932::Char> chars_;
};

// One entry line: "data" at k, its line break at e (the end of the text when it has none).
struct Entry {
    size_t k = 0, e = 0;
    bool ended = false;

    // Characters from "data" up to the line break.
    size_t Length() const { return e - k; }
    // The value lies after "dataN=".
    size_t ValueStart() const { return k + 6; }
};

using Qualifies = std::function<bool(const DecodedFile&, const Entry&)>;
using Value = std::function<std::optional<std::string>()>;

// Finds the header and all eight entries, then changes the first entry that qualifies: its
// value becomes `value` (CP932 bytes). `none` is the outcome when no entry qualifies.
Edit Change(std::string_view bytes, std::string_view header, const Qualifies& qualifies,
            const Value& value, Outcome none) {
    Edit out;
    out.bytes = std::string(bytes);
    const DecodedFile file(bytes);
    const size_t s = file.Find(Codes(header), 0);
    if (s == npos) {
        out.outcome = Outcome::NoHeader;
        return out;
    }
    // Every entry must be there before any is touched: a file laid out otherwise is not one
    // the control wrote, and guessing at it could break the control's keys.
    std::array<Entry, kEntries> entries;
    for (int i = 0; i < kEntries; ++i) {
        const size_t k = file.Find(Codes("data" + std::to_string(i + 1)), s);
        if (k == npos) {
            out.outcome = Outcome::MissingEntry;
            out.entry = i + 1;
            return out;
        }
        const size_t e = file.Find(U"\r\n", k);
        entries[static_cast<size_t>(i)] = {k, e == npos ? file.Size() : e, e != npos};
    }
    for (int i = 0; i < kEntries; ++i) {
        const Entry& entry = entries[static_cast<size_t>(i)];
        if (!qualifies(file, entry)) continue;
        out.entry = i + 1;
        if (!entry.ended) {
            out.outcome = Outcome::EntryNotEnded;
            return out;
        }
        if (entry.ValueStart() > entry.e || file.At(entry.k + 5) != U'=') {
            out.outcome = Outcome::EntryWithoutEquals;
            return out;
        }
        const auto v = value();
        if (!v) {
            out.outcome = Outcome::Unencodable;
            return out;
        }
        std::string changed(bytes.substr(0, file.ByteOffset(entry.ValueStart())));
        changed += *v;
        changed += bytes.substr(file.ByteOffset(entry.e));
        out.bytes = std::move(changed);
        out.outcome = Outcome::Changed;
        return out;
    }
    out.outcome = none;
    out.entry = 0;
    return out;
}

}  // namespace

bool Edit::Malformed() const {
    switch (outcome) {
        case Outcome::NoHeader:
        case Outcome::MissingEntry:
        case Outcome::EntryNotEnded:
        case Outcome::EntryWithoutEquals:
            return true;
        default:
            return false;
    }
}

bool Contains(std::string_view fileBytes, std::string_view keyUtf8) {
    return DecodedFile(fileBytes).Find(Codes(keyUtf8), 0) != npos;
}

Edit Register(std::string_view fileBytes, std::string_view header, std::string_view valueUtf8) {
    // "dataN=" alone is 6 characters; anything longer holds a value.
    const auto free = [](const DecodedFile&, const Entry& entry) { return entry.Length() < 7; };
    const auto value = [valueUtf8] { return cp932::FromUtf8(valueUtf8); };
    return Change(fileBytes, header, free, value, Outcome::NoFreeEntry);
}

Edit Remove(std::string_view fileBytes, std::string_view header, std::string_view keyUtf8) {
    const std::u32string key = Codes(keyUtf8);
    const auto names = [&key](const DecodedFile& file, const Entry& entry) {
        return entry.ValueStart() < entry.e && file.Find(key, entry.ValueStart(), entry.e) != npos;
    };
    const auto blank = [] { return std::optional<std::string>(std::string()); };
    return Change(fileBytes, header, names, blank, Outcome::NotNamed);
}

}  // namespace quillon::fkeyreg
