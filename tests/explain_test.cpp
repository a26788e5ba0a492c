// The explanation of an input file: the reading of every field and the marks
// on probable slips.
#include "driver/explain.h"

#include <gtest/gtest.h>

namespace bearingpad {
namespace {}  // namespace
}  // namespace bearingpad
