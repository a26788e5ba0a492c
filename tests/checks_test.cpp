// Tests of the bearing checks and the analysis sequence. Expected values are
// written as the engineering arithmetic of the method: the operands as 32-bit
// floats, each formula evaluated in double and rounded to float where the
// method stores it; the hand-computed decimal figure is checked beside.
#include "checks/checks.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "check_fixtures.h"
#include "checks/check_results.h"
#include "checks/strain_chart.h"

namespace bearingpad {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan_value = std::numeric_limits<float>::quiet_NaN();

using namespace check_fixtures;

constexpr Text4 code_lower_b{'b', ' ', ' ', ' '};

// ===========================================================================
// Bearing properties
// ===========================================================================

struct BpropCase {
    const char* name;
    Text4 code;
    int load_plates;
    float width, length, side_cover, diameter;
    int holes;
    float w_expected, l_expected, d_expected;
    float area, factor, perimeter;                  // exact expectation
    double area_text, factor_text, perimeter_text;  // the hand-computed figures
};

// Printed beside the test name and in failures: the plan of the case.
void PrintTo(const BpropCase& c, std::ostream* os) {
    *os << c.width << " x " << c.length << " in, " << c.holes << " holes of " << c.diameter
        << " in, " << c.load_plates << " load plates";
}

class BearingPropertiesTable : public ::testing::TestWithParam<BpropCase> {};

TEST_P(BearingPropertiesTable, DimensionsAndProperties) {
    const BpropCase& c = GetParam();
    DesignFlags flags;
    CheckResults r(flags);
    r.dimension_basis = c.code;
    r.load_plate_count = c.load_plates;
    r.width = c.width;
    r.length = c.length;
    r.side_cover = c.side_cover;
    r.diameter_of_hole = c.diameter;
    r.number_of_holes = c.holes;
    bprop(r);
    EXPECT_EQ(r.effective_width, c.w_expected);
    EXPECT_EQ(r.effective_length, c.l_expected);
    EXPECT_EQ(r.effective_diameter, c.d_expected);
    EXPECT_EQ(r.area, c.area);
    EXPECT_EQ(r.holes_factor, c.factor);
    EXPECT_EQ(r.perimeter, c.perimeter);
    EXPECT_NEAR(r.area, c.area_text, 1e-4);
    EXPECT_NEAR(r.holes_factor, c.factor_text, 1e-6);
    EXPECT_NEAR(r.perimeter, c.perimeter_text, 1e-4);
}

const double pi_method = static_cast<double>(3.1416f);

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, BearingPropertiesTable,
    ::testing::Values(
        // Plain pad, code other than "B", side cover 1: full dimensions.
        BpropCase{"plain_pad_full_dimensions", blank_code, 0, 12.0f, 9.0f, 1.0f, 1.0f, 1, 12.0f,
                  9.0f, 1.0f, f(12.0 * 9.0 - 1.0 * (1.0 * 1.0 * pi_method) * 0.25),
                  f(2.0 * 12.0 / (12.0 - 1.0)), f(2.0 * (12.0 + 9.0) + 1.0 * pi_method * 1.0),
                  108.0 - 0.7854, 24.0 / 11.0, 42.0 + 3.1416},
        // Two load plates, W = 11.5, L = 8.5, D = 1.5: A = 95.98285, F = 2.3, P = 44.7124.
        BpropCase{"two_load_plates_plate_dimensions", blank_code, 2, 12.0f, 9.0f, 0.25f, 1.0f, 1,
                  11.5f, 8.5f, 1.5f, f(11.5 * 8.5 - 1.0 * (1.5 * 1.5 * pi_method) * 0.25),
                  f(2.0 * 11.5 / (11.5 - 1.5)), f(2.0 * (11.5 + 8.5) + 1.0 * pi_method * 1.5),
                  95.98285, 2.3, 44.7124},
        // No holes: A = W L, F = 1 exactly, P = 2 (W + L), whatever the diameter.
        BpropCase{"no_holes", code_b, 1, 12.0f, 9.0f, 0.25f, 50.0f, 0, 12.0f, 9.0f, 50.0f, 108.0f,
                  1.0f, 42.0f, 108.0, 1.0, 42.0},
        // Lower-case "b" is any other code: plate dimensions with load plates.
        BpropCase{"lower_case_b_is_another_code", code_lower_b, 1, 12.0f, 9.0f, 0.25f, 1.0f, 1,
                  11.5f, 8.5f, 1.5f, f(11.5 * 8.5 - 1.0 * (1.5 * 1.5 * pi_method) * 0.25),
                  f(2.0 * 11.5 / (11.5 - 1.5)), f(2.0 * (11.5 + 8.5) + 1.0 * pi_method * 1.5),
                  95.98285, 2.3, 44.7124},
        // Upper-case "B" takes the bearing's own dimensions even with load plates.
        BpropCase{"code_b_bearing_dimensions", code_b, 2, 12.0f, 9.0f, 0.25f, 1.0f, 1, 12.0f, 9.0f,
                  1.0f, f(12.0 * 9.0 - 1.0 * (1.0 * 1.0 * pi_method) * 0.25),
                  f(2.0 * 12.0 / (12.0 - 1.0)), f(2.0 * (12.0 + 9.0) + 1.0 * pi_method * 1.0),
                  108.0 - 0.7854, 24.0 / 11.0, 42.0 + 3.1416},
        // Four holes use n = 4 in A and P.
        BpropCase{"four_holes", code_b, 0, 20.0f, 10.0f, 0.25f, 2.0f, 4, 20.0f, 10.0f, 2.0f,
                  f(200.0 - 4.0 * (2.0 * 2.0 * pi_method) * 0.25), f(2.0 * 20.0 / (20.0 - 2.0)),
                  f(60.0 + 4.0 * pi_method * 2.0), 200.0 - 12.5664, 40.0 / 18.0, 60.0 + 25.1328}),
    [](const ::testing::TestParamInfo<BpropCase>& info) { return std::string(info.param.name); });

TEST(BearingProperties, HoleAsWideAsThePadGivesInfiniteFactor) {
    DesignFlags flags;
    CheckResults r(flags);
    r.width = 2.0f;
    r.length = 9.0f;
    r.diameter_of_hole = 2.0f;
    r.number_of_holes = 1;
    bprop(r);
    EXPECT_EQ(r.holes_factor, inf);  // 2 W / (W - D) = 4 / 0
    EXPECT_TRUE(std::isfinite(r.area));
    EXPECT_TRUE(std::isfinite(r.perimeter));

    r.width = 0.0f;
    r.diameter_of_hole = 0.0f;
    bprop(r);
    EXPECT_TRUE(std::isnan(r.holes_factor));  // 0 / 0
}

// ===========================================================================
// Compressive stress
// ===========================================================================

// A record with given section properties, for calling comp_stress directly.
CheckResults& section(CheckResults& r, float area, float perimeter) {
    r.area = area;
    r.perimeter = perimeter;
    return r;
}

