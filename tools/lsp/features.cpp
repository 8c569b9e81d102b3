#include "features.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "driver/explain.h"
#include "encode/cores.h"
#include "isa/classes.h"
#include "isa/mnemonics.h"
#include "isa/registers.h"

namespace tobra::lsp {

using nlohmann::json;

namespace {

// The fields of a source line, as byte ranges [begin, end).
struct Fields {
    bool comment = false;
    size_t label_begin = 0, label_end = 0;
    size_t mnemonic_begin = 0, mnemonic_end = 0;
    size_t operands_begin = 0, operands_end = 0;
};

bool blank(char c) { return c == ' ' || c == '\t'; }
bool name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '.' || c == '@';
}
std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

Fields fields_of(std::string_view line) {
    Fields f;
    if (line.empty()) return f;
    if (line[0] == '*' || line[0] == ';' || line[0] == '#') {
        f.comment = true;
        return f;
    }
    size_t i = 0;
    if (!blank(line[0])) {
        while (i < line.size() && !blank(line[i]) && line[i] != ':' && line[i] != ';') ++i;
        f.label_end = i;
        if (i < line.size() && line[i] == ':') ++i;
    }
    while (i < line.size() && blank(line[i])) ++i;
    f.mnemonic_begin = f.mnemonic_end = i;
    if (i < line.size() && line[i] == ';') {
        f.operands_begin = f.operands_end = i;
        return f;
    }
    while (i < line.size() && !blank(line[i])) ++i;
    f.mnemonic_end = i;
    while (i < line.size() && blank(line[i])) ++i;
    f.operands_begin = i;
    // The operands end at a blank, but not at one just after a comma; a
    // quoted string may hold blanks.
    char quote = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (blank(c) && !(i > 0 && line[i - 1] == ',')) {
            break;
        }
        ++i;
    }
    f.operands_end = i;
    return f;
}

// The name under byte `at`, as [begin, end); empty when there is none.
std::pair<size_t, size_t> word_at(std::string_view line, size_t at) {
    if (at > line.size()) at = line.size();
    size_t b = at, e = at;
    while (b > 0 && name_char(line[b - 1])) --b;
    while (e < line.size() && name_char(line[e])) ++e;
    return {b, e};
}

// A mnemonic's name without its size suffix, in lower case.
std::string bare_mnemonic(std::string_view word) {
    std::string m = lower(word);
    const size_t dot = m.rfind('.');
    if (dot != std::string::npos && dot > 0 && dot + 2 == m.size()) m.resize(dot);
    return m;
}

const CoreRow& current_core(const Settings& s) {
    for (int i = 0; core_table[i].name; ++i)
        if (!s.core.empty() && lower(s.core) == core_table[i].name) return core_table[i];
    return core_table[DEFAULT_CORE_ROW];
}

bool is_directive_entry(const MnemonicEntry& m) {
    for (int i = 0; i < m.variant_count; ++i)
        if (is_instruction(m.variants[i].handler())) return false;
    return true;
}

// Whether any form of the instruction runs on a part with these features.
bool runs_on(const MnemonicEntry& m, uint16_t features) {
    for (int i = 0; i < m.variant_count; ++i)
        if (is_instruction(m.variants[i].handler()) && meets(features, m.variants[i].need)) return true;
    return false;
}

const ReservedRegister* find_register(std::string_view name) {
    for (const ReservedRegister& r : reserved_registers)
        if (name == r.name) return &r;
    return nullptr;
}

// Whether movec takes the register on the part: the bare name rambar is
// whichever RAM base the part has.
bool part_has_control(const CoreRow& core, ControlRegister cr) {
    if (cr == CR_RAMBAR) return (core.control & (cr_bit(CR_RAMBAR0) | cr_bit(CR_RAMBAR1))) != 0;
    return cr != CR_NONE && (core.control & cr_bit(cr)) != 0;
}

json position_json(long line, long character) { return {{"line", line}, {"character", character}}; }

std::string hex32(uint32_t v) {
    char t[16];
    std::snprintf(t, sizeof t, "$%08X", v);
    return t;
}

