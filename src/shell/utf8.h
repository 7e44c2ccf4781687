// Small UTF-8 helpers: control texts are UTF-8, while selections count characters.
#pragma once

#include <string>
#include <string_view>

namespace quillon::utf8 {

// Number of code points in s.
size_t Length(std::string_view s);
// Byte offset of code point `index` (clamped to the end).
size_t Offset(std::string_view s, size_t index);
// The code point starting at byte 0 of s and its length in bytes; {0, 0} for an empty or
// invalid start.
std::pair<char32_t, size_t> Decode(std::string_view s);
// UTF-8 of one code point.
std::string Encode(char32_t c);
// True when s is well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF. Text in another encoding (CP932, with its
// half-width katakana bytes 0xA1-0xDF) is almost never well-formed.
bool IsValid(std::string_view s);

}  // namespace quillon::utf8
