// The table of bearings: each refusal with its reason while the other rows
// are read, the records of a row as typed by hand, the fields' texts, the
// file names of marks, and --table and --to-table run in-process.
#include "driver/bearing_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "memory_files.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using namespace test_support;

const std::string kHeader = "mark,problem_number,title,mode,width,dead_load\r\n";

TEST(BearingTable, RefusedOrReadWithTheOtherRowsUnharmed) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string refused;               // the whole table
        std::vector<std::string> reasons;  // of refused rows
        std::vector<std::string> marks;    // of rows read
    };
    // clang-format off
    const Case cases[] = {
        {"misspelled header", "mark,dead_lod\r\nA1,40\r\n",
         "`dead_lod`: no such column; did you mean `dead_load`?", {}, {}},
        {"value too long", kHeader + "A1,0101,T,analysis,12,40\r\nA2,0102,T,analysis,12,123456.7\r\n",
         "", {"row 3, `dead_load` = 123456.7: at most 99999 K, the width of columns 17 to 22"},
         {"A1"}},
        {"too many decimals", kHeader + "A1,0101,T,analysis,123.456,40\r\nA2,,,,,\r\n", "",
         {"row 2, `width` = 123.456: at most 2 decimals at 123 in, the width of columns 4 to 9"},
         {"A2"}},
        {"title too long", kHeader + "A1,0101," + std::string(73, 'X') + ",,,\r\nA2,,,,,\r\n", "",
         {"row 2, `title` = " + std::string(73, 'X') +
          ": at most 72 characters, the width of columns 9 to 80"}, {"A2"}},
        {"count out of range", "mark,number_of_holes,quantity\r\nA1,12,1\r\nA2,4,0\r\nA3,5,2\r\n", "",
         {"row 2, `number_of_holes` = 12: a count of one character (column 24): blank, or 0 to 4",
          "row 3, `quantity` = 0: a count of bearings, 1 to 9999"},
         {"A3"}},  // 5 holes fit column 24: the problem is rejected in its report
        {"mode not a word", kHeader + "A1,,,anlysis,,\r\nA2,,,Analysis,,\r\n", "",
         {"row 2, `mode` = anlysis: analysis or design, or one character for column 2"}, {"A2"}},
        {"duplicate mark", kHeader + "A1,,,,,\r\nB1,,,,,\r\na1,,,,,\r\n", "",
         {"row 4: a1.dat is written from row 2, not written"}, {"A1", "B1"}},
        {"empty table", "", "the table is empty: no header row", {}, {}},
        {"header only", kHeader, "no bearing rows under the header", {}, {}},
        {"ragged row", kHeader + "A1,,,,\r\nA2,,,,,,,\r\nA3,,,,,\r\n", "",
         {"row 2: 5 cells, the header has 6"}, {"A2", "A3"}},  // empty cells past the header
        {"line break in a quoted title", kHeader + "A1,,\"ONE\r\nTWO\",,,\r\nA2,,\"A, \"\"B\"\"\",,,\r\n",
         "", {"row 2, `title` = ONE  TWO: a line break; the title is one line of columns 9 to 80"},
         {"A2"}},
        {"line break in a location", "mark,location\nA1,\"PIER 1\nGIRDER 2\"\nA2,x\n", "", {},
         {"A1", "A2"}},
        {"quote never closed", kHeader + "A1,,\"T,,,\r\n", "row 2: a quote is never closed", {},
         {}},
        {"byte order mark", "\xEF\xBB\xBF" + kHeader + "A1,,,,,\r\n", "", {}, {"A1"}},
        {"TAB-separated", "Mark\tDead Load\tLIVE_LOAD\nA1\t40\t20\nA2\t\t\n", "", {}, {"A1", "A2"}},
        {"another encoding", kHeader + "A1,,PI\xC8" "CE,,,\r\n",
         "line 2: not UTF-8 (another encoding): save the table as CSV UTF-8", {}, {}},
        {"UTF-16", "\xFF\xFEm\0", "the table is UTF-16: save it as CSV UTF-8 (or TAB-separated UTF-8)",
         {}, {}},
        {"semicolons", "mark;dead_load\r\nA1;40\r\n",
         "the columns are separated by ';': save the table as CSV (commas) or TAB-separated", {}, {}},
        {"an output column of the schedule", "mark,outcome,governing_ratio\r\nA1,solved,0.5\r\n", "",
         {}, {"A1"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const BearingTable t = read_bearing_table(c.bytes, "bridge");
        EXPECT_EQ(t.refused, c.refused) << c.name;
        std::vector<std::string> reasons, marks;
        for (const RowRefusal& r : t.refusals) reasons.push_back(r.reason);
        for (const TableRow& r : t.rows) marks.push_back(r.mark);
        EXPECT_EQ(reasons, c.reasons) << c.name;
        EXPECT_EQ(marks, c.marks) << c.name;
    }
}

// A row typed by hand into its columns: every value right-justified with its
// point, blank columns where a field is not given.
TEST(BearingTable, RowRecordsAsTyped) {
    const BearingTable t = read_bearing_table(
        "Mark,Location,Quantity,Problem Number,Title,Mode,Dimension Basis,Width,Length,"
        "Thickness,Number of Holes,Cover Thickness,Load Plate Count,Load Plate Thickness,"
        "Internal Plate Count,Internal Plate Thickness,Beam Type,Distance to Fixity,"
        "Design Span,Dead Load,Live Load,Camber,Dead Load Deflection,Live Load Deflection\n"
        "P1-G3,\"PIER 1, GIRDER 3\",2,0101,ROUTE 9,analysis,bearing,12,9.0,2,1,.25,2,0.25,1,"
        "0.0747,steel,100,80,40,20.5,1,.5,0.25\n",
        "bridge");
    ASSERT_EQ(t.rows.size(), 1u);
    const TableRow& r = t.rows[0];
    EXPECT_EQ(r.row, 2);
    EXPECT_EQ(r.location, "PIER 1, GIRDER 3");
    EXPECT_EQ(r.quantity, 2);
    EXPECT_EQ(r.stem, "P1-G3");
    //                             1         2         3         4         5         6
    //                    123456789012345678901234567890123456789012345678901234567890123
    EXPECT_EQ(r.records[0], "    0101ROUTE 9");
    EXPECT_EQ(r.records[1], " AB   12.    9.    2.  1      0.25         2 0.25      1  .0747");
    EXPECT_EQ(r.records[2], " S   100.    80.   40.   20.5   1. 0.5 .25");
}

// The cells kept for the page, refused rows too, each with the row a
// spreadsheet shows (a quoted line break stays inside its row).
TEST(BearingTable, CellsKeptWithTheirRows) {
    const BearingTable t = read_bearing_table(
        kHeader + "A1,1,\"TWO\nLINES\",analysis,12,40\r\nA2,2,T,analysis,12,123456.7\r\n", "b");
    ASSERT_EQ(t.cells.size(), 3u);
    EXPECT_EQ(t.cells[0].row, 1);
    EXPECT_EQ(t.cells[0].cells.size(), 6u);
    EXPECT_EQ(t.cells[1].cells[2], "TWO\nLINES");
    EXPECT_EQ(t.cells[2].row, 3);
    EXPECT_EQ(t.cells[2].cells[5], "123456.7");
    ASSERT_EQ(t.refusals.size(), 2u);  // the title's line break, the load too long
    EXPECT_EQ(t.refusals[1].row, 3);
    EXPECT_TRUE(read_bearing_table("", "b").cells.empty());
}

TEST(BearingTable, FieldTexts) {
    struct Case {
        const char* cell;
        const InputField& f;
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {"12", field::width, "   12.", ""},
        {"+12.50", field::width, "  12.5", ""},
        {".25", field::cover_thickness, " 0.25", ""},
        {"0.0747", field::internal_plate_thickness, ".0747", ""},
        {"-0.5", field::camber, " -0.5", ""},
        {"-.25", field::dead_load_deflection, "-.25", ""},
        {"1e-6", field::side_cover, "", "at most 4 decimals, the width of columns 35 to 39"},
        {"1E5", field::dead_load, "", "at most 99999 K, the width of columns 17 to 22"},
        {"2.5E+1", field::width, "   25.", ""},
        {"99999", field::dead_load, "99999.", ""},
        {"-9999", field::dead_load, "-9999.", ""},
        {"-10000", field::dead_load, "", "at least -9999 K, the width of columns 17 to 22"},
        {"31.2345", field::width, "", "at most 3 decimals at 31 in, the width of columns 4 to 9"},
        {"0.00001", field::side_cover, "", "at most 4 decimals, the width of columns 35 to 39"},
        {"12,5", field::width, "", "not a number"},
        {"1 2", field::width, "", "not a number"},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_EQ(field_text(c.cell, c.f, reason), c.text) << c.cell;
        EXPECT_EQ(reason, c.reason) << c.cell;
    }
}

TEST(BearingTable, MarkStems) {
    const std::pair<const char*, const char*> cases[] = {
        {"A1", "A1"},
        {"Pier 2 / G4", "Pier-2-G4"},
        {"../x", "x"},
        {"CON", "CON_"},
        {"con.1", "con_.1"},
        {"???", ""},
        {"\xC3\xA9t\xC3\xA9", "t"},
        {"B.1.", "B.1"},
    };
    for (const auto& [mark, stem] : cases) EXPECT_EQ(mark_stem(mark), stem) << mark;
}

// --table in-process: each accepted row's .dat gives the report that file
// gives alone; a refused row writes nothing; existing files refuse their
// rows without -y; --to-table of the files reads back to the same files.
TEST(BearingTable, CommandLine) {
    const std::string table =
        "mark,title,mode,width,length,thickness,number_of_holes,load_plate_count,"
        "distance_to_fixity,design_span,dead_load,live_load,camber\r\n"
        "A1,ABUTMENT 1,analysis,12,9,2,0,2,100,80,40,20,1\r\n"
        ",NO MARK,design,,,,0,,50,80,60,30,0.5\r\n"
        "A3,TOO HEAVY,analysis,12,9,2,0,2,100,80,123456.7,20,1\r\n";
    MemoryFileAccess fs;
    fs.files["/work/jobs/bridge.csv"] = table;
    const Outcome r = run_command_line_in_process(fs, {"--table", "jobs/bridge.csv"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err,
              "jobs/bridge.csv: row 4, `dead_load` = 123456.7: at most 99999 K, the width of "
              "columns 17 to 22\r\n");
    EXPECT_EQ(fs.files.size(), 5u);
    for (const char* stem : {"A1", "bridge-3"}) {
        const std::string dat = fs.files["/work/jobs/" + std::string(stem) + ".dat"];
        MemoryFileAccess alone;
        alone.files["/work/x.dat"] = dat;
        EXPECT_EQ(run_command_line_in_process(alone, {"x.dat"}).status, 0);
        EXPECT_EQ(fs.files["/work/jobs/" + std::string(stem) + ".rpt"], alone.files["/work/x.rpt"])
            << stem;
    }
    // Again without -y: every file exists, nothing is written.
    const auto before = fs.files;
    const Outcome again = run_command_line_in_process(fs, {"--table", "jobs/bridge.csv"});
    EXPECT_EQ(again.status, 10);
    EXPECT_EQ(fs.files, before);
    // Back to a table, and from it the same input files.
    const Outcome back =
        run_command_line_in_process(fs, {"--to-table", "jobs/A1.dat", "jobs/bridge-3.dat"});
    EXPECT_EQ(back.status, 0);
    MemoryFileAccess round;
    round.files["/work/t.csv"] = back.out;
    EXPECT_EQ(run_command_line_in_process(round, {"--table", "t.csv", "--out", "o"}).status, 30);
    round.directories.insert("/work/o");
    EXPECT_EQ(run_command_line_in_process(round, {"--table", "t.csv"}).status, 0);
    EXPECT_EQ(round.files["/work/A1.dat"], before.at("/work/jobs/A1.dat"));
    EXPECT_EQ(round.files["/work/bridge-3.dat"], before.at("/work/jobs/bridge-3.dat"));
}

// The options of a table run that do not go together, each refused before
// anything is read or written; a table that does not exist.
TEST(BearingTable, Options) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;  // its first line
    };
    const Case cases[] = {
        {{"--table"}, 2, "bearingpad: --table takes one table and no input files"},
        {{"--table", "t.csv", "a.dat"},
         2,
         "bearingpad: --table takes one table and no input files"},
        {{"--to-table", "--json", "a.dat"}, 2, "bearingpad: --to-table writes the table alone"},
        {{"--types", "a.dat"}, 2, "bearingpad: --types and --out go with --table"},
        {{"--out", "o", "a.dat"}, 2, "bearingpad: --types and --out go with --table"},
        {{"--table=t.csv", "--types", "--schedule"},
         2,
         "bearingpad: --schedule and --types cannot both go to standard output"},
        {{"--explain", "--table", "t.csv"},
         2,
         "bearingpad: --explain takes input files, not a table"},
        {{"--to-table"}, 2, "bearingpad: no input file named"},
        {{"--table", "none.csv"},
         29,
         "bpio: severe (29): file not found, unit 5, file /work/none.csv"},
    };
    for (const Case& c : cases) {
        MemoryFileAccess files;
        const Outcome r = run_command_line_in_process(files, c.args);
        EXPECT_EQ(r.status, c.status) << c.args.front();
        EXPECT_EQ(r.err.substr(0, r.err.find("\r\n")), c.err) << c.args.front();
        EXPECT_TRUE(files.files.empty());
    }
}

// The bridge of examples/bridge.csv, two abutments and two piers under six
// girders: 24 bearings of four types (the outer and inner girders at the
// abutments, at the piers), the types' sheet checked by hand against page 5
// of the reports (tests/data/bridge_types.csv).
TEST(BearingTable, BridgeTypes) {
    const std::filesystem::path source(BEARINGPAD_SOURCE_DIR);
    MemoryFileAccess files;
    files.files["/work/bridge.csv"] = read_file(source / "examples" / "bridge.csv");
    const Outcome r = run_command_line_in_process(files, {"--table", "bridge.csv", "--types"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, read_file(source / "tests" / "data" / "bridge_types.csv"));
    EXPECT_EQ(files.files.size(), 1u + 24 * 2);
}

}  // namespace
}  // namespace bearingpad
