// The bearing checks of AASHTO 1992 Article 14.4.1 and the two sequences that
// run them. Each routine reads and writes fields of the check results record in
// place, returns nothing and never fails; IEEE Inf and NaN flow through.
#pragma once

#include "checks/check_results.h"

namespace bearingpad {

// Bearing properties: W, L, D, area A, hole factor F, perimeter P.
void bprop(CheckResults& r);

// Article 14.4.1.1 compressive stress. Returns no_effective_layer (0 or 1).
int comp_stress(CheckResults& r);

// Figure 14.4.1.2B: compressive strain (%) at stress p (psi) on the curve for
// shape ratio s = S/B.
float strain(float p, float s);

// How strain(p, s) was read from the chart, for drawing it: the two
// neighbouring curves (the same index twice when s is at or beyond 20 or 3),
// the fraction d of the way from the upper to the lower one, the column j
// (1-based) whose line through columns j and j+1 is evaluated at p, and the
// interpolated curve's values at those two columns. Nothing for a NaN ratio.
struct StrainConstruction {
    int upper_curve = 0;  // index into curve_bound, stiffer curve
    int lower_curve = 0;
    float fraction = 0;  // d
    int column = 1;      // j
    float value_at_column = 0;
    float value_at_next = 0;
};
bool strain_construction(float p, float s, StrainConstruction& out);

// Article 14.4.1.2 compressive deflection, creep and long-term deflection.
void comp_defl(CheckResults& r);

// Article 14.4.1.3 shear deformation, minimum hrt and design shear force H.
void shear(CheckResults& r);

// Article 14.4.1.4 rotation about the transverse axis.
void rotat(CheckResults& r);

// Article 14.4.1.5 stability limits W/3, L/3 (W/5, L/5 for a plain pad).
void stabil(CheckResults& r);

// Article 14.4.1.6 plate stresses (PLI).
void reinf(CheckResults& r);

// Article 14.5 anchorage: allowable shear force (1/5 of the dead load).
void anchor(CheckResults& r);

// The construction that the bearing details show, set in place after the
// check sequence and before the report: the entered values that the pad's
// construction has no use for become 0 (top and bottom cover, side cover and
// load plate thickness without load plates, internal plate thickness without
// internal plates, hole diameter without holes), and with one load plate the
// top and bottom cover becomes (T - T2) / 2, the elastomer either side of the
// plate.
void construction_details(CheckResults& r);

// Analysis mode: every check once, in a fixed order; decides nothing.
void analysis(CheckResults& r);

// Design mode: the design search; sets slots 1, 2 or 9 of design_flags when
// no design is possible. Returns the number of passes it made.
int design(CheckResults& r);

}  // namespace bearingpad
