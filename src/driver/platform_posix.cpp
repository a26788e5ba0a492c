// The POSIX system: files by file descriptor, names absolute against the
// current directory, temporary files removed at the signals that end the
// program, the standard descriptors made to exist, the local clock, the
// arguments as the shell gave them. Names are bytes, passed as they are.
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <set>

#include "driver/file_access.h"
#include "driver/platform.h"
#include "driver/platform_files.h"

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
    bool sync() override {
#ifdef BEARINGPAD_UNSYNCED
        return true;  // a benchmark build: what syncing costs, measured
#else
        return ::fsync(fd_) == 0;
#endif
    }
    int descriptor() const {
        return fd_;
    }
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
// only by the program's one thread, which the handler interrupts. Enough for
// a group of problems' sets and the schedule.
constexpr std::size_t kTemporarySlots = 1024;
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

// The signals that end the program and that it catches: the temporary files
// are removed first. SIGPIPE is ignored from the start (a closed pipe is a
// failed write, told by the status), so it never ends a run.
constexpr int kEndingSignals[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,
                                  SIGUSR1, SIGUSR2, SIGALRM, SIGXFSZ};

sigset_t ending_signals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal_number : kEndingSignals) sigaddset(&set, signal_number);
    return set;
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
std::string temporary_name(const std::string& name, unsigned attempt, bool short_form,
                           const char* extension = ".tmp") {
    const std::size_t slash = name.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
    const std::string mark =
        "~bp" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + extension;
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
        case ENOTEMPTY:
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
    return ::lstat(name.c_str(), &st) == 0;
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

namespace {

// Whether an open file is the one that standard output or standard error
// writes (a name such as /dev/stdout reaches it).
bool is_standard_stream_file(const struct stat& st) {
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat std_st {};
        if (::fstat(fd, &std_st) == 0 && std_st.st_dev == st.st_dev && std_st.st_ino == st.st_ino) {
            return true;
        }
    }
    return false;
}

// A socket of the name, connected to be written as a stream; -1 when none
// takes it.
int connect_socket(const std::string& name) {
    sockaddr_un address{};
    if (name.size() >= sizeof address.sun_path) return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<WritableFile> SystemFileAccess::open_to_replace(const std::string& name) {
    if (has_nul(name)) throw RunTimeFailure{failure_file_name, report_unit, name};
    // Opened for writing as the reopen does, so that a report that may not be
    // written fails here, with the same message; nothing is written. Without
    // waiting: a FIFO that no one reads is opened below, as a pipe waits.
    int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        const bool found = ::stat(name.c_str(), &st) == 0;
        struct stat link {};
        if (error == ENOENT && !found && ::lstat(name.c_str(), &link) == 0 &&
            S_ISLNK(link.st_mode)) {
            return nullptr;  // a dangling symbolic link: replaced by the file
        }
        if (error == ENXIO && found && S_ISFIFO(st.st_mode)) {
            fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        } else if (error == ENXIO && found && S_ISSOCK(st.st_mode)) {
            fd = connect_socket(name);
        }
        if (fd < 0) {
            throw RunTimeFailure{open_failure_number(file_error(error)), report_unit, name};
        }
    }
    // What the name is, asked of the file that was opened.
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        throw RunTimeFailure{failure_open, report_unit, name};
    }
    if (S_ISREG(st.st_mode)) {
        ::close(fd);
        // The file that standard output or standard error writes, reached by
        // a name such as /dev/stdout: neither replaced (the name is no file
        // of ours) nor written beside the messages that it takes.
        if (is_standard_stream_file(st)) {
            throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
        }
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
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
            // The new report may be read by whom the old one could; a mode
            // that cannot be given keeps the old report (and its mode) in
            // place rather than put one readable by others there.
            if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) {
                ::close(fd);
                remove_file(temporary);
                throw RunTimeFailure{failure_write, report_unit, name};
            }
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

NameHolds SystemFileAccess::holds(const std::string& name) {
    struct stat st {};
    if (has_nul(name) || ::lstat(name.c_str(), &st) != 0) return NameHolds::nothing;
    if (S_ISLNK(st.st_mode)) {
        struct stat target {};
        if (::stat(name.c_str(), &target) != 0) return NameHolds::file;  // dangling
        st = target;
        if (S_ISREG(st.st_mode)) return NameHolds::file;
    }
    if (S_ISREG(st.st_mode)) return NameHolds::file;
    if (S_ISDIR(st.st_mode)) return NameHolds::folder;
    return NameHolds::special;
}

bool SystemFileAccess::sync_together(const std::vector<WritableFile*>& files) {
#ifdef BEARINGPAD_UNSYNCED
    (void)files;
    return true;
#elif defined(__linux__)
    // One flush of each file system that holds them, in place of one per
    // file.
    std::set<dev_t> synced;
    for (WritableFile* file : files) {
        const auto* posix = dynamic_cast<PosixWritableFile*>(file);
        struct stat st {};
        if (posix == nullptr || ::fstat(posix->descriptor(), &st) != 0) {
            return FileAccess::sync_together(files);
        }
        if (synced.insert(st.st_dev).second && ::syncfs(posix->descriptor()) != 0) return false;
    }
    return true;
#else
    return FileAccess::sync_together(files);
#endif
}

std::optional<FileError> SystemFileAccess::rename_file(const std::string& from,
                                                       const std::string& to, bool replace) {
    if (replace) {
        if (::rename(from.c_str(), to.c_str()) != 0) return file_error(errno);
        forget_temporary(from);
        return std::nullopt;
    }
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        forget_temporary(from);
        return std::nullopt;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return file_error(errno);
#endif
    if (::link(from.c_str(), to.c_str()) == 0) {
        // A hard link fails when the name is taken, where a rename would not.
        if (::unlink(from.c_str()) != 0) {
            // Both names stay: the new one is taken back, the failure told.
            const int error = errno;
            ::unlink(to.c_str());
            return file_error(error);
        }
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

FileAccess::SetAside SystemFileAccess::set_aside(const std::string& name, bool move) {
    bool short_form = false;
    for (unsigned attempt = 0;; ++attempt) {
        const std::string aside = temporary_name(name, attempt, short_form, ".old");
        // The link itself when the name is a symbolic link.
        int result = move ? -1 : ::linkat(AT_FDCWD, name.c_str(), AT_FDCWD, aside.c_str(), 0);
        int error = move ? EPERM : errno;
        if (result != 0 && error != EEXIST && error != ENAMETOOLONG) {
            struct stat st {};
            if (::lstat(aside.c_str(), &st) == 0) {
                error = EEXIST;
            } else {
                result = ::rename(name.c_str(), aside.c_str());
                error = errno;
            }
        }
        if (result == 0) return {aside, std::nullopt};
        if (error == ENAMETOOLONG && !short_form) {
            short_form = true;
        } else if (error != EEXIST || attempt >= 100) {
            return {std::string(), file_error(error)};
        }
    }
}

std::optional<FileError> SystemFileAccess::remove_file(const std::string& name) {
    const int result = has_nul(name) ? -1 : ::unlink(name.c_str());
    const int error = errno;
    forget_temporary(name);
    if (result == 0 || error == ENOENT) return std::nullopt;
    return file_error(error);
}

void SystemFileAccess::hold_interruptions(bool hold, const std::string& name) {
    static sigset_t before;
    static int folder = -1;
    if (hold) {
        const sigset_t set = ending_signals();
        ::sigprocmask(SIG_BLOCK, &set, &before);
        const std::size_t slash = name.rfind('/');
        const std::string path = slash == std::string::npos ? std::string(".")
                                 : slash == 0               ? std::string("/")
                                                            : name.substr(0, slash);
        folder = has_nul(path) ? -1 : ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        // A folder that takes no lock (some network file systems) is used
        // without one.
        if (folder >= 0) {
            while (::flock(folder, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    } else {
        if (folder >= 0) ::close(folder);  // the lock goes with it
        folder = -1;
        ::sigprocmask(SIG_SETMASK, &before, nullptr);
    }
}

std::string SystemFileAccess::written_name(const std::string& name) {
    if (has_nul(name)) return std::string();
    const std::size_t slash = name.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : name.substr(0, slash);
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (resolved == nullptr) return std::string();
    std::string text = resolved;
    std::free(resolved);
    if (text.empty() || text.back() != '/') text += '/';
    return text.append(slash == std::string::npos ? name : name.substr(slash + 1));
}

void remove_temporaries_on_interrupt() {
    for (const int signal_number : kEndingSignals) {
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
    // Descriptors 0, 1 and 2 exist before anything is opened: a closed one
    // is opened on the null device, so that no file of the run ever takes
    // its number and the messages meant for it.
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int null_fd = ::open("/dev/null", O_RDWR);
        if (null_fd >= 0 && null_fd != fd) {
            ::dup2(null_fd, fd);
            ::close(null_fd);
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
}

bool close_standard_output() {
    std::cout.flush();
    if (!std::cout) return false;
    // A file system that reports a failed write only at the close.
    return ::close(STDOUT_FILENO) == 0 || errno == EINTR;
}

std::vector<std::string> program_arguments(int argc, char** argv) {
    if (argc <= 1 || argv == nullptr) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

// A terminal keeps what the run wrote when the program ends.
void end_of_run() {}

}  // namespace bearingpad
