// Writing SVG text: the bytes of a title or problem number as XML character
// data, numbers as coordinates, and the few elements the sheet is drawn with.
#pragma once

#include <string>
#include <string_view>

namespace bearingpad {

// The bytes of an input record as XML 1.0 character data, shown as the report
// shows them: <, >, &, " and ' as entities; a tab as a blank; the other
// control bytes 0 to 31, which XML 1.0 does not allow at all, as U+FFFD (the
// replacement character); bytes 128 to 255 as the Latin-1 characters U+0080
// to U+00FF, encoded in UTF-8; every other byte as itself.
std::string svg_text(std::string_view bytes);

// A coordinate or length: at most two decimals, trailing zeros dropped; 0 for
// a value that is not finite.
std::string svg_number(double v);

// An SVG document under construction. Attribute texts given as "extra" are
// written as they stand after the element's own attributes.
class Svg {
  public:
    void raw(std::string_view text) { out_ += text; }
    void open_group(std::string_view attributes);
    void close_group() { out_ += "</g>\n"; }
    void rect(double x, double y, double w, double h, std::string_view cls,
              std::string_view extra = {});
    void line(double x1, double y1, double x2, double y2, std::string_view cls,
              std::string_view extra = {});
    void circle(double cx, double cy, double r, std::string_view cls, std::string_view extra = {});
    // Text whose characters are already escaped (svg_text or a literal).
    void text(double x, double y, std::string_view escaped, std::string_view cls,
              std::string_view extra = {});
    const std::string& str() const { return out_; }

  private:
    std::string out_;
};

// ' name="value"' with the value escaped.
std::string attribute(std::string_view name, std::string_view value);

}  // namespace bearingpad
