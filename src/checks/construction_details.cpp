// The pad's construction as its bearing details give it: the covers, the
// plate thicknesses and the hole diameter that the pad is built with, once
// the check sequence has settled the thickness and the plate counts.
#include "checks/checks.h"
#include "checks/numeric.h"

namespace bearingpad {

void construction_details(CheckResults& r) {
    // A plain pad has no plates for an elastomer cover to enclose.
    if (r.load_plate_count == 0) r.cover_thickness = 0;
    if (r.load_plate_count == 0) r.side_cover = 0;
    // With one load plate the top and bottom covers are the two elastomer
    // layers either side of the plate, (T - T2) / 2, whatever cover was
    // entered: the cover layer hri of Article 14.4.1.1.
    if (r.load_plate_count == 1) {
        r.cover_thickness = store((wide(r.thickness) - wide(r.load_plate_thickness)) * wide(0.5f));
    }
    if (r.load_plate_count == 0) r.load_plate_thickness = 0;
    if (r.internal_plate_count == 0) r.internal_plate_thickness = 0;
    if (r.number_of_holes == 0) r.diameter_of_hole = 0;
}

}  // namespace bearingpad
