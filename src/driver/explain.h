// Placeholder until the explanation of an input file lands.
#pragma once

#include <ostream>

#include "driver/file_access.h"

namespace bearingpad {

struct Explanation {};
Explanation explain_input(InputFile& input);
void write_explanation(const Explanation& e, std::ostream& out);
int mark_count(const Explanation& e);

}  // namespace bearingpad
