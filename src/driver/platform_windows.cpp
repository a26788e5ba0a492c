// The Windows system: files by Win32 handle through the wide (UTF-16)
// functions, names converted from and to the name code page, names made
// absolute as Windows forms them, identity by volume serial number and file
// index, temporary files removed at Ctrl-C, Ctrl-Break and the console
// closed, the local clock, the standard streams in binary mode (no byte is
// ever translated) and shown in the code page of the console or file they
// go to, the wide command line with its wildcards expanded, and the console
// window that Explorer opens for the program.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: the CRT headers below need its definitions on some toolchains.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "driver/file_access.h"
#include "driver/platform.h"
#include "driver/platform_files.h"

// The arguments are read from the wide command line; the C runtime's own
// expansion of wildcards in argv stays off, so that it never touches the
// file system for arguments that are not used.
extern "C" {
int _dowildcard = 0;
}

namespace bearingpad {

namespace {

// 0 while the system chooses the name code page.
unsigned fixed_name_code_page = 0;

// The name in UTF-16, from the name code page; nothing when it does not
// convert (a byte sequence that the code page does not define).
std::optional<std::wstring> wide(std::string_view text, unsigned code_page) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n =
        ::MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    if (::MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, out.data(), n) !=
        n) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::wstring> wide(std::string_view name) {
    return wide(name, windows::name_code_page());
}

// The text in a code page, characters it cannot hold replaced by the code
// page's default character.
std::string lossy_narrow(std::wstring_view text, unsigned code_page) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int n =
        ::WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(code_page, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

// The text in the name code page, only when it converts back to the same
// UTF-16 text: no character is ever replaced by a look-alike.
std::optional<std::string> narrow(std::wstring_view text) {
    const unsigned code_page = windows::name_code_page();
    std::string out = lossy_narrow(text, code_page);
    const std::optional<std::wstring> back = wide(out, code_page);
    if (!back || *back != text) return std::nullopt;
    return out;
}

// Text in the name code page, each character that it cannot hold written as
// "?" (for the command line and the typed lines).
std::string name_text(std::wstring_view text) {
    if (std::optional<std::string> whole = narrow(text)) return *whole;
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
            text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            n = 2;  // a surrogate pair is one character
        }
        const std::optional<std::string> one = narrow(text.substr(i, n));
        out += one ? *one : std::string("?");
        i += n;
    }
    return out;
}

bool is_separator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

wchar_t upper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool equal_ignoring_case(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

// Where the last part of a name starts: after its last separator, or after
// the drive of a name such as "C:NUL".
std::size_t last_part_start(std::wstring_view name) {
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) return slash + 1;
    return name.size() >= 2 && name[1] == L':' ? 2 : 0;
}

// A name beside the file named, for this process's attempt: the name with a
// mark that no report has ("NAME.~bpPID-N.tmp"), or the mark alone in the
// name's folder when the name is too long for one.
std::wstring marked_name(const std::wstring& name, unsigned attempt, const wchar_t* extension) {
    const std::wstring mark = L"~bp" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(attempt) + extension;
    const std::wstring marked = name + L"." + mark;
    if (marked.size() < MAX_PATH) return marked;
    return name.substr(0, last_part_start(name)) + mark;
}

// The reserved device word that the last part of a name designates ("NUL",
// "PRN", "COM1", ...), upper case, or an empty text. Windows takes such a word
// as the device wherever it stands and whatever extension follows it
// ("sub\prn.rpt" is the printer port), so the word alone decides.
std::wstring device_word(std::wstring_view name) {
    std::wstring_view last = name.substr(last_part_start(name));
    last = last.substr(0, last.find(L'.'));
    while (!last.empty() && last.back() == L' ') last.remove_suffix(1);
    std::wstring word;
    for (const wchar_t c : last) word += upper(c);
    static constexpr const wchar_t* kWords[] = {L"CON", L"PRN",    L"AUX",
                                                L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* w : kWords) {
        if (word == w) return word;
    }
    const wchar_t digit = word.size() == 4 ? word[3] : 0;
    const bool port_digit = (digit >= L'0' && digit <= L'9') || digit == 0xB9 || digit == 0xB2 ||
                            digit == 0xB3;  // and the superscripts 1, 2 and 3
    if (port_digit && (word.compare(0, 3, L"COM") == 0 || word.compare(0, 3, L"LPT") == 0)) {
        return word;
    }
    return std::wstring();
}