TEST(CompressiveStress, PlainPad12By12By1At60Kips) {
    DesignFlags flags;
    CheckResults r(flags);
    r.width = 12.0f;
    r.length = 12.0f;
    r.thickness = 1.0f;
    r.total_load = 60.0f;
    bprop(r);
    const int no_effective_layer = comp_stress(r);

    const float s = f(144.0 / (1.0 * 48.0));
    const float s_over_b = f(w(s) / w(1.8f));
    EXPECT_EQ(r.cover_layer_thickness, 1.0f);
    EXPECT_EQ(r.shape_factor_cover, 3.0f);
    EXPECT_EQ(r.b_factor_cover, 1.8f);
    EXPECT_EQ(r.shape_ratio_cover, s_over_b);
    EXPECT_EQ(r.allowable_stress_cover, f(130.0 * w(s_over_b)));
    EXPECT_EQ(r.allowable_stress, r.allowable_stress_cover);
    EXPECT_EQ(r.elastomer_thickness, 1.0f);
    EXPECT_EQ(r.compressive_stress, f(1000.0 * 60.0 / 144.0));
    EXPECT_NEAR(r.shape_ratio_cover, 1.6667, 1e-4);
    EXPECT_NEAR(r.allowable_stress_cover, 216.67, 1e-2);
    EXPECT_NEAR(r.compressive_stress, 416.67, 1e-2);
    EXPECT_EQ(no_effective_layer, 0);
    // Fewer than two load plates: the internal-layer values are 0.
    EXPECT_EQ(r.internal_layer_thickness, 0.0f);
    EXPECT_EQ(r.shape_factor_internal, 0.0f);
    EXPECT_EQ(r.b_factor_internal, 0.0f);
    EXPECT_EQ(r.shape_ratio_internal, 0.0f);
    EXPECT_EQ(r.allowable_stress_internal, 0.0f);
}

TEST(CompressiveStress, PlainPadWithShapeFactor12IsBoundedTo800AndEffective) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.thickness = 0.25f;  // S = 144 / (0.25 x 48) = 12
    r.total_load = 60.0f;
    const int no_effective_layer = comp_stress(r);
    EXPECT_EQ(r.shape_factor_cover, 12.0f);
    EXPECT_NEAR(130.0 * w(r.shape_ratio_cover), 866.67, 1e-2);
    EXPECT_EQ(r.allowable_stress_cover, 800.0f);
    EXPECT_EQ(r.allowable_stress, 800.0f);
    EXPECT_EQ(r.elastomer_thickness, 0.25f);
    EXPECT_EQ(no_effective_layer, 0);
}

TEST(CompressiveStress, CoveredPadAboveRatio7_6923IsBoundedTo1000) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 1;
    r.load_plate_thickness = 0.25f;
    r.thickness = 0.75f;  // hri = 0.25, S = 12, S/B = 8.571
    r.total_load = 60.0f;
    const int no_effective_layer = comp_stress(r);
    EXPECT_EQ(r.cover_layer_thickness, f((0.75 - 0.25) * 0.5));
    EXPECT_EQ(r.b_factor_cover, 1.4f);
    EXPECT_EQ(r.shape_ratio_cover, f(w(r.shape_factor_cover) / w(1.4f)));
    EXPECT_GT(r.shape_ratio_cover, 1000.0f / 130.0f);
    EXPECT_EQ(r.allowable_stress_cover, 1000.0f);
    EXPECT_EQ(r.allowable_stress, 1000.0f);
    EXPECT_EQ(r.elastomer_thickness, f(0.75 - 0.25));
    EXPECT_EQ(no_effective_layer, 0);
}

TEST(CompressiveStress, TwoLoadPlatesWithEqualAllowablesTakeTheCommonValue) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.cover_thickness = 0.25f;
    r.internal_plate_count = 0;
    r.internal_plate_thickness = 0.0747f;
    r.thickness = 1.3f;  // internal hri 0.3: S = 10, S/B = 10; cover S/B = 8.57
    r.total_load = 60.0f;
    comp_stress(r);
    EXPECT_EQ(r.allowable_stress_cover, 1000.0f);
    EXPECT_EQ(r.allowable_stress_internal, 1000.0f);
    EXPECT_EQ(r.allowable_stress, 1000.0f);
}

TEST(CompressiveStress, TwoLoadPlatesLayerThicknessesAndMinimumAllowable) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.cover_thickness = 0.25f;
    r.internal_plate_count = 3;
    r.internal_plate_thickness = 0.0747f;
    r.thickness = 3.0f;
    r.total_load = 60.0f;
    const int no_effective_layer = comp_stress(r);
    const float hri = f((3.0 - 2.0 * w(0.25f) - 3.0 * w(0.0747f) - 2.0 * w(0.25f)) / (3.0 + 1.0));
    EXPECT_EQ(r.cover_layer_thickness, 0.25f);
    EXPECT_EQ(r.internal_layer_thickness, hri);
    const float si = f(144.0 / (w(hri) * 48.0));
    EXPECT_EQ(r.shape_factor_internal, si);
    EXPECT_EQ(r.b_factor_internal, 1.0f);
    EXPECT_EQ(r.shape_ratio_internal, si);
    EXPECT_EQ(r.allowable_stress_internal, f(130.0 * w(si)));
    EXPECT_EQ(r.allowable_stress, r.allowable_stress_internal);  // internal is the lower
    // Cover S = 12 (effective), internal S below 12: every layer counts.
    EXPECT_EQ(r.elastomer_thickness, f(4.0 * w(hri) + 2.0 * 0.25));
    EXPECT_EQ(no_effective_layer, 0);
}

TEST(CompressiveStress, StiffCoverLayersDropOutOfHrtOnly) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.cover_thickness = 0.24f;  // cover S = 144 / (0.24 x 48) = 12.5
    r.internal_plate_count = 0;
    r.internal_plate_thickness = 0.0747f;
    r.thickness = 1.355f;  // internal hri = 0.375, S = 8
    r.total_load = 60.0f;
    const int no_effective_layer = comp_stress(r);
    EXPECT_NEAR(r.shape_factor_cover, 12.5, 1e-5);
    EXPECT_NEAR(r.shape_factor_internal, 8.0, 1e-4);
    EXPECT_EQ(r.elastomer_thickness, f(1.0 * w(r.internal_layer_thickness)));
    EXPECT_EQ(r.allowable_stress_cover, 1000.0f);  // still computed
    EXPECT_EQ(no_effective_layer, 0);
}

TEST(CompressiveStress, StiffInternalLayersDropOutOfHrt) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.cover_thickness = 0.5f;  // cover S = 6
    r.internal_plate_count = 1;
    r.internal_plate_thickness = 0.0747f;
    r.thickness = f(1.5 + w(0.0747f) + 0.4);  // internal hri 0.2, S = 15
    r.total_load = 60.0f;
    const int no_effective_layer = comp_stress(r);
    EXPECT_GT(r.shape_factor_internal, 12.0f);
    EXPECT_EQ(r.elastomer_thickness, f(2.0 * 0.5));
    EXPECT_EQ(no_effective_layer, 0);
}

