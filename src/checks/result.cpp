#include "checks/result.h"

#include <cmath>
#include <limits>

#include "checks/codes.h"
#include "checks/numeric.h"

namespace bearingpad {

namespace {

// Whether the pad has the plate a check is about.
bool applies(const CheckResults& r, CheckId id) {
    switch (id) {
        case CheckId::load_plate_working:
        case CheckId::load_plate_fatigue:
            return r.load_plate_count > 0;
        case CheckId::internal_plate_working:
        case CheckId::internal_plate_fatigue:
            return r.load_plate_count > 1 && r.internal_plate_count > 0;
        default:
            return true;
    }
}

}  // namespace

std::vector<CheckOutcome> check_outcomes(const CheckResults& r) {
    std::vector<CheckOutcome> outcomes;
    outcomes.reserve(kChecks.size());
    for (const CheckDefinition& c : kChecks) {
        CheckOutcome o;
        o.id = c.id;
        o.demand = r.*c.demand;
        o.limit = r.*c.limit;
        o.passed = !fails(r, c.id);
        // Demand over a positive limit. A limit of 0 or below (a plan typed
        // so small that the area or the allowables turn negative) leaves no
        // capacity to divide by: a failed check then has no bound (it
        // governs), a passed one no ratio.
        if (o.limit > 0) {
            o.ratio = store(wide(o.demand) / wide(o.limit));
        } else if (!o.passed) {
            o.ratio = std::numeric_limits<float>::infinity();
        } else {
            o.ratio = std::numeric_limits<float>::quiet_NaN();
        }
        o.applies = applies(r, c.id);
        o.verdict = check_verdict(c, o.demand, o.limit, o.passed, &o.reason);
        if (o.verdict == CheckVerdict::fails) o.remedy = remedy_for(c.id, r);
        outcomes.push_back(o);
    }
    return outcomes;
}

Bearing bearing_of(const CheckResults& r) {
    Bearing b;
    b.width = r.width;
    b.length = r.length;
    b.thickness = r.thickness;
    b.number_of_holes = r.number_of_holes;
    b.diameter_of_hole = r.diameter_of_hole;
    b.cover_thickness = r.cover_thickness;
    b.side_cover = r.side_cover;
    b.load_plate_count = r.load_plate_count;
    b.load_plate_thickness = r.load_plate_thickness;
    b.internal_plate_count = r.internal_plate_count;
    b.internal_plate_thickness = r.internal_plate_thickness;
    b.layers = layer_counts(r);
    b.internal_layer_thickness = r.internal_layer_thickness;
    b.cover_layer_thickness = r.cover_layer_thickness;
    b.shape_factor_internal = r.shape_factor_internal;
    b.shape_factor_cover = r.shape_factor_cover;
    b.elastomer_thickness = r.elastomer_thickness;
    b.properties_from_plates = properties_basis(r) == DimensionBasis::plate;
    return b;
}

const CheckOutcome* Result::governing_check() const {
    const CheckOutcome* governing = nullptr;
    for (const CheckOutcome& c : checks) {
        if (!c.applies || std::isnan(c.ratio)) continue;
        if (governing == nullptr || c.ratio > governing->ratio) governing = &c;
    }
    return governing;
}

}  // namespace bearingpad
