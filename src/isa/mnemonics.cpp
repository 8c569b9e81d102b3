// The mnemonic and variant tables. One row per variant, in matching order:
// {size mask, {operand classes 1-5, 0, 0, handler}, base opcode, flags}.
#include "isa/mnemonics.h"

#include <bit>
#include <cstring>

namespace tobra {

constexpr Variant variant_table[VARIANT_COUNT] = {
    // =
    {SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 206}, 0x0000, 0x0},
    {SZ_U, {CLS_STRING, 0, 0, 0, 0, 0, 0, 206}, 0x0000, 0x0},
    // add
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_DN, 0, 0, 0, 0, 0, 150}, 0xD000, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM, 0, 0, 0, 0, 0, 8}, 0xD100, 0x0},
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 5}, 0xD1C0, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE, 0, 0, 0, 0, 0, 150}, 0xD000, 0x0},
    // adda
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 5}, 0xD1C0, 0x0},
    // addi
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 9}, 0x0600, 0x0},
    // addq
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE, 0, 0, 0, 0, 0, 10}, 0x5000, 0x0},
    // addx
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 2}, 0xD100, 0x0},
    // align
    {SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 108}, 0x0000, 0x0},
    // and
    {SZ_L|SZ_U, {CLS_DATA, CLS_DN, 0, 0, 0, 0, 0, 6}, 0xC000, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM, 0, 0, 0, 0, 0, 8}, 0xC100, 0x0},
    // andi
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 9}, 0x0200, 0x0},
    // aptr
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 114}, 0x0000, 0x0},
    // asl
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 16}, 0xE120, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 17}, 0xE100, 0x0},
    // asr
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 16}, 0xE020, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 17}, 0xE000, 0x0},
    // bcc
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6400, 0x0},
    // bchg
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 7}, 0x0140, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 22}, 0x0840, 0x0},
    {SZ_B|SZ_U, {CLS_DN, CLS_ALT_MEM, 0, 0, 0, 0, 0, 7}, 0x0140, 0x0},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT, 0, 0, 0, 0, 0, 22}, 0x0840, 0x0},
    // bclr
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 7}, 0x0180, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 22}, 0x0880, 0x0},
    {SZ_B|SZ_U, {CLS_DN, CLS_ALT_MEM, 0, 0, 0, 0, 0, 7}, 0x0180, 0x0},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT, 0, 0, 0, 0, 0, 22}, 0x0880, 0x0},
    // bcs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6500, 0x0},
    // beq
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6700, 0x0},
    // bge
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6C00, 0x0},
    // bgt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6E00, 0x0},
    // bhi
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6200, 0x0},
    // bhs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6400, 0x0},
    // bitdef
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 117}, 0x0000, 0x0},
    // bitrev
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 178}, 0x00C0, 0x0},
    // ble
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6F00, 0x0},
    // blo
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6500, 0x0},
    // bls
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6300, 0x0},
    // blt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6D00, 0x0},
    // bmi
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6B00, 0x0},
    // bne
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6600, 0x0},
    // bool
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 113}, 0x0000, 0x0},
    // boundary
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 159}, 0x0000, 0x0},
    // bpl
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6A00, 0x0},
    // bra
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6000, 0x0},
    // bset
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 7}, 0x01C0, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 22}, 0x08C0, 0x0},
    {SZ_B|SZ_U, {CLS_DN, CLS_ALT_MEM, 0, 0, 0, 0, 0, 7}, 0x01C0, 0x0},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT, 0, 0, 0, 0, 0, 22}, 0x08C0, 0x0},
    // bsr
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6100, 0x0},
    // btst
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 7}, 0x0100, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 22}, 0x0800, 0x0},
    {SZ_B|SZ_U, {CLS_DN, CLS_DATA, 0, 0, 0, 0, 0, 7}, 0x0100, 0x0},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT, 0, 0, 0, 0, 0, 22}, 0x0800, 0x0},
    // bvc
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6800, 0x0},
    // bvs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 21}, 0x6900, 0x0},
    // byte
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 112}, 0x0000, 0x0},
    // byterev
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 178}, 0x02C0, 0x0},
    // call
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 137}, 0x0000, 0x0},
    // callres
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 162}, 0x0000, 0x0},
    // callusr
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 163}, 0x0000, 0x0},
    // char
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 112}, 0x0000, 0x0},
    // classtag
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 157}, 0x0000, 0x0},
    // classtagbegin
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 156}, 0x0000, 0x0},
    // classtagconcat
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 164}, 0x0000, 0x0},
    // classtagend
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 158}, 0x0000, 0x0},
    // clr
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_DATA_ALT, 0, 0, 0, 0, 0, 0, 20}, 0x4200, 0x0},
    // cmp
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_ANY_EA, CLS_DN, 0, 0, 0, 0, 0, 143}, 0xB000, 0x0},
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 144}, 0xB1C0, 0x0},
    {SZ_W, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 144}, 0xB0C0, 0x0},
    // cmpa
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 144}, 0xB1C0, 0x0},
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 144}, 0xB0C0, 0x0},
    // cmpi
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 145}, 0x0C00, 0x0},
    // cpu
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 142}, 0x0000, 0x0},
    // cpushl
    {SZ_U, {CLS_AN_IND, 0, 0, 0, 0, 0, 0, 41}, 0xF4E8, 0x0},
    {SZ_U, {CLS_CPSH, CLS_AN_IND, 0, 0, 0, 0, 0, 155}, 0xF428, 0x0},
    // dc
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_EXPR_LIST, 0, 0, 0, 0, 0, 0, 101}, 0x0000, 0x0},
    // dcb
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 207}, 0x0000, 0x0},
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR, CLS_EXPR, 0, 0, 0, 0, 0, 207}, 0x0000, 0x0},
    // divs
    {SZ_W, {CLS_DATA, CLS_DN, 0, 0, 0, 0, 0, 153}, 0x81C0, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    // divu
    {SZ_W, {CLS_DATA, CLS_DN, 0, 0, 0, 0, 0, 153}, 0x80C0, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    // dr
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR_LIST, 0, 0, 0, 0, 0, 0, 134}, 0x0000, 0x0},
    // ds
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 104}, 0x0000, 0x0},
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR, CLS_EXPR, 0, 0, 0, 0, 0, 104}, 0x0000, 0x0},
    // else
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 129}, 0x0000, 0x0},
    // end
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 173}, 0x0000, 0x0},
    // endc
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 119}, 0x0000, 0x0},
    // endm
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 202}, 0x0000, 0x0},
    // endr
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 205}, 0x0000, 0x0},
    // enum
    {SZ_B|SZ_W|SZ_L|SZ_U, {0, 0, 0, 0, 0, 0, 0, 177}, 0x0000, 0x0},
    // enumreset
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 175}, 0x0000, 0x0},
    // enumset
    {SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 176}, 0x0000, 0x0},
    // eor
    {SZ_L|SZ_U, {CLS_DN, CLS_DATA_ALT, 0, 0, 0, 0, 0, 8}, 0xB100, 0x0},
    // eori
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 9}, 0x0A00, 0x0},
    // equ
    {SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 100}, 0x0000, 0x0},
    {SZ_U, {CLS_STRING, 0, 0, 0, 0, 0, 0, 100}, 0x0000, 0x0},
    {SZ_S, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 100}, 0x0000, 0x0},
    // ext
    {SZ_W, {CLS_DN, 0, 0, 0, 0, 0, 0, 41}, 0x4880, 0x0},
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 41}, 0x48C0, 0x0},
    // extb
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 41}, 0x49C0, 0x0},
    // fabs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4018},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x18},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x18},
    // fadd
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4022},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x22},
    // fbeq
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF281, 0x0},
    // fbf
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF280, 0x0},
    // fbge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF293, 0x0},
    // fbgl
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF296, 0x0},
    // fbgle
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF297, 0x0},
    // fbgt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF292, 0x0},
    // fble
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF295, 0x0},
    // fblt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF294, 0x0},
    // fbne
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF28E, 0x0},
    // fbnge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF29C, 0x0},
    // fbngl
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF299, 0x0},
    // fbngle
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF298, 0x0},
    // fbngt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF29D, 0x0},
    // fbnle
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF29A, 0x0},
    // fbnlt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF29B, 0x0},
    // fboge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF283, 0x0},
    // fbogl
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF286, 0x0},
    // fbogt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF282, 0x0},
    // fbole
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF285, 0x0},
    // fbolt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF284, 0x0},
    // fbor
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF287, 0x0},
    // fbseq
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF291, 0x0},
    // fbsf
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF290, 0x0},
    // fbsne
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF29E, 0x0},
    // fbst
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF29F, 0x0},
    // fbt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF28F, 0x0},
    // fbueq
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF289, 0x0},
    // fbuge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF28B, 0x0},
    // fbugt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF28A, 0x0},
    // fbule
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF28D, 0x0},
    // fbult
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF28C, 0x0},
    // fbun
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 172}, 0xF288, 0x0},
    // fcmp
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4038},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x38},
    // fdabs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x405C},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x5C},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x5C},
    // fdadd
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4066},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x66},
    // fddiv
    {SZ_S|SZ_D, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4064},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x64},
    // fdiv
    {SZ_S|SZ_D, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4020},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x20},
    // fdmove
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4044},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x44},
    // fdmul
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4067},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x67},
    // fdneg
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x405E},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x5E},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x5E},
    // fdsqrt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4045},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x45},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x45},
    // fdsub
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x406C},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x6C},
    // ff1
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 178}, 0x04C0, 0x0},
    // fint
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4001},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x1},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x1},
    // fintrz
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4003},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x3},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x3},
    // fixed
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 114}, 0x0000, 0x0},
    // float
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 114}, 0x0000, 0x0},
    // fmove
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4000},
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FPN, CLS_DN_CTL_ALT, 0, 0, 0, 0, 0, 166}, 0xF200, 0x6000},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x0},
    {SZ_L, {CLS_FLOAT_EA, CLS_FPCN, 0, 0, 0, 0, 0, 167}, 0xF200, 0x8000},
    {SZ_L, {CLS_AN, CLS_FPCN, 0, 0, 0, 0, 0, 167}, 0xF200, 0x8000},
    {SZ_L, {CLS_FPCN, CLS_DN_CTL_ALT, 0, 0, 0, 0, 0, 168}, 0xF200, 0xA000},
    {SZ_L, {CLS_FPCN, CLS_AN, 0, 0, 0, 0, 0, 168}, 0xF200, 0xA000},
    // fmovem
    {SZ_D|SZ_U, {CLS_FPN, CLS_AN_IND, 0, 0, 0, 0, 0, 169}, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_FPN, CLS_INDEXED, 0, 0, 0, 0, 0, 169}, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_FPLIST, CLS_AN_IND, 0, 0, 0, 0, 0, 169}, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_FPLIST, CLS_INDEXED, 0, 0, 0, 0, 0, 169}, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_AN_IND, CLS_FPN, 0, 0, 0, 0, 0, 170}, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_INDEXED, CLS_FPN, 0, 0, 0, 0, 0, 170}, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_PC_INDEXED, CLS_FPN, 0, 0, 0, 0, 0, 170}, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_AN_IND, CLS_FPLIST, 0, 0, 0, 0, 0, 170}, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_INDEXED, CLS_FPLIST, 0, 0, 0, 0, 0, 170}, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_PC_INDEXED, CLS_FPLIST, 0, 0, 0, 0, 0, 170}, 0xF200, 0xD000},
    // fmul
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4023},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x23},
    // fneg
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x401A},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x1A},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x1A},
    // fnop
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 171}, 0xF280, 0x0},
    // frestore
    {SZ_U, {CLS_AN_IND, 0, 0, 0, 0, 0, 0, 18}, 0xF340, 0x0},
    {SZ_U, {CLS_INDEXED, 0, 0, 0, 0, 0, 0, 18}, 0xF340, 0x0},
    {SZ_U, {CLS_PC_INDEXED, 0, 0, 0, 0, 0, 0, 18}, 0xF340, 0x0},
    // fsabs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4058},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x58},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x58},
    // fsadd
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4062},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x62},
    // fsave
    {SZ_U, {CLS_AN_IND, 0, 0, 0, 0, 0, 0, 18}, 0xF300, 0x0},
    {SZ_U, {CLS_INDEXED, 0, 0, 0, 0, 0, 0, 18}, 0xF300, 0x0},
    // fsdiv
    {SZ_S|SZ_D, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4060},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x60},
    // fsmove
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4040},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x40},
    // fsmul
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4063},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x63},
    // fsneg
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x405A},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x5A},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x5A},
    // fsqrt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4004},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4},
    // fssqrt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4041},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x41},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x41},
    // fssub
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4068},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x68},
    // fsub
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x4028},
    {SZ_D, {CLS_FPN, CLS_FPN, 0, 0, 0, 0, 0, 165}, 0xF200, 0x28},
    // ftst
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x403A},
    {SZ_D, {CLS_FPN, 0, 0, 0, 0, 0, 0, 165}, 0xF200, 0x3A},
    // halt
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 0}, 0x4AC8, 0x0},
    // idnt
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 140}, 0x0000, 0x0},
    // ifc
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 200}, 0x0000, 0x0},
    // ifd
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 120}, 0x0000, 0x0},
    // ifeq
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 121}, 0x0000, 0x0},
    // ifge
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 122}, 0x0000, 0x0},
    // ifgt
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 123}, 0x0000, 0x0},
    // ifle
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 124}, 0x0000, 0x0},
    // iflt
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 125}, 0x0000, 0x0},
    // ifnc
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 126}, 0x0000, 0x0},
    // ifnd
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 127}, 0x0000, 0x0},
    // ifne
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 128}, 0x0000, 0x0},
    // illegal
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 0}, 0x4AFC, 0x0},
    // incbin
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 141}, 0x0000, 0x0},
    // incdir
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 130}, 0x0000, 0x0},
    // include
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 109}, 0x0000, 0x0},
    // intouch
    {SZ_U, {CLS_AN_IND, 0, 0, 0, 0, 0, 0, 146}, 0xF428, 0x0},
    // jmp
    {SZ_U, {CLS_CTL_EA, 0, 0, 0, 0, 0, 0, 18}, 0x4EC0, 0x0},
    // jsr
    {SZ_U, {CLS_CTL_EA, 0, 0, 0, 0, 0, 0, 18}, 0x4E80, 0x0},
    // label
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 116}, 0x0000, 0x0},
    // lea
    {SZ_L|SZ_U, {CLS_CTL_EA, CLS_AN, 0, 0, 0, 0, 0, 5}, 0x41C0, 0x0},
    // link
    {SZ_W|SZ_U, {CLS_AN, CLS_IMM, 0, 0, 0, 0, 0, 43}, 0x4E50, 0x0},
    // llen
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 107}, 0x0000, 0x0},
    // long
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 114}, 0x0000, 0x0},
    // lsl
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 16}, 0xE128, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 17}, 0xE108, 0x0},
    // lsr
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 16}, 0xE028, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 17}, 0xE008, 0x0},
    // lvo
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 135}, 0x0000, 0x0},
    // lvoreset
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 136}, 0x0000, 0x0},
    // lvorst
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 136}, 0x0000, 0x0},
    // mac
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, 0, 0, 0, 0, 0, 56}, 0xA000, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_ACC, 0, 0, 0, 0, 56}, 0xA000, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, 0, 0, 0, 57}, 0xA080, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC, 0, 0, 57}, 0xA080, 0x0},
    // macl
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, 0, 0, 0, 57}, 0xA080, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC, 0, 0, 57}, 0xA080, 0x0},
    // macro
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 201}, 0x0000, 0x0},
    // mexit
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 203}, 0x0000, 0x0},
    // mov
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DATA_ALT, 0, 0, 0, 0, 0, 44}, 0x3000, 0x0},
    {SZ_B, {CLS_ANY_EA, CLS_DATA_ALT, 0, 0, 0, 0, 0, 44}, 0x1000, 0x0},
    {SZ_L, {CLS_ANY_EA, CLS_DATA_ALT, 0, 0, 0, 0, 0, 44}, 0x2000, 0x0},
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 44}, 0x3000, 0x0},
    {SZ_L, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 44}, 0x2000, 0x0},
    {SZ_L, {CLS_MACSR, CLS_CCR, 0, 0, 0, 0, 0, 0}, 0xA9C0, 0x0},
    {SZ_W|SZ_U, {CLS_CCR, CLS_DN, 0, 0, 0, 0, 0, 19}, 0x42C0, 0x0},
    {SZ_W|SZ_U, {CLS_DN, CLS_CCR, 0, 0, 0, 0, 0, 18}, 0x44C0, 0x0},
    {SZ_W|SZ_U, {CLS_IMM, CLS_CCR, 0, 0, 0, 0, 0, 18}, 0x44C0, 0x0},
    {SZ_W|SZ_U, {CLS_SR, CLS_DATA_ALT, 0, 0, 0, 0, 0, 19}, 0x40C0, 0x0},
    {SZ_W|SZ_U, {CLS_DATA, CLS_SR, 0, 0, 0, 0, 0, 18}, 0x46C0, 0x0},
    {SZ_L|SZ_U, {CLS_CN, CLS_AN, 0, 0, 0, 0, 0, 42}, 0x4E68, 0x0},
    {SZ_L|SZ_U, {CLS_AN, CLS_CN, 0, 0, 0, 0, 0, 42}, 0x4E60, 0x0},
    {SZ_L, {CLS_ACC, CLS_RN, 0, 0, 0, 0, 0, 161}, 0xA180, 0x0},
    {SZ_L, {CLS_RN, CLS_ACC, 0, 0, 0, 0, 0, 160}, 0xA100, 0x0},
    {SZ_L, {CLS_IMM, CLS_ACC, 0, 0, 0, 0, 0, 160}, 0xA100, 0x0},
    {SZ_L, {CLS_ACC, CLS_ACC, 0, 0, 0, 0, 0, 160}, 0xA110, 0x0},
    {SZ_L, {CLS_MASK, CLS_RN, 0, 0, 0, 0, 0, 19}, 0xAD80, 0x0},
    {SZ_L, {CLS_RN, CLS_MASK, 0, 0, 0, 0, 0, 18}, 0xAD00, 0x0},
    {SZ_L, {CLS_IMM, CLS_MASK, 0, 0, 0, 0, 0, 18}, 0xAD00, 0x0},
    {SZ_L, {CLS_MACSR, CLS_RN, 0, 0, 0, 0, 0, 19}, 0xA980, 0x0},
    {SZ_L, {CLS_RN, CLS_MACSR, 0, 0, 0, 0, 0, 18}, 0xA900, 0x0},
    {SZ_L, {CLS_IMM, CLS_MACSR, 0, 0, 0, 0, 0, 18}, 0xA900, 0x0},
    // mov3q
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE, 0, 0, 0, 0, 0, 133}, 0xA140, 0x0},
    // movclr
    {SZ_L|SZ_U, {CLS_ACC, CLS_RN, 0, 0, 0, 0, 0, 161}, 0xA1C0, 0x0},
    // move
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DATA_ALT, 0, 0, 0, 0, 0, 44}, 0x3000, 0x0},
    {SZ_B, {CLS_ANY_EA, CLS_DATA_ALT, 0, 0, 0, 0, 0, 44}, 0x1000, 0x0},
    {SZ_L, {CLS_ANY_EA, CLS_DATA_ALT, 0, 0, 0, 0, 0, 44}, 0x2000, 0x0},
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 44}, 0x3000, 0x0},
    {SZ_L, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 44}, 0x2000, 0x0},
    {SZ_L, {CLS_MACSR, CLS_CCR, 0, 0, 0, 0, 0, 0}, 0xA9C0, 0x0},
    {SZ_W|SZ_U, {CLS_CCR, CLS_DN, 0, 0, 0, 0, 0, 19}, 0x42C0, 0x0},
    {SZ_W|SZ_U, {CLS_DN, CLS_CCR, 0, 0, 0, 0, 0, 18}, 0x44C0, 0x0},
    {SZ_W|SZ_U, {CLS_IMM, CLS_CCR, 0, 0, 0, 0, 0, 18}, 0x44C0, 0x0},
    {SZ_W|SZ_U, {CLS_SR, CLS_DATA_ALT, 0, 0, 0, 0, 0, 19}, 0x40C0, 0x0},
    {SZ_W|SZ_U, {CLS_DATA, CLS_SR, 0, 0, 0, 0, 0, 18}, 0x46C0, 0x0},
    {SZ_L|SZ_U, {CLS_CN, CLS_AN, 0, 0, 0, 0, 0, 42}, 0x4E68, 0x0},
    {SZ_L|SZ_U, {CLS_AN, CLS_CN, 0, 0, 0, 0, 0, 42}, 0x4E60, 0x0},
    {SZ_L, {CLS_ACC, CLS_RN, 0, 0, 0, 0, 0, 161}, 0xA180, 0x0},
    {SZ_L, {CLS_RN, CLS_ACC, 0, 0, 0, 0, 0, 160}, 0xA100, 0x0},
    {SZ_L, {CLS_IMM, CLS_ACC, 0, 0, 0, 0, 0, 160}, 0xA100, 0x0},
    {SZ_L, {CLS_ACC, CLS_ACC, 0, 0, 0, 0, 0, 160}, 0xA110, 0x0},
    {SZ_L, {CLS_MASK, CLS_RN, 0, 0, 0, 0, 0, 19}, 0xAD80, 0x0},
    {SZ_L, {CLS_RN, CLS_MASK, 0, 0, 0, 0, 0, 18}, 0xAD00, 0x0},
    {SZ_L, {CLS_IMM, CLS_MASK, 0, 0, 0, 0, 0, 18}, 0xAD00, 0x0},
    {SZ_L, {CLS_MACSR, CLS_RN, 0, 0, 0, 0, 0, 19}, 0xA980, 0x0},
    {SZ_L, {CLS_RN, CLS_MACSR, 0, 0, 0, 0, 0, 18}, 0xA900, 0x0},
    {SZ_L, {CLS_IMM, CLS_MACSR, 0, 0, 0, 0, 0, 18}, 0xA900, 0x0},
    // movea
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 44}, 0x3000, 0x0},
    {SZ_L, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 44}, 0x2000, 0x0},
    // movec
    {SZ_L|SZ_U, {CLS_RN, CLS_CN, 0, 0, 0, 0, 0, 45}, 0x4E7B, 0x0},
    // movem
    {SZ_L|SZ_U, {CLS_RN, CLS_AN_IND, 0, 0, 0, 0, 0, 47}, 0x48C0, 0x0},
    {SZ_L|SZ_U, {CLS_RN, CLS_INDEXED, 0, 0, 0, 0, 0, 47}, 0x48C0, 0x0},
    {SZ_L|SZ_U, {CLS_RLIST, CLS_AN_IND, 0, 0, 0, 0, 0, 47}, 0x48C0, 0x0},
    {SZ_L|SZ_U, {CLS_RLIST, CLS_INDEXED, 0, 0, 0, 0, 0, 47}, 0x48C0, 0x0},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_RN, 0, 0, 0, 0, 0, 48}, 0x4CC0, 0x0},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_RN, 0, 0, 0, 0, 0, 48}, 0x4CC0, 0x0},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_RLIST, 0, 0, 0, 0, 0, 48}, 0x4CC0, 0x0},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_RLIST, 0, 0, 0, 0, 0, 48}, 0x4CC0, 0x0},
    // moveq
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 46}, 0x7000, 0x0},
    // msac
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, 0, 0, 0, 0, 0, 58}, 0xA000, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_ACC, 0, 0, 0, 0, 58}, 0xA000, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, 0, 0, 0, 59}, 0xA080, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC, 0, 0, 59}, 0xA080, 0x0},
    // msacl
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, 0, 0, 0, 59}, 0xA080, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC, 0, 0, 59}, 0xA080, 0x0},
    // muls
    {SZ_W, {CLS_DATA, CLS_DN, 0, 0, 0, 0, 0, 5}, 0xC1C0, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x800},
    // mulu
    {SZ_W, {CLS_DATA, CLS_DN, 0, 0, 0, 0, 0, 5}, 0xC0C0, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x0},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x0},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x0},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x0},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN, 0, 0, 0, 0, 0, 152}, 0x4C00, 0x0},
    // mvs
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DN, 0, 0, 0, 0, 0, 147}, 0x7100, 0x0},
    {SZ_B|SZ_U, {CLS_ANY_EA, CLS_DN, 0, 0, 0, 0, 0, 147}, 0x7100, 0x0},
    // mvz
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DN, 0, 0, 0, 0, 0, 147}, 0x7180, 0x0},
    {SZ_B|SZ_U, {CLS_ANY_EA, CLS_DN, 0, 0, 0, 0, 0, 147}, 0x7180, 0x0},
    // nam
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 107}, 0x0000, 0x0},
    // name
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 107}, 0x0000, 0x0},
    // neg
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 20}, 0x4400, 0x0},
    // negx
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 20}, 0x4000, 0x0},
    // nop
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 0}, 0x4E71, 0x0},
    // not
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 20}, 0x4600, 0x0},
    // opt
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 102}, 0x0000, 0x0},
    // or
    {SZ_L|SZ_U, {CLS_DATA, CLS_DN, 0, 0, 0, 0, 0, 6}, 0x8000, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM, 0, 0, 0, 0, 0, 8}, 0x8100, 0x0},
    // org
    {SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 103}, 0x0000, 0x0},
    // ori
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 9}, 0x0000, 0x0},
    // pag
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 174}, 0x000C, 0x0},
    // page
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 174}, 0x000C, 0x0},
    // pea
    {SZ_L|SZ_U, {CLS_CTL_EA, 0, 0, 0, 0, 0, 0, 18}, 0x4840, 0x0},
    // plen
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 107}, 0x0000, 0x0},
    // pull
    {SZ_U, {CLS_RLIST, 0, 0, 0, 0, 0, 0, 55}, 0x4CC0, 0x0},
    {SZ_U, {CLS_RN, 0, 0, 0, 0, 0, 0, 55}, 0x4CC0, 0x0},
    // pulse
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 0}, 0x4ACC, 0x0},
    // push
    {SZ_U, {CLS_RLIST, 0, 0, 0, 0, 0, 0, 54}, 0x48C0, 0x0},
    {SZ_U, {CLS_RN, 0, 0, 0, 0, 0, 0, 54}, 0x48C0, 0x0},
    // rems
    {SZ_L|SZ_U, {CLS_DN, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x800},
    // remu
    {SZ_L|SZ_U, {CLS_DN, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN_PAIR, 0, 0, 0, 0, 0, 154}, 0x4C40, 0x0},
    // rept
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 204}, 0x0000, 0x0},
    // rorg
    {SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 110}, 0x0000, 0x0},
    // rptr
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 114}, 0x0000, 0x0},
    // rte
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 139}, 0x4E73, 0x0},
    // rts
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 139}, 0x4E75, 0x0},
    // sats
    {SZ_L|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 149}, 0x4C80, 0x0},
    // scc
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x54C0, 0x0},
    // scs
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x55C0, 0x0},
    // sect
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 138}, 0x0000, 0x0},
    // section
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 138}, 0x0000, 0x0},
    // seq
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x57C0, 0x0},
    // set
    {SZ_U, {CLS_EXPR, 0, 0, 0, 0, 0, 0, 206}, 0x0000, 0x0},
    {SZ_U, {CLS_STRING, 0, 0, 0, 0, 0, 0, 206}, 0x0000, 0x0},
    // sf
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x51C0, 0x0},
    // sge
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x5CC0, 0x0},
    // sgt
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x5EC0, 0x0},
    // shi
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x52C0, 0x0},
    // short
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 113}, 0x0000, 0x0},
    // sle
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x5FC0, 0x0},
    // sls
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x53C0, 0x0},
    // slt
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x5DC0, 0x0},
    // smi
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x5BC0, 0x0},
    // sne
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x56C0, 0x0},
    // spc
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 107}, 0x0000, 0x0},
    // spl
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x5AC0, 0x0},
    // st
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x50C0, 0x0},
    // stkstruct
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 118}, 0x0000, 0x0},
    // stop
    {SZ_U, {CLS_IMM, 0, 0, 0, 0, 0, 0, 12}, 0x4E72, 0x0},
    // strldsr
    {SZ_L|SZ_U, {CLS_IMM, 0, 0, 0, 0, 0, 0, 178}, 0x40E7, 0x46FC},
    // struct
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 115}, 0x0000, 0x0},
    // structure
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 111}, 0x0000, 0x0},
    // sub
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_DN, 0, 0, 0, 0, 0, 151}, 0x9000, 0x0},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM, 0, 0, 0, 0, 0, 8}, 0x9100, 0x0},
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 5}, 0x91C0, 0x0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE, 0, 0, 0, 0, 0, 151}, 0x9000, 0x0},
    // suba
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN, 0, 0, 0, 0, 0, 5}, 0x91C0, 0x0},
    // subi
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN, 0, 0, 0, 0, 0, 9}, 0x0400, 0x0},
    // subq
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE, 0, 0, 0, 0, 0, 10}, 0x5100, 0x0},
    // subx
    {SZ_L|SZ_U, {CLS_DN, CLS_DN, 0, 0, 0, 0, 0, 2}, 0x9100, 0x0},
    // svc
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x58C0, 0x0},
    // svs
    {SZ_B|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 18}, 0x59C0, 0x0},
    // swap
    {SZ_W|SZ_U, {CLS_DN, 0, 0, 0, 0, 0, 0, 41}, 0x4840, 0x0},
    // tas
    {SZ_B|SZ_U, {CLS_ALT_MEM, 0, 0, 0, 0, 0, 0, 149}, 0x4AC0, 0x0},
    // tpf
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 0}, 0x51FC, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_IMM, 0, 0, 0, 0, 0, 0, 52}, 0x51F8, 0x0},
    // trap
    {SZ_U, {CLS_IMM, 0, 0, 0, 0, 0, 0, 15}, 0x4E40, 0x0},
    // trapf
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 0}, 0x51FC, 0x0},
    {SZ_W|SZ_L|SZ_U, {CLS_IMM, 0, 0, 0, 0, 0, 0, 52}, 0x51F8, 0x0},
    // tst
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_ANY_EA, 0, 0, 0, 0, 0, 0, 20}, 0x4A00, 0x0},
    // ttl
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 107}, 0x0000, 0x0},
    // ubyte
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 112}, 0x0000, 0x0},
    // ulong
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 114}, 0x0000, 0x0},
    // unlk
    {SZ_U, {CLS_AN, 0, 0, 0, 0, 0, 0, 41}, 0x4E58, 0x0},
    // ushort
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 113}, 0x0000, 0x0},
    // uword
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 113}, 0x0000, 0x0},
    // wddata
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_ALT_MEM, 0, 0, 0, 0, 0, 0, 20}, 0xFB00, 0x0},
    // wdebug
    {SZ_L|SZ_U, {CLS_AN_IND, 0, 0, 0, 0, 0, 0, 53}, 0xFBC0, 0x3},
    {SZ_L|SZ_U, {CLS_INDEXED, 0, 0, 0, 0, 0, 0, 53}, 0xFBC0, 0x3},
    // word
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 113}, 0x0000, 0x0},
    // xdef
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 132}, 0x0000, 0x0},
    // xref
    {SZ_U, {0, 0, 0, 0, 0, 0, 0, 131}, 0x0000, 0x0},
};

