// The Windows system's files, through the real SystemFileAccess and the
// built program: names as Windows forms them, file identity, the message of
// each failed open, a report held open by another program, the devices,
// standard streams that pass every byte untranslated, names in the console's
// code page, and the arguments of a command line.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "driver/platform.h"
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
        // Devices, whatever extension or folder: their folder made absolute,
        // the last part as typed (not the device namespace name "\\.\\PRN").
        {"NUL", here + "\\NUL"},
        {"nul.rpt", here + "\\nul.rpt"},
        {drive + "NUL", here + "\\NUL"},
        {"sub\\Com1.rpt", here + "\\sub\\Com1.rpt"},
        {"sub/lpt9", here + "\\sub\\lpt9"},
        {"C:\\jobs\\CONOUT$", "C:\\jobs\\CONOUT$"},
        {"aux .txt", here + "\\aux .txt"},
        {"\\\\.\\PRN", "\\\\.\\PRN"},
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
        {"in.dat\nPRN\n",         43, name_error + "6, file @\\PRN", false, {}},
        {"in.dat\nprn.rpt\n",     43, name_error + "6, file @\\prn.rpt", false, {}},
        {"in.dat\nsub\\com1.rpt\n", 43, name_error + "6, file @\\sub\\com1.rpt", false, {}},
        {"CON\nout.rpt\n",        43, name_error + "5, file @\\CON", false, {}},
        {"in.dat\nconout$\n",     43, name_error + "6, file @\\conout$", false, {}},
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

