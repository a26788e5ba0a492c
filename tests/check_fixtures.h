// Engineering arithmetic and records shared by the tests of the checks and
// the design search (and the design benchmark).
#pragma once

#include <cstdio>
#include <string>

#include "checks/check_results.h"

namespace bearingpad::check_fixtures {

// A float operand widened, a result rounded to float.
inline double w(float v) {
    return static_cast<double>(v);
}
inline float f(double v) {
    return static_cast<float>(v);
}

constexpr Text4 blank_code{' ', ' ', ' ', ' '};
constexpr Text4 code_b{'B', ' ', ' ', ' '};

// A value as the report prints it with the given number of decimals.
inline std::string printed(float v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(v));
    return text;
}

// The reference design: start 22.25 x 17 in, blank thickness (0.50001 in),
// no holes, one 0.1875 in load plate, concrete beam 2.5 ft to fixity, span
// 144 ft, 204.38 + 71.86 kips, camber 0.75, deflections 0.6 and 0.34.
inline void fill_reference_design(CheckResults& r) {
    r.width = 22.25f;
    r.length = 17.0f;
    r.thickness = 0.50001f;
    r.number_of_holes = 0;
    r.diameter_of_hole = 2.75f;
    r.cover_thickness = 0.25f;
    r.side_cover = 0.25f;
    r.load_plate_count = 1;
    r.load_plate_thickness = 0.1875f;
    r.internal_plate_count = 0;
    r.internal_plate_thickness = 0.1046f;
    r.beam_type = 1;
    r.distance_to_fixity = 2.5f;
    r.design_span = 144.0f;
    r.dead_load = 204.38f;
    r.live_load = 71.86f;
    r.total_load = f(w(71.86f) + w(204.38f));
    r.rotation_y_dead = f(w(0.6f) + w(0.75f));
    r.rotation_y_total = f(w(r.rotation_y_dead) + w(0.34f));
    r.design_dimension = 0;
    r.dimension_basis = blank_code;
}

}  // namespace bearingpad::check_fixtures