constexpr MnemonicEntry mnemonic_table[MNEMONIC_COUNT] = {
    {"=", 2, variant_table + 0},
    {"add", 4, variant_table + 2},
    {"adda", 1, variant_table + 6},
    {"addi", 1, variant_table + 7},
    {"addq", 1, variant_table + 8},
    {"addx", 1, variant_table + 9},
    {"align", 1, variant_table + 10},
    {"and", 2, variant_table + 11},
    {"andi", 1, variant_table + 13},
    {"aptr", 1, variant_table + 14},
    {"asl", 2, variant_table + 15},
    {"asr", 2, variant_table + 17},
    {"bcc", 1, variant_table + 19},
    {"bchg", 4, variant_table + 20},
    {"bclr", 4, variant_table + 24},
    {"bcs", 1, variant_table + 28},
    {"beq", 1, variant_table + 29},
    {"bge", 1, variant_table + 30},
    {"bgt", 1, variant_table + 31},
    {"bhi", 1, variant_table + 32},
    {"bhs", 1, variant_table + 33},
    {"bitdef", 1, variant_table + 34},
    {"bitrev", 1, variant_table + 35},
    {"ble", 1, variant_table + 36},
    {"blo", 1, variant_table + 37},
    {"bls", 1, variant_table + 38},
    {"blt", 1, variant_table + 39},
    {"bmi", 1, variant_table + 40},
    {"bne", 1, variant_table + 41},
    {"bool", 1, variant_table + 42},
    {"boundary", 1, variant_table + 43},
    {"bpl", 1, variant_table + 44},
    {"bra", 1, variant_table + 45},
    {"bset", 4, variant_table + 46},
    {"bsr", 1, variant_table + 50},
    {"btst", 4, variant_table + 51},
    {"bvc", 1, variant_table + 55},
    {"bvs", 1, variant_table + 56},
    {"byte", 1, variant_table + 57},
    {"byterev", 1, variant_table + 58},
    {"call", 1, variant_table + 59},
    {"callres", 1, variant_table + 60},
    {"callusr", 1, variant_table + 61},
    {"char", 1, variant_table + 62},
    {"classtag", 1, variant_table + 63},
    {"classtagbegin", 1, variant_table + 64},
    {"classtagconcat", 1, variant_table + 65},
    {"classtagend", 1, variant_table + 66},
    {"clr", 1, variant_table + 67},
    {"cmp", 3, variant_table + 68},
    {"cmpa", 2, variant_table + 71},
    {"cmpi", 1, variant_table + 73},
    {"cpu", 1, variant_table + 74},
    {"cpushl", 2, variant_table + 75},
    {"dc", 1, variant_table + 77},
    {"dcb", 2, variant_table + 78},
    {"divs", 6, variant_table + 80},
    {"divu", 6, variant_table + 86},
    {"dr", 1, variant_table + 92},
    {"ds", 2, variant_table + 93},
    {"else", 1, variant_table + 95},
    {"end", 1, variant_table + 96},
    {"endc", 1, variant_table + 97},
    {"endm", 1, variant_table + 98},
    {"endr", 1, variant_table + 99},
    {"enum", 1, variant_table + 100},
    {"enumreset", 1, variant_table + 101},
    {"enumset", 1, variant_table + 102},
    {"eor", 1, variant_table + 103},
    {"eori", 1, variant_table + 104},
    {"equ", 3, variant_table + 105},
    {"ext", 2, variant_table + 108},
    {"extb", 1, variant_table + 110},
    {"fabs", 3, variant_table + 111},
    {"fadd", 2, variant_table + 114},
    {"fbeq", 1, variant_table + 116},
    {"fbf", 1, variant_table + 117},
    {"fbge", 1, variant_table + 118},
    {"fbgl", 1, variant_table + 119},
    {"fbgle", 1, variant_table + 120},
    {"fbgt", 1, variant_table + 121},
    {"fble", 1, variant_table + 122},
    {"fblt", 1, variant_table + 123},
    {"fbne", 1, variant_table + 124},
    {"fbnge", 1, variant_table + 125},
    {"fbngl", 1, variant_table + 126},
    {"fbngle", 1, variant_table + 127},
    {"fbngt", 1, variant_table + 128},
    {"fbnle", 1, variant_table + 129},
    {"fbnlt", 1, variant_table + 130},
    {"fboge", 1, variant_table + 131},
    {"fbogl", 1, variant_table + 132},
    {"fbogt", 1, variant_table + 133},
    {"fbole", 1, variant_table + 134},
    {"fbolt", 1, variant_table + 135},
    {"fbor", 1, variant_table + 136},
    {"fbseq", 1, variant_table + 137},
    {"fbsf", 1, variant_table + 138},
    {"fbsne", 1, variant_table + 139},
    {"fbst", 1, variant_table + 140},
    {"fbt", 1, variant_table + 141},
    {"fbueq", 1, variant_table + 142},
    {"fbuge", 1, variant_table + 143},
    {"fbugt", 1, variant_table + 144},
    {"fbule", 1, variant_table + 145},
    {"fbult", 1, variant_table + 146},
    {"fbun", 1, variant_table + 147},
    {"fcmp", 2, variant_table + 148},
    {"fdabs", 3, variant_table + 150},
    {"fdadd", 2, variant_table + 153},
    {"fddiv", 2, variant_table + 155},
    {"fdiv", 2, variant_table + 157},
    {"fdmove", 2, variant_table + 159},
    {"fdmul", 2, variant_table + 161},
    {"fdneg", 3, variant_table + 163},
    {"fdsqrt", 3, variant_table + 166},
    {"fdsub", 2, variant_table + 169},
    {"ff1", 1, variant_table + 171},
    {"fint", 3, variant_table + 172},
    {"fintrz", 3, variant_table + 175},
    {"fixed", 1, variant_table + 178},
    {"float", 1, variant_table + 179},
    {"fmove", 7, variant_table + 180},
    {"fmovem", 10, variant_table + 187},
    {"fmul", 2, variant_table + 197},
    {"fneg", 3, variant_table + 199},
    {"fnop", 1, variant_table + 202},
    {"frestore", 3, variant_table + 203},
    {"fsabs", 3, variant_table + 206},
    {"fsadd", 2, variant_table + 209},
    {"fsave", 2, variant_table + 211},
    {"fsdiv", 2, variant_table + 213},
    {"fsmove", 2, variant_table + 215},
    {"fsmul", 2, variant_table + 217},
    {"fsneg", 3, variant_table + 219},
    {"fsqrt", 3, variant_table + 222},
    {"fssqrt", 3, variant_table + 225},
    {"fssub", 2, variant_table + 228},
    {"fsub", 2, variant_table + 230},
    {"ftst", 2, variant_table + 232},
    {"halt", 1, variant_table + 234},
    {"idnt", 1, variant_table + 235},
    {"ifc", 1, variant_table + 236},
    {"ifd", 1, variant_table + 237},
    {"ifeq", 1, variant_table + 238},
    {"ifge", 1, variant_table + 239},
    {"ifgt", 1, variant_table + 240},
    {"ifle", 1, variant_table + 241},
    {"iflt", 1, variant_table + 242},
    {"ifnc", 1, variant_table + 243},
    {"ifnd", 1, variant_table + 244},
    {"ifne", 1, variant_table + 245},
    {"illegal", 1, variant_table + 246},
    {"incbin", 1, variant_table + 247},
    {"incdir", 1, variant_table + 248},
    {"include", 1, variant_table + 249},
    {"intouch", 1, variant_table + 250},
    {"jmp", 1, variant_table + 251},
    {"jsr", 1, variant_table + 252},
    {"label", 1, variant_table + 253},
    {"lea", 1, variant_table + 254},
    {"link", 1, variant_table + 255},
    {"llen", 1, variant_table + 256},
    {"long", 1, variant_table + 257},
    {"lsl", 2, variant_table + 258},
    {"lsr", 2, variant_table + 260},
    {"lvo", 1, variant_table + 262},
    {"lvoreset", 1, variant_table + 263},
    {"lvorst", 1, variant_table + 264},
    {"mac", 4, variant_table + 265},
    {"macl", 2, variant_table + 269},
    {"macro", 1, variant_table + 271},
    {"mexit", 1, variant_table + 272},
    {"mov", 23, variant_table + 273},
    {"mov3q", 1, variant_table + 296},
    {"movclr", 1, variant_table + 297},
    {"move", 23, variant_table + 298},
    {"movea", 2, variant_table + 321},
    {"movec", 1, variant_table + 323},
    {"movem", 8, variant_table + 324},
    {"moveq", 1, variant_table + 332},
    {"msac", 4, variant_table + 333},
    {"msacl", 2, variant_table + 337},
    {"muls", 6, variant_table + 339},
    {"mulu", 6, variant_table + 345},
    {"mvs", 2, variant_table + 351},
    {"mvz", 2, variant_table + 353},
    {"nam", 1, variant_table + 355},
    {"name", 1, variant_table + 356},
    {"neg", 1, variant_table + 357},
    {"negx", 1, variant_table + 358},
    {"nop", 1, variant_table + 359},
    {"not", 1, variant_table + 360},
    {"opt", 1, variant_table + 361},
    {"or", 2, variant_table + 362},
    {"org", 1, variant_table + 364},
    {"ori", 1, variant_table + 365},
    {"pag", 1, variant_table + 366},
    {"page", 1, variant_table + 367},
    {"pea", 1, variant_table + 368},
    {"plen", 1, variant_table + 369},
    {"pull", 2, variant_table + 370},
    {"pulse", 1, variant_table + 372},
    {"push", 2, variant_table + 373},
    {"rems", 5, variant_table + 375},
    {"remu", 5, variant_table + 380},
    {"rept", 1, variant_table + 385},
    {"rorg", 1, variant_table + 386},
    {"rptr", 1, variant_table + 387},
    {"rte", 1, variant_table + 388},
    {"rts", 1, variant_table + 389},
    {"sats", 1, variant_table + 390},
    {"scc", 1, variant_table + 391},
    {"scs", 1, variant_table + 392},
    {"sect", 1, variant_table + 393},
    {"section", 1, variant_table + 394},
    {"seq", 1, variant_table + 395},
    {"set", 2, variant_table + 396},
    {"sf", 1, variant_table + 398},
    {"sge", 1, variant_table + 399},
    {"sgt", 1, variant_table + 400},
    {"shi", 1, variant_table + 401},
    {"short", 1, variant_table + 402},
    {"sle", 1, variant_table + 403},
    {"sls", 1, variant_table + 404},
    {"slt", 1, variant_table + 405},
    {"smi", 1, variant_table + 406},
    {"sne", 1, variant_table + 407},
    {"spc", 1, variant_table + 408},
    {"spl", 1, variant_table + 409},
    {"st", 1, variant_table + 410},
    {"stkstruct", 1, variant_table + 411},
    {"stop", 1, variant_table + 412},
    {"strldsr", 1, variant_table + 413},
    {"struct", 1, variant_table + 414},
    {"structure", 1, variant_table + 415},
    {"sub", 4, variant_table + 416},
    {"suba", 1, variant_table + 420},
    {"subi", 1, variant_table + 421},
    {"subq", 1, variant_table + 422},
    {"subx", 1, variant_table + 423},
    {"svc", 1, variant_table + 424},
    {"svs", 1, variant_table + 425},
    {"swap", 1, variant_table + 426},
    {"tas", 1, variant_table + 427},
    {"tpf", 2, variant_table + 428},
    {"trap", 1, variant_table + 430},
    {"trapf", 2, variant_table + 431},
    {"tst", 1, variant_table + 433},
    {"ttl", 1, variant_table + 434},
    {"ubyte", 1, variant_table + 435},
    {"ulong", 1, variant_table + 436},
    {"unlk", 1, variant_table + 437},
    {"ushort", 1, variant_table + 438},
    {"uword", 1, variant_table + 439},
    {"wddata", 1, variant_table + 440},
    {"wdebug", 2, variant_table + 441},
    {"word", 1, variant_table + 443},
    {"xdef", 1, variant_table + 444},
    {"xref", 1, variant_table + 445},
};

