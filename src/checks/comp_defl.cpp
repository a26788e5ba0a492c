// Compressive deflection: the strain chart of Figure 14.4.1.2B, the strain
// interpolation, the layer and total deflections, creep and long-term
// deflection.
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "checks/checks.h"
#include "checks/numeric.h"
#include "checks/strain_chart.h"

namespace bearingpad {

namespace {

constexpr float stress_step = chart_stress_step;
constexpr std::size_t last_column = 13;  // the column search covers 1..13
constexpr float creep_fraction = 0.35f;

// The band of the chart for shape ratio s: the upper and lower curve and the
// fraction d between them (the same curve twice at or beyond the bounds).
struct Band {
    std::size_t upper;
    std::size_t lower;
    float d;
};

Band band_of(float s) {
    if (s >= curve_bound[0]) return {0, 0, 0.0f};
    // At or below 3 the S/B = 3 curve alone, so that the band search below
    // only ever sees 3 < s < 20 (strain() turns a NaN ratio away before this).
    if (s <= curve_bound[curve_count - 1]) return {curve_count - 1, curve_count - 1, 0.0f};
    std::size_t k = curve_count - 2;
    for (std::size_t band = 0; band + 1 < curve_count; ++band) {
        if (curve_bound[band + 1] < s && s <= curve_bound[band]) {
            k = band;
            break;
        }
    }
    const float d =
        store((wide(curve_bound[k]) - wide(s)) / (wide(curve_bound[k]) - wide(curve_bound[k + 1])));
    return {k, k + 1, d};
}

// Value of the curve for shape ratio s at (1-based) column m.
float curve_value(float s, std::size_t m) {
    const std::size_t i = m - 1;
    const Band b = band_of(s);
    if (b.upper == b.lower) return strain_chart[b.upper][i];
    return store(wide(strain_chart[b.upper][i]) +
                 wide(b.d) * (wide(strain_chart[b.lower][i]) - wide(strain_chart[b.upper][i])));
}

// The first step at or above p; above the 13th step (or for a NaN stress)
// the line through columns 13 and 14 is extended.
std::size_t column_of(float p) {
    for (std::size_t column = 1; column <= last_column; ++column) {
        if (wide(p) <= wide(stress_step) * wide(static_cast<int>(column))) return column;
    }
    return last_column;
}

}  // namespace

float strain(float p, float s) {
    // A shape ratio that is not a number selects no curve of the figure: the
    // strain is not a number either, and the deflections, creep and rotation
    // allowables computed from it follow, as every other check lets NaN flow.
    if (std::isnan(s)) return std::numeric_limits<float>::quiet_NaN();
    const std::size_t j = column_of(p);
    const float v_j = curve_value(s, j);
    const float v_next = curve_value(s, j + 1);
    return store(wide(v_j) + (wide(v_next) - wide(v_j)) *
                                 (wide(p) - wide(stress_step) * wide(static_cast<int>(j))) /
                                 wide(stress_step));
}

bool strain_construction(float p, float s, StrainConstruction& out) {
    if (std::isnan(s)) return false;
    const Band b = band_of(s);
    const std::size_t j = column_of(p);
    out.upper_curve = static_cast<int>(b.upper);
    out.lower_curve = static_cast<int>(b.lower);
    out.fraction = b.d;
    out.column = static_cast<int>(j);
    out.value_at_column = curve_value(s, j);
    out.value_at_next = curve_value(s, j + 1);
    return true;
}

namespace {

// Deflection of one layer: strain (%) times hri / 100.
float layer_deflection(float strain_percent, float layer_thickness) {
    return store(wide(strain_percent) * wide(layer_thickness) / 100.0);
}

// Sum over the layers of the layer deflection times the number of such layers.
float total_deflection(const CheckResults& r, float cover, float internal) {
    if (r.load_plate_count == 2) {
        return store(2.0 * wide(cover) + (wide(r.internal_plate_count) + 1.0) * wide(internal));
    }
    if (r.load_plate_count == 1) return store(2.0 * wide(cover));
    return cover;
}

}  // namespace

void comp_defl(CheckResults& r) {
    const double area = wide(r.area);
    r.dead_load_stress = store(1000.0 * wide(r.dead_load) / area);
    r.live_load_stress = store(1000.0 * (wide(r.total_load) - wide(r.dead_load)) / area);
    r.total_load_stress = store(1000.0 * wide(r.total_load) / area);

    r.strain_dead_cover = strain(r.dead_load_stress, r.shape_ratio_cover);
    r.strain_live_cover = strain(r.live_load_stress, r.shape_ratio_cover);
    r.strain_total_cover = strain(r.total_load_stress, r.shape_ratio_cover);
    r.deflection_dead_cover = layer_deflection(r.strain_dead_cover, r.cover_layer_thickness);
    r.deflection_live_cover = layer_deflection(r.strain_live_cover, r.cover_layer_thickness);
    r.deflection_total_cover = layer_deflection(r.strain_total_cover, r.cover_layer_thickness);

    if (r.load_plate_count == 2) {
        r.strain_dead_internal = strain(r.dead_load_stress, r.shape_ratio_internal);
        r.strain_live_internal = strain(r.live_load_stress, r.shape_ratio_internal);
        r.strain_total_internal = strain(r.total_load_stress, r.shape_ratio_internal);
        r.deflection_dead_internal =
            layer_deflection(r.strain_dead_internal, r.internal_layer_thickness);
        r.deflection_live_internal =
            layer_deflection(r.strain_live_internal, r.internal_layer_thickness);
        r.deflection_total_internal =
            layer_deflection(r.strain_total_internal, r.internal_layer_thickness);
    } else {
        r.strain_dead_internal = 0;
        r.strain_live_internal = 0;
        r.strain_total_internal = 0;
        r.deflection_dead_internal = 0;
        r.deflection_live_internal = 0;
        r.deflection_total_internal = 0;
    }

    r.total_deflection_dead =
        total_deflection(r, r.deflection_dead_cover, r.deflection_dead_internal);
    r.total_deflection_live =
        total_deflection(r, r.deflection_live_cover, r.deflection_live_internal);
    r.total_deflection_total =
        total_deflection(r, r.deflection_total_cover, r.deflection_total_internal);

    r.creep_dead = store(wide(creep_fraction) * wide(r.total_deflection_dead));
    r.creep_live = store(wide(creep_fraction) * wide(r.total_deflection_live));
    r.creep_total = store(wide(creep_fraction) * wide(r.total_deflection_total));
    r.long_term_deflection_dead = store(wide(r.total_deflection_dead) + wide(r.creep_dead));
    r.long_term_deflection_live = store(wide(r.total_deflection_live) + wide(r.creep_live));
    r.long_term_deflection_total = store(wide(r.total_deflection_total) + wide(r.creep_total));
}

}  // namespace bearingpad
