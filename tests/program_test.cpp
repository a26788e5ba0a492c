// The built program run as a user runs it: in a fresh directory, the answers
// piped to its standard input, every output compared byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace bearingpad::test_support;

// Each test runs the program in a fresh directory of its own.
class ProgramTest : public ::testing::Test {
  protected:
    Outcome run_program(const std::string& typed) {
        return bearingpad::test_support::run_program(dir_, typed);
    }

    ScratchDir scratch_;
    const fs::path dir_ = scratch_.path();
};

const std::string kPrompts = " ENTER INPUT FILE NAME: ENTER OUTPUT FILE NAME:";

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

TEST_F(ProgramTest, RejectedProblemGivesBannerModeLinesAndMessage) {
    write_file(dir_ / "in.dat",
               "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\n"
               " A   14.0  10.02.5747  5  1.5 0.25 0.25    2 0.25      1  .0747\n"
               "    100.0   80.0  40.0 20.0    1.0  .5 .25\n");
    const Outcome r = run_program("in.dat\nout.rpt\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kPrompts);
    EXPECT_EQ(r.err, "");

    std::string report = read_file(dir_ / "out.rpt");
    // The date and time of the run stand at the start of banner lines 1 and 2.
    const std::regex stamp(
        "^\n(\\d\\d-(JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC)-\\d\\d)"
        "[^\r]*\r\n(\\d\\d:\\d\\d:\\d\\d)");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(report, m, stamp));
    const std::string date = m[1], time = m[3];

    const std::string separator = std::string(78, '-') + "\r\n";
    const std::string expected =
        expected_banner(date, time, "0001",
                        "ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS" + blanks(29)) +
        separator + blanks(29) + "THIS IS AN ANALYSIS\r\n" + separator + blanks(19) +
        "NUMBER OF HOLES CAN NOT BE GREATER THAN 4\r\n";
    EXPECT_EQ(report, expected);
}

TEST_F(ProgramTest, MissingInputFileEndsWithFailure29AndNoReport) {
    const Outcome r = run_program("in.dat\nout.rpt\n");
    EXPECT_EQ(r.status, 29);
    EXPECT_EQ(r.out, kPrompts);
    EXPECT_EQ(r.err, "bpio: severe (29): file not found, unit 5, file " +
                         (dir_ / "in.dat").string() + "\r\n");
    EXPECT_FALSE(fs::exists(dir_ / "out.rpt"));
}

TEST_F(ProgramTest, ExitingProgramLeavesTheOldReportUntouched) {
    write_file(dir_ / "in.dat", "    0001TITLE\n");
    write_file(dir_ / "out.rpt", "archived report\r\n");
    const Outcome r = run_program("in.dat\nout.rpt\nN\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kPrompts +
                         " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? "
                         "(Y/N) \r\n EXITING PROGRAM\r\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(read_file(dir_ / "out.rpt"), "archived report\r\n");
    EXPECT_EQ(read_file(dir_ / "in.dat"), "    0001TITLE\n");
}

TEST_F(ProgramTest, YesReplacesTheOldReportWhole) {
    write_file(dir_ / "in.dat", "    0001TITLE\n");
    write_file(dir_ / "out.rpt", std::string(20000, 'x'));
    const Outcome r = run_program("in.dat\nout.rpt\nY\n");
    EXPECT_EQ(r.status, 0);
    const std::string report = read_file(dir_ / "out.rpt");
    EXPECT_EQ(report.find('x'), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 74), "TITLE" + blanks(67) + "\r\n");
}

TEST_F(ProgramTest, ReportOverTheInputFileIsRefused) {
    const std::string input = "    0001TITLE\n A\n";
    write_file(dir_ / "in.dat", input);
    const Outcome r = run_program("in.dat\n./in.dat\nY\n");
    EXPECT_EQ(r.status, 10);
    EXPECT_EQ(r.out, kPrompts);
    EXPECT_EQ(r.err,
              "bpio: severe (10): cannot overwrite existing file, unit 6, file " +
                  bearingpad::SystemFileAccess().absolute_name((dir_ / "./in.dat").string()) +
                  "\r\n");
    EXPECT_EQ(read_file(dir_ / "in.dat"), input);
}

TEST_F(ProgramTest, ShippedExamplesGiveCompleteReports) {
    for (const char* name : {"analysis.dat", "design.dat"}) {
        fs::copy_file(fs::path(BEARINGPAD_SOURCE_DIR) / "examples" / name, dir_ / name);
        const Outcome r = run_program(std::string(name) + "\nout.rpt\nY\n");
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.err, "") << name;
        const std::string report = read_file(dir_ / "out.rpt");
        EXPECT_NE(report.find(blanks(36) + "PAGE 5\r\n"), std::string::npos) << name;
        EXPECT_EQ(report.substr(report.size() - 8), "PAGE 5\r\n") << name;
    }
}

}  // namespace

