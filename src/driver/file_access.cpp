// The parts of file access that every platform shares: the message numbers
// of failed opens and renames. The system calls stand in platform_posix.cpp
// and platform_windows.cpp.
#include "driver/file_access.h"

namespace bearingpad {

int open_failure_number(FileError error) {
    switch (error) {
        case FileError::not_found:
        case FileError::missing_folder:
            return failure_file_not_found;
        case FileError::access_denied:
            return failure_access_denied;
        case FileError::invalid_name:
            return failure_file_name;
        case FileError::exists:
            return failure_cannot_overwrite;
        case FileError::is_folder:
        case FileError::other:
            break;
    }
    return failure_open;
}

int create_failure_number(FileError error) {
    if (error == FileError::not_found || error == FileError::missing_folder) return failure_open;
    return open_failure_number(error);
}

int put_failure_number(FileError error) {
    switch (error) {
        case FileError::exists:
            return failure_cannot_overwrite;
        case FileError::access_denied:
            return failure_access_denied;
        default:
            return failure_write;
    }
}

bool has_nul(const std::string& name) {
    return name.find('\0') != std::string::npos;
}

}  // namespace bearingpad
