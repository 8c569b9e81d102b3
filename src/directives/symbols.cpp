// The word reader, and the directives that name things: equ, xref, xdef,
// idnt, end, page.
#include <cstring>
#include <string>

#include "directives/messages.h"
#include "driver/assembler.h"

namespace tobra {

std::optional<std::string_view> Directives::read_word_item(TextCursor& c) {
    const char*& p = c.at;
    word_buffer_.clear();
    while (*p != '\0' && *p != ' ' && *p != '\t' && *p != ',' && *p != '\n') {
        if (*p != '"') word_buffer_.push_back(*p);
        ++p;
    }
    if (*p != '\0') {
        ++p;
    } else if (word_buffer_.empty()) {
        return std::nullopt;
    }
    return std::string_view(word_buffer_);
}

void Directives::list_value(int32_t value) {
    as.drv.line_start_address = value;
    as.lst.listing_show_address = true;
}

int32_t Directives::equate_value(const Operand& op) const {
    if (op.cls != CLS_STRING) return op.value;
    // Packed high byte first; only the last four characters survive.
    uint32_t packed = 0;
    for (char c : as.ev.string_at(op.value)) packed = (packed << 8) | static_cast<uint8_t>(c);
    return static_cast<int32_t>(packed);
}

void Directives::define_equate(std::string_view label, const Operand& op, int32_t value, bool single) {
    // ext-* counts from the line that writes it; a name used elsewhere would
    // silently count from there.
    if (op.pc_relative) {
        as.report_error_arg(msg::EQU_DISTANCE_FROM_THIS_LINE_FMT, std::string(label).c_str());
        return;
    }
    // In an object file a name set to a label plus a constant moves with the
    // label's section, as the label does.
    if (op.reloc_kind == KIND_RELOCATABLE && as.options.relocatable_output) {
        as.sym.install(label, value, TYPE_USER, KIND_RELOCATABLE, op.sym_section);
        return;
    }
    as.sym.install(label, value, TYPE_USER, KIND_EQUATE);
    SymbolRecord* r = as.sym.probe(label);
    // Not this line's name when the install was refused (a redefinition).
    if (!r || r->value != value || SymbolTable::is_import(*r)) return;
    if (op.address && r->kind == KIND_EQUATE) r->flags |= SYM_ADDRESS;
    if (op.reloc_kind == KIND_EXTERNAL) {
        // An external name plus a constant: each use relocates against the
        // external, and an absolute output refuses the uses as it does the
        // external's own.
        if (const SymbolRecord* base = as.ev.line_symbol(op.sym_slot)) as.sym.make_based(*r, *base);
    } else if (single && r->kind == KIND_EQUATE) {
        // A .s value, or 2.5 under any size, is the bits of a single-precision
        // number: dc.s and dc.d compute with it as a number, and dc.d widens
        // it; a count or an address refuses it, as it refuses 2.5 itself.
        r->flags |= SYM_SINGLE;
    }
}

void Directives::d_equ(Statement& st) {
    const char* label = st.label.data();
    if (label[0] == '\0') {
        as.report_error(msg::EQU_REQUIRES_LABEL);
        return;
    }
    const Operand& op = st.operands[0];
    if (as.drv.pass_number == 1 && as.ev.expr_undefined && op.cls != CLS_STRING) {
        defer_equate(st, label);
        list_value(0);
        return;
    }
    const int32_t value = equate_value(op);
    if (op.cls == CLS_STRING) {
        as.sym.install(label, value, TYPE_USER, KIND_EQUATE);
    } else {
        define_equate(label, op, value, st.size == SZ_S || op.fraction);
    }
    list_value(value);
}

void Directives::d_set(Statement& st) {
    const char* label = st.label.data();
    if (label[0] == '\0') {
        as.report_error(msg::SET_REQUIRES_LABEL);
        return;
    }
    // Both passes must see the same value at every use, so it cannot wait
    // for a name defined further down.
    if (as.drv.pass_number == 1 && as.ev.expr_undefined) {
        std::string text = "set: '" + std::string(label) + "' - expression MUST evaluate";
        const std::string waiting = waiting_text();
        if (!waiting.empty())
            text += ", " + waiting;
        else if (!as.ev.missed_name().empty())
            text += ", " + std::string(as.ev.missed_name()) + " is not defined above";
        as.report_error(msg::SET_EXPRESSION_MUST_EVALUATE_BUILT.with(text.c_str()));
        return;
    }
    const Operand& op = st.operands[0];
    const int32_t value = equate_value(op);
    // The kinds follow equ's.
    const bool relocatable = as.options.relocatable_output;
    const bool is_string = op.cls == CLS_STRING;
    if (op.pc_relative) {
        as.report_error_arg(msg::SET_DISTANCE_FROM_THIS_LINE_FMT, label);
        return;
    }
    if (!is_string && op.reloc_kind == KIND_RELOCATABLE && relocatable) {
        as.sym.set(label, value, KIND_RELOCATABLE, op.sym_section);
    } else {
        as.sym.set(label, value, KIND_EQUATE);
        // Set again further down, the name relocates against the external
        // named at each line: the flags go with the value.
        SymbolRecord* r = as.sym.probe(label);
        const SymbolRecord* base = as.ev.line_symbol(op.sym_slot);
        if (!is_string && op.reloc_kind == KIND_EXTERNAL && r && (r->flags & SYM_SET) && r->value == value && base)
            as.sym.make_based(*r, *base);
        // Whether it holds an address goes with the value too.
        if (r && (r->flags & SYM_SET) && r->kind == KIND_EQUATE)
            r->flags = static_cast<uint8_t>((r->flags & ~(SYM_ADDRESS | SYM_SINGLE)) |
                                            (op.address && !is_string ? SYM_ADDRESS : 0) |
                                            (op.fraction && !is_string ? SYM_SINGLE : 0));
    }
    list_value(value);
}

// Whether the word just read ended at a comma, so that another name follows.
// Blanks after the comma belong to the separator (xdef a, b), so they are
// stepped over here.
bool Directives::list_continues(TextCursor& c) {
    const char*& p = c.at;
    if (p[-1] != ',') return false;
    while (*p == ' ' || *p == '\t') ++p;
    return true;
}

// The next name of an xref or xdef list; nothing at the end of the list or
// where a comment starts (a trailing comma names nothing). Two commas in a
// row leave a name out, which is reported; the list goes on after them.
std::optional<std::string_view> Directives::read_list_name(Statement& st) {
    for (;;) {
        const char c = st.cursor.peek();
        if (c == ';' || c == '\n' || c == '\0') return std::nullopt;
        auto name = read_word_item(st.cursor);
        if (!name) return std::nullopt;
        if (!name->empty()) return name;
        if (!list_continues(st.cursor)) return std::nullopt;
        as.report_error_arg(msg::NAME_MISSING_IN_LIST_FMT, st.mnemonic.data());
    }
}

void Directives::d_xref(Statement& st) {
    do {
        auto name = read_list_name(st);
        if (!name) break;
        as.sym.install(*name, 0, TYPE_USER, KIND_EXTERNAL);
    } while (list_continues(st.cursor));
    as.scan.check_field_end(st.cursor.at - 1);
}

void Directives::d_xdef(Statement& st) {
    if (as.drv.pass_number != 2) return;
    do {
        auto name = read_list_name(st);
        if (!name) break;
        // No symbol of an object file is another file's name plus a
        // constant, and leaving it out would only move the error to the link.
        const SymbolRecord* s = as.sym.probe(*name);
        if (s && (s->flags & SYM_BASED) && as.options.relocatable_output) {
            const SymbolRecord* base = as.sym.relocation_symbol(s);
            const std::string text = "xdef: " + std::string(*name) + " is " + base->name() +
                                     " plus a constant; an object file cannot export it";
            as.report_error(msg::XDEF_PLUS_A_CONSTANT_CANNOT_EXPORT_BUILT.with(text.c_str()));
            continue;
        }
        // An export entry of the native object always gives a place in one of
        // this file's sections: an xref'd name there would become a definition
        // at offset 0 of code, which a linker would hand to every other file.
        // ELF keeps it what it is, an undefined global.
        if (s && SymbolTable::is_import(*s) && as.options.relocatable_output && !as.options.named_sections) {
            as.report_warning_arg(msg::XDEF_EXTERNAL_NOT_EXPORTED_FMT, std::string(*name).c_str());
            continue;
        }
        export_list.emplace_back(*name);
    } while (list_continues(st.cursor));
    as.scan.check_field_end(st.cursor.at - 1);
}

void Directives::d_idnt(Statement& st) {
    if (as.drv.pass_number != 1) return;
    for (auto& entry : identification_strings) {
        auto word = read_word_item(st.cursor);
        if (!word) break;
        if (!entry) entry.emplace(*word);
    }
}

void Directives::d_end(Statement& st) {
    as.drv.end_seen = 1;
    if (as.drv.pass_number != 2) return;
    // end start: the program's entry point. Only a name the table knows is
    // taken, so that free text after end, which sources have always been
    // able to put there, is still no error.
    const char* p = st.cursor.at;
    const char* start = p;
    if (!is_name_start(*p)) return;
    while (is_name_char(*p)) ++p;
    const std::string_view name(start, static_cast<size_t>(p - start));
    const SymbolRecord* s = as.sym.probe(name);
    if (!s || s->type != TYPE_USER) return;
    // Only S-records and Intel HEX have an entry record.
    const bool has_entry = !as.options.relocatable_output && !(as.options.output_formats & FORMAT_BINARY);
    // end start+4 is read whole: the name alone would start the program
    // somewhere else.
    if (*p != '\0' && std::strchr("+-*/%&|^<>", *p)) {
        Operand op;
        int32_t value[2] = {0, 0};
        if (as.ev.eval(st.cursor, value, op) != TYPE_USER || as.ev.expr_undefined) return;
        if (op.reloc_kind == KIND_EXTERNAL) {
            if (has_entry) as.report_error_arg(msg::END_ENTRY_POINT_IS_EXTERNAL_FMT, std::string(name).c_str());
            return;
        }
        as.emit.entry_address = static_cast<uint32_t>(value[0]);
        return;
    }
    if (s->kind == KIND_EXTERNAL) {
        if (has_entry) as.report_error_arg(msg::END_ENTRY_POINT_IS_EXTERNAL_FMT, std::string(name).c_str());
        return;
    }
    as.emit.entry_address = static_cast<uint32_t>(s->value);
}

void Directives::d_page() {
    if (as.drv.pass_number == 2 && as.options.listing_enabled) as.lst.out().put('\f');
}

} // namespace tobra
