// The parts of file access that every platform shares: the record splitting
// of the input file, the block writing of the report file, and the message
// numbers of failed opens. The system calls stand in platform_posix.cpp and
// platform_windows.cpp.
#include "driver/file_access.h"

namespace bearingpad {

int open_failure_number(FileError error) {
    switch (error) {
        case FileError::not_found:
        case FileError::missing_folder:
            return failure_file_not_found;
        case FileError::access_denied:
            return failure_access_denied;
        case FileError::invalid_name:
            return failure_file_name;
        case FileError::exists:
            return failure_cannot_overwrite;
        case FileError::is_folder:
        case FileError::other:
            break;
    }
    return failure_open;
}

int create_failure_number(FileError error) {
    if (error == FileError::not_found || error == FileError::missing_folder) return failure_open;
    return open_failure_number(error);
}

std::optional<std::string> RecordInputFile::read_record() {
    std::string record;
    bool any = false;
    char last = 0;
    for (;;) {
        if (pos_ == end_) {
            if (at_end_) break;
            fill();
            continue;
        }
        const char c = buffer_[pos_++];
        if (c == '\n') {
            // A CR right before the LF is not part of the record.
            if (last == '\r' && !record.empty() && record.back() == '\r') record.pop_back();
            return record;
        }
        any = true;
        last = c;
        if (record.size() < kMaxRecordKept) record += c;
    }
    if (!any) return std::nullopt;
    // A last record ended by a bare CR, with no LF after it (an editor that
    // ends lines with CR, or a file cut after the CR): the CR ends the record
    // and is not part of it, as before an LF.
    if (last == '\r' && !record.empty() && record.back() == '\r') record.pop_back();
    return record;
}

void RecordInputFile::fill() {
    pos_ = end_ = 0;
    const std::optional<std::size_t> n = read_some(buffer_, sizeof buffer_);
    if (!n) throw RunTimeFailure{failure_read, input_unit, name_};
    if (*n == 0) {
        at_end_ = true;
    } else {
        end_ = *n;
    }
}

void BlockReportSink::write(std::string_view bytes) {
    if (!bytes.empty()) written_ = true;
    pending_.append(bytes);
    if (pending_.size() >= 16384) flush();
}

void BlockReportSink::flush() {
    if (cut_pending_ && !pending_.empty()) {
        if (!cut()) fail();
        cut_pending_ = false;
    }
    std::size_t done = 0;
    while (done < pending_.size()) {
        const std::optional<std::size_t> n =
            write_some(pending_.data() + done, pending_.size() - done);
        if (!n || *n == 0) fail();
        done += *n;
    }
    pending_.clear();
}

void BlockReportSink::fail() {
    pending_.clear();
    throw RunTimeFailure{failure_write, report_unit, name_};
}

WholeFile::WholeFile(FileAccess& files, std::string name, std::unique_ptr<WritableFile> file,
                     std::string temporary, bool replace)
    : BlockReportSink(name, false),
      files_(files),
      name_(std::move(name)),
      file_(std::move(file)),
      temporary_(std::move(temporary)),
      replace_(replace) {}

WholeFile::~WholeFile() {
    abandon();
}

std::optional<std::size_t> WholeFile::write_some(const char* bytes, std::size_t size) {
    if (!file_) return std::nullopt;
    return file_->write_some(bytes, size);
}

void WholeFile::commit() {
    if (done_) return;
    try {
        flush();
    } catch (const RunTimeFailure&) {
        abandon();
        throw;
    }
    // A device is not synchronised: a terminal or a pipe refuses it.
    if (!file_ || (!temporary_.empty() && !file_->sync()) || !file_->close()) fail(failure_write);
    file_.reset();
    if (!temporary_.empty()) {
        if (const std::optional<FileError> error =
                files_.rename_file(temporary_, name_, replace_)) {
            fail(*error == FileError::exists          ? failure_cannot_overwrite
                 : *error == FileError::access_denied ? failure_access_denied
                                                      : failure_write);
        }
    }
    done_ = true;
}

void WholeFile::abandon() {
    if (done_) return;
    done_ = true;
    file_.reset();
    if (!temporary_.empty()) files_.remove_file(temporary_);
}

void WholeFile::fail(int number) {
    abandon();
    throw RunTimeFailure{number, report_unit, name_};
}

std::unique_ptr<WholeFile> open_whole_file(FileAccess& files, const std::string& name,
                                           bool replace) {
    // A new file's name must be free, as when it is created.
    if (!replace && files.exists(name)) {
        throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
    }
    if (replace) {
        if (std::unique_ptr<WritableFile> device = files.open_to_replace(name)) {
            return std::make_unique<WholeFile>(files, name, std::move(device), std::string(), true);
        }
    }
    TemporaryFile temporary = files.create_beside(name);
    return std::make_unique<WholeFile>(files, name, std::move(temporary.file),
                                       std::move(temporary.name), replace);
}

std::unique_ptr<WholeFile> open_report_file(FileAccess& files, const std::string& input_name,
                                            const std::string& report_name,
                                            const std::function<bool()>& may_replace) {
    if (!files.exists(report_name)) return open_whole_file(files, report_name, false);
    // Writing the report over the input file would destroy the problem.
    if (files.same_file(input_name, report_name)) {
        throw RunTimeFailure{failure_cannot_overwrite, report_unit, report_name};
    }
    if (!may_replace()) return nullptr;
    return open_whole_file(files, report_name, true);
}

bool has_nul(const std::string& name) {
    return name.find('\0') != std::string::npos;
}

}  // namespace bearingpad
