// Whole runs in-process: console dialogue, files, the ends of a run and the
// report lines the driver writes itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "driver/run.h"
#include "memory_files.h"
#include "report/input_echo.h"
#include "report/messages.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using namespace test_support;

const std::string kDir = "/work";
const std::string kPrompts = " ENTER INPUT FILE NAME: ENTER OUTPUT FILE NAME:";
const std::string kQuestion =
    " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) \r\n";

const std::string kTitle = "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\n";
const std::string kPadRejected =
    " A   14.0  10.02.5747  5  1.5 0.25 0.25    2 0.25      1  .0747\n";
const std::string kPad = " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n";
const std::string kBeam = "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// Banner and title of a run on the fixed clock.
std::string banner(const std::string& number, const std::string& title72) {
    return expected_banner("07-DEC-26", "15:15:00", number, title72);
}

const std::string kSeparator = std::string(78, '-') + "\r\n";

std::string title72(const std::string& t) {
    return t + blanks(72 - static_cast<int>(t.size()));
}

TEST(Dialogue, RejectedProblemReportByteForByte) {
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = kTitle + kPadRejected + kBeam;
    const Outcome o = run_in_process(fs, "in.dat\nout.rpt\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, kPrompts);
    EXPECT_EQ(o.err, "");
    const std::string expected =
        banner("0001", title72("ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS")) + kSeparator +
        blanks(29) + "THIS IS AN ANALYSIS\r\n" + kSeparator + blanks(19) +
        "NUMBER OF HOLES CAN NOT BE GREATER THAN 4\r\n";
    EXPECT_EQ(fs.files[kDir + "/out.rpt"], expected);
}

TEST(Dialogue, EndsOfTheInputFile) {
    const std::string title_only =
        banner("0001", title72("ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS"));
    struct Case {
        const char* name;
        std::string input;
        std::string report;
    } cases[] = {
        {"empty input file", "", ""},
        {"title only", kTitle, title_only},
        {"title only without line end", kTitle.substr(0, kTitle.size() - 1), title_only},
        {"blank title record", "\n", banner("    ", blanks(72))},
    };
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        fs.files[kDir + "/in.dat"] = c.input;
        const Outcome o = run_in_process(fs, "in.dat\nout.rpt\n");
        EXPECT_EQ(o.status, 0) << c.name;
        EXPECT_EQ(o.out, kPrompts) << c.name;
        EXPECT_EQ(o.err, "") << c.name;
        EXPECT_EQ(fs.files[kDir + "/out.rpt"], c.report) << c.name;
    }
}

TEST(Dialogue, SecondProblemIsIgnored) {
    MemoryFileAccess one, two;
    one.files[kDir + "/in.dat"] = kTitle + kPad + kBeam;
    two.files[kDir + "/in.dat"] = kTitle + kPad + kBeam + kTitle + kPadRejected + kBeam;
    ASSERT_EQ(run_in_process(one, "in.dat\nout.rpt\n").status, 0);
    ASSERT_EQ(run_in_process(two, "in.dat\nout.rpt\n").status, 0);
    EXPECT_EQ(one.files[kDir + "/out.rpt"], two.files[kDir + "/out.rpt"]);
    EXPECT_NE(one.files[kDir + "/out.rpt"].find("PAGE 5"), std::string::npos);
}

TEST(Dialogue, CrLfInputLinesReadLikeLfLines) {
    MemoryFileAccess lf, crlf;
    lf.files[kDir + "/in.dat"] = kTitle + kPad + kBeam;
    crlf.files[kDir + "/in.dat"] = "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\r\n" +
                                   kPad.substr(0, kPad.size() - 1) + "\r\n" + kBeam;
    run_in_process(lf, "in.dat\nout.rpt\n");
    run_in_process(crlf, "in.dat\nout.rpt\n");
    EXPECT_EQ(lf.files[kDir + "/out.rpt"], crlf.files[kDir + "/out.rpt"]);
}

