// Whole runs on arbitrary bytes: the console answers, the input file and the
// state of the files before the run come from the fuzz data, and the run goes
// in-process against files kept in memory.
//
// Layout of one fuzz input:
//   byte 0  switches
//           bits 0-1  the report file before the run: 0 none, 1 an existing
//                     file, 2 a directory, 3 an existing file that vanishes
//                     between the overwrite question and its reopening
//           bit 2     the overwrite answer is "Y" (else "N")
//           bits 3-4  column 2 of the pad record: 0 and 3 as given, 1 "A"
//                     (analysis), 2 blank (design)
//           bit 5     lower-case answer ("y" / "n")
//           bit 6     the console text is given: the bytes up to the first NUL
//                     after the two switch bytes are typed at the console, the
//                     rest is the input file
//           bit 7     fault injection by byte 1
//   byte 1  with bit 7: 0 = the input file cannot be opened (access denied),
//           otherwise the report file takes 16 * byte 1 bytes before its
//           writes are refused
//   rest    the input file (and the console text, see bit 6)
//
// Invariants checked on every run: the exit status is 0 or a message number;
// standard error is empty at status 0 and otherwise one failure line with the
// severity tag naming that number; the input file is never changed; a
// pre-existing report changes only after a yes to the overwrite question;
// report size and line length stay within the report's layouts; a second run
// on the same data gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "driver/run.h"
#include "memory_files.h"
#include "test_support.h"

namespace {

using bearingpad::MemoryFileAccess;
using bearingpad::test_support::fixed_time;
using bearingpad::test_support::with_mode;

const std::string kInput = "/work/in.dat";
const std::string kReport = "/work/out.rpt";
const std::string kOldReport = "old report\r\n";
const std::string kQuestion = "OUTPUT FILE ALREADY EXISTS.";

// Longest report line (without its carriage control) of any layout.
constexpr std::size_t kMaxLine = 82;
// A complete report of five pages has a few hundred records of at most 83
// characters; nothing may grow beyond that.
constexpr std::size_t kMaxReport = 64 * 1024;

[[noreturn]] void fail(const char* what, const std::string& detail = std::string()) {
    std::fprintf(stderr, "invariant violated: %s\n%s\n", what, detail.c_str());
    std::abort();
}

struct Setup {
    std::string console;
    std::string input;
    int report_state = 0;
    bool structured_console = true;
    bool yes = false;
    bool input_denied = false;
    long capacity = -1;
};

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
    MemoryFileAccess files;
};

Setup decode(const std::uint8_t* data, std::size_t size) {
    Setup s;
    const std::uint8_t sw = size > 0 ? data[0] : 0;
    const std::uint8_t fault = size > 1 ? data[1] : 1;
    const std::string_view rest =
        size > 2 ? std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2)
                 : std::string_view();

    s.report_state = sw & 3;
    s.yes = (sw & 4) != 0;
    const bool lower = (sw & 32) != 0;
    if (sw & 128) {
        if (fault == 0) {
            s.input_denied = true;
        } else {
            s.capacity = 16L * fault;
        }
    }
    if (sw & 64) {
        s.structured_console = false;
        const std::size_t nul = rest.find('\0');
        s.console = std::string(rest.substr(0, nul));
        s.input = nul == std::string_view::npos ? std::string() : std::string(rest.substr(nul + 1));
    } else {
        s.input = std::string(rest);
        s.console = "in.dat\nout.rpt\n";
        s.console += s.yes ? (lower ? "y\n" : "Y\n") : (lower ? "n\n" : "N\n");
    }
    switch ((sw >> 3) & 3) {
        case 1:
            s.input = with_mode(s.input, 'A');
            break;
        case 2:
            s.input = with_mode(s.input, ' ');
            break;
        default:
            break;
    }
    return s;
}

Outcome run_once(const Setup& s) {
    Outcome o;
    MemoryFileAccess& fs = o.files;
    fs.files[kInput] = s.input;
    if (s.input_denied) fs.access_denied.insert(kInput);
    fs.report_capacity = s.capacity;
    switch (s.report_state) {
        case 1:
            fs.files[kReport] = kOldReport;
            break;
        case 2:
            fs.directories.insert(kReport);
            break;
        case 3:
            fs.files[kReport] = kOldReport;
            fs.vanish_before_reopen.insert(kReport);
            break;
        default:
            break;
    }
    std::istringstream in(s.console);
    std::ostringstream out, err;
    bearingpad::RunEnvironment env{in, out, err, fs, fixed_time};
    o.status = bearingpad::run(env);
    o.out = out.str();
    o.err = err.str();
    return o;
}