std::string_view kind_name(NameKind k) {
    switch (k) {
    case NameKind::label: return "label";
    case NameKind::local_label: return "local label";
    case NameKind::equate: return "equate";
    case NameKind::set: return "set name";
    case NameKind::external: return "external name";
    case NameKind::register_list: return "register name";
    case NameKind::structure_field: return "structure field";
    case NameKind::other: return "name";
    }
    return "name";
}

// Where a line writes a name as a whole word, or npos.
size_t find_name(std::string_view text, std::string_view name) {
    if (name.empty()) return std::string_view::npos;
    for (size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
        const bool starts = at == 0 || !name_char(text[at - 1]);
        const bool ends = at + name.size() >= text.size() || !name_char(text[at + name.size()]);
        if (starts && ends) return at;
    }
    return std::string_view::npos;
}

// The place an answer names, for the client.
class Resolver {
public:
    explicit Resolver(DocumentStore& docs) : docs_(docs) {}
    const std::string& path(const std::string& name) {
        auto it = paths_.find(name);
        if (it == paths_.end()) it = paths_.emplace(name, Project::path_of(name)).first;
        return it->second;
    }
    std::string_view line(const std::string& path, long n) {
        auto it = texts_.find(path);
        if (it == texts_.end()) it = texts_.emplace(path, docs_.text(path).value_or(std::string())).first;
        return line_of(it->second, n);
    }
    // A span without columns (a file the assembly read from disk) is the
    // whole line, or the name where the line writes it.
    json range(const SourceSpan& s, std::string_view name = {}) {
        const long line = s.line > 0 ? s.line - 1 : 0;
        const std::string_view text = this->line(path(s.file), line);
        long b = 0, e = utf16_of_byte(text, text.size());
        if (s.begin_column > 0) {
            b = utf16_of_chars(text, s.begin_column - 1);
            e = utf16_of_chars(text, std::max(s.end_column, s.begin_column) - 1);
        } else if (const size_t at = find_name(text, name); at != std::string_view::npos) {
            b = utf16_of_byte(text, at);
            e = utf16_of_byte(text, at + name.size());
        }
        return {{"start", position_json(line, b)}, {"end", position_json(line, e)}};
    }
    json location(const SourceSpan& s, std::string_view name = {}) {
        return {{"uri", uri_of_path(path(s.file))}, {"range", range(s, name)}};
    }
    // Whether the span holds character `col` (from 1) of line `n` (from 0).
    bool covers(const SourceSpan& s, const std::string& file, long n, long col) {
        if (s.line != n + 1 || path(s.file) != file) return false;
        return s.begin_column > 0 && s.begin_column <= col && col <= std::max(s.end_column, s.begin_column);
    }

private:
    DocumentStore& docs_;
    std::unordered_map<std::string, std::string> paths_;
    std::unordered_map<std::string, std::string> texts_;
};

// Everything a request needs about the place it names.
struct Context {
    const Unit* unit = nullptr;
    std::string text;
    std::string_view line;
    Fields fields;
    size_t byte = 0;
    long column = 1;  // the character at the place, from 1, as the assembler counts
    size_t word_begin = 0, word_end = 0;
    std::string word;
    bool in_mnemonic = false, in_operands = false, in_label = false;
};

Context context_of(Project& project, DocumentStore& docs, const Place& at) {
    Context c;
    const std::vector<const Unit*> units = project.units_of(at.path);
    if (!units.empty()) c.unit = units.front();
    c.text = docs.text(at.path).value_or(std::string());
    c.line = line_of(c.text, at.line);
    c.fields = fields_of(c.line);
    c.byte = byte_of_utf16(c.line, at.character);
    c.column = chars_of_byte(c.line, c.byte) + 1;
    std::tie(c.word_begin, c.word_end) = word_at(c.line, c.byte);
    c.word = std::string(c.line.substr(c.word_begin, c.word_end - c.word_begin));
    if (c.fields.comment) return c;
    const Fields& f = c.fields;
    c.in_label = f.label_end > 0 && c.word_begin < f.label_end;
    c.in_mnemonic = !c.in_label && c.byte >= f.mnemonic_begin && c.byte <= f.mnemonic_end &&
                    (f.mnemonic_end > f.mnemonic_begin || c.byte == f.mnemonic_begin);
    c.in_operands = !c.in_label && !c.in_mnemonic && c.byte >= f.operands_begin && c.byte <= f.operands_end;
    return c;
}

