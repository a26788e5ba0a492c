// Design mode: the design search. From the starting pad it repeats the checks
// and applies a fixed remedy after each failed check (a thicker pad, another
// load plate, another internal plate, a wider or longer plan) until every
// check passes, the pass limit is exceeded or a plate fails in fatigue.
//
// The search is a loop over its numbered steps; each pass begins at step 4.
// Every path back to an earlier step goes through step 4, which counts the
// pass, so the pass limit bounds the search whatever the values (NaN included).
#include <cstdint>
#include <optional>

#include "checks/check_list.h"
#include "checks/checks.h"
#include "checks/design_search.h"
#include "checks/numeric.h"

namespace bearingpad {

namespace {

constexpr double thickness_step = 0.125;           // in
constexpr float thin_layer_limit = 0.1f;           // in, internal layer thickness
constexpr float maximum_thickness = 4.25f;         // in
constexpr std::int64_t extra_internal_plates = 5;  // at most this many over the start count
constexpr float width_limit = 30.0f;               // in
constexpr float length_limit = 20.0f;              // in
constexpr double plan_step = 1.0;                  // in
constexpr int pass_limit = 2500;
constexpr std::int32_t enlarge_length = 2;  // design_dimension: 2 = length

void raise_thickness(CheckResults& r) {
    r.thickness = store(wide(r.thickness) + thickness_step);
}

void enlarge(float& dimension) {
    dimension = store(wide(dimension) + plan_step);
}

// The plan remedy of the dimension being designed.
Remedy larger_plan_remedy(const CheckResults& r) {
    return r.design_dimension == enlarge_length ? Remedy::longer : Remedy::wider;
}

// Step 7: the search compares the stress with the cover and the internal
// allowables one at a time: below two load plates another load plate for
// the cover, then a larger plan for the cover, another internal plate for
// the internal layers.
Remedy compressive_stress_remedy(const CheckResults& r) {
    const bool cover = r.allowable_stress_cover < r.compressive_stress;
    if (r.load_plate_count < 2) return cover ? Remedy::another_load_plate : Remedy::none;
    if (cover) return larger_plan_remedy(r);
    if (r.allowable_stress_internal < r.compressive_stress) return Remedy::another_internal_plate;
    return Remedy::none;
}

// Step 10: the working loads, the allowable against the minimum stress.
Remedy load_plate_remedy(const CheckResults& r) {
    if (!(r.load_plate_allowable_stress < r.load_plate_minimum_stress)) return Remedy::none;
    return r.load_plate_count < 2 ? Remedy::another_load_plate : Remedy::another_internal_plate;
}

Remedy internal_plate_remedy(const CheckResults& r) {
    if (r.load_plate_count < 2) return Remedy::none;
    return r.internal_plate_allowable_stress < r.internal_plate_minimum_stress
               ? Remedy::another_internal_plate
               : Remedy::none;
}

// Step 12: a pad thicker than the search's limit first gets the larger plan
// of the dimension designed, whatever the stability check.
Remedy stability_remedy(const CheckResults& r, Remedy own) {
    return r.thickness > maximum_thickness ? larger_plan_remedy(r) : own;
}

// True when internal_plate_count exceeds its start value by more than 5.
bool too_many_internal_plates(const CheckResults& r, std::int32_t start_internal) {
    return std::int64_t{r.internal_plate_count} - std::int64_t{start_internal} >
           extra_internal_plates;
}

class Search {
  public:
    Search(CheckResults& r, DesignObserver observer) : r_(r), observer_(observer) {}