bool is_message_number(int n) {
    switch (n) {
        case 9:
        case 10:
        case 24:
        case 29:
        case 30:
        case 38:
        case 39:
        case 43:
        case 64:
            return true;
        default:
            return false;
    }
}

// The lines of a report: records end with CR; the line feed or form feed
// that advances to a record stands at its start.
void check_report_lines(const std::string& report) {
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\r', start);
        if (end == std::string::npos) end = report.size();
        std::size_t text = start;
        while (text < end && (report[text] == '\n' || report[text] == '\f')) ++text;
        if (end - text > kMaxLine) fail("report line too long", report.substr(text, end - text));
        start = end + 1;
    }
}

void check(const Setup& s, const Outcome& o) {
    if (o.status != 0 && !is_message_number(o.status))
        fail("exit status", std::to_string(o.status));
    if (o.status == 0) {
        if (!o.err.empty()) fail("standard error at status 0", o.err);
    } else {
        const std::string head = "bpio: severe (" + std::to_string(o.status) + "): ";
        if (o.err.compare(0, head.size(), head) != 0) fail("failure line", o.err);
        if (o.err.size() < 2 || o.err.compare(o.err.size() - 2, 2, "\r\n") != 0 ||
            o.err.find("\r\n") != o.err.size() - 2) {
            fail("failure line end", o.err);
        }
        if (o.err.find(", unit ") == std::string::npos) fail("failure unit", o.err);
    }

    const bool asked = o.out.find(kQuestion) != std::string::npos;
    const bool exited = o.out.find(" EXITING PROGRAM\r\n") != std::string::npos;
    if (exited && o.status != 0) fail("EXITING PROGRAM with a failure status");
    // Only a yes to the overwrite question lets a file that existed before
    // the run change; in the structured dialogue that file is the report.
    const bool agreed = asked && !exited;

    const auto input = o.files.files.find(kInput);
    if (input == o.files.files.end()) fail("input file lost");
    if (input->second != s.input && (s.structured_console || !agreed)) fail("input file changed");

    const auto report = o.files.files.find(kReport);
    if (s.report_state == 1 || s.report_state == 3) {
        const bool kept = report != o.files.files.end() && report->second == kOldReport;
        if (!kept && !agreed) fail("report changed without a yes");
        if (s.structured_console && !s.yes && !kept) fail("report changed after a no");
        if (s.structured_console && !s.yes && !s.input_denied && (o.status != 0 || !exited))
            fail("a no must end with EXITING PROGRAM");
        if (s.structured_console && s.yes && s.report_state == 3 && !s.input_denied) {
            if (o.status != 29 ||
                o.err != "bpio: severe (29): file not found, unit 6, file " + kReport + "\r\n") {
                fail("vanished report", o.err);
            }
        }
    }
    if (s.report_state == 2 && report != o.files.files.end()) fail("directory became a file");
    if (s.report_state == 2 && s.structured_console && s.yes && !s.input_denied &&
        o.err != "bpio: severe (30): open failure, unit 6, file " + kReport + "\r\n") {
        fail("directory as report", o.err);
    }
    if (s.input_denied && s.structured_console &&
        o.err !=
            "bpio: severe (9): permission to access file denied, unit 5, file " + kInput + "\r\n") {
        fail("input access denied", o.err);
    }

    for (const auto& [name, bytes] : o.files.files) {
        if (bytes.size() > kMaxReport) fail("report too long", name);
        if (name == kInput || bytes == kOldReport) continue;
        if (s.capacity >= 0 && bytes.size() > static_cast<std::size_t>(s.capacity))
            fail("report beyond the device capacity", name);
        // The title and problem number are echoed as typed; a CR or FF in the
        // input records breaks the report lines where it stands.
        if (s.input.find_first_of("\r\f") == std::string::npos) check_report_lines(bytes);
        // Every report closes with the line feed its last record owes, unless
        // the device refused the bytes.
        const bool closed = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
        if (!bytes.empty() && s.capacity < 0 && !closed)
            fail("report not closed with its line end", name);
    }
    if (o.status == 38 && s.capacity < 0) fail("write refused without a capacity");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Setup s = decode(data, size);
    const Outcome first = run_once(s);
    check(s, first);
    const Outcome second = run_once(s);
    if (first.status != second.status || first.out != second.out || first.err != second.err ||
        first.files.files != second.files.files) {
        fail("two runs on the same data differ");
    }
    return 0;
}