namespace {

// Masks the run's date and time and the two banner texts of line 2, which the
// archived report holds as placeholders.
std::string masked(std::string report) {
    report.replace(1, 9, "DD-MMM-YY");
    const std::size_t line2 = report.find("\r\n") + 2;
    report.replace(line2, 8, "HH:MM:SS");
    report.replace(line2 + 10, 44, std::string(44, '#'));
    report.replace(line2 + 55, 17, std::string(17, '#'));
    return report;
}

}  // namespace

TEST_F(ProgramTest, AnalysisOfALaminatedPadMatchesTheArchivedReport) {
    fs::copy_file(fs::path(BEARINGPAD_SOURCE_DIR) / "examples" / "analysis.dat", dir_ / "in.dat");
    const Outcome r = run_program("in.dat\nout.rpt\n");
    ASSERT_EQ(r.status, 0);
    const std::string report = read_file(dir_ / "out.rpt");
    EXPECT_EQ(masked(report), read_file(fs::path(BEARINGPAD_SOURCE_DIR) / "tests" / "data" /
                                        "analysis_report.rpt"));

    // The printed form: four page ejects, footers PAGE 1 to PAGE 5 in order,
    // at most 82 printed characters a line and 66 lines a page.
    const std::vector<std::string> pages = report_pages(report);
    ASSERT_EQ(pages.size(), 5u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::vector<std::string> lines = printed_lines(pages[i]);
        EXPECT_LE(lines.size(), 66u) << "page " << i + 1;
        std::string last;
        for (const std::string& line : lines) {
            EXPECT_LE(line.size(), 82u) << line;
            if (line.find_first_not_of(" \r") != std::string::npos) last = line;
        }
        EXPECT_EQ(last, blanks(36) + "PAGE " + std::to_string(i + 1)) << "page " << i + 1;
    }
}

// After the blank-name question the whole typed line is the name, however
// long: a name the system cannot take is refused, and nothing is opened.
TEST_F(ProgramTest, LongNameAfterTheBlankNameQuestionIsRefusedWhole) {
    const std::string input = "    0001TITLE\n";
    write_file(dir_ / "in.dat", input);
    const std::string name = "in.dat" + blanks(5000) + "x";
    const Outcome r = run_program("\nout.rpt\n" + name + "\n");
    EXPECT_EQ(r.status, 43);
    EXPECT_EQ(r.out, kPrompts + "File name missing or blank - please enter file name\r\nUNIT 5? ");
    EXPECT_EQ(r.err, "bpio: severe (43): file name specification error, unit 5, file " +
                         (dir_ / name).string() + "\r\n");
    EXPECT_EQ(scratch_.contents(), (std::map<std::string, std::string>{{"in.dat", input}}));
}

// The command line of the built program: names with blanks and over 24
// characters taken whole, a missing file, reports beside their inputs.
TEST_F(ProgramTest, CommandLineSolvesEachFileNamed) {
    const std::string input = read_file(fs::path(BEARINGPAD_SOURCE_DIR) / "examples/analysis.dat");
    write_file(dir_ / "pier 3 north.dat", input);
    write_file(dir_ / "pier3-expansion-bearing.dat", input);
    const Outcome r = bearingpad::test_support::run_program(
        dir_, "", {"pier 3 north.dat", "none.dat", "pier3-expansion-bearing.dat"});
    EXPECT_EQ(r.status, 29);
    EXPECT_EQ(r.out,
              "pier 3 north.dat: pier 3 north.rpt written, 2 warnings - inadequate: 2 checks fail; "
              "Internal plate, working loads governs at 1.211\r\n"
              "pier3-expansion-bearing.dat: pier3-expansion-bearing.rpt written, 2 warnings - "
              "inadequate: 2 checks fail; Internal plate, working loads governs at 1.211\r\n");
    EXPECT_EQ(r.err, "bpio: severe (29): file not found, unit 5, file " +
                         (dir_ / "none.dat").string() + "\r\n");
    const auto files = scratch_.contents();
    EXPECT_EQ(files.size(), 4u);
    // The same pages but for the date and time in the banner on page 1.
    const auto pages = report_pages(files.at("pier 3 north.rpt"));
    EXPECT_EQ(pages.size(), 5u);
    const auto other = report_pages(files.at("pier3-expansion-bearing.rpt"));
    EXPECT_EQ(std::vector(other.begin() + 1, other.end()),
              std::vector(pages.begin() + 1, pages.end()));
}
