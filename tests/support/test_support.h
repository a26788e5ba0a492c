// Helpers shared by the tests, the fuzzer and the benchmarks that run whole
// problems: files read and written whole, a scratch directory, the fixed
// clock, input records edited, the banner as laid out by hand, a report split
// into pages and lines, and a run either in-process or of the built program.
#pragma once

#include <ctime>
#include <filesystem>
#include <istream>
#include <map>
#include <string>
#include <vector>

#include "driver/run.h"

namespace bearingpad::test_support {

namespace fs = std::filesystem;

// An analysis of a 12 x 9 in pad with two load plates and an internal plate,
// the records of examples/analysis.dat: page 5 has two warnings.
inline const std::string kAnalysisProblem =
    "    0101ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\n"
    " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
    "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";

std::string read_file(const fs::path& p);
void write_file(const fs::path& p, const std::string& bytes);

// A scratch directory with a short absolute name, so that names inside it
// fit the 24 characters of a typed file name; removed with its contents.
class ScratchDir {
  public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();
    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Every entry below the directory: files by relative name with their
    // bytes, directories marked "<dir>".
    std::map<std::string, std::string> contents() const;

  private:
    fs::path path_;
};

// 7 December 2026, a quarter past three in the afternoon: "07-DEC-26" and
// "15:15:00" in the banner.
std::tm fixed_time();

// Column 2 of the pad record (the second line) set to the mode character.
std::string with_mode(std::string input, char mode);

// The banner and title as laid out column by column, for the date and time
// texts, the problem number and the 72 columns of the title (column 1 is
// carriage control and not written; text at column c starts at offset c - 2).
std::string expected_banner(const std::string& date, const std::string& time,
                            const std::string& number, const std::string& title72);

// The pages of a report, split at its form feeds. A page eject starts its
// record with a form feed, so a report with n ejects has n + 1 pages; the form
// feeds belong to no page. Each page keeps its bytes: a page before an eject
// ends with the CR of its last record, a following page starts with the CR of
// the eject's record, and the last page ends with the report.
std::vector<std::string> report_pages(const std::string& report);

// The printed lines of a page (or of any bytes without form feeds), split at
// the line feeds, with the CR that closes each record dropped; a final line
// feed starts no further line.
std::vector<std::string> printed_lines(const std::string& page);

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// One problem run in-process with the typed lines as console input and the
// fixed clock.
Outcome run_in_process(FileAccess& files, std::istream& typed);
Outcome run_in_process(FileAccess& files, const std::string& typed);

// The command line run in-process with the given arguments (the program's
// name left out), no console input and the fixed clock; its console output
// goes to console_out when one is given (a stream that refuses writes, say).
Outcome run_command_line_in_process(FileAccess& files, const std::vector<std::string>& args,
                                    std::ostream* console_out = nullptr);

// The built program, run in a directory with the typed lines on its standard
// input and the given arguments; bounded in time so that a hang fails the
// test instead of CI.
Outcome run_program(const fs::path& dir, const std::string& typed,
                    const std::vector<std::string>& args = {});

}  // namespace bearingpad::test_support
