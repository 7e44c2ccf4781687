// Runs a program as a script runs it: its own process, no shell in between, and its exit
// status, standard output and standard error as bytes.
#pragma once

#include <string>
#include <thread>
#include <vector>

#include "support/cli_calls.h"

#ifdef _WIN32
#include <windows.h>

#include "shell/native_path.h"
#else
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quillon::testkit {

struct Process {
    int status = -1;  // -1: could not start, or killed by a signal
    std::string out, err;
};

#ifdef _WIN32
namespace detail {

// One argument of a Windows command line, quoted so that the program's CommandLineToArgvW
// gives it back unchanged: backslashes are literal except before a quote.
inline std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

inline std::string ReadAll(HANDLE pipe) {
    std::string bytes;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(pipe, buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
    return bytes;
}

}  // namespace detail

inline Process RunProgram(const std::string& exe, const std::vector<std::string>& args) {
    Process p;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) return p;
    if (!CreatePipe(&errRead, &errWrite, &inherit, 0)) return p;
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    std::wstring cmd = detail::QuoteArgument(Utf16(exe));
    for (const auto& a : args) cmd += L" " + detail::QuoteArgument(Utf16(a));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(Utf16(exe).c_str(), cmd.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        std::thread errReader([&] { p.err = detail::ReadAll(errRead); });
        p.out = detail::ReadAll(outRead);
        errReader.join();
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        p.status = static_cast<int>(code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return p;
}

// A program built beside the test program (the Windows build puts every .exe in one folder).
inline std::string BuiltProgram(const std::string& name) {
    return PathToUtf8(RunningProgramFolder(nullptr) / PathFromUtf8(name));
}
#else
inline Process RunProgram(const std::string& exe, const std::vector<std::string>& args) {
    Process p;
    int out[2], err[2];
    if (pipe(out) != 0) return p;
    if (pipe(err) != 0) {
        close(out[0]);
        close(out[1]);
        return p;
    }
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        close(out[0]), close(out[1]), close(err[0]), close(err[1]);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    // Both streams at once, so that a full pipe never blocks the program.
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&p.out, &p.err};
    for (int open = 2; open > 0;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& f : fds)
        if (f.fd >= 0) close(f.fd);
    int raw = 0;
    if (pid > 0 && waitpid(pid, &raw, 0) == pid && WIFEXITED(raw)) p.status = WEXITSTATUS(raw);
    return p;
}

inline std::string BuiltProgram(const std::string& path) {
    return path;
}
#endif

// quillon-cli itself, as built with the tests.
inline Process RunCliProgram(const std::vector<std::string>& args) {
    const std::string exe = BuiltProgram(QUILLON_CLI_EXE);
    LogCliCall(args, exe.substr(0, exe.find_last_of("/\\") + 1));
    return RunProgram(exe, args);
}

}  // namespace quillon::testkit
