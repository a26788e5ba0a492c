// The strain chart: the compressive stress-strain curves of Figure 14.4.1.2B
// for 60 durometer neoprene, 8 shape-factor curves by 14 stress steps.
#pragma once

#include <array>
#include <cstddef>

namespace bearingpad {

inline constexpr std::size_t curve_count = 8;
inline constexpr std::size_t step_count = 14;
// The compressive stress between two columns of the chart, psi.
inline constexpr float chart_stress_step = 145.5f;
using StrainCurve = std::array<float, step_count>;

// The shape ratio S/B of each curve, stiffest first.
inline constexpr std::array<float, curve_count> curve_bound{20.0f, 16.0f, 12.0f, 9.0f,
                                                            6.0f,  5.0f,  4.0f,  3.0f};

// Compressive strain (%) of each curve at the stresses 145.5 j psi, j = 1..14.
inline constexpr std::array<StrainCurve, curve_count> strain_chart{{
    {1.0f, 1.6f, 2.0f, 2.2f, 2.5f, 2.6f, 2.9f, 3.1f, 3.3f, 3.5f, 3.7f, 4.0f, 4.1f, 4.2f},
    {1.01f, 1.61f, 2.01f, 2.3f, 2.7f, 3.0f, 3.2f, 3.4f, 3.7f, 4.0f, 4.2f, 4.5f, 4.7f, 5.0f},
    {1.02f, 1.62f, 2.02f, 2.5f, 3.0f, 3.2f, 3.6f, 4.0f, 4.2f, 4.7f, 5.0f, 5.2f, 5.6f, 6.0f},
    {1.03f, 1.64f, 2.05f, 2.6f, 3.1f, 3.6f, 4.0f, 4.4f, 4.9f, 5.2f, 5.7f, 6.1f, 6.6f, 7.0f},
    {1.1f, 1.8f, 2.4f, 3.0f, 3.5f, 4.0f, 4.5f, 5.1f, 5.6f, 6.2f, 6.8f, 7.2f, 7.8f, 8.3f},
    {1.8f, 2.4f, 3.1f, 3.8f, 4.5f, 5.4f, 6.0f, 6.6f, 7.4f, 8.0f, 8.8f, 9.5f, 10.2f, 11.0f},
    {2.1f, 3.1f, 4.1f, 5.0f, 6.0f, 7.0f, 7.8f, 8.8f, 9.6f, 10.5f, 11.2f, 12.1f, 12.9f, 13.6f},
    {2.5f, 4.2f, 5.8f, 7.3f, 8.8f, 10.0f, 11.1f, 12.2f, 13.3f, 14.2f, 15.0f, 15.5f, 15.8f, 16.0f},
}};

}  // namespace bearingpad