TEST(Dialogue, OverwriteAnswers) {
    struct Case {
        const char* answer;
        bool overwrite;
    } cases[] = {{"Y\n", true},  {"y\n", true},   {"yes\n", true}, {"Yno\n", true},
                 {"N\n", false}, {"n\n", false},  {"\n", false},   {" Y\n", false},
                 {"X\n", false}, {"\r\n", false}, {"Y", true}};
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        fs.files[kDir + "/in.dat"] = kTitle;
        fs.files[kDir + "/out.rpt"] = "old report";
        const Outcome o = run_in_process(fs, std::string("in.dat\nout.rpt\n") + c.answer);
        EXPECT_EQ(o.status, 0) << c.answer;
        EXPECT_EQ(o.err, "") << c.answer;
        if (c.overwrite) {
            EXPECT_EQ(o.out, kPrompts + kQuestion) << c.answer;
            EXPECT_EQ(fs.files[kDir + "/out.rpt"],
                      banner("0001", title72("ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS")))
                << c.answer;
        } else {
            EXPECT_EQ(o.out, kPrompts + kQuestion + " EXITING PROGRAM\r\n") << c.answer;
            EXPECT_EQ(fs.files[kDir + "/out.rpt"], "old report") << c.answer;
        }
    }
}

TEST(Dialogue, NoRecordWrittenLeavesAReopenedFileUncut) {
    // The old contents are cut at the first record written; an empty input
    // file writes none.
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = "";
    fs.files[kDir + "/out.rpt"] = "old report";
    EXPECT_EQ(run_in_process(fs, "in.dat\nout.rpt\nY\n").status, 0);
    EXPECT_EQ(fs.files[kDir + "/out.rpt"], "old report");
}

