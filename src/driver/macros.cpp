// Macros and repeat blocks.
#include "driver/macros.h"

#include <cstdio>
#include <cstring>

#include "driver/assembler.h"
#include "driver/collect.h"
#include "driver/messages.h"
#include "isa/mnemonics.h"

namespace tobra {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool line_end(char c) { return c == '\0' || c == '\n'; }

} // namespace

MacroEngine::FileMark MacroEngine::enter_file() {
    FileMark mark{base_, as.src.special_mode, as.dir.enter_scope()};
    base_ = frames_.size();
    as.src.special_mode = as.dir.equates_due() || as.collector;
    return mark;
}

void MacroEngine::leave_file(const FileMark& mark) {
    while (expanding()) pop();
    // Blocks left open end with the file that opened them (an end line
    // inside one ends the file too), each reported at its line.
    for (const Directives::OpenBlock& b : as.dir.close_scope_blocks()) as.dir.report_unclosed(b, "file");
    as.dir.leave_scope(mark.outer_scope);
    base_ = mark.base;
    update_mode();
}

void MacroEngine::reset_pass() {
    frames_.clear();
    base_ = 0;
    collect_ = Collect{};
    expansions_ = 0;
    lines_expanded_ = 0;
    set_narg();
    as.src.special_mode = false;
}

// A caller collecting what each line did sends every line this way, so that
// the file's own loop pays nothing for it.
void MacroEngine::update_mode() {
    as.src.special_mode = collect_.active || expanding() || as.dir.equates_due() || as.collector;
}

std::string MacroEngine::next_unique() {
    char text[24];
    std::snprintf(text, sizeof text, "_%03lu", ++expansions_);
    return text;
}

void MacroEngine::set_narg() {
    int32_t n = 0;
    for (size_t i = frames_.size(); i-- > 0;)
        if (frames_[i].kind == Kind::Macro) {
            n = static_cast<int32_t>(frames_[i].args.size());
            break;
        }
    for (SymbolRecord* r : narg_)
        if (r) r->value = n;
}

std::string MacroEngine::mnemonic_of(const char* line) {
    const char* p = line;
    if (*p == '*' || *p == ';' || *p == '#' || line_end(*p)) return {};
    while (!line_end(*p) && !is_white(*p)) ++p;  // the label, if any
    while (*p == ' ' || *p == '\t') ++p;
    std::string m;
    while (!line_end(*p) && !is_white(*p) && *p != ';') m.push_back(lower(*p++));
    if (m.size() > 2 && m[m.size() - 2] == '.' && is_name_start(m.back())) m.resize(m.size() - 2);
    return m;
}

bool MacroEngine::fetch(SourceText& file, bool& from_frame) {
    Driver& drv = as.drv;
    for (;;) {
        if (drv.end_seen) {
            while (expanding()) pop();
            collect_ = Collect{};
            return false;
        }
        if (!expanding()) break;
        Frame& f = frames_.back();
        if (f.next < f.body->size()) {
            const std::string& raw = (*f.body)[f.next++];
            if (++lines_expanded_ > line_limit) {
                abandon(msg::EXPANSION_TOO_MANY_LINES);
                continue;
            }
            expand_line(f, raw);
            from_frame = true;
            return true;
        }
        if (collect_.active && collect_.owner == frames_.size()) missing_end();
        close_frame_blocks(f);
        if (f.kind == Kind::Rept && f.remaining > 1) {
            --f.remaining;
            ++f.repetition;
            f.next = 0;
            f.unique = next_unique();
            continue;
        }
        pop();
    }
    from_frame = false;
    if (as.src.read_logical_line(file)) return true;
    if (collect_.active) missing_end();
    return false;
}

