#include "report/layout.h"

#include <cstddef>
#include <string>

namespace bearingpad {

Layout with_lines(const Layout& base, const std::vector<LineReplacement>& replacements) {
    Layout layout = base;
    for (const LineReplacement& replacement : replacements) {
        layout.at(static_cast<std::size_t>(replacement.line - 1)) = replacement.items;
    }
    return layout;
}

namespace {

// The record of a line whose fields are taken from r and counts; a layout of
// literals only needs neither.
Record line_record(const LayoutLine& line, const CheckResults* r, const LayerCounts* counts) {
    Record record;
    if (line.empty()) return record;
    record.control(' ');
    for (const LayoutItem& item : line) {
        switch (item.kind) {
            case LayoutItem::Kind::literal:
                record.text(item.column, item.literal);
                break;
            case LayoutItem::Kind::real:
                if (r != nullptr) record.real(item.column, r->*item.real_field, item.w, item.d);
                break;
            case LayoutItem::Kind::integer:
                if (r != nullptr) record.integer(item.column, r->*item.integer_field, item.w);
                break;
            case LayoutItem::Kind::count:
                if (counts != nullptr)
                    record.integer(item.column, counts->*item.count_field, item.w);
                break;
        }
    }
    return record;
}

}  // namespace

void write_lines(ReportFile& report, const Layout& layout, const CheckResults& r,
                 const LayerCounts& counts) {
    for (const LayoutLine& line : layout) report.write(line_record(line, &r, &counts));
}

void write_lines(ReportFile& report, const Layout& layout) {
    for (const LayoutLine& line : layout) report.write(line_record(line, nullptr, nullptr));
}

Record separator_line() {
    return Record().text(2, std::string(78, '-'));
}

}  // namespace bearingpad
