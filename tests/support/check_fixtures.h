// Engineering arithmetic and records shared by the tests of the checks and
// the design search (and the design benchmark): the reference analysis and
// the reference design.
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

// The reference analysis: 12 x 9 x 2 in, one 1 in hole, covers 0.25 in, two
// 0.25 in load plates, one 0.0747 in internal plate, concrete beam 100 ft to
// fixity, span 80 ft, 40 + 20 kips, camber 1.0, deflections 0.5 and 0.25.
inline void fill_reference_analysis(CheckResults& r) {
    r.width = 12.0f;
    r.length = 9.0f;
    r.thickness = f(w(2.0f) + w(0.00001f));
    r.number_of_holes = 1;
    r.diameter_of_hole = 1.0f;
    r.cover_thickness = 0.25f;
    r.side_cover = 0.25f;
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.internal_plate_count = 1;
    r.internal_plate_thickness = 0.0747f;
    r.beam_type = 1;
    r.distance_to_fixity = 100.0f;
    r.design_span = 80.0f;
    r.dead_load = 40.0f;
    r.live_load = 20.0f;
    r.total_load = f(w(20.0f) + w(40.0f));
    r.rotation_y_dead = f(w(0.5f) + w(1.0f));
    r.rotation_y_total = f(w(r.rotation_y_dead) + w(0.25f));
    r.dimension_basis = blank_code;
}

}  // namespace bearingpad::check_fixtures