// The table is sorted (a binary search would do); every line of a program looks
// its mnemonic up, so a small open-addressing hash index, built at compile time
// over the sorted table, answers in one or two probes instead of eight compares.
// Nearly every name has at most seven characters: those are packed with their
// length into one 64-bit key and found by comparing keys. Longer names go
// through a second index hashed over the characters.
namespace {

constexpr uint32_t mnemonic_hash(std::string_view s) {
    uint32_t h = 2166136261u;
    for (char c : s) {
        h ^= static_cast<uint8_t>(c);
        h *= 16777619u;
    }
    return h;
}

constexpr int INDEX_SLOTS = 1024;  // a power of two, about four times the entries
constexpr int INDEX_BITS = 10;
constexpr size_t SHORT_NAME = 7;

// Bytes of the name in ascending order from the low end, the length in the top
// byte; never 0 for a name of one character or more.
constexpr uint64_t short_key(std::string_view s) {
    uint64_t k = uint64_t{s.size()} << 56;
    for (size_t i = 0; i < s.size(); ++i) k |= uint64_t{static_cast<uint8_t>(s[i])} << (8 * i);
    return k;
}

constexpr uint32_t short_slot(uint64_t key) {
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - INDEX_BITS));
}

struct ShortSlot {
    uint64_t key;  // 0: empty
    const MnemonicEntry* entry;
};

