// Placeholder bodies; the real ones come with their subsystem.
#include "driver/assembler.h"

namespace tobra {

void Encoder::h_addx(uint32_t, uint32_t) {}
void Encoder::h_ea_to_areg(uint32_t, uint32_t) {}
void Encoder::h_logic_to_dreg(uint32_t, uint32_t) {}
void Encoder::h_bit_dynamic(uint32_t, uint32_t) {}
void Encoder::h_dreg_to_ea(uint32_t, uint32_t) {}
void Encoder::h_imm_to_dreg(uint32_t, uint32_t) {}
void Encoder::h_quick(uint32_t, uint32_t) {}
void Encoder::h_stop(uint32_t, uint32_t) {}
void Encoder::h_trap(uint32_t, uint32_t) {}
void Encoder::h_shift_reg(uint32_t, uint32_t) {}
void Encoder::h_shift_imm(uint32_t, uint32_t) {}
void Encoder::h_ea_source(uint32_t, uint32_t) {}
void Encoder::h_ea_dest(uint32_t, uint32_t) {}
void Encoder::h_ea_sized(uint32_t, uint32_t) {}
void Encoder::h_bit_static(uint32_t, uint32_t) {}
void Encoder::h_reg_only(uint32_t, uint32_t) {}
void Encoder::h_move_usp(uint32_t, uint32_t) {}
void Encoder::h_link(uint32_t, uint32_t) {}
void Encoder::h_move(uint32_t, uint32_t) {}
void Encoder::h_movec(uint32_t, uint32_t) {}
void Encoder::h_moveq(uint32_t, uint32_t) {}
void Encoder::h_movem_store(uint32_t, uint32_t) {}
void Encoder::h_movem_load(uint32_t, uint32_t) {}
void Encoder::h_tpf(uint32_t, uint32_t) {}
void Encoder::h_wdebug(uint32_t, uint32_t) {}
void Encoder::h_push(uint32_t, uint32_t) {}
void Encoder::h_pull(uint32_t, uint32_t) {}
void Encoder::h_mov3q(uint32_t, uint32_t) {}
void Encoder::h_cmp(uint32_t, uint32_t) {}
void Encoder::h_cmpa(uint32_t, uint32_t) {}
void Encoder::h_cmpi(uint32_t, uint32_t) {}
void Encoder::h_intouch(uint32_t, uint32_t) {}
void Encoder::h_mvs_mvz(uint32_t, uint32_t) {}
void Encoder::h_sats_tas(uint32_t, uint32_t) {}
void Encoder::h_mul_long(uint32_t, uint32_t) {}
void Encoder::h_div_word(uint32_t, uint32_t) {}
void Encoder::h_div_long(uint32_t, uint32_t) {}
void Encoder::h_cpushl_cache(uint32_t, uint32_t) {}
void Encoder::h_isa_a_plus(uint32_t, uint32_t) {}
void Encoder::h_add_sub(uint32_t, uint32_t, bool) {}
void Encoder::h_fixed(uint32_t op, uint32_t) { as.emit.emit_word(static_cast<int32_t>(op)); }
void Encoder::h_rts(uint32_t op, uint32_t) {
    as.emit.emit_word(static_cast<int32_t>(op));
    if (as.options.rts_nop) as.emit.emit_word(0x4E71);
}
int32_t Encoder::range_check(int32_t value, int) { return value; }
uint32_t Encoder::size76() { return 0; }
uint32_t Encoder::modreg(const Operand&) { return 0; }
void Encoder::ea_extension(const Operand&) {}
uint32_t Encoder::brief_extension(const Operand&) { return 0; }
uint32_t Encoder::register_nibble(const Operand&) { return 0; }
uint32_t Encoder::getrlist(const Operand&) { return 0; }

} // namespace tobra
