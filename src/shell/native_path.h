// Paths and text at the edge to the operating system.
//
// Inside the program every text is UTF-8. On Windows every system call takes UTF-16 (the
// "W" functions) and a std::filesystem::path built from a plain std::string would be read in
// the ANSI code page of the PC, so paths cross that edge only through these functions.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillon {

// The path named by UTF-8 text, and the UTF-8 text of a path. On Windows a path keeps the
// drive letter and the backslashes it is given ("C:\OSP-P", "C:\").
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The folder of the running program's executable file ("C:\" when it lies in a drive's root
// folder). `argv0` is the fallback where the system cannot name the executable.
std::filesystem::path RunningProgramFolder(const char* argv0);

#ifdef _WIN32
// UTF-8 to UTF-16 and back, for the wide Win32 functions. Invalid sequences become U+FFFD.
std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);
#endif

}  // namespace quillon
