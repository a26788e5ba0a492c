#include "results/result_text.h"

#include <cmath>
#include <cstdio>

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

std::string fixed_text(float value, int d) {
    const std::string edited = edit_real(value, 60, d);
    std::size_t first = edited.find_first_not_of(' ');
    std::string text;
    if (edited[first] == '-') {
        text += '-';
        ++first;
    }
    if (edited[first] == '.') text += '0';
    text.append(edited, first, std::string::npos);
    return text;
}

namespace {

// A length to 4 decimals, its trailing zeros cut down to min decimals:
// "0.1875", "0.0747", "0.25", "3.00".
std::string length_text(float value, std::size_t min_decimals) {
    std::string text = fixed_text(value, 4);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) return text;
    while (text.size() > point + 1 + min_decimals && text.back() == '0') text.pop_back();
    return text;
}

std::string counted(int count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

}  // namespace

namespace {
std::string verdict_sentence(const Result& result, const Verdict& verdict);
}

std::string verdict_text(const Result& result, const Verdict& verdict) {
    std::string text = verdict_sentence(result, verdict);
    if (result.standard_pad.empty()) return text;
    if (result.standard_pad_passes) return text + "; standard pad " + result.standard_pad;
    std::string failing;
    for (const std::string& name : result.standard_pad_failing) {
        failing += (failing.empty() ? "" : ", ") + name;
    }
    return text + "; no standard pad passes: " + result.standard_pad +
           " has the lowest governing ratio" + (failing.empty() ? "" : ", failing " + failing);
}

namespace {

std::string verdict_sentence(const Result& result, const Verdict& verdict) {
    std::string text = verdict_words(verdict.word);
    auto governs = [&] {
        const std::string name = governing_name(result, verdict);
        if (name.empty()) return std::string();
        // A step check has no ratio.
        if (std::isnan(verdict.governing_ratio)) return "; " + name + " governs";
        return "; " + name + " governs at " + fixed_text(verdict.governing_ratio, 3);
    };
    // Under an owner's criteria the sentence names the set, so that no one
    // takes it for an AASHTO-only verdict.
    const std::string under =
        result.owner_rules.empty() ? std::string() : " (under " + result.owner_name + ")";
    switch (verdict.word) {
        case VerdictWord::adequate:
            return text + under + ": every applying check passes" + governs();
        case VerdictWord::inadequate:
            return text + under + ": " +
                   counted(verdict.failed_checks, "check fails", "checks fail") + governs();
        case VerdictWord::not_evaluated: {
            std::string reasons;
            for (const VerdictReason& r : verdict.reasons) {
                reasons += (reasons.empty() ? "" : "; ") + r.text;
            }
            return reasons.empty() ? text + under : text + under + ": " + reasons;
        }
        case VerdictWord::failure:
            return result.failure ? text + ": " + result.failure->text : text;
        case VerdictWord::rejected:
        case VerdictWord::design_not_possible:
            break;
    }
    return text;
}

}  // namespace

std::string bearing_text(const Bearing& b) {
    std::string text = fixed_text(b.width, 2) + " x " + fixed_text(b.length, 2) + " x " +
                       fixed_text(b.thickness, 3) + " in";
    if (b.load_plate_count == 0) {
        text += ", plain pad";
    } else {
        text += ", " + counted(b.load_plate_count, "load plate ", "load plates ") +
                length_text(b.load_plate_thickness, 2) + " in";
        if (b.internal_plate_count > 0) {
            text += ", " + counted(b.internal_plate_count, "internal plate ", "internal plates ") +
                    length_text(b.internal_plate_thickness, 2) + " in";
        }
    }
    if (b.number_of_holes > 0) {
        text += ", " + counted(b.number_of_holes, "hole ", "holes ") +
                length_text(b.diameter_of_hole, 2) + " in";
    }
    if (b.load_plate_count > 0) {
        text += ", cover " + length_text(b.cover_thickness, 2) + " in, side cover " +
                length_text(b.side_cover, 2) + " in";
    }
    return text;
}

std::string answer_text(const Result& result) {
    if (!result.record || result.mode != RunMode::design) return std::string();
    if (result.end == ProblemEnd::solved) {
        // A bearing that is not evaluated is no answer: the verdict says why.
        if (verdict_of(result).word == VerdictWord::not_evaluated) return std::string();
        return "Designed: " + bearing_text(result.bearing);
    }
    if (result.end == ProblemEnd::design_not_possible) {
        return "Last bearing tried: " + bearing_text(result.bearing);
    }
    return std::string();
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

std::size_t utf8_prefix(std::string_view bytes) {
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
            return i;
        }
        if (i + n >= bytes.size()) return i;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if (c < (k == 1 ? lo : 0x80) || c > (k == 1 ? hi : 0xBF)) return i;
        }
        i += n + 1;
    }
    return i;
}

std::string name_to_utf8(std::string_view bytes) {
    return utf8_prefix(bytes) == bytes.size() ? std::string(bytes) : latin1_to_utf8(bytes);
}

}  // namespace bearingpad