    int run() {
        DesignStep step = DesignStep::start;
        for (;;) {
            notify(step);
            switch (step) {
                case DesignStep::start:
                    // Step 1: start. Keep the start values and the base plan.
                    start_thickness_ = r_.thickness;
                    start_internal_ = r_.internal_plate_count;
                    start_load_ = r_.load_plate_count;
                    base_width_ = r_.width;
                    base_length_ = r_.length;
                    pass_counter_ = 1;
                    step = DesignStep::restart;
                    break;

                case DesignStep::restart:
                    // Step 2: restart with the start thickness and plate counts.
                    r_.thickness = start_thickness_;
                    r_.internal_plate_count = start_internal_;
                    r_.load_plate_count = start_load_;
                    step = DesignStep::properties;
                    break;

                case DesignStep::properties:
                    // Step 3: bearing properties.
                    bprop(r_);
                    step = DesignStep::pass;
                    break;

                case DesignStep::pass:
                    // Step 4: a new pass; stability limits and compressive stress.
                    ++pass_counter_;
                    if (pass_counter_ > pass_limit) {
                        r_.design_flags.set(iteration_limit_reached);
                        return passes();
                    }
                    stabil(r_);
                    no_effective_layer_ = comp_stress(r_);
                    step = DesignStep::thin_internal_layers;
                    break;

                case DesignStep::thin_internal_layers:
                    // Step 5: internal layers 0.1 in thick or thinner.
                    if (r_.load_plate_count >= 2 &&
                        r_.internal_layer_thickness <= thin_layer_limit) {
                        raise_thickness(r_);
                        step = DesignStep::pass;
                    } else {
                        step = DesignStep::no_effective_layer;
                    }
                    break;

                case DesignStep::no_effective_layer:
                    // Step 6: no effective elastomer layer.
                    if (no_effective_layer_ == 1) {
                        raise_thickness(r_);
                        step = DesignStep::pass;
                    } else {
                        step = DesignStep::compressive_stress;
                    }
                    break;

                case DesignStep::compressive_stress:
                    step = compressive_stress();
                    break;

                case DesignStep::shear:
                    // Step 8: shear; hrt must be at least 2 Ds.
                    shear(r_);
                    step = remedy_if(CheckId::elastomer_thickness)
                               .value_or(DesignStep::deflection_and_rotation);
                    break;

                case DesignStep::deflection_and_rotation:
                    step = deflection_and_rotation();
                    break;

                case DesignStep::reinforcement: {
                    const std::optional<DesignStep> next = reinforcement();
                    if (!next) return passes();  // a plate failed in fatigue
                    step = *next;
                    break;
                }

                case DesignStep::anchorage: {
                    // Step 11: anchorage; the design shear force must not exceed
                    // one fifth of the dead load.
                    anchor(r_);
                    const std::optional<DesignStep> next = remedy_if(CheckId::anchorage);
                    if (!next) return passes();  // every check passed: the design is complete
                    step = *next;
                    break;
                }

                case DesignStep::enlarge:
                    // Step 13: enlarge the plan dimension being designed.
                    if (larger_plan_remedy(r_) == Remedy::longer) {
                        enlarge(r_.length);
                        step = (r_.length > length_limit) ? DesignStep::length_overflow
                                                          : DesignStep::restart;
                    } else {
                        enlarge(r_.width);
                        step = (r_.width > width_limit) ? DesignStep::width_overflow
                                                        : DesignStep::restart;
                    }
                    break;

                case DesignStep::widen:
                    // Step 14: too thick for the width.
                    enlarge(r_.width);
                    step =
                        (r_.width > width_limit) ? DesignStep::width_overflow : DesignStep::restart;
                    break;

                case DesignStep::lengthen:
                    // Step 15: too thick for the length.
                    enlarge(r_.length);
                    step = (r_.length > length_limit) ? DesignStep::length_overflow
                                                      : DesignStep::restart;
                    break;

                case DesignStep::width_overflow:
                    // Step 16: the width ran past its limit; a longer base plan.
                    enlarge(base_length_);
                    r_.length = base_length_;
                    r_.width = base_width_;
                    step = DesignStep::restart;
                    break;

                case DesignStep::length_overflow:
                    // Step 17: the length ran past its limit; a wider base plan.
                    enlarge(base_width_);
                    r_.width = base_width_;
                    r_.length = base_length_;
                    step = DesignStep::restart;
                    break;

                default:
                    // Step 12, the limits, is entered only from within steps 8,
                    // 9 and 11 (larger_plan); the loop never stands on it.
                    return passes();
            }
        }
    }

  private:
    // Step 7: compressive stress against the allowables. Not the report's
    // check: the search compares the stress with the cover and the internal
    // allowables one at a time, each with its own remedy (another load plate,
    // a larger plan, another internal plate), where the report compares it
    // with the lower of the two.
    DesignStep compressive_stress() {
        const Remedy remedy = remedy_for(CheckId::compressive_stress, r_);
        if (r_.load_plate_count < 2) {
            if (remedy == Remedy::another_load_plate) {
                ++r_.load_plate_count;
                return DesignStep::properties;  // plate dimensions may now apply
            }
            return DesignStep::shear;
        }
        if (remedy == Remedy::wider || remedy == Remedy::longer) return DesignStep::enlarge;
        if (remedy == Remedy::another_internal_plate) ++r_.internal_plate_count;
        if (too_many_internal_plates(r_, start_internal_)) return DesignStep::enlarge;
        if (remedy == Remedy::another_internal_plate) return DesignStep::pass;
        return DesignStep::shear;
    }

    // Step 9: compressive deflection and rotation, dead and then total load.
    DesignStep deflection_and_rotation() {
        comp_defl(r_);
        rotat(r_);
        if (const auto next = remedy_if(CheckId::rotation_dead)) return *next;
        return remedy_if(CheckId::rotation_total).value_or(DesignStep::reinforcement);
    }