// The global label a local one at line `n` (from 0) belongs to: the last
// label of the file written in the first column before it.
std::string enclosing_global(std::string_view text, long n) {
    const std::vector<std::string_view> lines = lines_of(text);
    for (long i = std::min<long>(n, static_cast<long>(lines.size()) - 1); i >= 0; --i) {
        const std::string_view l = lines[static_cast<size_t>(i)];
        if (l.empty() || !(std::isalpha(static_cast<unsigned char>(l[0])) || l[0] == '_')) continue;
        const Fields f = fields_of(l);
        const std::string m = bare_mnemonic(l.substr(f.mnemonic_begin, f.mnemonic_end - f.mnemonic_begin));
        if (m == "equ" || m == "set" || m == "=" || m == "macro" || m == "equr" || m == "reg") continue;
        return std::string(l.substr(0, f.label_end));
    }
    return {};
}

bool is_local_name(std::string_view w) {
    if (!w.empty() && w[0] == '.') return w.size() > 1;
    size_t i = 0;
    while (i < w.size() && std::isdigit(static_cast<unsigned char>(w[i]))) ++i;
    return i > 0 && i + 1 == w.size() && w[i] == '$';
}

// The symbol written at the place: the one whose definition or a reference
// covers it, else the one of that name (a local name with its global label).
const SymbolInfo* symbol_at(const Context& c, const Place& at, Resolver& r) {
    if (!c.unit || c.word.empty()) return nullptr;
    for (const SymbolInfo& s : c.unit->result.symbols) {
        if (r.covers(s.definition, at.path, at.line, c.column)) return &s;
        for (const SourceSpan& ref : s.references)
            if (r.covers(ref, at.path, at.line, c.column)) return &s;
    }
    std::vector<std::string> names;
    if (is_local_name(c.word)) names.push_back(c.word + enclosing_global(c.text, at.line));
    names.push_back(c.word);
    for (const std::string& n : names)
        for (const SymbolInfo& s : c.unit->result.symbols)
            if (s.name == n) return &s;
    return nullptr;
}

const MacroInfo* macro_named(const Unit* unit, std::string_view word) {
    if (!unit || word.empty()) return nullptr;
    const std::string want = lower(word);
    for (const MacroInfo& m : unit->result.macros)
        if (lower(m.name) == want) return &m;
    return nullptr;
}

bool include_line(const Context& c) {
    const std::string m =
        lower(c.line.substr(c.fields.mnemonic_begin, c.fields.mnemonic_end - c.fields.mnemonic_begin));
    return m == "include" || m == "incbin" || m == ".include" || m == "incdir";
}

// The file an include line names, as the assembly found it.
std::string included_file(const Context& c, const Place& at, Resolver& r) {
    if (!include_line(c) || !c.in_operands) return {};
    if (c.unit)
        for (const IncludeInfo& inc : c.unit->result.includes)
            if (inc.at.line == at.line + 1 && r.path(inc.at.file) == at.path && !inc.path.empty())
                return r.path(inc.path);
    // Not assembled yet: beside the file, then from the workspace root.
    std::string name(c.line.substr(c.fields.operands_begin, c.fields.operands_end - c.fields.operands_begin));
    if (name.size() >= 2 && (name[0] == '"' || name[0] == '\'') && name.back() == name[0])
        name = name.substr(1, name.size() - 2);
    if (name.empty()) return {};
    std::error_code ec;
    for (const std::filesystem::path& p : {std::filesystem::path(at.path).parent_path() / name,
                                           std::filesystem::path(normal_path(name))})
        if (std::filesystem::exists(p, ec)) return normal_path(p.string());
    return {};
}

std::string where(const SourceSpan& s, Resolver& r) {
    std::string p = r.path(s.file);
    const std::string here = current_directory();
    if (p.compare(0, here.size(), here) == 0) p = p.substr(here.size());
    return p + ":" + std::to_string(s.line);
}

json markdown(const std::string& text) { return {{"contents", {{"kind", "markdown"}, {"value", text}}}}; }

