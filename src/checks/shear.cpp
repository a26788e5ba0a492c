// Shear: the shear deformation Ds (= Dh, the temperature movement), the
// minimum elastomer thickness 2 Ds and the design shear force H.
#include "checks/checks.h"
#include "checks/codes.h"
#include "checks/numeric.h"

namespace bearingpad {

namespace {
constexpr float concrete_temperature_range = 70.0f;  // degrees
constexpr float concrete_expansion = 0.000006f;      // per degree
constexpr float steel_temperature_range = 120.0f;    // degrees
constexpr float steel_expansion = 0.0000065f;        // per degree
constexpr double g_max = 200.0;                      // maximum shear modulus, psi
constexpr double inches_per_foot = 12.0;
}  // namespace

void shear(CheckResults& r) {
    if (r.distance_to_fixity == 0) {
        r.shear_deformation = 0;
        r.minimum_elastomer_thickness = 0;
        r.shear_force = 0;
        return;
    }
    const bool concrete = beam_kind(r.beam_type) == BeamKind::concrete;
    const float range = concrete ? concrete_temperature_range : steel_temperature_range;
    const float coefficient = concrete ? concrete_expansion : steel_expansion;

    r.shear_deformation =
        store(wide(r.distance_to_fixity) * wide(range) * wide(coefficient) * inches_per_foot);
    r.minimum_elastomer_thickness = store(2.0 * wide(r.shear_deformation));
    r.shear_force = store(g_max * wide(r.area) * wide(r.shear_deformation) /
                          (1000.0 * wide(r.elastomer_thickness)));
}

}  // namespace bearingpad
