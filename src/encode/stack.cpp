// Register lists and the stack: movem, push, pull, link.
#include <bit>

#include "driver/assembler.h"

namespace tobra {

namespace {

constexpr uint32_t LEA_D16_A7_A7 = 0x4FEF;  // lea d16(a7),a7
constexpr uint32_t EA_A7_INDIRECT = 0x17;    // (a7)

} // namespace

// 47: movem list,<ea>.
void Encoder::h_movem_store(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, false)) return;
    const Operand& dst = st.operands[1];
    put_word(op + modreg(dst));
    put_word(getrlist(st.operands[0]));
    ea_extension(dst, size, st.size);
}

// 48: movem <ea>,list.
void Encoder::h_movem_load(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, false)) return;
    const Operand& src = st.operands[0];
    put_word(op + modreg(src));
    put_word(getrlist(st.operands[1]));
    ea_extension(src, size, st.size);
}

// 54: push list or Rn. One register is a plain move.l to -(a7); a list
// makes room first, because movem has no predecrement form here.
void Encoder::h_push(Statement& st, uint32_t op, uint32_t) {
    const uint32_t mask = getrlist(st.operands[0]);
    const int count = std::popcount(mask);
    const uint32_t top = static_cast<uint32_t>(std::bit_width(mask)) - 1;
    if (count == 1) {
        put_word(0x2F00 + top);
        return;
    }
    put_word(LEA_D16_A7_A7);
    put_word(static_cast<uint32_t>(-4 * count));
    put_word(op + EA_A7_INDIRECT);
    put_word(mask);
}

// 55: pull list or Rn, the mirror of push.
void Encoder::h_pull(Statement& st, uint32_t op, uint32_t) {
    const uint32_t mask = getrlist(st.operands[0]);
    const int count = std::popcount(mask);
    const uint32_t top = static_cast<uint32_t>(std::bit_width(mask)) - 1;
    if (count == 1) {
        put_word(top < 8 ? 0x201F + (top << 9) : 0x205F + ((top - 8) << 9));
        return;
    }
    put_word(op + EA_A7_INDIRECT);
    put_word(mask);
    put_word(LEA_D16_A7_A7);
    put_word(static_cast<uint32_t>(4 * count));
}

// 43: link An,#imm; the displacement is taken as written, in 16 bits.
void Encoder::h_link(Statement& st, uint32_t op, uint32_t) {
    const Operand& frame = st.operands[1];
    put_word(op + (static_cast<uint32_t>(st.operands[0].reg) & 7));
    as.emit.value_fixup(frame, as.drv.location_counter, 2, FixupKind::absolute);
    put_word(static_cast<uint32_t>(checked(frame, RANGE_S16_BITS)));
}

} // namespace tobra