// `written`: the name as the line writes it (a local label without its owner).
std::string symbol_hover(const SymbolInfo& s, const std::string& written, Resolver& r) {
    const std::string shown = s.kind == NameKind::local_label && !written.empty() ? written : s.name;
    std::string text = "**" + shown + "** (" + std::string(kind_name(s.kind)) + (s.exported ? ", exported" : "") + ")\n\n";
    if (s.defined) {
        text += "value: `" + hex32(static_cast<uint32_t>(s.value)) + "` (" + std::to_string(s.value) + ")";
        text += s.section.empty() ? ", absolute" : ", section `" + s.section + "`";
        text += "\n\n";
    } else {
        text += "not defined\n\n";
    }
    if (s.definition.line > 0) text += "defined at " + where(s.definition, r);
    return text;
}

// A macro's definition: its lines up to the one that closes it.
std::string macro_hover(const MacroInfo& m, Resolver& r) {
    std::string body;
    const std::string& file = r.path(m.definition.file);
    constexpr long MOST = 40;
    for (long n = m.definition.line - 1, count = 0; count < MOST; ++n, ++count) {
        const std::string_view l = r.line(file, n);
        if (l.empty() && n > m.definition.line + 200) break;
        body += std::string(l) + "\n";
        const Fields f = fields_of(l);
        const std::string mn = lower(l.substr(f.mnemonic_begin, f.mnemonic_end - f.mnemonic_begin));
        if (n >= m.definition.line && (mn == "endm" || mn == ".endm")) break;
        if (count + 1 == MOST) body += "...\n";
    }
    return "**macro " + m.name + "**, defined at " + where(m.definition, r) + "\n\n```asm\n" + body + "```";
}

std::string register_hover(const ReservedRegister& reg, const CoreRow& core) {
    const std::string name = reg.name;
    const std::string part = core.name;
    const bool fpu = (core.features & F_FPU) != 0, mac = (core.features & F_MAC) != 0;
    const bool emac = (core.features & F_EMAC) != 0;
    auto on = [&](bool has) { return has ? " The " + part + " has it." : " The " + part + " does not have it."; };
    char num[16];
    switch (reg.type & 0xFF) {
    case TYPE_DREG: return "**" + name + "**: data register " + std::to_string(reg.value) + ".";
    case TYPE_AREG:
        return "**" + name + "**: address register " + std::to_string(reg.value) +
               (reg.value == 7 ? ", the stack pointer." : ".");
    case TYPE_CREG: {
        const ControlRegister cr = control_register_of(name);
        std::snprintf(num, sizeof num, "$%03X", static_cast<unsigned>(reg.value));
        std::string text = "**" + name + "**: control register, `movec` code " + num + "." + on(part_has_control(core, cr));
        if (cr == CR_RAMBAR) {
            const bool ram0 = (core.control & cr_bit(CR_RAMBAR0)) != 0, ram1 = (core.control & cr_bit(CR_RAMBAR1)) != 0;
            if (ram0 && ram1) text += " It has RAMBAR0 and RAMBAR1: the bare name is taken as RAMBAR0, with a warning.";
            else if (ram1) text += " Its only RAM base is RAMBAR1: the name stands for it (`movec` code $C05).";
        }
        return text;
    }
    case TYPE_FPREG:
        return "**" + name + "**: floating-point data register " + std::to_string(reg.value) + "." + on(fpu);
    case TYPE_FPCREG: return "**" + name + "**: floating-point control register." + on(fpu);
    case TYPE_PC: return "**" + name + "**: the program counter.";
    case TYPE_SREG:
        if (reg.value == CLS_CCR) return "**" + name + "**: the condition code register (the low byte of SR).";
        if (reg.value == CLS_SR) return "**" + name + "**: the status register (supervisor mode to write).";
        if (reg.value == CLS_MASK) return "**" + name + "**: the MAC unit's address mask register." + on(mac);
        return "**" + name + "**: the MAC unit's status register." + on(mac);
    case TYPE_ACCUM:
        if (reg.value >= 5)
            return "**" + name + "**: the extension bytes of two EMAC accumulators." + on(emac);
        return "**" + name + "**: accumulator " + std::to_string(reg.value) +
               (reg.value == 0 ? " of the MAC unit." + on(mac) : " of the EMAC unit." + on(emac));
    case TYPE_CACHE: return "**" + name + "**: a cache selector of `cpushl`.";
    default: return "**" + name + "**: a register name.";
    }
}

