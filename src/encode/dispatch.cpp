// The dispatcher: runs the handler of a matched variant.
#include "driver/assembler.h"
#include "driver/opt.h"

namespace tobra {

void Encoder::dispatch_handler(int handler, uint32_t opcode, uint32_t flags) {
    if (!as.drv.assembling()) {
        as.dir.skip_line(handler);
        return;
    }
    if (as.drv.optimise_flags & OPT_INDEX) {
        // Only an indexed operand can be rewritten; most lines have none.
        Operand* const ops = as.scan.operands;
        if (ops[0].cls == CLS_INDEXED) zero_displacement_rewrite(ops[0]);
        if (ops[1].cls == CLS_INDEXED) zero_displacement_rewrite(ops[1]);
    }
    Directives& d = as.dir;
    RecordDirectives& r = as.rec;
    switch (handler) {
    // Instructions.
    case 0: h_fixed(opcode, flags); break;
    case 2: h_addx(opcode, flags); break;
    case 5: h_ea_to_areg(opcode, flags); break;
    case 6: h_logic_to_dreg(opcode, flags); break;
    case 7: h_bit_dynamic(opcode, flags); break;
    case 8: h_dreg_to_ea(opcode, flags); break;
    case 9: h_imm_to_dreg(opcode, flags); break;
    case 10: h_quick(opcode, flags); break;
    case 12: h_stop(opcode, flags); break;
    case 15: h_trap(opcode, flags); break;
    case 16: h_shift_reg(opcode, flags); break;
    case 17: h_shift_imm(opcode, flags); break;
    case 18: h_ea_source(opcode, flags); break;
    case 19: h_ea_dest(opcode, flags); break;
    case 20: h_ea_sized(opcode, flags); break;
    case 21: h_branch(opcode, flags); break;
    case 22: h_bit_static(opcode, flags); break;
    case 41: h_reg_only(opcode, flags); break;
    case 42: h_move_usp(opcode, flags); break;
    case 43: h_link(opcode, flags); break;
    case 44: h_move(opcode, flags); break;
    case 45: h_movec(opcode, flags); break;
    case 46: h_moveq(opcode, flags); break;
    case 47: h_movem_store(opcode, flags); break;
    case 48: h_movem_load(opcode, flags); break;
    case 52: h_tpf(opcode, flags); break;
    case 53: h_wdebug(opcode, flags); break;
    case 54: h_push(opcode, flags); break;
    case 55: h_pull(opcode, flags); break;
    case 56: h_mac(opcode, flags, false); break;
    case 57: h_mac_load(opcode, flags, false); break;
    case 58: h_mac(opcode, flags, true); break;
    case 59: h_mac_load(opcode, flags, true); break;
    case 133: h_mov3q(opcode, flags); break;
    case 139: h_rts(opcode, flags); break;
    case 143: h_cmp(opcode, flags); break;
    case 144: h_cmpa(opcode, flags); break;
    case 145: h_cmpi(opcode, flags); break;
    case 146: h_intouch(opcode, flags); break;
    case 147: h_mvs_mvz(opcode, flags); break;
    case 149: h_sats_tas(opcode, flags); break;
    case 150: h_add_sub(opcode, flags, false); break;
    case 151: h_add_sub(opcode, flags, true); break;
    case 152: h_mul_long(opcode, flags); break;
    case 153: h_div_word(opcode, flags); break;
    case 154: h_div_long(opcode, flags); break;
    case 155: h_cpushl_cache(opcode, flags); break;
    case 160: h_move_to_acc(opcode, flags); break;
    case 161: h_move_from_acc(opcode, flags); break;
    case 165: h_fp_arith(opcode, flags); break;
    case 166: h_fp_store(opcode, flags); break;
    case 167: h_fp_to_ctl(opcode, flags); break;
    case 168: h_fp_from_ctl(opcode, flags); break;
    case 169: h_fmovem_store(opcode, flags); break;
    case 170: h_fmovem_load(opcode, flags); break;
    case 171: h_fnop(opcode, flags); break;
    case 172: h_fbranch(opcode, flags); break;
    case 178: h_isa_a_plus(opcode, flags); break;

    // Directives.
    case 100: d.d_equ(); break;
    case 101: d.d_dc(); break;
    case 102: directive_opt(as); break;
    case 103: d.d_org(false); break;
    case 104: d.d_ds(); break;
    case 107: break;  // llen, nam, name, plen, spc, ttl: accepted and ignored
    case 108: d.d_align(); break;
    case 109: d.d_include(); break;
    case 110: d.d_org(true); break;
    case 111: r.d_structure(false); break;
    case 112: r.d_field(1); break;
    case 113: r.d_field(2); break;
    case 114: r.d_field(4); break;
    case 115: r.d_struct(); break;
    case 116: r.d_label(); break;
    case 117: r.d_bitdef(); break;
    case 118: r.d_structure(true); break;
    case 119: d.d_endc(); break;
    case 120: case 121: case 122: case 123: case 124:
    case 125: case 126: case 127: case 128: d.d_if(handler); break;
    case 129: d.d_else(); break;
    case 130: d.d_incdir(); break;
    case 131: d.d_xref(); break;
    case 132: d.d_xdef(); break;
    case 134: d.d_dr(); break;
    case 135: r.d_lvo(); break;
    case 136: r.d_lvoreset(); break;
    case 137: r.d_call(); break;
    case 138: d.d_section(); break;
    case 140: d.d_idnt(); break;
    case 141: d.d_incbin(); break;
    case 142: as.core.directive_cpu(); break;
    case 156: r.d_classtagbegin(); break;
    case 157: r.d_classtag(); break;
    case 158: r.d_classtagend(); break;
    case 159: d.d_boundary(); break;
    case 162: r.d_callres(false); break;
    case 163: r.d_callres(true); break;
    case 164: r.d_classtagconcat(); break;
    case 173: d.d_end(); break;
    case 174: d.d_page(); break;
    case 175: r.d_enumreset(); break;
    case 176: r.d_enumset(); break;
    case 177: r.d_enum(); break;
    case 200: d.d_if(handler); break;
    case 201: as.mac.d_macro(); break;
    case 202: as.mac.d_endm(); break;
    case 203: as.mac.d_mexit(); break;
    case 204: as.mac.d_rept(); break;
    case 205: as.mac.d_endr(); break;
    case 206: d.d_set(); break;
    case 207: d.d_dcb(); break;
    default: as.fatal_error("Error in Mnemonic table");
    }
}

} // namespace tobra
