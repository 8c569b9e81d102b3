// The dispatcher and the instruction encoders.
#pragma once
#include <cstdint>
#include <string>

#include "driver/message.h"
#include <vector>

#include "isa/classes.h"
#include "isa/handlers.h"
#include "isa/operand.h"
#include "isa/statement.h"

namespace tobra {

class Assembler;
struct Variant;

// Rows of range_check: the range a field reads back as written, and the wider
// range it can hold at all (see ea.cpp).
enum RangeRow {
    RANGE_U8 = 0,       // 0..255
    RANGE_S8 = 1,       // -128..127
    RANGE_B = 2,        // -128..255
    RANGE_U16 = 3,      // 0..65535; -32768..-1 warned
    RANGE_S16 = 4,      // -32768..32767
    RANGE_W = 5,        // -32768..65535
    RANGE_QUICK = 6,    // 1..8
    RANGE_U3 = 7,       // 0..7
    RANGE_TRAP = 8,     // 0..15
    RANGE_BITNUM = 9,   // 0..31
    RANGE_U6 = 10,      // 0..63
    RANGE_U7 = 11,      // 0..127
    RANGE_S7 = 12,      // -64..63
    RANGE_S8_BITS = 13,   // -128..127; 128..255 warned (moveq)
    RANGE_S16_BITS = 14,  // -32768..32767; 32768..65535 warned (link)
    RANGE_BRANCH8 = 15,   // -128..127 warned: the branch reports its own errors
    RANGE_BRANCH16 = 16   // -32768..32767 warned, likewise
};

// optimise_flags bits.
inline constexpr int32_t OPT_MOVEQ = 0x01;
inline constexpr int32_t OPT_ADDQ = 0x02;
inline constexpr int32_t OPT_SUBQ = 0x04;
inline constexpr int32_t OPT_BRANCH = 0x08;
inline constexpr int32_t OPT_INDEX = 0x10;
inline constexpr int32_t OPT_LEA = 0x20;

class Encoder {
public:
    explicit Encoder(Assembler& assembler) : as(assembler) {}

    // Runs the matched variant's handler, or refuses the line if the part
    // lacks what the variant needs.
    void dispatch_handler(Statement& st, const Variant& variant);

    // Effective addresses and fields.
    int32_t range_check(int32_t value, int row);
    // range_check's message for a value outside the row's range.
    void report_out_of_range(int32_t value, int row);
    // $8000..$FFFF as a short address: the processor reaches $FFFF8000 and up;
    // a warning for a number, an error for an address.
    void warn_sign_extended_address(int32_t value, bool address);
    // range_check for a field holding op's value, unless a linker gives that
    // value: then its own relocation (or refusal) speaks for it, and the
    // field holds the value's masked bits.
    int32_t checked(const Operand& op, int row);
    // A field that no relocation can hold (a quick count, a trap vector): an
    // external or relocatable value is a located error.
    void narrow_field(const Operand& op, const char* name);
    // The size field of bits 7-6 for an operation size (SZ_*).
    uint32_t size76(uint32_t size);
    // The register forms, the most frequent by far, are settled inline.
    uint32_t modreg(const Operand& op) {
        const uint32_t r = static_cast<uint32_t>(op.reg) & 7;
        switch (op.cls) {
        case CLS_DN: return r;
        case CLS_AN: return 0x08 | r;
        case CLS_AN_IND: return 0x10 | r;
        case CLS_POSTINC: return 0x18 | r;
        case CLS_PREDEC: return 0x20 | r;
        default: return modreg_other(op);
        }
    }
    // The extension words of op. size: the operation size the handler
    // settled, which sizes an immediate; written: the line's own suffix,
    // which checks the immediate's range.
    void ea_extension(const Operand& op, uint32_t size, uint32_t written) {
        if (op.cls >= CLS_DN && op.cls <= CLS_PREDEC) return;
        ea_extension_other(op, size, written);
    }
    uint32_t brief_extension(const Operand& op);
    uint32_t register_nibble(const Operand& op);
    uint32_t getrlist(const Operand& op);
    void zero_displacement_rewrite(Operand& op);
    // False (after a counted error) when op is a brief-index form that this
    // instruction has no encoding for, or scales by 8 on a core without an FPU.
    // Call it before the first word: a refused instruction emits nothing.
    // Most operands have no index register, and the test stays inline.
    bool index_allowed(const Operand& op, bool brief_allowed = true) {
        return !has_index(op) || index_register_allowed(op, brief_allowed);
    }
    // Whether op is an indexed or PC-relative form with an index register.
    static bool has_index(const Operand& op) {
        if (op.cls != CLS_INDEXED && op.cls != CLS_PC_INDEXED) return false;
        return op.ext_form == ExtForm::brief || op.ext_form == ExtForm::index_unfit;
    }
    // Whether an indexed operand is encoded as d16(An) (mode 5).
    static bool plain_displacement(const Operand& op);

