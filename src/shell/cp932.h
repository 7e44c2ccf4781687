// The Japanese Windows code page (CP932, "Shift_JIS" as Windows writes it).
//
// The control's text files, and the machine table as a spreadsheet saves it, are in this code
// page. Reading a file splits its bytes into characters (one byte, or a lead byte and a trail
// byte) so that searches never match inside a double-byte character: a trail byte can equal an
// ASCII byte ("電" is 0x93 'd', "ゲ" is 0x83 'Q'). The conversions go through iconv on POSIX
// systems and through the Win32 code-page functions on Windows; never through the locale.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cp932 {

// One character of CP932 text: where its bytes lie and the code point it reads as.
struct Char {
    size_t offset = 0;
    size_t length = 0;  // 1 or 2 bytes
    char32_t code = 0;
};

// What a byte sequence that is no character of the code page reads as. It matches nothing a
// program searches for, and its bytes are kept where the text is not changed.
inline constexpr char32_t kInvalid = 0xFFFD;

// 0x81-0x9F and 0xE0-0xFC start a double-byte character.
bool IsLeadByte(unsigned char b);
// 0x40-0x7E and 0x80-0xFC may follow a lead byte.
bool IsTrailByte(unsigned char b);

// Splits the bytes into characters. A lead byte followed by a trail byte is one character
// (kInvalid if the pair is unassigned); a lead byte that is not followed by a trail byte is one
// invalid character on its own, so a line break after it is still a line break.
std::vector<Char> Decode(std::string_view bytes);

// The text as UTF-8; invalid sequences become U+FFFD.
std::string ToUtf8(std::string_view bytes);

// The CP932 bytes of UTF-8 text, or nothing when the text is not valid UTF-8 or a character
// has no exact CP932 form (no "best fit": "¥" is not written as a backslash).
std::optional<std::string> FromUtf8(std::string_view utf8);

}  // namespace quillon::cp932
