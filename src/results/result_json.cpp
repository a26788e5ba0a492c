#include "results/result_json.h"

#include <cmath>
#include <cstdio>

#include "checks/input_fields.h"
#include "results/result_text.h"

namespace bearingpad {

namespace {

// One JSON object written member by member, in order.
class Object {
  public:
    Object& raw(const char* key, std::string_view json) {
        json_ += first_ ? "{\"" : ",\"";
        first_ = false;
        json_.append(key).append("\":").append(json);
        return *this;
    }
    Object& text(const char* key, std::string_view bytes) { return raw(key, json_string(bytes)); }
    Object& integer(const char* key, long long value) { return raw(key, std::to_string(value)); }
    Object& boolean(const char* key, bool value) { return raw(key, value ? "true" : "false"); }
    // A finite number as its shortest text; any other as null, with its text
    // in the member KEY_text beside it.
    Object& number(const char* key, float value) {
        if (std::isfinite(value)) return raw(key, number_text(value));
        raw(key, "null");
        return text((std::string(key) + "_text").c_str(), number_text(value));
    }
    std::string close() { return first_ ? "{}" : json_ + "}"; }

  private:
    std::string json_;
    bool first_ = true;
};

std::string array(const std::vector<std::string>& items_json) {
    std::string json = "[";
    for (const std::string& item : items_json) {
        if (json.size() > 1) json += ',';
        json += item;
    }
    return json + "]";
}

std::string text_array(const std::vector<std::string>& texts) {
    std::vector<std::string> items;
    items.reserve(texts.size());
    for (const std::string& t : texts) items.push_back(json_string(t));
    return array(items);
}

// Every field of kInputFields, by its form: texts and switch characters as
// strings, reals and integers as numbers.
void input_fields(Object& o, const ProblemRecord& p) {
    for (const InputField& f : kInputFields) {
        const FieldMember& m = f.member;
        if (m.text) {
            o.text(f.name, p.*m.text);
        } else if (m.character) {
            o.text(f.name, std::string_view(&(p.*m.character), 1));
        } else if (m.text4) {
            o.text(f.name, std::string_view((p.*m.text4).data(), (p.*m.text4).size()));
        } else if (m.real) {
            o.number(f.name, p.*m.real);
        } else if (m.integer) {
            o.integer(f.name, p.*m.integer);
        }
    }
}

std::string used_json(const ProblemRecord& p) {
    Object o;
    input_fields(o, p);
    o.integer("number_of_holes", p.number_of_holes);
    o.integer("load_plate_count", p.load_plate_count);
    o.text("beam", p.beam_type == 0 ? "steel" : "concrete");
    o.number("total_load", p.total_load);
    return o.close();
}

std::string bearing_json(const Bearing& b, const CheckResults& r) {
    Object o;
    o.number("width", b.width);
    o.number("length", b.length);
    o.number("thickness", b.thickness);
    o.integer("number_of_holes", b.number_of_holes);
    o.number("diameter_of_hole", b.diameter_of_hole);
    o.number("cover_thickness", b.cover_thickness);
    o.number("side_cover", b.side_cover);
    o.integer("load_plate_count", b.load_plate_count);
    o.number("load_plate_thickness", b.load_plate_thickness);
    o.integer("internal_plate_count", b.internal_plate_count);
    o.number("internal_plate_thickness", b.internal_plate_thickness);
    o.integer("cover_layer_count", b.layers.cover_layer_count);
    o.integer("internal_layer_count", b.layers.internal_layer_count);
    o.number("cover_layer_thickness", b.cover_layer_thickness);
    o.number("internal_layer_thickness", b.internal_layer_thickness);
    o.number("shape_factor_cover", b.shape_factor_cover);
    o.number("shape_factor_internal", b.shape_factor_internal);
    o.number("elastomer_thickness", b.elastomer_thickness);
    o.text("properties_from", b.properties_from_plates ? "plates" : "bearing");
    o.number("dead_load", r.dead_load);
    o.number("live_load", r.live_load);
    o.number("total_load", r.total_load);
    return o.close();
}

std::string checks_json(const std::vector<CheckOutcome>& checks,
                        const std::vector<OwnerCheckOutcome>& owner, const std::string& rules) {
    std::vector<std::string> items;
    for (const CheckOutcome& c : checks) {
        const CheckDefinition& d = check_definition(c.id);
        items.push_back(
            Object()
                .text("key", d.key)
                .text("name", d.name)
                .text("article", d.article)
                .text("unit", d.unit)
                .number("demand", c.demand)
                .number("limit", c.limit)
                .number("ratio", c.ratio)
                .boolean("passed", c.passed)
                .boolean("applies", c.applies)
                .text("verdict", check_verdict_key(c.verdict))
                .text("reason", c.reason)
                .raw("remedy", c.remedy ? json_string(remedy_definition(*c.remedy).text) : "null")
                .boolean("owner", false)
                .close());
    }
    // The owner's checks after the eleven, each with the owner's document
    // and article as its source.
    for (const OwnerCheckOutcome& c : owner) {
        const CriterionDefinition& d = criterion_definition(c.id);
        items.push_back(Object()
                            .text("key", d.key)
                            .text("name", owner_check_name(c.id))
                            .text("article", c.article)
                            .text("unit", d.unit)
                            .number("demand", c.demand)
                            .number("limit", c.limit)
                            .number("ratio", c.ratio)
                            .boolean("passed", c.verdict != CheckVerdict::fails)
                            .boolean("applies", c.applies)
                            .text("verdict", check_verdict_key(c.verdict))
                            .text("reason", c.reason)
                            .boolean("owner", true)
                            .text("source", rules + ", " + c.article)
                            .close());
    }
    return array(items);
}

// The problem's verdict: its word and sentence, the failed checks, the
// governing check, the reasons it was not evaluated and the rules applied.
std::string verdict_json(const Result& result) {
    const Verdict v = verdict_of(result);
    std::vector<std::string> reasons;
    for (const VerdictReason& r : v.reasons) {
        reasons.push_back(Object().text("field", r.field).text("text", r.text).close());
    }
    const std::string key = governing_key(result, v);
    return Object()
        .text("word", verdict_key(v.word))
        .text("text", verdict_text(result, v))
        .integer("failed_checks", v.failed_checks)
        .raw("governing", key.empty() ? "null" : json_string(key))
        .raw("governing_name", key.empty() ? "null" : json_string(governing_name(result, v)))
        .raw("reasons", array(reasons))
        .text("rules", rules_text(result))
        .close();
}

std::string warnings_json(const std::vector<Warning>& warnings) {
    std::vector<std::string> items;
    for (const Warning& w : warnings) {
        std::vector<std::string> keys;
        for (const CheckId id : w.checks) keys.push_back(json_string(check_definition(id).key));
        items.push_back(
            Object().raw("checks", array(keys)).raw("lines", text_array(w.lines)).close());
    }
    return array(items);
}

}  // namespace

namespace {

// The escaped JSON string of text already in UTF-8.
std::string escaped(std::string_view utf8) {
    std::string json = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            case '\b':
                json += "\\b";
                break;
            case '\f':
                json += "\\f";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
                    json += escaped;
                } else {
                    json += c;
                }
        }
    }
    return json + '"';
}

}  // namespace