    // Step 10: reinforcement. Returns no step when a fatigue check ends the
    // search (its slot of design_flags set). The fatigue checks are the
    // report's; the working-load remedies are not: the search compares the
    // allowable stress with the minimum stress 1700 T1 (a thinner layer
    // lowers it), where the report compares the working stress, the larger
    // of the actual and the minimum stress, with the allowable.
    std::optional<DesignStep> reinforcement() {
        reinf(r_);
        if (fails(r_, CheckId::load_plate_fatigue)) {
            r_.design_flags.set(load_plate_fatigue_failed);
            return std::nullopt;
        }
        if (fails(r_, CheckId::internal_plate_fatigue)) {
            r_.design_flags.set(internal_plate_fatigue_failed);
            return std::nullopt;
        }

        const Remedy load = remedy_for(CheckId::load_plate_working, r_);
        if (r_.load_plate_count < 2) {
            if (load == Remedy::another_load_plate) {
                r_.load_plate_count = r_.load_plate_count == 0 ? 1 : 2;
                return DesignStep::pass;
            }
        } else {
            // Another internal plate thins the layers and lowers the minimum stress.
            if (load == Remedy::another_internal_plate) ++r_.internal_plate_count;
            if (too_many_internal_plates(r_, start_internal_)) return DesignStep::enlarge;
            if (load == Remedy::another_internal_plate) return DesignStep::pass;

            const Remedy internal = remedy_for(CheckId::internal_plate_working, r_);
            if (internal == Remedy::another_internal_plate) ++r_.internal_plate_count;
            if (too_many_internal_plates(r_, start_internal_)) return DesignStep::enlarge;
            if (internal == Remedy::another_internal_plate) return DesignStep::pass;
        }
        return DesignStep::anchorage;
    }

    // The remedy of steps 8, 9 and 11: a pad that failed the check gets
    // the check's remedy (thicker); then the limits (step 12) are applied,
    // failed or not. Returns the step that enlarges the plan when the pad is
    // too thick for the limits, step 4 when the check failed, and nothing
    // when it passed.
    std::optional<DesignStep> remedy_if(CheckId id) {
        const bool failed = fails(r_, id);
        if (failed && remedy_for(id, r_) == Remedy::thicker) raise_thickness(r_);
        if (const auto larger = larger_plan()) return larger;
        if (failed) return DesignStep::pass;
        return std::nullopt;
    }

    // Step 12: limits. The step that enlarges the plan when the pad is too
    // thick for the limits, otherwise nothing.
    std::optional<DesignStep> larger_plan() {
        notify(DesignStep::limits);
        if (r_.thickness > maximum_thickness) return DesignStep::enlarge;
        for (const CheckId id : {CheckId::stability_width, CheckId::stability_length}) {
            if (!fails(r_, id)) continue;
            return remedy_for(id, r_) == Remedy::wider ? DesignStep::widen : DesignStep::lengthen;
        }
        return std::nullopt;
    }

    void notify(DesignStep step) const {
        if (observer_.on_step != nullptr) observer_.on_step(observer_.context, step, r_);
    }

    // The number of passes entered: the increases of the pass counter.
    int passes() const { return pass_counter_ - 1; }

    CheckResults& r_;
    DesignObserver observer_;
    int pass_counter_ = 1;
    float start_thickness_ = 0;
    std::int32_t start_internal_ = 0;
    std::int32_t start_load_ = 0;
    float base_width_ = 0;
    float base_length_ = 0;
    int no_effective_layer_ = 0;
};

}  // namespace

Remedy remedy_for(CheckId id, const CheckResults& r) {
    switch (id) {
        case CheckId::compressive_stress:
            return compressive_stress_remedy(r);
        case CheckId::elastomer_thickness:
        case CheckId::rotation_dead:
        case CheckId::rotation_total:
        case CheckId::anchorage:
            return Remedy::thicker;
        case CheckId::stability_width:
            return stability_remedy(r, Remedy::wider);
        case CheckId::stability_length:
            return stability_remedy(r, Remedy::longer);
        case CheckId::load_plate_working:
            return load_plate_remedy(r);
        case CheckId::internal_plate_working:
            return internal_plate_remedy(r);
        case CheckId::load_plate_fatigue:
        case CheckId::internal_plate_fatigue:
            break;
    }
    return Remedy::ends_search;
}

int design_search(CheckResults& r, DesignObserver observer) {
    clear_computed_fields(r);
    return Search(r, observer).run();
}

int design(CheckResults& r) {
    return design_search(r);
}

}  // namespace bearingpad