TEST(Dialogue, FileNamesAreCutAt24CharactersAndTrimmed) {
    MemoryFileAccess fs;
    const std::string long_name = "abcdefghijklmnopqrstuvwx";  // 24 characters
    fs.files[kDir + "/" + long_name] = kTitle;
    const Outcome o = run_in_process(fs, long_name + "yz-ignored\n  out.rpt   \n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_TRUE(fs.files.count(kDir + "/out.rpt"));
}

TEST(Dialogue, BlankFileNameIsAskedForAgain) {
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = kTitle;
    const Outcome o = run_in_process(fs, "   \nout.rpt\n\n  in.dat\n");
    EXPECT_EQ(o.status, 0);
    const std::string ask = "File name missing or blank - please enter file name\r\nUNIT 5? ";
    EXPECT_EQ(o.out, kPrompts + ask + ask);
    EXPECT_TRUE(fs.files.count(kDir + "/out.rpt"));

    MemoryFileAccess report_blank;
    report_blank.files[kDir + "/in.dat"] = kTitle;
    const Outcome r = run_in_process(report_blank, "in.dat\n\nnew.rpt\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kPrompts + "File name missing or blank - please enter file name\r\nUNIT 6? ");
    EXPECT_TRUE(report_blank.files.count(kDir + "/new.rpt"));
}

TEST(Failures, StandardErrorLineAndExitStatus) {
    struct Case {
        const char* name;
        std::string input;  // empty: no input file
        std::string typed;
        int status;
        std::string err;
    } cases[] = {
        {"missing input file", "", "in.dat\nout.rpt\n", 29,
         "file not found, unit 5, file /work/in.dat"},
        {"console ends before the names", "x", "in.dat\n", 24,
         "end-of-file during read, unit 4, file CON"},
        {"console ends before the answer", "x", "in.dat\nin.dat2\n", 24,
         "end-of-file during read, unit 4, file CON"},
        {"console ends at the blank-name question", "x", "\nout.rpt\n", 24,
         "end-of-file during read, unit 5, file "},
        {"beam record missing", kTitle + kPad, "in.dat\nout.rpt\n", 24,
         "end-of-file during read, unit 5, file /work/in.dat"},
        {"letter in a pad field", kTitle + " A   1x.0\n" + kBeam, "in.dat\nout.rpt\n", 64,
         "input conversion error, unit 5, file /work/in.dat"},
        {"report name is the input file", kTitle, "in.dat\nin.dat\nY\n", 10,
         "cannot overwrite existing file, unit 6, file /work/in.dat"},
    };
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        if (!c.input.empty()) fs.files[kDir + "/in.dat"] = c.input;
        fs.files[kDir + "/in.dat2"] = "exists";
        const Outcome o = run_in_process(fs, c.typed);
        EXPECT_EQ(o.status, c.status) << c.name;
        EXPECT_EQ(o.err, "bpio: severe (" + std::to_string(c.status) + "): " + c.err + "\r\n")
            << c.name;
        if (!c.input.empty()) {
            EXPECT_EQ(fs.files[kDir + "/in.dat"], c.input) << c.name;
        }
    }
}

TEST(Failures, ReportKeepsWhatWasWrittenBeforeTheFailure) {
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = kTitle + kPad;
    const Outcome o = run_in_process(fs, "in.dat\nout.rpt\n");
    EXPECT_EQ(o.status, 24);
    const std::string& report = fs.files[kDir + "/out.rpt"];
    // Banner, mode lines and pad echo, closed with the owed line feed.
    EXPECT_EQ(
        report.rfind(banner("0001", title72("ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS")), 0),
        0u);
    EXPECT_NE(report.find("**** PAD DATA ****"), std::string::npos);
    EXPECT_EQ(report.find("DESIGN DATA"), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
}

TEST(Failures, SameFileAsInputIsNeverAskedAbout) {
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = kTitle + kPad + kBeam;
    const Outcome o = run_in_process(fs, "in.dat\n/work/in.dat\nY\n");
    EXPECT_EQ(o.status, 10);
    EXPECT_EQ(o.out, kPrompts);
    EXPECT_EQ(fs.files[kDir + "/in.dat"], kTitle + kPad + kBeam);
}

TEST(EchoLines, PadAndDesignDataAsPrepared) {
    MemoryFileAccess fs;
    // Design mode, blank width and thickness, blank hole column, steel beam.
    fs.files[kDir + "/in.dat"] = kTitle + "           9.0\n" + " S   50.0   60.0 1000.   20.0\n";
    ASSERT_EQ(run_in_process(fs, "in.dat\nout.rpt\n").status, 0);
    const std::string& report = fs.files[kDir + "/out.rpt"];
    EXPECT_NE(report.find(blanks(31) + "THIS IS A DESIGN\r\n"), std::string::npos);
    // WIDTH 1.0000 (design default), LENGTH 9.0000, THICKNESS 0.5000, one hole
    // of 3.0000, covers .2500.
    EXPECT_NE(report.find("   1.0000     9.0000      0.5000         1        3.0000      .2500"
                          "     .2500\r\n"),
              std::string::npos);
    EXPECT_NE(
        report.find("         0              0.1875               0                  0.0747\r\n"),
        std::string::npos);
    // STEEL at column 8; a dead load of 1000 K does not fit real 7.3.
    EXPECT_NE(
        report.find("      STEEL       50.0000       60.0000      *******            20.000\r\n"),
        std::string::npos);
}

TEST(DateAndTime, BannerTexts) {
    std::tm t = fixed_time();
    EXPECT_EQ(date_text(t), "07-DEC-26");
    EXPECT_EQ(time_text(t), "15:15:00");
    t.tm_mday = 31;
    t.tm_mon = 0;
    t.tm_year = 100;
    t.tm_hour = 0;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(date_text(t), "31-JAN-00");
    EXPECT_EQ(time_text(t), "00:05:09");
}

}  // namespace
}  // namespace bearingpad

