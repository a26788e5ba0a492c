#include "drawing/svg.h"

#include <cmath>
#include <cstdio>

namespace bearingpad {

std::string svg_text(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (b) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '\t':
                out += ' ';
                break;
            default:
                if (b < 0x20) {
                    out += "\xEF\xBF\xBD";  // U+FFFD
                } else if (b >= 0x80) {
                    out += static_cast<char>(0xC0 | (b >> 6));
                    out += static_cast<char>(0x80 | (b & 0x3F));
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string svg_number(double v) {
    if (!std::isfinite(v)) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

std::string attribute(std::string_view name, std::string_view value) {
    std::string out = " ";
    out += name;
    out += "=\"";
    out += svg_text(value);
    out += '"';
    return out;
}

void Svg::open_group(std::string_view attributes) {
    out_ += "<g";
    out_ += attributes;
    out_ += ">\n";
}

void Svg::rect(double x, double y, double w, double h, std::string_view cls,
               std::string_view extra) {
    out_ += "<rect x=\"" + svg_number(x) + "\" y=\"" + svg_number(y) + "\" width=\"" +
            svg_number(w) + "\" height=\"" + svg_number(h) + '"';
    if (!cls.empty()) out_ += attribute("class", cls);
    out_ += extra;
    out_ += "/>\n";
}

void Svg::line(double x1, double y1, double x2, double y2, std::string_view cls,
               std::string_view extra) {
    out_ += "<line x1=\"" + svg_number(x1) + "\" y1=\"" + svg_number(y1) + "\" x2=\"" +
            svg_number(x2) + "\" y2=\"" + svg_number(y2) + '"';
    if (!cls.empty()) out_ += attribute("class", cls);
    out_ += extra;
    out_ += "/>\n";
}

void Svg::circle(double cx, double cy, double r, std::string_view cls, std::string_view extra) {
    out_ += "<circle cx=\"" + svg_number(cx) + "\" cy=\"" + svg_number(cy) + "\" r=\"" +
            svg_number(r) + '"';
    if (!cls.empty()) out_ += attribute("class", cls);
    out_ += extra;
    out_ += "/>\n";
}

void Svg::text(double x, double y, std::string_view escaped, std::string_view cls,
               std::string_view extra) {
    out_ += "<text x=\"" + svg_number(x) + "\" y=\"" + svg_number(y) + '"';
    if (!cls.empty()) out_ += attribute("class", cls);
    out_ += extra;
    out_ += '>';
    out_ += escaped;
    out_ += "</text>\n";
}

}  // namespace bearingpad
