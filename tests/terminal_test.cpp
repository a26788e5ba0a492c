// The built program at a real terminal: a pseudo-terminal stands for the
// console, the names are typed at the prompts as a person would (each line
// ended with the Return key), and the screen is read back with the terminal's
// echo. Every wait is bounded; a program that stops answering is killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace bearingpad::test_support;
using Clock = std::chrono::steady_clock;

constexpr auto kWait = std::chrono::seconds(20);

// The program running on the slave side of a pseudo-terminal, started in a
// given directory.
class TerminalSession {
  public:
    explicit TerminalSession(const fs::path& dir) {
        struct winsize size {};
        size.ws_row = 24;
        size.ws_col = 80;
        pid_ = ::forkpty(&master_, nullptr, nullptr, &size);
        if (pid_ == 0) {
            if (::chdir(dir.c_str()) != 0) ::_exit(126);
            ::execl(BEARINGPAD_EXE, BEARINGPAD_EXE, static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~TerminalSession() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0) ::close(master_);
    }

    bool started() const { return pid_ > 0 && master_ >= 0; }
    const std::string& screen() const { return screen_; }

    // Reads the screen until it holds the text after the position `from`;
    // false when the deadline passes or the terminal closes first.
    bool wait_for(const std::string& text, std::size_t from = 0) {
        const auto deadline = Clock::now() + kWait;
        while (screen_.find(text, from) == std::string::npos) {
            if (!read_some(deadline)) return false;
        }
        return true;
    }

    // A line typed at the keyboard: the characters, then Return.
    void type(const std::string& line) {
        const std::string keys = line + "\r";
        std::size_t done = 0;
        while (done < keys.size()) {
            const ssize_t n = ::write(master_, keys.data() + done, keys.size() - done);
            if (n <= 0) return;
            done += static_cast<std::size_t>(n);
        }
    }

    // Reads the rest of the screen and waits for the program's end; the exit
    // status, or -1 when it did not end in time (it is then killed).
    int finish() {
        const auto deadline = Clock::now() + kWait;
        while (read_some(deadline)) {
        }
        while (Clock::now() < deadline) {
            int raw = 0;
            const pid_t r = ::waitpid(pid_, &raw, WNOHANG);
            if (r == pid_) {
                exited_ = true;
                return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            }
            ::usleep(10000);
        }
        return -1;
    }

  private:
    // One read of whatever the terminal shows; false at its end or deadline.
    bool read_some(Clock::time_point deadline) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        struct pollfd p {};
        p.fd = master_;
        p.events = POLLIN;
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready <= 0) return false;
        char buf[4096];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        // EIO: the program has ended and closed the terminal.
        if (n <= 0) return false;
        screen_.append(buf, static_cast<std::size_t>(n));
        return true;
    }

    int master_ = -1;
    pid_t pid_ = -1;
    bool exited_ = false;
    std::string screen_;
};

const std::string kProblem =
    "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\n"
    " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
    "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";