bool MacroEngine::step(SourceText& file) {
    // Between two lines: the equates that waited for a name just defined.
    if (as.dir.equates_due()) as.dir.resolve_due_equates();
    bool from_frame = false;
    if (!fetch(file, from_frame)) {
        update_mode();
        return false;
    }
    Listing& lst = as.lst;
    lst.listing_show_address = false;
    if (collect_.active) {
        collect_line();
    } else if (as.src.parse_line()) {
        // A line of the file itself has its record wherever it is read: a
        // pass may read it here (after an equate that waited) and the other
        // in the file's own loop.
        as.src.process_line(!from_frame);
    }
    if (as.drv.pass_number == 2 && as.options.listing_enabled) {
        lst.expanded_line = from_frame;
        lst.list_line();
        lst.expanded_line = false;
    }
    if (as.collector) [[unlikely]]
        as.collector->line_done(from_frame);
    lst.listing_count = 0;
    update_mode();
    return true;
}

void MacroEngine::collect_line() {
    const std::string m = mnemonic_of(as.src.line_buffer);
    const bool is_macro = collect_.kind == Kind::Macro;
    if (m == (is_macro ? "macro" : "rept")) {
        ++collect_.nesting;
    } else if (m == (is_macro ? "endm" : "endr")) {
        if (collect_.nesting == 0) {
            finish_collect();
            return;
        }
        --collect_.nesting;
    }
    if (!collect_.keep) return;
    const char* text = as.src.line_buffer;
    const char* nl = std::strchr(text, '\n');
    collect_.lines.emplace_back(text, nl ? static_cast<size_t>(nl - text) : std::strlen(text));
}

void MacroEngine::finish_collect() {
    Collect c = std::move(collect_);
    collect_ = Collect{};
    if (!c.keep) return;
    auto body = std::make_shared<const MacroBody>(std::move(c.lines));
    if (c.kind == Kind::Macro) {
        std::string key;
        for (char ch : c.name) key.push_back(lower(ch));
        macros_[key] = Definition{c.name, std::move(body), as.drv.pass_number};
        return;
    }
    Frame f;
    f.kind = Kind::Rept;
    // The repeated lines are reported at the rept line; the file goes on after endr.
    f.at = c.at;
    f.body = std::move(body);
    f.remaining = c.count;
    f.unique = next_unique();
    // An empty block has nothing to repeat, and no line of it counts against
    // the expansion budget: skip its repetitions, numbering \@ as if they ran.
    if (f.body->empty() && f.remaining > 1) {
        expansions_ += static_cast<unsigned long>(f.remaining - 1);
        f.remaining = 1;
    }
    push(std::move(f));
}

void MacroEngine::missing_end() {
    as.report_error_at(collect_.at, collect_.kind == Kind::Macro ? msg::MACRO_MISSING_ENDM : msg::REPT_MISSING_ENDR);
    collect_ = Collect{};
}

void MacroEngine::close_frame_blocks(Frame& f) {
    const std::vector<Directives::OpenBlock> open = as.dir.close_scope_blocks();
    if (open.empty() || f.blocks_reported) return;
    // Once per expansion: every repetition of a rept would say the same.
    f.blocks_reported = true;
    for (const Directives::OpenBlock& b : open) as.dir.report_unclosed(b, f.kind == Kind::Macro ? "macro" : "rept block");
}

void MacroEngine::push(Frame frame) {
    if (frames_.size() >= EXPANSION_DEPTH_LIMIT) {
        abandon(msg::EXPANSION_NESTED_TOO_DEEPLY);
        return;
    }
    frame.condition_level = as.drv.condition_level;
    frame.outer_scope = as.dir.enter_scope();
    frames_.push_back(std::move(frame));
    set_narg();
    update_mode();
}

void MacroEngine::pop() {
    as.dir.leave_scope(frames_.back().outer_scope);
    frames_.pop_back();
    set_narg();
}

void MacroEngine::abandon(Message message) {
    as.report_error(message);
    if (expanding()) as.dir.close_blocks_to(frames_[base_].condition_level);
    while (expanding()) pop();
    collect_ = Collect{};
    update_mode();
}

