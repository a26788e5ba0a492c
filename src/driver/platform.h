// What the run takes from the operating system besides its files: the local
// clock, and the start-up of the standard streams. One source per platform
// implements these and SystemFileAccess (platform_posix.cpp,
// platform_windows.cpp).
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace bearingpad {

// The local clock of the machine.
std::tm system_local_time();

// Prepares the process's standard streams before the dialogue: every byte
// passes untranslated, and a console that went away does not kill the run
// before its report is closed.
void prepare_standard_streams();

// The program's arguments after its name, as names the system's file access
// takes.
std::vector<std::string> program_arguments(int argc, char** argv);

}  // namespace bearingpad
