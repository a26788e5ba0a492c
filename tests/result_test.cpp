// The result of a problem as data: each end of a problem, the values as read
// beside the values used, and the verdict of each check at its edges.
#include "checks/result.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "check_fixtures.h"
#include "checks/checks.h"
#include "test_support.h"
#include "web/page_run.h"

namespace bearingpad {
namespace {

const std::string kTitle = "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS";
const std::string kPad = " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747";
const std::string kBeam = " S  100.0   80.0  40.0 20.0    1.0  .5 .25";

Result solved(const std::string& input) {
    return run_page(input, "input.dat", "input.rpt", test_support::fixed_time()).result;
}

TEST(Result, EachEndOfAProblem) {
    struct Case {
        const char* what;
        std::string input;
        ProblemEnd end;
        std::size_t records;
        std::vector<std::string> closing;
        int failure;
    };
    const std::string analysis = kTitle + "\n" + kPad + "\n" + kBeam + "\n";
    const Case cases[] = {
        {"empty file", "", ProblemEnd::no_problem, 0, {}, 0},
        {"title only", kTitle + "\n", ProblemEnd::no_problem, 1, {}, 0},
        {"analysis", analysis, ProblemEnd::solved, 3, {}, 0},
        {"five holes",
         kTitle + "\n" + kPad.substr(0, 23) + "5" + kPad.substr(24) + "\n" + kBeam,
         ProblemEnd::rejected,
         2,
         {"NUMBER OF HOLES CAN NOT BE GREATER THAN 4"},
         0},
        // A beam whose end rotation no pad follows: the search runs out of passes.
        {"no design",
         kTitle + "\n                       0\n     10.0   10.0  60.0   30.0 50.0",
         ProblemEnd::design_not_possible,
         3,
         {"*** DESIGN NOT POSSIBLE ***"},
         0},
        {"comma in the load",
         kTitle + "\n" + kPad + "\n" + " S  100.0   80.0  4,.0\n",
         ProblemEnd::failure,
         3,
         {},
         64},
        {"no beam record", kTitle + "\n" + kPad + "\n", ProblemEnd::failure, 2, {}, 24},
    };
    for (const Case& c : cases) {
        const Result r = solved(c.input);
        EXPECT_EQ(r.end, c.end) << c.what;
        EXPECT_EQ(r.records.size(), c.records) << c.what;
        EXPECT_EQ(r.closing_messages, c.closing) << c.what;
        EXPECT_EQ(r.status(), c.failure) << c.what;
        const bool checked =
            c.end == ProblemEnd::solved || c.end == ProblemEnd::design_not_possible;
        EXPECT_EQ(r.record.has_value(), checked) << c.what;
        EXPECT_EQ(r.checks.size(), checked ? kChecks.size() : 0u) << c.what;
    }
    EXPECT_EQ(solved("").report_written, false);
    EXPECT_EQ(solved(kTitle + "\n").report_written, true);
    const Result failed = solved(kTitle + "\n" + kPad + "\n");
    EXPECT_EQ(failed.failure->line,
              "bpio: severe (24): end-of-file during read, unit 5, file input.dat\r\n");
    EXPECT_EQ(failed.as_read.title, kTitle.substr(8) + std::string(80 - kTitle.size(), ' '));
    EXPECT_EQ(failed.as_read.width, 12.0f);
}

TEST(Result, ValuesAsReadBesideTheValuesUsed) {
    // Blank hole diameter, covers and plate thicknesses; a design's blank
    // width and thickness; "S" for a steel beam.
    std::string pad = std::string(43, ' ') + "2";
    pad.replace(9, 6, "   9.0");
    const Result r = solved(kTitle + "\n" + pad + "\n" + kBeam);
    const ProblemRecord& read = r.as_read;
    const ProblemRecord& used = r.used;
    EXPECT_EQ(r.mode, RunMode::design);
    EXPECT_EQ(read.width, 0.0f);
    EXPECT_EQ(used.width, 1.0f);
    EXPECT_EQ(read.thickness, 0.0f);
    EXPECT_EQ(used.thickness, 0.50001f);
    EXPECT_EQ(read.diameter_of_hole, 0.0f);
    EXPECT_EQ(used.diameter_of_hole, 3.0f);
    EXPECT_EQ(read.hole_count_character, ' ');
    EXPECT_EQ(used.number_of_holes, 1);
    EXPECT_EQ(read.load_plate_count_character, '2');
    EXPECT_EQ(used.load_plate_thickness, 0.1875f);
    EXPECT_EQ(read.beam_type_character, 'S');
    EXPECT_EQ(used.beam_type, 0);
    EXPECT_EQ(read.dead_load, 40.0f);
    EXPECT_GT(r.design_passes, 0);
    // The bearing is the one designed, as page 5 prints it.
    EXPECT_GT(r.bearing.width, 1.0f);
    EXPECT_EQ(r.bearing.layers.cover_layer_count, 2);
}

TEST(Result, ChecksAtTheirEdges) {
    CheckResults base;
    check_fixtures::fill_reference_analysis(base);
    analysis(base);
    struct Case {
        const char* what;
        float demand;
        float limit;
        bool passed;
        bool ratio_nan;
        bool ratio_infinite = false;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"equal", 500.0f, 500.0f, true, false},
        {"just above", std::nextafter(500.0f, 1000.0f), 500.0f, false, false},
        {"just below", std::nextafter(500.0f, 0.0f), 500.0f, true, false},
        {"NaN demand", nan, 500.0f, true, true},
        {"no limit", 1.0f, 0.0f, false, false, true},
        {"a limit below 0, failed", 0.5f, -2.0f, false, false, true},
        {"a limit below 0, passed", -3.0f, -2.0f, true, true},
        {"both 0", 0.0f, 0.0f, true, true},
    };
    for (const Case& c : cases) {
        CheckResults r = base;
        r.compressive_stress = c.demand;
        r.allowable_stress = c.limit;
        const CheckOutcome o = check_outcomes(r).front();
        EXPECT_EQ(o.id, CheckId::compressive_stress) << c.what;
        EXPECT_EQ(o.passed, c.passed) << c.what;
        EXPECT_EQ(std::isnan(o.ratio), c.ratio_nan) << c.what;
        EXPECT_EQ(std::isinf(o.ratio), c.ratio_infinite) << c.what;
    }
}

TEST(Result, TheGoverningCheckHasTheHighestRatioOfThoseThatApply) {
    Result r;
    auto check = [](CheckId id, float ratio, bool applies) {
        CheckOutcome c;
        c.id = id;
        c.ratio = ratio;
        c.applies = applies;
        return c;
    };
    EXPECT_EQ(r.governing_check(), nullptr);
    r.checks = {check(CheckId::compressive_stress, 0.5f, true),
                check(CheckId::rotation_dead, std::numeric_limits<float>::quiet_NaN(), true),
                check(CheckId::load_plate_working, 9.0f, false),
                check(CheckId::anchorage, 0.75f, true)};
    EXPECT_EQ(r.governing_check()->id, CheckId::anchorage);
    // A plain pad: its plate checks do not apply.
    const Result plain = solved(kTitle + "\n A   12.0   9.0   1.0  0\n" + kBeam);
    for (const CheckOutcome& c : plain.checks) {
        const CheckId id = c.id;
        const bool plate = id == CheckId::load_plate_working || id == CheckId::load_plate_fatigue ||
                           id == CheckId::internal_plate_working ||
                           id == CheckId::internal_plate_fatigue;
        EXPECT_EQ(c.applies, !plate) << check_definition(id).key;
    }
}

}  // namespace
}  // namespace bearingpad
