// Every input file shipped in examples/ run through the built program as a
// user runs it: each must give a complete five-page report and no closing
// message. The folder is read when the test runs, so a new example is covered
// without touching this file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace bearingpad::test_support;

std::vector<fs::path> shipped_examples() {
    std::vector<fs::path> found;
    for (const auto& e : fs::directory_iterator(fs::path(BEARINGPAD_SOURCE_DIR) / "examples")) {
        if (e.path().extension() == ".dat") found.push_back(e.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The first words of each closing message: none belongs in the report of an
// example, whether its pad data were rejected or its design was not possible.
const char* const kClosingMessages[] = {
    "*** DESIGN NOT POSSIBLE",
    "NUMBER OF INTERNAL PLATE(S) MOST EQUAL 0,",
    "NUMBER OF HOLES CAN NOT BE GREATER THAN 4",
    "NUMBER OF LOAD PLATES CAN NOT BE GREATER ",
};

// Runs one example in a scratch directory of its own; a failed assertion ends
// this example only.
void expect_complete_report(const fs::path& example) {
    const std::string name = example.filename().string();
    // The program keeps only the first 24 characters of a typed name.
    ASSERT_LE(name.size(), 24u);
    ScratchDir dir;
    fs::copy_file(example, dir.path() / name);

    const Outcome r = run_program(dir.path(), name + "\nout.rpt\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, " ENTER INPUT FILE NAME: ENTER OUTPUT FILE NAME:");

    // Pages are ejected by a form feed; each page but the last ends with its
    // footer and the CR of that line, the last with the footer and the final
    // line feed, so nothing at all follows PAGE 5.
    const std::string report = read_file(dir.path() / "out.rpt");
    const std::vector<std::string> pages = report_pages(report);
    ASSERT_EQ(pages.size(), 5u) << "pages";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string footer = std::string(36, ' ') + "PAGE " + std::to_string(i + 1) +
                                   (i + 1 < pages.size() ? "\r" : "\r\n");
        EXPECT_TRUE(pages[i].ends_with(footer))
            << "page " << i + 1 << " does not end in its footer";
    }
    for (const char* message : kClosingMessages) {
        EXPECT_TRUE(report.find(message) == std::string::npos) << "closing message: " << message;
    }
}

TEST(ShippedExamples, EachGivesAFivePageReportWithoutAClosingMessage) {
    const std::vector<fs::path> examples = shipped_examples();
    // The README promises at least eight starting files.
    ASSERT_GE(examples.size(), 8u);
    for (const fs::path& example : examples) {
        SCOPED_TRACE(example.filename().string());
        expect_complete_report(example);
    }
}

}  // namespace
