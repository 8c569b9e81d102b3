// Batch assembly with tobra and with the GNU m68k assembler (see xcheck_tools.h).
#include "xcheck_tools.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <cctype>
#include <sstream>

namespace fs = std::filesystem;

namespace xcheck {

namespace {

struct RunResult {
    int status = -1;
    std::string output;  // stdout and stderr together
};

RunResult run(const std::string& command) {
    RunResult r;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
    int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string quote(const std::string& s) { return "'" + s + "'"; }

bool starts_with_label(const std::string& s) {
    // By hand rather than with a regex: the generated forms make this hot.
    auto first = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; };
    if (s.empty() || !first(s[0])) return false;
    size_t i = 1;
    while (i < s.size() && (first(s[i]) || std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '$')) ++i;
    return i < s.size() && s[i] == ':';
}

std::string marker(size_t i) { return "xc_" + std::to_string(i); }

// The source of one batch and, for each source line, the form it belongs to.
struct Batch {
    std::string text;
    std::map<int, size_t> owner;  // source line -> index into the batch's forms
};

Batch make_source(Tool tool, const std::vector<std::string>& forms) {
    Batch b;
    int line = 0;
    auto add = [&](const std::string& s) {
        b.text += s + "\n";
        ++line;
    };
    add(marker(0) + ":");
    for (size_t i = 0; i < forms.size(); ++i) {
        add(marker(i + 1) + ":");
        // An error on this label (a phasing error, say) comes from the form before it.
        if (i > 0) b.owner[line] = i - 1;
        add(starts_with_label(forms[i]) ? forms[i] : "\t" + forms[i]);
        b.owner[line] = i;
    }
    add(marker(forms.size() + 1) + ":");
    if (!forms.empty()) b.owner[line] = forms.size() - 1;
    // The offset table: label differences are constants to both assemblers.
    const std::string dc = tool == Tool::tobra ? "\tdc.l " : "\t.long ";
    for (size_t i = 1; i <= forms.size() + 1; i += 4) {
        std::string items;
        for (size_t j = i; j < i + 4 && j <= forms.size() + 1; ++j) {
            if (!items.empty()) items += ",";
            items += marker(j) + "-" + marker(0);
        }
        add(dc + items);
    }
    return b;
}

// Error lines of the tool's output: source line -> message. Warnings are not errors.
std::map<int, std::string> errors_by_line(Tool tool, const std::string& output, std::string& unplaced) {
    // "x.s,12: text" from tobra, "x.s:12: Error: text" from GNU; parsed by hand
    // because a batch of generated forms gives a hundred thousand of them.
    const std::string prefix = tool == Tool::tobra ? "x.s," : "x.s:";
    std::map<int, std::string> out;
    std::istringstream in(output);
    std::string l;
    while (std::getline(in, l)) {
        size_t digits = prefix.size();
        size_t end = digits;
        while (end < l.size() && std::isdigit(static_cast<unsigned char>(l[end]))) ++end;
        const bool shaped = l.compare(0, prefix.size(), prefix) == 0 && end > digits && end + 2 <= l.size() &&
                            l.compare(end, 2, ": ") == 0;
        const std::string text = shaped ? l.substr(end + 2) : "";
        if (shaped && (tool == Tool::tobra || text.rfind("Error: ", 0) == 0)) {
            if (text.find("warning ---") == 0) continue;
            std::string& msg = out[std::stoi(l.substr(digits, end - digits))];
            msg += (msg.empty() ? "" : "; ") + text;
        } else if (tool == Tool::gnu && l.find("Error") != std::string::npos) {
            unplaced += l + "\n";
        }
    }
    return out;
}

uint32_t be32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

// One run over the forms; fills `result` for the forms it settles. Without
// `want_bytes` it settles them all: a form without an error is accepted, with
// no bytes. Returns false when nothing could be settled.
bool run_once(Tool tool, const std::string& core, const std::vector<std::string>& forms,
              std::vector<Outcome>& result, const fs::path& dir, bool want_bytes = true) {
    Batch b = make_source(tool, forms);
    fs::remove(dir / "x.o");
    fs::remove(dir / "x.elf");
    fs::remove(dir / "x.bin");
    std::ofstream(dir / "x.s") << b.text;
    const std::string cd = "cd " + quote(dir.string()) + " && ";
    RunResult r;
    fs::path out;
    if (tool == Tool::tobra) {
        r = run(cd + quote(TOBRA_BIN) + " -b -c" + core + " x.s");
        out = dir / "x.o";
    } else {
        r = run(cd + "m68k-linux-gnu-as -mcpu=" + core + " --register-prefix-optional -o x.elf x.s");
        if (r.status == 0 && want_bytes) {
            RunResult c = run(cd + "m68k-linux-gnu-objcopy -O binary -j .text x.elf x.bin");
            if (c.status != 0) r = c;
        }
        out = dir / "x.bin";
    }

    std::string unplaced;
    auto errors = errors_by_line(tool, r.output, unplaced);
    if (r.status != 0 || !errors.empty()) {
        bool settled = false;
        for (const auto& [line, msg] : errors) {
            auto it = b.owner.find(line);
            if (it == b.owner.end()) {
                unplaced += "line " + std::to_string(line) + ": " + msg + "\n";
                continue;
            }
            Outcome& o = result[it->second];
            o.kind = Outcome::refused;
            o.message = msg;
            settled = true;
        }
        if (!settled) {
            for (auto& o : result) {
                o.kind = Outcome::broken;
                o.message = std::string(tool_name(tool)) + " failed (exit " + std::to_string(r.status) +
                            "):\n" + r.output + unplaced;
            }
            return false;
        }
        if (!want_bytes)
            for (auto& o : result)
                if (o.kind == Outcome::broken) o.kind = Outcome::accepted;
        return true;
    }
    if (!want_bytes) {
        for (auto& o : result) o.kind = Outcome::accepted;
        return true;
    }

    std::string bytes = read_file(out);
    size_t n = forms.size();
    size_t table = 4 * (n + 1);
    auto broken = [&](const std::string& why) {
        for (auto& o : result) {
            o.kind = Outcome::broken;
            o.message = std::string(tool_name(tool)) + ": " + why + "\n" + r.output;
        }
        return false;
    };
    if (bytes.size() < table) return broken("output too short for the offset table");
    size_t table_at = bytes.size() - table;
    std::vector<uint32_t> offs;
    for (size_t i = 0; i <= n; ++i) offs.push_back(be32(bytes, table_at + 4 * i));
    for (size_t i = 0; i < n; ++i)
        if (offs[i] > offs[i + 1] || offs[i + 1] > table_at) return broken("offset table does not fit the code");
    for (size_t i = 0; i < n; ++i) {
        result[i].kind = Outcome::accepted;
        result[i].bytes = bytes.substr(offs[i], offs[i + 1] - offs[i]);
    }
    return true;
}

} // namespace

const char* tool_name(Tool tool) { return tool == Tool::tobra ? "tobra" : "GNU as"; }

bool gnu_available() {
    return run("command -v m68k-linux-gnu-as && command -v m68k-linux-gnu-objcopy").status == 0;
}

std::string gnu_version() {
    std::istringstream in(run("m68k-linux-gnu-as --version").output);
    std::string line;
    std::getline(in, line);
    return line;
}

std::vector<std::string> gnu_coldfire_parts() {
    // "Processor variants are: 68000 | ... | 51 | 51ac | ... | 548x | fidoa | fido"
    std::istringstream in(run("m68k-linux-gnu-as --help").output);
    const std::string heading = "Processor variants are:";
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(heading, 0) != 0) continue;
        std::istringstream names(line.substr(heading.size()));
        for (std::string name; std::getline(names, name, '|');) {
            std::istringstream word(name);
            if (word >> name && name[0] == '5') out.push_back(name);  // the 68k names start otherwise
        }
    }
    return out;
}