// How a name is opened: as a file, as the null device (which takes any
// report and reads as an empty file), or not at all: the console, printer
// and serial ports, everything in the device namespaces "\\.\" and "\\?\"
// (pipes, volumes, drives), where a run could hang or do harm, and a name
// that does not convert to UTF-16.
enum class NameKind { file, null_device, refused };

NameKind kind_of(std::wstring_view name) {
    if (name.size() >= 4 && is_separator(name[0]) && is_separator(name[1]) &&
        (name[2] == L'.' || name[2] == L'?') && is_separator(name[3])) {
        return equal_ignoring_case(name.substr(4), L"NUL") ? NameKind::null_device
                                                           : NameKind::refused;
    }
    const std::wstring word = device_word(name);
    if (word.empty()) return NameKind::file;
    return word == L"NUL" ? NameKind::null_device : NameKind::refused;
}

// A name as the system takes it, with its kind; a NUL byte, a name that does
// not convert or one too long is refused.
struct SystemName {
    std::wstring text;
    NameKind kind;
};

SystemName system_name(const std::string& name) {
    if (has_nul(name)) return {std::wstring(), NameKind::refused};
    std::optional<std::wstring> text = wide(name);
    // A name of MAX_PATH characters or more is opened only where the system
    // has long names enabled, and fails as a missing folder elsewhere; it is
    // refused as a name everywhere.
    if (!text || text->size() >= MAX_PATH) return {std::wstring(), NameKind::refused};
    const NameKind kind = kind_of(*text);
    return {std::move(*text), kind};
}

bool is_folder(const std::wstring& name) {
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileError file_error(DWORD code, const std::wstring& name) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
            return FileError::not_found;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_DIRECTORY:
            return FileError::missing_folder;
        case ERROR_ACCESS_DENIED:
            // A folder opened as a file is refused as access denied.
            return is_folder(name) ? FileError::is_folder : FileError::access_denied;
        case ERROR_SHARING_VIOLATION:  // held open by another program
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_NETWORK_ACCESS_DENIED:
            return FileError::access_denied;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return FileError::invalid_name;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileError::exists;
        default:
            return FileError::other;
    }
}

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

class WindowsInputFile : public RecordInputFile {
  public:
    WindowsInputFile(HANDLE h, std::string name) : RecordInputFile(std::move(name)), h_(h) {}

  private:
    std::optional<std::size_t> read_some(char* buffer, std::size_t size) override {
        DWORD n = 0;
        if (::ReadFile(h_.get(), buffer, static_cast<DWORD>(size), &n, nullptr)) return n;
        if (::GetLastError() == ERROR_BROKEN_PIPE) return 0;
        return std::nullopt;
    }

    Handle h_;
};

class WindowsReportSink : public BlockReportSink {
  public:
    WindowsReportSink(HANDLE h, std::string name, bool cut_at_first_write)
        : BlockReportSink(std::move(name), cut_at_first_write), h_(h) {}

  private:
    std::optional<std::size_t> write_some(const char* bytes, std::size_t size) override {
        DWORD n = 0;
        constexpr std::size_t kMaxBlock = 1u << 30;
        const auto block = static_cast<DWORD>(size < kMaxBlock ? size : kMaxBlock);
        if (!::WriteFile(h_.get(), bytes, block, &n, nullptr) || n == 0) return std::nullopt;
        return n;
    }
    bool cut() override {
        LARGE_INTEGER start{};
        return ::SetFilePointerEx(h_.get(), start, nullptr, FILE_BEGIN) && ::SetEndOfFile(h_.get());
    }

    Handle h_;
};

// A file written by handle: a temporary file, or the null device.
class WindowsWritableFile : public WritableFile {
  public:
    explicit WindowsWritableFile(HANDLE h) : h_(h) {}
    ~WindowsWritableFile() override {
        if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }
    std::optional<std::size_t> write_some(const char* bytes, std::size_t size) override {
        DWORD n = 0;
        constexpr std::size_t kMaxBlock = 1u << 30;
        const auto block = static_cast<DWORD>(size < kMaxBlock ? size : kMaxBlock);
        if (!::WriteFile(h_, bytes, block, &n, nullptr) || n == 0) return std::nullopt;
        return n;
    }
    bool sync() override { return ::FlushFileBuffers(h_) != 0; }
    bool close() override {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return ::CloseHandle(h) != 0;
    }

