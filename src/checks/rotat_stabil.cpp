// Rotation about the transverse axis (beam end slope from a parabola through
// the midspan ordinate, allowable from the pad's compressive deflection) and
// the stability limits on the thickness.
#include <cmath>

#include "checks/checks.h"
#include "checks/codes.h"
#include "checks/numeric.h"

namespace bearingpad {

namespace {
constexpr double inches_per_foot = 12.0;
constexpr float divisor_reinforced = 3.0f;
constexpr float divisor_plain = 5.0f;

struct RotationState {
    float y_abs;
    float k;
    float theta;
    float allowable;
};

// y = |ordinate|; k = y / x^2; ACTUAL theta = 2 k x; ALLOWABLE theta = 2 (TOTAL DEFLECTION) / L.
RotationState rotation_state(float x, float ordinate, float total_deflection, float l) {
    RotationState s{};
    s.y_abs = std::fabs(ordinate);
    s.k = store(wide(s.y_abs) / (wide(x) * wide(x)));
    s.theta = store(2.0 * wide(s.k) * wide(x));
    s.allowable = store(2.0 * wide(total_deflection) / wide(l));
    return s;
}
}  // namespace

void rotat(CheckResults& r) {
    const float x = store(wide(r.design_span) * inches_per_foot * 0.5);

    const RotationState dead =
        rotation_state(x, r.rotation_y_dead, r.total_deflection_dead, r.effective_length);
    r.rotation_x = x;
    r.rotation_y_dead_abs = dead.y_abs;
    r.rotation_k_dead = dead.k;
    r.rotation_dead = dead.theta;
    r.rotation_allowable_dead = dead.allowable;

    const RotationState total =
        rotation_state(x, r.rotation_y_total, r.total_deflection_total, r.effective_length);
    r.rotation_x_total = x;
    r.rotation_y_total_abs = total.y_abs;
    r.rotation_k_total = total.k;
    r.rotation_total = total.theta;
    r.rotation_allowable_total = total.allowable;
}

void stabil(CheckResults& r) {
    const float divisor =
        pad_kind(r.load_plate_count) == PadKind::laminated ? divisor_reinforced : divisor_plain;
    r.stability_limit_width = store(wide(r.effective_width) / wide(divisor));
    r.stability_limit_length = store(wide(r.effective_length) / wide(divisor));
}

}  // namespace bearingpad
