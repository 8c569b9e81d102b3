// Collecting names, macros, includes and lines for a library caller.
#include "driver/collect.h"

#include <algorithm>
#include <unordered_set>

#include "driver/assembler.h"

namespace tobra {

namespace {

bool is_local(std::string_view name) { return !name.empty() && (name[0] == '.' || (name[0] >= '0' && name[0] <= '9')); }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_letters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool comment_start(char c) { return c == '*' || c == ';' || c == '#'; }

// A character that continues a name: next to one, a match is only part of a
// longer name.
bool joins_name(char c) { return is_name_char(c) || c == '.'; }

} // namespace

void Collector::follow_pass() {
    if (pass_ == as.drv.pass_number) return;
    pass_ = as.drv.pass_number;
    references_.clear();
    for (Macro& m : macros_) m.calls.clear();
    includes_.clear();
    lines_.clear();
    fills_.clear();
    section_bytes_.clear();
    last_line_ = {};
    line_end_ = 0;
    line_section_ = 0;
}

std::string_view Collector::line_text(const SourceLocation& at) {
    if (at.file == 0 || at.line == 0) return {};
    const std::string* text = as.src.held_text(as.drv.file_name(at.file));
    if (!text) return {};
    std::vector<size_t>& starts = line_starts_[at.file];
    if (starts.empty()) {
        starts.push_back(0);
        for (size_t i = 0; i < text->size(); ++i)
            if ((*text)[i] == '\n') starts.push_back(i + 1);
    }
    if (at.line > starts.size()) return {};
    const size_t begin = starts[at.line - 1];
    const size_t end = std::min(text->find('\n', begin), text->size());
    return std::string_view(*text).substr(begin, end - begin);
}

Collector::Place Collector::place_of(const SourceLocation& at, std::string_view written, Field field) {
    Place p{at.file, static_cast<long>(at.line), 0, 0};
    const std::string_view text = line_text(at);
    if (text.empty() || written.empty() || comment_start(text[0])) return p;
    // Columns count characters, as a diagnostic's do: UTF-8 continuation
    // bytes add none.
    auto characters = [](std::string_view s) {
        long n = 0;
        for (char c : s)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
        return n;
    };
    auto found = [&](size_t begin) {
        p.begin = characters(text.substr(0, begin)) + 1;
        p.end = p.begin + characters(text.substr(begin, written.size()));
        return p;
    };
    size_t i = 0;
    while (i < text.size() && !is_white(text[i])) ++i;
    if (field == Field::label) {
        std::string_view label = text.substr(0, i);
        if (!label.empty() && label.back() == ':') label.remove_suffix(1);
        if (label == written) return found(0);
    }
    while (i < text.size() && is_white(text[i])) ++i;
    const size_t mnemonic = i;
    while (i < text.size() && !is_white(text[i]) && text[i] != ';') ++i;
    if (field == Field::mnemonic) {
        std::string_view m = text.substr(mnemonic, i - mnemonic);
        if (m.size() > 2 && m[m.size() - 2] == '.') m.remove_suffix(2);
        if (same_letters(m, written)) return found(mnemonic);
        return p;
    }
    for (size_t at_ = text.find(written, i); at_ != std::string_view::npos; at_ = text.find(written, at_ + 1)) {
        if (field == Field::file) return found(at_);
        const size_t after = at_ + written.size();
        const bool starts = at_ == 0 || !joins_name(text[at_ - 1]) || written[0] == '.';
        const bool ends = after >= text.size() || !is_name_char(text[after]);
        if (starts && ends) return found(at_);
    }
    return p;
}

SourceSpan Collector::span_of(const Place& p) const {
    SourceSpan s;
    if (p.file != 0) s.file = as.drv.file_name(p.file);
    s.line = p.line;
    s.begin_column = p.begin;
    s.end_column = p.end;
    return s;
}

// A local label reads qualified by the last global label; on the line it is
// written without it.
static std::string_view as_written(std::string_view name, std::string_view global) {
    if (is_local(name) && !global.empty() && name.size() > global.size() && name.ends_with(global))
        name.remove_suffix(global.size());
    return name;
}

void Collector::defined(std::string_view name) {
    const bool field = field_next_;
    field_next_ = false;
    const std::string key(name);
    if (definitions_.count(key)) return;
    const Statement& st = as.src.statement;
    Definition d;
    const bool own_label = !st.label.empty() && st.label == name;
    if (field) {
        d.kind = NameKind::structure_field;
    } else if (own_label && st.mnemonic == "equ") {
        d.kind = st.operands[0].cls == CLS_RLIST ? NameKind::register_list : NameKind::equate;
    } else if (own_label && st.mnemonic == "set") {
        d.kind = NameKind::set;
    } else if (own_label) {
        d.kind = is_local(name) ? NameKind::local_label : NameKind::label;
    } else if (st.mnemonic == "xref") {
        d.kind = NameKind::external;
    }
    d.at = place_of(as.here(), as_written(name, as.src.last_global_label()), Field::label);
    definitions_.emplace(key, d);
}

void Collector::referenced(std::string_view name) {
    follow_pass();
    if (as.quiet) return;
    const SourceLocation at = as.here();
    std::vector<Place>& refs = references_[std::string(name)];
    // Once per line: the first place the name is written.
    if (!refs.empty() && refs.back().file == at.file && refs.back().line == static_cast<long>(at.line)) return;
    refs.push_back(place_of(at, as_written(name, as.src.last_global_label()), Field::operands));
}

void Collector::macro_defined(const std::string& name) {
    std::string key;
    for (char c : name) key.push_back(lower(c));
    if (macro_index_.count(key)) return;
    macro_index_.emplace(key, macros_.size());
    macros_.push_back({name, place_of(as.here(), name, Field::label), {}});
}

void Collector::macro_called(const std::string& name) {
    follow_pass();
    std::string key;
    for (char c : name) key.push_back(lower(c));
    auto it = macro_index_.find(key);
    if (it == macro_index_.end()) return;
    macros_[it->second].calls.push_back(place_of(as.here(), name, Field::mnemonic));
}

void Collector::included(std::string_view written, const std::string& path) {
    follow_pass();
    includes_.push_back({place_of(as.here(), written, Field::file), std::string(written), path});
}

void Collector::section_bytes(int section, uint32_t address, const uint8_t* bytes, int32_t count) {
    follow_pass();
    if (bytes && count > 0) section_bytes_[{section, address}].assign(bytes, bytes + count);
}

void Collector::line_done(bool expanded) {
    if (as.drv.pass_number != 2) return;
    follow_pass();
    const Listing& lst = as.lst;
    const SourceLocation at = as.here();
    // Where the line started is where the last one ended. An equate's line
    // shows its value where the address would be: it has an address only
    // when it moved the location in its section (a ds in a section without
    // bytes, an align), put out bytes, or defines a label there.
    const int32_t start = line_end_;
    const bool same_section = line_section_ == as.drv.current_section;
    line_end_ = as.drv.location_counter;
    line_section_ = as.drv.current_section;
    const char first = as.src.line_buffer[0];
    const bool labelled =
        !is_white(first) && !comment_start(first) && first != '\0' && as.src.statement.mnemonic != "macro";
    const bool has_address = lst.listing_count > 0 || (same_section && as.drv.location_counter != start) ||
                             (labelled && !lst.listing_show_address);
    const int32_t address = lst.listing_show_address ? start : as.drv.line_start_address;
    const int kept = std::min(lst.listing_count, LISTING_BYTES);
    LineInfo* line = nullptr;
    if (expanded) {
        // An expansion's bytes belong to the file line that called it.
        if (lines_.empty() || !(last_line_ == at)) return;
        line = &lines_.back();
    } else {
        lines_.push_back({as.drv.file_name(at.file), static_cast<long>(at.line), false, 0, {}, {}});
        line = &lines_.back();
        last_line_ = at;
    }
    if (has_address && !line->has_address) {
        line->has_address = true;
        line->address = static_cast<uint32_t>(address);
        line->section = as.drv.sections[static_cast<size_t>(as.drv.current_section)].name;
    }
    // A section without bytes (bss) gets none: the listing shows the zeros
    // a ds would be, but no output holds them.
    const int section = as.drv.current_section;
    if (!as.drv.section_holds_bytes(section)) return;
    line->bytes.insert(line->bytes.end(), lst.listing_bytes, lst.listing_bytes + kept);
    // The listing keeps the first bytes of a line (a few of an incbin): the
    // line's length in a section that stores bytes says how many follow.
    const uint32_t length =
        static_cast<uint32_t>(as.drv.location_counter) - static_cast<uint32_t>(as.drv.line_start_address);
    if (kept > 0 && length > static_cast<uint32_t>(kept) && length < (1u << 28)) {
        const size_t rest = length - static_cast<uint32_t>(kept);
        fills_.push_back({lines_.size() - 1, line->bytes.size(), section,
                          static_cast<uint32_t>(as.drv.line_start_address) + static_cast<uint32_t>(kept), rest});
        line->bytes.resize(line->bytes.size() + rest);
    }
}

void Collector::finish(AssemblyResult& result) {
    const std::unordered_set<std::string> exported(as.dir.export_list.begin(), as.dir.export_list.end());
    for (size_t i = 0; i < as.sym.size(); ++i) {
        const SymbolRecord& r = as.sym.at(i);
        if (r.type != TYPE_USER) continue;  // the register names
        SymbolInfo s;
        s.name.assign(r.name(), r.name_length);
        auto def = definitions_.find(s.name);
        if (r.flags & SYM_SET)
            s.kind = NameKind::set;
        else if (SymbolTable::is_import(r))
            s.kind = NameKind::external;
        else if (def != definitions_.end() && def->second.kind != NameKind::other)
            s.kind = def->second.kind;
        else if (r.kind == KIND_EQUATE)
            s.kind = NameKind::equate;
        s.defined = !SymbolTable::is_import(r) && !(r.flags & SYM_PENDING) && r.kind != KIND_UNDEFINED;
        s.value = r.value;
        if (r.kind == KIND_RELOCATABLE) s.section = as.drv.sections[r.section].name;
        s.exported = exported.count(s.name) != 0;
        if (def != definitions_.end()) s.definition = span_of(def->second.at);
        if (auto refs = references_.find(s.name); refs != references_.end())
            for (const Place& p : refs->second) s.references.push_back(span_of(p));
        result.symbols.push_back(std::move(s));
    }
    // Names used and never made (a misspelling, a label not yet written):
    // an editor still finds their uses.
    std::vector<std::string> unknown;
    for (const auto& [name, places] : references_)
        if (!as.sym.probe(name)) unknown.push_back(name);
    std::sort(unknown.begin(), unknown.end());
    for (const std::string& name : unknown) {
        SymbolInfo s;
        s.name = name;
        s.kind = is_local(name) ? NameKind::local_label : NameKind::other;
        for (const Place& p : references_[name]) s.references.push_back(span_of(p));
        result.symbols.push_back(std::move(s));
    }
    for (const Macro& m : macros_) {
        MacroInfo info{m.name, span_of(m.at), {}};
        for (const Place& p : m.calls) info.calls.push_back(span_of(p));
        result.macros.push_back(std::move(info));
    }
    for (const Include& inc : includes_) result.includes.push_back({span_of(inc.at), inc.written, inc.path});
    for (const Fill& f : fills_) {
        std::vector<uint8_t>& bytes = lines_[f.line].bytes;
        for (size_t i = 0; i < f.count; ++i) {
            const uint32_t address = f.address + static_cast<uint32_t>(i);
            auto it = section_bytes_.upper_bound({f.section, address});
            if (it == section_bytes_.begin()) continue;
            --it;
            if (it->first.first != f.section || address - it->first.second >= it->second.size()) continue;
            bytes[f.offset + i] = it->second[address - it->first.second];
        }
    }
    result.lines = std::move(lines_);
}

} // namespace tobra
