// Compressive stress: elastomer layers, shape factors, allowable stresses,
// the effective elastomer thickness hrt and the actual stress.
#include "checks/checks.h"
#include "checks/numeric.h"

namespace bearingpad {

namespace {
constexpr double g_min = 130.0;              // minimum shear modulus, psi
constexpr float b_cover = 1.4f;              // B of a cover layer
constexpr float b_internal = 1.0f;           // B of an internal layer
constexpr float b_plain = 1.8f;              // B of a plain pad
constexpr float bound_covered = 1000.0f;     // upper bound of the allowable, psi
constexpr float bound_plain = 800.0f;        // upper bound for a plain pad, psi
constexpr float shape_factor_limit = 12.0f;  // a layer stiffer than this is not effective

// S = A / (hri P).
float shape_factor(const CheckResults& r, float layer_thickness) {
    return store(wide(r.area) / (wide(layer_thickness) * wide(r.perimeter)));
}

// Gmin (S/B), but the bound where that exceeds it.
float allowable(float shape_ratio, float bound) {
    const float value = store(g_min * wide(shape_ratio));
    return value > bound ? bound : value;
}

void clear_internal_layer(CheckResults& r) {
    r.internal_layer_thickness = 0;
    r.shape_factor_internal = 0;
    r.b_factor_internal = 0;
    r.shape_ratio_internal = 0;
    r.allowable_stress_internal = 0;
}
}  // namespace

int comp_stress(CheckResults& r) {
    const float t = r.thickness;

    if (r.load_plate_count == 1) {
        // One load plate between two equal cover layers.
        r.cover_layer_thickness = store((wide(t) - wide(r.load_plate_thickness)) * 0.5);
        r.shape_factor_cover = shape_factor(r, r.cover_layer_thickness);
        r.b_factor_cover = b_cover;
        r.shape_ratio_cover = store(wide(r.shape_factor_cover) / wide(b_cover));
        r.allowable_stress_cover = allowable(r.shape_ratio_cover, bound_covered);
        r.allowable_stress = r.allowable_stress_cover;
        r.elastomer_thickness = store(wide(t) - wide(r.load_plate_thickness));
        if (r.shape_factor_cover > shape_factor_limit) r.elastomer_thickness = 0;
        clear_internal_layer(r);
    } else if (r.load_plate_count == 2) {
        // Two load plates, internal plates between them, a cover layer outside each.
        const double n = wide(r.internal_plate_count);
        r.cover_layer_thickness = r.cover_thickness;
        r.internal_layer_thickness =
            store((wide(t) - wide(r.load_plate_count) * wide(r.load_plate_thickness) -
                   n * wide(r.internal_plate_thickness) - 2.0 * wide(r.cover_thickness)) /
                  (n + 1.0));
        r.shape_factor_cover = shape_factor(r, r.cover_layer_thickness);
        r.b_factor_cover = b_cover;
        r.shape_ratio_cover = store(wide(r.shape_factor_cover) / wide(b_cover));
        r.shape_factor_internal = shape_factor(r, r.internal_layer_thickness);
        r.b_factor_internal = b_internal;
        r.shape_ratio_internal = store(wide(r.shape_factor_internal) / wide(b_internal));
        r.allowable_stress_cover = allowable(r.shape_ratio_cover, bound_covered);
        r.allowable_stress_internal = allowable(r.shape_ratio_internal, bound_covered);
        r.allowable_stress = (r.allowable_stress_internal <= r.allowable_stress_cover)
                                 ? r.allowable_stress_internal
                                 : r.allowable_stress_cover;

        const float s_internal = r.shape_factor_internal;
        const float s_cover = r.shape_factor_cover;
        r.elastomer_thickness = store((n + 1.0) * wide(r.internal_layer_thickness) +
                                      2.0 * wide(r.cover_layer_thickness));
        if (s_internal <= shape_factor_limit && s_cover > shape_factor_limit) {
            r.elastomer_thickness = store((n + 1.0) * wide(r.internal_layer_thickness));
        }
        if (s_internal > shape_factor_limit && s_cover <= shape_factor_limit) {
            r.elastomer_thickness = store(2.0 * wide(r.cover_layer_thickness));
        }
        if (s_internal > shape_factor_limit && s_cover > shape_factor_limit) {
            r.elastomer_thickness = 0;
        }
    } else {
        // Plain pad: one layer, the whole thickness.
        r.cover_layer_thickness = t;
        r.shape_factor_cover = shape_factor(r, r.cover_layer_thickness);
        r.b_factor_cover = b_plain;
        r.shape_ratio_cover = store(wide(r.shape_factor_cover) / wide(b_plain));
        r.allowable_stress_cover = allowable(r.shape_ratio_cover, bound_plain);
        r.allowable_stress = r.allowable_stress_cover;
        r.elastomer_thickness = t;
        if (r.shape_factor_cover > shape_factor_limit) r.elastomer_thickness = 0;
        clear_internal_layer(r);
    }

    r.compressive_stress = store(1000.0 * wide(r.total_load) / wide(r.area));

    const bool cover_not_effective =
        r.load_plate_count <= 1 && r.shape_factor_cover > shape_factor_limit;
    const bool both_not_effective =
        r.shape_factor_cover > shape_factor_limit && r.shape_factor_internal > shape_factor_limit;
    const bool no_thickness = r.elastomer_thickness == 0;
    return (cover_not_effective || both_not_effective || no_thickness) ? 1 : 0;
}

}  // namespace bearingpad
