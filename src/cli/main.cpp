#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "shell/native_path.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>
#endif

namespace {

// The arguments as UTF-8. Windows hands a program its command line in UTF-16; the narrow
// argv there is in the PC's ANSI code page and loses every character outside it.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    std::vector<std::string> args;
    int n = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &n);
    for (int i = 1; wide && i < n; ++i) args.push_back(quillon::Utf8(wide[i]));
    if (wide) LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
#ifdef _WIN32
    // The JSON goes out byte for byte as on every other system: UTF-8, lines ending in LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::string folder = quillon::PathToUtf8(quillon::RunningProgramFolder(argv[0]));
    return quillon::cli::Run(Arguments(argc, argv), folder, std::cout, std::cerr);
}