void MacroEngine::expand_line(const Frame& f, const std::string& raw) {
    std::string& out = expanded_;
    out.clear();
    auto put = [&](std::string_view s) { out.append(s); };
    // While a body is being collected, a macro's parameters are filled in for
    // a repeat block but not for an inner definition, which has its own; \@
    // and \\ are left for the block to fill at each repetition.
    const bool args = f.kind == Kind::Macro && !(collect_.active && collect_.kind == Kind::Macro);
    const bool specials = !collect_.active;
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\\' && i + 1 < raw.size()) {
            const char d = raw[i + 1];
            if (args && d >= '0' && d <= '9') {
                ++i;
                if (d == '0') {
                    if (f.size) put(std::string_view(&f.size, 1));
                } else if (static_cast<size_t>(d - '1') < f.args.size()) {
                    put(f.args[static_cast<size_t>(d - '1')]);
                }
                continue;
            }
            if (specials && d == '@') {
                ++i;
                put(f.unique);
                continue;
            }
            if (d == '\\') {
                ++i;
                put(specials ? "\\" : "\\\\");
                continue;
            }
        }
        put(std::string_view(&c, 1));
    }
    as.src.set_line(out);
}

const char* MacroEngine::split_args(const char* text, std::vector<std::string>& out) {
    const char* p = text;
    if (line_end(*p) || *p == ';') return p;
    for (;;) {
        std::string arg;
        if (*p == '<') {
            // <a,b> passes a,b as one argument.
            int depth = 1;
            for (++p; !line_end(*p); ++p) {
                if (*p == '<') ++depth;
                if (*p == '>' && --depth == 0) {
                    ++p;
                    break;
                }
                arg.push_back(*p);
            }
        }
        int parens = 0;
        while (!line_end(*p)) {
            const char c = *p;
            if (c == '\'' || c == '"') {
                arg.push_back(*p++);
                while (!line_end(*p) && *p != c) arg.push_back(*p++);
                if (*p == c) arg.push_back(*p++);
                continue;
            }
            if (c == '(') {
                ++parens;
            } else if (c == ')') {
                if (parens > 0) --parens;
            } else if (parens == 0 && (c == ',' || c == ' ' || c == '\t' || c == ';')) {
                break;
            }
            arg.push_back(c);
            ++p;
        }
        out.push_back(std::move(arg));
        if (*p != ',') break;
        ++p;
        // Blanks after a comma belong to the separator, as in an
        // instruction's operands: m a, b passes b.
        while (*p == ' ' || *p == '\t') ++p;
    }
    return p;
}

bool MacroEngine::call(const Statement& st) {
    if (macros_.empty()) return false;
    auto it = macros_.find(std::string(st.mnemonic));
    if (it == macros_.end()) return false;
    if (!as.drv.assembling()) return true;
    SourceReader& src = as.src;
    src.define_line_label();
    if (as.collector && !expanding()) [[unlikely]]
        as.collector->macro_called(it->second.name);
    Frame f;
    f.at = as.here();  // the call line
    f.body = it->second.body;
    f.name = it->second.name;
    as.scan.check_field_end(split_args(st.operand_start, f.args));
    f.size = st.suffix == 'u' ? 0 : st.suffix;
    f.remaining = 1;
    f.unique = next_unique();
    push(std::move(f));
    return true;
}

void MacroEngine::d_macro(const Statement& st) {
    std::string name;
    if (!st.label.empty()) {
        name = st.label;
    } else {
        const char* p = st.cursor.at;
        while (!line_end(*p) && !is_white(*p) && *p != ';') name.push_back(*p++);
    }
    std::string key;
    for (char ch : name) key.push_back(lower(ch));

    bool ok = true;
    bool well_formed = !name.empty() && is_name_start(name[0]);
    for (char ch : name) well_formed = well_formed && is_name_char(ch);
    if (name.empty()) {
        as.report_error(msg::MACRO_NAME_MISSING);
        ok = false;
    } else if (!well_formed) {
        as.report_error_arg(msg::MACRO_BAD_NAME_FMT, name.c_str());
        ok = false;
    } else if (find_mnemonic(key)) {
        as.report_error_arg(msg::MACRO_NAME_IS_A_MNEMONIC_FMT, name.c_str());
        ok = false;
    } else if (auto it = macros_.find(key); it != macros_.end() && it->second.pass == as.drv.pass_number) {
        as.report_error_arg(msg::MACRO_REDEFINED_FMT, name.c_str());
        ok = false;
    }
    if (ok && !narg_[0] && as.drv.pass_number == 1) {
        // The argument count is a symbol from the first definition on, and
        // only if the source has none of that name already.
        const char* names[2] = {"narg", "NARG"};
        for (int i = 0; i < 2; ++i) {
            if (as.sym.probe(names[i])) continue;
            as.sym.install(names[i], 0, TYPE_USER, KIND_EQUATE);
            narg_[i] = as.sym.probe(names[i]);
        }
    }
    if (ok && as.collector) [[unlikely]]
        as.collector->macro_defined(name);
    collect_ = Collect{};
    collect_.active = true;
    collect_.kind = Kind::Macro;
    collect_.keep = ok;
    collect_.name = std::move(name);
    collect_.at = as.here();
    collect_.owner = frames_.size();
    update_mode();
}