  private:
    HANDLE h_;
};

// The names of the temporary files not yet renamed or removed, for the
// console control handler, which runs in a thread of its own.
SRWLOCK temporaries_lock = SRWLOCK_INIT;

std::vector<std::wstring>& temporaries() {
    // Never destroyed: the handler may run while the program ends.
    static auto* names = new std::vector<std::wstring>();
    return *names;
}

void keep_temporary(const std::wstring& name) {
    ::AcquireSRWLockExclusive(&temporaries_lock);
    temporaries().push_back(name);
    ::ReleaseSRWLockExclusive(&temporaries_lock);
}

void forget_temporary(const std::wstring& name) {
    ::AcquireSRWLockExclusive(&temporaries_lock);
    std::vector<std::wstring>& names = temporaries();
    names.erase(std::remove(names.begin(), names.end(), name), names.end());
    ::ReleaseSRWLockExclusive(&temporaries_lock);
}

// Held shared while a set is renamed into place: the control handler waits
// for the set to be whole before it ends the program.
SRWLOCK commit_lock = SRWLOCK_INIT;

// The status of a program ended by Ctrl-C or Ctrl-Break, as the console
// gives it (STATUS_CONTROL_C_EXIT).
constexpr UINT kInterruptedStatus = 0xC000013A;

// Ctrl-C, Ctrl-Break, the console closed, the session ended: the temporary
// files are removed (each is open with delete sharing, so it goes when the
// program's handle closes), and the lock stays held so that no further one
// is made; the program then ends here with the interrupted status, never 0
// (the system's own handler, left to end it, gave 0 under some consoles).
BOOL WINAPI remove_temporaries_at(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            break;
        default:
            return FALSE;
    }
    ::AcquireSRWLockExclusive(&commit_lock);
    ::AcquireSRWLockExclusive(&temporaries_lock);
    for (const std::wstring& name : temporaries()) ::DeleteFileW(name.c_str());
    std::fflush(nullptr);
    ::TerminateProcess(::GetCurrentProcess(), kInterruptedStatus);
    return TRUE;
}

HANDLE open_null_device(DWORD access) {
    return ::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The identity of an existing file: volume serial number and file index. The
// handle asks for no access and shares everything, so a file that another
// program holds open is still identified.
struct Identity {
    DWORD volume;
    DWORD index_high;
    DWORD index_low;
};

std::optional<Identity> file_identity(const std::wstring& name) {
    Handle h(::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h.get(), &info)) return std::nullopt;
    return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The name checked before any open: a NUL byte, a name that does not convert
// or a refused device is a file name error, and nothing is touched.
SystemName checked_name(const std::string& name, int unit) {
    SystemName checked = system_name(name);
    if (checked.kind == NameKind::refused) {
        throw RunTimeFailure{failure_file_name, unit, name};
    }
    return checked;
}

// The full name that GetFullPathNameW forms, or nothing.
std::optional<std::wstring> full_path(const std::wstring& name) {
    const DWORD size = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::nullopt;
    std::wstring full(size + 1, L'\0');
    const DWORD n = ::GetFullPathNameW(name.c_str(), size + 1, full.data(), nullptr);
    if (n == 0 || n > size) return std::nullopt;
    full.resize(n);
    return full;
}

// A byte sequence shown in another code page: the text of standard output and
// standard error is converted, at each flush, from the name code page into
// the code page of the console (or, for a file or a pipe, the ANSI code page)
// that it goes to. A character that the target cannot show is shown as its
// default character.
class CodePageBuffer : public std::streambuf {
  public:
    CodePageBuffer(std::streambuf* target, unsigned from, unsigned to)
        : target_(target), from_(from), to_(to) {}

  protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            pending_ += traits_type::to_char_type(c);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        pending_.append(s, static_cast<std::size_t>(n));
        return n;
    }
    int sync() override {
        if (!pending_.empty()) {
            const std::optional<std::wstring> text = wide(pending_, from_);
            const std::string shown = text ? lossy_narrow(*text, to_) : pending_;
            pending_.clear();
            const auto size = static_cast<std::streamsize>(shown.size());
            if (target_->sputn(shown.data(), size) != size) return -1;
        }
        return target_->pubsync();
    }

  private:
    std::streambuf* target_;
    unsigned from_;
    unsigned to_;
    std::string pending_;
};

