// The explanation of an input file: every field as the program reads it, and
// the marks on probable slips, each with what the run will do.
#include "driver/explain.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "driver/input_records.h"
#include "memory_files.h"
#include "test_support.h"

namespace bearingpad {
namespace {

namespace fs = std::filesystem;
using test_support::read_file;

// The records of examples/analysis.dat, which nothing marks.
const std::string kTitle = "    0101ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS";
const std::string kPad = " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747";
const std::string kBeam = "    100.0   80.0  40.0 20.0    1.0  .5 .25";

// A record with text put at a column (counted from 1), blanks added as needed.
std::string put(std::string record, int column, const std::string& text) {
    const auto at = static_cast<std::size_t>(column - 1);
    if (record.size() < at + text.size()) record.resize(at + text.size(), ' ');
    record.replace(at, text.size(), text);
    return record;
}

Explanation explain(const std::string& data) {
    MemoryFileAccess files;
    files.files["/work/in.dat"] = data;
    return explain_input(*files.open_input("/work/in.dat"));
}

std::string text_of(const Explanation& e) {
    std::ostringstream out;
    write_explanation(e, out);
    return out.str();
}

// The mark lines of the printed explanation, without their CR LF.
std::vector<std::string> mark_lines(const Explanation& e) {
    std::istringstream in(text_of(e));
    std::vector<std::string> lines;
    bool in_marks = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "MARKS") {
            in_marks = true;
        } else if (in_marks) {
            lines.push_back(line);
        }
    }
    if (!lines.empty()) lines.pop_back();  // the count
    return lines;
}

TEST(Explain, AShippedExampleFieldByFieldAsTheGoldenText) {
    const std::string input = read_file(fs::path(BEARINGPAD_SOURCE_DIR) / "examples/analysis.dat");
    const Explanation e = explain(input);
    EXPECT_EQ(text_of(e),
              read_file(fs::path(BEARINGPAD_SOURCE_DIR) / "tests/data/explain_analysis.txt"));
    EXPECT_EQ(mark_count(e), 0);
    EXPECT_EQ(e.mode, "analysis");
}

TEST(Explain, ValuesAndDefaultsAreTheProgramsReadings) {
    // A design with only a mode character: the design starting values and
    // the defaults of the blank fields; the thickness starts at 0.50001.
    const Explanation e = explain(kTitle + "\n" + " \n" + kBeam + "\n");
    std::map<std::string, std::string> defaults;
    for (const ExplainedField& f : e.fields)
        if (f.default_applied) defaults[f.name] = f.default_text;
    const std::map<std::string, std::string> expected = {{"width", "1.0 in"},
                                                         {"length", "1.0 in"},
                                                         {"thickness", "0.50001 in"},
                                                         {"hole_count_character", "1"},
                                                         {"diameter_of_hole", "3.0 in"},
                                                         {"cover_thickness", "0.25 in"},
                                                         {"side_cover", "0.25 in"},
                                                         {"load_plate_thickness", "0.1875 in"},
                                                         {"internal_plate_thickness", "0.0747 in"}};
    EXPECT_EQ(defaults, expected);

    // In an analysis no dimension gets a default; 0.1 is no longer blank in a
    // design, 0.09 is; -1.0 keeps its sign; the shortest decimal of the float.
    const Explanation a =
        explain(kTitle + "\n" + put(put(kPad, 4, "  0.09"), 25, " -1.0") + "\n" + kBeam + "\n");
    const Explanation d =
        explain(kTitle + "\n" + put(put(put(kPad, 2, " "), 4, "   0.1"), 10, "  0.09") + "\n" +
                kBeam + "\n");
    EXPECT_EQ(a.fields[4].value, "0.09 in");
    EXPECT_FALSE(a.fields[4].default_applied);
    EXPECT_EQ(a.fields[8].value, "-1.0 in");
    EXPECT_FALSE(a.fields[8].default_applied);
    EXPECT_FALSE(d.fields[4].default_applied);
    EXPECT_TRUE(d.fields[5].default_applied);
    EXPECT_EQ(d.fields[4].number, 0.1f);
}

TEST(Explain, TheNumbersAreThoseTheReadersPutInTheProblemRecord) {
    for (const char* name : {"examples/design.dat", "examples/two-holes.dat"}) {
        SCOPED_TRACE(name);
        const std::string input = read_file(fs::path(BEARINGPAD_SOURCE_DIR) / name);
        MemoryFileAccess files;
        files.files["/work/in.dat"] = input;
        const std::unique_ptr<InputFile> file = files.open_input("/work/in.dat");
        InputRecords in(*file, "/work/in.dat");
        ProblemRecord p;
        ASSERT_EQ(read_title_record(in, p), ReadResult::done);
        ASSERT_EQ(read_pad_record(in, p), ReadResult::done);
        read_beam_record(in, p);
        const std::vector<float> read = {p.width,
                                         p.length,
                                         p.thickness,
                                         p.diameter_of_hole,
                                         p.cover_thickness,
                                         p.side_cover,
                                         p.load_plate_thickness,
                                         static_cast<float>(p.internal_plate_count),
                                         p.internal_plate_thickness,
                                         p.distance_to_fixity,
                                         p.design_span,
                                         p.dead_load,
                                         p.live_load,
                                         p.camber,
                                         p.dead_load_deflection,
                                         p.live_load_deflection};
        std::vector<float> explained;
        for (const ExplainedField& f : explain(input).fields)
            if (f.has_number) explained.push_back(f.number);
        EXPECT_EQ(explained, read);
    }
}