namespace bearingpad {
namespace {

// How each record may end. A CR that ends the last record is dropped
// whether or not an LF follows; a CR anywhere else is a character of the
// record. With the live load deflection typed in columns 39-41, a CR after
// it would be read in that field (39-42).
TEST(InputLines, RecordEndings) {
    const std::string lf = kTitle + kPad + kBeam;
    auto with = [&lf](const std::string& from, const std::string& to) {
        std::string s = lf;
        const std::size_t at = s.rfind(from);
        return s.replace(at, from.size(), to);
    };
    MemoryFileAccess reference;
    reference.files[kDir + "/in.dat"] = lf;
    ASSERT_EQ(run_in_process(reference, "in.dat\nout.rpt\n").status, 0);
    const std::string report = reference.files[kDir + "/out.rpt"];
    const std::string crlf = kTitle.substr(0, kTitle.size() - 1) + "\r\n" +
                             kPad.substr(0, kPad.size() - 1) + "\r\n" +
                             kBeam.substr(0, kBeam.size() - 1) + "\r\n";
    const std::string conversion =
        "bpio: severe (64): input conversion error, unit 5, file " + kDir + "/in.dat\r\n";
    struct Case {
        const char* name;
        std::string input;
        int status;
    };
    const Case cases[] = {
        {"LF", lf, 0},
        {"CR LF", crlf, 0},
        {"bare CR at the end of the file", with(" .25\n", ".25\r"), 0},
        {"CR CR LF at the end of the file", with(" .25\n", ".25\r\r\n"), 64},
        {"no line end", with(" .25\n", ".25"), 0},
        {"CR inside the width field", with(" A   12.0", " A  \r12.0"), 64},
    };
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        fs.files[kDir + "/in.dat"] = c.input;
        const Outcome o = run_in_process(fs, "in.dat\nout.rpt\n");
        EXPECT_EQ(o.status, c.status) << c.name;
        EXPECT_EQ(o.err, c.status == 0 ? "" : conversion) << c.name;
        const std::string& got = fs.files[kDir + "/out.rpt"];
        if (c.status == 0) {
            EXPECT_EQ(got, report) << c.name;
        } else {
            // Cut off after the last record written, with its line end.
            ASSERT_GT(got.size(), 0u) << c.name;
            EXPECT_LT(got.size(), report.size()) << c.name;
            EXPECT_EQ(got.back(), '\n') << c.name;
            EXPECT_EQ(report.compare(0, got.size() - 1, got, 0, got.size() - 1), 0) << c.name;
        }
    }
    // A title record alone, ended by a bare CR: the CR is not in the title.
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = "    0001TITLE\r";
    ASSERT_EQ(run_in_process(fs, "in.dat\nout.rpt\n").status, 0);
    EXPECT_EQ(fs.files[kDir + "/out.rpt"], banner("0001", title72("TITLE")));
}

TEST(Dialogue, VeryLongTypedLinesUseTheirFirst24Characters) {
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = kTitle;
    const Outcome o = run_in_process(fs, "in.dat" + std::string(1 << 20, ' ') + "x\nout.rpt\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(fs.files.count(kDir + "/out.rpt"));
}

}  // namespace
}  // namespace bearingpad

