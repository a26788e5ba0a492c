// Reports written whole, in-process: a fault injected at every point of a
// report (its write after N bytes, the flush to the disk, the close, the
// rename) leaves the command line's old report byte for byte, or no file,
// and the dialogue's report as it always was; a second report of one name in
// a run is refused; a refused standard output is a failure.
#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "driver/command_line.h"
#include "memory_files.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using namespace test_support;

const std::string& kProblem = kAnalysisProblem;
const std::string kOld = "an older report\r\n";

struct Fault {
    std::string name;
    long capacity = -1;  // bytes taken before a write is refused
    bool sync = false, close = false, rename = false;
};

// The write refused after every N bytes up to the whole report (in steps,
// with both ends), then each later step of the rename refused alone.
std::vector<Fault> every_fault(std::size_t report_size) {
    std::vector<Fault> faults;
    for (std::size_t n = 0; n < report_size; n += n < 4 ? 1 : 211) {
        faults.push_back({"write after " + std::to_string(n), static_cast<long>(n)});
    }
    faults.push_back({"last byte", static_cast<long>(report_size) - 1});
    faults.push_back({"flush to the disk", -1, true});
    faults.push_back({"close", -1, false, true});
    faults.push_back({"rename", -1, false, false, true});
    return faults;
}

MemoryFileAccess with_fault(const Fault& f) {
    MemoryFileAccess fs;
    fs.report_capacity = f.capacity;
    fs.refuse_sync = f.sync;
    fs.refuse_close = f.close;
    fs.refuse_rename = f.rename;
    return fs;
}

std::string full_report() {
    MemoryFileAccess fs;
    fs.files["/work/in.dat"] = kProblem;
    EXPECT_EQ(run_in_process(fs, "in.dat\nout.rpt\n").status, 0);
    return fs.files["/work/out.rpt"];
}

TEST(WholeReports, CommandLineFaultsLeaveTheOldReportOrNothing) {
    const std::string report = full_report();
    ASSERT_GT(report.size(), 10000u);
    for (const Fault& f : every_fault(report.size())) {
        for (const bool existing : {true, false}) {
            MemoryFileAccess fs = with_fault(f);
            fs.files["/work/in.dat"] = kProblem;
            if (existing) fs.files["/work/in.rpt"] = kOld;
            const Outcome r = run_command_line_in_process(fs, {"-y", "in.dat"});
            EXPECT_EQ(r.status, 38) << f.name;
            EXPECT_EQ(r.out, "") << f.name;
            EXPECT_EQ(r.err, std::string("in.dat: in.rpt ") +
                                 (existing ? "not replaced" : "not written") +
                                 ": bpio: severe (38): error during write, unit 6, file "
                                 "/work/in.rpt\r\n")
                << f.name;
            std::map<std::string, std::string> expected = {{"/work/in.dat", kProblem}};
            if (existing) expected["/work/in.rpt"] = kOld;
            EXPECT_EQ(fs.files, expected) << f.name;
        }
    }
    // The room of exactly the report is enough.
    MemoryFileAccess fits;
    fits.report_capacity = static_cast<long>(report.size());
    fits.files["/work/in.dat"] = kProblem;
    fits.files["/work/in.rpt"] = kOld;
    EXPECT_EQ(run_command_line_in_process(fits, {"-y", "in.dat"}).status, 0);
    EXPECT_EQ(fits.files["/work/in.rpt"], report);
    EXPECT_EQ(fits.files.size(), 2u);
}

// The dialogue's report holds what the device took before a refused write,
// as it always did; a refused flush, close or rename, which the dialogue
// never checked, is now a failure that leaves the old report whole, or no
// report.
TEST(WholeReports, DialogueFaultsLeaveTheBytesItAlwaysLeft) {
    const std::string report = full_report();
    for (const Fault& f : every_fault(report.size())) {
        for (const bool existing : {true, false}) {
            MemoryFileAccess fs = with_fault(f);
            fs.files["/work/in.dat"] = kProblem;
            if (existing) fs.files["/work/out.rpt"] = kOld;
            const Outcome o =
                run_in_process(fs, existing ? "in.dat\nout.rpt\nY\n" : "in.dat\nout.rpt\n");
            EXPECT_EQ(o.status, 38) << f.name;
            EXPECT_EQ(o.err,
                      "bpio: severe (38): error during write, unit 6, file /work/out.rpt\r\n")
                << f.name;
            std::map<std::string, std::string> expected = {{"/work/in.dat", kProblem}};
            if (f.capacity >= 0) {
                expected["/work/out.rpt"] = report.substr(0, static_cast<std::size_t>(f.capacity));
            } else if (existing) {
                expected["/work/out.rpt"] = kOld;
            }
            EXPECT_EQ(fs.files, expected) << f.name;
        }
    }
}

TEST(WholeReports, OneReportPerNameInARun) {
    const std::string rejected = "    0102\n A   12.0   9.0   2.0  5\n";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string out, err;
    };
    const Case cases[] = {
        {"same stem",
         {"-y", "pier3.dat", "pier3.txt"},
         "pier3.dat: pier3.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
         "working loads governs at 1.211\r\n",
         "pier3.txt: pier3.rpt was written from pier3.dat in this run, not replaced\r\n"},
        {"same input twice",
         {"pier3.dat", "/work/pier3.dat"},
         "pier3.dat: pier3.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
         "working loads governs at 1.211\r\n",
         "/work/pier3.dat: /work/pier3.rpt was written from pier3.dat in this run, not "
         "replaced\r\n"},
    };
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        fs.files["/work/pier3.dat"] = kProblem;
        fs.files["/work/pier3.txt"] = rejected;
        const Outcome r = run_command_line_in_process(fs, c.args);
        EXPECT_EQ(r.status, 10) << c.name;
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
        EXPECT_EQ(fs.files["/work/pier3.rpt"], full_report()) << c.name;
        EXPECT_EQ(fs.files.size(), 3u) << c.name;
    }
    // A problem that wrote nothing, or failed, leaves the name free.
    MemoryFileAccess fs;
    fs.files["/work/p.dat"] = "";
    fs.files["/work/p.txt"] = "    0103\n A   12,0\n";
    fs.files["/work/p.in"] = rejected;
    const Outcome r = run_command_line_in_process(fs, {"p.dat", "p.txt", "p.in"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out,
              "p.dat: p.rpt not written: no record in the input\r\n"
              "p.in: p.rpt rejected: NUMBER OF HOLES CAN NOT BE GREATER THAN 4\r\n");
}

// Standard output that refuses every byte, as a full disk does.
class RefusingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(WholeReports, RefusedStandardOutputIsAFailure) {
    const std::string line = "bpio: severe (38): error during write, unit 4, file CON\r\n";
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    // Nothing marked, a mark, a report written, a failure first.
    const Case cases[] = {{{"--explain", "in.dat"}, 38},
                          {{"--explain", "slip.dat"}, 38},
                          {{"in.dat"}, 38},
                          {{"none.dat", "in.dat"}, 29}};
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        fs.files["/work/in.dat"] = kProblem;
        fs.files["/work/slip.dat"] = "    0101\n A     14\n";
        RefusingBuffer refusing;
        std::ostream out(&refusing);
        const Outcome r = run_command_line_in_process(fs, c.args, &out);
        EXPECT_EQ(r.status, c.status) << c.args.front();
        EXPECT_EQ(r.err.substr(r.err.size() - line.size()), line) << c.args.front();
    }
}

}  // namespace
}  // namespace bearingpad
