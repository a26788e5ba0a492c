// The command line in-process: many problems in one run, reports beside
// their inputs, the existing-report rule, names taken whole, the usage.
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "memory_files.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using namespace test_support;

const std::string kInput =
    "    0101ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\n"
    " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
    "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";
// The hole count 5 rejects the problem; the comma cannot be read (message 64).
const std::string kRejected = "    0102\n A   12.0   9.0   2.0  5\n";
const std::string kUnreadable = "    0103\n A   12,0\n";

// The report the dialogue writes for the same input, on the same clock.
std::string dialogue_report(const std::string& input) {
    MemoryFileAccess fs;
    fs.files["/work/in.dat"] = input;
    run_in_process(fs, "in.dat\nout.rpt\n");
    return fs.files["/work/out.rpt"];
}

TEST(CommandLine, ManyProblemsOneFailing) {
    MemoryFileAccess fs;
    fs.files["/work/a.dat"] = kInput;
    fs.files["/work/b.dat"] = kUnreadable;
    fs.files["/work/c.dat"] = kRejected;
    const Outcome r = run_command_line_in_process(fs, {"a.dat", "b.dat", "c.dat"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out,
              "a.dat: a.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211\r\n"
              "c.dat: c.rpt rejected: NUMBER OF HOLES CAN NOT BE GREATER THAN 4\r\n");
    EXPECT_EQ(r.err,
              "b.dat: b.rpt not written: bpio: severe (64): input conversion error, unit 5, file "
              "/work/b.dat\r\n");
    // The failed problem leaves no report, not even its banner.
    EXPECT_EQ(fs.files.size(), 5u);
    EXPECT_EQ(fs.files["/work/a.rpt"], dialogue_report(kInput));
    EXPECT_EQ(fs.files.count("/work/b.rpt"), 0u);
    EXPECT_EQ(fs.files["/work/c.rpt"], dialogue_report(kRejected));
}

TEST(CommandLine, ExistingReportsAndNames) {
    const std::string old = "an older report";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string input_name, report_name;
        bool report_exists;
        int status;
        std::string out, err;
        bool replaced;
    };
    const std::string thirty = "pier3-expansion-bearing-01.dat";  // 30 characters
    // clang-format off
    const Case cases[] = {
        {"existing report kept", {"in.dat"}, "in.dat", "in.rpt", true, 10, "",
         "in.dat: in.rpt exists, not replaced (-y replaces it)\r\n", false},
        {"existing report replaced", {"-y", "in.dat"}, "in.dat", "in.rpt", true, 0,
         "in.dat: in.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, working loads governs at 1.211\r\n", "", true},
        {"input named as its own report", {"--replace", "x.rpt"}, "x.rpt", "x.rpt", true, 10, "",
         "bpio: severe (10): cannot overwrite existing file, unit 6, file /work/x.rpt\r\n", false},
        {"30 characters", {thirty}, thirty, "pier3-expansion-bearing-01.rpt", false, 0,
         thirty + ": pier3-expansion-bearing-01.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, working loads governs at 1.211\r\n", "", true},
        {"blanks and no extension", {"pier 3 north"}, "pier 3 north", "pier 3 north.rpt", false, 0,
         "pier 3 north: pier 3 north.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, working loads governs at 1.211\r\n", "", true},
    };
    // clang-format on
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        const std::string input = c.input_name == c.report_name ? old : kInput;
        if (c.report_exists) fs.files["/work/" + c.report_name] = old;
        fs.files["/work/" + c.input_name] = input;
        const Outcome r = run_command_line_in_process(fs, c.args);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
        EXPECT_EQ(fs.files["/work/" + c.input_name], input) << c.name;
        EXPECT_EQ(fs.files["/work/" + c.report_name], c.replaced ? dialogue_report(kInput) : old)
            << c.name;
        EXPECT_EQ(fs.files.size(), c.input_name == c.report_name ? 1u : 2u) << c.name;
    }
}

TEST(CommandLine, Usage) {
    // The usage line is built from the outputs' table (file_sets_test.cpp).
    const std::string usage = usage_line() + "\r\n";
    EXPECT_EQ(usage.substr(0, 23), "usage: bearingpad [-y] ");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"-q", "in.dat"}, 2, "bearingpad: unknown option -q\r\n" + usage},
        {{"-y"}, 2, "bearingpad: no input file named\r\n" + usage},
        {{"--explain"}, 2, "bearingpad: no input file named\r\n" + usage},
        {{"--explain", "--json", "in.dat"},
         2,
         "bearingpad: --explain writes no results\r\n" + usage},
        {{"--schedule=", "in.dat"}, 2, "bearingpad: unknown option --schedule=\r\n" + usage},
        {{"in.dat", "--criteria"}, 2, "bearingpad: --criteria needs a file name\r\n" + usage},
        {{"--criteria=", "in.dat"}, 2, "bearingpad: --criteria needs a file name\r\n" + usage},
        {{"in.dat", "--catalog"}, 2, "bearingpad: --catalog needs a file name\r\n" + usage},
        {{"--explain", "--drawing", "in.dat"},
         2,
         "bearingpad: --explain writes no results\r\n" + usage},
        {{"--version"}, 0, ""},
        {{"--help"}, 0, ""},
        {{"--", "-y"}, 29, "bpio: severe (29): file not found, unit 5, file /work/-y\r\n"},
        {{""}, 43, "bpio: severe (43): file name specification error, unit 5, file /work/\r\n"},
    };
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        const Outcome r = run_command_line_in_process(fs, c.args);
        EXPECT_EQ(r.status, c.status) << c.args.front();
        EXPECT_EQ(r.err, c.err) << c.args.front();
        EXPECT_TRUE(fs.files.empty());
    }
    MemoryFileAccess fs;
    EXPECT_EQ(run_command_line_in_process(fs, {"--version"}).out, "bearingpad 1.0\r\n");
    EXPECT_EQ(run_command_line_in_process(fs, {"--help"}).out.substr(0, 32),
              "usage: bearingpad [-y] FILE...\r\n");
}

// An empty input writes nothing, and says so; an explanation's failure
// outweighs a mark in another file.
TEST(CommandLine, EmptyInputAndExplainStatus) {
    MemoryFileAccess fs;
    fs.files["/work/empty.dat"] = "";
    fs.files["/work/empty.rpt"] = "an older report";
    fs.files["/work/slip.dat"] = "    0101\n A     14\n";
    const Outcome r = run_command_line_in_process(fs, {"-y", "empty.dat"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "empty.dat: empty.rpt not written: no record in the input\r\n");
    EXPECT_EQ(fs.files["/work/empty.rpt"], "an older report");
    EXPECT_EQ(run_command_line_in_process(fs, {"--explain", "slip.dat"}).status, 1);
    EXPECT_EQ(run_command_line_in_process(fs, {"--explain", "slip.dat", "none.dat"}).status, 29);
    EXPECT_EQ(run_command_line_in_process(fs, {"--explain", "empty.dat", "slip.dat"}).status, 1);
    EXPECT_EQ(fs.files.size(), 3u);
}

TEST(CommandLine, ReportNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"pier3.dat", "pier3.rpt"},     {"pier3", "pier3.rpt"},
        {"a.b/pier3", "a.b/pier3.rpt"}, {"C:\\jobs.1\\pier3", "C:\\jobs.1\\pier3.rpt"},
        {"p.old.dat", "p.old.rpt"},     {"x.rpt", "x.rpt"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(report_name_for(in), out) << in;
}

}  // namespace
}  // namespace bearingpad
