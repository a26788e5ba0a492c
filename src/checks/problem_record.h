// The problem record: the values of the one problem of a run, as read from
// the three input records (title, pad, beam), decoded and prepared. The
// driver fills it; the report echoes it; the checks see its input fields
// through the check results.
#pragma once

#include <cstdint>
#include <string>

#include "checks/check_results.h"

namespace bearingpad {

enum class RunMode { design, analysis };

struct ProblemRecord {
    // Title record.
    std::string problem_number = std::string(4, ' ');  // columns 5-8, as typed
    std::string title = std::string(72, ' ');          // columns 9-80, as typed

    // Pad record, as read. Where the record layout gives a field a default
    // (checks/input_fields.h: the hole diameter, covers, plate thicknesses,
    // and a design's starting width, length and thickness), the preparation
    // of the pad data puts it in place of the value read.
    char run_mode = ' ';                        // "A" = analysis, anything else = design
    Text4 dimension_basis{' ', ' ', ' ', ' '};  // "B   " = bearing dimensions
    float width = 0;
    float length = 0;
    float thickness = 0;
    char hole_count_character = ' ';
    float diameter_of_hole = 0;
    float cover_thickness = 0;
    float side_cover = 0;
    char load_plate_count_character = ' ';
    float load_plate_thickness = 0;
    std::int32_t internal_plate_count = 0;
    float internal_plate_thickness = 0;

    // Beam record.
    char beam_type_character = ' ';  // "S" = steel, anything else = concrete
    std::int32_t beam_type = 1;      // 0 = steel ("S"), 1 = concrete
    float distance_to_fixity = 0;
    float design_span = 0;
    float dead_load = 0;
    float live_load = 0;
    float camber = 0;
    float dead_load_deflection = 0;
    float live_load_deflection = 0;

    // Decoded and derived values.
    std::int32_t number_of_holes = 0;
    std::int32_t load_plate_count = 0;
    float total_load = 0;
    float rotation_y_dead = 0;
    float rotation_y_total = 0;
    std::int32_t design_dimension = 0;  // 2 = the design enlarges the length
};

}  // namespace bearingpad
