// Reinforcement: the plate stresses in pounds per linear inch (PLI) of the
// load plates and the internal plates. Anchorage: the allowable shear force.
#include "checks/checks.h"
#include "checks/numeric.h"

namespace bearingpad {

namespace {
constexpr double minimum_stress_factor = 1700.0;      // MINIMUM STRESS = 1700 T1
constexpr double allowable_factor = 20000.0;          // ALLOWABLE STRESS = 20,000 T2 / F
constexpr double allowable_fatigue_factor = 10000.0;  // ALLOWABLE FATIGUE = 10,000 T2 / F
constexpr double anchorage_divisor = 5.0;             // ALLOWABLE = (1/5) DEAD LOAD

struct PlateStresses {
    float actual = 0;
    float minimum = 0;
    float working = 0;
    float allowable = 0;
    float fatigue = 0;
    float allowable_fatigue = 0;
};

// The six stresses of one kind of plate of thickness t2 bonded to elastomer
// layers of mean thickness t1.
PlateStresses plate_stresses(const CheckResults& r, float t2, float t1) {
    PlateStresses s;
    s.actual = store(1000.0 * wide(r.total_load) * wide(t2) / wide(r.area));
    s.minimum = store(minimum_stress_factor * wide(t1));
    s.working = (s.minimum <= s.actual) ? s.actual : s.minimum;
    s.allowable = store(allowable_factor * wide(t2) / wide(r.holes_factor));
    s.fatigue = store(1000.0 * wide(r.live_load) * wide(t2) / wide(r.area));
    s.allowable_fatigue = store(allowable_fatigue_factor * wide(t2) / wide(r.holes_factor));
    return s;
}

void store_load_plate(CheckResults& r, const PlateStresses& s) {
    r.load_plate_actual_stress = s.actual;
    r.load_plate_minimum_stress = s.minimum;
    r.load_plate_working_stress = s.working;
    r.load_plate_allowable_stress = s.allowable;
    r.load_plate_fatigue_stress = s.fatigue;
    r.load_plate_allowable_fatigue = s.allowable_fatigue;
}

void store_internal_plate(CheckResults& r, const PlateStresses& s) {
    r.internal_plate_actual_stress = s.actual;
    r.internal_plate_minimum_stress = s.minimum;
    r.internal_plate_working_stress = s.working;
    r.internal_plate_allowable_stress = s.allowable;
    r.internal_plate_fatigue_stress = s.fatigue;
    r.internal_plate_allowable_fatigue = s.allowable_fatigue;
}
}  // namespace

void reinf(CheckResults& r) {
    if (r.load_plate_count == 1) {
        // Both layers bonded to the load plate are cover layers.
        store_load_plate(r, plate_stresses(r, r.load_plate_thickness, r.cover_layer_thickness));
        store_internal_plate(r, PlateStresses{});
    } else if (r.load_plate_count == 2) {
        // A cover layer on one side of the load plate, an internal layer on the other.
        const float t1 =
            store((wide(r.internal_layer_thickness) + wide(r.cover_layer_thickness)) * 0.5);
        store_load_plate(r, plate_stresses(r, r.load_plate_thickness, t1));
        if (r.internal_plate_count == 0) {
            store_internal_plate(r, PlateStresses{});
        } else {
            store_internal_plate(
                r, plate_stresses(r, r.internal_plate_thickness, r.internal_layer_thickness));
        }
    } else {
        store_load_plate(r, PlateStresses{});
        store_internal_plate(r, PlateStresses{});
    }
}

void anchor(CheckResults& r) {
    r.anchorage_allowable = store(wide(r.dead_load) / anchorage_divisor);
}

}  // namespace bearingpad
