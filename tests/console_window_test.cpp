// Whether the console window waits for Enter at the end of the run, for the
// ways the program is started.
#include <gtest/gtest.h>

#include <vector>

#include "driver/platform.h"

namespace bearingpad {
namespace {

TEST(ConsoleWindow, WaitsOnlyInAConsoleOfItsOwn) {
    struct Start {
        const char* how;
        ConsoleFacts facts;
        bool waits;
    };
    // has console, processes on it, input redirected, output redirected
    const std::vector<Start> starts = {
        {"a double-click in Explorer", {true, 1, false, false}, true},
        {"a command prompt", {true, 2, false, false}, false},
        {"a batch file started from a prompt", {true, 3, false, false}, false},
        {"a batch file by a double-click", {true, 2, false, false}, false},
        {"its own console, names from a file", {true, 1, true, false}, false},
        {"its own console, output to a file", {true, 1, false, true}, false},
        {"no console (a service, pipes)", {false, 0, true, true}, false},
        {"the process list unreadable", {true, 0, false, false}, false},
    };
    for (const Start& s : starts) EXPECT_EQ(should_wait_before_exit(s.facts), s.waits) << s.how;
}

}  // namespace
}  // namespace bearingpad
