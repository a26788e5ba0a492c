#include "driver/explain.h"

namespace bearingpad {

Explanation explain_input(InputFile&) {
    return {};
}
void write_explanation(const Explanation&, std::ostream&) {}
int mark_count(const Explanation&) {
    return 0;
}

}  // namespace bearingpad
