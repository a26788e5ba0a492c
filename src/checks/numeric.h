// The numeric model of the method: every stored quantity is a 32-bit float,
// every formula is evaluated in double from its widened operands, and the
// result is rounded to float where it is stored. Constants of the method are
// written as float literals (the float nearest to their decimal text) and
// widened like any other operand.
#pragma once

namespace bearingpad {

// Widens a stored float (or a converted integer) for a formula.
constexpr double wide(float v) {
    return static_cast<double>(v);
}
constexpr double wide(int v) {
    return static_cast<double>(v);
}

// Rounds a formula's double result to the stored 32-bit float.
constexpr float store(double v) {
    return static_cast<float>(v);
}

}  // namespace bearingpad
