#include "checks/criteria.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "checks/input_fields.h"
#include "checks/layers.h"
#include "checks/numeric.h"
#include "checks/result.h"

namespace bearingpad {

namespace {

// How far a value lies from the nearest whole number of steps, in double.
double off_step(float value, float step) {
    const double v = wide(value);
    const double s = wide(step);
    return std::fabs(v - s * std::round(v / s));
}

// The verdict and ratio of one owner check from its numbers.
void settle(OwnerCheckOutcome& o, CriterionKind kind) {
    if (!o.applies) {
        o.verdict = CheckVerdict::passes;
        o.ratio = std::numeric_limits<float>::quiet_NaN();
        return;
    }
    if (!std::isfinite(o.demand)) {
        o.verdict = CheckVerdict::not_evaluated;
        o.reason = std::isnan(o.demand) ? "the demand is not a number" : "the demand is infinite";
        o.ratio = std::numeric_limits<float>::quiet_NaN();
        return;
    }
    bool failed = false;
    switch (kind) {
        case CriterionKind::at_most:
            failed = o.demand > o.limit;
            o.ratio = store(wide(o.demand) / wide(o.limit));
            break;
        case CriterionKind::at_least:
            failed = o.demand < o.limit;
            o.ratio = o.demand > 0 ? store(wide(o.limit) / wide(o.demand))
                                   : std::numeric_limits<float>::infinity();
            break;
        case CriterionKind::step:
        case CriterionKind::parameter:
            failed = o.demand > kStepTolerance;
            o.ratio = std::numeric_limits<float>::quiet_NaN();
            break;
    }
    o.verdict = failed ? CheckVerdict::fails : CheckVerdict::passes;
}

}  // namespace

std::string owner_check_name(CriterionId id) {
    return std::string("Owner: ") + criterion_definition(id).name;
}

const OwnerLimit* CriteriaSet::find(CriterionId id) const {
    for (const OwnerLimit& l : limits) {
        if (l.id == id) return &l;
    }
    return nullptr;
}

std::string CriteriaSet::rules_text() const {
    std::string source = document;
    if (!edition.empty()) source += (source.empty() ? "" : ", ") + edition;
    return source.empty() ? name : name + " (" + source + ")";
}

std::optional<CriteriaFault> contradiction(const CriteriaSet& set) {
    auto text = [](float v) {
        std::string t = std::to_string(v);
        t.erase(t.find_last_not_of('0') + 1);
        if (t.back() == '.') t.pop_back();
        return t;
    };
    const std::pair<CriterionId, CriterionId> pairs[] = {
        {CriterionId::min_thickness_in, CriterionId::max_thickness_in},
        {CriterionId::min_plate_in, CriterionId::max_plate_in},
    };
    for (const auto& [least, greatest] : pairs) {
        const OwnerLimit* lo = set.find(least);
        const OwnerLimit* hi = set.find(greatest);
        if (lo != nullptr && hi != nullptr && lo->value > hi->value) {
            const OwnerLimit* later = lo->line > hi->line ? lo : hi;
            return CriteriaFault{later->line, std::string("`") + criterion_definition(least).key +
                                                  "` (" + text(lo->value) + ") is above `" +
                                                  criterion_definition(greatest).key + "` (" +
                                                  text(hi->value) + ")"};
        }
    }
    const OwnerLimit* tall = set.find(CriterionId::min_side_cover_tall_in);
    const OwnerLimit* from = set.find(CriterionId::side_cover_tall_from_in);
    if ((tall == nullptr) != (from == nullptr)) {
        const OwnerLimit* given = tall != nullptr ? tall : from;
        return CriteriaFault{
            given->line,
            std::string("`") + criterion_definition(given->id).key + "` needs `" +
                criterion_definition(tall != nullptr ? CriterionId::side_cover_tall_from_in
                                                     : CriterionId::min_side_cover_tall_in)
                    .key +
                "` too"};
    }
    return std::nullopt;
}

std::vector<OwnerCheckOutcome> owner_checks(const CriteriaSet& set, const CheckResults& r) {
    const LayerCounts layers = layer_counts(r);
    const bool laminated = r.load_plate_count > 0;
    const bool internal_plates = layers.internal_layer_count > 1;
    const OwnerLimit* tall = set.find(CriterionId::side_cover_tall_from_in);
    // The total thickness as the report prints it: without the allowance
    // added to the thickness as read.
    const float thickness = store(wide(r.thickness) - wide(kThicknessAllowance));
    std::vector<OwnerCheckOutcome> out;
    for (const OwnerLimit& l : set.limits) {
        const CriterionDefinition& d = criterion_definition(l.id);
        if (d.kind == CriterionKind::parameter) continue;
        OwnerCheckOutcome o;
        o.id = l.id;
        o.limit = l.value;
        o.article = l.article;
        switch (l.id) {
            case CriterionId::max_stress_psi:
                o.demand = r.compressive_stress;
                break;
            case CriterionId::max_stress_plain_psi:
                o.demand = r.compressive_stress;
                o.applies = !laminated;
                break;
            case CriterionId::max_stress_laminated_psi:
                o.demand = r.compressive_stress;
                o.applies = laminated;
                break;
            case CriterionId::min_thickness_in:
            case CriterionId::max_thickness_in:
                o.demand = thickness;
                break;
            case CriterionId::max_elastomer_in:
                o.demand = r.elastomer_thickness;
                break;
            case CriterionId::max_plan_area_in2:
                o.demand = store(wide(r.width) * wide(r.length));
                break;
            case CriterionId::max_load_k:
                o.demand = r.total_load;
                break;
            case CriterionId::min_side_cover_in:
                o.demand = r.side_cover;
                o.applies = laminated && (tall == nullptr || thickness < tall->value);
                break;
            case CriterionId::min_side_cover_tall_in:
                o.demand = r.side_cover;
                o.applies = laminated && tall != nullptr && thickness >= tall->value;
                break;
            case CriterionId::max_cover_ratio:
                o.applies = laminated && layers.internal_layer_count > 0;
                o.demand =
                    o.applies
                        ? store(wide(r.cover_layer_thickness) / wide(r.internal_layer_thickness))
                        : 0.0f;
                break;
            case CriterionId::min_plate_in:
            case CriterionId::max_plate_in: {
                o.applies = laminated;
                const bool least = l.id == CriterionId::min_plate_in;
                o.demand = r.load_plate_thickness;
                if (laminated && internal_plates) {
                    o.demand = least ? std::min(o.demand, r.internal_plate_thickness)
                                     : std::max(o.demand, r.internal_plate_thickness);
                }
                break;
            }
            case CriterionId::plan_step_in:
                o.demand = store(std::max(off_step(r.width, l.value), off_step(r.length, l.value)));
                break;
            case CriterionId::thickness_step_in:
                o.demand = store(off_step(thickness, l.value));
                break;
            case CriterionId::side_cover_tall_from_in:
                break;
        }
        settle(o, d.kind);
        out.push_back(std::move(o));
    }
    return out;
}

void apply_criteria(Result& result, const CriteriaSet& set) {
    result.owner_rules = set.rules_text();
    result.owner_name = set.name;
    if (!result.record ||
        (result.end != ProblemEnd::solved && result.end != ProblemEnd::design_not_possible)) {
        return;
    }
    result.owner_checks = owner_checks(set, *result.record);
    const bool reached =
        result.end == ProblemEnd::solved && physical_reasons(*result.record, result.used).empty();
    if (reached) return;
    for (OwnerCheckOutcome& o : result.owner_checks) {
        o.verdict = CheckVerdict::not_evaluated;
        o.reason = result.end == ProblemEnd::design_not_possible
                       ? "not reached: the design is not possible"
                       : "not evaluated: the bearing as used is not physical";
    }
}

}  // namespace bearingpad