struct MnemonicIndex {
    int16_t slot[INDEX_SLOTS];          // long names, by mnemonic_hash
    ShortSlot short_slots[INDEX_SLOTS];  // short names, by short_slot
};

constexpr size_t length_of(const char* s) {
    size_t n = 0;
    while (s[n]) ++n;
    return n;
}

constexpr MnemonicIndex build_index() {
    MnemonicIndex ix{};
    for (int16_t& s : ix.slot) s = -1;
    for (int i = 0; i < MNEMONIC_COUNT; ++i) {
        const std::string_view name(mnemonic_table[i].name, length_of(mnemonic_table[i].name));
        if (name.size() <= SHORT_NAME) {
            uint32_t h = short_slot(short_key(name));
            while (ix.short_slots[h].key != 0) h = (h + 1) & (INDEX_SLOTS - 1);
            ix.short_slots[h] = {short_key(name), &mnemonic_table[i]};
        } else {
            uint32_t h = mnemonic_hash(name) & (INDEX_SLOTS - 1);
            while (ix.slot[h] != -1) h = (h + 1) & (INDEX_SLOTS - 1);
            ix.slot[h] = static_cast<int16_t>(i);
        }
    }
    return ix;
}

constexpr MnemonicIndex mnemonic_index = build_index();

bool same_name(std::string_view name, const char* entry) {
    size_t i = 0;
    for (; i < name.size(); ++i)
        if (entry[i] != name[i]) return false;  // also stops at the entry's terminator
    return entry[i] == '\0';
}