TEST(CompressiveStress, BothKindsStiffGiveNoEffectiveLayer) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.cover_thickness = 0.2f;
    r.internal_plate_count = 0;
    r.internal_plate_thickness = 0.0747f;
    r.thickness = 1.1f;  // internal hri 0.2
    r.total_load = 60.0f;
    EXPECT_EQ(comp_stress(r), 1);
    EXPECT_EQ(r.elastomer_thickness, 0.0f);
}

TEST(CompressiveStress, OneLoadPlateAboveShapeFactor12HasNoEffectiveLayer) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 1;
    r.load_plate_thickness = 0.25f;
    r.thickness = 0.65f;  // hri 0.2, S = 15
    r.total_load = 60.0f;
    EXPECT_EQ(comp_stress(r), 1);
    EXPECT_GT(r.shape_factor_cover, 12.0f);
    EXPECT_EQ(r.elastomer_thickness, 0.0f);
    EXPECT_EQ(r.allowable_stress_cover, 1000.0f);
}

TEST(CompressiveStress, ZeroThicknessAndZeroAreaFlowAsInfAndNaN) {
    DesignFlags flags;
    CheckResults r(flags);
    section(r, 144.0f, 48.0f);
    r.thickness = 0.0f;
    r.total_load = 60.0f;
    EXPECT_EQ(comp_stress(r), 1);  // infinite S exceeds 12
    EXPECT_EQ(r.shape_factor_cover, inf);
    EXPECT_EQ(r.allowable_stress_cover, 800.0f);
    EXPECT_EQ(r.elastomer_thickness, 0.0f);

    section(r, 0.0f, 0.0f);
    r.thickness = 1.0f;
    comp_stress(r);
    EXPECT_TRUE(std::isnan(r.shape_factor_cover));  // 0 / 0
    EXPECT_TRUE(std::isnan(r.allowable_stress_cover));
    EXPECT_EQ(r.compressive_stress, inf);  // 60000 / 0

    // Two load plates whose internal layer has no thickness left.
    section(r, 144.0f, 48.0f);
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.cover_thickness = 0.25f;
    r.internal_plate_count = 0;
    r.thickness = 1.0f;
    EXPECT_EQ(comp_stress(r), 0);  // the cover layers (S = 12) are still effective
    EXPECT_EQ(r.internal_layer_thickness, 0.0f);
    EXPECT_EQ(r.shape_factor_internal, inf);
    EXPECT_EQ(r.allowable_stress_internal, 1000.0f);
    EXPECT_EQ(r.elastomer_thickness, 0.5f);
}

// ===========================================================================
// Strain chart
// ===========================================================================

struct StrainCase {
    const char* name;
    float stress;
    float shape_ratio;
    float exact;  // the method's float result
    double text;  // the hand-computed figure
};

void PrintTo(const StrainCase& c, std::ostream* os) {
    *os << c.stress << " psi, S/B " << c.shape_ratio;
}

class StrainChartTable : public ::testing::TestWithParam<StrainCase> {};

TEST_P(StrainChartTable, Interpolates) {
    const StrainCase& c = GetParam();
    EXPECT_EQ(strain(c.stress, c.shape_ratio), c.exact);
    EXPECT_NEAR(strain(c.stress, c.shape_ratio), c.text, 5e-5);
}

// S/B = 18 lies in band 1 (20 to 16) with d = (20 - 18) / (20 - 16) = 0.5.
const float band1_v2 = f(w(1.6f) + w(f((20.0 - 18.0) / (20.0 - 16.0))) * (w(1.61f) - w(1.6f)));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, StrainChartTable,
    ::testing::Values(
        StrainCase{"band1_midway_at_step2", 291.0f, 18.0f, band1_v2, 1.605},
        StrainCase{"above_20_uses_the_20_curve", 436.5f, 25.0f, 2.0f, 2.0},
        StrainCase{"below_3_uses_the_3_curve", 436.5f, 2.5f, 5.8f, 5.8},
        StrainCase{"at_3_uses_the_3_curve", 291.0f, 3.0f, 4.2f, 4.2},
        // Column 2 is the first step at or above 200; the line through
        // columns 2 and 3 is extended below column 2.
        StrainCase{"between_steps_extends_line_below", 200.0f, 20.0f,
                   f(w(1.6f) + (w(2.0f) - w(1.6f)) * (200.0 - 145.5 * 2.0) / 145.5), 1.3498},
        // A stress of 0 gives 2 V(1) - V(2).
        StrainCase{"zero_stress", 0.0f, 20.0f,
                   f(w(1.0f) + (w(1.6f) - w(1.0f)) * (0.0 - 145.5) / 145.5), 0.4},
        // S/B = 16 falls in band 2, whose upper row is the S/B = 16 curve itself.
        StrainCase{"bound_16_is_its_own_curve", 873.0f, 16.0f, 3.0f, 3.0},
        StrainCase{"last_searched_column", 1891.5f, 20.0f, 4.1f, 4.1},
        // Above 1891.5 psi the line through columns 13 and 14 is extended.
        StrainCase{"at_column_14", 2037.0f, 20.0f, f(w(4.1f) + (w(4.2f) - w(4.1f)) * 1.0), 4.2},
        StrainCase{"far_above_the_chart", 5000.0f, 20.0f,
                   f(w(4.1f) + (w(4.2f) - w(4.1f)) * (5000.0 - 1891.5) / 145.5),
                   4.1 + 0.1 * (5000.0 - 1891.5) / 145.5},
        // A shape ratio inside band 7 (4 to 3) with d = 0.5 at column 1.
        StrainCase{"band7_midway", 145.5f, 3.5f,
                   f(w(2.1f) + w(f((4.0 - 3.5) / (4.0 - 3.0))) * (w(2.5f) - w(2.1f))), 2.3}),
    [](const ::testing::TestParamInfo<StrainCase>& info) { return std::string(info.param.name); });

TEST(StrainChart, EveryChartEntryAtItsStepAndBound) {
    // The corners and two inner entries of Figure 14.4.1.2B, as read off it.
    EXPECT_EQ(strain_chart[0][0], 1.0f);
    EXPECT_EQ(strain_chart[0][13], 4.2f);
    EXPECT_EQ(strain_chart[7][0], 2.5f);
    EXPECT_EQ(strain_chart[7][13], 16.0f);
    EXPECT_EQ(strain_chart[3][2], 2.05f);
    EXPECT_EQ(strain_chart[5][12], 10.2f);
    EXPECT_EQ(curve_bound[1], 16.0f);
    for (std::size_t k = 0; k < 8; ++k) {
        for (std::size_t j = 0; j < 14; ++j) {
            const float p = f(145.5 * static_cast<double>(j + 1));
            EXPECT_EQ(strain(p, curve_bound[k]), strain_chart[k][j])
                << "row " << k + 1 << " column " << j + 1;
        }
    }
}

