#include "checks/verdict.h"

#include <cmath>

#include "checks/input_fields.h"
#include "checks/layers.h"
#include "checks/numeric.h"
#include "checks/result.h"

namespace bearingpad {

namespace {

// Why a value of a check is not a number to compare, or nothing.
const char* not_finite(float value) {
    if (std::isnan(value)) return "not a number";
    if (std::isinf(value)) return value > 0 ? "infinite" : "minus infinity";
    return nullptr;
}

class Reasons {
  public:
    void add(const InputField& f, std::string text) {
        reasons_.push_back({f.name, std::move(text)});
    }
    void add(std::string text) { reasons_.push_back({"", std::move(text)}); }
    // A dimension that must be above 0.
    void positive(const InputField& f, float value) {
        if (std::isfinite(value) && value <= 0) {
            add(f, value == 0 ? std::string("no ") + f.label + " (0 or blank)"
                              : std::string("the ") + f.label + " is below 0");
        }
    }
    // A value that may be 0 but not below.
    void not_negative(const InputField& f, float value) {
        if (value < 0) add(f, std::string("the ") + f.label + " is below 0");
    }
    std::vector<VerdictReason> take() { return std::move(reasons_); }

  private:
    std::vector<VerdictReason> reasons_;
};

}  // namespace

CheckVerdict check_verdict(const CheckDefinition& definition, float demand, float limit,
                           bool passed, std::string* reason) {
    std::string why;
    if (const char* d = not_finite(demand)) {
        why = std::string("the demand is ") + d;
    } else if (const char* l = not_finite(limit)) {
        why = std::string("the limit is ") + l;
    } else if (limit <= 0) {
        why = "the limit is 0 or below";
    } else if (demand < 0 && !definition.signed_demand) {
        why = "the demand is below 0";
    }
    if (reason != nullptr) *reason = why;
    if (!why.empty()) return CheckVerdict::not_evaluated;
    return passed ? CheckVerdict::passes : CheckVerdict::fails;
}

std::vector<VerdictReason> physical_reasons(const CheckResults& r, const ProblemRecord& used) {
    Reasons out;
    // Any value typed beyond a 32-bit real (1.E39) or otherwise not finite.
    for (const InputField& f : kInputFields) {
        if (f.member.real == nullptr) continue;
        if (const char* what = not_finite(used.*f.member.real)) {
            out.add(f, std::string("the ") + f.label + " is " + what);
        }
    }
    // The plan and the total thickness of the bearing as built (a design's
    // final bearing). A blank thickness is read as its allowance alone.
    out.positive(field::width, r.width);
    out.positive(field::length, r.length);
    if (std::isfinite(r.thickness) && r.thickness <= kThicknessAllowance) {
        out.add(field::thickness, r.thickness < 0 ? "the total thickness is below 0"
                                                  : "no total thickness (0 or blank)");
    }
    const bool plan = r.width > 0 && r.length > 0;
    const bool plates = r.load_plate_count > 0;
    if (plates) {
        out.not_negative(field::side_cover, r.side_cover);
        out.positive(field::cover_thickness, r.cover_thickness);
        out.positive(field::load_plate_thickness, r.load_plate_thickness);
        if (plan && r.side_cover >= 0 && (r.effective_width <= 0 || r.effective_length <= 0)) {
            out.add(field::side_cover, "the side cover leaves no steel plate in the plan");
        }
    }
    const LayerCounts layers = layer_counts(r);
    if (layers.internal_layer_count > 1) {
        out.positive(field::internal_plate_thickness, r.internal_plate_thickness);
    }
    // The holes: a diameter below 0, a hole as wide as the plan it is
    // taken from (the factor F divides by W - D), holes that take the area.
    if (r.number_of_holes > 0 && plan) {
        out.not_negative(field::diameter_of_hole, r.diameter_of_hole);
        if (r.area <= 0) {
            out.add(field::diameter_of_hole, "the holes' area reaches the plan's");
        } else if (r.effective_diameter >= r.effective_width ||
                   r.effective_diameter >= r.effective_length) {
            out.add(field::diameter_of_hole, "a hole is as wide as the plan or wider");
        }
    }
    // The steel and the elastomer layers within the total thickness.
    if (plates && r.thickness > kThicknessAllowance) {
        const double steel = wide(r.load_plate_count) * wide(r.load_plate_thickness) +
                             (layers.internal_layer_count > 1
                                  ? wide(r.internal_plate_count) * wide(r.internal_plate_thickness)
                                  : 0.0);
        // The thickness as typed, without its allowance.
        if (steel >= wide(store(wide(r.thickness) - wide(kThicknessAllowance)))) {
            out.add(field::thickness, "the steel plates add up to the total thickness or more");
        } else if (r.cover_layer_thickness <= 0 ||
                   (layers.internal_layer_count > 0 && r.internal_layer_thickness <= 0)) {
            out.add(field::cover_thickness, "an elastomer layer is 0 or below");
        }
    }
    // The loads and the beam.
    out.not_negative(field::dead_load, r.dead_load);
    out.not_negative(field::live_load, r.live_load);
    if (r.dead_load == 0 && r.live_load == 0) out.add(field::dead_load, "no load (0 or blank)");
    out.not_negative(field::distance_to_fixity, r.distance_to_fixity);
    // The span gives the end rotation (0 gives 0/0).
    out.positive(field::design_span, r.design_span);
    return out.take();
}

void settle_check_verdicts(Result& result) {
    const bool reached = result.end == ProblemEnd::solved && result.record &&
                         physical_reasons(*result.record, result.used).empty();
    for (CheckOutcome& c : result.checks) {
        if (!reached) {
            c.verdict = CheckVerdict::not_evaluated;
            c.reason = result.end == ProblemEnd::design_not_possible
                           ? "not reached: the design is not possible"
                           : "not evaluated: the bearing as used is not physical";
            c.remedy.reset();
            continue;
        }
        c.verdict = check_verdict(check_definition(c.id), c.demand, c.limit, c.passed, &c.reason);
        if (c.verdict != CheckVerdict::fails) c.remedy.reset();
    }
}

Verdict verdict_of(const Result& result) {
    Verdict v;
    switch (result.end) {
        case ProblemEnd::failure:
            v.word = VerdictWord::failure;
            return v;
        case ProblemEnd::rejected:
            v.word = VerdictWord::rejected;
            return v;
        case ProblemEnd::design_not_possible:
            v.word = VerdictWord::design_not_possible;
            return v;
        case ProblemEnd::no_problem:
            v.word = VerdictWord::not_evaluated;
            v.reasons.push_back({"", "no pad record in the input"});
            return v;
        case ProblemEnd::solved:
            break;
    }
    if (!result.record) {
        v.reasons.push_back({"", "no check results"});
        return v;
    }
    v.reasons = physical_reasons(*result.record, result.used);
    if (!v.reasons.empty()) return v;
    // The highest ratio governs; a check without a ratio (a step) governs
    // only where no other can.
    struct Candidate {
        bool any = false;
        float ratio = 0;
        std::optional<CheckId> id;
        std::optional<std::size_t> owner;
        void offer(float r, std::optional<CheckId> i, std::optional<std::size_t> o) {
            if (any && (std::isnan(r) || (!std::isnan(ratio) && !(r > ratio)))) return;
            any = true;
            ratio = r;
            id = i;
            owner = o;
        }
    };
    Candidate failing;
    Candidate passing;
    auto take = [&](CheckVerdict verdict, float ratio, std::optional<CheckId> id,
                    std::optional<std::size_t> owner, const std::string& name,
                    const std::string& reason) {
        if (verdict == CheckVerdict::fails) {
            ++v.failed_checks;
            failing.offer(ratio, id, owner);
        } else if (verdict == CheckVerdict::passes) {
            passing.offer(ratio, id, owner);
        } else {
            v.reasons.push_back({"", name + ": not evaluated, " + reason});
        }
    };
    for (const CheckOutcome& c : result.checks) {
        if (!c.applies) continue;
        take(c.verdict, c.ratio, c.id, std::nullopt, check_definition(c.id).name, c.reason);
    }
    for (std::size_t i = 0; i < result.owner_checks.size(); ++i) {
        const OwnerCheckOutcome& c = result.owner_checks[i];
        if (!c.applies) continue;
        take(c.verdict, c.ratio, std::nullopt, i, owner_check_name(c.id), c.reason);
    }
    if (failing.any) {
        // A failing check settles it, whatever another could not tell.
        v.word = VerdictWord::inadequate;
        v.reasons.clear();
        v.governing = failing.id;
        v.governing_owner = failing.owner;
        v.governing_ratio = failing.ratio;
    } else if (v.reasons.empty()) {
        v.word = VerdictWord::adequate;
        if (passing.any) {
            v.governing = passing.id;
            v.governing_owner = passing.owner;
            v.governing_ratio = passing.ratio;
        }
    }
    return v;
}

std::string governing_key(const Result& result, const Verdict& verdict) {
    if (verdict.governing) return check_definition(*verdict.governing).key;
    if (verdict.governing_owner && *verdict.governing_owner < result.owner_checks.size()) {
        return criterion_definition(result.owner_checks[*verdict.governing_owner].id).key;
    }
    return std::string();
}

std::string governing_name(const Result& result, const Verdict& verdict) {
    if (verdict.governing) return check_definition(*verdict.governing).name;
    if (verdict.governing_owner && *verdict.governing_owner < result.owner_checks.size()) {
        return owner_check_name(result.owner_checks[*verdict.governing_owner].id);
    }
    return std::string();
}

std::string rules_text(const Result& result) {
    if (result.owner_rules.empty()) return kAashtoRules;
    return std::string(kAashtoRules) + " and " + result.owner_rules;
}

const char* verdict_key(VerdictWord word) {
    switch (word) {
        case VerdictWord::adequate:
            return "adequate";
        case VerdictWord::inadequate:
            return "inadequate";
        case VerdictWord::design_not_possible:
            return "design_not_possible";
        case VerdictWord::rejected:
            return "rejected";
        case VerdictWord::failure:
            return "failure";
        case VerdictWord::not_evaluated:
            break;
    }
    return "not_evaluated";
}

const char* verdict_words(VerdictWord word) {
    switch (word) {
        case VerdictWord::design_not_possible:
            return "design not possible";
        case VerdictWord::not_evaluated:
            return "not evaluated";
        default:
            return verdict_key(word);
    }
}

const char* check_verdict_key(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::passes:
            return "passes";
        case CheckVerdict::fails:
            return "fails";
        case CheckVerdict::not_evaluated:
            break;
    }
    return "not_evaluated";
}

}  // namespace bearingpad
