// The result as JSON and the bearing schedule: the bytes of texts and
// numbers at their edges, the command line's --json and --schedule (files
// created and refused as reports are, a row for every problem, a failed one
// included), and the schedule of the shipped examples against its golden file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <sstream>

#include "driver/command_line.h"
#include "memory_files.h"
#include "results/result_json.h"
#include "results/schedule.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using namespace test_support;

TEST(ResultJson, TextsAreValidJsonForEveryByte) {
    struct Case {
        std::string bytes;
        std::string json;
    };
    // clang-format off
    const Case cases[] = {
        {std::string(1, '\0'), "\"\\u0000\""}, {"\b\t\n\f\r", "\"\\b\\t\\n\\f\\r\""},
        {"\x1f", "\"\\u001F\""}, {"\x7f", "\"\\u007F\""}, {" ~", "\" ~\""},
        {"\"\\/", "\"\\\"\\\\/\""}, {"\x80", "\"\xC2\x80\""}, {"\xBF\xC0", "\"\xC2\xBF\xC3\x80\""},
        {"\xFF", "\"\xC3\xBF\""},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(json_string(c.bytes), c.json) << c.json;
    // A file name that is UTF-8 already stays as it is; one that is not is Latin-1.
    EXPECT_EQ(json_name("pont-\xC3\xA9.dat"), "\"pont-\xC3\xA9.dat\"");
    EXPECT_EQ(json_name("pont-\xE9.dat"), "\"pont-\xC3\xA9.dat\"");
    EXPECT_EQ(json_name("\xED\xA0\x80"), "\"\xC3\xAD\xC2\xA0\xC2\x80\"");  // a surrogate
}

TEST(Schedule, CellsAreQuotedWhenTheyMustBe) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"PIER 3", "PIER 3"}, {"", ""}, {"A,B", "\"A,B\""}, {"12\" PAD", "\"12\"\" PAD\""},
        {"A\r\nB", "\"A\r\nB\""}, {std::string("A\0B", 3), std::string("\"A\0B\"", 5)},
        {" 01", "\" 01\""}, {"\x7f", "\"\x7f\""}, {"\xC3\xA9", "\xC3\xA9"},
    };
    // clang-format on
    for (const auto& [cell, csv] : cases) EXPECT_EQ(csv_cell(cell), csv) << csv;
}

TEST(ResultJson, NonFiniteNumbersAreNullWithTheirText) {
    Result r;
    r.end = ProblemEnd::solved;
    r.record = CheckResults();
    r.record->dead_load = std::numeric_limits<float>::infinity();
    CheckOutcome c;
    c.demand = std::nanf("");
    c.limit = -std::numeric_limits<float>::infinity();
    c.ratio = 0.1f;
    r.checks = {c};
    const std::string json = result_json(r, "x.dat");
    EXPECT_NE(json.find("\"dead_load\":null,\"dead_load_text\":\"Infinity\""), std::string::npos);
    EXPECT_NE(json.find("\"demand\":null,\"demand_text\":\"NaN\",\"limit\":null,"
                        "\"limit_text\":\"-Infinity\",\"ratio\":0.1,"),
              std::string::npos);
    EXPECT_NE(json.find("\"governing\":{\"key\":\"compressive_stress\",\"ratio\":0.1}"),
              std::string::npos);
    EXPECT_EQ(schedule_row(r, "x.dat"),
              "x.dat,,,,solved,not evaluated,0.0000,0.0000,0.0000,0,0.0000,0.0000,0.0000,0,0.0000,"
              "0,0.0000,0.0000,0.0000,Infinity,0.0,,,,0,AASHTO 1992 Art. 14.4.1 Method A,\r\n");
}

const std::string kInput =
    "    0101ROUTE 9, \"MILL CREEK\"\n"
    " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
    "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";

const std::string kRowA =
    "a.dat,0101,\"ROUTE 9, \"\"MILL CREEK\"\"\",analysis,solved,inadequate,12.0000,9.0000,"
    "2.0000,1,1.0000,0.2500,0.2500,2,0.2500,1,0.0747,0.4627,1.4253,40.0,20.0,"
    "internal_plate_working,\"Internal plate, working loads\",1.2108,2,AASHTO 1992 Art. 14.4.1 "
    "Method A,\r\n";