TEST(StrainChart, NaNAndInfinitiesStayInsideTheChart) {
    // A NaN stress finds no column: the line through columns 13 and 14.
    EXPECT_TRUE(std::isnan(strain(nan_value, 20.0f)));
    // A NaN shape ratio selects no curve: the strain is NaN.
    EXPECT_TRUE(std::isnan(strain(436.5f, nan_value)));
    EXPECT_EQ(strain(436.5f, -inf), 5.8f);
    EXPECT_EQ(strain(436.5f, inf), 2.0f);
    EXPECT_EQ(strain(inf, 20.0f), inf);
    EXPECT_EQ(strain(-inf, 20.0f), -inf);
    EXPECT_TRUE(std::isnan(strain(nan_value, nan_value)));
}

// ===========================================================================
// Compressive deflection
// ===========================================================================

TEST(Deflection, PlainPadOneInchAtThreePercent) {
    DesignFlags flags;
    CheckResults r(flags);
    r.area = 100.0f;
    r.dead_load = 58.2f;
    r.total_load = 58.2f;
    r.shape_ratio_cover = 6.0f;  // the S/B = 6 curve: 3 % at 582 psi
    r.cover_layer_thickness = 1.0f;
    r.load_plate_count = 0;
    comp_defl(r);
    EXPECT_EQ(r.total_load_stress, 582.0f);
    EXPECT_EQ(r.strain_total_cover, 3.0f);
    EXPECT_EQ(r.deflection_total_cover, f(3.0 * 1.0 / 100.0));
    EXPECT_EQ(r.total_deflection_total, r.deflection_total_cover);
    const float creep = f(w(0.35f) * w(r.total_deflection_total));
    EXPECT_EQ(r.creep_total, creep);
    EXPECT_EQ(r.long_term_deflection_total, f(w(r.total_deflection_total) + w(creep)));
    EXPECT_NEAR(r.total_deflection_total, 0.03, 1e-7);
    EXPECT_NEAR(r.creep_total, 0.0105, 1e-7);
    EXPECT_NEAR(r.long_term_deflection_total, 0.0405, 1e-7);
    // Plain pad: the six internal values are 0.
    EXPECT_EQ(r.strain_dead_internal, 0.0f);
    EXPECT_EQ(r.strain_live_internal, 0.0f);
    EXPECT_EQ(r.strain_total_internal, 0.0f);
    EXPECT_EQ(r.deflection_dead_internal, 0.0f);
    EXPECT_EQ(r.deflection_live_internal, 0.0f);
    EXPECT_EQ(r.deflection_total_internal, 0.0f);
}

TEST(Deflection, ZeroLiveLoadStillDeflects) {
    DesignFlags flags;
    CheckResults r(flags);
    r.area = 100.0f;
    r.dead_load = 30.0f;
    r.total_load = 30.0f;
    r.shape_ratio_cover = 20.0f;
    r.cover_layer_thickness = 0.5f;
    r.load_plate_count = 1;
    comp_defl(r);
    EXPECT_EQ(r.live_load_stress, 0.0f);
    const float zero_stress_strain = f(w(1.0f) + (w(1.6f) - w(1.0f)) * (0.0 - 145.5) / 145.5);
    EXPECT_EQ(r.strain_live_cover, zero_stress_strain);
    EXPECT_NEAR(r.strain_live_cover, 0.4, 1e-6);
    EXPECT_EQ(r.deflection_live_cover, f(w(zero_stress_strain) * 0.5 / 100.0));
    EXPECT_GT(r.deflection_live_cover, 0.0f);
    // One load plate: two cover layers.
    EXPECT_EQ(r.total_deflection_live, f(2.0 * w(r.deflection_live_cover)));
}

TEST(Deflection, TwoLoadPlatesWithThreeInternalPlates) {
    DesignFlags flags;
    CheckResults r(flags);
    r.area = 144.0f;
    r.dead_load = 40.0f;
    r.total_load = 60.0f;
    r.shape_ratio_cover = 8.0f;
    r.shape_ratio_internal = 5.5f;
    r.cover_layer_thickness = 0.25f;
    r.internal_layer_thickness = 0.4f;
    r.load_plate_count = 2;
    r.internal_plate_count = 3;
    comp_defl(r);
    EXPECT_EQ(r.dead_load_stress, f(1000.0 * 40.0 / 144.0));
    EXPECT_EQ(r.live_load_stress, f(1000.0 * (60.0 - 40.0) / 144.0));
    EXPECT_EQ(r.total_load_stress, f(1000.0 * 60.0 / 144.0));
    EXPECT_EQ(r.strain_dead_internal, strain(r.dead_load_stress, 5.5f));
    EXPECT_EQ(r.deflection_dead_internal, f(w(r.strain_dead_internal) * w(0.4f) / 100.0));
    EXPECT_EQ(r.total_deflection_dead,
              f(2.0 * w(r.deflection_dead_cover) + 4.0 * w(r.deflection_dead_internal)));
    EXPECT_EQ(r.total_deflection_live,
              f(2.0 * w(r.deflection_live_cover) + 4.0 * w(r.deflection_live_internal)));
    EXPECT_EQ(r.total_deflection_total,
              f(2.0 * w(r.deflection_total_cover) + 4.0 * w(r.deflection_total_internal)));
}

TEST(Deflection, ZeroAreaGivesInfAndNaNWithoutCrash) {
    DesignFlags flags;
    CheckResults r(flags);
    r.area = 0.0f;
    r.dead_load = 40.0f;
    r.total_load = 40.0f;  // live 0: 0 / 0
    r.shape_ratio_cover = nan_value;
    r.cover_layer_thickness = 1.0f;
    comp_defl(r);
    EXPECT_EQ(r.dead_load_stress, inf);
    EXPECT_TRUE(std::isnan(r.live_load_stress));
    EXPECT_TRUE(std::isnan(r.strain_live_cover));
    EXPECT_TRUE(std::isnan(r.long_term_deflection_live));
}

// ===========================================================================
// Shear
// ===========================================================================

TEST(Shear, ConcreteBeam100Feet) {
    DesignFlags flags;
    CheckResults r(flags);
    r.beam_type = 1;
    r.distance_to_fixity = 100.0f;
    r.area = 144.0f;
    r.elastomer_thickness = 1.0f;
    shear(r);
    const float ds = f(100.0 * 70.0 * w(0.000006f) * 12.0);
    EXPECT_EQ(r.shear_deformation, ds);
    EXPECT_EQ(r.minimum_elastomer_thickness, f(2.0 * w(ds)));
    EXPECT_EQ(r.shear_force, f(200.0 * 144.0 * w(ds) / (1000.0 * 1.0)));
    EXPECT_NEAR(r.shear_deformation, 0.504, 1e-6);
    EXPECT_NEAR(r.minimum_elastomer_thickness, 1.008, 1e-6);
    EXPECT_NEAR(r.shear_force, 14.5152, 1e-4);
}