bool is_console(HANDLE h) {
    DWORD mode = 0;
    return h != nullptr && h != INVALID_HANDLE_VALUE && ::GetConsoleMode(h, &mode) != 0;
}

// Standard input when it is the console: the typed text is read as the
// console holds it (UTF-16) and converted here to the name code page, each
// character that the code page cannot hold as "?". The console's own
// conversion would replace such a character by a look-alike ("w" for a
// w-circumflex at a 1252 prompt) and so open or write another file than the
// one typed; "?" is in no file name, and the name is refused.
class ConsoleInputBuffer : public std::streambuf {
  public:
    explicit ConsoleInputBuffer(HANDLE console) : console_(console) {}

  protected:
    int_type underflow() override {
        while (gptr() == egptr()) {
            wchar_t typed[1024];
            DWORD n = 0;
            if (!::ReadConsoleW(console_, typed, 1024, &n, nullptr) || n == 0) {
                return traits_type::eof();
            }
            std::wstring text = held_ + std::wstring(typed, n);
            held_.clear();
            // A surrogate pair split between two reads waits for its second half.
            if (text.back() >= 0xD800 && text.back() <= 0xDBFF) {
                held_ = text.back();
                text.pop_back();
            }
            bytes_ = name_text(text);
            setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
        }
        return traits_type::to_int_type(*gptr());
    }

  private:
    HANDLE console_;
    std::wstring held_;
    std::string bytes_;
};

// Standard output or standard error shown in the code page of what it goes
// to, when that differs from the name code page.
void show_in_code_page(std::ostream& stream, DWORD handle_id) {
    const unsigned from = windows::name_code_page();
    const unsigned to = is_console(::GetStdHandle(handle_id)) ? ::GetConsoleOutputCP() : ::GetACP();
    if (from == 0 || to == 0 || from == to) return;
    // Lives to the end of the process: the streams are flushed at its exit.
    stream.rdbuf(new CodePageBuffer(stream.rdbuf(), from, to));
}

}  // namespace

// A pattern ending in ".*" also matches a name without a dot, as the system's
// own matching does. The system also matches the short 8.3 names, so "*.dat"
// finds "p.data" through "P~1.DAT"; every name found is matched again here,
// so that such a file is never taken (its report would be p.rpt, the report
// of p.dat).
bool windows::wildcard_matches(std::wstring_view pattern, std::wstring_view name) {
    // Case ignored as the file system ignores it (kernel32 only).
    auto same_letter = [](wchar_t a, wchar_t b) {
        return ::CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
    };
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == L".*" &&
        name.find(L'.') == std::wstring_view::npos) {
        pattern.remove_suffix(2);
    }
    // Greedy matching with one backtrack point, the last "*".
    std::size_t p = 0, n = 0, star = std::wstring_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || same_letter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

namespace {

// The files that a wildcard pattern matches, folders left out, in a fixed
// order (ignoring case, then by case), each with the pattern's folder part as
// typed; the pattern alone when nothing matches.
std::vector<std::wstring> expanded(const std::wstring& pattern) {
    const std::wstring folder = pattern.substr(0, last_part_start(pattern));
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                windows::wildcard_matches(std::wstring_view(pattern).substr(folder.size()),
                                          found.cFileName)) {
                names.emplace_back(found.cFileName);
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    if (names.empty()) return {pattern};
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const int c = ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE);
        return c != CSTR_EQUAL ? c == CSTR_LESS_THAN : a < b;
    });
    for (std::wstring& name : names) name.insert(0, folder);
    return names;
}

}  // namespace

namespace windows {

unsigned name_code_page() {
    if (fixed_name_code_page != 0) return fixed_name_code_page;
    const unsigned console = ::GetConsoleCP();
    return console != 0 ? console : ::GetACP();
}

void set_name_code_page(unsigned code_page) {
    fixed_name_code_page = code_page;
}

std::vector<std::string> arguments_of(std::wstring_view command_line) {
    const std::wstring line(command_line);
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(line.c_str(), &count);
    if (words == nullptr) return {};
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const std::wstring word = words[i];
        const bool wildcard =
            word.find_first_of(L"*?", last_part_start(word)) != std::wstring::npos;
        if (word.empty() || word[0] == L'-' || !wildcard) {
            arguments.push_back(name_text(word));
            continue;
        }
        for (const std::wstring& name : expanded(word)) arguments.push_back(name_text(name));
    }
    ::LocalFree(words);
    return arguments;
}

}  // namespace windows

