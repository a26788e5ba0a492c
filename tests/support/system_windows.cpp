// The test helpers that call the Windows system: a scratch directory in the
// temporary folder, and the built program (found next to the test program)
// started with its standard streams on files and a time limit.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "test_support.h"

namespace bearingpad::test_support {

namespace {

HANDLE inheritable(const fs::path& p, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return ::CreateFileA(p.string().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string program_path() {
    char self[MAX_PATH + 1] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    return (fs::path(std::string(self, n)).parent_path() / "bearingpad.exe").string();
}

}  // namespace

ScratchDir::ScratchDir() {
    char temp[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, temp);
    if (n == 0 || n > MAX_PATH) return;
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = std::string(temp, n) + "bp" +
                                 std::to_string(::GetCurrentProcessId()) + "-" +
                                 std::to_string(counter++);
        if (::CreateDirectoryA(name.c_str(), nullptr)) {
            path_ = name;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

Outcome run_program(const fs::path& dir, const std::string& typed,
                    const std::vector<std::string>& args) {
    ScratchDir io;
    write_file(io.path() / "typed", typed);
    const HANDLE in = inheritable(io.path() / "typed", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = inheritable(io.path() / "out", GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = inheritable(io.path() / "err", GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi{};
    const std::string exe = program_path();
    // Each argument in double quotes; the tests pass none with a quote in it.
    std::string command = "\"" + exe + "\"";
    for (const std::string& arg : args) command += " \"" + arg + "\"";
    const std::string cwd = dir.string();
    const BOOL started = ::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, cwd.c_str(), &si, &pi);
    ::CloseHandle(in);
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (!started) return {-1, std::string(), "cannot start " + exe};
    if (::WaitForSingleObject(pi.hProcess, 60000) == WAIT_TIMEOUT) {
        ::TerminateProcess(pi.hProcess, 124);
        ::WaitForSingleObject(pi.hProcess, INFINITE);
    }
    DWORD status = 0;
    ::GetExitCodeProcess(pi.hProcess, &status);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return {static_cast<int>(status), read_file(io.path() / "out"), read_file(io.path() / "err")};
}

}  // namespace bearingpad::test_support