TEST(Shear, SteelBeam100Feet) {
    for (int beam_type : {0, 2}) {
        DesignFlags flags;
        CheckResults r(flags);
        r.beam_type = beam_type;
        r.distance_to_fixity = 100.0f;
        r.area = 144.0f;
        r.elastomer_thickness = 1.0f;
        shear(r);
        const float ds = f(100.0 * 120.0 * w(0.0000065f) * 12.0);
        EXPECT_EQ(r.shear_deformation, ds);
        EXPECT_EQ(r.minimum_elastomer_thickness, f(2.0 * w(ds)));
        EXPECT_NEAR(r.shear_deformation, 0.936, 1e-6);
        EXPECT_NEAR(r.minimum_elastomer_thickness, 1.872, 1e-6);
    }
}

TEST(Shear, DistanceZeroGivesZerosEvenWithoutElastomer) {
    DesignFlags flags;
    CheckResults r(flags);
    r.shear_deformation = 9.0f;
    r.minimum_elastomer_thickness = 9.0f;
    r.shear_force = 9.0f;
    r.beam_type = 1;
    r.distance_to_fixity = 0.0f;
    r.area = 144.0f;
    r.elastomer_thickness = 0.0f;
    shear(r);
    EXPECT_EQ(r.shear_deformation, 0.0f);
    EXPECT_EQ(r.minimum_elastomer_thickness, 0.0f);
    EXPECT_EQ(r.shear_force, 0.0f);
}

TEST(Shear, ZeroHrtWithDistanceGivesInfiniteForce) {
    DesignFlags flags;
    CheckResults r(flags);
    r.beam_type = 1;
    r.distance_to_fixity = 100.0f;
    r.area = 144.0f;
    r.elastomer_thickness = 0.0f;
    shear(r);
    EXPECT_EQ(r.shear_force, inf);
    r.area = 0.0f;
    shear(r);
    EXPECT_TRUE(std::isnan(r.shear_force));  // 0 / 0
}

// ===========================================================================
// Rotation and stability
// ===========================================================================

TEST(Rotation, Span80FeetOrdinate1_2) {
    for (float y : {1.2f, -1.2f}) {
        DesignFlags flags;
        CheckResults r(flags);
        r.design_span = 80.0f;
        r.rotation_y_dead = y;
        r.rotation_y_total = y;
        r.total_deflection_dead = 0.05f;
        r.total_deflection_total = 0.05f;
        r.effective_length = 9.0f;
        rotat(r);
        const float x = f(80.0 * 12.0 * 0.5);
        const float k = f(w(1.2f) / (w(x) * w(x)));
        EXPECT_EQ(r.rotation_x, 480.0f);
        EXPECT_EQ(r.rotation_x_total, 480.0f);
        EXPECT_EQ(r.rotation_y_dead_abs, 1.2f);
        EXPECT_EQ(r.rotation_k_dead, k);
        EXPECT_EQ(r.rotation_dead, f(2.0 * w(k) * w(x)));
        EXPECT_EQ(r.rotation_total, r.rotation_dead);
        EXPECT_NEAR(r.rotation_k_dead, 5.2083e-6, 1e-10);
        EXPECT_NEAR(r.rotation_dead, 0.005, 1e-9);
        // TOTAL DEFLECTION 0.05 with L = 9: 0.011111.
        EXPECT_EQ(r.rotation_allowable_dead, f(2.0 * w(0.05f) / 9.0));
        EXPECT_NEAR(r.rotation_allowable_dead, 0.011111, 1e-6);
        EXPECT_EQ(r.rotation_allowable_total, r.rotation_allowable_dead);
    }
}

TEST(Rotation, DesignSpanZeroGivesInfAndNaN) {
    DesignFlags flags;
    CheckResults r(flags);
    r.design_span = 0.0f;
    r.rotation_y_dead = 1.5f;
    r.rotation_y_total = 0.0f;
    r.effective_length = 9.0f;
    rotat(r);
    EXPECT_EQ(r.rotation_x, 0.0f);
    EXPECT_EQ(r.rotation_k_dead, inf);
    EXPECT_TRUE(std::isnan(r.rotation_dead));     // 2 x inf x 0
    EXPECT_TRUE(std::isnan(r.rotation_k_total));  // 0 / 0
    EXPECT_TRUE(std::isnan(r.rotation_total));
}

TEST(Stability, PlainPadAndReinforcedPad) {
    DesignFlags flags;
    CheckResults r(flags);
    r.effective_width = 12.0f;
    r.effective_length = 9.0f;
    r.load_plate_count = 0;
    stabil(r);
    EXPECT_EQ(r.stability_limit_width, f(12.0 / 5.0));
    EXPECT_EQ(r.stability_limit_length, f(9.0 / 5.0));
    EXPECT_NEAR(r.stability_limit_width, 2.4, 1e-6);
    EXPECT_NEAR(r.stability_limit_length, 1.8, 1e-6);
    for (int plates : {1, 2}) {
        r.load_plate_count = plates;
        stabil(r);
        EXPECT_EQ(r.stability_limit_width, 4.0f);
        EXPECT_EQ(r.stability_limit_length, 3.0f);
    }
}

// ===========================================================================
// Reinforcement and anchorage
// ===========================================================================

TEST(Reinforcement, OneQuarterInchLoadPlate) {
    DesignFlags flags;
    CheckResults r(flags);
    r.load_plate_count = 1;
    r.load_plate_thickness = 0.25f;
    r.cover_layer_thickness = 0.5f;
    r.area = 144.0f;
    r.holes_factor = 1.0f;
    r.total_load = 100.0f;
    r.live_load = 40.0f;
    r.internal_plate_actual_stress = 9.0f;  // stale: must be cleared
    reinf(r);
    EXPECT_EQ(r.load_plate_actual_stress, f(1000.0 * 100.0 * 0.25 / 144.0));
    EXPECT_NEAR(r.load_plate_actual_stress, 173.611, 1e-3);
    EXPECT_EQ(r.load_plate_minimum_stress, 850.0f);
    EXPECT_EQ(r.load_plate_working_stress, 850.0f);
    EXPECT_EQ(r.load_plate_allowable_stress, 5000.0f);
    EXPECT_EQ(r.load_plate_fatigue_stress, f(1000.0 * 40.0 * 0.25 / 144.0));
    EXPECT_NEAR(r.load_plate_fatigue_stress, 69.444, 1e-3);
    EXPECT_EQ(r.load_plate_allowable_fatigue, 2500.0f);
    EXPECT_EQ(r.internal_plate_actual_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_minimum_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_working_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_allowable_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_fatigue_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_allowable_fatigue, 0.0f);
}