// short_key of a name of one to seven characters, from two overlapping loads.
inline uint64_t load_short_key(const char* p, size_t n) {
    if constexpr (std::endian::native != std::endian::little) {
        return short_key(std::string_view(p, n));
    } else {
        uint64_t k = uint64_t{n} << 56;
        if (n >= 4) {
            uint32_t lo, hi;
            std::memcpy(&lo, p, 4);
            std::memcpy(&hi, p + n - 4, 4);
            return k | lo | (uint64_t{hi} << (8 * (n - 4)));
        }
        if (n >= 2) {
            uint16_t lo, hi;
            std::memcpy(&lo, p, 2);
            std::memcpy(&hi, p + n - 2, 2);
            return k | lo | (uint64_t{hi} << (8 * (n - 2)));
        }
        return k | static_cast<uint8_t>(p[0]);
    }
}

} // namespace

const MnemonicEntry* find_mnemonic(std::string_view name) {
    const size_t n = name.size();
    if (n - 1 < SHORT_NAME) {
        const uint64_t key = load_short_key(name.data(), n);
        for (uint32_t h = short_slot(key);; h = (h + 1) & (INDEX_SLOTS - 1)) {
            const ShortSlot& slot = mnemonic_index.short_slots[h];
            if (slot.key == key) return slot.entry;
            if (slot.key == 0) return nullptr;
        }
    }
    uint32_t h = mnemonic_hash(name) & (INDEX_SLOTS - 1);
    for (int16_t i; (i = mnemonic_index.slot[h]) != -1; h = (h + 1) & (INDEX_SLOTS - 1))
        if (same_name(name, mnemonic_table[i].name)) return &mnemonic_table[i];
    return nullptr;
}

