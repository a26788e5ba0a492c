// The design search with its inner workings exposed for tests and tools: the
// named steps of the search and an optional observer that sees each step as
// it is entered.
#pragma once

#include <array>
#include <cstddef>

#include "checks/check_list.h"
#include "checks/check_results.h"

namespace bearingpad {

// The numbered steps of the design search.
enum class DesignStep : int {
    start = 1,
    restart = 2,
    properties = 3,
    pass = 4,
    thin_internal_layers = 5,
    no_effective_layer = 6,
    compressive_stress = 7,
    shear = 8,
    deflection_and_rotation = 9,
    reinforcement = 10,
    anchorage = 11,
    limits = 12,
    enlarge = 13,
    widen = 14,
    lengthen = 15,
    width_overflow = 16,
    length_overflow = 17,
};

// The remedies the search applies after a failed check, each a change to
// the bearing, in the search's own terms.
enum class Remedy {
    none,                    // the search takes no step for the check
    ends_search,             // a plate fails in fatigue: the search ends without a design
    thicker,                 // the total thickness one step thicker
    another_load_plate,      // one load plate more (a plain pad gets one, one plate gets two)
    another_internal_plate,  // one internal plate more
    wider,                   // the plan one step wider
    longer,                  // the plan one step longer
};

struct RemedyDefinition {
    Remedy id;
    const char* text;  // "0.125 in thicker"
};

// The texts carry the search's steps: 0.125 in of thickness, 1 in of plan.
inline constexpr std::array<RemedyDefinition, 7> kRemedies = {{
    {Remedy::none, "none: no step of the design search"},
    {Remedy::ends_search, "none: the design search ends (fatigue)"},
    {Remedy::thicker, "0.125 in thicker"},
    {Remedy::another_load_plate, "another load plate"},
    {Remedy::another_internal_plate, "another internal plate"},
    {Remedy::wider, "a plan 1 in wider"},
    {Remedy::longer, "a plan 1 in longer"},
}};

constexpr const RemedyDefinition& remedy_definition(Remedy remedy) {
    return kRemedies[static_cast<std::size_t>(remedy)];
}

// The remedy the design search takes first for the check on the record as
// it stands, when the check has failed: the same choice the search makes at
// the check's step (the search calls it there). For the working-load plate
// checks it is the search's own comparison, of the allowable with the
// minimum stress; for a pad too thick for the search's limit the first
// remedy of a stability check is the larger plan of the dimension designed.
Remedy remedy_for(CheckId id, const CheckResults& r);

// Called on entering every step, with the record as it stands then.
struct DesignObserver {
    void (*on_step)(void* context, DesignStep step, const CheckResults& r) = nullptr;
    void* context = nullptr;
};

// Runs the design search as design() does (clearing the computed fields
// first) and returns the number of passes entered, i.e. the number of times
// the pass counter was increased (2500 when the pass limit ended the search).
int design_search(CheckResults& r, DesignObserver observer = {});

}  // namespace bearingpad
