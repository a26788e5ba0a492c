// The drawing: the bytes of a title as XML text, the construction of an
// interpolated strain as the chart draws it, which problems get a sheet, and
// --drawing beside the report. The sheet's geometry against the reports is
// checked by tests/drawing_check.py over the examples and generated problems.
#include <gtest/gtest.h>

#include <sstream>

#include "checks/checks.h"
#include "drawing/bearing_drawing.h"
#include "drawing/svg.h"
#include "driver/command_line.h"
#include "memory_files.h"
#include "test_support.h"
#include "web/page_run.h"

namespace bearingpad {
namespace {

TEST(Drawing, TitleBytesAsXmlText) {
    const struct {
        unsigned char byte;
        const char* shown;
    } table[] = {
        {0, "\xEF\xBF\xBD"}, {9, " "},           {13, "\xEF\xBF\xBD"}, {31, "\xEF\xBF\xBD"},
        {' ', " "},          {'<', "&lt;"},      {'>', "&gt;"},        {'&', "&amp;"},
        {'"', "&quot;"},     {'\'', "&apos;"},   {'A', "A"},           {127, "\x7F"},
        {128, "\xC2\x80"},   {0xA0, "\xC2\xA0"}, {0xE9, "\xC3\xA9"},   {255, "\xC3\xBF"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(svg_text(std::string(1, static_cast<char>(row.byte))), row.shown)
            << "byte " << int{row.byte};
    }
    // Every byte: nothing below 0x20 is left, and no byte of 0x80 and above
    // stands alone (each is a lead byte followed by one continuation byte).
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string shown = svg_text(all);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto c = static_cast<unsigned char>(shown[i]);
        ASSERT_GE(c, 0x20u) << i;
        if (c >= 0xC2 && c <= 0xC3) {
            ASSERT_LT(i + 1, shown.size());
            ASSERT_EQ(static_cast<unsigned char>(shown[i + 1]) & 0xC0, 0x80u) << i;
            ++i;
        } else if (c == 0xEF) {
            ASSERT_EQ(shown.substr(i, 3), "\xEF\xBF\xBD");
            i += 2;
        } else {
            ASSERT_LT(c, 0x80u) << i;
        }
    }
}

// The construction the chart draws: the neighbouring curves, d, the column
// and the interpolated curve's values there, and the strain on its line.
TEST(Drawing, StrainConstruction) {
    const struct {
        float stress, ratio;
        int upper, lower, column;
        float fraction, at_column, at_next, strain;
    } table[] = {
        // S/B 18 between the curves 20 and 16, halfway; 291 psi is column 2.
        {291.0f, 18.0f, 0, 1, 2, 0.5f, 1.605f, 2.005f, 1.605f},
        // S/B 20 alone; 200 psi on the line through columns 2 and 3.
        {200.0f, 20.0f, 0, 0, 2, 0.0f, 1.6f, 2.0f, 1.3498282f},
        // Below 3: the S/B 3 curve alone; 0 psi extends the first segment.
        {0.0f, 2.5f, 7, 7, 1, 0.0f, 2.5f, 4.2f, 0.8f},
        // S/B 16 falls in the band from 16 to 12, at its upper curve.
        {436.5f, 16.0f, 1, 2, 3, 0.0f, 2.01f, 2.3f, 2.01f},
    };
    for (const auto& row : table) {
        StrainConstruction c;
        ASSERT_TRUE(strain_construction(row.stress, row.ratio, c));
        EXPECT_EQ(c.upper_curve, row.upper) << row.ratio;
        EXPECT_EQ(c.lower_curve, row.lower) << row.ratio;
        EXPECT_EQ(c.column, row.column) << row.ratio;
        EXPECT_FLOAT_EQ(c.fraction, row.fraction) << row.ratio;
        EXPECT_FLOAT_EQ(c.value_at_column, row.at_column) << row.ratio;
        EXPECT_FLOAT_EQ(c.value_at_next, row.at_next) << row.ratio;
        EXPECT_FLOAT_EQ(strain(row.stress, row.ratio), row.strain) << row.ratio;
    }
    StrainConstruction c;
    EXPECT_FALSE(strain_construction(100.0f, std::numeric_limits<float>::quiet_NaN(), c));
}

TEST(Drawing, OnlyForABearing) {
    for (ProblemEnd end : {ProblemEnd::no_problem, ProblemEnd::rejected, ProblemEnd::failure}) {
        Result r;
        r.end = end;
        r.record = CheckResults{};
        EXPECT_FALSE(drawing_svg(r)) << static_cast<int>(end);
    }
}

TEST(Drawing, BesideTheReport) {
    using namespace test_support;
    MemoryFileAccess fs;
    fs.files["/work/a.dat"] =
        "    0101ROUTE 9\n"
        " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
        "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";
    fs.files["/work/c.dat"] = "    0102\n A   12.0   9.0   2.0  5\n";
    auto run = [&fs](const std::vector<std::string>& args, std::string& out) {
        const Outcome o = run_command_line_in_process(fs, args);
        out = o.out + o.err;
        return o.status;
    };
    std::string out;
    EXPECT_EQ(run({"--drawing", "a.dat", "c.dat"}, out), 0);
    EXPECT_EQ(out.substr(0, out.find("\r\n")),
              "a.dat: a.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211; drawing a.svg");
    EXPECT_EQ(fs.files["/work/a.svg"].substr(0, 5), "<?xml");
    EXPECT_EQ(fs.files.count("/work/c.svg"), 0u);  // rejected: no drawing
    // An existing drawing is replaced only with -y, as the report is.
    fs.files.erase("/work/a.rpt");
    fs.files["/work/a.svg"] = "kept";
    EXPECT_EQ(run({"--drawing", "a.dat"}, out), 10);
    EXPECT_EQ(fs.files["/work/a.svg"], "kept");
    EXPECT_EQ(run({"-y", "--drawing", "a.dat"}, out), 0);
    EXPECT_NE(fs.files["/work/a.svg"], "kept");
    // An existing drawing refuses the problem before its report is written.
    fs.files.erase("/work/a.rpt");
    fs.files["/work/a.svg"] = "kept";
    EXPECT_EQ(run({"--drawing", "a.dat"}, out), 10);
    EXPECT_EQ(fs.files.count("/work/a.rpt"), 0u);
    // With -y a problem with no bearing to draw takes away the sheet of an
    // earlier run, never its input; a drawing that cannot be written keeps
    // the report from being put in place too (a problem's files are one set),
    // and the schedule tells the failure.
    fs.files["/work/c.svg"] = "stale";
    EXPECT_EQ(run({"-y", "--drawing", "c.dat"}, out), 0);
    EXPECT_EQ(fs.files.count("/work/c.svg"), 0u);
    fs.files["/work/d.svg"] = fs.files["/work/c.dat"];
    EXPECT_EQ(run({"-y", "--drawing", "d.svg"}, out), 0);
    EXPECT_EQ(fs.files["/work/d.svg"], fs.files["/work/c.dat"]);
    fs.directories.insert("/work/a.svg");
    EXPECT_EQ(run({"-y", "--drawing", "--schedule", "a.dat"}, out), 30);
    EXPECT_NE(out.find("a.dat,0101,"), std::string::npos);
    EXPECT_NE(out.find(",analysis,failure,"), std::string::npos) << out;
    EXPECT_EQ(fs.files.count("/work/a.rpt"), 0u);
}

// The verdict in the title block; the three bearings that are not physical
// (from the fuzzing of the sheet) show their reasons and no view, no scale
// (one said 1:0) and not the report's count of warnings; a value that is not
// finite only as data-NAME_text.
TEST(Drawing, VerdictOnTheSheet) {
    using namespace test_support;
    const std::string beam = "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";
    const std::vector<const char*> no_view = {"id=\"plan\"", "id=\"section\"", "id=\"chart\"",
                                              "SCALE",       "WARNING",        "inf\"",
                                              "nan\"",       "NaN\""};
    const fs::path examples = fs::path(BEARINGPAD_SOURCE_DIR) / "examples";
    const struct {
        std::string input;
        const char* verdict;
        std::vector<const char*> shown, not_shown;
    } table[] = {
        {"\n A                     0\n\n",
         "not_evaluated",
         {">NOT EVALUATED<", ">- NO WIDTH (0 OR BLANK)<", ">- NO LOAD (0 OR BLANK)<",
          "data-field=\"dead_load\"", ">RULES: AASHTO 1992 ART. 14.4.1 METHOD A<"},
         no_view},
        {"    0002\n A   14.0   9.03.5E38  0\n" + beam,
         "not_evaluated",
         {">- THE THICKNESS IS INFINITE<", "TOTAL THICKNESS T           Infinity IN",
          "data-thickness_text=\"Infinity\""},
         no_view},
        {"    0003\n A   14.0   9.0   2.0  1  1.01.E39  .25    2  .25      1  .0747\n" + beam,
         "not_evaluated",
         {">- THE TOP AND BOTTOM COVER IS INFINITE<", "data-thickness_text=\"-Infinity\""},
         no_view},
        {read_file(examples / "analysis.dat"),
         "inadequate",
         {">INADEQUATE<", ">2 CHECKS FAIL; INTERNAL PLATE, WORKING LOADS<", ">GOVERNS AT 1.211<",
          ">2 WARNINGS ON REPORT PAGE 5<", "PLAN 1:4   SECTION"},
         {"DESIGNED"}},
        {read_file(examples / "design.dat"),
         "adequate",
         {">ADEQUATE<", ">NO WARNINGS ON REPORT PAGE 5<",
          ">DESIGNED: 22.25 X 17.00 X 1.125 IN, 1 LOAD PLATE 0.1875 IN, COVER 0.4688 IN, SIDE "
          "COVER 0.25 IN<"},
         {}},
    };
    for (const auto& row : table) {
        MemoryFileAccess fs;
        fs.files["/work/p.dat"] = row.input;
        run_command_line_in_process(fs, {"-y", "--drawing", "p.dat"});
        const std::string svg = fs.files["/work/p.svg"];
        EXPECT_NE(svg.find(std::string("data-verdict=\"") + row.verdict + '"'), std::string::npos)
            << row.input;
        for (const char* text : row.shown) EXPECT_NE(svg.find(text), std::string::npos) << text;
        for (const char* text : row.not_shown) EXPECT_EQ(svg.find(text), std::string::npos) << text;
    }
    // Under an owner's criteria the sheet names the set, its text as XML.
    Result owned =
        run_page(read_file(examples / "analysis.dat"), "p.dat", "p.rpt", fixed_time()).result;
    owned.owner_name = "R&D <SET>";
    owned.owner_rules = "R&D <SET> (MANUAL)";
    const std::string svg = drawing_svg(owned).value_or("");
    EXPECT_NE(svg.find(">AND R&amp;D &lt;SET&gt;<"), std::string::npos);
    EXPECT_EQ(svg.find("NO OWNER'S CRITERIA"), std::string::npos);
    // Its checks in the notes: the laminated manual's plate limit fails for
    // the example's 0.25 in load plates; its other seven checks pass.
    MemoryFileAccess fs;
    fs.files["/work/p.dat"] = read_file(examples / "analysis.dat");
    fs.files["/work/c.toml"] = read_file(examples / "criteria-laminated-pads.toml");
    run_command_line_in_process(fs, {"-y", "--drawing", "--criteria", "c.toml", "p.dat"});
    EXPECT_NE(fs.files["/work/p.svg"].find(
                  ">OWNER&apos;S CHECKS: OF 7 MADE, FAILING THICKEST STEEL PLATE.<"),
              std::string::npos);
}

}  // namespace
}  // namespace bearingpad
