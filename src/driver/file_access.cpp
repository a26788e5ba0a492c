#include "driver/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace bearingpad {

namespace {

// A record longer than this keeps its first columns only; the records of the
// input file have 80 columns, so nothing that is read is lost.
constexpr std::size_t kMaxRecordKept = 4096;

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

class SystemInputFile : public InputFile {
  public:
    SystemInputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}

    std::optional<std::string> read_record() override {
        std::string record;
        bool any = false;
        for (;;) {
            if (pos_ == end_) {
                if (at_end_) break;
                fill();
                continue;
            }
            const char c = buffer_[pos_++];
            any = true;
            if (c == '\n') {
                // A CR right before the LF is not part of the record.
                if (!record.empty() && record.back() == '\r') record.pop_back();
                break;
            }
            if (record.size() < kMaxRecordKept) record += c;
        }
        if (!any) return std::nullopt;
        return record;
    }

  private:
    void fill() {
        pos_ = end_ = 0;
        for (;;) {
            const ssize_t n = ::read(fd_.get(), buffer_, sizeof buffer_);
            if (n > 0) {
                end_ = static_cast<std::size_t>(n);
                return;
            }
            if (n == 0) {
                at_end_ = true;
                return;
            }
            if (errno == EINTR) continue;
            throw RunTimeFailure{failure_read, input_unit, name_};
        }
    }

    FileDescriptor fd_;
    std::string name_;
    char buffer_[8192];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
};

// The report file: bytes are collected and written in blocks; a reopened
// file is cut at its first write.
class SystemReportSink : public OutputSink {
  public:
    SystemReportSink(int fd, std::string name, bool cut_at_first_write)
        : fd_(fd), name_(std::move(name)), cut_pending_(cut_at_first_write) {}

    void write(std::string_view bytes) override {
        pending_.append(bytes);
        if (pending_.size() >= 16384) flush();
    }

    void flush() override {
        if (cut_pending_ && !pending_.empty()) {
            if (::ftruncate(fd_.get(), 0) != 0) fail();
            cut_pending_ = false;
        }
        std::size_t done = 0;
        while (done < pending_.size()) {
            const ssize_t n = ::write(fd_.get(), pending_.data() + done, pending_.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) fail();
            done += static_cast<std::size_t>(n);
        }
        pending_.clear();
    }

  private:
    [[noreturn]] void fail() {
        pending_.clear();
        throw RunTimeFailure{failure_write, report_unit, name_};
    }

    FileDescriptor fd_;
    std::string name_;
    bool cut_pending_;
    std::string pending_;
};

bool has_nul(const std::string& name) {
    return name.find('\0') != std::string::npos;
}

}  // namespace

int open_failure_number(int error_number) {
    switch (error_number) {
        case ENOENT:
        case ENOTDIR:
            return failure_file_not_found;
        case EACCES:
        case EPERM:
        case EROFS:
            return failure_access_denied;
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return failure_file_name;
        case EEXIST:
            return failure_cannot_overwrite;
        default:
            return failure_open;
    }
}

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
    if (fd < 0) throw RunTimeFailure{open_failure_number(errno), input_unit, name};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw RunTimeFailure{failure_open, input_unit, name};
    }
    return std::make_unique<SystemInputFile>(fd, name);
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
        const int e = errno;
        // A missing directory is no missing report file: the create failed.
        const int number = e == ENOENT || e == ENOTDIR ? failure_open : open_failure_number(e);
        throw RunTimeFailure{number, report_unit, name};
    }
    return std::make_unique<SystemReportSink>(fd, name, false);
}

std::unique_ptr<OutputSink> SystemFileAccess::reopen_report(const std::string& name) {
    if (has_nul(name)) throw RunTimeFailure{failure_file_name, report_unit, name};
    const int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throw RunTimeFailure{open_failure_number(errno), report_unit, name};
    // Only a regular file has old contents to cut; a device such as /dev/null
    // or a terminal cannot be truncated and simply takes the new report.
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    return std::make_unique<SystemReportSink>(fd, name, regular);
}

}  // namespace bearingpad
