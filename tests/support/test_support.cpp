// The parts of the test helpers that need no particular system; the scratch
// directory and the run of the built program are in system_posix.cpp and
// system_windows.cpp.
#include "test_support.h"

#include <fstream>
#include <sstream>

#include "driver/command_line.h"

namespace bearingpad::test_support {

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
}

std::map<std::string, std::string> ScratchDir::contents() const {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(path_)) {
        const std::string rel = fs::relative(e.path(), path_).string();
        out[rel] = e.is_directory() ? "<dir>" : read_file(e.path());
    }
    return out;
}

std::tm fixed_time() {
    std::tm t{};
    t.tm_mday = 7;
    t.tm_mon = 11;
    t.tm_year = 126;
    t.tm_hour = 15;
    t.tm_min = 15;
    return t;
}

std::string with_mode(std::string input, char mode) {
    std::size_t start = input.find('\n');
    if (start == std::string::npos) return input;
    ++start;
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    if (end - start >= 2) {
        input[start + 1] = mode;
    } else {
        std::string pad(2 - (end - start), ' ');
        pad.back() = mode;
        input.insert(end, pad);
    }
    return input;
}

std::string expected_banner(const std::string& date, const std::string& time,
                            const std::string& number, const std::string& title72) {
    auto blanks = [](std::size_t n) { return std::string(n, ' '); };
    return "\n" + date + blanks(14) + "VERANIA DEPARTMENT OF TRANSPORTATION" + blanks(5) +
           "PROB. NO. " + number + "\r\n" + time + blanks(2) +
           "BRIDGE DESIGN DIVISION - BEARINGS AND JOINTS STRUCTURES OFFICE\r\n" + blanks(25) +
           "ELASTOMERIC BEARING PAD PROGRAM \r\n" + blanks(29) + "REVISED:  JUNE 30, 2008\r\n" +
           "\r\n" + blanks(18) + "AASHTO 1992, ARTICLE 14.4.1 - DESIGN METHOD A\r\n" + blanks(24) +
           "60 DUROMETER HARDNESS NEOPRENE\r\n" + "\r\n" + blanks(2) + title72 + "\r\n";
}

std::vector<std::string> report_pages(const std::string& report) {
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t ff; (ff = report.find('\f', start)) != std::string::npos; start = ff + 1) {
        pages.push_back(report.substr(start, ff - start));
    }
    pages.push_back(report.substr(start));
    return pages;
}

std::vector<std::string> printed_lines(const std::string& page) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < page.size()) {
        std::size_t end = page.find('\n', start);
        if (end == std::string::npos) end = page.size();
        std::string line = page.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

Outcome run_in_process(FileAccess& files, std::istream& typed) {
    std::ostringstream out, err;
    RunEnvironment env{typed, out, err, files, fixed_time};
    const int status = run(env);
    return {status, out.str(), err.str()};
}

Outcome run_in_process(FileAccess& files, const std::string& typed) {
    std::istringstream in(typed);
    return run_in_process(files, in);
}

Outcome run_command_line_in_process(FileAccess& files, const std::vector<std::string>& args,
                                    std::ostream* console_out) {
    std::istringstream in;
    std::ostringstream out, err;
    RunEnvironment env{in, console_out != nullptr ? *console_out : out, err, files, fixed_time};
    const int status = run_command_line(env, args);
    return {status, out.str(), err.str()};
}

}  // namespace bearingpad::test_support
