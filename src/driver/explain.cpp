// The explanation of one line: the real assembler runs on it in process, once
// for the chosen part with a listing (address and bytes), then once for every
// row of the core table; the instruction format table names the bits.
#include "driver/explain.h"

#include <cstdio>
#include <string_view>

#include "driver/assembler.h"
#include "driver/messages.h"
#include "isa/mnemonics.h"

namespace tobra {

namespace {

// The name the line is assembled under; its messages start "line,N: ".
constexpr const char* LINE_FILE = "line";

struct Outcome {
    int code = 0;
    std::string out;          // standard output: messages, listing, closing line
    long start = 0, end = 0;  // the last line's start and the location counter after it
    bool labelled = false;    // the label asked for is defined
    int32_t label_value = 0;
};

Outcome assemble(const ExplainRequest& request, const std::string& part, std::string_view text, bool listing,
                 std::string_view label = {}) {
    Assembler as(nullptr);
    as.write_files = false;
    as.memory_files[LINE_FILE] = std::string(text) + "\n";
    std::vector<std::string> args = request.args;
    if (!part.empty()) args.push_back("-c" + part);
    if (listing) args.push_back("-l");
    std::vector<const char*> argv{"tobra"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back(LINE_FILE);
    Outcome o;
    o.code = as.run(static_cast<int>(argv.size()), argv.data());
    o.out = as.con.captured();
    o.start = as.drv.line_start_address;
    o.end = as.drv.location_counter;
    if (!label.empty()) {
        if (const SymbolRecord* s = as.sym.probe(label)) {
            o.labelled = true;
            o.label_value = s->value;
        }
    }
    return o;
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The messages of source line `number` (0: of every other line, with their numbers).
std::vector<std::string> messages_of(const std::string& out, long number) {
    std::vector<std::string> found;
    const std::string prefix = std::string(LINE_FILE) + ",";
    for (const std::string& l : split_lines(out)) {
        if (l.compare(0, prefix.size(), prefix) != 0) continue;
        const long n = std::strtol(l.c_str() + prefix.size(), nullptr, 10);
        const size_t colon = l.find(": ");
        if (colon == std::string::npos) continue;
        if (number == 0 && n != 1) found.push_back("line " + std::to_string(n) + ": " + l.substr(colon + 2));
        if (number != 0 && n == number) found.push_back(l.substr(colon + 2));
    }
    return found;
}

std::string hex_value(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", v);
    return text;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void read_hex_bytes(std::string_view field, std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i + 1 < field.size(); ++i) {
        const int a = hex_digit(field[i]), b = hex_digit(field[i + 1]);
        if (a < 0 || b < 0) continue;
        bytes.push_back(static_cast<uint8_t>(a * 16 + b));
        ++i;
    }
}

// The listing row of the first line: its address and bytes, continuation
// rows included. The text starts in the 25th column.
bool listed_line(const std::string& out, const std::string& text, uint32_t& address, std::vector<uint8_t>& bytes) {
    constexpr size_t TEXT_COLUMN = 24;
    const std::vector<std::string> rows = split_lines(out);
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        if (row.size() < TEXT_COLUMN || row.compare(TEXT_COLUMN, std::string::npos, text) != 0) continue;
        if (row[0] != ' ') address = static_cast<uint32_t>(std::strtoul(row.substr(0, 8).c_str(), nullptr, 16));
        read_hex_bytes(std::string_view(row).substr(8, TEXT_COLUMN - 9), bytes);
        for (size_t j = i + 1; j < rows.size() && rows[j].compare(0, 8, "        ") == 0 && rows[j].size() > 8 &&
                               rows[j].find_first_not_of(" 0123456789abcdef") == std::string::npos;
             ++j)
            read_hex_bytes(std::string_view(rows[j]).substr(8), bytes);
        return true;
    }
    return false;
}

// The mnemonic and size suffix of a line, lowered, as the line parser reads them.
struct Words {
    std::string label, mnemonic, suffix, operands;
};

Words line_words(const std::string& line) {
    Words w;
    size_t i = 0;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') w.label += line[i++];
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string m;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ';') {
        char c = line[i++];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        m += c;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    w.operands = line.substr(i);
    const size_t dot = m.size() > 2 ? m.rfind('.') : std::string::npos;
    if (dot != std::string::npos && dot == m.size() - 2) {
        w.suffix = m.substr(dot + 1);
        m.erase(dot);
    }
    w.mnemonic = m;
    return w;
}

std::string features_name(uint16_t f) {
    std::string s = (f & F_ISA_B) && (f & F_ISA_A_PLUS) ? "ISA_C"
                    : (f & F_ISA_B)                     ? "ISA_B"
                    : (f & F_ISA_A_PLUS)                ? "ISA_A+"
                                                        : "ISA_A";
    if (f & F_EMAC)
        s += " EMAC";
    else if (f & F_MAC)
        s += " MAC";
    if (f & F_DIVIDE) s += " DIV";
    if (f & F_USP) s += " USP";
    if (f & F_FPU) s += " FPU";
    return s;
}

// The features themselves, each by name: "ISA_B DIV".
std::string feature_bits(uint16_t f) {
    static constexpr struct {
        uint16_t bit;
        const char* name;
    } names[] = {{F_ISA_B, "ISA_B"}, {F_ISA_A_PLUS, "ISA_A+"}, {F_MAC, "MAC"}, {F_EMAC, "EMAC"},
                 {F_DIVIDE, "DIV"},  {F_USP, "USP"},           {F_FPU, "FPU"}};
    std::string s;
    for (const auto& n : names)
        if ((f & n.bit) && !(n.bit == F_MAC && (f & F_EMAC))) {
            if (!s.empty()) s += ' ';
            s += n.name;
        }
    return s;
}

const char* operand_name(uint8_t cls) {
    switch (cls) {
    case CLS_DN: return "Dn";
    case CLS_AN: return "An";
    case CLS_AN_IND: return "(An)";
    case CLS_POSTINC: return "(An)+";
    case CLS_PREDEC: return "-(An)";
    case CLS_INDEXED: return "(d,An)";
    case CLS_EXPR: return "address";
    case CLS_IMM: return "#data";
    case CLS_PC_INDEXED: return "(d,PC)";
    case CLS_DN_PAIR: return "Dn:Dn";
    case CLS_RLIST: return "reglist";
    case CLS_CN: return "Rc";
    case CLS_CCR: return "ccr";
    case CLS_SR: return "sr";
    case CLS_FPN: return "FPn";
    case CLS_FPCN: return "FPcr";
    case CLS_FPLIST: return "fplist";
    case CLS_FPCLIST: return "fpcrlist";
    case CLS_STRING: return "string";
    case CLS_RN: return "Rn";
    case CLS_ACC: return "ACC";
    case CLS_MASK: return "mask";
    case CLS_MACSR: return "macsr";
    case CLS_CPSH: return "cache";
    case CLS_EXPR_LIST: return "items";
    case CLS_CTL_EA: return "<control ea>";
    case CLS_ALT_MEM: return "<alterable memory ea>";
    case CLS_DATA_ALT: return "<data alterable ea>";
    case CLS_ALTERABLE: return "<alterable ea>";
    case CLS_DATA: return "<data ea>";
    case CLS_MEMORY: return "<memory ea>";
    case CLS_CTL_ALT: return "<control alterable ea>";
    case CLS_FLOAT_EA:
    case CLS_MAC_EA:
    case CLS_ANY_EA: return "<ea>";
    default: return "<ea>";  // a composite class: a set of modes
    }
}

// The forms of a mnemonic, one per variant: "mulu.w <ea>,Dn".
std::vector<std::string> forms_of(const MnemonicEntry& entry) {
    static constexpr struct {
        uint32_t bit;
        const char* suffix;
    } sizes[] = {{SZ_B, ".b"}, {SZ_W, ".w"}, {SZ_L, ".l"}, {SZ_S, ".s"}, {SZ_D, ".d"}};
    std::vector<std::string> forms;
    for (int v = 0; v < entry.variant_count; ++v) {
        const Variant& var = entry.variants[v];
        std::string operands;
        for (int i = 0; i < 5 && var.signature[i] != CLS_NONE; ++i) {
            if (i) operands += ',';
            operands += operand_name(var.signature[i]);
        }
        for (const auto& s : sizes) {
            if (!(var.size_mask & s.bit)) continue;
            std::string form = std::string(entry.name) + s.suffix + (operands.empty() ? "" : " " + operands);
            if (need_rows[var.need].refusal.text) form += "  (needs " + feature_bits(need_rows[var.need].features) + ")";
            bool seen = false;
            for (const std::string& f : forms) seen = seen || f == form;
            if (!seen) forms.push_back(form);
        }
    }
    return forms;
}

std::string directive_note(Handler h, long size) {
    const std::string n = std::to_string(size) + (size == 1 ? " byte" : " bytes");
    switch (h) {
    case H_DC: return "stores its items as data: " + n;
    case H_DCB: return "stores a block of equal items: " + n;
    case H_DS: return "reserves space: " + n;
    case H_EQU: return "gives its label the value of the expression; no bytes";
    case H_SET: return "gives its name a value that later lines may change; no bytes";
    case H_ORG: return "places the lines after it at the address given";
    case H_RORG: return "places the lines after it at the address given, relocatable";
    case H_ALIGN:
    case H_EVEN:
    case H_CNOP:
    case H_BOUNDARY: return "aligns the location counter: " + n;
    case H_SECTION: return "changes the section of the lines after it";
    case H_XREF: return "declares names defined in another module";
    case H_XDEF: return "exports names to other modules";
    case H_INCBIN: return "includes a file's bytes: " + n;
    case H_INCLUDE: return "reads another source file here";
    case H_CPU: return "selects the part for the lines after it";
    default: return "a directive: " + n;
    }
}

// ", where it is A740": the bytes the line gives on a part that accepts it.
std::string where(const ExplainRequest& request, const char* part, const std::string& text) {
    const Outcome o = assemble(request, part, text, true);
    uint32_t address = 0;
    std::vector<uint8_t> bytes;
    listed_line(o.out, text.substr(0, text.find('\n')), address, bytes);
    if (bytes.empty()) return {};
    std::string hex;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char b[4];
        std::snprintf(b, sizeof b, "%02X", bytes[i]);
        if (i && i % 2 == 0) hex += ' ';
        hex += b;
    }
    return ", where it is " + hex;
}

// The nearest accepted form of a refused line, under a heading that says what it is.
std::string nearest_text(const Explanation& e) {
    if (e.nearest.empty()) return {};
    std::string s = e.nearest_kind == "sizes"   ? "nearest: the sizes this part accepts:\n"
                    : e.nearest_kind == "parts" ? "nearest: the line as written, on another part:\n"
                                                : "nearest: the forms of the mnemonic:\n";
    for (const std::string& n : e.nearest) s += "  " + n + "\n";
    return s;
}

}  // namespace

Explanation explain(const ExplainRequest& request) {
    Explanation e;
    std::vector<std::string> lines = split_lines(request.text);
    e.line = lines.empty() ? std::string() : lines[0];
    // A line typed as it reads, "move.l d1,(a0)", starts with its mnemonic
    // rather than a label: it is assembled indented. So is one whose second
    // word is no mnemonic, which cannot be a label and a mnemonic.
    if (!lines.empty()) {
        const Words first = line_words(lines[0]);
        if (!first.label.empty() && first.label.back() != ':' &&
            (find_mnemonic(line_words(" " + first.label).mnemonic) || !find_mnemonic(first.mnemonic)))
            lines[0].insert(0, " ");
    }
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    e.part = request.part.empty() ? core_table[DEFAULT_CORE_ROW].name : request.part;
    const bool alone = lines.size() == 1;

    std::string label = lines.empty() ? std::string() : line_words(lines[0]).label;
    if (!label.empty() && label.back() == ':') label.pop_back();
    const Outcome chosen = assemble(request, request.part, text, true, label);
    if (chosen.labelled) e.label = label + " = " + hex_value(static_cast<uint32_t>(chosen.label_value));
    e.accepted = chosen.code == 0;
    e.messages = messages_of(chosen.out, 1);
    e.context_messages = messages_of(chosen.out, 0);
    const Words w = line_words(lines.empty() ? e.line : lines[0]);
    const MnemonicEntry* entry = w.mnemonic.empty() ? nullptr : find_mnemonic(w.mnemonic);
    // A line that names a value (equ, set, a structure field) shows the
    // value where the address would be: it stays where the counter is.
    bool names_value = false;
    if (entry) {
        const HandlerRow& hr = handler_row(entry->variants[0].handler());
        names_value = hr.label == OWN_LABEL || hr.skipped == SKIP_LIST_NAME || hr.skipped == SKIP_LIST_BITDEF ||
                      hr.skipped == SKIP_LIST_LVO;
    }
    const long start = names_value ? chosen.end : chosen.start;
    uint32_t address = alone ? static_cast<uint32_t>(start) : 0;
    listed_line(chosen.out, lines.empty() ? e.line : lines[0], address, e.bytes);
    e.address = names_value ? (alone ? static_cast<uint32_t>(chosen.end) : 0) : address;
    e.size = alone && chosen.end >= start ? chosen.end - start : static_cast<long>(e.bytes.size());
    if (!e.accepted) {
        e.bytes.clear();
        e.size = 0;
    }
    if (entry) {
        const Handler h = entry->variants[0].handler();
        e.mnemonic = w.mnemonic + (w.suffix.empty() ? "" : "." + w.suffix);
        e.is_instruction = is_instruction(h);
        e.is_directive = !e.is_instruction;
        if (e.is_directive && e.accepted) e.directive = directive_note(h, e.size);
        if (e.is_instruction && e.accepted) e.format = decode_instruction(e.bytes, e.words);
    }

    // Every part, grouped where the features and the result agree. A line
    // can only differ between parts by their features and control
    // registers, so each such pair is assembled once.
    struct Seen {
        uint16_t features;
        uint32_t control;
        bool accepted;
        std::string message;
    };
    std::vector<Seen> seen;
    for (const CoreRow* row = core_table; row->name != nullptr; ++row) {
        PartGroup g;
        const Seen* same = nullptr;
        for (const Seen& s : seen)
            if (s.features == row->features && s.control == row->control) same = &s;
        if (same) {
            g.accepted = same->accepted;
            g.message = same->message;
        } else {
            const Outcome o = assemble(request, row->name, text, false);
            g.accepted = o.code == 0;
            if (!g.accepted) {
                const std::vector<std::string> m = messages_of(o.out, 1);
                g.message = m.empty() ? "refused by a later line" : m[0];
            }
            seen.push_back({row->features, row->control, g.accepted, g.message});
        }
        g.features = features_name(row->features);
        bool joined = false;
        for (PartGroup& have : e.parts) {
            if (have.accepted == g.accepted && have.message == g.message && have.features == g.features) {
                have.parts.push_back(row->name);
                joined = true;
                break;
            }
        }
        if (!joined) {
            g.parts.push_back(row->name);
            e.parts.push_back(std::move(g));
        }
    }

    if (e.accepted || !entry) return e;
    // The nearest accepted form: another size of the same operands on this
    // part, else the parts that take the line as written, else the forms the
    // mnemonic has.
    static constexpr const char* suffixes[] = {"", "b", "w", "l", "s", "d"};
    if (!w.mnemonic.empty() && lines.size() >= 1) {
        for (const char* s : suffixes) {
            if (w.suffix == s) continue;
            const std::string mn = w.mnemonic + (*s ? std::string(".") + s : "");
            std::string other = w.label + " " + mn + (w.operands.empty() ? "" : " " + w.operands);
            for (size_t i = 1; i < lines.size(); ++i) other += "\n" + lines[i];
            if (assemble(request, request.part, other, false).code == 0)
                e.nearest.push_back(mn + (w.operands.empty() ? "" : " " + w.operands));
        }
    }
    if (!e.nearest.empty()) {
        e.nearest_kind = "sizes";
        return e;
    }
    // The parts that accept it are listed above; what they all have and no
    // refusing part has says which part to choose.
    uint16_t shared = 0xFFFF, refused = 0;
    const char* first = nullptr;
    for (const CoreRow* row = core_table; row->name != nullptr; ++row) {
        for (const PartGroup& g : e.parts) {
            for (const std::string& p : g.parts) {
                if (p != row->name) continue;
                if (!g.accepted) {
                    refused |= row->features;
                    continue;
                }
                shared &= row->features;
                if (!first) first = row->name;
            }
        }
    }
    shared &= static_cast<uint16_t>(~refused);
    if (first) {
        const std::string what = feature_bits(shared);
        e.nearest.push_back((what.empty() ? std::string("one of the parts accepted above") : "a part with " + what) +
                            ", such as -c " + first + where(request, first, text));
        e.nearest_kind = "parts";
        return e;
    }
    // The forms help only when the operands or the size were what no form takes.
    bool no_form = false;
    for (const std::string& m : e.messages) no_form = no_form || m == msg::PROCESS_BAD_SIZE_OR_WRONG_OPERANDS.text;
    if (!no_form) return e;
    e.nearest_kind = "forms";
    e.nearest = forms_of(*entry);
    return e;
}

std::string format_explanation(const Explanation& e) {
    std::string s;
    char buf[256];
    auto row = [&](const char* head, const std::string& value) {
        // A line or message of any length: no fixed buffer.
        std::string h(head);
        s += h + std::string(h.size() < 10 ? 11 - h.size() : 1, ' ') + value + "\n";
    };
    row("line:", e.line);
    row("part:", e.part);
    row("result:", e.accepted ? "accepted" : "refused");
    for (const std::string& m : e.messages) row("message:", m);
    for (const std::string& m : e.context_messages) row("context:", m);
    std::snprintf(buf, sizeof buf, "$%08X", e.address);
    row("address:", buf);
    std::string hex;
    for (size_t i = 0; i < e.bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%s%02X", i && i % 2 == 0 ? " " : "", e.bytes[i]);
        hex += buf;
    }
    // The listing keeps the first bytes of a long line; the size is whole.
    if (!hex.empty() && static_cast<long>(e.bytes.size()) < e.size)
        hex += " ... (the first " + std::to_string(e.bytes.size()) + ")";
    row("bytes:", hex.empty() ? "none" : hex);
    row("size:", std::to_string(e.size) + (e.size == 1 ? " byte" : " bytes"));
    if (!e.label.empty()) row("label:", e.label);
    if (e.is_directive && !e.directive.empty()) row("directive:", e.mnemonic + ": " + e.directive);
    if (!e.format.empty()) row("format:", e.format);
    if (!e.words.empty()) s += "encoding:\n";
    for (const ExplainWord& w : e.words) {
        char value[16];
        std::snprintf(value, sizeof value, "%0*X", w.bytes * 2, w.value);
        std::snprintf(buf, sizeof buf, "  +%-3d %-8s  %s\n", w.offset, value, w.what.c_str());
        s += buf;
        for (const ExplainField& f : w.fields) {
            char range[16];
            if (f.hi == f.lo)
                std::snprintf(range, sizeof range, "%d", f.hi);
            else
                std::snprintf(range, sizeof range, "%d-%d", f.hi, f.lo);
            std::string binary;
            // A field wider than the column shows its bits in hexadecimal.
            if (f.hi - f.lo < 12) {
                for (int b = f.hi - f.lo; b >= 0; --b) binary += (f.value >> b) & 1 ? '1' : '0';
            } else {
                std::snprintf(value, sizeof value, "$%0*X", (f.hi - f.lo + 4) / 4, f.value);
                binary = value;
            }
            std::snprintf(buf, sizeof buf, "        %-6s %-28s %-12s %s\n", range, f.name.c_str(), binary.c_str(),
                          f.meaning.c_str());
            s += buf;
        }
    }
    // One heading per result, then the families that give it, their
    // names wrapped under one another.
    s += "parts:\n";
    bool one_result = true;
    for (const PartGroup& g : e.parts)
        one_result = one_result && g.accepted == e.parts[0].accepted && g.message == e.parts[0].message;
    if (one_result && !e.parts.empty()) {
        s += e.parts[0].accepted ? "  accepted by every part\n"
                                 : "  refused by every part: " + e.parts[0].message + "\n";
        return s + nearest_text(e);
    }
    std::vector<const PartGroup*> done;
    for (const PartGroup& lead : e.parts) {
        bool seen = false;
        for (const PartGroup* d : done) seen = seen || (d->accepted == lead.accepted && d->message == lead.message);
        if (seen) continue;
        done.push_back(&lead);
        s += lead.accepted ? "  accepted:\n" : "  refused: " + lead.message + "\n";
        for (const PartGroup& g : e.parts) {
            if (g.accepted != lead.accepted || g.message != lead.message) continue;
            std::snprintf(buf, sizeof buf, "    %-22s", g.features.c_str());
            std::string out = buf;
            size_t width = out.size();
            for (const std::string& p : g.parts) {
                if (width + 1 + p.size() > 78) {
                    out += "\n" + std::string(26, ' ');
                    width = 26;
                }
                out += " " + p;
                width += 1 + p.size();
            }
            s += out + "\n";
        }
    }
    return s + nearest_text(e);
}

int run_explain(Assembler& as) {
    ExplainRequest request;
    request.text = as.options.explain_line;
    // The single letters that shape an assembly go to every run of the line;
    // the outputs, the listing and the quiet mode are the explanation's own.
    bool part_given = false;
    for (const Argument& arg : as.drv.arguments) {
        if (arg.kind == Argument::SOURCE) {
            as.report_error(msg::FLAGS_EXPLAIN_TAKES_NO_SOURCE_FILES);
            continue;
        }
        const std::string text(arg.text);
        if (text.size() < 2) continue;
        if (text[1] == 'c') {
            request.part = arg.value ? arg.value : text.substr(2);
            part_given = true;
            continue;
        }
        if (std::string_view("adfnru").find(text[1]) == std::string_view::npos) continue;
        request.args.push_back(text);
    }
    for (const std::string& dir : as.options.include_dirs) request.args.push_back("-I" + dir);
    for (const std::string& d : as.options.defines) request.args.push_back("-D" + d);
    if (as.options.packed_strings) request.args.push_back("--packed-strings");
    if (as.options.fatal_warnings) request.args.push_back("--fatal-warnings");
    if (part_given && !as.core.select_core(request.part)) as.report_note(msg::CPU_VALID_CORES_BUILT.with(("cpu: valid cores: " + core_names()).c_str()));
    if (as.drv.error_count != 0) {
        as.err.flush();
        if (!as.options.quiet) as.con.print("%ld error(s) found\n", as.drv.error_count);
        as.con.flush();
        return 1;
    }
    const Explanation e = explain(request);
    as.con.write(format_explanation(e));
    as.con.flush();
    return e.accepted ? 0 : 1;
}

}  // namespace tobra
