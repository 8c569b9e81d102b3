// Reads the cross-check data files (format in xcheck_data.h).
#include "xcheck_data.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace xcheck {

namespace {

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> split_words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

// "key: value" -> key and value; a field without a colon is all key.
std::pair<std::string, std::string> key_value(const std::string& field) {
    size_t colon = field.find(':');
    if (colon == std::string::npos) return {field, ""};
    return {trim(field.substr(0, colon)), trim(field.substr(colon + 1))};
}

bool hex_words(const std::string& text, std::string& out) {
    out.clear();
    for (const auto& w : split_words(text)) {
        if (w.size() % 2 != 0) return false;
        for (char c : w) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return !out.empty();
}

} // namespace

bool Form::runs_on(const std::string& core) const {
    return std::find(cores.begin(), cores.end(), core) != cores.end();
}

std::string to_hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

// Calls take(line, number, bad) for each line of text that is neither blank
// nor a comment; bad(why) records an error located at that line.
template <class Take>
void for_each_entry(const std::string& name, const std::string& text, std::vector<std::string>& errors, Take take) {
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        take(line, number, [&](const std::string& why) {
            errors.push_back(name + ":" + std::to_string(number) + ": " + why + ": " + line);
        });
    }
}

DataFile parse_data(const std::string& name, const std::string& text) {
    DataFile data;
    data.name = name;
    std::vector<std::string> cores;
    std::string pending;  // set by a "pending:" line for the lines that follow
    for_each_entry(name, text, data.errors, [&](const std::string& line, int number, auto bad) {
        if (line.rfind("cores:", 0) == 0) {
            cores = split_words(line.substr(6));
            if (cores.empty()) bad("no cores");
            return;
        }
        if (line.rfind("pending:", 0) == 0) {
            pending = trim(line.substr(8));  // an empty reason ends the pending block
            return;
        }

        Form f;
        f.file = name;
        f.line = number;
        f.cores = cores;
        f.pending = pending;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string part;
        while (std::getline(parts, part, '|')) fields.push_back(trim(part));
        f.tobra = fields[0];
        f.gnu = f.tobra;
        bool has_words = false;
        for (size_t i = 1; i < fields.size(); ++i) {
            auto [key, value] = key_value(fields[i]);
            if (key == "gnu") {
                f.gnu = value;
            } else if (key == "words") {
                if (!hex_words(value, f.words)) bad("bad hex words");
                has_words = true;
            } else if (key == "refused") {
                f.expect = Expect::refused;
            } else if (key == "tobra refuses") {
                f.expect = Expect::tobra_refuses;
            } else if (key == "gnu refuses") {
                f.expect = Expect::gnu_refuses;
            } else if (key == "why") {
                f.why = value;
            } else if (key == "pending") {
                f.pending = value.empty() ? "pending" : value;
            } else if (key == "cores") {
                f.cores = split_words(value);
            } else {
                bad("unknown field '" + key + "'");
            }
        }
        if (has_words && f.expect == Expect::same) f.expect = Expect::words;
        if (has_words && f.expect != Expect::words && f.expect != Expect::gnu_refuses)
            bad("words only go with a different encoding or 'gnu refuses'");
        bool needs_reason = f.expect == Expect::words || f.expect == Expect::tobra_refuses ||
                            f.expect == Expect::gnu_refuses;
        if (needs_reason && f.why.empty()) bad("a difference needs a 'why'");
        if (f.tobra.empty() || f.gnu.empty()) bad("empty source");
        if (f.cores.empty()) bad("no cores");
        data.forms.push_back(std::move(f));
    });
    return data;
}

