// The run of the program from the console dialogue to the closing messages.
// Console streams, file access and the clock are parameters, so that a whole
// problem can be run in-process.
#pragma once

#include <ctime>
#include <functional>
#include <istream>
#include <ostream>

#include "driver/file_access.h"

namespace bearingpad {

struct RunEnvironment {
    std::istream& console_in;   // the typed names and the overwrite answer
    std::ostream& console_out;  // prompts and list-directed lines
    std::ostream& error_out;    // the run-time failure line
    FileAccess& files;
    std::function<std::tm()> local_time;  // the local date and time, taken once
};

// Runs one problem; returns the process exit status (0, or the message number
// of a run-time failure).
int run(RunEnvironment& env);

// The date "DD-MMM-YY" and time "HH:MM:SS" texts of the banner.
std::string date_text(const std::tm& t);
std::string time_text(const std::tm& t);

}  // namespace bearingpad
