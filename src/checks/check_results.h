// The check results record: the one record shared by the driver, the bearing
// checks (AASHTO 1992 Article 14.4.1, Design Method A), the two sequences and
// the report writer. Fields stand in the order in which the record is handed
// to the design search, the analysis sequence and the report writer.
#pragma once

#include <array>
#include <cstdint>

namespace bearingpad {

// The run's outcome flags: nine 32-bit slots, numbered 1 to 9, 0 = clear,
// 1 = set. They only ever go from 0 to 1.
enum DesignFlag : int {
    iteration_limit_reached = 1,
    load_plate_fatigue_failed = 2,
    dimensions_missing = 3,
    internal_plates_not_allowed = 4,
    too_many_holes = 7,
    too_many_load_plates = 8,
    internal_plate_fatigue_failed = 9,
};

struct DesignFlags {
    std::array<std::int32_t, 9> slots{};

    std::int32_t& operator[](int slot) { return slots[static_cast<std::size_t>(slot - 1)]; }
    std::int32_t operator[](int slot) const { return slots[static_cast<std::size_t>(slot - 1)]; }
    void set(DesignFlag slot) { (*this)[slot] = 1; }
    bool is_set(DesignFlag slot) const { return (*this)[slot] == 1; }
};

// A 4-character text: a switch character followed by three blanks.
using Text4 = std::array<char, 4>;

struct CheckResults {
    CheckResults() = default;
    explicit CheckResults(const DesignFlags& flags) : design_flags(flags) {}

    float perimeter = 0;                         // 1  P, in
    float area = 0;                              // 2  A, in^2
    float thickness = 0;                         // 3  total bearing thickness, in
    std::int32_t load_plate_count = 0;           // 4
    std::int32_t internal_plate_count = 0;       // 5
    float total_load = 0;                        // 6  kips
    float load_plate_thickness = 0;              // 7  in
    float internal_plate_thickness = 0;          // 8  in
    float internal_layer_thickness = 0;          // 9  hri internal, in
    float cover_layer_thickness = 0;             // 10 hri cover, in
    float compressive_stress = 0;                // 11 psi
    float allowable_stress_internal = 0;         // 12 psi
    float allowable_stress_cover = 0;            // 13 psi
    float elastomer_thickness = 0;               // 14 hrt, in
    float shape_factor_internal = 0;             // 15
    float shape_factor_cover = 0;                // 16
    float cover_thickness = 0;                   // 17 in
    float shear_force = 0;                       // 18 H, kips
    float dead_load = 0;                         // 19 kips
    float anchorage_allowable = 0;               // 20 kips
    float distance_to_fixity = 0;                // 21 ft
    float minimum_elastomer_thickness = 0;       // 22 in
    float shear_deformation = 0;                 // 23 Ds, in
    float load_plate_actual_stress = 0;          // 24 PLI
    float internal_plate_actual_stress = 0;      // 25 PLI
    float live_load_stress = 0;                  // 26 psi
    float total_load_stress = 0;                 // 27 psi
    float strain_live_cover = 0;                 // 28 %
    float strain_total_cover = 0;                // 29 %
    float strain_live_internal = 0;              // 30 %
    float strain_total_internal = 0;             // 31 %
    float deflection_live_cover = 0;             // 32 in
    float deflection_total_cover = 0;            // 33 in
    float deflection_live_internal = 0;          // 34 in
    float deflection_total_internal = 0;         // 35 in
    float total_deflection_dead = 0;             // 36 in
    float total_deflection_live = 0;             // 37 in
    float total_deflection_total = 0;            // 38 in
    float load_plate_allowable_stress = 0;       // 39 PLI
    float load_plate_minimum_stress = 0;         // 40 PLI
    float internal_plate_allowable_stress = 0;   // 41 PLI
    float internal_plate_minimum_stress = 0;     // 42 PLI
    float load_plate_fatigue_stress = 0;         // 43 PLI
    float load_plate_allowable_fatigue = 0;      // 44 PLI
    float internal_plate_fatigue_stress = 0;     // 45 PLI
    float internal_plate_allowable_fatigue = 0;  // 46 PLI
    float holes_factor = 0;                      // 47 F
    float live_load = 0;                         // 48 kips
    float design_span = 0;                       // 49 ft
    float rotation_y_dead = 0;                   // 50 in
    float rotation_y_total = 0;                  // 51 in
    float rotation_dead = 0;                     // 52 rad
    float rotation_allowable_dead = 0;           // 53 rad
    float rotation_total = 0;                    // 54 rad
    Text4 dimension_basis{' ', ' ', ' ', ' '};   // 55 "B   " = bearing dimensions
    float rotation_allowable_total = 0;          // 56 rad
    float length = 0;                            // 57 in
    float rotation_x = 0;                        // 58 in
    float rotation_y_dead_abs = 0;               // 59 in
    float rotation_k_dead = 0;                   // 60 1/in
    float rotation_x_total = 0;                  // 61 in
    float rotation_y_total_abs = 0;              // 62 in
    float rotation_k_total = 0;                  // 63 1/in
    float width = 0;                             // 64 in
    float side_cover = 0;                        // 65 in
    float diameter_of_hole = 0;                  // 66 in
    float effective_width = 0;                   // 67 W, in
    float effective_length = 0;                  // 68 L, in
    float effective_diameter = 0;                // 69 D, in
    DesignFlags design_flags;                    // 70 the run's outcome flags
    float shape_ratio_cover = 0;                 // 71 S/B
    float shape_ratio_internal = 0;              // 72 S/B
    float b_factor_internal = 0;                 // 73 B
    float b_factor_cover = 0;                    // 74 B
    std::int32_t design_dimension = 0;           // 75 2 = length, otherwise width
    float stability_limit_width = 0;             // 76 in
    float stability_limit_length = 0;            // 77 in
    std::int32_t number_of_holes = 0;            // 78
    std::int32_t beam_type = 0;                  // 79 1 = concrete, otherwise steel
    float load_plate_working_stress = 0;         // 80 PLI
    float internal_plate_working_stress = 0;     // 81 PLI
    float creep_dead = 0;                        // 82 in
    float creep_live = 0;                        // 83 in
    float creep_total = 0;                       // 84 in
    float long_term_deflection_dead = 0;         // 85 in
    float long_term_deflection_live = 0;         // 86 in
    float long_term_deflection_total = 0;        // 87 in
    float dead_load_stress = 0;                  // 88 psi
    float strain_dead_cover = 0;                 // 89 %
    float strain_dead_internal = 0;              // 90 %
    float deflection_dead_cover = 0;             // 91 in
    float deflection_dead_internal = 0;          // 92 in
    float allowable_stress = 0;                  // 93 psi
};

// Sets every field that a check computes back to 0, leaving the input fields
// (those the driver fills and the design search changes) as they are.
void clear_computed_fields(CheckResults& r);

}  // namespace bearingpad
