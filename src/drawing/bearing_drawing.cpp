#include "drawing/bearing_drawing.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/checks.h"
#include "checks/criteria.h"
#include "checks/strain_chart.h"
#include "drawing/svg.h"
#include "report/formatted.h"
#include "results/result_text.h"

namespace bearingpad {

namespace {

// The sheet: Letter landscape, 11 x 8.5 in, in CSS pixels (96 to the inch).
// Everything is drawn inside a frame that also fits A4 landscape
// (11.69 x 8.27 in): half an inch at the sides, 0.4 in at top and bottom.
constexpr double kPx = 96.0;
constexpr double kSheetW = 11.0 * kPx;
constexpr double kSheetH = 8.5 * kPx;
constexpr double kLeft = 48, kRight = 1008, kTop = 38, kBottom = 778;
// The areas: plan and section on the left, the chart, the bill of layers and
// the notes on the right, the title block across the foot.
constexpr double kColumn = 576;      // between the left and the right areas
constexpr double kSectionTop = 400;  // between plan and section
constexpr double kChartBottom = 468;
constexpr double kTitleTop = 704;

// ------------------------------------------------------------ values as text

// A dimension in inches as the bearing details edit it (4 decimals), with
// the zeros after the first decimal dropped: 18.0, 0.25, 0.1046.
std::string inches(float v) {
    // Not 0.0 for a length that is not 0 (1E-30).
    if (v != 0 && std::fabs(v) < 0.00005f) return shortest_text(v, ShortestForm::plain);
    std::string s = edit_real(v, 14, 4);
    s.erase(0, s.find_first_not_of(' '));
    if (s.find('*') != std::string::npos) return shortest_text(v, ShortestForm::plain);
    const std::size_t dot = s.find('.');
    if (dot != std::string::npos) {
        while (s.size() > dot + 2 && s.back() == '0') s.pop_back();
    }
    return s;
}

// A value as the report prints it in a field of w columns with d decimals,
// without the blanks before it.
std::string as_printed(float v, int w, int d) {
    std::string s = edit_real(v, w, d);
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

std::string data(std::string_view name, float v);

// data-strain: the strain as the report prints it (F4.1, asterisks when it
// does not fit); a strain that is not finite as data-strain_text alone.
std::string strain_attribute(float strain) {
    if (!std::isfinite(strain)) return data("strain", strain);
    return attribute("data-strain", as_printed(strain, 4, 1));
}

// An exact value for a data-* attribute: the shortest text that reads back as
// the same 32-bit real.
std::string exact(float v) {
    return shortest_text(v, ShortestForm::plain);
}

// A value as data-NAME, by the rule of the JSON result: a finite value as
// its exact text; any other leaves data-NAME out and gives its text in
// data-NAME_text ("NaN", "Infinity" or "-Infinity"), so that no numeric
// attribute ever holds a value that is not a number.
std::string data(std::string_view name, float v) {
    const std::string key = "data-" + std::string(name);
    if (std::isfinite(v)) return attribute(key, exact(v));
    return attribute(key + "_text", number_text(v));
}

// The text in capitals, as the sheet letters it.
std::string capitals(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The words of a text in lines of at most `width` characters (a longer word
// on a line of its own).
std::vector<std::string> wrapped(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = text.find_first_not_of(' ', i);
        if (start == std::string::npos) break;
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        i = end;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The bytes of an input field as character data, trailing blanks dropped.
std::string field_text(const std::string& bytes) {
    std::string_view v = bytes;
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    return svg_text(v);
}

// A sum of lengths as a 32-bit real: infinite beyond the largest (a
// conversion out of its range would be undefined).
float narrowed(double v) {
    return v > std::numeric_limits<float>::max() ? std::numeric_limits<float>::infinity()
                                                 : static_cast<float>(v);
}

bool positive(float v) {
    return std::isfinite(v) && v > 0;
}

// ------------------------------------------------------------------ scales

// A drafting scale p:q (drawn inches to the bearing's inches).
struct Scale {
    double p;
    double q;
    double px_per_inch() const { return kPx * p / q; }
    std::string label() const {
        if (p == q) return "FULL SIZE";
        return svg_number(p) + ":" + svg_number(q);
    }
};

// The largest drafting scale that draws `extent` inches within `room` sheet
// units for each pair; nothing when an extent is not a finite size above 0 or
// the smallest scale, 1:256, is still too large (a plan typed 1E+30 wide
// would be drawn at 1:2.2E25, its other side 0 units high).
std::optional<Scale> scale_to_fit(std::initializer_list<std::pair<double, double>> fits) {
    double fit = 1e300;
    for (const auto& [extent, room] : fits) {
        if (!std::isfinite(extent) || extent <= 0) return std::nullopt;
        fit = std::min(fit, room / extent);
    }
    static constexpr std::array<Scale, 21> kScales{
        {{4, 1},  {3, 1},  {2, 1},  {3, 2},  {1, 1},   {3, 4},   {1, 2},
         {3, 8},  {1, 4},  {3, 16}, {1, 8},  {3, 32},  {1, 16},  {1, 24},
         {1, 32}, {1, 48}, {1, 64}, {1, 96}, {1, 128}, {1, 192}, {1, 256}}};
    for (const Scale& s : kScales) {
        if (s.px_per_inch() <= fit) return s;
    }
    return std::nullopt;
}

// A scale's label, "NOT DRAWN" for a view without one.
std::string scale_label(const std::optional<Scale>& scale) {
    return scale ? scale->label() : "NOT DRAWN";
}

// ------------------------------------------------------------- the drawing

// The style, kept to the sheet's own elements so that a page can show the
// sheet inline.
constexpr const char* kStyle = R"(<style>
.bp-sheet text{font-family:monospace;font-size:9px;fill:#000}
.bp-sheet .heading{font-family:sans-serif;font-size:11px;font-weight:bold}
.bp-sheet .big{font-family:sans-serif;font-size:14px;font-weight:bold}
.bp-sheet .small{font-size:7.5px}
.bp-sheet .frame{fill:none;stroke:#000;stroke-width:1.5}
.bp-sheet .rule{fill:none;stroke:#000;stroke-width:0.8}
.bp-sheet .pad{fill:#eee;stroke:#000;stroke-width:1.4}
.bp-sheet .plate-outline,.bp-sheet .plate-hole{fill:none;stroke:#000;stroke-width:0.8;stroke-dasharray:6 3}
.bp-sheet .hole{fill:#fff;stroke:#000;stroke-width:1.2}
.bp-sheet .centre-line{stroke:#000;stroke-width:0.5;stroke-dasharray:14 3 2 3}
.bp-sheet .cut{stroke:#000;stroke-width:1.2;stroke-dasharray:14 3 2 3}
.bp-sheet .dim,.bp-sheet .leader{stroke:#000;stroke-width:0.6;fill:none}
.bp-sheet .ext{stroke:#000;stroke-width:0.4}
.bp-sheet .body{fill:#ddd;stroke:#000;stroke-width:1.2}
.bp-sheet .cover rect{fill:#c8c8c8}
.bp-sheet .internal rect,.bp-sheet .pad-layer rect{fill:#e4e4e4}
.bp-sheet .plate rect{fill:#000}
.bp-sheet .break{fill:#fff;stroke:#000;stroke-width:0.8}
.bp-sheet .grid{stroke:#ccc;stroke-width:0.4}
.bp-sheet .axis{stroke:#000;stroke-width:0.9;fill:none}
.bp-sheet .curve{stroke:#000;stroke-width:0.9;fill:none}
.bp-sheet .construction{stroke:#000;stroke-width:0.7;stroke-dasharray:3 2;fill:none}
.bp-sheet .marker{fill:#000;stroke:#000;stroke-width:0.8}
.bp-sheet .marker.open{fill:#fff}
.bp-sheet .bracket{fill:#000}
.bp-sheet .not-a-design{fill:none;stroke:#000;stroke-width:2}
</style>
)";

constexpr const char* kDefs =
    R"(<defs><marker id="bp-arrow" viewBox="0 0 10 10" refX="10" refY="5" markerWidth="7" markerHeight="7" orient="auto-start-reverse"><path d="M0,1.5 L10,5 L0,8.5 z"/></marker></defs>
)";
constexpr const char* kArrows = R"x( marker-start="url(#bp-arrow)" marker-end="url(#bp-arrow)")x";

class Sheet {
  public:
    Sheet(const Result& result, const CheckResults& record)
        : r_(result), rec_(record), b_(result.bearing), verdict_(verdict_of(result)) {}

    std::string draw() {
        svg_.raw(R"(<?xml version="1.0" encoding="UTF-8"?>)"
                 "\n"
                 R"(<svg xmlns="http://www.w3.org/2000/svg" class="bp-sheet" width="11in" )"
                 R"(height="8.5in" viewBox="0 0 )" +
                 svg_number(kSheetW) + " " + svg_number(kSheetH) + "\"" +
                 attribute("data-verdict", verdict_key(verdict_.word)) + ">\n");
        svg_.raw(kStyle);
        svg_.raw(kDefs);
        svg_.rect(0, 0, kSheetW, kSheetH, "", R"( fill="#fff")");
        svg_.rect(kLeft, kTop, kRight - kLeft, kBottom - kTop, "frame");
        svg_.line(kColumn, kTop, kColumn, kTitleTop, "rule");
        if (!not_evaluated()) svg_.line(kLeft, kSectionTop, kColumn, kSectionTop, "rule");
        svg_.line(kColumn, kChartBottom, kRight, kChartBottom, "rule");
        svg_.line(kLeft, kTitleTop, kRight, kTitleTop, "rule");
        if (not_evaluated()) {
            reasons();
            values_as_used();
        } else {
            plan();
            section();
            chart();
        }
        bill_and_notes();
        title_block();
        svg_.raw("</svg>\n");
        return svg_.str();
    }

  private:
    bool has_plates() const { return b_.load_plate_count == 1 || b_.load_plate_count == 2; }
    bool plates_drawn() const {
        // A side cover below 0 (typed so) would put the plates outside the pad.
        return has_plates() && b_.side_cover >= 0 && positive(b_.width - 2 * b_.side_cover) &&
               positive(b_.length - 2 * b_.side_cover);
    }
    bool holes() const { return b_.number_of_holes > 0 && positive(b_.diameter_of_hole); }
    float plate_hole() const { return b_.diameter_of_hole + 2 * b_.side_cover; }
    bool impossible() const { return r_.end == ProblemEnd::design_not_possible; }
    // A bearing that is not physical, or a check that could not be made: no
    // plan, section or chart is drawn of it, only what it is and why.
    bool not_evaluated() const { return verdict_.word == VerdictWord::not_evaluated; }

    // ------------------------------------------ a bearing not evaluated
    // In place of the plan and section: the verdict and each reason in words.
    void reasons() {
        svg_.rect(kLeft + 10, kTop + 8, 250, 26, "not-a-design");
        svg_.text(kLeft + 135, kTop + 26, "NOT EVALUATED", "big", R"( text-anchor="middle")");
        double y = kTop + 54;
        const char* why =
            "NO PLAN, SECTION OR STRAIN CHART IS DRAWN: THE CHECKS ARE NOT MADE ON THIS BEARING "
            "AS USED, AND NONE OF THEM PASSES OR FAILS. THE REASONS:";
        for (const std::string& line : wrapped(why, 86)) {
            svg_.text(kLeft + 10, y, line, "");
            y += 12;
        }
        y += 6;
        svg_.open_group(R"( id="not-evaluated")");
        for (const VerdictReason& reason : verdict_.reasons) {
            svg_.open_group(R"( class="reason")" + attribute("data-field", reason.field));
            const std::vector<std::string> lines = wrapped(capitals(reason.text), 82);
            for (std::size_t i = 0; i < lines.size() && y < kTitleTop - 8; ++i) {
                svg_.text(kLeft + (i == 0 ? 10 : 22), y, (i == 0 ? "- " : "") + svg_text(lines[i]),
                          "");
                y += 12;
            }
            svg_.close_group();
        }
        svg_.close_group();
    }

    // In place of the chart: the bearing's values as the checks used them,
    // with 4 decimals as the bill prints them (loads with 3), or as the
    // shortest text where that is shorter ("3.5e+38"); "Infinity" and "NaN"
    // as they stand.
    static std::string as_used(float v, int decimals = 4) {
        const std::string fixed = fixed_text(v, decimals);
        const std::string shortest = number_text(v);
        return fixed.size() <= shortest.size() + decimals + 1 ? fixed : shortest;
    }

    void values_as_used() {
        double y = kTop + 16;
        const double x = kColumn + 10;
        svg_.text(x, y, "THE BEARING AS USED", "heading");
        y += 18;
        auto row = [&](const char* name, const std::string& value) {
            std::string text = name;
            text.resize(28, ' ');
            svg_.text(x, y, svg_text(text + value), "", R"( xml:space="preserve")");
            y += 12;
        };
        auto counted = [](std::int32_t n, float v) {
            return std::to_string(n) + (n > 0 ? " x " + as_used(v) + " IN" : "");
        };
        row("WIDTH W", as_used(b_.width) + " IN");
        row("LENGTH L", as_used(b_.length) + " IN");
        row("TOTAL THICKNESS T", as_used(b_.thickness) + " IN");
        row("HOLES",
            std::to_string(b_.number_of_holes) +
                (b_.number_of_holes > 0 ? ", DIAMETER " + as_used(b_.diameter_of_hole) + " IN"
                                        : ""));
        row("LOAD PLATES", counted(b_.load_plate_count, b_.load_plate_thickness));
        if (has_plates()) {
            row("TOP AND BOTTOM COVER", as_used(b_.cover_thickness) + " IN");
            row("SIDE COVER", as_used(b_.side_cover) + " IN");
            row("INTERNAL PLATES", counted(b_.internal_plate_count, b_.internal_plate_thickness));
        }
        row("DEAD LOAD", as_used(rec_.dead_load, 3) + " K");
        row("LIVE LOAD", as_used(rec_.live_load, 3) + " K");
    }

    // A dimension along x at height y, its extension lines from the feature
    // at y_from; the text above the line.
    void dim_x(double x1, double x2, double y, double y_from, const std::string& text) {
        const double dir = y > y_from ? 1 : -1;
        svg_.line(x1, y_from + 3 * dir, x1, y + 4 * dir, "ext");
        svg_.line(x2, y_from + 3 * dir, x2, y + 4 * dir, "ext");
        svg_.line(x1, y, x2, y, "dim", kArrows);
        svg_.text((x1 + x2) / 2, y - 3, text, "", R"( text-anchor="middle")");
    }
    // A dimension along y at x, its extension lines from the feature at x_from;
    // the text turned along the line, on the side away from the feature.
    void dim_y(double y1, double y2, double x, double x_from, const std::string& text) {
        const double dir = x > x_from ? 1 : -1;
        svg_.line(x_from + 3 * dir, y1, x + 4 * dir, y1, "ext");
        svg_.line(x_from + 3 * dir, y2, x + 4 * dir, y2, "ext");
        svg_.line(x, y1, x, y2, "dim", kArrows);
        const double tx = x - 3;
        const double ty = (y1 + y2) / 2;
        svg_.text(tx, ty, text, "",
                  R"( text-anchor="middle" transform="rotate(-90 )" + svg_number(tx) + " " +
                      svg_number(ty) + ")\"");
    }

    // ------------------------------------------------------------ plan
    void plan() {
        const float w = b_.width, l = b_.length;
        std::string heading = "PLAN";
        svg_.text(kLeft + 10, kTop + 16, heading, "heading");
        if (!positive(w) || !positive(l)) {
            svg_.text(kLeft + 10, kTop + 60, "NO PLAN: THE WIDTH OR LENGTH IS NOT A POSITIVE SIZE",
                      "");
            return;
        }
        // Room: the callouts above, the dimensions below and at the left.
        const double ax = kLeft + 60, ay = kTop + 56, aw = kColumn - 40 - ax, ah = 260;
        plan_scale_ = scale_to_fit({{w, aw}, {l, ah}});
        // Drawn only at a scale that shows each side as a line, not a point.
        if (!plan_scale_ || std::min(w, l) * plan_scale_->px_per_inch() < 2) {
            plan_scale_.reset();
            svg_.text(kLeft + 10, kTop + 60,
                      "NO PLAN: " + inches(w) + " x " + inches(l) +
                          " DOES NOT DRAW AT A SCALE OF 1:256 OR LARGER",
                      "");
            return;
        }
        const double s = plan_scale_->px_per_inch();
        const double x0 = ax + (aw - w * s) / 2, y0 = ay + (ah - l * s) / 2;
        const double x1 = x0 + w * s, y1 = y0 + l * s;
        svg_.text(kLeft + 50, kTop + 16, "SCALE " + plan_scale_->label(), "");
        svg_.open_group(R"( id="plan" data-scale=")" + svg_number(s) + "\"" + data("width", w) +
                        data("length", l));
        svg_.rect(x0, y0, w * s, l * s, "pad", data("width", w) + data("length", l));
        const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
        svg_.line(x0 - 10, cy, x1 + 10, cy, "centre-line");
        svg_.line(cx, y0 - 10, cx, y1 + 10, "centre-line");

        if (plates_drawn()) {
            const double sc = b_.side_cover * s;
            svg_.rect(x0 + sc, y0 + sc, w * s - 2 * sc, l * s - 2 * sc, "plate-outline",
                      data("width", w - 2 * b_.side_cover) + data("length", l - 2 * b_.side_cover));
            const std::string text = "STEEL PLATES " + inches(w - 2 * b_.side_cover) + " x " +
                                     inches(l - 2 * b_.side_cover) + " (HIDDEN)";
            const double tx = kColumn - 14, ty = kTop + 36;
            svg_.text(tx, ty, text, "", R"( text-anchor="end")");
            svg_.line(tx - 20, ty + 3, x1 - sc, y0 + sc, "leader");
        }

        // The holes, evenly spaced on the long centre line.
        if (holes()) {
            const int n = b_.number_of_holes;
            const bool along_x = w >= l;
            double first_x = 0, first_y = 0;
            for (int i = 0; i < n; ++i) {
                const double f = static_cast<double>(i + 1) / (n + 1);
                const double hx = along_x ? x0 + f * w * s : cx;
                const double hy = along_x ? cy : y0 + f * l * s;
                if (i == 0) first_x = hx, first_y = hy;
                if (plates_drawn()) {
                    svg_.circle(hx, hy, plate_hole() * s / 2, "plate-hole",
                                data("diameter", plate_hole()));
                }
                svg_.circle(hx, hy, b_.diameter_of_hole * s / 2, "hole",
                            data("diameter", b_.diameter_of_hole));
            }
            std::string text = std::to_string(n) + (n == 1 ? " HOLE " : " HOLES ") + "DIA " +
                               inches(b_.diameter_of_hole);
            if (plates_drawn()) text += ", IN PLATES DIA " + inches(plate_hole());
            const double tx = kLeft + 14, ty = kTop + 36;
            svg_.text(tx, ty, text, "");
            const double r = b_.diameter_of_hole * s / 2;
            svg_.line(tx + 10, ty + 3, first_x - r * 0.7071, first_y - r * 0.7071, "leader");
        }

        // Section A-A: parallel to the long side, a quarter of the short side
        // off the long centre line, clear of the holes.
        const bool along_x = w >= l;
        if (along_x) {
            const double yc = cy + l * s / 4;
            svg_.line(x0 - 18, yc, x1 + 18, yc, "cut");
            svg_.text(x0 - 26, yc + 3, "A", "heading");
            svg_.text(x1 + 20, yc + 3, "A", "heading");
        } else {
            const double xc = cx + w * s / 4;
            svg_.line(xc, y0 - 14, xc, y1 + 14, "cut");
            svg_.text(xc - 3, y0 - 17, "A", "heading");
            svg_.text(xc - 3, y1 + 25, "A", "heading");
        }

        dim_x(x0, x1, y1 + 26, y1, "W = " + inches(w));
        dim_y(y0, y1, x0 - 28, x0, "L = " + inches(l));
        svg_.close_group();
    }

    // ---------------------------------------------------------- section
    struct Element {
        const char* cls;   // class of its group
        const char* name;  // its label
        float thickness;
        bool plate;
    };

    std::vector<Element> stack() const {
        std::vector<Element> e;
        if (!has_plates()) {
            e.push_back({"layer pad-layer", "ELASTOMER", b_.cover_layer_thickness, false});
            return e;
        }
        e.push_back({"layer cover", "COVER", b_.cover_layer_thickness, false});
        e.push_back({"plate load-plate", "LOAD PLATE", b_.load_plate_thickness, true});
        if (b_.load_plate_count == 2) {
            for (int i = 0; i <= b_.internal_plate_count; ++i) {
                if (i > 0) {
                    e.push_back({"plate internal-plate", "INTERNAL PLATE",
                                 b_.internal_plate_thickness, true});
                }
                e.push_back(
                    {"layer internal", "INTERNAL LAYER", b_.internal_layer_thickness, false});
            }
            e.push_back({"plate load-plate", "LOAD PLATE", b_.load_plate_thickness, true});
        }
        e.push_back({"layer cover", "COVER", b_.cover_layer_thickness, false});
        return e;
    }

    void section() {
        const float t = b_.thickness;
        const float w = b_.width, l = b_.length;
        const float along = std::max(w, l);
        svg_.text(kLeft + 10, kSectionTop + 16, "SECTION A-A", "heading");
        if (!positive(t) || !positive(along)) {
            svg_.text(kLeft + 10, kSectionTop + 60,
                      "NO SECTION: THE THICKNESS IS NOT A POSITIVE SIZE", "");
            return;
        }
        const double ax = kLeft + 62, ay = kSectionTop + 40, aw = 320, ah = 190;
        // The thickness sets the scale; a long pad is drawn with a break, its
        // two ends at the same scale.
        // Layers that do not add up to T (the last bearing of an impossible
        // design, plates thicker than the pad) are each drawn at their
        // thickness all the same, and the sheet says so.
        const std::vector<Element> elements = stack();
        double stacked = 0;
        for (const Element& e : elements)
            stacked += std::max(0.0, static_cast<double>(e.thickness));
        const double tall = std::max(static_cast<double>(t), stacked);
        section_scale_ = scale_to_fit({{tall, ah}});
        // Drawn only at a scale that shows T as a band and the pad as wider
        // than a line (layers far thicker than T, a thickness of 1E+30, a
        // pad 0.0001 in long).
        if (!section_scale_ || t * section_scale_->px_per_inch() < 2 ||
            along * section_scale_->px_per_inch() < 2) {
            section_scale_.reset();
            svg_.text(kLeft + 10, kSectionTop + 60,
                      "NO SECTION: " + inches(along) + " x T = " + inches(t) +
                          " WITH LAYERS AND PLATES OF " + inches(narrowed(stacked)),
                      "");
            svg_.text(kLeft + 10, kSectionTop + 72, "DOES NOT DRAW AT A SCALE OF 1:256 OR LARGER",
                      "");
            return;
        }
        double s = section_scale_->px_per_inch();
        bool broken = along * s > aw;
        const std::optional<Scale> whole = scale_to_fit({{tall, ah}, {along, aw}});
        if (broken && whole && along * whole->px_per_inch() >= aw * 0.5 &&
            tall * whole->px_per_inch() >= ah * 0.5) {
            // Whole, when that still draws the thickness at half the room or more.
            section_scale_ = whole;
            s = section_scale_->px_per_inch();
            broken = false;
        }
        svg_.text(kLeft + 110, kSectionTop + 16, "SCALE " + section_scale_->label(), "");
        constexpr double gap = 18;
        const double part = broken ? (aw - gap) / 2 / s : along;  // inches shown in each part
        const double drawn_w = broken ? aw : along * s;
        const double x0 = ax + (aw - drawn_w) / 2;
        const double y_bottom = ay + (ah + tall * s) / 2 - (tall - t) * s;
        const double y_top = y_bottom - t * s;
        // The parts: [from, to] in inches along the pad, and where each starts.
        // The parts: the inches each shows, where it starts, and whether it
        // holds the pad's left or right end. Kept as lengths from the ends,
        // so that a part of a pad 1E+30 long is still drawn.
        struct Part {
            double inches, x;
            bool left, right;
        };
        std::vector<Part> parts;
        if (broken) {
            parts.push_back({part, x0, true, false});
            parts.push_back({part, x0 + part * s + gap, false, true});
        } else {
            parts.push_back({along, x0, true, true});
        }
        // A band inset by `inset` from each end of the pad.
        auto span = [&](double inset, double y, double h, std::string_view cls) {
            for (const Part& p : parts) {
                const double a = p.left ? inset : 0;
                const double z = p.inches - (p.right ? inset : 0);
                if (z > a) svg_.rect(p.x + a * s, y, (z - a) * s, h, cls);
            }
        };
        const double right = parts.back().x + parts.back().inches * s;

        svg_.open_group(R"( id="section" data-scale=")" + svg_number(s) + "\"" +
                        data("thickness", t) + data("along", along) +
                        attribute("data-broken", broken ? "1" : "0"));
        span(0, y_top, t * s, "body");
        double y = y_top;
        struct Label {
            std::string text;
            double x, y;
        };
        std::vector<Label> labels;
        std::vector<std::string> named;
        double plate_y = y_top;  // the middle of the first plate
        for (const Element& e : elements) {
            const double h = std::max(0.0, static_cast<double>(e.thickness)) * s;
            svg_.open_group(attribute("class", e.cls) + data("thickness", e.thickness));
            const double inset = e.plate ? b_.side_cover : 0;
            span(inset, y, h, "");
            svg_.close_group();
            if (e.plate && plate_y == y_top) plate_y = y + h / 2;
            if (std::find(named.begin(), named.end(), e.name) == named.end()) {
                named.push_back(e.name);
                labels.push_back({std::string(e.name) + " " + inches(e.thickness),
                                  right - inset * s - 6 - 10 * static_cast<double>(labels.size()),
                                  y + h / 2});
            }
            y += h;
        }
        if (has_plates() && b_.side_cover > 0) {
            const double sx = right - b_.side_cover / 2 * s;
            labels.push_back({"SIDE COVER " + inches(b_.side_cover), sx, plate_y});
        }
        svg_.close_group();
        if (broken) {
            // The break: a zigzag at each cut end, the gap between left blank.
            for (int side = 0; side < 2; ++side) {
                const double bx = side == 0 ? parts[0].x + part * s : parts[1].x;
                std::string points;
                const double h = t * s + 16;
                for (int k = 0; k <= 6; ++k) {
                    const double py = y_top - 8 + h * k / 6;
                    const double px = bx + ((k % 2) ? 3 : -3) * (side == 0 ? 1 : -1);
                    points += svg_number(px) + "," + svg_number(py) + " ";
                }
                svg_.raw(R"(<polyline class="dim" points=")" + points + "\"/>\n");
            }
        }
        // The labels in a column at the right, each with its leader.
        const double lx = ax + aw + 18;
        double ly = y_top - 4;
        for (const Label& lb : labels) {
            ly = std::max(ly + 12, lb.y + 3);
            svg_.text(lx, ly, lb.text, "");
            svg_.line(lx - 2, ly - 3, lb.x, lb.y, "leader");
        }
        dim_y(y_top, y_bottom, x0 - 24, x0, "T = " + inches(t));
        dim_x(x0, right, y_bottom + 26, y_bottom,
              std::string(w >= l ? "W = " : "L = ") + inches(along) + (broken ? " (BROKEN)" : ""));
        if (std::fabs(stacked - t) > 0.0005) {
            svg_.text(kLeft + 10, kSectionTop + 292,
                      "THE LAYERS AND PLATES ADD UP TO " + inches(narrowed(stacked)) +
                          " IN, NOT T: EACH IS DRAWN AT ITS THICKNESS",
                      "layers-do-not-fit");
        }
    }

    // ------------------------------------------------------------ chart
    struct Point {
        const char* layer;
        const char* load;
        float stress;
        float ratio;
        float strain;
    };

    std::vector<Point> points() const {
        std::vector<Point> p;
        p.push_back({"cover", "dead", rec_.dead_load_stress, rec_.shape_ratio_cover,
                     rec_.strain_dead_cover});
        p.push_back({"cover", "live", rec_.live_load_stress, rec_.shape_ratio_cover,
                     rec_.strain_live_cover});
        p.push_back({"cover", "total", rec_.total_load_stress, rec_.shape_ratio_cover,
                     rec_.strain_total_cover});
        if (rec_.load_plate_count == 2) {
            p.push_back({"internal", "dead", rec_.dead_load_stress, rec_.shape_ratio_internal,
                         rec_.strain_dead_internal});
            p.push_back({"internal", "live", rec_.live_load_stress, rec_.shape_ratio_internal,
                         rec_.strain_live_internal});
            p.push_back({"internal", "total", rec_.total_load_stress, rec_.shape_ratio_internal,
                         rec_.strain_total_internal});
        }
        return p;
    }

    void chart() {
        constexpr double step = chart_stress_step;
        const std::vector<Point> pts = points();
        // Axes: strain 0 to 16 %, stress 0 to the 14th step; both as far
        // again when a point lies beyond them.
        double x_max = 16, y_max = step * step_count;
        for (const Point& p : pts) {
            if (std::isfinite(p.strain) && p.strain > x_max && p.strain <= 32) x_max = p.strain;
            if (std::isfinite(p.stress) && p.stress > y_max && p.stress <= 2 * step * step_count) {
                y_max = p.stress;
            }
        }
        x_max = std::ceil(x_max / 2) * 2;
        y_max = std::ceil(y_max / step) * step;
        const double px0 = kColumn + 52, px1 = kRight - 24, py0 = kTop + 38, py1 = kTop + 330;
        const double sx = (px1 - px0) / x_max, sy = (py1 - py0) / y_max;
        auto X = [&](double strain) { return px0 + strain * sx; };
        auto Y = [&](double stress) { return py1 - stress * sy; };

        svg_.text(kColumn + 10, kTop + 16, "COMPRESSIVE STRESS-STRAIN CURVES, FIGURE 14.4.1.2B",
                  "heading");
        svg_.text(kColumn + 10, kTop + 28, "60 DUROMETER NEOPRENE. CURVES LABELLED WITH S/B.",
                  "small");
        svg_.open_group(R"( id="chart" data-x0=")" + svg_number(px0) + R"(" data-y0=")" +
                        svg_number(py1) + R"(" data-px-per-strain=")" + svg_number(sx) +
                        R"(" data-px-per-psi=")" + std::to_string(sy) + "\"");
        // The grid at the chart's own stress steps and at every 1 % strain.
        for (int j = 1; j * step <= y_max + 0.01; ++j) {
            svg_.line(px0, Y(j * step), px1, Y(j * step), "grid");
            if (j % 2 == 0) {
                svg_.text(px0 - 4, Y(j * step) + 3, svg_number(j * step), "small",
                          R"( text-anchor="end")");
            }
        }
        for (int x = 1; x <= x_max; ++x) {
            svg_.line(X(x), py0, X(x), py1, "grid");
            if (x % 2 == 0) {
                svg_.text(X(x), py1 + 10, std::to_string(x), "small", R"( text-anchor="middle")");
            }
        }
        svg_.text(px0 - 4, py1 + 3, "0", "small", R"( text-anchor="end")");
        svg_.raw(R"(<polyline class="axis" points=")" + svg_number(px0) + "," + svg_number(py0) +
                 " " + svg_number(px0) + "," + svg_number(py1) + " " + svg_number(px1) + "," +
                 svg_number(py1) + "\"/>\n");
        svg_.text((px0 + px1) / 2, py1 + 22, "COMPRESSIVE STRAIN (%)", "",
                  R"( text-anchor="middle")");
        const double tx = px0 - 34, ty = (py0 + py1) / 2;
        svg_.text(tx, ty, "COMPRESSIVE STRESS (PSI)", "",
                  R"( text-anchor="middle" transform="rotate(-90 )" + svg_number(tx) + " " +
                      svg_number(ty) + ")\"");

        // The curves from the program's table, each labelled at its top.
        for (std::size_t k = 0; k < curve_count; ++k) {
            std::string points;
            for (std::size_t j = 0; j < step_count; ++j) {
                points += svg_number(X(strain_chart[k][j])) + "," +
                          svg_number(Y(step * static_cast<double>(j + 1))) + " ";
            }
            svg_.raw(R"(<polyline class="curve")" + data("ratio", curve_bound[k]) + R"( points=")" +
                     points + "\"/>\n");
            svg_.text(X(strain_chart[k][step_count - 1]), Y(step * step_count) - 4,
                      svg_number(curve_bound[k]), "small", R"( text-anchor="middle")");
        }

        for (const Point& p : pts) point(p, X, Y, x_max, y_max);
        detail(pts, X, Y, x_max, y_max);
        svg_.close_group();

        // The readout: the stresses, S/B and strains as the report prints them.
        double y = py1 + 40;
        svg_.text(kColumn + 10, y, "LAYER      S/B    STRESS (PSI) / STRAIN (%)", "",
                  R"( xml:space="preserve")");
        svg_.text(kColumn + 10, y + 10, "                 DEAD LOAD   LIVE LOAD  DEAD + LIVE", "",
                  R"( xml:space="preserve")");
        y += 22;
        for (std::size_t i = 0; i < pts.size(); i += 3) {
            std::string row = std::string(pts[i].layer) == "cover"
                                  ? (has_plates() ? "COVER   " : "PAD     ")
                                  : "INTERNAL";
            row += " " + edit_real(pts[i].ratio, 5, 1);
            for (std::size_t c = i; c < i + 3; ++c) {
                row +=
                    "  " + edit_real(pts[c].stress, 5, 0) + " /" + edit_real(pts[c].strain, 4, 1);
            }
            svg_.text(kColumn + 10, y, svg_text(row), "", R"( xml:space="preserve")");
            y += 11;
        }
    }

    // Whether the record's strain is the chart's at its stress and S/B: not
    // so in the last bearing of an impossible design whose search stopped
    // before the deflection was worked out; such a point gets no construction.
    static bool reproduced(const Point& p) { return strain(p.stress, p.ratio) == p.strain; }

    // The construction of one interpolation: the neighbouring curves at the
    // two columns, the interpolated points on them, and the line through
    // those points to the stress.
    template <typename FX, typename FY>
    void construction(const StrainConstruction& c, const Point& p, FX X, FY Y) {
        constexpr double step = chart_stress_step;
        const double s1 = step * c.column, s2 = step * (c.column + 1);
        const auto& up = strain_chart[static_cast<std::size_t>(c.upper_curve)];
        const auto& lo = strain_chart[static_cast<std::size_t>(c.lower_curve)];
        const auto i = static_cast<std::size_t>(c.column - 1);
        for (int k = 0; k < 2; ++k) {
            const double sy = k == 0 ? s1 : s2;
            svg_.line(X(up[i + k]), Y(sy), X(lo[i + k]), Y(sy), "construction");
            svg_.circle(X(k == 0 ? c.value_at_column : c.value_at_next), Y(sy), 1.8, "bracket");
        }
        svg_.line(X(c.value_at_column), Y(s1), X(p.strain), Y(p.stress), "construction");
        svg_.line(X(c.value_at_next), Y(s2), X(c.value_at_column), Y(s1), "construction");
    }

    // The dead plus live load interpolations magnified, in the corner of the
    // chart that the curves leave empty: the neighbouring curves, the
    // construction and the points, with the stresses of the two columns.
    template <typename FX, typename FY>
    void detail(const std::vector<Point>& pts, FX X, FY Y, double x_max, double y_max) {
        constexpr double step = chart_stress_step;
        double lo_s = 1e30, hi_s = -1e30, lo_e = 1e30, hi_e = -1e30;
        std::vector<std::pair<Point, StrainConstruction>> shown;
        for (const Point& p : pts) {
            StrainConstruction c;
            // Only a point that the chart shows (as point() draws it).
            const bool on_chart = std::isfinite(p.strain) && std::isfinite(p.stress) &&
                                  p.strain >= 0 && p.strain <= x_max && p.stress >= 0 &&
                                  p.stress <= y_max;
            if (std::string_view(p.load) != "total" || !on_chart || !reproduced(p) ||
                !strain_construction(p.stress, p.ratio, c)) {
                continue;
            }
            shown.push_back({p, c});
            const auto i = static_cast<std::size_t>(c.column - 1);
            lo_s = std::min({lo_s, step * c.column, static_cast<double>(p.stress)});
            hi_s = std::max(hi_s, step * (c.column + 1));
            for (std::size_t k : {i, i + 1}) {
                for (int curve : {c.upper_curve, c.lower_curve}) {
                    const double v = strain_chart[static_cast<std::size_t>(curve)][k];
                    lo_e = std::min(lo_e, v);
                    hi_e = std::max(hi_e, v);
                }
            }
            lo_e = std::min(lo_e, static_cast<double>(p.strain));
            hi_e = std::max(hi_e, static_cast<double>(p.strain));
        }
        if (shown.empty()) return;
        // The box: right of the S/B 3 curve, below a third of the stress.
        const double bx0 = X(0.58 * x_max), bx1 = X(0.985 * x_max);
        const double by0 = Y(0.36 * y_max), by1 = Y(0.03 * y_max);
        for (const Point& p : pts) {
            if (X(p.strain) >= bx0 - 4 && Y(p.stress) >= by0 - 4) return;  // a point is there
        }
        const double pad_s = (hi_s - lo_s) * 0.12, pad_e = std::max(0.05, (hi_e - lo_e) * 0.15);
        lo_s -= pad_s, hi_s += pad_s, lo_e -= pad_e, hi_e += pad_e;
        const double ix0 = bx0 + 30, ix1 = bx1 - 6, iy0 = by0 + 12, iy1 = by1 - 14;
        auto IX = [&](double e) { return ix0 + (e - lo_e) / (hi_e - lo_e) * (ix1 - ix0); };
        auto IY = [&](double p) { return iy1 - (p - lo_s) / (hi_s - lo_s) * (iy1 - iy0); };
        svg_.rect(bx0, by0, bx1 - bx0, by1 - by0, "rule", R"( fill="#fff")");
        svg_.text(bx1 - 4, by1 - 4, "DETAIL, DEAD + LIVE LOAD", "small", R"( text-anchor="end")");
        svg_.raw(R"(<clipPath id="bp-detail"><rect x=")" + svg_number(ix0) + "\" y=\"" +
                 svg_number(iy0) + "\" width=\"" + svg_number(ix1 - ix0) + "\" height=\"" +
                 svg_number(iy1 - iy0) + "\"/></clipPath>\n");
        svg_.open_group(R"x( class="detail" clip-path="url(#bp-detail)")x");
        std::vector<int> curves;
        for (const auto& [p, c] : shown) {
            for (int k : {c.upper_curve, c.lower_curve}) {
                if (std::find(curves.begin(), curves.end(), k) == curves.end()) curves.push_back(k);
            }
        }
        for (int k : curves) {
            std::string points;
            for (std::size_t j = 0; j < step_count; ++j) {
                points += svg_number(IX(strain_chart[static_cast<std::size_t>(k)][j])) + "," +
                          svg_number(IY(step * static_cast<double>(j + 1))) + " ";
            }
            svg_.raw(R"(<polyline class="curve" points=")" + points + "\"/>\n");
        }
        for (const auto& [p, c] : shown) {
            construction(c, p, IX, IY);
            if (std::string_view(p.layer) == "internal") {
                svg_.rect(IX(p.strain) - 2.6, IY(p.stress) - 2.6, 5.2, 5.2, "marker");
            } else {
                svg_.circle(IX(p.strain), IY(p.stress), 2.8, "marker");
            }
        }
        svg_.close_group();
        // The curves named where they leave the top of the box, the columns'
        // stresses at the left.
        for (int k : curves) {
            const auto& v = strain_chart[static_cast<std::size_t>(k)];
            for (std::size_t j = 0; j + 1 < step_count; ++j) {
                const double a = step * (j + 1), b = step * (j + 2);
                if (a <= hi_s && b > hi_s) {
                    const double e = v[j] + (v[j + 1] - v[j]) * (hi_s - a) / (b - a);
                    if (IX(e) > ix0 && IX(e) < ix1) {
                        svg_.text(IX(e), iy0 - 3, svg_number(curve_bound[k]), "small",
                                  R"( text-anchor="middle")");
                    }
                }
            }
        }
        for (int j = 1; j <= static_cast<int>(step_count) && j * step <= hi_s; ++j) {
            if (j * step >= lo_s) {
                svg_.line(ix0 - 3, IY(j * step), ix0, IY(j * step), "axis");
                svg_.text(ix0 - 4, IY(j * step) + 3, svg_number(j * step), "small",
                          R"( text-anchor="end")");
            }
        }
    }

    // One interpolated strain: its marker, and for the dead plus live load
    // the dashed construction of the interpolation and the lines to the axes.
    template <typename FX, typename FY>
    void point(const Point& p, FX X, FY Y, double x_max, double y_max) {
        const bool internal = std::string_view(p.layer) == "internal";
        const bool total = std::string_view(p.load) == "total";
        svg_.open_group(R"( class="strain-point")" + attribute("data-layer", p.layer) +
                        attribute("data-load", p.load) + data("stress", p.stress) +
                        data("ratio", p.ratio) + strain_attribute(p.strain));
        const bool on_chart = std::isfinite(p.strain) && std::isfinite(p.stress) && p.strain >= 0 &&
                              p.strain <= x_max && p.stress >= 0 && p.stress <= y_max;
        StrainConstruction c;
        if (on_chart && total && reproduced(p) && strain_construction(p.stress, p.ratio, c)) {
            construction(c, p, X, Y);
            svg_.line(X(p.strain), Y(p.stress), X(p.strain), Y(0), "construction");
            svg_.line(X(0), Y(p.stress), X(p.strain), Y(p.stress), "construction");
            const std::string label =
                std::string(internal ? "INTERNAL " : (has_plates() ? "COVER " : "PAD ")) +
                as_printed(p.strain, 4, 1);
            svg_.text(X(p.strain) + (internal ? 6 : -6), Y(p.stress) - 5, label, "",
                      internal ? "" : R"( text-anchor="end")");
        }
        if (on_chart) {
            const std::string cls = std::string("marker") + (total ? "" : " open");
            if (internal) {
                svg_.rect(X(p.strain) - 2.6, Y(p.stress) - 2.6, 5.2, 5.2, cls);
            } else {
                svg_.circle(X(p.strain), Y(p.stress), 2.8, cls);
            }
        }
        svg_.close_group();
    }

    // --------------------------------------------------- bill and notes
    void bill_and_notes() {
        double y = kChartBottom + 16;
        const double x = kColumn + 10;
        svg_.text(x, y, "BILL OF LAYERS (IN)", "heading");
        y += 14;
        svg_.text(x, y, "                   COUNT   THICKNESS      TOTAL", "",
                  R"( xml:space="preserve")");
        y += 11;
        auto row = [&](const char* name, std::int32_t count, float thickness) {
            std::string text = name;
            text.resize(19, ' ');
            text += edit_integer(count, 5) + " x " + edit_real(thickness, 9, 4) + " = " +
                    edit_real(store_product(count, thickness), 9, 4);
            svg_.text(x, y, svg_text(text), "bill-row",
                      R"( xml:space="preserve")" + attribute("data-count", std::to_string(count)) +
                          data("thickness", thickness));
            y += 11;
        };
        if (!has_plates()) {
            row("ELASTOMER PAD", 1, b_.cover_layer_thickness);
        } else {
            row("COVER LAYER", b_.layers.cover_layer_count, b_.cover_layer_thickness);
            row("LOAD PLATE", b_.load_plate_count, b_.load_plate_thickness);
            if (b_.load_plate_count == 2) {
                row("INTERNAL LAYER", b_.layers.internal_layer_count, b_.internal_layer_thickness);
                row("INTERNAL PLATE", b_.internal_plate_count, b_.internal_plate_thickness);
            }
        }
        std::string total = "TOTAL THICKNESS T";
        total.resize(19 + 5 + 3 + 9 + 3, ' ');
        total += edit_real(b_.thickness, 9, 4);
        svg_.text(x, y, svg_text(total), "", R"( xml:space="preserve")");
        y += 11;
        std::string hrt = "ELASTOMER hrt";
        hrt.resize(19 + 5 + 3 + 9 + 3, ' ');
        hrt += edit_real(b_.elastomer_thickness, 9, 4);
        svg_.text(x, y, svg_text(hrt), "", R"( xml:space="preserve")");
        y += 18;

        svg_.text(x, y, "NOTES", "heading");
        y += 12;
        std::vector<std::string> notes;
        notes.push_back("DIMENSIONS IN INCHES. 60 DUROMETER NEOPRENE.");
        // The notes on the drawing, for a sheet that draws the bearing.
        const bool drawn = !not_evaluated();
        if (holes() && drawn) {
            notes.push_back("HOLE POSITIONS ARE NOT PART OF THE DESIGN: THE HOLES ARE");
            notes.push_back("  SHOWN EVENLY SPACED ON THE LONG CENTRE LINE.");
        }
        if (has_plates() && drawn) {
            notes.push_back("STEEL PLATES INSET BY THE SIDE COVER" +
                            std::string(holes() ? ", THEIR HOLES LARGER" : "."));
            if (holes()) notes.push_back("  BY TWICE THE SIDE COVER.");
            notes.push_back(b_.properties_from_plates ? "PROPERTIES FROM THE PLATE DIMENSIONS."
                                                      : "PROPERTIES FROM THE BEARING DIMENSIONS.");
        }
        if (holes() && drawn) notes.push_back("SECTION A-A IS TAKEN CLEAR OF THE HOLES.");
        if (drawn) notes.push_back("SCALES HOLD ON LETTER PAPER PRINTED AT 100 %.");
        for (const std::string& m : r_.closing_messages) notes.push_back(m);
        for (const std::string& n : owner_notes()) notes.push_back(n);
        for (const std::string& n : notes) {
            svg_.text(x, y, svg_text(n), "small", R"( xml:space="preserve")");
            y += 9.5;
        }
    }

    // The owner's checks in a few lines: how many were made and which fail
    // (each in full, with its article, in the JSON and on the page).
    std::vector<std::string> owner_notes() const {
        if (r_.owner_rules.empty()) return {};
        int made = 0;
        std::string failing;
        for (const OwnerCheckOutcome& c : r_.owner_checks) {
            if (!c.applies || c.verdict == CheckVerdict::not_evaluated) continue;
            ++made;
            if (c.verdict == CheckVerdict::fails) {
                failing +=
                    (failing.empty() ? "" : ", ") + std::string(criterion_definition(c.id).name);
            }
        }
        std::string text = "OWNER'S CHECKS: ";
        if (made == 0) {
            text += "NONE MADE.";
        } else if (failing.empty()) {
            text += std::to_string(made) + (made == 1 ? " MADE, IT PASSES." : " MADE, ALL PASS.");
        } else {
            text += "OF " + std::to_string(made) + " MADE, FAILING " + capitals(failing) + ".";
        }
        std::vector<std::string> lines = wrapped(text, 58);
        for (std::size_t i = 1; i < lines.size(); ++i) lines[i] = "  " + lines[i];
        return lines;
    }

    static float store_product(std::int32_t count, float thickness) {
        return static_cast<float>(static_cast<double>(count) * static_cast<double>(thickness));
    }

    // -------------------------------------------------------- title block
    void title_block() {
        const double y = kTitleTop;
        svg_.line(250, y, 250, kBottom, "rule");
        svg_.line(760, y, 760, kBottom, "rule");
        svg_.text(kLeft + 8, y + 20, "ELASTOMERIC BEARING PAD", "heading");
        svg_.text(kLeft + 8, y + 44, "PROBLEM " + field_text(r_.used.problem_number), "big",
                  R"( xml:space="preserve")");
        // The rules the verdict is taken under, and no others.
        svg_.text(kLeft + 8, y + 58, "RULES: " + capitals(kAashtoRules), "small rules");
        if (r_.owner_rules.empty()) {
            svg_.text(kLeft + 8, y + 68, "ONLY; NO OWNER'S CRITERIA ARE APPLIED", "small");
        } else {
            // The owner's set by its name and document, as far as the block holds.
            const std::vector<std::string> owner = wrapped("AND " + capitals(r_.owner_name), 44);
            svg_.text(kLeft + 8, y + 68, svg_text(owner.front()), "small owner-rules");
        }
        svg_.text(258, y + 16, "TITLE", "small");
        svg_.text(258, y + 32, field_text(r_.used.title), "title", R"( xml:space="preserve")");
        // A design's answer, or the last bearing an impossible one tried.
        const std::vector<std::string> answer = wrapped(capitals(answer_text(r_)), 110);
        for (std::size_t i = 0; i < answer.size() && i < 2; ++i) {
            svg_.text(258, y + 45 + 9 * static_cast<double>(i), svg_text(answer[i]),
                      "small answer");
        }
        std::string scales = "PLAN " + scale_label(plan_scale_) + "   SECTION " +
                             scale_label(section_scale_) + "   CHART NOT TO SCALE";
        if (not_evaluated()) scales = "NOT DRAWN: THE BEARING IS NOT EVALUATED";
        svg_.text(258, y + 68, scales, "small", R"( xml:space="preserve")");

        // The verdict: its word, then what it rests on. A bearing not
        // evaluated gets neither the report's warnings nor a governing check.
        const bool analysis = r_.mode == RunMode::analysis;
        svg_.text(768, y + 16, analysis ? "ANALYSIS" : "DESIGN", "heading");
        svg_.text(768, y + 35, capitals(verdict_words(verdict_.word)), "big verdict");
        std::vector<std::string> lines;
        if (not_evaluated()) {
            lines.push_back("THE CHECKS ARE NOT MADE: SEE THE REASONS");
        } else if (impossible()) {
            lines.push_back("LAST BEARING TRIED, NOT A DESIGN");
            lines.push_back("SEE THE NOTES AND THE REPORT");
        } else {
            // The sentence after its first word: "2 checks fail; ... governs at 1.211".
            const std::string text = verdict_text(r_, verdict_);
            const std::size_t colon = text.find(": ");
            if (colon != std::string::npos) lines = wrapped(capitals(text.substr(colon + 2)), 48);
            lines.resize(std::min<std::size_t>(lines.size(), 2));
            const std::size_t n = r_.warnings.size();
            lines.push_back((n == 0 ? std::string("NO") : std::to_string(n)) +
                            (n == 1 ? " WARNING" : " WARNINGS") + " ON REPORT PAGE 5");
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            svg_.text(768, y + 48 + 10 * static_cast<double>(i), svg_text(lines[i]), "small");
        }
        if (impossible()) {
            // Marked across the drawing too: the last bearing the search
            // tried, not a design.
            svg_.rect(kLeft + 150, kTop + 4, 330, 18, "not-a-design");
            svg_.text(kLeft + 315, kTop + 17, "DESIGN NOT POSSIBLE: LAST BEARING TRIED", "heading",
                      R"( text-anchor="middle")");
        }
    }

    const Result& r_;
    const CheckResults& rec_;
    const Bearing& b_;
    const Verdict verdict_;
    Svg svg_;
    std::optional<Scale> plan_scale_;
    std::optional<Scale> section_scale_;
};

}  // namespace

std::optional<std::string> drawing_svg(const Result& result) {
    if (result.end != ProblemEnd::solved && result.end != ProblemEnd::design_not_possible) {
        return std::nullopt;
    }
    if (!result.record) return std::nullopt;
    return Sheet(result, *result.record).draw();
}

}  // namespace bearingpad