std::string json_string(std::string_view bytes) {
    return escaped(latin1_to_utf8(bytes));
}

std::string json_name(std::string_view bytes) {
    return escaped(name_to_utf8(bytes));
}

std::string result_json(const Result& result, const std::string& file) {
    Object o;
    o.text("format", kResultFormat);
    o.raw("file", json_name(file));
    o.text("outcome", outcome_word(result.end));
    o.raw("mode", has_mode(result) ? json_string(mode_word(result.mode)) : "null");
    o.boolean("report_written", result.report_written);
    o.raw("records", text_array(result.records));
    Object as_read;
    input_fields(as_read, result.as_read);
    o.raw("as_read", as_read.close());
    o.raw("used", used_json(result.used));
    const bool built = result.record && (result.end == ProblemEnd::solved ||
                                         result.end == ProblemEnd::design_not_possible);
    o.raw("bearing", built ? bearing_json(result.bearing, *result.record) : "null");
    o.raw("checks",
          built ? checks_json(result.checks, result.owner_checks, result.owner_rules) : "[]");
    const CheckOutcome* governing = built ? result.governing_check() : nullptr;
    o.raw("governing", governing ? Object()
                                       .text("key", check_definition(governing->id).key)
                                       .number("ratio", governing->ratio)
                                       .close()
                                 : "null");
    o.raw("verdict", verdict_json(result));
    const std::string answer = answer_text(result);
    o.raw("answer", answer.empty() ? "null" : json_string(answer));
    o.raw("warnings", warnings_json(result.warnings));
    o.raw("closing_messages", text_array(result.closing_messages));
    o.integer("design_passes", result.design_passes);
    if (result.failure) {
        const FailureData& f = *result.failure;
        o.raw("failure", Object()
                             .integer("number", f.number)
                             .integer("unit", f.unit)
                             .raw("file", json_name(f.file_name))
                             .raw("text", json_name(f.text))
                             .raw("line", json_name(f.line))
                             .close());
    } else {
        o.raw("failure", "null");
    }
    return o.close() + "\n";
}

}  // namespace bearingpad