std::string SystemFileAccess::absolute_name(std::string_view name) {
    const std::string typed(name);
    if (has_nul(typed)) return typed;
    const std::optional<std::wstring> text = wide(typed);
    if (!text) return typed;  // refused when it is opened
    // Drive letters, "\", UNC names and names typed with "/": the system's
    // own rules, against the current directory of the drive. A device name
    // keeps its last part as typed ("C:\jobs\prn.rpt"), where the system
    // would name the device instead ("\\.\PRN").
    std::optional<std::wstring> full;
    if (!device_word(*text).empty()) {
        const std::size_t last = last_part_start(*text);
        const std::wstring folder = text->substr(0, last);
        full = full_path(folder.empty() || folder.back() == L':' ? folder + L".\\" : folder);
        if (full && !full->empty() && !is_separator(full->back())) *full += L'\\';
        if (full) *full += text->substr(last);
    } else {
        full = full_path(*text);
    }
    // When the name cannot be formed, or its folders hold a character that
    // the name code page cannot, it stays as typed: it is opened where the
    // run stands and quoted as typed, never changed into another name.
    if (!full) return typed;
    return narrow(*full).value_or(typed);
}

std::unique_ptr<InputFile> SystemFileAccess::open_input(const std::string& name) {
    const SystemName system = checked_name(name, input_unit);
    if (system.kind == NameKind::null_device) {
        // The null device reads as an empty file.
        const HANDLE h = open_null_device(GENERIC_READ);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, input_unit, name};
        return std::make_unique<WindowsInputFile>(h, name);
    }
    const HANDLE h =
        ::CreateFileW(system.text.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        throw RunTimeFailure{open_failure_number(file_error(code, system.text)), input_unit, name};
    }
    return std::make_unique<WindowsInputFile>(h, name);
}

bool SystemFileAccess::exists(const std::string& name) {
    const SystemName system = system_name(name);
    switch (system.kind) {
        case NameKind::null_device:
            return true;
        case NameKind::refused:
            return false;  // the create refuses it, without a question first
        case NameKind::file:
            break;
    }
    if (::GetFileAttributesW(system.text.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    // A file held open by another program can refuse even its attributes,
    // and some files have none to give; an open that asks for no access and
    // shares everything still finds them.
    const DWORD code = ::GetLastError();
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) return true;
    const Handle h(::CreateFileW(system.text.c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.get() != INVALID_HANDLE_VALUE;
}

bool SystemFileAccess::same_file(const std::string& a, const std::string& b) {
    const SystemName sa = system_name(a), sb = system_name(b);
    // The null device is one device, as /dev/null is one file.
    if (sa.kind != NameKind::file || sb.kind != NameKind::file) {
        return sa.kind == NameKind::null_device && sb.kind == NameKind::null_device;
    }
    const std::optional<Identity> ia = file_identity(sa.text), ib = file_identity(sb.text);
    return ia && ib && ia->volume == ib->volume && ia->index_high == ib->index_high &&
           ia->index_low == ib->index_low;
}

namespace {

// An existing report opened for writing, without truncation. A read-only
// report is never written over, whatever the privileges of the run (Windows
// refuses it to every user; wine run by root would not); a file held open by
// another program fails here (message 9) and keeps its contents.
HANDLE open_existing_report(const SystemName& system, const std::string& name) {
    const DWORD attributes = ::GetFileAttributesW(system.text.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw RunTimeFailure{failure_access_denied, report_unit, name};
    }
    const HANDLE h = ::CreateFileW(system.text.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        throw RunTimeFailure{open_failure_number(file_error(code, system.text)), report_unit, name};
    }
    return h;
}

}  // namespace

std::unique_ptr<OutputSink> SystemFileAccess::create_report(const std::string& name) {
    const SystemName system = checked_name(name, report_unit);
    if (system.kind == NameKind::null_device) {
        const HANDLE h = open_null_device(GENERIC_WRITE);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, report_unit, name};
        return std::make_unique<WindowsReportSink>(h, name, false);
    }
    const HANDLE h = ::CreateFileW(system.text.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        throw RunTimeFailure{create_failure_number(file_error(code, system.text)), report_unit,
                             name};
    }
    return std::make_unique<WindowsReportSink>(h, name, false);
}

std::unique_ptr<OutputSink> SystemFileAccess::reopen_report(const std::string& name) {
    const SystemName system = checked_name(name, report_unit);
    if (system.kind == NameKind::null_device) {
        // The null device takes the report; it has no old contents to cut.
        const HANDLE h = open_null_device(GENERIC_WRITE);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, report_unit, name};
        return std::make_unique<WindowsReportSink>(h, name, false);
    }
    // Cut only at the first write.
    const HANDLE h = open_existing_report(system, name);
    return std::make_unique<WindowsReportSink>(h, name, ::GetFileType(h) == FILE_TYPE_DISK);
}

std::unique_ptr<WritableFile> SystemFileAccess::open_to_replace(const std::string& name) {
    const SystemName system = checked_name(name, report_unit);
    if (system.kind == NameKind::null_device) {
        const HANDLE h = open_null_device(GENERIC_WRITE);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, report_unit, name};
        return std::make_unique<WindowsWritableFile>(h);
    }
    // Opened for writing as the reopen does, so that a report held open by
    // another program fails here (message 9); nothing is written.
    const HANDLE h = open_existing_report(system, name);
    if (::GetFileType(h) == FILE_TYPE_DISK) {
        ::CloseHandle(h);
        return nullptr;
    }
    return std::make_unique<WindowsWritableFile>(h);
}

