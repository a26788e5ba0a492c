// Bearing properties: the plan dimensions W, L, D and the section properties
// A (area excluding holes), F (factor due to holes) and P (perimeter including
// holes) that every later check uses.
#include "checks/checks.h"
#include "checks/codes.h"
#include "checks/numeric.h"

namespace bearingpad {

namespace {
constexpr float pi = 3.1416f;  // the method's value of pi
}  // namespace

void bprop(CheckResults& r) {
    if (properties_basis(r) == DimensionBasis::plate) {
        r.effective_width = store(wide(r.width) - 2.0 * wide(r.side_cover));
        r.effective_length = store(wide(r.length) - 2.0 * wide(r.side_cover));
        r.effective_diameter = store(wide(r.diameter_of_hole) + 2.0 * wide(r.side_cover));
    } else {
        r.effective_width = r.width;
        r.effective_length = r.length;
        r.effective_diameter = r.diameter_of_hole;
    }
    const double w = wide(r.effective_width);
    const double l = wide(r.effective_length);
    const double d = wide(r.effective_diameter);
    const float holes = static_cast<float>(r.number_of_holes);

    r.area = store(w * l - wide(holes) * (d * d * wide(pi)) * 0.25);
    r.holes_factor = (r.number_of_holes == 0) ? 1.0f : store(2.0 * w / (w - d));
    r.perimeter = store(2.0 * (w + l) + wide(holes) * wide(pi) * d);
}

}  // namespace bearingpad