struct SlipCase {
    const char* name;
    std::string input;
    std::vector<std::string> marks;
};

TEST(Explain, EachSlipIsMarkedWithWhatTheRunDoes) {
    const std::string beam = kBeam + "\n";
    const std::vector<SlipCase> cases = {
        {"width without a point",
         kTitle + "\n" + put(kPad, 4, "    14") + "\n" + beam,
         {"pad    4-9   '14' typed without a point: read as 0.0014 in (the last 4 digits are "
          "decimals)"}},
        {"dead load without a point",
         kTitle + "\n" + kPad + "\n" + put(kBeam, 17, "   120") + "\n",
         {"beam   17-22 '120' typed without a point: read as 0.12 K (the last 3 digits are "
          "decimals)"}},
        {"a load of 1000 K without a point",
         kTitle + "\n" + kPad + "\n" + put(kBeam, 24, "  1000") + "\n",
         {"beam   24-29 '1000' typed without a point: read as 1.0 K (the last 3 digits are "
          "decimals)"}},
        {"thickness with fewer digits than decimals",
         kTitle + "\n" + put(kPad, 16, "75    ") + "\n" + beam,
         {"pad    16-21 '75' typed without a point: read as 0.0075 in (the last 4 digits are "
          "decimals)"}},
        {"implied decimals typed in full are not marked",
         "        ROUTE 9\n" +
             put(put(put(put(put(put("", 4, "222500170000"), 24, "0"), 25, "27500"), 44, "1"), 59,
                     "1046"),
                 64, " ") +
             "\n C  250001440000204380  71860 0.750600 340\n",
         {}},
        {"a tab in a number",
         kTitle + "\n" + put(kPad, 5, "\t") + "\n" + beam,
         {"pad    4-9   '?12.0' is not a number: the run ends with input conversion error 64",
          "pad    5     a tab in the width, which cannot be read: one column, not the blanks an "
          "editor shows"}},
        {"bytes outside printable ASCII in the title",
         put(kTitle, 30, "\xC3\xA9") + "\n" + kPad + "\n" + beam,
         {"title  30-31 byte C3 A9 (not printable ASCII) in the title, printed as it is"}},
        {"a CR inside a record",
         kTitle + "\n" + kPad + "\n" + put(kBeam, 45, "\rx") + "\n",
         {"beam   45    byte 0D (not printable ASCII) in a column that is not read",
          "beam   46    'x' in column 46, which no field reads: ignored"}},
        {"a byte order mark is skipped, not marked",
         "\xEF\xBB\xBF" + kTitle + "\n" + kPad + "\n" + beam,
         {}},
        {"a hole count one column early",
         kTitle + "\n" + put(kPad, 23, "2 ") + "\n" + beam,
         {"pad    23    '2' in column 23, which no field reads: ignored"}},
        {"a problem number in the columns not used",
         "0101" + kTitle.substr(4) + "\n" + kPad + "\n" + beam,
         {"title  1-4   '0101' in columns 1-4, which the title record does not use: ignored"}},
        {"a note after the last field",
         kTitle + "\n" + put(kPad, 66, "note") + "\n" + beam,
         {"pad    66-69 'note' in columns 66-69, which no field reads: ignored"}},
        {"a record over 80 columns",
         kTitle + "\n" + kPad + "\n" + put(kBeam, 85, "x") + "\n",
         {"beam   81-85 the record runs to column 85: columns 81-85 are not read"}},
        {"trailing blanks past column 80 are harmless",
         kTitle + "\n" + kPad + std::string(30, ' ') + "\n" + beam,
         {}},
        {"no record at all", "", {"title        no record at all: the report is empty"}},
        {"no pad record",
         kTitle + "\n",
         {"pad          no pad record (nor beam record): the report holds the banner and title "
          "only"}},
        {"no beam record",
         kTitle + "\n" + kPad + "\n",
         {"beam         no beam record: the run ends with failure 24 (end-of-file during read) "
          "after the pad echo"}},
        {"a dead load too wide for the echo",
         kTitle + "\n" + kPad + "\n" + put(kBeam, 17, "1000.0") + "\n",
         {"beam   17-22 1000.0 K does not fit the echo's F7.3: it shows as *******"}},
        {"a negative cover too wide for the echo",
         kTitle + "\n" + put(kPad, 30, " -.25") + "\n" + beam,
         {"pad    30-34 -0.25 in does not fit the echo's F5.4: it shows as *****"}},
        {"switch characters in lower case",
         kTitle + "\n" + put(put(kPad, 2, "a"), 3, "b") + "\n" + put(kBeam, 2, "s") + "\n",
         {"pad    2     lower-case a: a design, not an analysis (only A is an analysis)",
          "pad    3     lower-case b: properties from the plate dimensions (only B takes the "
          "bearing dimensions)",
          "beam   2     lower-case s: a concrete beam (only S is a steel beam)"}},
        {"a comma in a number and a letter for the internal plates",
         kTitle + "\n" + put(put(kPad, 4, "  12,0"), 56, "x") + "\n" + beam,
         {"pad    4-9   '12,0' is not a number: the run ends with input conversion error 64",
          "pad    56    'x' is not a number: the run ends with input conversion error 64"}},
        {"a hole count of 5 and a load plate count of 3",
         kTitle + "\n" + put(put(kPad, 24, "5"), 44, "3") + "\n" + beam,
         {"pad    24    '5' is not blank or 0 to 4: the problem is rejected, NUMBER OF HOLES CAN "
          "NOT BE GREATER THAN 4",
          "pad    44    '3' is not blank or 0 to 2: rejected (after the hole count)"}},
        {"a load plate count of 3 and no beam record",
         kTitle + "\n" + put(kPad, 44, "3") + "\n",
         {"pad    44    '3' is not blank or 0 to 2: the problem is rejected, NUMBER OF LOAD "
          "PLATES CAN NOT BE GREATER THAN 2",
          "beam         no beam record (the run does not get to it)"}},
        {"internal plates with one load plate in an analysis",
         kTitle + "\n" + put(kPad, 44, "1") + "\n" + beam,
         {"pad    56    1 internal plate with 1 load plate: the problem is rejected, NUMBER OF "
          "INTERNAL PLATE(S) MOST EQUAL 0, WHEN THE NUMBER OF LOAD PLATES IS LESS THAN 2"}},
        {"internal plates without load plates in a design",
         kTitle + "\n" + put(put(put(kPad, 2, " "), 44, " "), 56, "3") + "\n" + beam,
         {"pad    56    3 internal plates with 0 load plates: set to 0 (a design has them only "
          "between two load plates)"}},
        {"a blank length in an analysis",
         kTitle + "\n" + put(kPad, 10, "      ") + "\n" + beam,
         {"pad    10-15 length 0 in an analysis: no default applies, the report is "
          "meaningless"}},
    };
    for (const SlipCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Explanation e = explain(c.input);
        EXPECT_EQ(mark_lines(e), c.marks);
        EXPECT_EQ(mark_count(e), static_cast<int>(c.marks.size()));
    }
}

