// Class tags: numbered tables of longs with a header that holds their end offset.
#include "directives/records.h"

#include "directives/messages.h"
#include "driver/assembler.h"

namespace tobra {

void RecordDirectives::d_classtagbegin(Statement& st) {
    auto name = read_name(st.cursor);
    bool named = name && !name->empty();
    if (named) compose(name_buffer_1, "ct_", *name);

    Operand op;
    int32_t start = 0;
    if (eval_operand(st.cursor, start, op) && start % 4 != 0) as.report_warning(msg::CLASSTAGBEGIN_VALUE_IS_NOT_LONGWORD_ALIGNED);
    if (as.dir.defined_above(st, as.ev.expr_fwd) &&
        (!as.dir.constant_value(st, op) || !as.dir.whole_number(st, op)))
        start = 0;
    class_tag_counter = start;
    structure_offset = 0;
    if (!named) return;

    // The end symbol only exists after the block's classtagend, so pass 1
    // holds the place of the header with 0 and pass 2 writes the real value.
    if (as.drv.pass_number == 1) {
        as.emit.emit_long(0);
        return;
    }
    const SymbolRecord* end = as.sym.probe(name_buffer_1);
    if (!end) as.fatal_error(msg::CLASSTAGBEGIN_LABEL_NOT_FOUND_MISSING_CLASSTAGEND);
    as.emit.emit_long(end->value);
}

void RecordDirectives::d_classtag(Statement& st) {
    auto name = read_name(st.cursor);
    if (!name || name->empty()) return;
    compose(name_buffer_1, "ct_", *name);
    define(name_buffer_1, class_tag_counter);

    Operand op;
    int32_t value = 0;
    bool present = eval_operand(st.cursor, value, op);
    structure_offset = value;
    if (present) {
        // Same rule as a dc.l of a label: the linker must move the value
        // with the section it points into.
        as.emit.value_fixup(op, as.drv.location_counter, 4, FixupKind::absolute);
        as.emit.emit_long(value);
    }
    as.lst.class_tag_line(class_tag_counter, name_buffer_1);
    class_tag_counter = wrap_add(class_tag_counter, 4);
}

void RecordDirectives::d_classtagend(Statement& st) {
    auto name = read_name(st.cursor);
    if (name && !name->empty()) {
        compose(name_buffer_1, "ct_", *name);
        define(name_buffer_1, class_tag_counter);
        as.lst.class_tag_line(class_tag_counter, name_buffer_1);
    } else {
        as.lst.class_tag_line(class_tag_counter, "");
    }
}

void RecordDirectives::d_classtagconcat(Statement& st) {
    auto name = read_name(st.cursor);
    structure_offset = 0;
    if (!name || name->empty()) return;
    compose(name_buffer_1, "ct_", *name);
    const SymbolRecord* end = as.sym.probe(name_buffer_1);
    // Checked in pass 1 already: the continued block must have ended above.
    if (!end) as.fatal_error(msg::CLASSTAGCONCAT_LABEL_NOT_FOUND);
    class_tag_counter = end->value;
}

} // namespace tobra