void MacroEngine::d_rept(Statement& st) {
    int32_t value[2] = {0, 0};
    Operand op;
    const int type = as.ev.eval(st.cursor, value, op);
    bool keep = true;
    if (type != TYPE_USER) {
        as.report_error(msg::REPT_COUNT_EXPECTED);
        keep = false;
    } else if (!as.dir.defined_above(st, as.ev.expr_fwd || as.ev.expr_undefined) ||
               !as.dir.constant_value(st, op)) {
        keep = false;
    } else if (as.ev.expr_fraction) {
        as.report_error(msg::REPT_FLOATING_POINT_COUNT);
        keep = false;
    } else if (value[0] < 0) {
        as.report_error(msg::REPT_NEGATIVE_COUNT);
        keep = false;
    }
    collect_ = Collect{};
    collect_.active = true;
    collect_.kind = Kind::Rept;
    collect_.keep = keep && value[0] > 0;
    collect_.count = value[0];
    collect_.at = as.here();
    collect_.owner = frames_.size();
    update_mode();
}

void MacroEngine::skip_line(bool is_macro) {
    collect_ = Collect{};
    collect_.active = true;
    collect_.kind = is_macro ? Kind::Macro : Kind::Rept;
    collect_.at = as.here();
    collect_.owner = frames_.size();
    update_mode();
}

void MacroEngine::d_endm() { as.report_error(msg::ENDM_NO_MACRO_BEING_DEFINED); }

void MacroEngine::d_endr() { as.report_error(msg::ENDR_NO_REPT_BLOCK_OPEN); }

void MacroEngine::d_mexit() {
    size_t i = frames_.size();
    while (i > base_ && frames_[i - 1].kind != Kind::Macro) --i;
    if (i == base_) {
        as.report_error(msg::MEXIT_NOT_IN_A_MACRO);
        return;
    }
    // Blocks the macro opened and did not get to close end with it.
    as.dir.close_blocks_to(frames_[i - 1].condition_level);
    while (frames_.size() >= i) pop();
    update_mode();
}

void MacroEngine::print_context(Console& con, size_t innermost_line) const {
    const size_t n = frames_.size() - base_;
    for (size_t k = 0; k < n; ++k) {
        // A deep chain keeps its outermost frame and its innermost two.
        if (n > 4 && k > 0 && k < n - 2) {
            if (k == 1) con.write("...: ");
            continue;
        }
        const Frame& f = frames_[base_ + k];
        const size_t line = k == n - 1 && innermost_line != 0 ? innermost_line : f.next;
        if (f.kind == Kind::Macro)
            con.print("macro %s line %zu: ", f.name.c_str(), line);
        else
            con.print("rept #%ld line %zu: ", f.repetition, line);
    }
}

std::vector<ExpansionFrame> MacroEngine::context(size_t innermost_line) const {
    std::vector<ExpansionFrame> frames;
    for (size_t k = base_; k < frames_.size(); ++k) {
        const Frame& f = frames_[k];
        const size_t line = k + 1 == frames_.size() && innermost_line != 0 ? innermost_line : f.next;
        if (f.kind == Kind::Macro)
            frames.push_back({true, f.name, 0, line});
        else
            frames.push_back({false, std::string(), f.repetition, line});
    }
    return frames;
}

} // namespace tobra