TEST(Explain, TheRecordsUnderTheRulerAndNoFourthRead) {
    const Explanation e =
        explain("\xEF\xBB\xBF" + kTitle + "\n" + put(kPad, 5, "\t") + "\n" + kBeam + "\nfourth\n");
    EXPECT_TRUE(e.byte_order_mark_skipped);
    EXPECT_EQ(e.records[0].text, kTitle);
    const std::string text = text_of(e);
    EXPECT_NE(text.find("\r\n       12345678901234567890123456789012345678901234567890123456789012"
                        "345678901234567890\r\ntitle      0101ROUTE 9"),
              std::string::npos);
    EXPECT_NE(text.find("\r\npad     A  ?12.0   9.0"), std::string::npos);
    EXPECT_NE(text.find("\r\nA UTF-8 byte order mark before the title record is skipped.\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("fourth"), std::string::npos);
}

TEST(Explain, TheReadmeShowsTheTextOfTheMostCommonSlip) {
    // README.md, "Checking an input": analysis.dat with the width typed 14.
    const Explanation e = explain(kTitle + "\n" + put(kPad, 4, "    14") + "\n" + kBeam + "\n");
    std::istringstream in(text_of(e));
    std::string indented;
    for (std::string line; std::getline(in, line);) {
        line.pop_back();  // the CR
        indented += (line.empty() ? "" : "    ") + line + "\n";
    }
    const std::string readme = read_file(fs::path(BEARINGPAD_SOURCE_DIR) / "README.md");
    EXPECT_NE(readme.find("    bearingpad --explain pier3.dat\n"), std::string::npos);
    EXPECT_NE(readme.find(indented), std::string::npos) << indented;
}

class RefusingFile : public InputFile {
  public:
    std::optional<std::string> read_record() override {
        if (records_++ == 0) return kTitle;
        throw RunTimeFailure{failure_read, input_unit, "/work/in.dat"};
    }

  private:
    int records_ = 0;
};

TEST(Explain, ARefusedReadFailsAsInTheRun) {
    RefusingFile file;
    try {
        explain_input(file);
        FAIL() << "no failure";
    } catch (const RunTimeFailure& f) {
        EXPECT_EQ(f.number, failure_read);
    }
}

}  // namespace
}  // namespace bearingpad
