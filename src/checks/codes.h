// The codes of the input, decoded once: the beam type, the pad's construction
// and the dimensions its properties are taken from. Checks and report ask
// these queries instead of testing the codes themselves.
#pragma once

#include <cstdint>

#include "checks/check_results.h"

namespace bearingpad {

enum class BeamKind { concrete, steel };
enum class PadKind { plain, laminated };
enum class DimensionBasis { plate, bearing };

// Beam type 1 is a concrete beam; any other value (the driver sets 0 for an
// "S" in the beam record) a steel beam.
constexpr BeamKind beam_kind(std::int32_t beam_type) {
    return beam_type == 1 ? BeamKind::concrete : BeamKind::steel;
}

// A pad without load plates is a plain elastomer pad.
constexpr PadKind pad_kind(std::int32_t load_plate_count) {
    return load_plate_count == 0 ? PadKind::plain : PadKind::laminated;
}

// The properties are taken from the steel plates (the bearing less its side
// cover) when the pad has load plates and the dimension code is not "B";
// from the bearing's own dimensions otherwise (a plain pad always).
inline DimensionBasis properties_basis(const CheckResults& r) {
    constexpr Text4 bearing_dimensions{'B', ' ', ' ', ' '};
    return r.dimension_basis != bearing_dimensions &&
                   pad_kind(r.load_plate_count) == PadKind::laminated
               ? DimensionBasis::plate
               : DimensionBasis::bearing;
}

}  // namespace bearingpad
