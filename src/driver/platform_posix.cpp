// The POSIX system: files by file descriptor, identity by device and inode,
// names absolute against the current directory, temporary files removed at
// SIGINT, SIGTERM and SIGHUP, the local clock, the arguments as the shell
// gave them. Names are bytes, passed as they are.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "driver/file_access.h"
#include "driver/platform.h"

namespace bearingpad {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

class PosixInputFile : public RecordInputFile {
  public:
    PosixInputFile(int fd, std::string name) : RecordInputFile(std::move(name)), fd_(fd) {}

  private:
    std::optional<std::size_t> read_some(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::read(fd_.get(), buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) return std::nullopt;
        }
    }

    FileDescriptor fd_;
};

class PosixReportSink : public BlockReportSink {
  public:
    PosixReportSink(int fd, std::string name, bool cut_at_first_write)
        : BlockReportSink(std::move(name), cut_at_first_write), fd_(fd) {}

  private:
    std::optional<std::size_t> write_some(const char* bytes, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::write(fd_.get(), bytes, size);
            if (n > 0) return static_cast<std::size_t>(n);
            if (n < 0 && errno == EINTR) continue;
            return std::nullopt;
        }
    }
    bool cut() override { return ::ftruncate(fd_.get(), 0) == 0; }

    FileDescriptor fd_;
};

// A file written by file descriptor: a temporary file, or a device written in
// place.
class PosixWritableFile : public WritableFile {
  public:
    explicit PosixWritableFile(int fd) : fd_(fd) {}
    ~PosixWritableFile() override {
        if (fd_ >= 0) ::close(fd_);
    }
    std::optional<std::size_t> write_some(const char* bytes, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::write(fd_, bytes, size);
            if (n > 0) return static_cast<std::size_t>(n);
            if (n < 0 && errno == EINTR) continue;
            return std::nullopt;
        }
    }
    bool sync() override { return ::fsync(fd_) == 0; }
    bool close() override {
        const int fd = fd_;
        fd_ = -1;
        // After EINTR the descriptor is closed all the same (Linux).
        return ::close(fd) == 0 || errno == EINTR;
    }

  private:
    int fd_;
};

// The names of the temporary files not yet renamed or removed, for the
// signal handler: fixed slots, each an owned copy of a name or null, changed
// only by the program's one thread, which the handler interrupts.
constexpr std::size_t kTemporarySlots = 16;
std::atomic<char*> temporary_names[kTemporarySlots];

void keep_temporary(const std::string& name) {
    for (std::atomic<char*>& slot : temporary_names) {
        if (slot.load() == nullptr) {
            slot.store(::strdup(name.c_str()));
            return;
        }
    }
}

void forget_temporary(const std::string& name) {
    for (std::atomic<char*>& slot : temporary_names) {
        char* kept = slot.load();
        if (kept != nullptr && name == kept) {
            slot.store(nullptr);
            std::free(kept);
            return;
        }
    }
}

void remove_temporaries_and_end(int signal_number) {
    for (std::atomic<char*>& slot : temporary_names) {
        if (const char* name = slot.load()) ::unlink(name);
    }
    // The handler was reset to the default: the signal, blocked while this
    // runs, ends the program as it would have.
    ::raise(signal_number);
}

// The name of a temporary file beside name: its last part and a mark that no
// report has, or the mark alone when the last part is long.
std::string temporary_name(const std::string& name, unsigned attempt, bool short_form) {
    const std::size_t slash = name.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
    const std::string mark =
        "~bp" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
    return folder + (short_form ? mark : name.substr(folder.size()) + "." + mark);
}

FileError file_error(int error_number) {
    switch (error_number) {
        case ENOENT:
            return FileError::not_found;
        case ENOTDIR:
            return FileError::missing_folder;
        case EACCES:
        case EPERM:
        case EROFS:
            return FileError::access_denied;
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return FileError::invalid_name;
        case EISDIR:
            return FileError::is_folder;
        case EEXIST:
            return FileError::exists;
        default:
            return FileError::other;
    }
}

}  // namespace

std::string SystemFileAccess::absolute_name(std::string_view name) {
    if (!name.empty() && name.front() == '/') return std::string(name);
    // When the current directory cannot be named (it was removed, or its
    // path is too long) the name stays relative: it is opened where the run
    // stands and quoted as typed, never taken from another directory.
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd == nullptr) return std::string(name);
    std::string dir = cwd;
    std::free(cwd);
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir.append(name);
}

std::unique_ptr<InputFile> SystemFileAccess::open_input(const std::string& name) {
    if (has_nul(name)) throw RunTimeFailure{failure_file_name, input_unit, name};
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw RunTimeFailure{open_failure_number(file_error(errno)), input_unit, name};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw RunTimeFailure{open_failure_number(FileError::is_folder), input_unit, name};
    }
    return std::make_unique<PosixInputFile>(fd, name);
}

