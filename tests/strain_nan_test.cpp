// A shape ratio that is not a number selects no curve of Figure 14.4.1.2B: the
// strain is NaN, and so is every deflection computed from it. The infinities
// keep the end curves. Whole problems with a width typed as 1.E39 (an infinite
// plan, so S = A/[hri(P)] is Inf/Inf) show the NaN on the deflection page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "memory_files.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using namespace bearingpad::test_support;

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan_value = std::numeric_limits<float>::quiet_NaN();

struct NanStrainCase {
    const char* name;
    float stress;
    float shape_ratio;
    float expected;  // NaN: the strain must be NaN
};

void PrintTo(const NanStrainCase& c, std::ostream* os) {
    *os << c.stress << " psi, S/B " << c.shape_ratio;
}

class StrainOfNonFiniteRatio : public ::testing::TestWithParam<NanStrainCase> {};

TEST_P(StrainOfNonFiniteRatio, Strain) {
    const NanStrainCase& c = GetParam();
    const float got = strain(c.stress, c.shape_ratio);
    if (std::isnan(c.expected)) {
        EXPECT_TRUE(std::isnan(got)) << got;
    } else {
        EXPECT_EQ(got, c.expected);
    }
}

// 291 psi is step 2 of the chart: S/B = 20 gives 1.6 %, S/B = 3 gives 4.2 %.
INSTANTIATE_TEST_SUITE_P(
    Cases, StrainOfNonFiniteRatio,
    ::testing::Values(NanStrainCase{"nan_ratio_zero_stress", 0.0f, nan_value, nan_value},
                      NanStrainCase{"nan_ratio_at_step_2", 291.0f, nan_value, nan_value},
                      NanStrainCase{"nan_ratio_infinite_stress", inf, nan_value, nan_value},
                      NanStrainCase{"nan_ratio_nan_stress", nan_value, nan_value, nan_value},
                      NanStrainCase{"plus_inf_ratio_takes_the_20_curve", 291.0f, inf, 1.6f},
                      NanStrainCase{"minus_inf_ratio_takes_the_3_curve", 291.0f, -inf, 4.2f}),
    [](const ::testing::TestParamInfo<NanStrainCase>& info) {
        return std::string(info.param.name);
    });

// The example input with the width field (columns 4 to 9 of the pad record)
// typed as 1.E39, run in memory; the report's records, form feeds and carriage
// returns removed.
std::vector<std::string> report_with_infinite_width(const std::string& example, Outcome& outcome) {
    std::string input = read_file(std::string(BEARINGPAD_SOURCE_DIR) + "/examples/" + example);
    const std::size_t pad = input.find('\n') + 1;
    input.replace(pad + 3, 6, "1.E39 ");
    MemoryFileAccess files;
    files.files["/work/in.dat"] = input;
    outcome = run_in_process(files, "in.dat\nout.rpt\n");
    std::vector<std::string> lines;
    for (const std::string& page : report_pages(files.files["/work/out.rpt"])) {
        for (const std::string& line : printed_lines(page)) {
            if (!line.empty()) lines.push_back(line);
        }
    }
    return lines;
}

bool has_line(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

const std::vector<std::string> kNanTotals = {
    "      TOTAL DEFLECTION (IN)         NaN              NaN              NaN",
    "                 CREEP (IN)         NaN              NaN              NaN",
    "  LONG TERM DEFLECTION (IN)         NaN              NaN              NaN",
    "            ALLOWABLE theta (RADIANS)          NaN           NaN",
};

TEST(InfiniteWidth, AnalysisPrintsNanStrainsAndDeflections) {
    Outcome o;
    const auto lines = report_with_infinite_width("analysis.dat", o);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    // Two load plates: cover and internal layers both have S/B NaN.
    std::vector<std::string> expected = {
        "                   S/B         NaN      NaN     NaN      NaN     NaN      NaN",
        "    COMPRESSIVE STRAIN         NaN      NaN     NaN      NaN     NaN      NaN",
        "COMPRESSIVE DEFLECTION (IN)     NaN      NaN     NaN      NaN     NaN      NaN",
    };
    expected.insert(expected.end(), kNanTotals.begin(), kNanTotals.end());
    for (const auto& line : expected) EXPECT_TRUE(has_line(lines, line)) << line;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), std::string(36, ' ') + "PAGE 5");
}

// H = Gmax(A)Dh/(hrt)1000 is infinite for an infinite area, so the anchorage
// never passes and no wider pad helps (Inf + 1 > 30): the search ends at its
// pass limit, with the one closing message of that slot.
TEST(InfiniteWidth, DesignPrintsNanDeflectionsAndStopsAtThePassLimit) {
    Outcome o;
    const auto lines = report_with_infinite_width("design.dat", o);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    // One load plate: the internal layer columns are 0.
    std::vector<std::string> expected = {
        "    COMPRESSIVE STRAIN         NaN      0.0     NaN      0.0     NaN      0.0",
        "COMPRESSIVE DEFLECTION (IN)     NaN    .0000     NaN    .0000     NaN    .0000",
    };
    expected.insert(expected.end(), kNanTotals.begin(), kNanTotals.end());
    for (const auto& line : expected) EXPECT_TRUE(has_line(lines, line)) << line;
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], std::string(36, ' ') + "PAGE 5");
    EXPECT_EQ(lines.back(), " *** DESIGN NOT POSSIBLE ***");
}

}  // namespace
}  // namespace bearingpad
