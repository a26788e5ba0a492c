#include "web/page_run.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "driver/explain.h"
#include "driver/file_access.h"

namespace bearingpad {

namespace {

// The input file over the bytes the page holds; the records are split by the
// same code as a file on disk.
class BytesInputFile : public RecordInputFile {
  public:
    BytesInputFile(std::string_view bytes, const std::string& name)
        : RecordInputFile(name), bytes_(bytes) {}

  protected:
    std::optional<std::size_t> read_some(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, bytes_.size() - pos_);
        std::memcpy(buffer, bytes_.data() + pos_, n);
        pos_ += n;
        return n;
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// The report file kept in memory: a write is never refused.
class BytesReportSink : public OutputSink {
  public:
    explicit BytesReportSink(std::string& bytes) : bytes_(bytes) {}
    void write(std::string_view bytes) override { bytes_.append(bytes); }

  private:
    std::string& bytes_;
};

}  // namespace

PageExplanation explain_page_input(std::string_view input, const std::string& input_name) {
    BytesInputFile file(input, input_name);
    const Explanation explanation = explain_input(file);
    std::ostringstream text;
    write_explanation(explanation, text);
    return {text.str(), mark_count(explanation)};
}

PageRun run_page(std::string_view input, const std::string& input_name,
                 const std::string& report_name, const std::tm& now) {
    PageRun run;
    BytesInputFile file(input, input_name);
    BytesReportSink sink(run.report);
    run.outcome = solve(file, input_name, sink, now);
    run.console = input_name + ": " + report_name + " " + outcome_summary(run.outcome) + "\r\n";
    if (run.outcome.failure) run.failure = failure_line(*run.outcome.failure);
    return run;
}

}  // namespace bearingpad
