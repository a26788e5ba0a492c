#include "report/failure.h"

namespace bearingpad {

namespace {

const char* message_format(int number) {
    switch (number) {
        case failure_access_denied:
            return "permission to access file denied";
        case failure_cannot_overwrite:
            return "cannot overwrite existing file";
        case failure_end_of_file:
            return "end-of-file during read";
        case failure_file_not_found:
            return "file not found";
        case failure_open:
            return "open failure";
        case failure_write:
            return "error during write";
        case failure_read:
            return "error during read";
        case failure_file_name:
            return "file name specification error";
        case failure_input_conversion:
            return "input conversion error";
        default:
            return "input/output error";
    }
}

}  // namespace

std::string failure_text(const RunTimeFailure& f) {
    return std::string(message_format(f.number)) + ", unit " + std::to_string(f.unit) + ", file " +
           f.file_name;
}

std::string failure_line(const RunTimeFailure& f) {
    return std::string(kSeverityTag) + ": severe (" + std::to_string(f.number) +
           "): " + failure_text(f) + "\r\n";
}

}  // namespace bearingpad
