// Line layouts of the report, held as data: each line is a list of items
// placed at record columns (column 1 is the carriage-control column), each
// item a literal, a real field Fw.d or an integer field Iw taken from the
// check results or from the layer counts. A line with no items is
// an empty record. This small mechanism turns such tables into records; the
// tables themselves stand with the writers of the pages and messages.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "checks/check_results.h"
#include "checks/layers.h"
#include "report/report_file.h"

namespace bearingpad {

struct LayoutItem {
    enum class Kind { literal, real, integer, count };

    int column = 1;
    Kind kind = Kind::literal;
    std::string_view literal{};
    float CheckResults::*real_field = nullptr;
    std::int32_t CheckResults::*integer_field = nullptr;
    std::int32_t LayerCounts::*count_field = nullptr;
    int w = 0;
    int d = 0;
};

// A literal written as it stands, trailing blanks included.
constexpr LayoutItem lit(int column, std::string_view text) {
    LayoutItem item;
    item.column = column;
    item.kind = LayoutItem::Kind::literal;
    item.literal = text;
    return item;
}

// A real field of the check results, edited Fw.d.
constexpr LayoutItem real(int column, float CheckResults::*field, int w, int d) {
    LayoutItem item;
    item.column = column;
    item.kind = LayoutItem::Kind::real;
    item.real_field = field;
    item.w = w;
    item.d = d;
    return item;
}

// An integer field of the check results, edited Iw.
constexpr LayoutItem integer(int column, std::int32_t CheckResults::*field, int w) {
    LayoutItem item;
    item.column = column;
    item.kind = LayoutItem::Kind::integer;
    item.integer_field = field;
    item.w = w;
    return item;
}

// One of the writer's layer counts, edited Iw.
constexpr LayoutItem count(int column, std::int32_t LayerCounts::*field, int w) {
    LayoutItem item;
    item.column = column;
    item.kind = LayoutItem::Kind::count;
    item.count_field = field;
    item.w = w;
    return item;
}

// One printed line; no items is an empty record.
using LayoutLine = std::vector<LayoutItem>;
// A block of lines, written in order.
using Layout = std::vector<LayoutLine>;

// A line of a variant that replaces the line of the same number (counted
// from 1) of a base layout.
struct LineReplacement {
    int line;
    LayoutLine items;
};

// The base layout with the given lines replaced.
Layout with_lines(const Layout& base, const std::vector<LineReplacement>& replacements);

// Writes every line of a layout to the report: each line a record with a
// blank carriage control and the items at their columns; a line with no items
// is the empty record.
void write_lines(ReportFile& report, const Layout& layout, const CheckResults& r,
                 const LayerCounts& counts);

// Writes every line of a layout of literals only (a message), for which
// there is no check results record.
void write_lines(ReportFile& report, const Layout& layout);

// The separator line of the report: 78 hyphens in columns 2 to 79.
Record separator_line();

}  // namespace bearingpad
