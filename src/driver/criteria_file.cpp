#include "driver/criteria_file.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace bearingpad {

namespace {

// The number of single-character edits from a to b, a swap of two
// neighbours counted as one.
std::size_t edits(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The nearest of the names, when within a third of the key's length.
std::string nearest(std::string_view key, const std::vector<std::string_view>& names) {
    std::string_view best;
    std::size_t best_edits = key.size() / 3 + 1;
    for (const std::string_view name : names) {
        const std::size_t e = edits(key, name);
        if (e < best_edits) {
            best = name;
            best_edits = e;
        }
    }
    return std::string(best);
}

struct Refusal {
    std::string text;
};

std::string at(const toml::node& node) {
    return "line " + std::to_string(node.source().begin.line) + ": ";
}

std::string backticked(std::string_view key) {
    return "`" + std::string(key) + "`";
}

std::string not_known(const toml::node& node, std::string_view key, const char* what,
                      const std::string& near) {
    std::string text = at(node) + backticked(key) + " is not " + what;
    if (!near.empty()) text += "; did you mean " + backticked(near) + "?";
    return text;
}

std::string number_text(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

std::string text_of(const toml::table& root, const char* key) {
    const toml::node* node = root.get(key);
    if (node == nullptr)
        throw Refusal{backticked(key) +
                      " is missing: a criteria set names itself, "
                      "its document and its edition"};
    const std::optional<std::string> text = node->value<std::string>();
    if (!node->is_string() || !text) throw Refusal{at(*node) + backticked(key) + " is not a text"};
    return *text;
}

OwnerLimit limit_of(const CriterionDefinition& d, const toml::node& node) {
    OwnerLimit limit;
    limit.id = d.id;
    limit.line = static_cast<int>(node.source().begin.line);
    const toml::table* fields = node.as_table();
    if (fields == nullptr) {
        throw Refusal{at(node) + backticked(d.key) +
                      " needs its value and article: { value = ..., unit = \"" + d.unit +
                      "\", article = \"...\" }"};
    }
    const std::vector<std::string_view> known = {"value", "unit", "article"};
    for (auto&& [k, v] : *fields) {
        if (std::find(known.begin(), known.end(), k.str()) == known.end()) {
            throw Refusal{not_known(v, k.str(), "a field of a limit", nearest(k.str(), known))};
        }
    }
    const toml::node* value = fields->get("value");
    if (value == nullptr || !(value->is_integer() || value->is_floating_point())) {
        throw Refusal{at(value ? *value : node) + backticked(d.key) +
                      " has no number as its value"};
    }
    if (const toml::node* unit = fields->get("unit")) {
        const std::optional<std::string> text = unit->value<std::string>();
        if (!unit->is_string() || *text != d.unit) {
            throw Refusal{at(*unit) + backticked(d.key) + " is in " +
                          (*d.unit ? std::string(d.unit) : std::string("no unit (a ratio)")) +
                          ", not " + (text ? backticked(*text) : std::string("that"))};
        }
    }
    const double v = value->value<double>().value_or(std::nan(""));
    if (!(v >= d.lowest && v <= d.highest)) {
        throw Refusal{at(*value) + backticked(d.key) + " = " + number_text(v) +
                      " is out of range (" + number_text(d.lowest) + " to " +
                      number_text(d.highest) +
                      (*d.unit ? std::string(" ") + d.unit : std::string()) + ")"};
    }
    limit.value = static_cast<float>(v);
    const toml::node* article = fields->get("article");
    if (article == nullptr || !article->is_string() ||
        article->value<std::string>().value_or("").empty()) {
        throw Refusal{at(article ? *article : node) + backticked(d.key) +
                      " has no article: the owner's article or page it is taken from"};
    }
    limit.article = *article->value<std::string>();
    return limit;
}

CriteriaSet set_of(const toml::table& root) {
    const std::vector<std::string_view> top = {"name", "document", "edition", "limits"};
    for (auto&& [k, v] : root) {
        if (std::find(top.begin(), top.end(), k.str()) == top.end()) {
            const std::string criterion = nearest_criterion(k.str());
            if (!criterion.empty()) {
                throw Refusal{at(v) + backticked(k.str()) + " is a criterion outside [limits]"};
            }
            throw Refusal{
                not_known(v, k.str(), "a field of a criteria set", nearest(k.str(), top))};
        }
    }
    CriteriaSet set;
    set.name = text_of(root, "name");
    set.document = text_of(root, "document");
    set.edition = text_of(root, "edition");
    const toml::node* limits = root.get("limits");
    if (limits == nullptr || !limits->is_table()) {
        throw Refusal{(limits ? at(*limits) : std::string()) + backticked("limits") +
                      " is missing: a table of the owner's limits"};
    }
    for (auto&& [k, v] : *limits->as_table()) {
        const std::string_view key = k.str();
        const auto d = std::find_if(kCriteria.begin(), kCriteria.end(),
                                    [key](const CriterionDefinition& c) { return key == c.key; });
        if (d == kCriteria.end()) {
            throw Refusal{not_known(v, k.str(), "a criterion", nearest_criterion(k.str()))};
        }
        set.limits.push_back(limit_of(*d, v));
    }
    std::stable_sort(set.limits.begin(), set.limits.end(),
                     [](const OwnerLimit& a, const OwnerLimit& b) { return a.line < b.line; });
    if (const std::optional<CriteriaFault> fault = contradiction(set)) {
        throw Refusal{"line " + std::to_string(fault->line) + ": " + fault->text};
    }
    return set;
}

}  // namespace

std::string nearest_criterion(std::string_view key) {
    std::vector<std::string_view> keys;
    for (const CriterionDefinition& c : kCriteria) keys.push_back(c.key);
    return nearest(key, keys);
}

std::optional<CriteriaSet> read_criteria(std::string_view text, std::string& error) {
    try {
        const toml::table root = toml::parse(text);
        return set_of(root);
    } catch (const toml::parse_error& e) {
        error =
            "line " + std::to_string(e.source().begin.line) + ": " + std::string(e.description());
    } catch (const Refusal& r) {
        error = r.text;
    }
    return std::nullopt;
}

}  // namespace bearingpad