namespace bearingpad {
namespace {

// A UTF-8 byte order mark before the title record is not part of it: the
// problem number stays in columns 5-8. Anywhere else the three bytes are
// characters of their record.
TEST(InputLines, ByteOrderMarkBeforeTheTitle) {
    const std::string bom = "\xEF\xBB\xBF";
    MemoryFileAccess plain, marked, later;
    plain.files[kDir + "/in.dat"] = kTitle + kPad + kBeam;
    marked.files[kDir + "/in.dat"] = bom + kTitle + kPad + kBeam;
    later.files[kDir + "/in.dat"] = kTitle + bom + kPad + kBeam;
    ASSERT_EQ(run_in_process(plain, "in.dat\nout.rpt\n").status, 0);
    ASSERT_EQ(run_in_process(marked, "in.dat\nout.rpt\n").status, 0);
    EXPECT_EQ(marked.files[kDir + "/out.rpt"], plain.files[kDir + "/out.rpt"]);
    // Three columns to the right, the mode character "A" is read in the width.
    EXPECT_EQ(run_in_process(later, "in.dat\nout.rpt\n").status, 64);
}

// After the blank-name question the whole typed line is the name. A line
// longer than the console keeps (64 KiB) is never cut into a shorter name:
// here the kept part, trimmed, would be "in.dat", which exists.
TEST(Dialogue, NameLongerThanTheConsoleKeepsIsRefused) {
    MemoryFileAccess fs;
    fs.files[kDir + "/in.dat"] = kTitle + kPad + kBeam;
    const std::string line = "  in.dat" + blanks(70000) + "x";
    const Outcome o = run_in_process(fs, "\nout.rpt\n" + line + "\n");
    EXPECT_EQ(o.status, 43);
    EXPECT_EQ(o.out, kPrompts + "File name missing or blank - please enter file name\r\nUNIT 5? ");
    EXPECT_EQ(o.err, "bpio: severe (43): file name specification error, unit 5, file " + kDir +
                         "/" + line.substr(2, 64 * 1024 - 2) + "\r\n");
    EXPECT_EQ(fs.files.size(), 1u);
}

TEST(ClosingMessages, EverySlotInItsOrderAndColumns) {
    DesignFlags flags;
    for (int slot = 1; slot <= 9; ++slot) flags[slot] = 1;
    StringSink sink;
    ReportFile report(sink);
    write_closing_messages(report, flags);
    report.close();
    // Text placed at column c starts after c - 2 blanks in the file.
    const std::string expected =
        blanks(1) + "*** DESIGN NOT POSSIBLE ***\r\n" + blanks(1) +
        "*** DESIGN NOT POSSIBLE - FATIGUE CONTROLLED, LOAD PLATES NOT THICK ENOUGH ***\r\n" +
        blanks(1) +
        "*** DESIGN NOT POSSIBLE - EITHER WIDTH OR LENGTH MUST BE ENTERED FOR A DESIGN ***\r\n" +
        blanks(18) + "NUMBER OF INTERNAL PLATE(S) MOST EQUAL 0,\r\n" + blanks(16) +
        "WHEN THE NUMBER OF LOAD PLATES IS LESS THAN 2\r\n" + blanks(19) +
        "NUMBER OF HOLES CAN NOT BE GREATER THAN 4\r\n" + blanks(15) +
        "NUMBER OF LOAD PLATES CAN NOT BE GREATER THAN 2\r\n" + blanks(1) +
        "*** DESIGN NOT POSSIBLE - FATIGUE CONTROLLED, INTERNAL PLATES NOT THICK ENOUGH\r\n";
    EXPECT_EQ(sink.data, expected);
    // The same messages as the one-line texts of a command line's summary.
    EXPECT_EQ(
        closing_message_texts(flags),
        (std::vector<std::string>{
            "*** DESIGN NOT POSSIBLE ***",
            "*** DESIGN NOT POSSIBLE - FATIGUE CONTROLLED, LOAD PLATES NOT THICK ENOUGH ***",
            "*** DESIGN NOT POSSIBLE - EITHER WIDTH OR LENGTH MUST BE ENTERED FOR A DESIGN ***",
            "NUMBER OF INTERNAL PLATE(S) MOST EQUAL 0, WHEN THE NUMBER OF LOAD PLATES IS LESS "
            "THAN 2",
            "NUMBER OF HOLES CAN NOT BE GREATER THAN 4",
            "NUMBER OF LOAD PLATES CAN NOT BE GREATER THAN 2",
            "*** DESIGN NOT POSSIBLE - FATIGUE CONTROLLED, INTERNAL PLATES NOT THICK ENOUGH"}));
}

}  // namespace
}  // namespace bearingpad
