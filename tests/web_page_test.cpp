// The page's run over the input file's bytes (src/web/page_run): records
// split as from a file on disk, the console line and the failure line of each
// end of a problem.
#include <gtest/gtest.h>

#include <string>

#include "driver/catalog.h"
#include "driver/criteria_file.h"
#include "memory_files.h"
#include "test_support.h"
#include "web/page_run.h"

namespace bearingpad {
namespace {

const std::string kTitle = "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS";
const std::string kPad = " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747";
const std::string kBeam = "    100.0   80.0  40.0 20.0    1.0  .5 .25";

PageRun run(const std::string& input) {
    return run_page(input, "input.dat", "input.rpt", test_support::fixed_time());
}

struct EndCase {
    const char* what;
    std::string input;
    int status;
    std::string console;  // after "input.dat: input.rpt "
    std::string failure;
    bool report_written;
};

TEST(WebPage, EachEndOfAProblem) {
    const std::string line = "\r\n";
    const EndCase cases[] = {
        {"empty file", "", 0, "not written: no record in the input", "", false},
        {"title only", kTitle + "\n", 0, "written, the banner only: no pad record in the input", "",
         true},
        {"solved", kTitle + "\n" + kPad + "\n" + kBeam + "\n", 0,
         "written, 2 warnings - inadequate: 2 checks fail; Internal plate, working loads governs "
         "at 1.211",
         "", true},
        {"no beam record", kTitle + "\n" + kPad + "\n", 24,
         "end-of-file during read, unit 5, file input.dat",
         "bpio: severe (24): end-of-file during read, unit 5, file input.dat\r\n", true},
        {"a comma in the width", kTitle + "\n A   12,0" + kPad.substr(9) + "\n" + kBeam + "\n", 64,
         "input conversion error, unit 5, file input.dat",
         "bpio: severe (64): input conversion error, unit 5, file input.dat\r\n", true},
        {"five holes", kTitle + "\n" + kPad.substr(0, 23) + "5" + kPad.substr(24) + "\n" + kBeam, 0,
         "rejected: NUMBER OF HOLES CAN NOT BE GREATER THAN 4", "", true},
    };
    for (const EndCase& c : cases) {
        const PageRun r = run(c.input);
        EXPECT_EQ(r.result.status(), c.status) << c.what;
        EXPECT_EQ(r.console, "input.dat: input.rpt " + c.console + line) << c.what;
        EXPECT_EQ(r.failure, c.failure) << c.what;
        EXPECT_EQ(!r.report.empty(), c.report_written) << c.what;
    }
}

TEST(WebPage, RecordsSplitAsFromAFile) {
    const std::string lf = kTitle + "\n" + kPad + "\n" + kBeam + "\n";
    const PageRun plain = run(lf);
    ASSERT_EQ(plain.result.status(), 0);
    // CR LF line ends, no line end after the last record, a byte order mark
    // and notes after the records read alike.
    EXPECT_EQ(run(kTitle + "\r\n" + kPad + "\r\n" + kBeam + "\r\n").report, plain.report);
    EXPECT_EQ(run(kTitle + "\n" + kPad + "\n" + kBeam).report, plain.report);
    EXPECT_EQ(run("\xEF\xBB\xBF" + lf).report, plain.report);
    EXPECT_EQ(run(lf + "NOTES\n" + std::string(20000, 'N')).report, plain.report);
    // A title record longer than a read block (8192 bytes): the columns after
    // 80 are not read, and the pad record after it is found in a later block.
    EXPECT_EQ(run(kTitle + std::string(80 - kTitle.size(), ' ') + std::string(10000, 'X') + "\n" +
                  kPad + "\n" + kBeam + "\n")
                  .report,
              plain.report);
}

// With an owner's set and standard pads, the page's run of a file against
// the command line's with --criteria and --catalog over the same bytes: the
// same line, report and chosen pad's records (the page offers them to save
// under the name the line gives).
TEST(WebPage, CriteriaAndCatalogAsTheCommandLine) {
    const std::string catalog_csv =
        "mark,mode,width,length,thickness,number_of_holes,cover_thickness,side_cover,"
        "load_plate_count,load_plate_thickness,internal_plate_count,internal_plate_thickness\n"
        "SMALL,analysis,8,6,1,0,0.25,0.25,2,0.25,0,\n"
        "MID,analysis,12,9,2,0,0.25,0.25,2,0.25,1,0.0747\n";
    const std::string criteria_toml =
        "name = \"Test\"\ndocument = \"Manual\"\nedition = \"2020\"\n[limits]\n"
        "max_load_k = { value = 50, article = \"Sec. 2\" }\n";
    std::string error;
    const std::optional<Catalog> catalog = read_catalog(catalog_csv, error);
    const std::optional<CriteriaSet> criteria = read_criteria(criteria_toml, error);
    ASSERT_TRUE(catalog && criteria) << error;
    const std::string three = kTitle + "\n" + kPad + "\n" + kBeam + "\n";
    struct Row {
        const char* what;
        std::string input;
        bool with_criteria, with_catalog;
        bool standard;  // a pad chosen and its records written
    };
    const Row rows[] = {
        {"the set alone", three, true, false, false},
        {"the catalog alone", three, false, true, true},
        {"both: no pad passes the owner's load", three, true, true, true},
        {"a design: analysed on the catalog's pads", test_support::with_mode(three, ' '), false,
         true, true},
        {"two records: no pad tried", kTitle + "\n" + kPad + "\n", false, true, false},
        {"an unreadable pad record: the catalog's pads in its place",
         kTitle + "\n A   12,0" + kPad.substr(9) + "\n" + kBeam + "\n", false, true, true},
        {"an unreadable beam record: a failure, nothing beside",
         kTitle + "\n" + kPad + "\n    100,0" + kBeam.substr(9) + "\n", false, true, false},
    };
    for (const Row& row : rows) {
        MemoryFileAccess fs;
        fs.files["/work/pier3.dat"] = row.input;
        fs.files["/work/pads.csv"] = catalog_csv;
        fs.files["/work/set.toml"] = criteria_toml;
        std::vector<std::string> args = {"-y"};
        if (row.with_criteria) args.insert(args.end(), {"--criteria", "set.toml"});
        if (row.with_catalog) args.insert(args.end(), {"--catalog", "pads.csv"});
        args.push_back("pier3.dat");
        const test_support::Outcome cli = test_support::run_command_line_in_process(fs, args);
        const PageRun page = run_page(
            row.input, "pier3.dat", "pier3.rpt", test_support::fixed_time(),
            row.with_criteria ? &*criteria : nullptr, row.with_catalog ? &*catalog : nullptr);
        EXPECT_EQ(page.result.status(), cli.status) << row.what;
        if (cli.status == 0) {
            EXPECT_EQ(page.console, cli.out) << row.what;
            EXPECT_EQ(page.report, fs.files["/work/pier3.rpt"]) << row.what;
        } else {
            // The command line names the failure after the file's whole name.
            EXPECT_NE(cli.err.find(page.failure.substr(0, page.failure.find("pier3.dat"))),
                      std::string::npos)
                << row.what;
        }
        const auto written = fs.files.find("/work/pier3.standard.dat");
        EXPECT_EQ(written != fs.files.end(), row.standard) << row.what;
        EXPECT_EQ(page.standard, written == fs.files.end() ? "" : written->second) << row.what;
        EXPECT_EQ(page.standard_name, row.standard ? "pier3.standard.dat" : "") << row.what;
        EXPECT_EQ(page.console.find("under Test") != std::string::npos, row.with_criteria)
            << row.what;
    }
}

// The layout the page's form takes: the fields of the three records in the
// table's order, the defaults as the shortest decimals of their 32-bit reals.
TEST(WebPage, InputFieldsForTheForm) {
    const std::string json = input_fields_json();
    ASSERT_GE(json.size(), 4u);
    EXPECT_EQ(json.substr(0, 26), "[{\"name\":\"problem_number\",");
    EXPECT_EQ(json.back(), ']');
    std::size_t count = 0;
    for (std::size_t at = json.find("{\"name\""); at != std::string::npos;
         at = json.find("{\"name\"", at + 1))
        ++count;
    EXPECT_EQ(count, 23u);
    const char* const entries[] = {
        R"({"name":"title","record":1,"first":9,"width":72,"form":"text","decimals":0,"unit":"",)"
        R"("rule":"none","default":0})",
        R"({"name":"thickness","record":2,"first":16,"width":6,"form":"real","decimals":4,)"
        R"("unit":"in","rule":"design_below","default":0.50001})",
        R"({"name":"hole_count_character","record":2,"first":24,"width":1,"form":"text",)"
        R"("decimals":0,"unit":"","rule":"blank","default":1})",
        R"({"name":"diameter_of_hole","record":2,"first":25,"width":5,"form":"real",)"
        R"("decimals":4,"unit":"in","rule":"zero","default":3})",
        R"({"name":"internal_plate_count","record":2,"first":56,"width":1,"form":"integer",)"
        R"("decimals":0,"unit":"","rule":"none","default":0})",
        R"({"name":"internal_plate_thickness","record":2,"first":59,"width":5,"form":"real",)"
        R"("decimals":4,"unit":"in","rule":"zero","default":0.0747})",
        R"({"name":"distance_to_fixity","record":3,"first":3,"width":7,"form":"real",)"
        R"("decimals":4,"unit":"ft","rule":"none","default":0})",
        R"({"name":"live_load_deflection","record":3,"first":39,"width":4,"form":"real",)"
        R"("decimals":3,"unit":"in","rule":"none","default":0}])",
    };
    for (const char* entry : entries) EXPECT_NE(json.find(entry), std::string::npos) << entry;
}

// The marks of an explanation as the form takes them: one object each, in
// the explanation's order, by record and columns.
TEST(WebPage, ExplanationMarksForTheForm) {
    const PageExplanation e = explain_page_input(
        "    0001CAF\xC9\n A     14   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
        "    100.0   80.0 1000. 20.0    1.0  .5 .25\n",
        "m.dat");
    EXPECT_EQ(e.marks, 3);
    EXPECT_EQ(e.marks_json,
              R"j([{"record":1,"first":12,"last":12,"kind":"byte","text":"byte C9 (not )j"
              R"j(printable ASCII) in the title, printed as it is"},)j"
              R"j({"record":2,"first":4,"last":9,"kind":"no_point","text":"'14' typed )j"
              R"j(without a point: read as 0.0014 in (the last 4 digits are decimals)"},)j"
              R"j({"record":3,"first":17,"last":22,"kind":"asterisks","text":"1000.0 K does )j"
              R"j(not fit the echo's F7.3: it shows as *******"}])j");
    EXPECT_EQ(explain_page_input("", "m.dat").marks_json.front(), '[');
}

}  // namespace
}  // namespace bearingpad
