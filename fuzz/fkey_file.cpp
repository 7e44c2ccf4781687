// The function-key file editor on any file bytes: it never throws; an edit that changes the
// file changes exactly one contiguous run of bytes — registering inserts the value's CP932
// bytes into a free entry, removing deletes a value's bytes — and every other byte is kept; an
// edit that does not change the file returns it as it was read.
#include <cstdint>
#include <string>
#include <string_view>

#include "fkeyreg/fkey_file.h"
#include "fuzz_check.h"
#include "shell/cp932.h"

namespace {

using quillon::fuzz::Require;
namespace fk = quillon::fkeyreg;

size_t CommonPrefix(std::string_view a, std::string_view b) {
    size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

size_t CommonSuffix(std::string_view a, std::string_view b, size_t limit) {
    size_t n = 0;
    while (n < limit && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
    return n;
}

// `longer` is `shorter` with one contiguous run inserted; returns whether that run can be
// `run` (the insertion point is ambiguous where neighbouring bytes repeat).
bool IsInsertion(std::string_view shorter, std::string_view longer, std::string_view run) {
    if (longer.size() != shorter.size() + run.size()) return false;
    const size_t p = CommonPrefix(shorter, longer);
    const size_t s = CommonSuffix(shorter, longer, shorter.size() - std::min(p, shorter.size()));
    if (p + s < shorter.size()) return false;
    for (size_t i = shorter.size() - s; i <= p; ++i)
        if (longer.substr(0, i) == shorter.substr(0, i) && longer.substr(i, run.size()) == run &&
            longer.substr(i + run.size()) == shorter.substr(i))
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const unsigned mode = data[0];
    const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool caption = mode & 1;
    const std::string header = caption ? "[SuppCap]" : "[SuppPath]";
    const std::string value = caption ? "電卓" : "C:\\Quillon.exe";
    const std::string key = caption ? "電卓" : "Quillon";

    fk::Contains(file, key);  // must not throw or read out of bounds
    if (mode & 2) {
        const fk::Edit e = fk::Remove(file, header, key);
        if (!e.Changed()) {
            Require(e.bytes == file, "an unchanged removal must return the file as read");
            return 0;
        }
        Require(e.bytes.size() < file.size(), "a removal must make the file shorter");
        // The removed run is somewhere in the file; the result is the file without it.
        const size_t removed = file.size() - e.bytes.size();
        bool found = false;
        for (size_t i = 0; i + removed <= file.size() && !found; ++i)
            found = e.bytes == file.substr(0, i) + file.substr(i + removed) &&
                    fk::Contains(file.substr(i, removed), key);
        Require(found, "a removal must delete exactly one value that names the program");
    } else {
        const fk::Edit e = fk::Register(file, header, value);
        if (!e.Changed()) {
            Require(e.bytes == file, "an unchanged registration must return the file as read");
            return 0;
        }
        const auto encoded = quillon::cp932::FromUtf8(value);
        Require(encoded.has_value(), "the value must be encodable");
        Require(IsInsertion(file, e.bytes, *encoded),
                "a registration must insert exactly the value's bytes and keep every other byte");
    }
    return 0;
}
