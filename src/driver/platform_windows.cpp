// The Windows system: files by Win32 handle (the single-byte "A" functions,
// as names are single-byte text), names made absolute as Windows forms them,
// identity by volume serial number and file index, the local clock, and the
// standard streams in binary mode, so that no byte is ever translated.
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

#include <cstdio>
#include <string>
#include <vector>

#include "driver/file_access.h"
#include "driver/platform.h"

namespace bearingpad {

namespace {

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

// The reserved device word that the last part of a name designates ("NUL",
// "PRN", "COM1", ...), upper case, or an empty text. Windows takes such a word
// as the device wherever it stands and whatever extension follows it
// ("sub\prn.rpt" is the printer port), so the word alone decides.
std::string device_word(std::string_view name) {
    const std::size_t slash = name.find_last_of("\\/");
    std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
    if (slash == std::string_view::npos && last.size() >= 2 && last[1] == ':') {
        last.remove_prefix(2);  // "C:NUL"
    }
    last = last.substr(0, last.find('.'));
    while (!last.empty() && last.back() == ' ') last.remove_suffix(1);
    std::string word;
    for (const char c : last) word += upper(c);
    static constexpr const char* kWords[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* w : kWords) {
        if (word == w) return word;
    }
    const auto digit = static_cast<unsigned char>(word.size() == 4 ? word[3] : 0);
    const bool port_digit = (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 ||
                            digit == 0xB3;  // and the superscripts 1, 2 and 3
    if (port_digit && (word.compare(0, 3, "COM") == 0 || word.compare(0, 3, "LPT") == 0)) {
        return word;
    }
    return std::string();
}

// How a name is opened: as a file, as the null device (which takes any
// report and reads as an empty file), or not at all: the console, printer
// and serial ports, and everything in the device namespaces "\\.\" and
// "\\?\" (pipes, volumes, drives), where a run could hang or do harm.
enum class NameKind { file, null_device, refused_device };

NameKind kind_of(const std::string& name) {
    if (name.size() >= 4 && is_separator(name[0]) && is_separator(name[1]) &&
        (name[2] == '.' || name[2] == '?') && is_separator(name[3])) {
        return equal_ignoring_case(name.substr(4), "NUL") ? NameKind::null_device
                                                          : NameKind::refused_device;
    }
    const std::string word = device_word(name);
    if (word.empty()) return NameKind::file;
    return word == "NUL" ? NameKind::null_device : NameKind::refused_device;
}

bool is_folder(const std::string& name) {
    const DWORD attributes = ::GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileError file_error(DWORD code, const std::string& name) {
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

HANDLE open_null_device(DWORD access) {
    return ::CreateFileA("NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
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

std::optional<Identity> identity(const std::string& name) {
    Handle h(::CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h.get(), &info)) return std::nullopt;
    return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The name checked before any open: a NUL byte or a refused device is a
// file name error, and nothing is touched.
NameKind checked_kind(const std::string& name, int unit) {
    const NameKind kind = has_nul(name) ? NameKind::refused_device : kind_of(name);
    if (kind == NameKind::refused_device) throw RunTimeFailure{failure_file_name, unit, name};
    return kind;
}

}  // namespace

std::string SystemFileAccess::absolute_name(std::string_view name) {
    const std::string typed(name);
    if (has_nul(typed)) return typed;
    // A device is named as Windows names it, in the device namespace.
    const std::string word = device_word(typed);
    if (!word.empty()) return "\\\\.\\" + word;
    // Drive letters, "\", UNC names and names typed with "/": the system's
    // own rules, against the current directory of the drive. When the name
    // cannot be formed it stays as typed.
    const DWORD size = ::GetFullPathNameA(typed.c_str(), 0, nullptr, nullptr);
    if (size == 0) return typed;
    std::vector<char> full(size + 1);
    const DWORD n = ::GetFullPathNameA(typed.c_str(), size + 1, full.data(), nullptr);
    if (n == 0 || n > size) return typed;
    return std::string(full.data(), n);
}

std::unique_ptr<InputFile> SystemFileAccess::open_input(const std::string& name) {
    if (checked_kind(name, input_unit) == NameKind::null_device) {
        // The null device reads as an empty file.
        const HANDLE h = open_null_device(GENERIC_READ);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, input_unit, name};
        return std::make_unique<WindowsInputFile>(h, name);
    }
    const HANDLE h = ::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        throw RunTimeFailure{open_failure_number(file_error(code, name)), input_unit, name};
    }
    return std::make_unique<WindowsInputFile>(h, name);
}

bool SystemFileAccess::exists(const std::string& name) {
    if (has_nul(name)) return false;
    switch (kind_of(name)) {
        case NameKind::null_device:
            return true;
        case NameKind::refused_device:
            return false;  // the create refuses it, without a question first
        case NameKind::file:
            break;
    }
    if (::GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    // A file held open by another program can refuse even its attributes,
    // and some files have none to give; an open that asks for no access and
    // shares everything still finds them.
    const DWORD code = ::GetLastError();
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) return true;
    const Handle h(::CreateFileA(name.c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.get() != INVALID_HANDLE_VALUE;
}

bool SystemFileAccess::same_file(const std::string& a, const std::string& b) {
    if (has_nul(a) || has_nul(b)) return false;
    const NameKind ka = kind_of(a), kb = kind_of(b);
    // The null device is one device, as /dev/null is one file.
    if (ka != NameKind::file || kb != NameKind::file) {
        return ka == NameKind::null_device && kb == NameKind::null_device;
    }
    const std::optional<Identity> ia = identity(a), ib = identity(b);
    return ia && ib && ia->volume == ib->volume && ia->index_high == ib->index_high &&
           ia->index_low == ib->index_low;
}

std::unique_ptr<OutputSink> SystemFileAccess::create_report(const std::string& name) {
    if (checked_kind(name, report_unit) == NameKind::null_device) {
        const HANDLE h = open_null_device(GENERIC_WRITE);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, report_unit, name};
        return std::make_unique<WindowsReportSink>(h, name, false);
    }
    const HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        throw RunTimeFailure{create_failure_number(file_error(code, name)), report_unit, name};
    }
    return std::make_unique<WindowsReportSink>(h, name, false);
}

std::unique_ptr<OutputSink> SystemFileAccess::reopen_report(const std::string& name) {
    if (checked_kind(name, report_unit) == NameKind::null_device) {
        // The null device takes the report; it has no old contents to cut.
        const HANDLE h = open_null_device(GENERIC_WRITE);
        if (h == INVALID_HANDLE_VALUE) throw RunTimeFailure{failure_open, report_unit, name};
        return std::make_unique<WindowsReportSink>(h, name, false);
    }
    // A read-only report is never written over, whatever the privileges of
    // the run (Windows refuses it to every user; wine run by root would not).
    const DWORD attributes = ::GetFileAttributesA(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw RunTimeFailure{failure_access_denied, report_unit, name};
    }
    // Opened without truncation: a file held open by another program fails
    // here (message 9) and keeps its contents; the old report is cut only at
    // the first write.
    const HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        throw RunTimeFailure{open_failure_number(file_error(code, name)), report_unit, name};
    }
    return std::make_unique<WindowsReportSink>(h, name, ::GetFileType(h) == FILE_TYPE_DISK);
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
}

std::vector<std::string> program_arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

}  // namespace bearingpad
