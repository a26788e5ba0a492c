// The verdict of a problem through the solve and every front end of ours:
// the JSON result, the schedule row and the line per problem. "passes" and
// "adequate" only where a check was made and held; a bearing that is not
// physical is "not evaluated", with the field and the reason in words.
#include "checks/verdict.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "memory_files.h"
#include "results/result_text.h"
#include "test_support.h"
#include "web/page_run.h"

namespace bearingpad {
namespace {

using test_support::run_command_line_in_process;

// A record of blanks with each value typed at its first column.
std::string record(std::initializer_list<std::pair<int, const char*>> fields) {
    std::string r(80, ' ');
    for (const auto& [column, value] : fields) {
        r.replace(static_cast<std::size_t>(column - 1), std::string(value).size(), value);
    }
    return r.substr(0, r.find_last_not_of(' ') + 1);
}

// Pad record columns: 2 mode, 4 width, 10 length, 16 thickness, 24 holes,
// 25 diameter, 30 cover, 35 side cover, 44 load plates, 45 their
// thickness, 56 internal plates. Beam record: 3 distance to fixity, 10 span,
// 17 dead load, 24 live load, 30 camber, 35 and 39 the deflections.
const std::string kBeam = record(
    {{3, "100.0"}, {10, "80.0"}, {17, "40.0"}, {24, "20.0"}, {30, "1.0"}, {35, ".5"}, {39, ".25"}});
std::string beam_with(int column, const char* value) {
    std::string b = kBeam + std::string(80 - kBeam.size(), ' ');
    b.replace(static_cast<std::size_t>(column - 1), 6, std::string(6, ' '));
    b.replace(static_cast<std::size_t>(column - 1), std::string(value).size(), value);
    return b;
}
const std::string kPlain = record({{2, "A"}, {4, "14.0"}, {10, "9.0"}, {16, ".75"}, {24, "0"}});
const std::string kLaminated = record({{2, "A"},
                                       {4, "12.0"},
                                       {10, "9.0"},
                                       {16, "2.0"},
                                       {24, "1"},
                                       {25, "1.0"},
                                       {44, "2"},
                                       {45, ".25"},
                                       {56, "1"}});

struct Case {
    const char* what;
    std::string pad;
    std::string beam;
    const char* word;    // the verdict's key
    const char* field;   // the field of the first reason
    const char* reason;  // the first reason, or what the line says after " - "
};

TEST(Verdict, EachProblemThroughEveryFrontEnd) {
    const Case cases[] = {
        // The trial's five.
        {"no thickness", record({{2, "A"}, {4, "14.0"}, {10, "9.0"}, {24, "0"}}), kBeam,
         "not_evaluated", "thickness", "no total thickness (0 or blank)"},
        {"design not possible", record({{4, "10.0"}, {10, "8.0"}, {16, "1.0"}}),
         beam_with(17, "900.0").substr(0, 23) + "300.0", "design_not_possible", "", ""},
        {"hole larger than the pad", record({{2, "A"}, {4, "2.0"}, {10, "2.0"}, {16, ".5"}}), kBeam,
         "not_evaluated", "diameter_of_hole", "the holes' area reaches the plan's"},
        {"no loads", kPlain, record({{3, "100.0"}, {10, "80.0"}}), "not_evaluated", "dead_load",
         "no load (0 or blank)"},
        {"negative load", kPlain, beam_with(17, "-40.0"), "not_evaluated", "dead_load",
         "the dead load is below 0"},
        // The other ways a bearing is not physical.
        {"no width", record({{2, "A"}, {10, "9.0"}, {16, ".75"}, {24, "0"}}), kBeam,
         "not_evaluated", "width", "no width (0 or blank)"},
        {"negative length", record({{2, "A"}, {4, "14.0"}, {10, "-9.0"}, {16, ".75"}, {24, "0"}}),
         kBeam, "not_evaluated", "length", "the length is below 0"},
        {"a hole as wide as the plates",
         record(
             {{2, "A"}, {4, "12.0"}, {10, "9.0"}, {16, "2.0"}, {24, "1"}, {25, "8.5"}, {44, "1"}}),
         kBeam, "not_evaluated", "diameter_of_hole", "a hole is as wide as the plan or wider"},
        {"plates as thick as the pad",
         record(
             {{2, "A"}, {4, "12.0"}, {10, "9.0"}, {16, ".5"}, {24, "0"}, {44, "2"}, {45, ".25"}}),
         kBeam, "not_evaluated", "thickness",
         "the steel plates add up to the total thickness or more"},
        {"no elastomer between the plates",
         record({{2, "A"},
                 {4, "12.0"},
                 {10, "9.0"},
                 {16, "1.0"},
                 {24, "0"},
                 {30, ".5"},
                 {44, "2"},
                 {45, ".25"}}),
         kBeam, "not_evaluated", "cover_thickness", "an elastomer layer is 0 or below"},
        {"side cover wider than the plan",
         record(
             {{2, "A"}, {4, "8.0"}, {10, "9.0"}, {16, "2.0"}, {24, "0"}, {35, "4.5"}, {44, "1"}}),
         kBeam, "not_evaluated", "side_cover", "the side cover leaves no steel plate in the plan"},
        {"negative side cover",
         record(
             {{2, "A"}, {4, "8.0"}, {10, "9.0"}, {16, "2.0"}, {24, "0"}, {35, "-.25"}, {44, "1"}}),
         kBeam, "not_evaluated", "side_cover", "the side cover is below 0"},
        {"negative plate",
         record(
             {{2, "A"}, {4, "8.0"}, {10, "9.0"}, {16, "2.0"}, {24, "0"}, {44, "1"}, {45, "-.25"}}),
         kBeam, "not_evaluated", "load_plate_thickness", "the load plate thickness is below 0"},
        {"infinite cover",
         record({{2, "A"},
                 {4, "12.0"},
                 {10, "9.0"},
                 {16, "2.0"},
                 {24, "0"},
                 {30, "1.E39"},
                 {44, "2"}}),
         kBeam, "not_evaluated", "cover_thickness", "the top and bottom cover is infinite"},
        {"infinite thickness",
         record({{2, "A"}, {4, "14.0"}, {10, "9.0"}, {16, "3.5E38"}, {24, "0"}}), kBeam,
         "not_evaluated", "thickness", "the thickness is infinite"},
        {"negative span", kPlain, beam_with(10, "-80.0"), "not_evaluated", "design_span",
         "the design span is below 0"},
        {"negative distance", kPlain, beam_with(3, "-100.0"), "not_evaluated", "distance_to_fixity",
         "the distance to fixity is below 0"},
        // Physical bearings.
        {"adequate plain pad", kPlain,
         record({{3, "20.0"},
                 {10, "40.0"},
                 {17, "20.0"},
                 {24, "10.0"},
                 {30, ".25"},
                 {35, ".20"},
                 {39, ".10"}}),
         "adequate", "", "adequate: every applying check passes"},
        {"inadequate", kLaminated, kBeam, "inadequate", "", "inadequate: 2 checks fail"},
        {"no pad record", "", "", "not_evaluated", "", "no pad record in the input"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string input =
            "    0001VERDICT\n" + (c.pad.empty() ? "" : c.pad + "\n" + c.beam + "\n");
        // The solve.
        const Result result = run_page(input, "a.dat", "a.rpt", test_support::fixed_time()).result;
        const Verdict v = verdict_of(result);
        EXPECT_STREQ(verdict_key(v.word), c.word);
        if (*c.field != '\0' || v.word == VerdictWord::not_evaluated) {
            ASSERT_FALSE(v.reasons.empty());
            EXPECT_STREQ(v.reasons.front().field, c.field);
            EXPECT_EQ(v.reasons.front().text, c.reason);
        }
        if (v.word != VerdictWord::adequate && v.word != VerdictWord::inadequate) {
            for (const CheckOutcome& check : result.checks) {
                EXPECT_EQ(check.verdict, CheckVerdict::not_evaluated)
                    << check_definition(check.id).key;
            }
        }
        // The command line: its line, the JSON beside the report, the row.
        MemoryFileAccess fs;
        fs.files["/work/a.dat"] = input;
        const auto run = run_command_line_in_process(fs, {"--json", "--schedule=s.csv", "a.dat"});
        const std::string json = fs.files["/work/a.json"];
        EXPECT_NE(json.find(std::string("\"verdict\":{\"word\":\"") + c.word + "\""),
                  std::string::npos);
        EXPECT_NE(json.find(c.reason), std::string::npos);
        const std::string& csv = fs.files["/work/s.csv"];
        const std::string row = csv.substr(csv.find("\r\n") + 2);
        EXPECT_NE(row.find(std::string(",") + verdict_words(v.word) + ","), std::string::npos)
            << row;
        if (result.end == ProblemEnd::solved) {
            EXPECT_NE(run.out.find(std::string(" - ") + verdict_words(v.word)), std::string::npos)
                << run.out;
            EXPECT_NE(run.out.find(c.reason), std::string::npos) << run.out;
        }
        // Never a "passes" for a check without finite numbers.
        for (const CheckOutcome& check : result.checks) {
            if (check.verdict == CheckVerdict::passes) {
                EXPECT_TRUE(std::isfinite(check.demand) && std::isfinite(check.limit) &&
                            check.limit > 0);
            }
        }
    }
}

// A design states its answer; an impossible one names the last bearing tried.
TEST(Verdict, DesignStatesItsAnswer) {
    MemoryFileAccess fs;
    fs.files["/work/d.dat"] = "    0001\n" + record({{24, "0"}, {44, "1"}}) + "\n" + kBeam + "\n";
    const auto run = run_command_line_in_process(fs, {"d.dat"});
    EXPECT_NE(run.out.find(". Designed: "), std::string::npos) << run.out;
    fs.files["/work/n.dat"] = "    0001\n" + record({{4, "10.0"}, {10, "8.0"}, {16, "1.0"}}) +
                              "\n" + beam_with(17, "900.0").substr(0, 23) + "300.0\n";
    const auto impossible = run_command_line_in_process(fs, {"n.dat"});
    EXPECT_NE(impossible.out.find("written, design not possible: "), std::string::npos);
    EXPECT_NE(impossible.out.find(" - Last bearing tried: "), std::string::npos) << impossible.out;
}

// The bearing in one line, derived by hand.
TEST(Verdict, BearingText) {
    Bearing b;
    b.width = 22.25f;
    b.length = 17.0f;
    b.thickness = 1.12501f;
    b.load_plate_count = 2;
    b.load_plate_thickness = 0.1875f;
    b.internal_plate_count = 3;
    b.internal_plate_thickness = 0.0747f;
    b.number_of_holes = 1;
    b.diameter_of_hole = 3.0f;
    b.cover_thickness = 0.25f;
    b.side_cover = 0.25f;
    EXPECT_EQ(bearing_text(b),
              "22.25 x 17.00 x 1.125 in, 2 load plates 0.1875 in, 3 internal plates 0.0747 in, "
              "1 hole 3.00 in, cover 0.25 in, side cover 0.25 in");
    b.load_plate_count = 0;
    b.number_of_holes = 0;
    EXPECT_EQ(bearing_text(b), "22.25 x 17.00 x 1.125 in, plain pad");
}

}  // namespace
}  // namespace bearingpad