TemporaryFile SystemFileAccess::create_beside(const std::string& name) {
    const SystemName system = checked_name(name, report_unit);
    if (system.kind == NameKind::null_device) {
        const HANDLE h = open_null_device(GENERIC_WRITE);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, report_unit, name};
        return {std::make_unique<WindowsWritableFile>(h), std::string()};
    }
    for (unsigned attempt = 0;; ++attempt) {
        const std::wstring temporary = marked_name(system.text, attempt, L".tmp");
        const std::optional<std::string> text = narrow(temporary);
        if (temporary.size() >= MAX_PATH || !text) {
            throw RunTimeFailure{failure_file_name, report_unit, name};
        }
        // Known to the control handler before it exists, so that it is never
        // left by an interruption; open with delete sharing, so that the
        // handler can remove it.
        keep_temporary(temporary);
        const HANDLE h =
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return {std::make_unique<WindowsWritableFile>(h), *text};
        const DWORD code = ::GetLastError();
        forget_temporary(temporary);
        if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || attempt >= 100) {
            throw RunTimeFailure{create_failure_number(file_error(code, temporary)), report_unit,
                                 name};
        }
    }
}

std::optional<FileError> SystemFileAccess::rename_file(const std::string& from,
                                                       const std::string& to, bool replace) {
    const SystemName source = system_name(from), target = system_name(to);
    if (source.kind != NameKind::file || target.kind != NameKind::file) {
        return FileError::invalid_name;
    }
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!::MoveFileExW(source.text.c_str(), target.text.c_str(), flags)) {
        const DWORD code = ::GetLastError();
        return file_error(code, target.text);
    }
    forget_temporary(source.text);
    return std::nullopt;
}

NameHolds SystemFileAccess::holds(const std::string& name) {
    const SystemName system = system_name(name);
    if (system.kind == NameKind::null_device) return NameHolds::special;
    if (system.kind != NameKind::file) return NameHolds::nothing;
    const DWORD attributes = ::GetFileAttributesW(system.text.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return exists(name) ? NameHolds::file : NameHolds::nothing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? NameHolds::folder : NameHolds::file;
}

bool SystemFileAccess::sync_together(const std::vector<WritableFile*>& files) {
    return FileAccess::sync_together(files);
}

FileAccess::SetAside SystemFileAccess::set_aside(const std::string& name, bool move) {
    const SystemName system = system_name(name);
    if (system.kind != NameKind::file) return {std::string(), FileError::invalid_name};
    for (unsigned attempt = 0;; ++attempt) {
        const std::wstring aside = marked_name(system.text, attempt, L".old");
        const std::optional<std::string> text = narrow(aside);
        if (aside.size() >= MAX_PATH || !text) return {std::string(), FileError::invalid_name};
        // A hard link keeps the old file under the second name; where the
        // volume has none, the file is moved there.
        if (!move && ::CreateHardLinkW(aside.c_str(), system.text.c_str(), nullptr)) {
            return {*text, std::nullopt};
        }
        DWORD code = move ? ERROR_NOT_SUPPORTED : ::GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            if (::MoveFileExW(system.text.c_str(), aside.c_str(), 0)) return {*text, std::nullopt};
            code = ::GetLastError();
        }
        if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || attempt >= 100) {
            return {std::string(), file_error(code, system.text)};
        }
    }
}

