#include "report/formatted.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <version>

namespace bearingpad {

namespace {

std::string right_justify(std::string_view text, int w) {
    if (static_cast<int>(text.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
    std::string out(static_cast<std::size_t>(w) - text.size(), ' ');
    out.append(text);
    return out;
}

std::string edit_non_finite(float value, int w) {
    if (std::isnan(value)) return right_justify("NaN", w);
    if (value > 0) return right_justify(w >= 8 ? "Infinity" : "Inf", w);
    return right_justify(w >= 9 ? "-Infinity" : "-Inf", w);
}

}  // namespace

std::string edit_real(float value, int w, int d) {
    if (w <= 0) return std::string();
    if (!std::isfinite(value)) return edit_non_finite(value, w);

    // The exact binary value rounded to d decimals; the conversion is exact
    // and rounds halfway cases to the even digit.
    char buf[400];
#if defined(__cpp_lib_to_chars)
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                   std::chars_format::fixed, d);
    std::string_view digits(buf, static_cast<std::size_t>(res.ptr - buf));
#else
    // A standard library without the floating-point to_chars: its printf
    // editing is exact as well and rounds halfway cases to the even digit.
    const int length = std::snprintf(buf, sizeof buf, "%.*f", d, static_cast<double>(value));
    std::string_view digits(buf, length > 0 ? static_cast<std::size_t>(length) : 0);
#endif

    bool negative = false;
    if (!digits.empty() && digits.front() == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    const std::size_t point = digits.find('.');
    std::string_view integer_part = digits.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);

    const bool rounded_zero = integer_part.find_first_not_of('0') == std::string_view::npos &&
                              fraction.find_first_not_of('0') == std::string_view::npos;
    const bool below_one = integer_part.find_first_not_of('0') == std::string_view::npos;

    std::string text;
    if (negative && !rounded_zero) text += '-';
    if (!below_one) text.append(integer_part);
    text += '.';
    text.append(fraction);

    // Without the optional leading zero the text must fit; the zero is put
    // before the point only when a column is still free for it.
    if (static_cast<int>(text.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
    if (below_one && static_cast<int>(text.size()) < w) {
        text.insert(text.front() == '-' ? 1 : 0, 1, '0');
    }
    return right_justify(text, w);
}

std::string shortest_text(float value, ShortestForm form) {
    char buf[64];
#if defined(__cpp_lib_to_chars)
    const auto res =
        form == ShortestForm::plain
            ? std::to_chars(buf, buf + sizeof buf, value)
            : std::to_chars(buf, buf + sizeof buf, value,
                            form == ShortestForm::fixed ? std::chars_format::fixed
                                                        : std::chars_format::scientific);
    return std::string(buf, res.ptr);
#else
    // A standard library without the floating-point to_chars: the fewest
    // digits whose correctly rounded printf text reads back as the same
    // 32-bit real, which is the same text. The plain form as to_chars writes
    // it: those digits in fixed or in scientific notation, whichever is
    // shorter, fixed on a tie (140, not %g's 1.4e+02; 1e-04, not 0.0001).
    if (form == ShortestForm::plain) {
        int digits = 1;
        for (; digits < 17; ++digits) {
            std::snprintf(buf, sizeof buf, "%.*e", digits - 1, static_cast<double>(value));
            if (std::strtof(buf, nullptr) == value) break;
        }
        const std::string scientific = buf;
        const char* e = std::strchr(buf, 'e');
        const int exponent = e ? std::atoi(e + 1) : 0;
        std::snprintf(buf, sizeof buf, "%.*f", std::max(0, digits - 1 - exponent),
                      static_cast<double>(value));
        return std::strlen(buf) <= scientific.size() ? std::string(buf) : scientific;
    }
    const char* format = form == ShortestForm::plain   ? "%.*g"
                         : form == ShortestForm::fixed ? "%.*f"
                                                       : "%.*e";
    for (int digits = form == ShortestForm::plain ? 1 : 0; digits <= 20; ++digits) {
        std::snprintf(buf, sizeof buf, format, digits, static_cast<double>(value));
        if (std::strtof(buf, nullptr) == value) break;
    }
    return buf;
#endif
}

std::string edit_integer(std::int32_t value, int w) {
    if (w <= 0) return std::string();
    return right_justify(std::to_string(value), w);
}

std::string edit_text(std::string_view value, int w) {
    if (w <= 0) return std::string();
    const auto width = static_cast<std::size_t>(w);
    if (width > value.size()) return std::string(width - value.size(), ' ').append(value);
    return std::string(value.substr(0, width));
}

std::optional<float> read_real_field(std::string_view field, int d) {
    std::string s;
    for (char c : field)
        if (c != ' ') s += c;
    if (s.empty()) return 0.0f;

    std::size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';

    std::string mantissa;
    bool seen_point = false;
    int fraction_digits = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            mantissa += c;
            if (seen_point) ++fraction_digits;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }

    long exponent = 0;
    if (i < s.size()) {
        const char c = s[i];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q')
            ++i;
        else if (c != '+' && c != '-')
            return std::nullopt;
        bool exp_negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) exp_negative = s[i++] == '-';
        if (i >= s.size()) return std::nullopt;
        for (; i < s.size(); ++i) {
            if (s[i] < '0' || s[i] > '9') return std::nullopt;
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
        }
        if (exp_negative) exponent = -exponent;
        if (mantissa.empty()) return std::nullopt;
    }
    if (mantissa.empty()) return negative ? -0.0f : 0.0f;

    // Without a typed point the last d digits are the decimals.
    exponent -= seen_point ? fraction_digits : d;
    const std::string decimal = mantissa + 'e' + std::to_string(exponent);
    errno = 0;
    const float magnitude = std::strtof(decimal.c_str(), nullptr);
    return negative ? -magnitude : magnitude;
}

std::optional<std::int32_t> read_integer_field(std::string_view field) {
    std::string s;
    for (char c : field)
        if (c != ' ') s += c;
    if (s.empty()) return 0;
    std::size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    std::int64_t value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + (s[i] - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string record_columns(std::string_view record, int first, int width) {
    std::string out(static_cast<std::size_t>(width), ' ');
    const auto start = static_cast<std::size_t>(first - 1);
    if (start < record.size()) {
        const std::size_t n = std::min(record.size() - start, out.size());
        out.replace(0, n, record.substr(start, n));
    }
    return out;
}

Record& Record::control(char c) {
    if (buffer_.empty()) buffer_.resize(1, ' ');
    buffer_[0] = c;
    return *this;
}

Record& Record::text(int column, std::string_view literal) {
    const auto start = static_cast<std::size_t>(column - 1);
    if (literal.empty()) return *this;
    if (buffer_.size() < start + literal.size()) buffer_.resize(start + literal.size(), ' ');
    buffer_.replace(start, literal.size(), literal);
    return *this;
}

Record& Record::real(int column, float value, int w, int d) {
    return text(column, edit_real(value, w, d));
}

Record& Record::integer(int column, std::int32_t value, int w) {
    return text(column, edit_integer(value, w));
}

}  // namespace bearingpad