TEST(Reinforcement, TwoLoadPlatesWithoutInternalPlates) {
    DesignFlags flags;
    CheckResults r(flags);
    r.load_plate_count = 2;
    r.internal_plate_count = 0;
    r.load_plate_thickness = 0.25f;
    r.internal_plate_thickness = 0.0747f;
    r.cover_layer_thickness = 0.25f;
    r.internal_layer_thickness = 0.4627f;
    r.area = 144.0f;
    r.holes_factor = 1.0f;
    r.total_load = 100.0f;
    r.live_load = 40.0f;
    reinf(r);
    const float t1 = f((w(0.4627f) + w(0.25f)) * 0.5);
    EXPECT_EQ(r.load_plate_minimum_stress, f(1700.0 * w(t1)));
    EXPECT_EQ(r.load_plate_working_stress, r.load_plate_minimum_stress);
    EXPECT_EQ(r.internal_plate_actual_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_minimum_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_working_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_allowable_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_fatigue_stress, 0.0f);
    EXPECT_EQ(r.internal_plate_allowable_fatigue, 0.0f);
}

TEST(Reinforcement, InternalPlatesAndWorkingStressTakesTheActual) {
    DesignFlags flags;
    CheckResults r(flags);
    r.load_plate_count = 2;
    r.internal_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.internal_plate_thickness = 0.0747f;
    r.cover_layer_thickness = 0.1f;
    r.internal_layer_thickness = 0.1f;
    r.area = 10.0f;
    r.holes_factor = 2.3f;
    r.total_load = 100.0f;
    r.live_load = 40.0f;
    reinf(r);
    EXPECT_EQ(r.internal_plate_actual_stress, f(1000.0 * 100.0 * w(0.0747f) / 10.0));
    EXPECT_EQ(r.internal_plate_minimum_stress, f(1700.0 * w(0.1f)));
    EXPECT_EQ(r.internal_plate_working_stress, r.internal_plate_actual_stress);  // 747 > 170
    EXPECT_EQ(r.internal_plate_allowable_stress, f(20000.0 * w(0.0747f) / w(2.3f)));
    EXPECT_EQ(r.internal_plate_fatigue_stress, f(1000.0 * 40.0 * w(0.0747f) / 10.0));
    EXPECT_EQ(r.internal_plate_allowable_fatigue, f(10000.0 * w(0.0747f) / w(2.3f)));
    EXPECT_EQ(r.load_plate_working_stress, r.load_plate_actual_stress);
}

TEST(Reinforcement, PlainPadHasNoPlateValues) {
    DesignFlags flags;
    CheckResults r(flags);
    r.load_plate_count = 0;
    r.load_plate_thickness = 0.25f;
    r.cover_layer_thickness = 0.5f;
    r.area = 144.0f;
    r.holes_factor = 1.0f;
    r.total_load = 100.0f;
    r.live_load = 40.0f;
    r.load_plate_actual_stress = 9.0f;
    reinf(r);
    for (float v : {r.load_plate_actual_stress, r.load_plate_minimum_stress,
                    r.load_plate_working_stress, r.load_plate_allowable_stress,
                    r.load_plate_fatigue_stress, r.load_plate_allowable_fatigue,
                    r.internal_plate_actual_stress, r.internal_plate_minimum_stress,
                    r.internal_plate_working_stress, r.internal_plate_allowable_stress,
                    r.internal_plate_fatigue_stress, r.internal_plate_allowable_fatigue}) {
        EXPECT_EQ(v, 0.0f);
    }
}

TEST(Reinforcement, InfiniteAndZeroHoleFactor) {
    DesignFlags flags;
    CheckResults r(flags);
    r.load_plate_count = 1;
    r.load_plate_thickness = 0.25f;
    r.cover_layer_thickness = 0.5f;
    r.area = 0.0f;
    r.holes_factor = inf;
    r.total_load = 100.0f;
    r.live_load = 0.0f;
    reinf(r);
    EXPECT_EQ(r.load_plate_allowable_stress, 0.0f);
    EXPECT_EQ(r.load_plate_actual_stress, inf);
    EXPECT_TRUE(std::isnan(r.load_plate_fatigue_stress));  // 0 / 0
    r.holes_factor = 0.0f;
    reinf(r);
    EXPECT_EQ(r.load_plate_allowable_stress, inf);
}

TEST(Reinforcement, AnchorageIsOneFifthOfTheDeadLoad) {
    DesignFlags flags;
    CheckResults r(flags);
    r.dead_load = 50.0f;
    anchor(r);
    EXPECT_EQ(r.anchorage_allowable, 10.0f);
    r.dead_load = 40.876f * 5.0f;
    anchor(r);
    EXPECT_EQ(r.anchorage_allowable, f(w(r.dead_load) / 5.0));
}

// ===========================================================================
// Check results record
// ===========================================================================

using FloatField = float CheckResults::*;
using IntField = std::int32_t CheckResults::*;

const std::array<FloatField, 71> computed_fields{
    &CheckResults::perimeter,
    &CheckResults::area,
    &CheckResults::internal_layer_thickness,
    &CheckResults::cover_layer_thickness,
    &CheckResults::compressive_stress,
    &CheckResults::allowable_stress_internal,
    &CheckResults::allowable_stress_cover,
    &CheckResults::elastomer_thickness,
    &CheckResults::shape_factor_internal,
    &CheckResults::shape_factor_cover,
    &CheckResults::shear_force,
    &CheckResults::anchorage_allowable,
    &CheckResults::minimum_elastomer_thickness,
    &CheckResults::shear_deformation,
    &CheckResults::load_plate_actual_stress,
    &CheckResults::internal_plate_actual_stress,
    &CheckResults::live_load_stress,
    &CheckResults::total_load_stress,
    &CheckResults::strain_live_cover,
    &CheckResults::strain_total_cover,
    &CheckResults::strain_live_internal,
    &CheckResults::strain_total_internal,
    &CheckResults::deflection_live_cover,
    &CheckResults::deflection_total_cover,
    &CheckResults::deflection_live_internal,
    &CheckResults::deflection_total_internal,
    &CheckResults::total_deflection_dead,
    &CheckResults::total_deflection_live,
    &CheckResults::total_deflection_total,
    &CheckResults::load_plate_allowable_stress,
    &CheckResults::load_plate_minimum_stress,
    &CheckResults::internal_plate_allowable_stress,
    &CheckResults::internal_plate_minimum_stress,
    &CheckResults::load_plate_fatigue_stress,
    &CheckResults::load_plate_allowable_fatigue,
    &CheckResults::internal_plate_fatigue_stress,
    &CheckResults::internal_plate_allowable_fatigue,
    &CheckResults::holes_factor,
    &CheckResults::rotation_dead,
    &CheckResults::rotation_allowable_dead,
    &CheckResults::rotation_total,
    &CheckResults::rotation_allowable_total,
    &CheckResults::rotation_x,
    &CheckResults::rotation_y_dead_abs,
    &CheckResults::rotation_k_dead,
    &CheckResults::rotation_x_total,
    &CheckResults::rotation_y_total_abs,
    &CheckResults::rotation_k_total,
    &CheckResults::effective_width,
    &CheckResults::effective_length,
    &CheckResults::effective_diameter,
    &CheckResults::shape_ratio_cover,
    &CheckResults::shape_ratio_internal,
    &CheckResults::b_factor_internal,
    &CheckResults::b_factor_cover,
    &CheckResults::stability_limit_width,
    &CheckResults::stability_limit_length,
    &CheckResults::load_plate_working_stress,
    &CheckResults::internal_plate_working_stress,
    &CheckResults::creep_dead,
    &CheckResults::creep_live,
    &CheckResults::creep_total,
    &CheckResults::long_term_deflection_dead,
    &CheckResults::long_term_deflection_live,
    &CheckResults::long_term_deflection_total,
    &CheckResults::dead_load_stress,
    &CheckResults::strain_dead_cover,
    &CheckResults::strain_dead_internal,
    &CheckResults::deflection_dead_cover,
    &CheckResults::deflection_dead_internal,
    &CheckResults::allowable_stress,
};

