#include "utf8.h"

namespace quillon::utf8 {
namespace {
bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}
}  // namespace

size_t Length(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s)
        if (!IsContinuation(c)) ++n;
    return n;
}

size_t Offset(std::string_view s, size_t index) {
    size_t i = 0, n = 0;
    while (i < s.size()) {
        if (!IsContinuation(static_cast<unsigned char>(s[i]))) {
            if (n == index) return i;
            ++n;
        }
        ++i;
    }
    return s.size();
}

std::pair<char32_t, size_t> Decode(std::string_view s) {
    if (s.empty()) return {0, 0};
    const auto c0 = static_cast<unsigned char>(s[0]);
    size_t len = c0 < 0x80 ? 1 : (c0 >> 5) == 6 ? 2 : (c0 >> 4) == 14 ? 3 : (c0 >> 3) == 30 ? 4 : 0;
    if (len == 0 || len > s.size()) return {0, 0};
    char32_t cp = len == 1 ? c0 : len == 2 ? (c0 & 0x1F) : len == 3 ? (c0 & 0x0F) : (c0 & 0x07);
    for (size_t i = 1; i < len; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (!IsContinuation(c)) return {0, 0};
        cp = (cp << 6) | (c & 0x3F);
    }
    return {cp, len};
}

std::string Encode(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool IsValid(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto [cp, len] = Decode(s.substr(i));
        if (len == 0) return false;
        // The shortest form only, and no UTF-16 surrogate halves.
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

}  // namespace quillon::utf8
