// The test helpers that call the POSIX system: a scratch directory by
// mkdtemp, and the built program run by the shell with a time limit.
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>

#include "test_support.h"

namespace bearingpad::test_support {

ScratchDir::ScratchDir() {
    char name[] = "/tmp/bpXXXXXX";
    if (::mkdtemp(name) != nullptr) path_ = fs::canonical(name);
}

Outcome run_program(const fs::path& dir, const std::string& typed,
                    const std::vector<std::string>& args) {
    ScratchDir io;
    write_file(io.path() / "typed", typed);
    // Each argument passed as it is: quoted for the shell, a quote as '\''.
    std::string quoted;
    for (const std::string& arg : args) {
        quoted += " '";
        for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        quoted += '\'';
    }
    const std::string cmd = "cd '" + dir.string() + "' && timeout 60 '" BEARINGPAD_EXE "'" +
                            quoted + " < '" + (io.path() / "typed").string() + "' > '" +
                            (io.path() / "out").string() + "' 2> '" + (io.path() / "err").string() +
                            "'";
    const int raw = std::system(cmd.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return {status, read_file(io.path() / "out"), read_file(io.path() / "err")};
}

}  // namespace bearingpad::test_support
