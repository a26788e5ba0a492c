// bearingpad: designs and checks elastomeric bridge bearing pads by AASHTO
// 1992 Article 14.4.1, Design Method A. The console dialogue asks for the
// input file and the report file; the report is written to the latter.
#include <iostream>

#include "driver/platform.h"
#include "driver/run.h"

int main() {
    bearingpad::prepare_standard_streams();
    bearingpad::SystemFileAccess files;
    bearingpad::RunEnvironment env{std::cin, std::cout, std::cerr, files,
                                   bearingpad::system_local_time};
    const int status = bearingpad::run(env);
    // A console window of the program's own stays until Enter.
    bearingpad::end_of_run();
    return status;
}