// The line with the values of its names written in, so that it explains on
// its own; the bytes the assembly gave the line replace those of the trial.
std::string instruction_hover(const Context& c, const Place& at, const Settings& settings, Resolver& r) {
    const Fields& f = c.fields;
    const std::string bare = bare_mnemonic(c.line.substr(f.mnemonic_begin, f.mnemonic_end - f.mnemonic_begin));
    const MnemonicEntry* entry = find_mnemonic(bare);
    const bool instruction = entry && !is_directive_entry(*entry);
    const bool branch = instruction && bare[0] == 'b' && (bare.size() == 3 || bare == "bsr") && bare != "bkpt";
    // The line as the assembly placed it.
    const LineInfo* real = nullptr;
    if (c.unit)
        for (const LineInfo& l : c.unit->result.lines)
            if (l.line == at.line + 1 && l.has_address && r.path(l.file) == at.path) {
                real = &l;
                break;
            }
    std::string text(c.line);
    // An instruction's label goes: the trial need not define it.
    if (f.label_end > 0 && instruction) text.replace(0, f.mnemonic_begin, std::string(f.mnemonic_begin, ' '));
    if (c.unit) {
        std::vector<std::pair<size_t, size_t>> words;
        for (size_t i = f.operands_begin; i < f.operands_end;) {
            const auto [b, e] = word_at(c.line, i);
            if (e > b) words.emplace_back(b, e);
            i = std::max(e, i) + 1;
        }
        // Right to left, so that the offsets before stay good.
        for (auto it = words.rbegin(); it != words.rend(); ++it) {
            Context probe = c;
            probe.byte = it->first;
            probe.column = chars_of_byte(c.line, it->first) + 1;
            probe.word = std::string(c.line.substr(it->first, it->second - it->first));
            if (find_register(probe.word)) continue;
            const SymbolInfo* s = symbol_at(probe, at, r);
            if (!s || !s->defined || s->kind == NameKind::register_list) continue;
            // A branch to a label keeps its distance: the trial line sits at 0.
            std::string value = hex32(static_cast<uint32_t>(s->value));
            if (branch && real && !s->section.empty()) {
                const int64_t distance = int64_t{s->value} - int64_t{real->address};
                value = distance < 0 ? "*-" + std::to_string(-distance) : "*+" + std::to_string(distance);
            }
            text.replace(it->first, it->second - it->first, value);
        }
    }
    ExplainRequest request;
    request.text = text;
    request.part = settings.core;
    request.args = settings.arguments(false);
    Explanation e = explain(request);
    e.line = std::string(c.line);
    if (real) {
        e.address = real->address;
        if (!real->bytes.empty() && e.is_instruction) {
            e.bytes = real->bytes;
            std::vector<ExplainWord> decoded;
            if (!decode_instruction(real->bytes, decoded).empty()) e.words = std::move(decoded);
        }
    }
    std::string head = "**" + (e.mnemonic.empty() ? bare : e.mnemonic) + "**";
    if (!e.format.empty()) head += " — " + e.format;
    return head + "\n\n```text\n" + format_explanation(e) + "```";
}

// The start of a file.
json file_location(const std::string& path) {
    return {{"uri", uri_of_path(path)}, {"range", {{"start", position_json(0, 0)}, {"end", position_json(0, 0)}}}};
}

int symbol_kind(NameKind k) {
    switch (k) {
    case NameKind::label: return 12;            // Function
    case NameKind::local_label: return 20;      // Key
    case NameKind::equate: return 14;           // Constant
    case NameKind::set: return 13;              // Variable
    case NameKind::register_list: return 14;    // Constant
    case NameKind::structure_field: return 8;   // Field
    default: return 13;
    }
}

int completion_kind(NameKind k) {
    switch (k) {
    case NameKind::label:
    case NameKind::local_label: return 18;      // Reference
    case NameKind::equate:
    case NameKind::register_list: return 21;    // Constant
    case NameKind::set: return 6;               // Variable
    case NameKind::structure_field: return 5;   // Field
    default: return 6;
    }
}

} // namespace