TEST(CommandLineResults, JsonBesideTheReportAndARowForEveryProblem) {
    MemoryFileAccess fs;
    fs.files["/work/a.dat"] = kInput;
    fs.files["/work/b.dat"] = "    0102\n A   12,0\n";  // message 64 in the pad record
    fs.files["/work/c.json"] = "an older result";
    fs.files["/work/c.dat"] = kInput;
    const Outcome r = run_command_line_in_process(
        fs, {"--json", "--schedule", "a.dat", "b.dat", "c.dat", "d.dat"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(
        r.out,
        schedule_header() + kRowA +
            "b.dat,0102,,,failure,failure,,,,,,,,,,,,,,,,,,,0,AASHTO 1992 Art. 14.4.1 Method A,\r\n"
            "c.dat,,,,failure,failure,,,,,,,,,,,,,,,,,,,0,AASHTO 1992 Art. 14.4.1 Method A,\r\n"
            "d.dat,,,,failure,failure,,,,,,,,,,,,,,,,,,,0,AASHTO 1992 Art. 14.4.1 Method A,\r\n");
    EXPECT_EQ(r.err,
              "b.dat: b.rpt not written: bpio: severe (64): input conversion error, unit 5, file "
              "/work/b.dat\r\n"
              "c.dat: c.json exists, not replaced (-y replaces it)\r\n"
              "bpio: severe (29): file not found, unit 5, file /work/d.dat\r\n");
    EXPECT_EQ(fs.files["/work/c.json"], "an older result");
    EXPECT_EQ(fs.files.count("/work/c.rpt"), 0u);  // a refused problem writes nothing
    // A problem that failed leaves its names as they were: no report, no result.
    EXPECT_EQ(fs.files.count("/work/b.json"), 0u);
    // With -y the older result is replaced.
    EXPECT_EQ(run_command_line_in_process(fs, {"-y", "--json", "c.dat"}).status, 0);
    EXPECT_TRUE(fs.files["/work/c.json"].starts_with("{\"format\""));
}

TEST(CommandLineResults, ScheduleFileCreatedAsAReportIs) {
    MemoryFileAccess fs;
    fs.files["/work/a.dat"] = kInput;
    Outcome r = run_command_line_in_process(fs, {"--schedule=out.csv", "a.dat"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "a.dat: a.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211\r\n");
    EXPECT_EQ(fs.files["/work/out.csv"], schedule_header() + kRowA);
    // An existing schedule stays without -y, and nothing is solved.
    fs.files.erase("/work/a.rpt");
    r = run_command_line_in_process(fs, {"--schedule=out.csv", "a.dat"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.err, "out.csv exists, not replaced (-y replaces it)\r\n");
    EXPECT_EQ(fs.files.count("/work/a.rpt"), 0u);
    // Never written over an input file, even with -y.
    r = run_command_line_in_process(fs, {"-y", "--schedule=a.dat", "a.dat"});
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(fs.files["/work/a.dat"], kInput);
    // A schedule file that refuses a write ends the run with its failure.
    MemoryFileAccess full;
    full.files["/work/a.dat"] = kInput;
    full.report_capacity = 0;
    r = run_command_line_in_process(full, {"--schedule=out.csv", "a.dat"});
    EXPECT_EQ(r.status, 38);
}

// The schedule of the shipped examples, checked by hand against their page 5
// (tests/data/examples_schedule.csv).
TEST(CommandLineResults, ScheduleOfTheShippedExamples) {
    namespace fs = std::filesystem;
    MemoryFileAccess files;
    std::vector<std::string> args = {"--schedule"};
    for (const auto& e : fs::directory_iterator(fs::path(BEARINGPAD_SOURCE_DIR) / "examples")) {
        if (e.path().extension() != ".dat") continue;
        files.files["/work/" + e.path().filename().string()] = read_file(e.path());
        args.push_back(e.path().filename().string());
    }
    std::sort(args.begin() + 1, args.end());
    const Outcome r = run_command_line_in_process(files, args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              read_file(fs::path(BEARINGPAD_SOURCE_DIR) / "tests/data/examples_schedule.csv"));
}

}  // namespace
}  // namespace bearingpad
