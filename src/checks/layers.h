// The elastomer layers of the pad's construction, counted as the compressive
// stress and deflection tables count them: hrt and the total deflections are
// summed over these layers.
#pragma once

#include <cstdint>

#include "checks/check_results.h"

namespace bearingpad {

struct LayerCounts {
    // Cover layers: 2 with one or two load plates, otherwise 1 (the plain pad).
    std::int32_t cover_layer_count = 1;
    // Internal layers: internal plates + 1 with two load plates, otherwise 0.
    std::int32_t internal_layer_count = 0;
};

// The counts for the pad's construction.
inline LayerCounts layer_counts(const CheckResults& r) {
    LayerCounts counts;
    counts.internal_layer_count = r.load_plate_count > 1 ? r.internal_plate_count + 1 : 0;
    counts.cover_layer_count = (r.load_plate_count == 1 || r.load_plate_count == 2) ? 2 : 1;
    return counts;
}

}  // namespace bearingpad
