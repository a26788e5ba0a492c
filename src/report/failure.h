// Run-time failures of the input/output layer: a failed file operation or
// conversion ends the run with one line on standard error and the message
// number as exit status.
#pragma once

#include <string>

namespace bearingpad {

// Unit numbers quoted in failure messages.
enum Unit : int { console_unit = 4, input_unit = 5, report_unit = 6 };

// Message numbers.
enum FailureNumber : int {
    failure_access_denied = 9,
    failure_cannot_overwrite = 10,
    failure_end_of_file = 24,
    failure_file_not_found = 29,
    failure_open = 30,
    failure_write = 38,
    failure_read = 39,
    failure_file_name = 43,
    failure_input_conversion = 64,
};

struct RunTimeFailure {
    int number;
    int unit;
    std::string file_name;  // absolute name of the file of that unit
};

// The message text with unit number and file name filled in, e.g.
// "file not found, unit 5, file /home/x/in.dat".
std::string failure_text(const RunTimeFailure& f);

// The whole failure line for standard error, CR LF included.
std::string failure_line(const RunTimeFailure& f);

// The short word naming the input/output layer in the severity prefix.
inline constexpr const char* kSeverityTag = "bpio";

}  // namespace bearingpad
