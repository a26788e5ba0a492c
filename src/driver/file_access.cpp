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

std::unique_ptr<OutputSink> open_report_file(FileAccess& files, const std::string& input_name,
                                             const std::string& report_name,
                                             const std::function<bool()>& may_replace) {
    if (!files.exists(report_name)) return files.create_report(report_name);
    // Writing the report over the input file would destroy the problem.
    if (files.same_file(input_name, report_name)) {
        throw RunTimeFailure{failure_cannot_overwrite, report_unit, report_name};
    }
    if (!may_replace()) return nullptr;
    return files.reopen_report(report_name);
}

bool has_nul(const std::string& name) {
    return name.find('\0') != std::string::npos;
}

}  // namespace bearingpad
