#include "report/report_file.h"

namespace bearingpad {

void ReportFile::write(const Record& record) {
    const std::string& chars = record.chars();
    const char control = chars.empty() ? ' ' : chars.front();
    std::string bytes;
    bytes.reserve(chars.size() + 3);
    switch (control) {
        case '1':  // page eject: form feed, no line feed even when one is owed
            bytes += '\f';
            break;
        case '0':  // double space: one extra line feed
            bytes += pending_line_end_ ? "\n\n" : "\n";
            break;
        case '+':  // overprint the previous line
            break;
        default:
            if (pending_line_end_) bytes += '\n';
            break;
    }
    if (chars.size() > 1) bytes.append(chars, 1, std::string::npos);
    bytes += '\r';
    pending_line_end_ = true;
    sink_.write(bytes);
}

void ReportFile::close() {
    if (closed_) return;
    closed_ = true;
    if (pending_line_end_) {
        pending_line_end_ = false;
        sink_.write("\n");
    }
    sink_.flush();
}

}  // namespace bearingpad
