// The report file in carriage-control mode: column 1 of each record chooses
// how the line is advanced and is not written. Each record's text ends with a
// bare CR; its line feed is owed (the pending line end) and written at the
// start of the next record or when the file is closed.
#pragma once

#include <string>
#include <string_view>

#include "report/formatted.h"

namespace bearingpad {

// Where the bytes of a report go. A refused write throws RunTimeFailure 38.
class OutputSink {
  public:
    virtual ~OutputSink() = default;
    virtual void write(std::string_view bytes) = 0;
    virtual void flush() {}
};

class ReportFile {
  public:
    explicit ReportFile(OutputSink& sink) : sink_(sink) {}

    // Writes one record: "1" page eject (FF), "0" double space, "+" overprint,
    // anything else (blank, an empty record) a new line.
    void write(const Record& record);
    // Writes the pending line feed, if any, and flushes.
    void close();

  private:
    OutputSink& sink_;
    bool pending_line_end_ = false;
    bool closed_ = false;
};

}  // namespace bearingpad
