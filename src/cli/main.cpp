#include <clocale>
#include <filesystem>
#include <iostream>

#include "cli/runner.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    std::string folder =
        ec ? std::filesystem::path(argv[0]).parent_path().string() : exe.parent_path().string();
    return quillon::cli::Run(args, folder, std::cout, std::cerr);
}
