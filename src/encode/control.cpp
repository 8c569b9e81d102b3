// Fixed words and the small system formats: nop and friends, rts/rte, stop,
// trap, tpf, the one-register forms, cache and debug instructions, and the
// ISA_B and ISA_A+ single-operand instructions.
#include "driver/assembler.h"

namespace tobra {

namespace {

uint32_t reg3(const Operand& op) { return static_cast<uint32_t>(op.reg) & 7; }

} // namespace

// 0: one fixed word.
void Encoder::h_fixed(Statement&, uint32_t op, uint32_t) { put_word(op); }

// 139: rts, rte, with a nop behind them when asked for.
void Encoder::h_rts(Statement&, uint32_t op, uint32_t) {
    put_word(op);
    if (as.drv.rts_nop) put_word(0x4E71);
}

// 12: stop #imm.
void Encoder::h_stop(Statement& st, uint32_t op, uint32_t) {
    const Operand& sr = st.operands[0];
    put_word(op);
    as.emit.value_fixup(sr, as.drv.location_counter, 2, FixupKind::absolute);
    put_word(static_cast<uint32_t>(checked(sr, RANGE_W)));
}

// 15: trap #vector.
void Encoder::h_trap(Statement& st, uint32_t op, uint32_t) {
    const Operand& vector = st.operands[0];
    narrow_field(vector, "the 4-bit trap vector");
    put_word(op + static_cast<uint32_t>(checked(vector, RANGE_TRAP)));
}

// 52: tpf/trapf #imm. Without a suffix the data is a word, and so is the
// opmode, so that the processor skips exactly what was emitted.
void Encoder::h_tpf(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    const Operand& data = st.operands[0];
    const bool is_long = size == SZ_L;
    put_word(op + (is_long ? 3 : 2));
    as.emit.value_fixup(data, as.drv.location_counter, is_long ? 4 : 2, FixupKind::absolute);
    if (is_long)
        as.emit.emit_long(data.value);
    else
        put_word(static_cast<uint32_t>(checked(data, RANGE_U16)));
}

// 53: wdebug <ea>; its second word leaves no room for a brief index.
void Encoder::h_wdebug(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, false)) return;
    const Operand& src = st.operands[0];
    put_word(op + modreg(src));
    put_word(flags);
    ea_extension(src, size, st.size);
}

// 41: ext, extb, swap Dn; unlk An; cpushl (An).
void Encoder::h_reg_only(Statement& st, uint32_t op, uint32_t) { put_word(op + reg3(st.operands[0])); }

// 155: cpushl dc/ic/bc,(An).
void Encoder::h_cpushl_cache(Statement& st, uint32_t op, uint32_t) {
    put_word(op + ((static_cast<uint32_t>(st.operands[0].reg) & 3) << 6) + reg3(st.operands[1]));
}

// 146: intouch (An).
void Encoder::h_intouch(Statement& st, uint32_t op, uint32_t) {
    put_word(op + reg3(st.operands[0]));
}

// 149: sats Dn, tas <ea>.
void Encoder::h_sats_tas(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const Operand& ea = st.operands[0];
    put_word(op + modreg(ea));
    ea_extension(ea, size, st.size);
}

// 178: bitrev, byterev, ff1 Dn; strldsr #imm.
void Encoder::h_isa_a_plus(Statement& st, uint32_t op, uint32_t flags) {
    const Operand& src = st.operands[0];
    if (src.cls != CLS_IMM) {
        put_word(op + reg3(src));
        return;
    }
    put_word(op);
    put_word(flags);
    as.emit.value_fixup(src, as.drv.location_counter, 2, FixupKind::absolute);
    put_word(static_cast<uint32_t>(checked(src, RANGE_W)));
}

} // namespace tobra
