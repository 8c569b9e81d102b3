// Bit operations and shifts.
#include "driver/assembler.h"

namespace tobra {

namespace {

uint32_t reg3(const Operand& op) { return static_cast<uint32_t>(op.reg) & 7; }

// Bit operations work on a long in a data register and on a byte in memory;
// the byte size also makes btst's immediate operand a word.
uint32_t bit_size(const Operand& target) { return target.cls == CLS_DN ? SZ_L : SZ_B; }

} // namespace

// 7: bchg, bclr, bset, btst Dn,<ea>.
void Encoder::h_bit_dynamic(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const Operand& dst = st.operands[1];
    size = bit_size(dst);
    put_word(op + (reg3(st.operands[0]) << 9) + modreg(dst));
    ea_extension(dst, size, st.size);
}

// 22: bchg, bclr, bset, btst #imm,<ea>; the bit number word leaves no room
// for a brief index.
void Encoder::h_bit_static(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    if (!operands_allowed(st, false)) return;
    const Operand& dst = st.operands[1];
    size = bit_size(dst);
    const Operand& bit = st.operands[0];
    put_word(op + modreg(dst));
    // The bit number is the low byte of its word. A value the linker gives
    // keeps all its bits there: a format that relocates the whole word adds
    // to them.
    as.emit.value_fixup(bit, as.drv.location_counter + 1, 1, FixupKind::absolute, 0, true);
    put_word(as.emit.linked(bit) ? static_cast<uint32_t>(bit.value)
                                 : static_cast<uint32_t>(range_check(bit.value, RANGE_BITNUM)));
    ea_extension(dst, size, st.size);
}

// 16: asl, asr, lsl, lsr Dx,Dy.
void Encoder::h_shift_reg(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    put_word(op + size76(size) + (reg3(st.operands[0]) << 9) + reg3(st.operands[1]));
}

// 17: asl, asr, lsl, lsr #imm,Dy.
void Encoder::h_shift_imm(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    const Operand& count = st.operands[0];
    narrow_field(count, "the 3-bit shift count");
    put_word(op + (static_cast<uint32_t>(checked(count, RANGE_QUICK)) << 9) + size76(size) + reg3(st.operands[1]));
}

} // namespace tobra