const char* const class_names[CLS_COUNT] = {
    "---", "Dn", "An", "(An)", "(An)+", "-(An)", "indexed", "expr", "#imm", "pc-indexed",
    "Dn:Dn", "(Rn):(Rn)", "RList", "{Dn/#:Dn/#}", "Cn", "CCR", "SR", "FPn", "FPCn", "FPList",
    "FPn:FPn", "FPClist", "{Dn}", "{#}", "Pn", "String", "Rn", "AnyEA", "CtlEA", "AltMem",
    "DataAlt", "Alterable", "Data", "--CtlAlt", "AnyNoImm", "Ctl++", "CtlAlt", "Memory", "Dn/Cn/Mask", "ExprList",
    "MacEA", "FloatEA", "ACC", "MASK", "MACSR", "CPSH"};

constexpr uint32_t class_sets[CLS_COUNT] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0,
    0x6,    // Rn
    0x3FE,  // AnyEA
    0x2C8,  // CtlEA
    0xF8,   // AltMem
    0xFA,   // DataAlt
    0xFE,   // Alterable
    0x3FA,  // Data
    0x7A,   // --CtlAlt
    0x2FE,  // AnyNoImm: every addressing mode except an immediate (used by no variant)
    0x2D8,  // Ctl++
    0xC8,   // CtlAlt
    0x3F8,  // Memory
    0x4082, // Dn/Cn/Mask
    0,      // ExprList
    0x78,   // MacEA
    0x27A,  // FloatEA
    0, 0, 0, 0};

namespace {

constexpr std::array<uint64_t, CLS_COUNT> build_accepts() {
    std::array<uint64_t, CLS_COUNT> a{};
    for (int s = 0; s < CLS_COUNT; ++s) {
        if (s < CLS_RN || s >= CLS_ACC)
            a[s] = uint64_t{1} << s;
        else
            a[s] = class_sets[s];  // members are all scanner classes below CLS_ACC
    }
    return a;
}

} // namespace

constexpr std::array<uint64_t, CLS_COUNT> class_accepts = build_accepts();

} // namespace tobra
