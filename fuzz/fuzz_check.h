// What the fuzz targets share: a failed property aborts with a message, which libFuzzer
// reports as a crash together with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillon::fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "property violated: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void Require(bool ok, const std::string& what) {
    if (!ok) Fail(what);
}

// True when s contains "inf" or "nan" in any case.
inline bool ShowsNonFinite(const std::string& s) {
    std::string lower(s);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

}  // namespace quillon::fuzz