// What the terminal shows of a text the program writes: with the usual
// output processing each line feed is shown as CR LF, so a record ended by
// CR LF arrives as CR CR LF.
std::string shown(const std::string& written) {
    std::string out;
    for (const char c : written) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const std::string kInputPrompt = " ENTER INPUT FILE NAME:";
const std::string kReportPrompt = " ENTER OUTPUT FILE NAME:";

// Both names typed at their prompts; the terminal echoes each name right
// after its prompt, on the same line, and Return moves to the next line.
// Gives the position on the screen after the second name's line.
std::size_t type_names(TerminalSession& t, const std::string& input, const std::string& report) {
    const std::string names = kInputPrompt + input + "\r\n" + kReportPrompt + report + "\r\n";
    if (!t.wait_for(kInputPrompt)) {
        ADD_FAILURE() << "no input prompt: " << t.screen();
        return t.screen().size();
    }
    t.type(input);
    if (!t.wait_for(kReportPrompt)) {
        ADD_FAILURE() << "no report prompt: " << t.screen();
        return t.screen().size();
    }
    t.type(report);
    EXPECT_TRUE(t.wait_for(names)) << t.screen();
    EXPECT_EQ(t.screen().rfind(names, 0), 0u) << t.screen();
    return names.size();
}

TEST(Terminal, NamesTypedAtThePromptsWriteTheReport) {
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    write_file(dir.path() / "bridge.dat", kProblem);
    TerminalSession t(dir.path());
    if (!t.started()) GTEST_SKIP() << "no pseudo-terminal";

    type_names(t, "bridge.dat", "bridge.rpt");
    EXPECT_EQ(t.finish(), 0) << t.screen();
    // Nothing else appears on the screen.
    EXPECT_EQ(t.screen(), kInputPrompt + "bridge.dat\r\n" + kReportPrompt + "bridge.rpt\r\n");

    const std::string report = read_file(dir.path() / "bridge.rpt");
    EXPECT_NE(report.find("ROUTE 9 OVER MILL CREEK"), std::string::npos);
    EXPECT_NE(report.find("THIS IS AN ANALYSIS"), std::string::npos);
    EXPECT_NE(report.find("PAGE 5"), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
    EXPECT_EQ(read_file(dir.path() / "bridge.dat"), kProblem);
}

TEST(Terminal, OverwriteQuestionAnsweredAtTheKeyboard) {
    struct Case {
        const char* answer;
        bool replaced;
    } cases[] = {{"Y", true}, {"y", true}, {"n", false}, {"", false}};
    for (const Case& c : cases) {
        ScratchDir dir;
        ASSERT_FALSE(dir.path().empty());
        write_file(dir.path() / "bridge.dat", kProblem);
        write_file(dir.path() / "bridge.rpt", "old report\r\n");
        TerminalSession t(dir.path());
        if (!t.started()) GTEST_SKIP() << "no pseudo-terminal";

        const std::size_t names_end = type_names(t, "bridge.dat", "bridge.rpt");
        ASSERT_TRUE(t.wait_for(shown("(Y/N) \r\n"), names_end)) << t.screen();
        t.type(c.answer);
        EXPECT_EQ(t.finish(), 0) << c.answer << t.screen();

        const std::string after_names = t.screen().substr(names_end);
        // The question, then the typed answer echoed with its Return.
        const std::string question =
            shown(
                " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) "
                "\r\n") +
            std::string(c.answer) + "\r\n";
        const std::string report = read_file(dir.path() / "bridge.rpt");
        if (c.replaced) {
            EXPECT_EQ(after_names, question) << c.answer;
            EXPECT_NE(report.find("PAGE 5"), std::string::npos) << c.answer;
        } else {
            EXPECT_EQ(after_names, question + shown(" EXITING PROGRAM\r\n")) << c.answer;
            EXPECT_EQ(report, "old report\r\n") << c.answer;
        }
        EXPECT_EQ(read_file(dir.path() / "bridge.dat"), kProblem) << c.answer;
    }
}

// A failure at the terminal: the failure line goes to standard error, which
// is the same terminal here, and the status is the message number.
TEST(Terminal, MissingInputFileAtTheTerminal) {
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    TerminalSession t(dir.path());
    if (!t.started()) GTEST_SKIP() << "no pseudo-terminal";

    type_names(t, "none.dat", "bridge.rpt");
    EXPECT_EQ(t.finish(), 29) << t.screen();
    const std::string line = "bpio: severe (29): file not found, unit 5, file " +
                             (dir.path() / "none.dat").string() + "\r\n";
    EXPECT_EQ(t.screen(),
              kInputPrompt + "none.dat\r\n" + kReportPrompt + "bridge.rpt\r\n" + shown(line));
    EXPECT_FALSE(fs::exists(dir.path() / "bridge.rpt"));
}

}  // namespace
