// JSON Lines and SARIF 2.1.0 for the diagnostics. Messages are rare, so this
// is built for clarity, through a JSON library, away from the line loop.
#include "driver/structured_diagnostics.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>

#include "driver/assembler.h"

namespace tobra {

namespace {

using Json = nlohmann::ordered_json;

std::string code_name(uint16_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "T%04u", static_cast<unsigned>(code));
    return text;
}

const char* severity_name(Severity s) {
    return s == Severity::error ? "error" : s == Severity::warning ? "warning" : "note";
}

Json context_json(const std::vector<ExpansionFrame>& frames) {
    Json list = Json::array();
    for (const ExpansionFrame& f : frames) {
        Json frame;
        frame["kind"] = f.macro ? "macro" : "rept";
        if (f.macro)
            frame["name"] = f.name;
        else
            frame["repetition"] = f.repetition;
        frame["body_line"] = f.body_line;
        list.push_back(std::move(frame));
    }
    return list;
}

// Source bytes need not be UTF-8: what is not comes out as U+FFFD.
std::string dump(const Json& j) { return j.dump(-1, ' ', false, Json::error_handler_t::replace); }

Json record_json(const DiagnosticRecord& d) {
    Json j;
    j["version"] = DIAGNOSTICS_FORMAT_VERSION;
    j["severity"] = severity_name(d.severity);
    j["code"] = code_name(d.code);
    j["message"] = d.text;
    if (d.located) {
        j["file"] = d.file;
        j["path"] = d.path;
        if (d.line > 0) j["line"] = d.line;
        if (d.begin_column > 0) j["columns"] = {{"begin", d.begin_column}, {"end", d.end_column}};
        if (!d.context.empty()) j["context"] = context_json(d.context);
    }
    return j;
}

// A path as a URI reference: relative paths stay relative to where the run
// started (SARIF readers resolve them against it); absolute ones become
// file: URIs. Every byte outside the unreserved set and '/' is escaped.
std::string path_uri(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = !path.empty() && path[0] == '/' ? "file://" : "";
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~' || c == '/') {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

} // namespace

void emit_structured(Assembler& as, DiagnosticRecord&& d) {
    if (as.options.diagnostics == DiagnosticStyle::sarif || as.hold_diagnostics) {
        as.held_diagnostics.push_back(std::move(d));
        return;
    }
    as.err.write(dump(record_json(d)));
    as.err.put('\n');
}

void write_sarif_log(Assembler& as) {
    // Rules in order of first use; a result names its rule by id and index.
    std::map<uint16_t, size_t> rule_index;
    Json rules = Json::array();
    Json results = Json::array();
    for (const DiagnosticRecord& d : as.held_diagnostics) {
        auto [it, added] = rule_index.emplace(d.code, rules.size());
        if (added) rules.push_back({{"id", code_name(d.code)}});
        Json r;
        r["ruleId"] = code_name(d.code);
        r["ruleIndex"] = it->second;
        r["level"] = severity_name(d.severity);
        r["message"] = {{"text", d.text}};
        if (d.located) {
            Json physical;
            physical["artifactLocation"] = {{"uri", path_uri(d.path)}};
            if (d.line > 0) {
                Json region;
                region["startLine"] = d.line;
                if (d.begin_column > 0) {
                    region["startColumn"] = d.begin_column;
                    region["endColumn"] = d.end_column;
                }
                physical["region"] = std::move(region);
            }
            r["locations"] = Json::array({{{"physicalLocation", std::move(physical)}}});
            if (!d.context.empty())
                r["properties"] = {{"file", d.file}, {"context", context_json(d.context)}};
            else
                r["properties"] = {{"file", d.file}};
        }
        results.push_back(std::move(r));
    }
    Json driver;
    driver["name"] = "tobra";
    driver["version"] = std::string(VERSION);
    driver["rules"] = std::move(rules);
    Json run;
    run["tool"] = {{"driver", std::move(driver)}};
    run["columnKind"] = "unicodeCodePoints";
    run["results"] = std::move(results);
    Json log;
    log["$schema"] = "https://json.schemastore.org/sarif-2.1.0.json";
    log["version"] = "2.1.0";
    log["runs"] = Json::array({std::move(run)});
    as.err.write(log.dump(2, ' ', false, Json::error_handler_t::replace));
    as.err.put('\n');
    as.held_diagnostics.clear();
}

} // namespace tobra