std::optional<FileError> SystemFileAccess::remove_file(const std::string& name) {
    const SystemName system = system_name(name);
    if (system.kind != NameKind::file) return FileError::invalid_name;
    const BOOL removed = ::DeleteFileW(system.text.c_str());
    const DWORD code = ::GetLastError();
    forget_temporary(system.text);
    if (removed || code == ERROR_FILE_NOT_FOUND) return std::nullopt;
    return file_error(code, system.text);
}

// No lock between runs: MoveFileEx over a file that another run has open
// fails, and that set is put back.
void SystemFileAccess::hold_interruptions(bool hold, const std::string&) {
    if (hold) {
        ::AcquireSRWLockShared(&commit_lock);
    } else {
        ::ReleaseSRWLockShared(&commit_lock);
    }
}

// The folder by its identity, the last part in upper case as the system
// compares names.
std::string SystemFileAccess::written_name(const std::string& name) {
    const SystemName system = system_name(name);
    if (system.kind == NameKind::refused) return std::string();
    if (system.kind == NameKind::null_device) return "NUL";
    const std::size_t start = last_part_start(system.text);
    const std::optional<Identity> folder =
        file_identity(start == 0 ? std::wstring(L".") : system.text.substr(0, start));
    if (!folder) return std::string();
    std::wstring last = system.text.substr(start);
    if (!last.empty()) {
        ::CharUpperBuffW(last.data(), static_cast<DWORD>(last.size()));
    }
    const std::optional<std::string> text = narrow(last);
    return std::to_string(folder->volume) + ":" + std::to_string(folder->index_high) + ":" +
           std::to_string(folder->index_low) + "\\" + text.value_or("?");
}

void remove_temporaries_on_interrupt() {
    ::SetConsoleCtrlHandler(remove_temporaries_at, TRUE);
}

std::tm system_local_time() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    std::tm t{};
    t.tm_year = now.wYear - 1900;
    t.tm_mon = now.wMonth - 1;
    t.tm_mday = now.wDay;
    t.tm_hour = now.wHour;
    t.tm_min = now.wMinute;
    t.tm_sec = now.wSecond;
    t.tm_wday = now.wDayOfWeek;
    t.tm_isdst = -1;
    return t;
}

void prepare_standard_streams() {
    // The C runtime's text mode would turn LF into CR LF on output and end
    // input at a Ctrl-Z byte; the console lines carry their own CR LF.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    show_in_code_page(std::cout, STD_OUTPUT_HANDLE);
    show_in_code_page(std::cerr, STD_ERROR_HANDLE);
    const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
    if (is_console(in)) {
        // Lives to the end of the process, as std::cin does.
        std::cin.rdbuf(new ConsoleInputBuffer(in));
    }
}

// The close of the process's standard output handle is left to the system:
// a byte refused before it is told by the stream.
bool close_standard_output() {
    std::cout.flush();
    return static_cast<bool>(std::cout);
}

std::vector<std::string> program_arguments(int, char**) {
    return windows::arguments_of(::GetCommandLineW());
}

void end_of_run() {
    const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD processes[2] = {};
    ConsoleFacts facts;
    facts.console_processes = ::GetConsoleProcessList(processes, 2);
    facts.has_console = facts.console_processes > 0;
    facts.input_redirected = !is_console(in);
    facts.output_redirected = !is_console(out);
    if (!should_wait_before_exit(facts)) return;
    std::cout.flush();
    std::cerr.flush();
    static constexpr char kLine[] = "Press Enter to close this window.";
    DWORD written = 0;
    ::WriteConsoleA(out, kLine, sizeof kLine - 1, &written, nullptr);
    // Keys typed during the run are not taken for the Enter.
    ::FlushConsoleInputBuffer(in);
    char buffer[256];
    DWORD n = 0;
    while (::ReadConsoleA(in, buffer, sizeof buffer, &n, nullptr) && n > 0) {
        if (std::find(buffer, buffer + n, '\r') != buffer + n ||
            std::find(buffer, buffer + n, '\n') != buffer + n) {
            break;
        }
    }
}

}  // namespace bearingpad