// The command line replaces a report whole: over an existing report; a
// problem that fails keeps the old one; a second report of the same name in
// the run is refused and the first stays; no temporary file is left.
TEST(WindowsFiles, CommandLineReplacesWholeReports) {
    ScratchDir d;
    std::string comma = kProblem;
    comma.replace(comma.rfind("100.0"), 5, "100,0");
    write_file(d / "in.dat", kProblem);
    write_file(d / "in.txt", kProblem);
    write_file(d / "comma.dat", comma);
    write_file(d / "in.rpt", kOld);
    write_file(d / "comma.rpt", kOld);
    const Outcome o = run_program(d.path(), "", {"-y", "in.dat", "comma.dat", "in.txt"});
    EXPECT_EQ(o.status, 64);
    EXPECT_EQ(o.out,
              "in.dat: in.rpt written, 2 warnings - inadequate: 2 checks fail; Internal plate, "
              "working loads governs at 1.211\r\n");
    EXPECT_EQ(o.err, "comma.dat: comma.rpt not replaced: " +
                         severe(64, "input conversion error, unit 5, file " + d / "comma.dat") +
                         "in.txt: in.rpt was written from in.dat in this run, not replaced\r\n");
    const std::map<std::string, std::string> files = d.contents();
    EXPECT_EQ(files.size(), 5u);
    const std::string report = files.at("in.rpt");
    EXPECT_EQ(report.substr(report.size() < 8 ? 0 : report.size() - 8), "PAGE 5\r\n");
    EXPECT_EQ(files.at("comma.rpt"), kOld);
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

// The letters u-umlaut, e-grave and e-acute in the OEM code page of a US or
// Western European console (437) and in the ANSI code page of the same
// systems (1252), from the two code tables.
struct Letters {
    unsigned code_page;
    std::string u_umlaut, e_grave, e_acute;
};
const std::vector<Letters> kCodePages = {{437, "\x81", "\x8a", "\x82"},
                                         {1252, "\xfc", "\xe8", "\xe9"}};
const wchar_t* const kMueller = L"m\u00fcller.dat";
const wchar_t* const kPiece = L"pi\u00e8ce.rpt";

void write_wide(const std::wstring& name, const std::string& bytes) {
    const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    ::CloseHandle(h);
}

std::string read_wide(const std::wstring& name) {
    const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<none>";
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    ::CloseHandle(h);
    return bytes;
}

// The names in a folder as the system holds them.
std::vector<std::wstring> names_in(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Fixes the name code page for one test, the system's choice again after.
class NameCodePage {
  public:
    explicit NameCodePage(unsigned code_page) { windows::set_name_code_page(code_page); }
    ~NameCodePage() { windows::set_name_code_page(0); }
};

// A name that does not convert, or one of MAX_PATH characters or more, is
// refused with message 43 and touches nothing; a current folder that the code page cannot name
// leaves the name as typed, relative to it.
TEST(WindowsCodePages, NamesThatDoNotConvert) {
    ScratchDir d;
    const std::string dir = d.path().string();
    {
        const NameCodePage utf8(CP_UTF8);
        SystemFileAccess files;
        for (const std::string& bad : {dir + "\\bad\xff.rpt", dir + "\\" + std::string(300, 'x')}) {
            EXPECT_EQ(files.absolute_name(bad), bad);
            EXPECT_FALSE(files.exists(bad));
            for (int unit : {5, 6}) {
                try {
                    if (unit == 5) files.open_input(bad);
                    if (unit == 6) files.create_report(bad);
                    ADD_FAILURE() << "opened " << bad;
                } catch (const RunTimeFailure& f) {
                    EXPECT_EQ(f.number, 43);
                    EXPECT_EQ(f.unit, unit);
                    EXPECT_EQ(f.file_name, bad);
                }
            }
        }
    }
    const NameCodePage oem(437);
    const std::wstring folder = d.path().wstring() + L"\\\u0151";  // o with double acute
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    wchar_t before[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
    SystemFileAccess files;
    EXPECT_EQ(files.absolute_name("in.dat"), "in.dat");
    {
        const std::unique_ptr<OutputSink> sink = files.create_report("in.dat");
        sink->write("x");
        sink->flush();
    }
    ::SetCurrentDirectoryW(before);
    EXPECT_EQ(read_wide(folder + L"\\in.dat"), "x");
}

// The wide command line: quotes as the system splits them, wildcards in the
// last part expanded to files in a fixed order with the folder as typed, a
// pattern without match and an option as typed, and a character that the
// code page cannot hold as "?", refused when the name is opened although the
// file exists.
// A name is taken only when its long form matches: the system also matches
// "p.data" to "*.dat" through its short name "P~1.DAT".
TEST(WindowsArguments, WildcardMatchesTheLongName) {
    const struct {
        const wchar_t* pattern;
        const wchar_t* name;
        bool matches;
    } cases[] = {
        {L"*.dat", L"pier3.DAT", true},
        {L"*.dat", L"p.data", false},
        {L"*.dat", L"p.dat.bak", false},
        {L"p?.dat", L"p1.dat", true},
        {L"p?.dat", L"p.dat", false},
        {L"*.*", L"readme", true},
        {L"a*b*c", L"aXbYbc", true},
        {L"*", L"x", true},
        {L"*x", L"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windows::wildcard_matches(c.pattern, c.name), c.matches)
            << std::string(c.pattern, c.pattern + std::wcslen(c.pattern));
    }
}

TEST(WindowsArguments, WildcardsAndNamesOfTheCommandLine) {
    const NameCodePage ansi(1252);
    ScratchDir d;
    const std::string dir = d.path().string();
    const std::wstring wdir = d.path().wstring();
    for (const wchar_t* name : {L"b.dat", L"A.dat", L"a2.dat", L"m\u00fcller.dat", L"\u0151z.dat",
                                L"c.txt", L"x.txt", L"long.txt"}) {
        write_wide(wdir + L"\\" + name, kProblem);
    }
    ::CreateDirectoryW((wdir + L"\\sub.dat").c_str(), nullptr);
    const std::wstring line = L"bearingpad.exe -y \"" + wdir + L"\\*.dat\" " + wdir +
                              L"/?.txt none*.dat \"pier 3 north.dat\" \u0151.dat -*.dat";
    const std::vector<std::string> expected = {"-y",
                                               dir + "\\A.dat",
                                               dir + "\\a2.dat",
                                               dir + "\\b.dat",
                                               dir + "\\m\xfcller.dat",
                                               dir + "\\?z.dat",
                                               dir + "/c.txt",
                                               dir + "/x.txt",
                                               "none*.dat",
                                               "pier 3 north.dat",
                                               "?.dat",
                                               "-*.dat"};
    EXPECT_EQ(windows::arguments_of(line), expected);
    SystemFileAccess files;
    try {
        files.open_input(files.absolute_name(dir + "\\?z.dat"));
        ADD_FAILURE() << "opened ?z.dat";
    } catch (const RunTimeFailure& f) {
        EXPECT_EQ(f.number, 43);
    }
}

// The built program at a console of a given code page, as at a command
// prompt after chcp: cmd sets the code page of a pseudo console and runs the
// program with its standard streams on files. The typed names are taken in
// that code page; the failure line goes to a file and so is written in the
// ANSI code page (1252).
using CreatePseudoConsoleFn = HRESULT(WINAPI*)(COORD, HANDLE, HANDLE, DWORD, void**);
using ClosePseudoConsoleFn = void(WINAPI*)(void*);

Outcome run_at_console(const fs::path& dir, unsigned code_page, const std::string& typed) {
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const auto create = reinterpret_cast<CreatePseudoConsoleFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "CreatePseudoConsole")));
    const auto close = reinterpret_cast<ClosePseudoConsoleFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "ClosePseudoConsole")));
    if (create == nullptr || close == nullptr) return {-2, "", "no pseudo console"};
    ScratchDir io;
    write_file(io.path() / "typed", typed);
    HANDLE in_read, in_write, out_read, out_write;
    ::CreatePipe(&in_read, &in_write, nullptr, 0);
    ::CreatePipe(&out_read, &out_write, nullptr, 0);
    void* console = nullptr;
    if (create(COORD{80, 25}, in_read, out_write, 0, &console) != S_OK) {
        return {-2, "", "no pseudo console"};
    }
    ::CloseHandle(in_read);
    ::CloseHandle(out_write);
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributes(size);
    const auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    ::InitializeProcThreadAttributeList(list, 1, 0, &size);
    constexpr DWORD_PTR kPseudoConsole = 0x00020016;  // PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE
    ::UpdateProcThreadAttribute(list, 0, kPseudoConsole, console, sizeof console, nullptr, nullptr);
    char self[MAX_PATH + 1] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string exe =
        (fs::path(std::string(self, n)).parent_path() / "bearingpad.exe").string();
    const auto quoted = [](const std::string& s) { return "\"" + s + "\""; };
    const std::string input = " <" + quoted((io.path() / "typed").string());
    std::string command = "cmd.exe /s /c \"chcp " + std::to_string(code_page) + " >nul & " +
                          quoted(exe) + input + " >" + quoted((io.path() / "out").string()) +
                          " 2>" + quoted((io.path() / "err").string()) + "\"";
    STARTUPINFOEXA si{};
    si.StartupInfo.cb = sizeof si;
    si.lpAttributeList = list;
    PROCESS_INFORMATION pi{};
    const std::string cwd = dir.string();
    const BOOL started =
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                         EXTENDED_STARTUPINFO_PRESENT, nullptr, cwd.c_str(), &si.StartupInfo, &pi);
    DWORD status = static_cast<DWORD>(-1);
    if (started) {
        if (::WaitForSingleObject(pi.hProcess, 60000) == WAIT_TIMEOUT) {
            ::TerminateProcess(pi.hProcess, 124);
            ::WaitForSingleObject(pi.hProcess, INFINITE);
        }
        ::GetExitCodeProcess(pi.hProcess, &status);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::DeleteProcThreadAttributeList(list);
    // What the console shows is not needed; its pipe is emptied so that the
    // console can close.
    DWORD waiting = 0;
    char buffer[4096];
    DWORD got = 0;
    while (::PeekNamedPipe(out_read, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
           ::ReadFile(out_read, buffer, sizeof buffer, &got, nullptr)) {
    }
    ::CloseHandle(in_write);
    close(console);
    ::CloseHandle(out_read);
    return {static_cast<int>(status), read_file(io.path() / "out"), read_file(io.path() / "err")};
}

TEST(WindowsCodePages, BuiltProgramAfterChcp) {
    for (const Letters& l : kCodePages) {
        ScratchDir d;
        const std::wstring wdir = d.path().wstring();
        write_wide(wdir + L"\\" + kMueller, kProblem);
        const Outcome ok = run_at_console(
            d.path(), l.code_page, "m" + l.u_umlaut + "ller.dat\npi" + l.e_grave + "ce.rpt\n");
        if (ok.status == -2) GTEST_SKIP() << ok.err;
        EXPECT_EQ(ok.status, 0) << l.code_page;
        EXPECT_EQ(ok.out, kPrompts) << l.code_page;
        EXPECT_EQ(ok.err, "") << l.code_page;
        const std::string report = read_wide(wdir + L"\\" + kPiece);
        EXPECT_EQ(report.substr(report.size() < 8 ? 0 : report.size() - 8), "PAGE 5\r\n");
        EXPECT_EQ(names_in(wdir), (std::vector<std::wstring>{kMueller, kPiece})) << l.code_page;

        const Outcome missing =
            run_at_console(d.path(), l.code_page, "caf" + l.e_acute + ".dat\nout.rpt\n");
        EXPECT_EQ(missing.status, 29) << l.code_page;
        EXPECT_EQ(missing.err,
                  severe(29, "file not found, unit 5, file " + d.path().string() + "\\caf\xe9.dat"))
            << l.code_page;
    }
}

// The built program's command line: "*.dat" expanded by the program itself,
// in a fixed order, folders left out; a name outside ASCII in the ANSI code
// page (no console); a name that the code page cannot hold refused, and the
// others solved.
TEST(WindowsArguments, BuiltProgramExpandsAWildcard) {
    ScratchDir d;
    const std::wstring wdir = d.path().wstring();
    for (const wchar_t* name : {L"b.dat", L"a.dat", kMueller, L"\u0151.dat"}) {
        write_wide(wdir + L"\\" + name, kProblem);
    }
    ::CreateDirectoryW((wdir + L"\\sub.dat").c_str(), nullptr);
    const Outcome o = run_program(d.path(), "", {"-y", "*.dat"});
    EXPECT_EQ(o.status, 43);
    EXPECT_EQ(o.err, severe(43, "file name specification error, unit 5, file " + d.path().string() +
                                    "\\?.dat"));
    std::vector<std::string> solved;
    for (std::size_t at = 0, end; (end = o.out.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        const std::string line = o.out.substr(at, end - at);
        solved.push_back(line.substr(0, line.find(" written")));
    }
    EXPECT_EQ(solved, (std::vector<std::string>{"a.dat: a.rpt", "b.dat: b.rpt",
                                                "m\xfcller.dat: m\xfcller.rpt"}));
    EXPECT_EQ(names_in(wdir),
              (std::vector<std::wstring>{L"a.dat", L"a.rpt", L"b.dat", L"b.rpt", kMueller,
                                         L"m\u00fcller.rpt", L"sub.dat", L"\u0151.dat"}));
}

}  // namespace
}  // namespace bearingpad
