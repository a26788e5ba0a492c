// The record reader of input files and the block writer of reports, alike on
// every platform.
#include "driver/platform_files.h"

#include "driver/record_input.h"
#include "report/failure.h"

namespace bearingpad {

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

}  // namespace bearingpad
