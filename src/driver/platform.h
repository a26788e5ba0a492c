// What the run takes from the operating system besides its files: the local
// clock, the start-up and the end of the standard streams, and the program's
// arguments. One source per platform implements these and SystemFileAccess
// (platform_posix.cpp, platform_windows.cpp).
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace bearingpad {

// The local clock of the machine.
std::tm system_local_time();

// Prepares the process's standard streams before the dialogue, first thing:
// on POSIX descriptors 0, 1 and 2 that are closed are opened on the null
// device, so that no file of the run takes their numbers; every byte passes
// untranslated, and a console that went away does not kill the run
// before its report is closed. On Windows the text typed at the console is
// read as the console holds it and given in the name code page (see
// windows::name_code_page below), each character that the code page cannot
// hold as "?"; standard output and standard error are shown in the code page
// of the console, or for a file or a pipe the ANSI code page.
void prepare_standard_streams();

// Installs what removes the temporary files of the WholeFiles still open when
// the program is interrupted (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1,
// SIGUSR2, SIGALRM and SIGXFSZ; on Windows Ctrl-C, Ctrl-Break, the console
// closed, the session ended); the program then ends as the interruption ends
// it: on POSIX by the signal, on Windows with the status 0xC000013A
// (STATUS_CONTROL_C_EXIT), as the console ends an interrupted program. A
// signal that the program was started to ignore stays ignored. Called once
// by the program's entry.
void remove_temporaries_on_interrupt();

// Closes standard output at the end of the run, after its last byte; false
// when a byte or the close was refused (a full disk, a network file system
// that reports a failed write only at the close).
bool close_standard_output();

// The program's arguments after the program's name, as names that
// SystemFileAccess takes. POSIX: argv as given (the shell has expanded
// wildcards). Windows: the wide command line, each argument in the name code
// page; "*" and "?" in an argument's last part are expanded to the files
// (not folders) they match, in a fixed order, the folder part kept as typed,
// since cmd does not expand them; a pattern that matches nothing stays as
// typed. Arguments that start with "-" are never expanded. A character that
// the name code page cannot hold becomes "?", which no Windows file name
// contains, so that such a name is refused when it is opened and never
// designates another file.
std::vector<std::string> program_arguments(int argc, char** argv);

// What decides whether the program's console window stays open at the end of
// the run.
struct ConsoleFacts {
    bool has_console = false;        // the process has a console
    unsigned console_processes = 0;  // processes attached to it, this one included
    bool input_redirected = false;   // standard input is a file or a pipe
    bool output_redirected = false;  // standard output is a file or a pipe
};

// A console that belongs to the program alone was made for it (Explorer
// started it by a double-click): it closes, with the report's last words or
// a failure line in it, the moment the program ends. Started from a command
// prompt, a batch file or with redirected streams, the console is shared or
// not read, and nothing is waited for.
inline bool should_wait_before_exit(const ConsoleFacts& facts) {
    return facts.has_console && facts.console_processes == 1 && !facts.input_redirected &&
           !facts.output_redirected;
}

// Called last, after the report or a failure line: on Windows, when
// should_wait_before_exit holds, shows "Press Enter to close this window."
// and waits for Enter; otherwise, and on POSIX, does nothing.
void end_of_run();

namespace windows {

// Windows only (platform_windows.cpp). Names are single-byte text in the run
// and UTF-16 in the system: a name typed at the console, read from a
// redirected standard input or given as an argument is text in the name code
// page, the console's input code page, or the ANSI code page when the
// program has no console. SystemFileAccess converts each name to UTF-16 from
// it; a name that does not convert is refused (message 43).
unsigned name_code_page();
// Fixes the name code page (0: back to the system's choice above), for runs
// in-process that stand for a console of a given code page.
void set_name_code_page(unsigned code_page);
// Whether a long file name matches the last part of a wildcard pattern ("*"
// any run, "?" any one character, case ignored); the system's search also
// matches short 8.3 names, which this leaves out.
bool wildcard_matches(std::wstring_view pattern, std::wstring_view name);
// program_arguments from a given command line.
std::vector<std::string> arguments_of(std::wstring_view command_line);

}  // namespace windows

}  // namespace bearingpad
