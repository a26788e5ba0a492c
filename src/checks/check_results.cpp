#include "checks/check_results.h"

namespace bearingpad {

void clear_computed_fields(CheckResults& r) {
    // Bearing properties.
    r.perimeter = 0;
    r.area = 0;
    r.holes_factor = 0;
    r.effective_width = 0;
    r.effective_length = 0;
    r.effective_diameter = 0;

    // Compressive stress.
    r.internal_layer_thickness = 0;
    r.cover_layer_thickness = 0;
    r.compressive_stress = 0;
    r.allowable_stress_internal = 0;
    r.allowable_stress_cover = 0;
    r.elastomer_thickness = 0;
    r.shape_factor_internal = 0;
    r.shape_factor_cover = 0;
    r.shape_ratio_cover = 0;
    r.shape_ratio_internal = 0;
    r.b_factor_internal = 0;
    r.b_factor_cover = 0;
    r.allowable_stress = 0;

    // Shear and anchorage.
    r.shear_force = 0;
    r.anchorage_allowable = 0;
    r.minimum_elastomer_thickness = 0;
    r.shear_deformation = 0;

    // Compressive deflection.
    r.dead_load_stress = 0;
    r.live_load_stress = 0;
    r.total_load_stress = 0;
    r.strain_dead_cover = 0;
    r.strain_live_cover = 0;
    r.strain_total_cover = 0;
    r.strain_dead_internal = 0;
    r.strain_live_internal = 0;
    r.strain_total_internal = 0;
    r.deflection_dead_cover = 0;
    r.deflection_live_cover = 0;
    r.deflection_total_cover = 0;
    r.deflection_dead_internal = 0;
    r.deflection_live_internal = 0;
    r.deflection_total_internal = 0;
    r.total_deflection_dead = 0;
    r.total_deflection_live = 0;
    r.total_deflection_total = 0;
    r.creep_dead = 0;
    r.creep_live = 0;
    r.creep_total = 0;
    r.long_term_deflection_dead = 0;
    r.long_term_deflection_live = 0;
    r.long_term_deflection_total = 0;

    // Reinforcement.
    r.load_plate_actual_stress = 0;
    r.internal_plate_actual_stress = 0;
    r.load_plate_allowable_stress = 0;
    r.load_plate_minimum_stress = 0;
    r.internal_plate_allowable_stress = 0;
    r.internal_plate_minimum_stress = 0;
    r.load_plate_fatigue_stress = 0;
    r.load_plate_allowable_fatigue = 0;
    r.internal_plate_fatigue_stress = 0;
    r.internal_plate_allowable_fatigue = 0;
    r.load_plate_working_stress = 0;
    r.internal_plate_working_stress = 0;

    // Rotation and stability.
    r.rotation_dead = 0;
    r.rotation_allowable_dead = 0;
    r.rotation_total = 0;
    r.rotation_allowable_total = 0;
    r.rotation_x = 0;
    r.rotation_y_dead_abs = 0;
    r.rotation_k_dead = 0;
    r.rotation_x_total = 0;
    r.rotation_y_total_abs = 0;
    r.rotation_k_total = 0;
    r.stability_limit_width = 0;
    r.stability_limit_length = 0;
}

}  // namespace bearingpad
