// The Windows system's files, through the real SystemFileAccess and the
// built program: names as Windows forms them, file identity, the message of
// each failed open, a report held open by another program, the devices, and
// standard streams that pass every byte untranslated.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace bearingpad {
namespace {

using namespace bearingpad::test_support;

const std::string kPrompts = " ENTER INPUT FILE NAME: ENTER OUTPUT FILE NAME:";
const std::string kQuestion =
    " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) \r\n";
const std::string kProblem =
    "    0001ROUTE 9 OVER MILL CREEK - ABUTMENT BEARINGS\n"
    " A   12.0   9.0   2.0  1  1.0  .25  .25    2  .25      1  .0747\n"
    "    100.0   80.0  40.0 20.0    1.0  .5 .25\n";
const std::string kOld = "old report\r\n";

std::string severe(int number, const std::string& text) {
    return "bpio: severe (" + std::to_string(number) + "): " + text + "\r\n";
}

std::string current_directory() {
    char dir[MAX_PATH + 1] = {};
    return std::string(dir, ::GetCurrentDirectoryA(MAX_PATH, dir));
}

// Wine maps the POSIX root to drive Z:, where /dev/full refuses every write
// and /proc/self/mem every read at its start.
bool under_wine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(WindowsNames, AbsoluteAsWindowsFormsThem) {
    SystemFileAccess files;
    const std::string here = current_directory();
    const std::string drive = here.substr(0, 2);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\jobs\\in.dat", "C:\\jobs\\in.dat"},
        {"c:/jobs/in.dat", "c:\\jobs\\in.dat"},
        {"D:\\a\\..\\b\\.\\in.dat", "D:\\b\\in.dat"},
        {"\\\\server\\share\\in.dat", "\\\\server\\share\\in.dat"},
        {"//server/share/jobs/in.dat", "\\\\server\\share\\jobs\\in.dat"},
        {"in.dat", here + "\\in.dat"},
        {"jobs/in.dat", here + "\\jobs\\in.dat"},
        {"\\in.dat", drive + "\\in.dat"},
        // Devices, in the device namespace whatever extension or folder.
        {"NUL", "\\\\.\\NUL"},
        {"nul.rpt", "\\\\.\\NUL"},
        {"C:NUL", "\\\\.\\NUL"},
        {"sub\\Com1.rpt", "\\\\.\\COM1"},
        {"lpt9", "\\\\.\\LPT9"},
        {"CONOUT$", "\\\\.\\CONOUT$"},
        {"aux .txt", "\\\\.\\AUX"},
        {"\\\\.\\pipe\\x", "\\\\.\\pipe\\x"},
        // Near misses are plain files.
        {"CONFIG.SYS", here + "\\CONFIG.SYS"},
        {"com10", here + "\\com10"},
        {"null.rpt", here + "\\null.rpt"},
    };
    for (const auto& [typed, absolute] : cases) EXPECT_EQ(files.absolute_name(typed), absolute);
}

