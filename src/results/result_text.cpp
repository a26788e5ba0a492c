#include "results/result_text.h"

#include <cmath>

#include "report/formatted.h"

namespace bearingpad {

const char* outcome_word(ProblemEnd end) {
    switch (end) {
        case ProblemEnd::no_problem:
            return "no_problem";
        case ProblemEnd::rejected:
            return "rejected";
        case ProblemEnd::solved:
            return "solved";
        case ProblemEnd::design_not_possible:
            return "design_not_possible";
        case ProblemEnd::failure:
            break;
    }
    return "failure";
}

const char* mode_word(RunMode mode) {
    return mode == RunMode::analysis ? "analysis" : "design";
}

bool has_mode(const Result& result) {
    return result.pad_record_read;
}

std::string number_text(float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    return shortest_text(value, ShortestForm::plain);
}

std::string latin1_to_utf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

namespace {

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool valid_utf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        std::size_t n = 0;
        unsigned lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (i + n >= bytes.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if (c < (k == 1 ? lo : 0x80) || c > (k == 1 ? hi : 0xBF)) return false;
        }
        i += n + 1;
    }
    return true;
}

}  // namespace

std::string name_to_utf8(std::string_view bytes) {
    return valid_utf8(bytes) ? std::string(bytes) : latin1_to_utf8(bytes);
}

}  // namespace bearingpad
