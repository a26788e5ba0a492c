// Bad input and failing files: every example and fuzz seed runs to a report or
// a failure line; the failures of the file system reach standard error with
// the right message, unit and absolute name, and the files that existed
// before the run keep their bytes unless the user agreed to replace them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver/run.h"
#include "memory_files.h"
#include "test_support.h"

namespace bearingpad {
namespace {

namespace fs = std::filesystem;
using namespace bearingpad::test_support;

const std::string kQuestion =
    " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) \r\n";
const std::string kExiting = " EXITING PROGRAM\r\n";
const std::string kTitle = "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\n";
const std::string kPad = " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n";
const std::string kBeam = "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";
const std::string kProblem = kTitle + kPad + kBeam;
const std::string kOld = "old report\r\n";

std::string severe(int number, const std::string& text) {
    return "bpio: severe (" + std::to_string(number) + "): " + text + "\r\n";
}

bool is_message_number(int n) {
    static const std::set<int> numbers = {9, 10, 24, 29, 30, 38, 39, 43, 64};
    return numbers.count(n) != 0;
}

// The example inputs, and the fuzz seeds without their two switch bytes
// (the bytes the fuzzer reads as dialogue and fault settings).
std::vector<std::pair<std::string, std::string>> sample_inputs() {
    std::vector<std::pair<std::string, std::string>> samples;
    const fs::path source(BEARINGPAD_SOURCE_DIR);
    for (const auto& e : fs::directory_iterator(source / "examples")) {
        if (e.path().extension() == ".dat")
            samples.emplace_back(e.path().filename().string(), read_file(e.path()));
    }
    for (const auto& e : fs::directory_iterator(source / "fuzz" / "corpus")) {
        const std::string bytes = read_file(e.path());
        samples.emplace_back("fuzz/corpus/" + e.path().filename().string(),
                             bytes.size() > 2 ? bytes.substr(2) : std::string());
    }
    return samples;
}

void expect_failure_line_or_none(const Outcome& o, const std::string& name) {
    EXPECT_TRUE(o.status == 0 || is_message_number(o.status)) << name << " status " << o.status;
    if (o.status == 0) {
        EXPECT_EQ(o.err, "") << name;
    } else {
        const std::string head = "bpio: severe (" + std::to_string(o.status) + "): ";
        EXPECT_EQ(o.err.rfind(head, 0), 0u) << name << ": " << o.err;
        EXPECT_EQ(o.err.find("\r\n"), o.err.size() - 2) << name << ": " << o.err;
    }
}

TEST(SampleInputs, EveryExampleAndSeedEndsInAReportOrAFailureLine) {
    const auto samples = sample_inputs();
    ASSERT_GE(samples.size(), 2u);
    for (const auto& [name, input] : samples) {
        for (const char mode : {'\0', 'A', ' '}) {
            const std::string data = mode == '\0' ? input : with_mode(input, mode);
            const std::string label = name + " mode '" + std::string(1, mode) + "'";
            // A new report, then an existing one answered N and answered Y.
            for (const char* answer : {"", "N\n", "Y\n"}) {
                MemoryFileAccess files;
                files.files["/work/in.dat"] = data;
                if (*answer) files.files["/work/out.rpt"] = kOld;
                const Outcome o = run_in_process(files, std::string("in.dat\nout.rpt\n") + answer);
                expect_failure_line_or_none(o, label + " answer " + answer);
                EXPECT_EQ(files.files["/work/in.dat"], data) << label;
                if (*answer == 'N') {
                    EXPECT_EQ(o.status, 0) << label;
                    EXPECT_EQ(files.files["/work/out.rpt"], kOld) << label;
                }
            }
        }
    }
}

TEST(SampleInputs, BuiltProgramOnEveryExampleAndSeed) {
    for (const auto& [name, input] : sample_inputs()) {
        ScratchDir dir;
        write_file(dir / "in.dat", input);
        const Outcome o = run_program(dir.path(), "in.dat\nout.rpt\n");
        expect_failure_line_or_none(o, name);
        EXPECT_EQ(o.err.find("Sanitizer"), std::string::npos) << name << ": " << o.err;
        EXPECT_EQ(o.err.find("runtime error"), std::string::npos) << name << ": " << o.err;
        const auto files = dir.contents();
        EXPECT_EQ(files.at("in.dat"), input) << name;
        EXPECT_EQ(files.size(), 2u) << name;
        EXPECT_EQ(files.count("out.rpt"), 1u) << name;
    }
}

// The real file system: each case names the typed lines, the expected status
// and failure line, and every entry of the scratch directory afterwards.
TEST(FileSystemFailures, RealFiles) {
    struct Case {
        const char* name;
        std::function<std::string(const ScratchDir&)> typed;
        int status;
        std::function<std::string(const ScratchDir&)> err;
        std::map<std::string, std::string> after;  // besides in.dat with kProblem
    } cases[] = {
        {"directory named as the input file",
         [](const ScratchDir& d) { return d / "sub" + "\n" + d / "out.rpt" + "\n"; },
         30,
         [](const ScratchDir& d) { return severe(30, "open failure, unit 5, file " + d / "sub"); },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
        {"directory named as the report, answered Y",
         [](const ScratchDir& d) { return d / "in.dat" + "\n" + d / "sub" + "\nY\n"; },
         30,
         [](const ScratchDir& d) { return severe(30, "open failure, unit 6, file " + d / "sub"); },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
        {"directory named as the report, answered N",
         [](const ScratchDir& d) { return d / "in.dat" + "\n" + d / "sub" + "\nN\n"; },
         0,
         [](const ScratchDir&) { return std::string(); },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
        {"report directory does not exist",
         [](const ScratchDir& d) { return d / "in.dat" + "\n" + d / "no/out.rpt" + "\n"; },
         30,
         [](const ScratchDir& d) {
             return severe(30, "open failure, unit 6, file " + d / "no/out.rpt");
         },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
        {"report path through a plain file",
         [](const ScratchDir& d) { return d / "in.dat" + "\n" + d / "old.rpt/x" + "\n"; },
         30,
         [](const ScratchDir& d) {
             return severe(30, "open failure, unit 6, file " + d / "old.rpt/x");
         },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
        {"missing input file leaves no report",
         [](const ScratchDir& d) { return d / "none.dat" + "\n" + d / "out.rpt" + "\n"; },
         29,
         [](const ScratchDir& d) {
             return severe(29, "file not found, unit 5, file " + d / "none.dat");
         },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
        {"existing report answered N",
         [](const ScratchDir& d) { return d / "in.dat" + "\n" + d / "old.rpt" + "\nN\n"; },
         0,
         [](const ScratchDir&) { return std::string(); },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
        {"report named as the input file, answered Y",
         [](const ScratchDir& d) { return d / "in.dat" + "\n" + d / "./in.dat" + "\nY\n"; },
         10,
         [](const ScratchDir& d) {
             return severe(10, "cannot overwrite existing file, unit 6, file " + d / "./in.dat");
         },
         {{"sub", "<dir>"}, {"old.rpt", kOld}}},
    };
    for (const Case& c : cases) {
        ScratchDir d;
        ASSERT_FALSE(d.path().empty());
        write_file(d / "in.dat", kProblem);
        write_file(d / "old.rpt", kOld);
        fs::create_directory(d / "sub");
        SystemFileAccess files;
        const Outcome o = run_in_process(files, c.typed(d));
        EXPECT_EQ(o.status, c.status) << c.name;
        EXPECT_EQ(o.err, c.err(d)) << c.name;
        std::map<std::string, std::string> after = c.after;
        after["in.dat"] = kProblem;
        EXPECT_EQ(d.contents(), after) << c.name;
        if (c.status == 0 && c.after.count("old.rpt")) {
            EXPECT_EQ(o.out.substr(o.out.size() - kExiting.size()), kExiting) << c.name;
        }
    }
}

TEST(FileSystemFailures, NulInATypedNameIsANameError) {
    ScratchDir d;
    write_file(d / "in.dat", kProblem);
    SystemFileAccess files;
    const std::string name = d / "in" + std::string(1, '\0') + ".dat";
    const Outcome o = run_in_process(files, name + "\n" + d / "out.rpt" + "\n");
    EXPECT_EQ(o.status, 43);
    EXPECT_EQ(o.err, severe(43, "file name specification error, unit 5, file " + name));
    EXPECT_EQ(d.contents(), (std::map<std::string, std::string>{{"in.dat", kProblem}}));
}

// A report that is written to a device: /dev/full refuses every write, and
// /dev/null takes the report although it cannot be cut.
TEST(FileSystemFailures, ReportOnADevice) {
    if (::access("/dev/full", W_OK) != 0 || ::access("/dev/null", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full or /dev/null";
    ScratchDir d;
    write_file(d / "in.dat", kProblem);
    SystemFileAccess files;

    const Outcome full = run_in_process(files, d / "in.dat" + "\n/dev/full\nY\n");
    EXPECT_EQ(full.status, 38);
    EXPECT_EQ(full.err, severe(38, "error during write, unit 6, file /dev/full"));

    const Outcome null = run_in_process(files, d / "in.dat" + "\n/dev/null\nY\n");
    EXPECT_EQ(null.status, 0);
    EXPECT_EQ(null.err, "");

    // The built program says the same on its standard error.
    const Outcome program = run_program(d.path(), "in.dat\n/dev/full\nY\n");
    EXPECT_EQ(program.status, 38);
    EXPECT_EQ(program.err, severe(38, "error during write, unit 6, file /dev/full"));

    EXPECT_EQ(d.contents(), (std::map<std::string, std::string>{{"in.dat", kProblem}}));
}

// The command line on real files: a replaced report breaks its hard links
// (a snapshot made with cp -al keeps the old one) and keeps its permissions;
// a symbolic link is replaced by the new report and its target left as it
// was; a failed problem keeps its old report; a second report of one name is
// refused; no temporary file is left; standard output on a full device is a
// failure.
TEST(FileSystemFailures, CommandLineReplacesWholeReports) {
    ScratchDir d;
    const std::string old = "an older report\r\n";
    for (const char* name : {"in", "link", "pier"})
        write_file(d / (std::string(name) + ".dat"), kProblem);
    write_file(d / "pier.txt", kProblem);
    write_file(d / "comma.dat", kTitle + kPad + "    100,0\n");
    for (const char* name : {"in.rpt", "comma.rpt", "target.rpt"}) write_file(d / name, old);
    ::chmod((d / "in.rpt").c_str(), 0640);
    fs::create_directory(d / "snapshot");
    fs::create_hard_link(d / "in.rpt", d / "snapshot/in.rpt");
    fs::create_symlink("target.rpt", d / "link.rpt");
    const Outcome o = run_program(
        d.path(), "", {"-y", "in.dat", "comma.dat", "link.dat", "pier.dat", "pier.txt"});
    EXPECT_EQ(o.status, 64);
    EXPECT_EQ(o.out,
              "in.dat: in.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211\r\n"
              "link.dat: link.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211\r\n"
              "pier.dat: pier.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211\r\n");
    EXPECT_EQ(o.err,
              "comma.dat: comma.rpt not replaced: " +
                  severe(64, "input conversion error, unit 5, file " + d / "comma.dat") +
                  "pier.txt: pier.rpt was written from pier.dat in this run, not replaced\r\n");
    const auto files = d.contents();
    EXPECT_EQ(files.size(), 12u);  // nothing beside the reports
    for (const char* name : {"in.rpt", "link.rpt", "pier.rpt"}) {
        const std::string& report = files.at(name);
        EXPECT_EQ(report.substr(report.size() - 8), "PAGE 5\r\n") << name;
    }
    EXPECT_EQ(files.at("snapshot/in.rpt"), old);
    EXPECT_EQ(files.at("comma.rpt"), old);
    EXPECT_EQ(files.at("target.rpt"), old);
    EXPECT_FALSE(fs::is_symlink(d / "link.rpt"));
    EXPECT_EQ(fs::status(d / "in.rpt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    if (::access("/dev/full", W_OK) != 0) return;
    for (const std::string args : {"--explain in.dat", "-y in.dat"}) {
        const std::string cmd = "cd '" + d.path().string() + "' && '" BEARINGPAD_EXE "' " + args +
                                " > /dev/full 2> /dev/null";
        const int raw = std::system(cmd.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 38) << args;
    }
}

// Open and read refusals that even the superuser meets: a procfs control
// file that is write-only for everyone, a directory in sysfs where no file can
// be created, and the memory file whose first page is not mapped. The
// environment is probed first; a system that behaves otherwise skips.
TEST(FileSystemFailures, RefusedOpenAndRead) {
    const std::string write_only = "/proc/sys/vm/drop_caches";
    const std::string sysfs_report = "/sys/bp.rpt";
    const int probe = ::open(write_only.c_str(), O_RDONLY);
    const int probe_errno = errno;
    if (probe >= 0) ::close(probe);
    const int create = ::open(sysfs_report.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    const int create_errno = errno;
    if (create >= 0) {
        ::close(create);
        ::unlink(sysfs_report.c_str());
    }
    if (probe >= 0 || probe_errno != EACCES || create >= 0 || create_errno != EACCES)
        GTEST_SKIP() << "procfs/sysfs do not refuse access here";

    ScratchDir d;
    write_file(d / "in.dat", kProblem);
    SystemFileAccess files;

    const Outcome in = run_in_process(files, write_only + "\n" + d / "out.rpt" + "\n");
    EXPECT_EQ(in.status, 9);
    EXPECT_EQ(in.err, severe(9, "permission to access file denied, unit 5, file " + write_only));

    const Outcome report = run_in_process(files, d / "in.dat" + "\n" + sysfs_report + "\n");
    EXPECT_EQ(report.status, 9);
    EXPECT_EQ(report.err,
              severe(9, "permission to access file denied, unit 6, file " + sysfs_report));

    // The report is created before the first record is read, so it stays
    // empty when that read is refused.
    const Outcome read = run_in_process(files, "/proc/self/mem\n" + d / "out.rpt" + "\n");
    EXPECT_EQ(read.status, 39);
    EXPECT_EQ(read.err, severe(39, "error during read, unit 5, file /proc/self/mem"));

    EXPECT_EQ(d.contents(),
              (std::map<std::string, std::string>{{"in.dat", kProblem}, {"out.rpt", ""}}));
}

// Typed lines served one by one, with an action run just before a given line
// is handed out: the file system can change while the user is typing.
class TypedLines : public std::streambuf {
  public:
    TypedLines(std::vector<std::string> lines, std::size_t hook_before, std::function<void()> hook)
        : lines_(std::move(lines)), hook_before_(hook_before), hook_(std::move(hook)) {}

  protected:
    int_type underflow() override {
        if (next_ >= lines_.size()) return traits_type::eof();
        if (next_ == hook_before_) hook_();
        current_ = lines_[next_++] + "\n";
        setg(current_.data(), current_.data(), current_.data() + current_.size());
        return traits_type::to_int_type(current_.front());
    }

  private:
    std::vector<std::string> lines_;
    std::size_t hook_before_;
    std::function<void()> hook_;
    std::string current_;
    std::size_t next_ = 0;
};

TEST(FileSystemFailures, ReportVanishesBeforeItIsReopened) {
    // Real files: the report is removed while the question is on the screen.
    ScratchDir d;
    write_file(d / "in.dat", kProblem);
    write_file(d / "old.rpt", kOld);
    TypedLines lines({d / "in.dat", d / "old.rpt", "Y"}, 2, [&] { fs::remove(d / "old.rpt"); });
    std::istream typed(&lines);
    SystemFileAccess files;
    const Outcome o = run_in_process(files, typed);
    EXPECT_EQ(o.status, 29);
    EXPECT_EQ(o.out.find(kQuestion) != std::string::npos, true);
    EXPECT_EQ(o.err, severe(29, "file not found, unit 6, file " + d / "old.rpt"));
    EXPECT_EQ(d.contents(), (std::map<std::string, std::string>{{"in.dat", kProblem}}));

    // The same with the in-memory files.
    MemoryFileAccess mem;
    mem.files["/work/in.dat"] = kProblem;
    mem.files["/work/out.rpt"] = kOld;
    mem.vanish_before_reopen.insert("/work/out.rpt");
    const Outcome m = run_in_process(mem, "in.dat\nout.rpt\nY\n");
    EXPECT_EQ(m.status, 29);
    EXPECT_EQ(m.err, severe(29, "file not found, unit 6, file /work/out.rpt"));
    EXPECT_EQ(mem.files, (std::map<std::string, std::string>{{"/work/in.dat", kProblem}}));
}

TEST(FileSystemFailures, InMemoryRefusals) {
    struct Case {
        const char* name;
        std::function<void(MemoryFileAccess&)> setup;
        std::string typed;
        int status;
        std::string err;
    } cases[] = {
        {"input open refused", [](MemoryFileAccess& m) { m.access_denied.insert("/work/in.dat"); },
         "in.dat\nout.rpt\nY\n", 9,
         severe(9, "permission to access file denied, unit 5, file /work/in.dat")},
        {"report reopen refused",
         [](MemoryFileAccess& m) { m.access_denied.insert("/work/out.rpt"); },
         "in.dat\nout.rpt\nY\n", 9,
         severe(9, "permission to access file denied, unit 6, file /work/out.rpt")},
        {"report create refused",
         [](MemoryFileAccess& m) { m.access_denied.insert("/work/new.rpt"); }, "in.dat\nnew.rpt\n",
         9, severe(9, "permission to access file denied, unit 6, file /work/new.rpt")},
        {"report is a directory", [](MemoryFileAccess& m) { m.directories.insert("/work/dir"); },
         "in.dat\ndir\ny\n", 30, severe(30, "open failure, unit 6, file /work/dir")},
        {"input is a directory", [](MemoryFileAccess& m) { m.directories.insert("/work/dir"); },
         "dir\nout.rpt\n", 30, severe(30, "open failure, unit 5, file /work/dir")},
    };
    for (const Case& c : cases) {
        MemoryFileAccess mem;
        mem.files["/work/in.dat"] = kProblem;
        mem.files["/work/out.rpt"] = kOld;
        c.setup(mem);
        const Outcome o = run_in_process(mem, c.typed);
        EXPECT_EQ(o.status, c.status) << c.name;
        EXPECT_EQ(o.err, c.err) << c.name;
        EXPECT_EQ(mem.files["/work/in.dat"], kProblem) << c.name;
        EXPECT_EQ(mem.files["/work/out.rpt"], kOld) << c.name;
        EXPECT_EQ(mem.files.count("/work/new.rpt"), 0u) << c.name;
        EXPECT_EQ(mem.files.count("/work/dir"), 0u) << c.name;
    }
}

// A device that fills up in the middle of the report: the report keeps the
// bytes the device took, which are the start of the full report.
TEST(FileSystemFailures, WriteRefusedMidReport) {
    MemoryFileAccess whole;
    whole.files["/work/in.dat"] = kProblem;
    ASSERT_EQ(run_in_process(whole, "in.dat\nout.rpt\n").status, 0);
    const std::string report = whole.files["/work/out.rpt"];
    ASSERT_GT(report.size(), 4000u);

    for (const long capacity : {0L, 1L, 100L, 4000L, static_cast<long>(report.size()) - 1}) {
        for (const bool existing : {false, true}) {
            MemoryFileAccess mem;
            mem.files["/work/in.dat"] = kProblem;
            if (existing) mem.files["/work/out.rpt"] = kOld;
            mem.report_capacity = capacity;
            const Outcome o =
                run_in_process(mem, existing ? "in.dat\nout.rpt\nY\n" : "in.dat\nout.rpt\n");
            EXPECT_EQ(o.status, 38) << capacity;
            EXPECT_EQ(o.err, severe(38, "error during write, unit 6, file /work/out.rpt"))
                << capacity;
            EXPECT_EQ(mem.files["/work/out.rpt"], report.substr(0, capacity)) << capacity;
            EXPECT_EQ(mem.files["/work/in.dat"], kProblem);
        }
    }
    // Exactly the room the report needs is enough.
    MemoryFileAccess fits;
    fits.files["/work/in.dat"] = kProblem;
    fits.report_capacity = static_cast<long>(report.size());
    EXPECT_EQ(run_in_process(fits, "in.dat\nout.rpt\n").status, 0);
    EXPECT_EQ(fits.files["/work/out.rpt"], report);
}

// The current directory removed under the run (POSIX only: Windows keeps
// a directory in use).
TEST(FileNames, RelativeNamesStayRelativeWhenTheDirectoryIsGone) {
    const std::filesystem::path here = std::filesystem::current_path();
    char templ[] = "/tmp/bearingpad-gone-XXXXXX";
    ASSERT_NE(::mkdtemp(templ), nullptr);
    ASSERT_EQ(::chdir(templ), 0);
    ASSERT_EQ(::rmdir(templ), 0);
    SystemFileAccess files;
    const std::string name = files.absolute_name("out.rpt");
    std::filesystem::current_path(here);
    EXPECT_EQ(name, "out.rpt");
    EXPECT_EQ(files.absolute_name("/abs/in.dat"), "/abs/in.dat");
}

}  // namespace
}  // namespace bearingpad
