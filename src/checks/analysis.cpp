// Analysis mode: every check once, in a fixed order, on the pad as entered.
#include "checks/checks.h"

namespace bearingpad {

void analysis(CheckResults& r) {
    clear_computed_fields(r);
    bprop(r);
    static_cast<void>(comp_stress(r));  // no_effective_layer is not acted on here
    shear(r);
    comp_defl(r);
    rotat(r);
    reinf(r);
    anchor(r);
    stabil(r);
}

}  // namespace bearingpad