json Features::hover(const Place& at) {
    project_.collect(at.path);
    Resolver r(docs_);
    const Context c = context_of(project_, docs_, at);
    if (c.word.empty() || c.fields.comment) return nullptr;
    json result;
    if (c.in_mnemonic) {
        if (const MacroInfo* m = macro_named(c.unit, bare_mnemonic(c.word))) {
            result = markdown(macro_hover(*m, r));
        } else if (find_mnemonic(bare_mnemonic(c.word))) {
            result = markdown(instruction_hover(c, at, project_.settings, r));
        } else {
            return nullptr;
        }
    } else if (const ReservedRegister* reg = c.in_operands ? find_register(c.word) : nullptr) {
        result = markdown(register_hover(*reg, current_core(project_.settings)));
    } else if (const std::string file = included_file(c, at, r); !file.empty()) {
        result = markdown("**" + file + "**");
    } else if (const SymbolInfo* s = symbol_at(c, at, r)) {
        result = markdown(symbol_hover(*s, c.word, r));
    } else {
        return nullptr;
    }
    result["range"] = {{"start", position_json(at.line, utf16_of_byte(c.line, c.word_begin))},
                       {"end", position_json(at.line, utf16_of_byte(c.line, c.word_end))}};
    return result;
}

json Features::definition(const Place& at) {
    project_.collect(at.path);
    Resolver r(docs_);
    const Context c = context_of(project_, docs_, at);
    if (c.word.empty() || c.fields.comment) return nullptr;
    if (c.in_mnemonic) {
        const MacroInfo* m = macro_named(c.unit, bare_mnemonic(c.word));
        return m ? r.location(m->definition, m->name) : json(nullptr);
    }
    if (const std::string file = included_file(c, at, r); !file.empty()) return file_location(file);
    if (const SymbolInfo* s = symbol_at(c, at, r); s && s->definition.line > 0) return r.location(s->definition, s->name);
    return nullptr;
}

json Features::references(const Place& at, bool with_declaration) {
    project_.collect(at.path);
    Resolver r(docs_);
    const Context c = context_of(project_, docs_, at);
    json list = json::array();
    if (c.word.empty() || c.fields.comment) return list;
    const MacroInfo* m = nullptr;
    if (c.in_mnemonic) m = macro_named(c.unit, bare_mnemonic(c.word));
    if (!m && c.in_label && c.unit)
        if (const MacroInfo* named = macro_named(c.unit, c.word);
            named && r.covers(named->definition, at.path, at.line, c.column))
            m = named;
    if (m) {
        if (with_declaration) list.push_back(r.location(m->definition, m->name));
        for (const SourceSpan& s : m->calls) list.push_back(r.location(s, m->name));
        return list;
    }
    if (const std::string file = included_file(c, at, r); !file.empty()) {
        // Every line that includes the same file.
        for (const Unit* u : project_.units_of(at.path))
            for (const IncludeInfo& inc : u->result.includes)
                if (!inc.path.empty() && r.path(inc.path) == file) list.push_back(r.location(inc.at));
        return list;
    }
    if (const SymbolInfo* s = symbol_at(c, at, r)) {
        if (with_declaration && s->definition.line > 0) list.push_back(r.location(s->definition, s->name));
        for (const SourceSpan& ref : s->references) list.push_back(r.location(ref, s->name));
    }
    return list;
}

