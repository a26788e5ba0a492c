// Helpers shared by the tests that run whole problems: files read and written
// whole, a scratch directory, a fixed clock, and a run either in-process or
// of the built program.
#pragma once

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "driver/run.h"

namespace bearingpad::test_support {

namespace fs = std::filesystem;

inline std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void write_file(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

// A scratch directory with a short absolute name, so that names inside it
// fit the 24 characters of a typed file name; removed with its contents.
class ScratchDir {
  public:
    ScratchDir() {
        char name[] = "/tmp/bpXXXXXX";
        if (::mkdtemp(name) != nullptr) path_ = fs::canonical(name);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Every entry below the directory: files by relative name with their
    // bytes, directories marked "<dir>".
    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(path_)) {
            const std::string rel = fs::relative(e.path(), path_).string();
            out[rel] = e.is_directory() ? "<dir>" : read_file(e.path());
        }
        return out;
    }

  private:
    fs::path path_;
};

// 7 December 2026, a quarter past three in the afternoon.
inline std::tm fixed_time() {
    std::tm t{};
    t.tm_mday = 7;
    t.tm_mon = 11;
    t.tm_year = 126;
    t.tm_hour = 15;
    t.tm_min = 15;
    return t;
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// One problem run in-process with the typed lines as console input.
inline Outcome run_in_process(FileAccess& files, std::istream& typed) {
    std::ostringstream out, err;
    RunEnvironment env{typed, out, err, files, fixed_time};
    const int status = run(env);
    return {status, out.str(), err.str()};
}

inline Outcome run_in_process(FileAccess& files, const std::string& typed) {
    std::istringstream in(typed);
    return run_in_process(files, in);
}

// The built program, run in a directory with the typed lines on its standard
// input; bounded in time so that a hang fails the test instead of CI.
inline Outcome run_program(const fs::path& dir, const std::string& typed) {
    ScratchDir io;
    write_file(io.path() / "typed", typed);
    const std::string cmd = "cd '" + dir.string() + "' && timeout 60 '" BEARINGPAD_EXE "' < '" +
                            (io.path() / "typed").string() + "' > '" +
                            (io.path() / "out").string() + "' 2> '" + (io.path() / "err").string() +
                            "'";
    const int raw = std::system(cmd.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return {status, read_file(io.path() / "out"), read_file(io.path() / "err")};
}

}  // namespace bearingpad::test_support
