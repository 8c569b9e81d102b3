// What the record directives share: name reading and composing, listing
// values, the per-pass reset and the actions of the skip table.
#include "directives/records.h"

#include "driver/assembler.h"

namespace tobra {

void RecordDirectives::reset_pass() {
    // Both passes must hand out the same values, also to a source that never
    // says enumreset or lvoreset, or the symbol table reports phasing errors.
    enum_counter = 0;
    vector_counter = 0;
    downward_structure = 0;
    class_tag_counter = 0;
}

std::optional<std::string> RecordDirectives::read_name(TextCursor& c) {
    auto word = as.dir.read_word_item(c);
    if (!word) return std::nullopt;
    return std::string(*word);
}

void RecordDirectives::compose(std::string& buffer, std::string_view prefix, std::string_view name) {
    buffer.assign(prefix);
    buffer.append(name);
}

void RecordDirectives::define(const std::string& name, int32_t value) {
    as.sym.install(name, value, TYPE_USER, KIND_ABSOLUTE);
}

void RecordDirectives::list_value(int32_t value) {
    as.drv.line_start_address = value;
    as.lst.listing_show_address = true;
}

bool RecordDirectives::eval_operand(TextCursor& c, int32_t& value, Operand& op) {
    op.clear();
    int32_t words[2] = {0, 0};
    int type = as.ev.eval(c, words, op);
    value = type != 0 ? words[0] : 0;
    op.fraction = as.ev.expr_fraction;
    return type != 0;
}

void RecordDirectives::compose_bit_names(const std::string& prefix, const std::string& name) {
    bool upper = !prefix.empty() && prefix[0] >= 'A' && prefix[0] <= 'Z';
    std::string bit = prefix + (upper ? "B_" : "b_");
    std::string mask = prefix + (upper ? "F_" : "f_");
    compose(name_buffer_1, bit, name);
    compose(name_buffer_2, mask, name);
}

// While a block is skipped nothing is defined and no counter moves, except
// the class-tag counter: the numbering of a table must not depend on which
// of its entries were assembled.
void RecordDirectives::skip_line(Statement& st, SkipAction action) {
    switch (action) {
    case SKIP_LIST_NAME: {
        auto name = read_name(st.cursor);
        if (name && !name->empty()) skip_list_symbol(*name);
        break;
    }
    case SKIP_LIST_BITDEF: {
        auto prefix = read_name(st.cursor);
        auto name = read_name(st.cursor);
        compose_bit_names(prefix.value_or(""), name.value_or(""));
        skip_list_symbol(name_buffer_2);
        break;
    }
    case SKIP_LIST_LVO: {
        auto name = read_name(st.cursor);
        compose(name_buffer_1, "_lvo", name.value_or(""));
        skip_list_symbol(name_buffer_1);
        break;
    }
    case SKIP_CLASSTAG_START: skip_classtag_start(st); break;
    case SKIP_CLASSTAG: skip_classtag(st); break;
    case SKIP_CLASSTAG_END: skip_classtagend(st); break;
    default: break;
    }
}

void RecordDirectives::skip_list_symbol(const std::string& name) {
    if (const SymbolRecord* s = as.sym.probe(name)) list_value(s->value);
}

void RecordDirectives::skip_classtag_start(Statement& st) {
    auto name = read_name(st.cursor);
    if (!name || name->empty()) {
        class_tag_counter = 0;
        return;
    }
    compose(name_buffer_1, "ct_", *name);
    if (const SymbolRecord* s = as.sym.probe(name_buffer_1)) {
        class_tag_counter = s->value;
        list_value(s->value);
    }
}

void RecordDirectives::skip_classtag(Statement& st) {
    auto name = read_name(st.cursor);
    // An assembled classtag without a name does nothing, so neither does a skipped one.
    if (!name || name->empty()) return;
    compose(name_buffer_1, "ct_", *name);
    if (const SymbolRecord* s = as.sym.probe(name_buffer_1)) {
        list_value(s->value);
        as.lst.class_tag_line(s->value, name_buffer_1);
    }
    class_tag_counter = wrap_add(class_tag_counter, 4);
}

void RecordDirectives::skip_classtagend(Statement& st) {
    auto name = read_name(st.cursor);
    if (!name || name->empty()) {
        list_value(class_tag_counter);
        return;
    }
    compose(name_buffer_1, "ct_", *name);
    if (const SymbolRecord* s = as.sym.probe(name_buffer_1)) {
        list_value(s->value);
        as.lst.class_tag_line(s->value, name_buffer_1);
    }
}

} // namespace tobra
