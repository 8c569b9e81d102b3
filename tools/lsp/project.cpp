#include "project.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unordered_map>

namespace tobra::lsp {

using nlohmann::json;

namespace {

std::string read_strings(const json& j, const char* key, std::vector<std::string>& out) {
    if (!j.contains(key)) return {};
    const json& v = j[key];
    if (v.is_string()) {
        out = {v.get<std::string>()};
        return {};
    }
    if (!v.is_array()) return std::string("\"") + key + "\" must be a list of strings";
    out.clear();
    for (const json& e : v) {
        if (!e.is_string()) return std::string("\"") + key + "\" must be a list of strings";
        out.push_back(e.get<std::string>());
    }
    return {};
}

std::string code_text(uint16_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "T%04u", static_cast<unsigned>(code));
    return text;
}

int lsp_severity(tobra::Severity s) {
    switch (s) {
    case tobra::Severity::error: return 1;
    case tobra::Severity::warning: return 2;
    case tobra::Severity::note: return 3;
    }
    return 1;
}

// Where the message arose inside macros and repeat blocks, outermost first.
std::string context_text(const std::vector<tobra::ExpansionFrame>& frames) {
    std::string text;
    for (const tobra::ExpansionFrame& f : frames) {
        text += "\n  in ";
        text += f.macro ? "macro " + f.name : "repetition " + std::to_string(f.repetition);
        text += ", line " + std::to_string(f.body_line) + " of its body";
    }
    return text;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The file an include line names, or empty: the mnemonic field is include
// and the operand a name, quoted or not.
std::string include_name(std::string_view line) {
    if (line.empty() || line[0] == '*' || line[0] == ';' || line[0] == '#') return {};
    size_t i = 0;
    auto blank = [&](size_t k) { return k < line.size() && (line[k] == ' ' || line[k] == '\t'); };
    while (i < line.size() && !blank(i)) ++i;  // the label, if any
    while (blank(i)) ++i;
    const size_t m = i;
    while (i < line.size() && !blank(i)) ++i;
    if (lower(line.substr(m, i - m)) != "include") return {};
    while (blank(i)) ++i;
    if (i < line.size() && (line[i] == '"' || line[i] == '\'')) {
        const size_t close = line.find(line[i], i + 1);
        return close == std::string_view::npos ? std::string() : std::string(line.substr(i + 1, close - i - 1));
    }
    const size_t b = i;
    while (i < line.size() && !blank(i) && line[i] != ';') ++i;
    return std::string(line.substr(b, i - b));
}

} // namespace

std::string Settings::merge(const json& j) {
    if (!j.is_object()) return j.is_null() ? std::string() : "the settings must be a JSON object";
    if (j.contains("core")) {
        if (!j["core"].is_string()) return "\"core\" must be a string";
        core = j["core"].get<std::string>();
    }
    for (auto [key, list] : {std::pair{"includeDirs", &include_dirs}, std::pair{"roots", &roots},
                             std::pair{"args", &args}}) {
        std::string error = read_strings(j, key, *list);
        if (!error.empty()) return error;
    }
    if (j.contains("defines") && j["defines"].is_object()) {
        // {"NAME": "VALUE"} as well as ["NAME=VALUE"]; a null value defines the name as 1.
        defines.clear();
        for (const auto& [name, value] : j["defines"].items()) {
            if (value.is_null()) defines.push_back(name);
            else if (value.is_string()) defines.push_back(name + "=" + value.get<std::string>());
            else if (value.is_number_integer()) defines.push_back(name + "=" + std::to_string(value.get<long long>()));
            else return "\"defines\" values must be strings or numbers";
        }
        return {};
    }
    return read_strings(j, "defines", defines);
}

std::vector<std::string> Settings::arguments(bool with_core) const {
    std::vector<std::string> a;
    if (with_core && !core.empty()) a.push_back("-c" + core);
    for (const std::string& d : include_dirs) {
        a.push_back("-I");
        a.push_back(d);
    }
    for (const std::string& d : defines) {
        a.push_back("-D");
        a.push_back(d);
    }
    a.insert(a.end(), args.begin(), args.end());
    return a;
}

std::string Project::load_settings_file(const std::string& directory) {
    const std::string name = directory == "." ? SETTINGS_FILE : (std::filesystem::path(directory) / SETTINGS_FILE).string();
    std::ifstream in(name);
    if (!in) return {};
    json j = json::parse(in, nullptr, false);
    if (j.is_discarded()) return name + ": not valid JSON";
    std::string error = settings.merge(j);
    return error.empty() ? error : name + ": " + error;
}

void Project::configure_roots() {
    for (auto it = units_.begin(); it != units_.end();) it = it->second.configured ? units_.erase(it) : std::next(it);
    for (const std::string& r : settings.roots) assemble(normal_path(r), true);
}

// The files a root may read, from the include lines of the texts (open or on
// disk), looked for as the assembler looks: as written, beside the root, in
// the include directories. Lines in conditional blocks count too: a change
// there may matter.
void Project::scan_includes(const std::string& root, std::set<std::string>& reached) const {
    const std::string root_dir = std::filesystem::path(root).parent_path().string() + "/";
    std::vector<std::string> todo{root};
    while (!todo.empty()) {
        const std::string file = todo.back();
        todo.pop_back();
        const std::optional<std::string> text = docs_.text(file);
        if (!text) continue;
        for (const std::string_view line : lines_of(*text)) {
            if (line.find_first_of("iI") == std::string_view::npos) continue;
            const std::string name = include_name(line);
            if (name.empty()) continue;
            std::vector<std::string> candidates{name, root_dir + name};
            for (const std::string& d : settings.include_dirs) candidates.push_back(d + "/" + name);
            for (const std::string& c : candidates) {
                const std::string p = normal_path(c);
                std::error_code ec;
                if (!docs_.all().count(p) && !std::filesystem::is_regular_file(p, ec)) continue;
                if (reached.insert(p).second) todo.push_back(p);
                break;
            }
        }
    }
}

Unit& Project::assemble(const std::string& root, bool configured, bool collect) {
    tobra::AssemblyRequest request;
    request.root = root;
    request.collect = collect;
    request.args = settings.arguments();
    // Nothing is written; the output's bytes need not be formatted either.
    if (std::find(request.args.begin(), request.args.end(), "--output") == request.args.end())
        request.args.push_back("--no-output");
    // An include is looked for as written (from the current directory, the
    // workspace root), then beside the root and in the include directories:
    // an open file is offered under its relative name too.
    const std::string here = current_directory();
    for (const auto& [path, doc] : docs_.all()) {
        request.buffers[path] = doc.text;
        if (path.compare(0, here.size(), here) == 0) request.buffers[path.substr(here.size())] = doc.text;
    }
    Unit& unit = units_[root];
    unit.configured = unit.configured || configured;
    unit.result = tobra::assemble(request);
    unit.collected = collect;
    unit.reached = {root};
    scan_includes(root, unit.reached);
    // Names repeat (every line names its file): each is made a path once.
    std::unordered_map<std::string, bool> seen;
    auto reach = [&](const std::string& name) {
        if (seen.emplace(name, true).second) unit.reached.insert(path_of(name));
    };
    for (const tobra::IncludeInfo& inc : unit.result.includes)
        if (!inc.path.empty()) reach(inc.path);
    for (const tobra::DiagnosticRecord& d : unit.result.diagnostics)
        if (d.located && !d.file.empty()) reach(d.path.empty() ? d.file : d.path);
    for (const tobra::LineInfo& l : unit.result.lines) reach(l.file);
    return unit;
}

std::set<std::string> Project::refresh(const std::string& path) {
    std::set<std::string> touched{path};
    std::vector<std::string> roots;
    for (const auto& [root, unit] : units_)
        if (unit.reached.count(path)) roots.push_back(root);
    if (roots.empty()) roots.push_back(path);
    for (const std::string& root : roots) {
        auto old = units_.find(root);
        const bool configured = old != units_.end() && old->second.configured;
        if (old != units_.end()) touched.insert(old->second.reached.begin(), old->second.reached.end());
        const Unit& unit = assemble(root, configured);
        touched.insert(unit.reached.begin(), unit.reached.end());
    }
    // A file assembled on its own that another assembly now reaches is
    // that assembly's part: its own assembly goes.
    for (auto it = units_.begin(); it != units_.end();) {
        bool covered = false;
        if (!it->second.configured)
            for (const auto& [root, unit] : units_)
                if (root != it->first && unit.reached.count(it->first)) covered = true;
        if (covered) {
            touched.insert(it->second.reached.begin(), it->second.reached.end());
            it = units_.erase(it);
        } else {
            ++it;
        }
    }
    return touched;
}

void Project::collect(const std::string& path) {
    std::vector<std::string> roots;
    for (const auto& [root, unit] : units_)
        if (!unit.collected && unit.reached.count(path)) roots.push_back(root);
    for (const std::string& root : roots) assemble(root, units_[root].configured, true);
}

std::set<std::string> Project::forget(const std::string& path) {
    std::set<std::string> touched{path};
    auto it = units_.find(path);
    if (it != units_.end() && !it->second.configured) {
        touched.insert(it->second.reached.begin(), it->second.reached.end());
        units_.erase(it);
    }
    return touched;
}

std::vector<const Unit*> Project::units_of(const std::string& path) const {
    std::vector<const Unit*> found;
    for (const bool configured : {true, false})
        for (const auto& [root, unit] : units_)
            if (unit.configured == configured && unit.reached.count(path)) found.push_back(&unit);
    return found;
}

json Project::diagnostics_of(const std::string& path) const {
    json list = json::array();
    std::set<std::string> seen;  // a file two roots include has its messages once
    std::optional<std::string> text;  // read when a message needs its line
    bool text_read = false;
    for (const auto& [root, unit] : units_) {
        if (!unit.reached.count(path)) continue;
        for (const tobra::DiagnosticRecord& d : unit.result.diagnostics) {
            // A message of no line (a missing root file) is shown on the root.
            const bool here = d.located && !d.file.empty() ? path_of(d.path.empty() ? d.file : d.path) == path
                                                           : root == path;
            if (!here) continue;
            const long line = d.line > 0 ? d.line - 1 : 0;
            if (!text_read) {
                text = docs_.text(path);
                text_read = true;
            }
            const std::string_view source = text ? line_of(*text, line) : std::string_view{};
            long begin = 0, end = 0;
            if (d.line > 0) {
                if (d.begin_column > 0) {
                    begin = utf16_of_chars(source, d.begin_column - 1);
                    end = utf16_of_chars(source, std::max(d.end_column, d.begin_column) - 1);
                } else {
                    end = utf16_of_byte(source, source.size());
                }
            }
            json diag = {{"range", {{"start", {{"line", line}, {"character", begin}}},
                                    {"end", {{"line", line}, {"character", end}}}}},
                         {"severity", lsp_severity(d.severity)},
                         {"code", code_text(d.code)},
                         {"source", "tobra"},
                         {"message", d.text + context_text(d.context)}};
            if (seen.insert(diag.dump()).second) list.push_back(std::move(diag));
        }
    }
    return list;
}

} // namespace tobra::lsp
