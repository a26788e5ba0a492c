// A problem's files on POSIX, with real files: names that are devices, FIFOs
// and symbolic links; a report moved to another name during the run; the
// standard descriptors closed; the console refusing the help.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include "driver/command_line.h"
#include "driver/file_access.h"
#include "test_support.h"

namespace bearingpad {
namespace {

using namespace test_support;

const std::string& kProblem = kAnalysisProblem;

// The system's files, with something done by another program just before an
// input is opened.
class FilesWithAHook : public SystemFileAccess {
  public:
    std::function<void(const std::string&)> before_open;
    std::unique_ptr<InputFile> open_input(const std::string& name) override {
        if (before_open) before_open(name);
        return SystemFileAccess::open_input(name);
    }
};

mode_t kind_of(const std::string& name) {
    struct stat st {};
    return ::lstat(name.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

bool is_report(const std::string& name) {
    return kind_of(name) == S_IFREG &&
           read_file(name).find("ROUTE 9 OVER MILL CREEK") != std::string::npos;
}

Outcome run_in(FileAccess& files, const ScratchDir& dir, std::vector<std::string> args) {
    for (std::string& arg : args) {
        if (arg.front() != '-') arg = dir / arg;
    }
    return run_command_line_in_process(files, args);
}

// F6: a device node of the test's own, as the report, through a symbolic
// link, and as the schedule; a FIFO read by another thread.
TEST(FileSetsPosix, DevicesAndFifosWrittenInPlace) {
    ScratchDir dir;
    write_file(dir / "a.dat", kProblem);
    write_file(dir / "b.dat", kProblem);
    if (::geteuid() != 0) GTEST_SKIP() << "mknod needs root";
    for (const char* node : {"a.rpt", "s.csv", "null"}) {
        ASSERT_EQ(::mknod((dir / node).c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0) << node;
    }
    const int probe = ::open((dir / "null").c_str(), O_WRONLY);
    if (probe < 0) GTEST_SKIP() << "the scratch folder's file system takes no devices (nodev)";
    ::close(probe);
    ASSERT_EQ(::symlink((dir / "null").c_str(), (dir / "b.rpt").c_str()), 0);
    SystemFileAccess files;
    const Outcome r = run_in(files, dir, {"-y", "--schedule=" + dir / "s.csv", "a.dat", "b.dat"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(kind_of(dir / "a.rpt"), S_IFCHR);
    EXPECT_EQ(kind_of(dir / "s.csv"), S_IFCHR);
    EXPECT_EQ(kind_of(dir / "b.rpt"), S_IFLNK);
    std::size_t entries = 0;  // no temporary left
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(e.path().filename().string().find("~bp"), std::string::npos);
        ++entries;
    }
    EXPECT_EQ(entries, 6u);
}

TEST(FileSetsPosix, FifoWrittenInPlace) {
    ScratchDir dir;
    write_file(dir / "f.dat", kProblem);
    ASSERT_EQ(::mkfifo((dir / "f.rpt").c_str(), 0666), 0);
    std::string received;
    std::thread reader([&] {
        std::ifstream in(dir / "f.rpt", std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    SystemFileAccess files;
    const Outcome r = run_in(files, dir, {"-y", "f.dat"});
    reader.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(kind_of(dir / "f.rpt"), S_IFIFO);
    EXPECT_NE(received.find("ROUTE 9 OVER MILL CREEK"), std::string::npos);
}

// F8, F10, F11: what was written in this run is known by the name it was
// written to: a report moved to another name is no reason to refuse that
// name; a symbolic link, dangling or not, is replaced by the file in either
// order of the problems.
TEST(FileSetsPosix, WrittenInThisRunByName) {
    struct Case {
        const char* name;
        std::function<void(const ScratchDir&)> before;
        std::vector<std::string> args;
        int status;
        std::vector<std::string> reports;  // regular files holding a report
    };
    auto link = [](const char* target, const char* name) {
        return
            [=](const ScratchDir& dir) { ASSERT_EQ(::symlink(target, (dir / name).c_str()), 0); };
    };
    const Case cases[] = {
        {"dangling link with -y", link("nowhere.rpt", "d.rpt"), {"-y", "d.dat"}, 0, {"d.rpt"}},
        {"dangling link without -y", link("nowhere.rpt", "d.rpt"), {"d.dat"}, 10, {}},
        {"link to a later report",
         link("x2.rpt", "y2.rpt"),
         {"-y", "y2.dat", "x2.dat"},
         0,
         {"x2.rpt", "y2.rpt"}},
        {"link to an earlier report",
         link("x2.rpt", "y2.rpt"),
         {"-y", "x2.dat", "y2.dat"},
         0,
         {"x2.rpt", "y2.rpt"}},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        for (const char* stem : {"d", "x2", "y2"})
            write_file(dir / (std::string(stem) + ".dat"), kProblem);
        c.before(dir);
        SystemFileAccess files;
        const Outcome r = run_in(files, dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        for (const std::string& report : c.reports)
            EXPECT_TRUE(is_report(dir / report)) << c.name << report;
        EXPECT_EQ(kind_of(dir / "nowhere.rpt"), 0u) << c.name;
    }
    // A report written, then moved by another program to the name of a later
    // report of the run (its inode with it): that later report is written.
    ScratchDir dir;
    std::vector<std::string> args = {"-y", "q00.dat"};
    for (int i = 0; i < 33; ++i) {
        args.push_back(std::string("f").append(std::to_string(i)).append(".dat"));
        write_file(dir / args.back(), kProblem);
    }
    args.push_back("q05.dat");
    write_file(dir / "q00.dat", kProblem);
    write_file(dir / "q05.dat", kProblem);
    FilesWithAHook files;
    files.before_open = [&](const std::string& name) {
        if (name == dir / "f32.dat") ::rename((dir / "q00.rpt").c_str(), (dir / "q05.rpt").c_str());
    };
    const Outcome r = run_in(files, dir, args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(is_report(dir / "q05.rpt"));
}

// F4, F5, F6: the program itself with a standard descriptor closed, with its
// help refused by a full device, and with the schedule named by a link to its
// own standard output.
TEST(FileSetsPosix, StandardDescriptors) {
    struct Case {
        const char* redirect;
        int status;
        bool rows_only;  // s.csv holds the header and three rows, nothing else
    };
    const Case cases[] = {
        {"-y --schedule=s.csv a1.dat missing.dat a2.dat 2>&-", 29, true},
        {"-y --schedule=s.csv a1.dat missing.dat a2.dat >&-", 29, true},
        {"-y --schedule=s.csv a1.dat missing.dat a2.dat <&- >&- 2>&-", 29, true},
        // The schedule through a link to the program's standard output,
        // which is a file: refused, the link left as it is.
        {"-y --schedule=out.lnk a1.dat >o.csv", 10, false},
        {"--help >/dev/full", 38, false},
        {"--version >/dev/full", 38, false},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        write_file(dir / "a1.dat", kProblem);
        write_file(dir / "a2.dat", kProblem);
        ASSERT_EQ(::symlink("/proc/self/fd/1", (dir / "out.lnk").c_str()), 0);
        const std::string cmd = "cd '" + dir.path().string() + "' && '" BEARINGPAD_EXE "' " +
                                c.redirect + " 2>/dev/null";
        const int raw = std::system(("sh -c \"" + cmd + "\"").c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, c.status) << c.redirect;
        EXPECT_EQ(kind_of(dir / "out.lnk"), S_IFLNK) << c.redirect;
        if (!c.rows_only) continue;
        const std::string csv = read_file(dir / "s.csv");
        EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4) << c.redirect << csv;
        EXPECT_EQ(csv.find("bpio"), std::string::npos) << c.redirect;
        EXPECT_EQ(csv.find("written"), std::string::npos) << c.redirect;
    }
}

}  // namespace
}  // namespace bearingpad
