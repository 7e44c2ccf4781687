// A log of the quillon-cli runs the tests make, for tools/behaviour-compare.sh: with the
// environment variable QUILLON_CLI_CALLS naming a file, every run is appended to it as the
// command line that makes the same run. Without it nothing is written.
//
// A record is the number of arguments, then each argument, each followed by a NUL byte. The
// program folder is written out (--program-folder) so that a replay does not depend on where
// the replaying program lies.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quillon::testkit {

// The arguments that make quillon-cli run `args` with `programFolder` as its program folder
// (`--list` alone takes no other argument).
inline std::vector<std::string> WithProgramFolder(const std::vector<std::string>& args,
                                                  const std::string& programFolder) {
    if (args.size() == 1 && args[0] == "--list") return args;
    std::vector<std::string> full{"--program-folder", programFolder};
    full.insert(full.end(), args.begin(), args.end());
    return full;
}

// One record of the log, or "" for arguments no command line can carry (a NUL byte).
inline std::string CliCallRecord(const std::vector<std::string>& args) {
    std::string record = std::to_string(args.size());
    record += '\0';
    for (const std::string& a : args) {
        if (a.find('\0') != std::string::npos) return "";
        record += a;
        record += '\0';
    }
    return record;
}

inline void LogCliCall(const std::vector<std::string>& args, const std::string& programFolder) {
#ifndef _WIN32
    const char* log = std::getenv("QUILLON_CLI_CALLS");
    if (!log || !*log) return;
    const std::string record = CliCallRecord(WithProgramFolder(args, programFolder));
    if (record.empty()) return;
    // One write in append mode: records of test programs run side by side do not interleave.
    const int fd = ::open(log, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return;
    const ssize_t written = ::write(fd, record.data(), record.size());
    (void)written;
    ::close(fd);
#else
    (void)args;
    (void)programFolder;
#endif
}

}  // namespace quillon::testkit
