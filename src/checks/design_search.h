// The design search with its inner workings exposed for tests and tools: the
// named steps of the search and an optional observer that sees each step as
// it is entered.
#pragma once

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