std::vector<std::string> cores_of(const DataFile& data) {
    std::vector<std::string> out;
    for (const auto& f : data.forms)
        for (const auto& c : f.cores)
            if (std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
    return out;
}

std::string PartGroups::gnu_name(const std::string& part) const {
    for (const auto& [ours, gnu] : gnu_names)
        if (ours == part) return gnu;
    return part;
}

PartGroups parse_groups(const std::string& name, const std::string& text) {
    PartGroups out;
    // The probes go to parse_data line for line, so that its messages and the
    // forms keep this file's line numbers; the first other line (the heading
    // comment) gives it a placeholder core.
    std::string probes;
    auto other_line = [&probes] { probes += probes.empty() ? "cores: -\n" : "\n"; };
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        std::string line = trim(raw);
        auto [key, value] = key_value(line);
        if (line.empty() || line[0] == '#' || line.find(':') == std::string::npos) {
            if (!line.empty() && line[0] != '#') out.errors.push_back(name + ":" + std::to_string(number) + ": " + line);
            other_line();
            continue;
        }
        if (key == "probe") {
            probes += line.substr(line.find(':') + 1) + "\n";
            continue;
        }
        other_line();
        std::vector<std::string> words = split_words(value);
        if (key == "group" && !words.empty()) {
            PartGroup g;
            g.line = number;
            g.representative = words[0];
            g.members.assign(words.begin() + 1, words.end());
            out.groups.push_back(std::move(g));
        } else if (key == "gnu name" && words.size() == 2) {
            out.gnu_names.emplace_back(words[0], words[1]);
        } else {
            out.errors.push_back(name + ":" + std::to_string(number) + ": " + line);
        }
    }
    out.probes = parse_data(name, probes);
    for (const auto& e : out.probes.errors) out.errors.push_back(e);
    return out;
}

const std::string* Result::on(const std::string& core) const {
    for (const auto& [c, outcome] : outcomes)
        if (c == core || c == "*") return &outcome;
    return nullptr;
}

std::string spaced_hex(const std::string& hex) {
    std::string s;
    for (size_t i = 0; i < hex.size(); i += 4) {
        if (i) s += ' ';
        s += hex.substr(i, 4);
    }
    return s.empty() ? "empty" : s;
}

ResultFile parse_results(const std::string& name, const std::string& text) {
    ResultFile out;
    for_each_entry(name, text, out.errors, [&](const std::string& line, int number, auto bad) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string part; std::getline(parts, part, '|');) fields.push_back(trim(part));
        Result r;
        r.line = number;
        r.source = fields[0];
        if (fields.size() < 2) bad("no outcome");
        for (size_t i = 1; i < fields.size(); ++i) {
            // "cores: outcome", or the outcome alone for every core ("*").
            size_t colon = fields[i].find(':');
            std::vector<std::string> cores{"*"};
            std::string outcome = fields[i];
            if (colon != std::string::npos) {
                cores = split_words(fields[i].substr(0, colon));
                outcome = trim(fields[i].substr(colon + 1));
            }
            std::string hex;
            if (outcome == "empty") {
                outcome.clear();
            } else if (outcome != "refused") {
                if (!hex_words(outcome, hex)) bad("bad outcome '" + outcome + "'");
                outcome = hex;
            }
            if (cores.empty()) bad("no cores");
            for (const auto& core : cores) r.outcomes.emplace_back(core, outcome);
        }
        out.results.push_back(std::move(r));
    });
    return out;
}

std::string result_line(const std::string& source, const std::vector<std::string>& cores,
                        const std::vector<std::string>& outcomes) {
    auto shown = [](const std::string& o) { return o == "refused" ? o : spaced_hex(o); };
    if (std::all_of(outcomes.begin(), outcomes.end(), [&](const std::string& o) { return o == outcomes.front(); }))
        return source + " | " + shown(outcomes.front());
    // Cores with the same outcome share a field, in the order of their first core.
    std::string line = source;
    std::vector<bool> done(cores.size());
    for (size_t i = 0; i < cores.size(); ++i) {
        if (done[i]) continue;
        std::string names;
        for (size_t j = i; j < cores.size(); ++j) {
            if (done[j] || outcomes[j] != outcomes[i]) continue;
            done[j] = true;
            names += (names.empty() ? "" : " ") + cores[j];
        }
        line += " | " + names + ": " + shown(outcomes[i]);
    }
    return line;
}

} // namespace xcheck