bool SystemFileAccess::exists(const std::string& name) {
    if (has_nul(name)) return false;
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0;
}

bool SystemFileAccess::same_file(const std::string& a, const std::string& b) {
    if (has_nul(a) || has_nul(b)) return false;
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::unique_ptr<OutputSink> SystemFileAccess::create_report(const std::string& name) {
    if (has_nul(name)) throw RunTimeFailure{failure_file_name, report_unit, name};
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        throw RunTimeFailure{create_failure_number(file_error(errno)), report_unit, name};
    }
    return std::make_unique<PosixReportSink>(fd, name, false);
}

std::unique_ptr<OutputSink> SystemFileAccess::reopen_report(const std::string& name) {
    if (has_nul(name)) throw RunTimeFailure{failure_file_name, report_unit, name};
    const int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throw RunTimeFailure{open_failure_number(file_error(errno)), report_unit, name};
    // Only a regular file has old contents to cut; a device such as /dev/null
    // or a terminal cannot be truncated and simply takes the new report.
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    return std::make_unique<PosixReportSink>(fd, name, regular);
}

std::unique_ptr<WritableFile> SystemFileAccess::open_to_replace(const std::string& name) {
    if (has_nul(name)) throw RunTimeFailure{failure_file_name, report_unit, name};
    // Opened for writing as the reopen does, so that a report that may not be
    // written fails here, with the same message; nothing is written.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) throw RunTimeFailure{open_failure_number(file_error(errno)), report_unit, name};
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixWritableFile>(fd);
}

TemporaryFile SystemFileAccess::create_beside(const std::string& name) {
    if (has_nul(name)) throw RunTimeFailure{failure_file_name, report_unit, name};
    const std::size_t slash = name.rfind('/');
    const std::size_t last = name.size() - (slash == std::string::npos ? 0 : slash + 1);
    if (last > NAME_MAX) throw RunTimeFailure{failure_file_name, report_unit, name};
    struct stat old {};
    const bool replacing = ::stat(name.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    bool short_form = false;
    for (unsigned attempt = 0;; ++attempt) {
        const std::string temporary = temporary_name(name, attempt, short_form);
        // Known to the signal handler before it exists, so that it is never
        // left by an interruption.
        keep_temporary(temporary);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // The new report may be read by whom the old one could.
            if (replacing) ::fchmod(fd, old.st_mode & 07777);
            return {std::make_unique<PosixWritableFile>(fd), temporary};
        }
        const int error = errno;
        forget_temporary(temporary);
        if (error == ENAMETOOLONG && !short_form) {
            short_form = true;
        } else if (error != EEXIST || attempt >= 100) {
            throw RunTimeFailure{create_failure_number(file_error(error)), report_unit, name};
        }
    }
}

std::optional<FileError> SystemFileAccess::rename_file(const std::string& from,
                                                       const std::string& to, bool replace) {
    if (replace) {
        if (::rename(from.c_str(), to.c_str()) != 0) return file_error(errno);
    } else if (::link(from.c_str(), to.c_str()) == 0) {
        // A hard link fails when the name is taken, where a rename would not.
        ::unlink(from.c_str());
    } else {
        const int error = errno;
        if (error == EEXIST) return FileError::exists;
        // A file system without hard links: the name tested, then renamed.
        if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != EMLINK &&
            error != ENOSYS) {
            return file_error(error);
        }
        struct stat st {};
        if (::lstat(to.c_str(), &st) == 0) return FileError::exists;
        if (::rename(from.c_str(), to.c_str()) != 0) return file_error(errno);
    }
    forget_temporary(from);
    return std::nullopt;
}

void SystemFileAccess::remove_file(const std::string& name) {
    ::unlink(name.c_str());
    forget_temporary(name);
}

std::string SystemFileAccess::identity(const std::string& name) {
    struct stat st {};
    if (has_nul(name) || ::stat(name.c_str(), &st) != 0) return std::string();
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

void remove_temporaries_on_interrupt() {
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction now {};
        if (::sigaction(signal_number, nullptr, &now) != 0 || now.sa_handler == SIG_IGN) continue;
        struct sigaction handler {};
        handler.sa_handler = remove_temporaries_and_end;
        sigemptyset(&handler.sa_mask);
        handler.sa_flags = SA_RESETHAND;
        ::sigaction(signal_number, &handler, nullptr);
    }
}

std::tm system_local_time() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

void prepare_standard_streams() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> program_arguments(int argc, char** argv) {
    if (argc <= 1 || argv == nullptr) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

// A terminal keeps what the run wrote when the program ends.
void end_of_run() {}

}  // namespace bearingpad