json Features::document_symbols(const std::string& path) {
    project_.collect(path);
    Resolver r(docs_);
    const std::vector<const Unit*> units = project_.units_of(path);
    json list = json::array();
    if (units.empty()) return list;
    const Unit& unit = *units.front();
    struct Entry {
        long line;
        json symbol;
        bool local;
    };
    std::vector<Entry> entries;
    for (const SymbolInfo& s : unit.result.symbols) {
        if (!s.defined || s.definition.line <= 0 || s.kind == NameKind::external || r.path(s.definition.file) != path)
            continue;
        // The argument count the first macro brings is no name of the file's.
        if ((s.name == "narg" || s.name == "NARG") && s.kind == NameKind::equate) continue;
        json range = r.range(s.definition, s.name);
        const std::string_view text = r.line(path, s.definition.line - 1);
        json whole = {{"start", position_json(s.definition.line - 1, 0)},
                      {"end", position_json(s.definition.line - 1, utf16_of_byte(text, text.size()))}};
        entries.push_back({s.definition.line,
                           {{"name", s.name},
                            {"detail", std::string(kind_name(s.kind)) + " = " + hex32(static_cast<uint32_t>(s.value))},
                            {"kind", symbol_kind(s.kind)},
                            {"range", whole},
                            {"selectionRange", range}},
                           s.kind == NameKind::local_label});
    }
    for (const MacroInfo& m : unit.result.macros) {
        if (r.path(m.definition.file) != path) continue;
        json range = r.range(m.definition, m.name);
        entries.push_back({m.definition.line,
                           {{"name", m.name}, {"detail", "macro"}, {"kind", 6}, {"range", range}, {"selectionRange", range}},
                           false});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.line < b.line; });
    // A local label goes under the label before it.
    size_t parent = SIZE_MAX;
    for (Entry& e : entries) {
        if (e.local && parent != SIZE_MAX) {
            json& p = list[parent];
            if (!p.contains("children")) p["children"] = json::array();
            // Shown as written: .loop, not .loopmain.
            std::string name = e.symbol["name"].get<std::string>();
            const std::string owner = p["name"].get<std::string>();
            if (name.size() > owner.size() && name.compare(name.size() - owner.size(), owner.size(), owner) == 0)
                e.symbol["name"] = name.substr(0, name.size() - owner.size());
            p["children"].push_back(std::move(e.symbol));
            continue;
        }
        const bool label = e.symbol["kind"] == 12;
        list.push_back(std::move(e.symbol));
        parent = label ? list.size() - 1 : SIZE_MAX;
    }
    return list;
}

json Features::completion(const Place& at) {
    project_.collect(at.path);
    const Context c = context_of(project_, docs_, at);
    json items = json::array();
    if (c.fields.comment) return items;
    const std::string prefix = lower(c.line.substr(c.word_begin, c.byte - c.word_begin));
    auto wanted = [&](std::string_view name) { return lower(name).compare(0, prefix.size(), prefix) == 0; };
    const CoreRow& core = current_core(project_.settings);
    if (c.in_mnemonic) {
        for (const MnemonicEntry& m : mnemonic_table) {
            if (!wanted(m.name)) continue;
            const bool directive = is_directive_entry(m);
            if (!directive && !runs_on(m, core.features)) continue;
            items.push_back({{"label", m.name},
                             {"kind", 14},
                             {"detail", directive ? "directive" : std::string("instruction on the ") + core.name}});
        }
        if (c.unit)
            for (const MacroInfo& m : c.unit->result.macros)
                if (wanted(m.name)) items.push_back({{"label", m.name}, {"kind", 3}, {"detail", "macro"}});
        return items;
    }
    if (!c.in_operands) return items;
    // Registers: lower-case names, control registers only where the part has them.
    for (const ReservedRegister& reg : reserved_registers) {
        if (std::isupper(static_cast<unsigned char>(reg.name[0])) || !wanted(reg.name)) continue;
        std::string detail = "register";
        if ((reg.type & 0xFF) == TYPE_CREG) {
            const ControlRegister cr = control_register_of(reg.name);
            if (!part_has_control(core, cr)) continue;
            detail = "control register";
        }
        if ((reg.type & 0xFF) == TYPE_FPREG || (reg.type & 0xFF) == TYPE_FPCREG) {
            if ((core.features & F_FPU) == 0) continue;
        }
        items.push_back({{"label", reg.name}, {"kind", 20}, {"detail", detail}});
    }
    if (c.unit) {
        // Local labels only of the label the line is under.
        const std::string global = enclosing_global(c.text, at.line);
        for (const SymbolInfo& s : c.unit->result.symbols) {
            std::string name = s.name;
            if (s.kind == NameKind::local_label) {
                if (global.empty() || name.size() <= global.size() ||
                    name.compare(name.size() - global.size(), global.size(), global) != 0)
                    continue;
                name.resize(name.size() - global.size());
            }
            if (!wanted(name)) continue;
            items.push_back({{"label", name},
                             {"kind", completion_kind(s.kind)},
                             {"detail", std::string(kind_name(s.kind)) +
                                            (s.defined ? " = " + hex32(static_cast<uint32_t>(s.value)) : "")}});
        }
    }
    return items;
}

} // namespace tobra::lsp
