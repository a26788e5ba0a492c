// The console dialogue of the program: the two file names, the overwrite
// question, the files opened, and the one problem solved. Console streams,
// file access and the clock are parameters, so that a whole run can be made
// in-process.
#pragma once

#include <ctime>
#include <functional>
#include <istream>
#include <ostream>

#include "driver/file_access.h"
#include "driver/solve.h"

namespace bearingpad {

struct RunEnvironment {
    std::istream& console_in;   // the typed names and the overwrite answer
    std::ostream& console_out;  // prompts and list-directed lines
    std::ostream& error_out;    // the run-time failure line
    FileAccess& files;
    std::function<std::tm()> local_time;  // the local date and time, taken once
};

// Runs one problem; returns the process exit status (0, or the message number
// of a run-time failure; 38 when standard output or standard error refused a
// write).
int run(RunEnvironment& env);

// Flushes standard output and standard error at the end of a run and tells
// whether either refused a write; when standard output did, the failure line
// (message 38 on the console unit) goes to standard error.
bool standard_streams_failed(RunEnvironment& env);

}  // namespace bearingpad