const std::array<FloatField, 15> input_float_fields{
    &CheckResults::thickness,
    &CheckResults::total_load,
    &CheckResults::load_plate_thickness,
    &CheckResults::internal_plate_thickness,
    &CheckResults::cover_thickness,
    &CheckResults::dead_load,
    &CheckResults::distance_to_fixity,
    &CheckResults::live_load,
    &CheckResults::design_span,
    &CheckResults::rotation_y_dead,
    &CheckResults::rotation_y_total,
    &CheckResults::length,
    &CheckResults::width,
    &CheckResults::side_cover,
    &CheckResults::diameter_of_hole,
};

const std::array<IntField, 5> input_int_fields{
    &CheckResults::load_plate_count, &CheckResults::internal_plate_count,
    &CheckResults::design_dimension, &CheckResults::number_of_holes,
    &CheckResults::beam_type,
};

TEST(CheckResultsRecord, ClearComputedFieldsKeepsTheInputs) {
    // 71 computed reals + 15 input reals + 5 integers + the code + the flags = 93.
    static_assert(
        computed_fields.size() + input_float_fields.size() + input_int_fields.size() + 2 == 93);
    DesignFlags flags;
    flags[5] = 1;
    CheckResults r(flags);
    float value = 1.0f;
    for (FloatField field : computed_fields) r.*field = (value += 1.0f);
    for (FloatField field : input_float_fields) r.*field = (value += 1.0f);
    int count = 100;
    for (IntField field : input_int_fields) r.*field = ++count;
    r.dimension_basis = code_b;

    clear_computed_fields(r);

    for (std::size_t i = 0; i < computed_fields.size(); ++i) {
        EXPECT_EQ(r.*computed_fields[i], 0.0f) << "computed field " << i;
    }
    value = 1.0f + static_cast<float>(computed_fields.size());
    for (FloatField field : input_float_fields) EXPECT_EQ(r.*field, (value += 1.0f));
    count = 100;
    for (IntField field : input_int_fields) EXPECT_EQ(r.*field, ++count);
    EXPECT_EQ(r.dimension_basis, code_b);
    EXPECT_EQ(r.design_flags.slots, flags.slots);  // the flags are no computed field
}

// ===========================================================================
// Analysis sequence
// ===========================================================================

TEST(AnalysisSequence, ReferenceReportValues) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_analysis(r);
    analysis(r);

    struct Printed {
        const char* what;
        float value;
        int decimals;
        const char* text;
    };
    const Printed values[] = {
        {"W", r.effective_width, 4, "11.5000"},
        {"L", r.effective_length, 4, "8.5000"},
        {"D", r.effective_diameter, 4, "1.5000"},
        {"A", r.area, 4, "95.9828"},
        {"F", r.holes_factor, 4, "2.3000"},
        {"P", r.perimeter, 4, "44.7124"},
        {"hri cover", r.cover_layer_thickness, 4, "0.2500"},
        {"hri internal", r.internal_layer_thickness, 4, "0.4627"},
        {"S cover", r.shape_factor_cover, 1, "8.6"},
        {"S internal", r.shape_factor_internal, 1, "4.6"},
        {"B cover", r.b_factor_cover, 1, "1.4"},
        {"B internal", r.b_factor_internal, 1, "1.0"},
        {"S/B cover", r.shape_ratio_cover, 1, "6.1"},
        {"S/B internal", r.shape_ratio_internal, 1, "4.6"},
        {"allowable cover", r.allowable_stress_cover, 0, "797"},
        {"allowable internal", r.allowable_stress_internal, 0, "603"},
        {"hrt", r.elastomer_thickness, 3, "1.425"},
        {"actual stress", r.compressive_stress, 0, "625"},
        {"minimum allowable", r.allowable_stress, 0, "603"},
        {"dead stress", r.dead_load_stress, 0, "417"},
        {"live stress", r.live_load_stress, 0, "208"},
        {"total stress", r.total_load_stress, 0, "625"},
        {"strain dead cover", r.strain_dead_cover, 1, "2.3"},
        {"strain dead internal", r.strain_dead_internal, 1, "3.4"},
        {"strain live cover", r.strain_live_cover, 1, "1.5"},
        {"strain live internal", r.strain_live_internal, 1, "2.2"},
        {"strain total cover", r.strain_total_cover, 1, "3.1"},
        {"strain total internal", r.strain_total_internal, 1, "4.4"},
        {"deflection dead cover", r.deflection_dead_cover, 4, "0.0058"},
        {"deflection dead internal", r.deflection_dead_internal, 4, "0.0155"},
        {"deflection live cover", r.deflection_live_cover, 4, "0.0036"},
        {"deflection live internal", r.deflection_live_internal, 4, "0.0101"},
        {"deflection total cover", r.deflection_total_cover, 4, "0.0078"},
        {"deflection total internal", r.deflection_total_internal, 4, "0.0203"},
        {"total deflection dead", r.total_deflection_dead, 4, "0.0426"},
        {"total deflection live", r.total_deflection_live, 4, "0.0276"},
        {"total deflection total", r.total_deflection_total, 4, "0.0562"},
        {"creep dead", r.creep_dead, 4, "0.0149"},
        {"creep live", r.creep_live, 4, "0.0097"},
        {"creep total", r.creep_total, 4, "0.0197"},
        {"long term dead", r.long_term_deflection_dead, 4, "0.0575"},
        {"long term live", r.long_term_deflection_live, 4, "0.0372"},
        {"long term total", r.long_term_deflection_total, 4, "0.0759"},
        {"Ds", r.shear_deformation, 3, "0.504"},
        {"minimum hrt", r.minimum_elastomer_thickness, 3, "1.008"},
        {"x", r.rotation_x, 3, "480.000"},
        {"x total", r.rotation_x_total, 3, "480.000"},
        {"y dead", r.rotation_y_dead_abs, 3, "1.500"},
        {"y total", r.rotation_y_total_abs, 3, "1.750"},
        {"k dead", r.rotation_k_dead, 9, "0.000006510"},
        {"k total", r.rotation_k_total, 9, "0.000007595"},
        {"theta dead", r.rotation_dead, 6, "0.006250"},
        {"theta total", r.rotation_total, 6, "0.007292"},
        {"allowable theta dead", r.rotation_allowable_dead, 6, "0.010015"},
        {"allowable theta total", r.rotation_allowable_total, 6, "0.013222"},
        {"W/3", r.stability_limit_width, 3, "3.833"},
        {"L/3", r.stability_limit_length, 3, "2.833"},
        {"load plate actual", r.load_plate_actual_stress, 0, "156"},
        {"load plate minimum", r.load_plate_minimum_stress, 0, "606"},
        {"internal plate actual", r.internal_plate_actual_stress, 0, "47"},
        {"internal plate minimum", r.internal_plate_minimum_stress, 0, "787"},
        {"load plate working", r.load_plate_working_stress, 0, "606"},
        {"load plate allowable", r.load_plate_allowable_stress, 0, "2174"},
        {"load plate fatigue", r.load_plate_fatigue_stress, 0, "52"},
        {"load plate allowable fatigue", r.load_plate_allowable_fatigue, 0, "1087"},
        {"internal plate working", r.internal_plate_working_stress, 0, "787"},
        {"internal plate allowable", r.internal_plate_allowable_stress, 0, "650"},
        {"internal plate fatigue", r.internal_plate_fatigue_stress, 0, "16"},
        {"internal plate allowable fatigue", r.internal_plate_allowable_fatigue, 0, "325"},
        {"H", r.shear_force, 3, "6.788"},
        {"anchorage allowable", r.anchorage_allowable, 3, "8.000"},
        {"thickness", r.thickness, 4, "2.0000"},
    };
    for (const Printed& p : values) EXPECT_EQ(printed(p.value, p.decimals), p.text) << p.what;

    // The inputs as entered; no flag set.
    EXPECT_EQ(r.width, 12.0f);
    EXPECT_EQ(r.length, 9.0f);
    EXPECT_EQ(r.load_plate_count, 2);
    EXPECT_EQ(r.internal_plate_count, 1);
    for (int slot = 1; slot <= 9; ++slot) EXPECT_EQ(flags[slot], 0) << "slot " << slot;
}

