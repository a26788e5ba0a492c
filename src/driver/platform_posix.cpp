// The POSIX system: files by file descriptor, identity by device and inode,
// names absolute against the current directory, the local clock.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

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
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

}  // namespace bearingpad