// Every file has its own identity (the C runtime's stat gives inode 0 to
// all); names that differ in case or form designate the same file, also one
// that another program holds open without sharing.
TEST(WindowsNames, IdentityByVolumeAndFileIndex) {
    ScratchDir d;
    write_file(d / "in.dat", kProblem);
    write_file(d / "other.dat", kProblem);
    ASSERT_TRUE(::CreateHardLinkA((d / "link.dat").c_str(), (d / "in.dat").c_str(), nullptr));
    SystemFileAccess files;
    EXPECT_TRUE(files.same_file(d / "in.dat", d / "IN.DAT"));
    EXPECT_TRUE(files.same_file(d / "in.dat", d.path().string() + "/sub/../in.dat"));
    EXPECT_TRUE(files.same_file(d / "in.dat", d / "link.dat"));
    EXPECT_FALSE(files.same_file(d / "in.dat", d / "other.dat"));
    EXPECT_FALSE(files.same_file(d / "in.dat", d / "none.dat"));
    EXPECT_FALSE(files.same_file(d / "in.dat", "NUL"));
    EXPECT_TRUE(files.same_file("\\\\.\\NUL", "NUL"));

    const HANDLE held = ::CreateFileA((d / "other.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(files.exists(d / "other.dat"));
    EXPECT_TRUE(files.same_file(d / "other.dat", d / "OTHER.DAT"));
    ::CloseHandle(held);
}

// The built program in a scratch directory: the typed lines, the exit status
// and failure text ("@" stands for the directory's absolute name), whether
// the overwrite question was asked, and the files beyond those set up.
struct Case {
    std::string typed;
    int status;
    std::string failure;
    bool asked;
    std::map<std::string, std::string> after;
    bool wine_only = false;
};

std::string filled(std::string text, const std::string& dir) {
    for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, dir);
    return text;
}

TEST(WindowsFiles, FailuresAndDevicesOfTheBuiltProgram) {
    const std::string name_error = "file name specification error, unit ";
    const std::map<std::string, std::string> empty_report = {{"out.rpt", ""}};
    // clang-format off
    const std::vector<Case> cases = {
        {"none.dat\nout.rpt\n",   29, "file not found, unit 5, file @\\none.dat", false, {}},
        {"no\\in.dat\nout.rpt\n", 29, "file not found, unit 5, file @\\no\\in.dat", false, {}},
        {"in.dat\nno/out.rpt\n",  30, "open failure, unit 6, file @\\no\\out.rpt", false, {}},
        {"in.dat\nro.rpt\nY\n",    9, "permission to access file denied, unit 6, file @\\ro.rpt", true, {}},
        {"in.dat\nout<1>.rpt\n",  43, name_error + "6, file @\\out<1>.rpt", false, {}},
        {"in?.dat\nout.rpt\n",    43, name_error + "5, file @\\in?.dat", false, {}},
        {"sub\nout.rpt\n",        30, "open failure, unit 5, file @\\sub", false, {}},
        {"in.dat\nsub\nY\n",      30, "open failure, unit 6, file @\\sub", true, {}},
        {"in.dat\nIN.DAT\nY\n",   10, "cannot overwrite existing file, unit 6, file @\\IN.DAT", false, {}},
        {"in.dat\nnul\nY\n",       0, "", true, {}},
        {"NUL\nout.rpt\n",         0, "", false, empty_report},
        {"in.dat\nPRN\n",         43, name_error + "6, file \\\\.\\PRN", false, {}},
        {"in.dat\nsub\\com1.rpt\n", 43, name_error + "6, file \\\\.\\COM1", false, {}},
        {"CON\nout.rpt\n",        43, name_error + "5, file \\\\.\\CON", false, {}},
        {"in.dat\nconout$\n",     43, name_error + "6, file \\\\.\\CONOUT$", false, {}},
        {"in.dat\n\\\\.\\pipe\\bp\n", 43, name_error + "6, file \\\\.\\pipe\\bp", false, {}},
        {"in.dat\nZ:\\dev\\full\nY\n", 38, "error during write, unit 6, file Z:\\dev\\full", true, {}, true},
        {"Z:\\proc\\self\\mem\nout.rpt\n", 39, "error during read, unit 5, file Z:\\proc\\self\\mem", false,
         empty_report, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        if (c.wine_only && !under_wine()) continue;
        ScratchDir d;
        write_file(d / "in.dat", kProblem);
        write_file(d / "old.rpt", kOld);
        write_file(d / "ro.rpt", kOld);
        ::CreateDirectoryA((d / "sub").c_str(), nullptr);
        ::SetFileAttributesA((d / "ro.rpt").c_str(), FILE_ATTRIBUTE_READONLY);
        const Outcome o = run_program(d.path(), c.typed);
        ::SetFileAttributesA((d / "ro.rpt").c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(o.status, c.status) << c.typed;
        const std::string err = c.failure.empty() ? "" : severe(c.status, c.failure);
        EXPECT_EQ(o.err, filled(err, d.path().string())) << c.typed;
        EXPECT_EQ(o.out, c.asked ? kPrompts + kQuestion : kPrompts) << c.typed;
        std::map<std::string, std::string> expected = {
            {"in.dat", kProblem}, {"old.rpt", kOld}, {"ro.rpt", kOld}, {"sub", "<dir>"}};
        expected.insert(c.after.begin(), c.after.end());
        EXPECT_EQ(d.contents(), expected) << c.typed;
    }
}

// A report that another program holds open (an editor showing the last
// report) refuses the reopen: message 9, and the file keeps its contents.
// An input file held the same way is refused alike.
TEST(WindowsFiles, FileHeldOpenByAnotherProgram) {
    for (const char* held_name : {"old.rpt", "in.dat"}) {
        ScratchDir d;
        write_file(d / "in.dat", kProblem);
        write_file(d / "old.rpt", kOld);
        const HANDLE held = ::CreateFileA((d / held_name).c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const Outcome o = run_program(d.path(), "in.dat\nold.rpt\nY\n");
        ::CloseHandle(held);
        const bool report = std::string(held_name) == "old.rpt";
        EXPECT_EQ(o.status, 9) << held_name;
        EXPECT_EQ(o.err, severe(9, std::string("permission to access file denied, unit ") +
                                       (report ? "6" : "5") + ", file " + d / held_name))
            << held_name;
        EXPECT_EQ(o.out, report ? kPrompts + kQuestion : kPrompts) << held_name;
        const std::map<std::string, std::string> expected = {{"in.dat", kProblem},
                                                             {"old.rpt", kOld}};
        EXPECT_EQ(d.contents(), expected) << held_name;
    }
}

// No byte is translated: the report's records end with a bare CR and their
// line feeds stand alone (never CR CR LF), console lines end CR LF, typed
// lines may end CR LF, and a Ctrl-Z byte in the input file is data.
TEST(WindowsFiles, StreamsAndFilesInBinaryMode) {
    ScratchDir d;
    std::string input =
        "    0001TITLE\x1a"
        "AFTER CTRL-Z\r\n" +
        kProblem.substr(kProblem.find('\n') + 1);
    write_file(d / "in.dat", input);
    write_file(d / "old.rpt", kOld);
    const Outcome o = run_program(d.path(), "in.dat\r\nold.rpt\r\ny\r\n");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, kPrompts + kQuestion);
    EXPECT_EQ(o.err, "");
    const std::string report = read_file(d / "old.rpt");
    EXPECT_NE(report.find("TITLE\x1a"
                          "AFTER CTRL-Z"),
              std::string::npos);
    EXPECT_EQ(report.find("\r\r"), std::string::npos);
    EXPECT_EQ(report.find("old report"), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 8), "PAGE 5\r\n");
}

}  // namespace
}  // namespace bearingpad
