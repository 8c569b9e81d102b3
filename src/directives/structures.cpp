// Record layouts, enumerations and bit definitions: constants that emit nothing.
#include "directives/records.h"

#include "directives/messages.h"
#include "driver/assembler.h"
#include "driver/collect.h"

namespace tobra {

void RecordDirectives::d_structure(Statement& st, bool downward) {
    downward_structure = downward ? 1 : 0;
    auto name = read_name(st.cursor);
    Operand op;
    int32_t start = 0;
    eval_operand(st.cursor, start, op);
    if (as.dir.defined_above(st, as.ev.expr_fwd) &&
        (!as.dir.constant_value(st, op) || !as.dir.whole_number(st, op)))
        start = 0;
    structure_offset = start;
    if (name && !name->empty()) define(*name, structure_offset);
    list_value(structure_offset);
}

// A field without a name still takes its room, like padding in a record.
void RecordDirectives::define_field(const std::optional<std::string>& name, int32_t size) {
    bool named = name && !name->empty();
    if (named && as.collector) [[unlikely]]
        as.collector->field_follows();
    list_value(structure_offset);
    if (downward_structure) {
        structure_offset = wrap_sub(structure_offset, size);
        if (named) define(*name, structure_offset);
    } else {
        if (named) define(*name, structure_offset);
        structure_offset = wrap_add(structure_offset, size);
    }
}

void RecordDirectives::d_field(Statement& st, int size) {
    define_field(read_name(st.cursor), size);
}

void RecordDirectives::d_struct(Statement& st) {
    auto name = read_name(st.cursor);
    Operand op;
    int32_t size = 0;
    eval_operand(st.cursor, size, op);
    if (as.ev.expr_undefined)
        as.report_error_arg(msg::STRUCT_UNDEFINED_CONSTANT_FMT, name.value_or("").c_str());
    else if (!as.dir.constant_value(st, op) || !as.dir.whole_number(st, op)) size = 0;
    define_field(name, size);
}

void RecordDirectives::d_label(Statement& st) {
    auto name = read_name(st.cursor);
    if (name && !name->empty()) define(*name, structure_offset);
    list_value(structure_offset);
}

void RecordDirectives::d_enumreset() {
    enum_counter = 0;
}

void RecordDirectives::d_enumset(Statement& st) {
    as.dir.defined_above(st, st.operands[0].fwd);
    enum_counter = as.dir.constant_value(st, st.operands[0]) && as.dir.whole_number(st, st.operands[0])
                       ? st.operands[0].value
                       : 0;
}

void RecordDirectives::d_enum(Statement& st) {
    auto name = read_name(st.cursor);
    if (name && !name->empty()) define(*name, enum_counter);
    list_value(enum_counter);
    uint32_t mask = st.size;
    int32_t step = mask == SZ_W ? 2 : mask == SZ_L ? 4 : 1;
    enum_counter = wrap_add(enum_counter, step);
}

void RecordDirectives::d_bitdef(Statement& st) {
    auto prefix = read_name(st.cursor);
    auto name = read_name(st.cursor);
    Operand op;
    int32_t bit = 0;
    eval_operand(st.cursor, bit, op);
    if (as.dir.defined_above(st, as.ev.expr_fwd) && !as.dir.constant_value(st, op)) bit = 0;
    compose_bit_names(prefix.value_or(""), name.value_or(""));
    // A long has bits 0 to 31; any other number would name a bit that is not there.
    int32_t mask = 0;
    if (bit < 0 || bit > 31)
        as.report_error(msg::BITDEF_BIT_NUMBER_OUT_OF_RANGE);
    else
        mask = static_cast<int32_t>(uint32_t{1} << bit);
    define(name_buffer_1, bit);
    define(name_buffer_2, mask);
    list_value(mask);
}

} // namespace tobra