std::vector<Outcome> refusals(Tool tool, const std::string& core, const std::vector<std::string>& sources,
                              const fs::path& dir) {
    std::vector<Outcome> outcomes(sources.size());
    run_once(tool, core, sources, outcomes, dir, false);
    return outcomes;
}

std::vector<Outcome> assemble_batch(Tool tool, const std::string& core, const std::vector<std::string>& sources,
                                    const fs::path& dir) {
    std::vector<Outcome> outcomes(sources.size());
    std::vector<size_t> open(sources.size());  // forms not settled yet, as indices into sources
    for (size_t i = 0; i < open.size(); ++i) open[i] = i;
    while (!open.empty()) {
        std::vector<std::string> forms;
        for (size_t i : open) forms.push_back(sources[i]);
        std::vector<Outcome> part(forms.size());
        bool progress = run_once(tool, core, forms, part, dir);
        std::vector<size_t> still_open;
        for (size_t k = 0; k < open.size(); ++k) {
            if (part[k].kind == Outcome::refused || part[k].kind == Outcome::accepted || !progress)
                outcomes[open[k]] = part[k];
            // Forms that got no error in a run that had errors are assembled again.
            if (progress && part[k].kind == Outcome::broken) still_open.push_back(open[k]);
        }
        if (!progress) break;
        open = std::move(still_open);
    }
    return outcomes;
}

} // namespace xcheck