    // Integer instruction formats; isa/handlers.def says which handler runs which.
    void h_fixed(Statement& st, uint32_t op, uint32_t flags);
    void h_addx(Statement& st, uint32_t op, uint32_t flags);
    void h_ea_to_areg(Statement& st, uint32_t op, uint32_t flags);
    void h_logic_to_dreg(Statement& st, uint32_t op, uint32_t flags);
    void h_bit_dynamic(Statement& st, uint32_t op, uint32_t flags);
    void h_dreg_to_ea(Statement& st, uint32_t op, uint32_t flags);
    void h_imm_to_dreg(Statement& st, uint32_t op, uint32_t flags);
    void h_quick(Statement& st, uint32_t op, uint32_t flags);
    void h_stop(Statement& st, uint32_t op, uint32_t flags);
    void h_trap(Statement& st, uint32_t op, uint32_t flags);
    void h_shift_reg(Statement& st, uint32_t op, uint32_t flags);
    void h_shift_imm(Statement& st, uint32_t op, uint32_t flags);
    void h_ea_source(Statement& st, uint32_t op, uint32_t flags);
    void h_ea_dest(Statement& st, uint32_t op, uint32_t flags);
    void h_ea_sized(Statement& st, uint32_t op, uint32_t flags);
    void h_bit_static(Statement& st, uint32_t op, uint32_t flags);
    void h_reg_only(Statement& st, uint32_t op, uint32_t flags);
    void h_move_usp(Statement& st, uint32_t op, uint32_t flags);
    void h_link(Statement& st, uint32_t op, uint32_t flags);
    void h_move(Statement& st, uint32_t op, uint32_t flags);
    void h_movec(Statement& st, uint32_t op, uint32_t flags);
    void h_moveq(Statement& st, uint32_t op, uint32_t flags);
    void h_movem_store(Statement& st, uint32_t op, uint32_t flags);
    void h_movem_load(Statement& st, uint32_t op, uint32_t flags);
    void h_tpf(Statement& st, uint32_t op, uint32_t flags);
    void h_wdebug(Statement& st, uint32_t op, uint32_t flags);
    void h_push(Statement& st, uint32_t op, uint32_t flags);
    void h_pull(Statement& st, uint32_t op, uint32_t flags);
    void h_mov3q(Statement& st, uint32_t op, uint32_t flags);
    void h_rts(Statement& st, uint32_t op, uint32_t flags);
    void h_cmp(Statement& st, uint32_t op, uint32_t flags);
    void h_cmpa(Statement& st, uint32_t op, uint32_t flags);
    void h_cmpi(Statement& st, uint32_t op, uint32_t flags);
    void h_intouch(Statement& st, uint32_t op, uint32_t flags);
    void h_mvs_mvz(Statement& st, uint32_t op, uint32_t flags);
    void h_sats_tas(Statement& st, uint32_t op, uint32_t flags);
    void h_add_sub(Statement& st, uint32_t op, uint32_t flags, bool is_sub);
    void h_mul_long(Statement& st, uint32_t op, uint32_t flags);
    void h_div_word(Statement& st, uint32_t op, uint32_t flags);
    void h_div_long(Statement& st, uint32_t op, uint32_t flags);
    void h_cpushl_cache(Statement& st, uint32_t op, uint32_t flags);
    void h_isa_a_plus(Statement& st, uint32_t op, uint32_t flags);

    // Branches and floating-point branches.
    void h_branch(Statement& st, uint32_t op, uint32_t flags);
    void h_fbranch(Statement& st, uint32_t op, uint32_t flags);

    // MAC and EMAC.
    void h_mac(Statement& st, uint32_t op, uint32_t flags, bool is_msac);
    void h_mac_load(Statement& st, uint32_t op, uint32_t flags, bool is_msac);
    void h_move_to_acc(Statement& st, uint32_t op, uint32_t flags);
    void h_move_from_acc(Statement& st, uint32_t op, uint32_t flags);

    // Floating point.
    void h_fp_arith(Statement& st, uint32_t op, uint32_t flags);
    void h_fp_store(Statement& st, uint32_t op, uint32_t flags);
    void h_fp_to_ctl(Statement& st, uint32_t op, uint32_t flags);
    void h_fp_from_ctl(Statement& st, uint32_t op, uint32_t flags);
    void h_fmovem_store(Statement& st, uint32_t op, uint32_t flags);
    void h_fmovem_load(Statement& st, uint32_t op, uint32_t flags);
    void h_fnop(Statement& st, uint32_t op, uint32_t flags);

private:
    uint32_t modreg_other(const Operand& op);
    void ea_extension_other(const Operand& op, uint32_t size, uint32_t written);

    // Helpers of the branches, MAC and floating point.
    uint32_t mac_product_word(const Operand& ry, const Operand& rx, bool is_msac, Message long_message,
                              uint32_t size);
    bool plain_accumulator(const Operand& acc);
    bool float_operand_ok(const Operand& op, uint32_t size);

    // Helpers of the integer formats.
    void put_word(uint32_t word);
    bool operands_allowed(const Statement& st, bool brief_allowed) {
        return index_allowed(st.operands[0], brief_allowed) && index_allowed(st.operands[1], brief_allowed);
    }
    bool index_register_allowed(const Operand& op, bool brief_allowed);
    bool quick_fits(const Operand& imm) const;
    void warn_unsized_muldiv(uint32_t size);
    void emit_quick(uint32_t base, const Operand& imm, const Operand& dst, uint32_t size, uint32_t written);

    Assembler& as;
    // Pass 2: the files whose unsized multiply or divide has been warned about.
    std::vector<std::string> muldiv_warned_files_;
};

} // namespace tobra
