// Library-vector offsets and the calls through them.
#include "directives/records.h"

#include "directives/messages.h"
#include "driver/assembler.h"

namespace tobra {

namespace {
constexpr int32_t JSR_D16_A6 = 0x4EAE;       // jsr d16(a6)
constexpr int32_t PUSH_A6 = 0x2F0E;          // move.l a6,-(sp)
constexpr int32_t LOAD_A6_FROM_A6 = 0x2C6E;  // movea.l d16(a6),a6
constexpr int32_t LOAD_A6_FROM_A4 = 0x2C6C;  // movea.l d16(a4),a6
constexpr int32_t POP_A6 = 0x2C5F;           // movea.l (sp)+,a6
constexpr int32_t VECTOR_SIZE = 6;           // each table entry is a jmp with a long address

// The d16 word about to be emitted, of jsr d16(a6) or movea.l d16(a6/a4),a6:
// a vector or base that is an external name or a label gets the fixup a
// written jsr name(a6) gets, never a silent 0.
void displacement_fixup(Assembler& as, const SymbolRecord* s) {
    if (!s || as.drv.pass_number != 2) return;
    Fixup f;
    if (s->kind == KIND_EXTERNAL)
        f.symbol = as.sym.relocation_symbol(s);
    else if (s->kind == KIND_RELOCATABLE)
        f.target_section = s->section;
    else
        return;
    f.section = as.drv.current_section;
    f.offset = static_cast<uint32_t>(as.drv.location_counter);
    f.width = 2;
    f.kind = FixupKind::base_relative;
    f.addend = s->value;
    as.emit.fixup(f);
}
}  // namespace

void RecordDirectives::d_lvoreset() {
    vector_counter = 0;
    as.lst.listing_show_address = true;
}

// A nameless lvo still takes its slot: tables keep reserved entries that way.
void RecordDirectives::d_lvo(Statement& st) {
    auto name = read_name(st.cursor);
    vector_counter = wrap_sub(vector_counter, VECTOR_SIZE);
    compose(name_buffer_1, "_lvo", name.value_or(""));
    if (name && !name->empty()) define(name_buffer_1, vector_counter);
    list_value(vector_counter);
}

// A call takes the same room in both passes whether or not its names are
// known yet: a vector or base defined further down is found in pass 2, and
// an undefined one is an error there, which removes the output anyway.
void RecordDirectives::d_call(Statement& st) {
    auto name = read_name(st.cursor);
    compose(name_buffer_1, "_lvo", name.value_or(""));
    const SymbolRecord* vector = as.sym.lookup(name_buffer_1);
    as.emit.emit_word(JSR_D16_A6);
    displacement_fixup(as, vector);
    as.emit.emit_word(vector ? vector->value : 0);
    as.lst.listing_show_address = true;
    // Only a word straight after the name counts: a comment after a blank
    // starts with ';', and two blanks make an empty word.
    auto extra = read_name(st.cursor);
    if (extra && !extra->empty() && (*extra)[0] != ';') as.report_error(msg::CALL_TOO_MANY_PARAMETERS);
}

void RecordDirectives::d_callres(Statement& st, bool user) {
    auto name = read_name(st.cursor);
    compose(name_buffer_1, "_lvo", name.value_or(""));
    auto base_name = read_name(st.cursor);
    if (!base_name || base_name->empty()) {
        as.report_error(msg::CALLRES_BASE_LABEL_NOT_SUPPLIED);
        return;
    }
    name_buffer_2 = *base_name;
    const SymbolRecord* base = as.sym.lookup(name_buffer_2);
    int32_t displacement = base ? as.enc.range_check(base->value, RANGE_S16) : 0;
    // With the base missing the vector is not looked up: one error per call.
    const SymbolRecord* vector = base ? as.sym.lookup(name_buffer_1) : nullptr;

    as.emit.emit_word(PUSH_A6);
    as.emit.emit_word(user ? LOAD_A6_FROM_A4 : LOAD_A6_FROM_A6);
    displacement_fixup(as, base);
    as.emit.emit_word(displacement);
    as.emit.emit_word(JSR_D16_A6);
    displacement_fixup(as, vector);
    as.emit.emit_word(vector ? vector->value : 0);
    as.emit.emit_word(POP_A6);
    as.lst.listing_show_address = true;
}

} // namespace tobra
