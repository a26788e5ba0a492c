// A problem's files as one set, in-process: a fault at any step of the set
// leaves every name as it was and the line tells which; a name taken
// meanwhile is replaced with -y only; the renames happen with the
// interruptions held; the console's refusals are failures; the outputs'
// table gives the usage and the files.
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
// The hole count 5 rejects the problem: a report, no drawing.
const std::string kRejected = "    0102\n A   12.0   9.0   2.0  5\n";

std::map<std::string, std::string> old_set(const std::string& stem) {
    return {{"/work/" + stem + ".rpt", "old report"},
            {"/work/" + stem + ".json", "old json"},
            {"/work/" + stem + ".svg", "old drawing"}};
}

// F1, F2, F3: every step of the set refused in turn, over an old set and
// over none; nothing is renamed, or what was is put back.
TEST(FileSets, AFaultAtAnyStepLeavesEveryName) {
    struct Case {
        const char* name;
        std::string input;
        std::function<void(MemoryFileAccess&)> fault;
        bool old;  // an old set beside the input
        int status;
        std::string err;
    };
    const std::string a_old =
        "a.dat: a.rpt not replaced, a.json not replaced, a.svg not replaced: ";
    const std::string a_new = "a.dat: a.rpt not written, a.json not written, a.svg not written: ";
    const std::string write38 = "bpio: severe (38): error during write, unit 6, file /work/";
    // clang-format off
    const Case cases[] = {
        {"the drawing's rename, last", kProblem,
         [](MemoryFileAccess& fs) { fs.refuse_rename_to.insert("/work/a.svg"); }, true, 38,
         a_old + write38 + "a.svg\r\n"},
        {"the drawing's rename, new set", kProblem,
         [](MemoryFileAccess& fs) { fs.refuse_rename_to.insert("/work/a.svg"); }, false, 38,
         a_new + write38 + "a.svg\r\n"},
        {"the JSON's rename", kProblem,
         [](MemoryFileAccess& fs) { fs.refuse_rename_to.insert("/work/a.json"); }, true, 38,
         a_old + write38 + "a.json\r\n"},
        {"the old drawing kept aside", kProblem,
         [](MemoryFileAccess& fs) { fs.refuse_set_aside.insert("/work/a.svg"); }, true, 9,
         a_old + "bpio: severe (9): permission to access file denied, unit 6, file /work/a.svg\r\n"},
        {"the JSON refused at its open", kProblem,
         [](MemoryFileAccess& fs) { fs.access_denied.insert("/work/a.json"); }, true, 9,
         "a.dat: a.rpt not replaced, a.json not replaced: bpio: severe (9): permission to access "
         "file denied, unit 6, file /work/a.json\r\n"},
        {"a folder named as the JSON", kProblem,
         [](MemoryFileAccess& fs) { fs.files.erase("/work/a.json"); fs.directories.insert("/work/a.json"); },
         true, 30,
         "a.dat: a.rpt not replaced, a.json not replaced: bpio: severe (30): open failure, unit 6, "
         "file /work/a.json\r\n"},
        {"the flush to the disk", kProblem,
         [](MemoryFileAccess& fs) { fs.refuse_sync = true; }, true, 38, a_old + write38 + "a.rpt\r\n"},
        {"an old drawing that cannot be taken away", kRejected,
         [](MemoryFileAccess& fs) { fs.refuse_set_aside.insert("/work/a.svg"); }, true, 9,
         "a.dat: a.rpt not replaced, a.json not replaced, a.svg not removed: bpio: severe (9): "
         "permission to access file denied, unit 6, file /work/a.svg\r\n"},
        {"a folder named as the old drawing", kRejected,
         [](MemoryFileAccess& fs) { fs.files.erase("/work/a.svg"); fs.directories.insert("/work/a.svg"); },
         true, 30,
         "a.dat: a.rpt not replaced, a.json not replaced, a.svg not removed: bpio: severe (30): "
         "open failure, unit 6, file /work/a.svg\r\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        if (c.old) fs.files = old_set("a");
        fs.files["/work/a.dat"] = c.input;
        c.fault(fs);
        const std::map<std::string, std::string> before = fs.files;
        const Outcome r = run_command_line_in_process(fs, {"-y", "--json", "--drawing", "a.dat"});
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
        EXPECT_EQ(fs.files, before) << c.name;  // no name changed, no temporary left
        EXPECT_EQ(fs.renames_not_held, 0) << c.name;
    }
}

// The same faults after an earlier problem in the same group: it is put in
// place whole, and its line comes first.
TEST(FileSets, AFailedSetLeavesTheOthersOfItsGroup) {
    MemoryFileAccess fs;
    fs.files = old_set("b");
    fs.files["/work/a.dat"] = kProblem;
    fs.files["/work/b.dat"] = kProblem;
    fs.files["/work/c.dat"] = kRejected;
    fs.files["/work/c.svg"] = "old drawing";
    fs.refuse_rename_to.insert("/work/b.svg");
    const Outcome r =
        run_command_line_in_process(fs, {"-y", "--json", "--drawing", "a.dat", "b.dat", "c.dat"});
    EXPECT_EQ(r.status, 38);
    EXPECT_EQ(r.out,
              "a.dat: a.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211; drawing a.svg\r\n"
              "c.dat: c.rpt rejected: NUMBER OF HOLES CAN NOT BE GREATER THAN 4; c.svg removed: "
              "no bearing to draw\r\n");
    EXPECT_EQ(r.err,
              "b.dat: b.rpt not replaced, b.json not replaced, b.svg not replaced: bpio: severe "
              "(38): error during write, unit 6, file /work/b.svg\r\n");
    for (const auto& [name, bytes] : old_set("b")) EXPECT_EQ(fs.files[name], bytes) << name;
    EXPECT_EQ(fs.files.count("/work/c.svg"), 0u);
    EXPECT_EQ(fs.files["/work/a.json"].substr(0, 1), "{");
    EXPECT_EQ(fs.files.size(), 11u);  // 3 inputs, a's 3, b's old 3, c.rpt and c.json
}

// F7: a name that another run takes between the test and the rename is
// replaced with -y, and refused (10) without it.
TEST(FileSets, ANameTakenMeanwhile) {
    struct Case {
        std::vector<std::string> args;
        int status;
        bool replaced;
        std::string err;
    };
    const Case cases[] = {
        {{"-y", "a.dat"}, 0, true, ""},
        {{"-y", "--json", "a.dat"}, 0, true, ""},
        {{"a.dat"},
         10,
         false,
         "a.dat: a.rpt not written: bpio: severe (10): cannot overwrite existing file, unit 6, "
         "file /work/a.rpt\r\n"},
    };
    for (const Case& c : cases) {
        MemoryFileAccess fs;
        fs.files["/work/a.dat"] = kProblem;
        fs.appear_at_create["/work/a.rpt"] = "the other run's report";
        const Outcome r = run_command_line_in_process(fs, c.args);
        EXPECT_EQ(r.status, c.status) << c.args.size();
        EXPECT_EQ(r.err, c.err) << c.args.size();
        EXPECT_EQ(fs.files["/work/a.rpt"] == "the other run's report", !c.replaced)
            << c.args.size();
        // The input, the report and the JSON asked: no temporary left.
        EXPECT_EQ(fs.files.size(), c.args.size() == 3 ? 3u : 2u) << c.args.size();
    }
}

// Standard output that refuses every byte, as /dev/full does.
class RefusingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// F5: --help and --version whose text is refused.
TEST(FileSets, RefusedHelpAndVersion) {
    for (const char* option : {"--help", "--version"}) {
        MemoryFileAccess fs;
        RefusingBuffer refusing;
        std::ostream out(&refusing);
        const Outcome r = run_command_line_in_process(fs, {option}, &out);
        EXPECT_EQ(r.status, 38) << option;
        EXPECT_EQ(r.err, "bpio: severe (38): error during write, unit 4, file CON\r\n") << option;
    }
}

// The outputs' table: the usage names each option, and each option writes a
// file of its extension beside the report of a solved problem; a problem
// solved in a group larger than one group still gets every file and its line
// in order.
TEST(FileSets, OutputsTable) {
    const std::string usage = usage_line();
    std::vector<std::string> args = {"-y"};
    ASSERT_EQ(output_rows().front().extension, ".rpt");
    for (const OutputRow& row : output_rows().subspan(1)) {
        EXPECT_NE(usage.find("[" + std::string(row.option) + "]"), std::string::npos) << usage;
        args.push_back(std::string(row.option));
    }
    MemoryFileAccess fs;
    std::string lines;
    for (int i = 0; i < 70; ++i) {
        const std::string stem = "p" + std::to_string(100 + i);
        fs.files["/work/" + stem + ".dat"] = kProblem;
        args.push_back(stem + ".dat");
        lines.append(stem).append(".dat: ").append(stem);
        lines.append(
            ".rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
            "working loads governs at 1.211; drawing ");
        lines.append(stem).append(".svg\r\n");
    }
    const Outcome r = run_command_line_in_process(fs, args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, lines);
    EXPECT_EQ(fs.files.size(), 70u * (1 + output_rows().size()));
    for (const OutputRow& row : output_rows()) {
        EXPECT_EQ(fs.files.count("/work/p169" + std::string(row.extension)), 1u) << row.extension;
    }
}

}  // namespace
}  // namespace bearingpad