TEST(AnalysisSequence, OverstressedPadIsFullyComputedWithoutFlags) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_analysis(r);
    r.dead_load = 400.0f;
    r.live_load = 200.0f;
    r.total_load = 600.0f;
    analysis(r);
    EXPECT_GT(r.compressive_stress, r.allowable_stress);
    EXPECT_GT(r.compressive_stress, 1891.5f);  // beyond the chart: the line 13-14 extended
    EXPECT_TRUE(std::isfinite(r.strain_total_internal));
    EXPECT_GT(r.total_deflection_total, 0.0f);
    EXPECT_GT(r.rotation_allowable_total, 0.0f);
    EXPECT_GT(r.load_plate_actual_stress, 0.0f);
    EXPECT_EQ(r.anchorage_allowable, 80.0f);
    EXPECT_GT(r.stability_limit_length, 0.0f);
    for (int slot = 1; slot <= 9; ++slot) EXPECT_EQ(flags[slot], 0) << "slot " << slot;
}

TEST(AnalysisSequence, NoEffectiveLayerRunsToTheEnd) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_analysis(r);
    r.load_plate_count = 0;
    r.internal_plate_count = 0;
    r.number_of_holes = 0;
    r.thickness = 0.1f;  // S = 108 / (0.1 x 42) > 12
    analysis(r);
    EXPECT_EQ(r.elastomer_thickness, 0.0f);
    EXPECT_EQ(r.shear_force, inf);  // computed with hrt = 0
    EXPECT_EQ(r.anchorage_allowable, 8.0f);
    EXPECT_GT(r.stability_limit_width, 0.0f);
    for (int slot = 1; slot <= 9; ++slot) EXPECT_EQ(flags[slot], 0);
}

TEST(AnalysisSequence, PlainPadHasNoInternalOrPlateValuesAndStaleValuesAreCleared) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_analysis(r);
    r.load_plate_count = 0;
    r.internal_plate_count = 0;
    for (FloatField field : computed_fields) r.*field = 7.0f;  // stale values
    analysis(r);
    for (float v : {r.internal_layer_thickness,
                    r.shape_factor_internal,
                    r.b_factor_internal,
                    r.shape_ratio_internal,
                    r.allowable_stress_internal,
                    r.strain_dead_internal,
                    r.strain_live_internal,
                    r.strain_total_internal,
                    r.deflection_dead_internal,
                    r.deflection_live_internal,
                    r.deflection_total_internal,
                    r.load_plate_actual_stress,
                    r.load_plate_minimum_stress,
                    r.load_plate_working_stress,
                    r.load_plate_allowable_stress,
                    r.load_plate_fatigue_stress,
                    r.load_plate_allowable_fatigue,
                    r.internal_plate_actual_stress,
                    r.internal_plate_minimum_stress,
                    r.internal_plate_working_stress,
                    r.internal_plate_allowable_stress,
                    r.internal_plate_fatigue_stress,
                    r.internal_plate_allowable_fatigue}) {
        EXPECT_EQ(v, 0.0f);
    }
    EXPECT_EQ(r.effective_width, 12.0f);  // plain pad: the bearing's own dimensions
}

TEST(AnalysisSequence, ChangesOnlyComputedFields) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_analysis(r);
    std::array<float, input_float_fields.size()> floats{};
    std::array<std::int32_t, input_int_fields.size()> ints{};
    for (std::size_t i = 0; i < floats.size(); ++i) floats[i] = r.*input_float_fields[i];
    for (std::size_t i = 0; i < ints.size(); ++i) ints[i] = r.*input_int_fields[i];
    analysis(r);
    for (std::size_t i = 0; i < floats.size(); ++i) EXPECT_EQ(r.*input_float_fields[i], floats[i]);
    for (std::size_t i = 0; i < ints.size(); ++i) EXPECT_EQ(r.*input_int_fields[i], ints[i]);
    EXPECT_EQ(r.dimension_basis, blank_code);
}

TEST(AnalysisSequence, DegenerateInputsDoNotTrap) {
    for (float v : {0.0f, -1.0f, inf, -inf, nan_value}) {
        DesignFlags flags;
        CheckResults r(flags);
        fill_reference_analysis(r);
        for (FloatField field : input_float_fields) r.*field = v;
        analysis(r);
        design(r);
        SUCCEED();
    }
}

}  // namespace
}  // namespace bearingpad
