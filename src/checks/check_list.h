// The checks of AASHTO 1992 Article 14.4.1 and 14.5 as data: for each check
// its name, article, the field that is the demand and the field that is its
// limit. Every check fails when its demand exceeds its limit; the comparison
// is strict, so a value equal to its limit passes, and a NaN compares false
// and passes. The report's warning lines, the design search (where its
// comparison is the same) and the results all decide a check here.
#pragma once

#include <array>
#include <cstddef>

#include "checks/check_results.h"

namespace bearingpad {

enum class CheckId {
    compressive_stress,      // 14.4.1.1: actual stress against the minimum allowable stress
    elastomer_thickness,     // 14.4.1.3: minimum hrt (2 Ds) against the hrt provided
    rotation_dead,           // 14.4.1.4: camber + dead load deflection
    rotation_total,          // 14.4.1.4: camber + dead load + live load deflection
    stability_width,         // 14.4.1.5: the total thickness against W/3 (W/5)
    stability_length,        // 14.4.1.5: the total thickness against L/3 (L/5)
    load_plate_working,      // 14.4.1.6: load plate working stress
    internal_plate_working,  // 14.4.1.6: internal plate working stress
    load_plate_fatigue,      // 14.4.1.6: load plate fatigue stress
    internal_plate_fatigue,  // 14.4.1.6: internal plate fatigue stress
    anchorage,               // 14.5: design shear force H against 1/5 of the dead load
};

struct CheckDefinition {
    CheckId id;
    const char* key;      // a lower-case identifier: "compressive_stress"
    const char* name;     // a few words: "Compressive stress"
    const char* article;  // "14.4.1.1"
    const char* unit;     // of the demand and the limit: "psi", "in", "rad", "PLI", "K"
    float CheckResults::*demand;
    float CheckResults::*limit;
    // Whether the demand may be below 0: a rotation may (a camber upward); a
    // stress, a thickness or a load may not, and such a demand is no check.
    bool signed_demand = false;
};

inline constexpr std::array<CheckDefinition, 11> kChecks = {{
    {CheckId::compressive_stress, "compressive_stress", "Compressive stress", "14.4.1.1", "psi",
     &CheckResults::compressive_stress, &CheckResults::allowable_stress},
    {CheckId::elastomer_thickness, "elastomer_thickness", "Shear deformation: total elastomer",
     "14.4.1.3", "in", &CheckResults::minimum_elastomer_thickness,
     &CheckResults::elastomer_thickness},
    {CheckId::rotation_dead, "rotation_dead", "Rotation, camber + dead load", "14.4.1.4", "rad",
     &CheckResults::rotation_dead, &CheckResults::rotation_allowable_dead, true},
    {CheckId::rotation_total, "rotation_total", "Rotation, camber + dead + live load", "14.4.1.4",
     "rad", &CheckResults::rotation_total, &CheckResults::rotation_allowable_total, true},
    {CheckId::stability_width, "stability_width", "Stability, width", "14.4.1.5", "in",
     &CheckResults::thickness, &CheckResults::stability_limit_width},
    {CheckId::stability_length, "stability_length", "Stability, length", "14.4.1.5", "in",
     &CheckResults::thickness, &CheckResults::stability_limit_length},
    {CheckId::load_plate_working, "load_plate_working", "Load plate, working loads", "14.4.1.6",
     "PLI", &CheckResults::load_plate_working_stress, &CheckResults::load_plate_allowable_stress},
    {CheckId::internal_plate_working, "internal_plate_working", "Internal plate, working loads",
     "14.4.1.6", "PLI", &CheckResults::internal_plate_working_stress,
     &CheckResults::internal_plate_allowable_stress},
    {CheckId::load_plate_fatigue, "load_plate_fatigue", "Load plate, fatigue", "14.4.1.6", "PLI",
     &CheckResults::load_plate_fatigue_stress, &CheckResults::load_plate_allowable_fatigue},
    {CheckId::internal_plate_fatigue, "internal_plate_fatigue", "Internal plate, fatigue",
     "14.4.1.6", "PLI", &CheckResults::internal_plate_fatigue_stress,
     &CheckResults::internal_plate_allowable_fatigue},
    {CheckId::anchorage, "anchorage", "Anchorage: bearing slip", "14.5", "K",
     &CheckResults::shear_force, &CheckResults::anchorage_allowable},
}};

constexpr const CheckDefinition& check_definition(CheckId id) {
    return kChecks[static_cast<std::size_t>(id)];
}

// Whether the check failed: its demand strictly above its limit.
inline bool fails(const CheckResults& r, CheckId id) {
    const CheckDefinition& c = check_definition(id);
    return r.*c.demand > r.*c.limit;
}

}  // namespace bearingpad
