// bearingpad: designs and checks elastomeric bridge bearing pads by AASHTO
// 1992 Article 14.4.1, Design Method A. Without arguments the console
// dialogue asks for the input file and the report file; with arguments each
// input file named is solved into a report beside it (or explained).
#include <iostream>

#include "driver/command_line.h"
#include "driver/platform.h"
#include "driver/run.h"

int main(int argc, char** argv) {
    bearingpad::prepare_standard_streams();
    bearingpad::remove_temporaries_on_interrupt();
    bearingpad::SystemFileAccess files;
    bearingpad::RunEnvironment env{std::cin, std::cout, std::cerr, files,
                                   bearingpad::system_local_time};
    const std::vector<std::string> args = bearingpad::program_arguments(argc, argv);
    const int status =
        args.empty() ? bearingpad::run(env) : bearingpad::run_command_line(env, args);
    // A console window of the program's own stays until Enter.
    bearingpad::end_of_run();
    // A failed close of standard output is a failed run too.
    if (!bearingpad::close_standard_output() &&
        (status == 0 || status == bearingpad::status_marked)) {
        std::cerr << bearingpad::failure_line(
            bearingpad::RunTimeFailure{bearingpad::failure_write, bearingpad::console_unit, "CON"});
        return bearingpad::failure_write;
    }
    return status;
}
