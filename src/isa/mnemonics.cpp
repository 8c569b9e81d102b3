// The mnemonic and variant tables. One row per variant, in matching order:
// {size mask, {operand classes}, handler, base opcode, flags}; flags left out are 0.
#include "isa/mnemonics.h"

#include <bit>
#include <cstring>

namespace tobra {

constexpr Variant variant_table[VARIANT_COUNT] = {
    // add
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_DN}, H_ADD, 0xD000},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM}, H_DREG_TO_EA, 0xD100},
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN}, H_EA_TO_AREG, 0xD1C0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE}, H_ADD, 0xD000},
    // adda
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN}, H_EA_TO_AREG, 0xD1C0},
    // addi
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_IMM_TO_DREG, 0x0600},
    // addq
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE}, H_QUICK, 0x5000},
    // addx
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_ADDX, 0xD100},
    // align
    {SZ_U, {CLS_EXPR}, H_ALIGN, 0x0000},
    // and
    {SZ_L|SZ_U, {CLS_DATA, CLS_DN}, H_LOGIC_TO_DREG, 0xC000},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM}, H_DREG_TO_EA, 0xC100},
    // andi
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_IMM_TO_DREG, 0x0200},
    // aptr
    {SZ_U, {}, H_FIELD_LONG, 0x0000},
    // asl
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_SHIFT_REG, 0xE120},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_SHIFT_IMM, 0xE100},
    // asr
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_SHIFT_REG, 0xE020},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_SHIFT_IMM, 0xE000},
    // bcc
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6400},
    // bchg
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_BIT_DYNAMIC, 0x0140},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_BIT_STATIC, 0x0840},
    {SZ_B|SZ_U, {CLS_DN, CLS_ALT_MEM}, H_BIT_DYNAMIC, 0x0140},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT}, H_BIT_STATIC, 0x0840},
    // bclr
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_BIT_DYNAMIC, 0x0180},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_BIT_STATIC, 0x0880},
    {SZ_B|SZ_U, {CLS_DN, CLS_ALT_MEM}, H_BIT_DYNAMIC, 0x0180},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT}, H_BIT_STATIC, 0x0880},
    // bcs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6500},
    // beq
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6700},
    // bge
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6C00},
    // bgt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6E00},
    // bhi
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6200},
    // bitdef
    {SZ_U, {}, H_BITDEF, 0x0000},
    // bitrev
    {SZ_L|SZ_U, {CLS_DN}, H_ISA_A_PLUS, 0x00C0},
    // ble
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6F00},
    // bls
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6300},
    // blt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6D00},
    // bmi
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6B00},
    // bne
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6600},
    // bool
    {SZ_U, {}, H_FIELD_WORD, 0x0000},
    // boundary
    {SZ_U, {}, H_BOUNDARY, 0x0000},
    // bpl
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6A00},
    // bra
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6000},
    // bset
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_BIT_DYNAMIC, 0x01C0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_BIT_STATIC, 0x08C0},
    {SZ_B|SZ_U, {CLS_DN, CLS_ALT_MEM}, H_BIT_DYNAMIC, 0x01C0},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT}, H_BIT_STATIC, 0x08C0},
    // bsr
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6100},
    // btst
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_BIT_DYNAMIC, 0x0100},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_BIT_STATIC, 0x0800},
    {SZ_B|SZ_U, {CLS_DN, CLS_DATA}, H_BIT_DYNAMIC, 0x0100},
    {SZ_B|SZ_U, {CLS_IMM, CLS_DN_CTL_ALT}, H_BIT_STATIC, 0x0800},
    // bvc
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6800},
    // bvs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_U, {CLS_EXPR}, H_BRANCH, 0x6900},
    // byte
    {SZ_U, {}, H_FIELD_BYTE, 0x0000},
    // byterev
    {SZ_L|SZ_U, {CLS_DN}, H_ISA_A_PLUS, 0x02C0},
    // call
    {SZ_U, {}, H_CALL, 0x0000},
    // callres
    {SZ_U, {}, H_CALLRES, 0x0000},
    // callusr
    {SZ_U, {}, H_CALLUSR, 0x0000},
    // char
    {SZ_U, {}, H_FIELD_BYTE, 0x0000},
    // classtag
    {SZ_U, {}, H_CLASSTAG, 0x0000},
    // classtagbegin
    {SZ_U, {}, H_CLASSTAGBEGIN, 0x0000},
    // classtagconcat
    {SZ_U, {}, H_CLASSTAGCONCAT, 0x0000},
    // classtagend
    {SZ_U, {}, H_CLASSTAGEND, 0x0000},
    // clr
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_DATA_ALT}, H_EA_SIZED, 0x4200},
    // cmp
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_ANY_EA, CLS_DN}, H_CMP, 0xB000},
    // cmpa
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN}, H_CMPA, 0xB1C0},
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN}, H_CMPA, 0xB0C0},
    // cmpi
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_CMPI, 0x0C00},
    // cpu
    {SZ_U, {}, H_CPU, 0x0000},
    // cpushl
    {SZ_U, {CLS_AN_IND}, H_REG_ONLY, 0xF4E8},
    {SZ_U, {CLS_CPSH, CLS_AN_IND}, H_CPUSHL_CACHE, 0xF428},
    // dc
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_EXPR_LIST}, H_DC, 0x0000},
    // divs
    {SZ_W, {CLS_DATA, CLS_DN}, H_DIV_WORD, 0x81C0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN}, H_DIV_LONG, 0x4C40, 0x800},
    // divu
    {SZ_W, {CLS_DATA, CLS_DN}, H_DIV_WORD, 0x80C0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN}, H_DIV_LONG, 0x4C40},
    // dr
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR_LIST}, H_DR, 0x0000},
    // ds
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_DS, 0x0000},
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_EXPR, CLS_EXPR}, H_DS, 0x0000},
    // else
    {SZ_U, {}, H_ELSE, 0x0000},
    // end
    {SZ_U, {}, H_END, 0x0000},
    // endc
    {SZ_U, {}, H_ENDC, 0x0000},
    // enum
    {SZ_B|SZ_W|SZ_L|SZ_U, {}, H_ENUM, 0x0000},
    // enumreset
    {SZ_U, {}, H_ENUMRESET, 0x0000},
    // enumset
    {SZ_U, {CLS_EXPR}, H_ENUMSET, 0x0000},
    // eor
    {SZ_L|SZ_U, {CLS_DN, CLS_DATA_ALT}, H_DREG_TO_EA, 0xB100},
    // eori
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_IMM_TO_DREG, 0x0A00},
    // equ
    {SZ_U, {CLS_EXPR}, H_EQU, 0x0000},
    {SZ_U, {CLS_STRING}, H_EQU, 0x0000},
    {SZ_S, {CLS_EXPR}, H_EQU, 0x0000},
    // ext
    {SZ_W, {CLS_DN}, H_REG_ONLY, 0x4880},
    {SZ_L|SZ_U, {CLS_DN}, H_REG_ONLY, 0x48C0},
    // extb
    {SZ_L|SZ_U, {CLS_DN}, H_REG_ONLY, 0x49C0},
    // fabs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4018},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x18},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x18},
    // fadd
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4022},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x22},
    // fbeq
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF281},
    // fbf
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF280},
    // fbge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF293},
    // fbgl
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF296},
    // fbgle
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF297},
    // fbgt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF292},
    // fble
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF295},
    // fblt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF294},
    // fbne
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF28E},
    // fbnge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF29C},
    // fbngl
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF299},
    // fbngle
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF298},
    // fbngt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF29D},
    // fbnle
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF29A},
    // fbnlt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF29B},
    // fboge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF283},
    // fbogl
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF286},
    // fbogt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF282},
    // fbole
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF285},
    // fbolt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF284},
    // fbor
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF287},
    // fbseq
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF291},
    // fbsf
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF290},
    // fbsne
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF29E},
    // fbst
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF29F},
    // fbt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF28F},
    // fbueq
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF289},
    // fbuge
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF28B},
    // fbugt
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF28A},
    // fbule
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF28D},
    // fbult
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF28C},
    // fbun
    {SZ_W|SZ_L|SZ_U, {CLS_EXPR}, H_FBRANCH, 0xF288},
    // fcmp
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4038},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x38},
    // fdabs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x405C},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x5C},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x5C},
    // fdadd
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4066},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x66},
    // fddiv
    {SZ_S|SZ_D, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4064},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x64},
    // fdiv
    {SZ_S|SZ_D, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4020},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x20},
    // fdmove
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4044},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x44},
    // fdmul
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4067},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x67},
    // fdneg
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x405E},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x5E},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x5E},
    // fdsqrt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4045},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x45},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x45},
    // fdsub
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x406C},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x6C},
    // ff1
    {SZ_L|SZ_U, {CLS_DN}, H_ISA_A_PLUS, 0x04C0},
    // fint
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4001},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x1},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x1},
    // fintrz
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4003},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x3},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x3},
    // fixed
    {SZ_U, {}, H_FIELD_LONG, 0x0000},
    // float
    {SZ_U, {}, H_FIELD_LONG, 0x0000},
    // fmove
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4000},
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FPN, CLS_DN_CTL_ALT}, H_FP_STORE, 0xF200, 0x6000},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200},
    {SZ_L, {CLS_FLOAT_EA, CLS_FPCN}, H_FP_TO_CTL, 0xF200, 0x8000},
    {SZ_L, {CLS_AN, CLS_FPCN}, H_FP_TO_CTL, 0xF200, 0x8000},
    {SZ_L, {CLS_FPCN, CLS_DN_CTL_ALT}, H_FP_FROM_CTL, 0xF200, 0xA000},
    {SZ_L, {CLS_FPCN, CLS_AN}, H_FP_FROM_CTL, 0xF200, 0xA000},
    // fmovem
    {SZ_D|SZ_U, {CLS_FPN, CLS_AN_IND}, H_FMOVEM_STORE, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_FPN, CLS_INDEXED}, H_FMOVEM_STORE, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_FPLIST, CLS_AN_IND}, H_FMOVEM_STORE, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_FPLIST, CLS_INDEXED}, H_FMOVEM_STORE, 0xF200, 0xF000},
    {SZ_D|SZ_U, {CLS_AN_IND, CLS_FPN}, H_FMOVEM_LOAD, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_INDEXED, CLS_FPN}, H_FMOVEM_LOAD, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_PC_INDEXED, CLS_FPN}, H_FMOVEM_LOAD, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_AN_IND, CLS_FPLIST}, H_FMOVEM_LOAD, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_INDEXED, CLS_FPLIST}, H_FMOVEM_LOAD, 0xF200, 0xD000},
    {SZ_D|SZ_U, {CLS_PC_INDEXED, CLS_FPLIST}, H_FMOVEM_LOAD, 0xF200, 0xD000},
    // fmul
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4023},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x23},
    // fneg
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x401A},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x1A},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x1A},
    // fnop
    {SZ_U, {}, H_FNOP, 0xF280},
    // frestore
    {SZ_U, {CLS_AN_IND}, H_EA_SOURCE, 0xF340},
    {SZ_U, {CLS_INDEXED}, H_EA_SOURCE, 0xF340},
    {SZ_U, {CLS_PC_INDEXED}, H_EA_SOURCE, 0xF340},
    // fsabs
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4058},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x58},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x58},
    // fsadd
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4062},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x62},
    // fsave
    {SZ_U, {CLS_AN_IND}, H_EA_SOURCE, 0xF300},
    {SZ_U, {CLS_INDEXED}, H_EA_SOURCE, 0xF300},
    // fsdiv
    {SZ_S|SZ_D, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4060},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x60},
    // fsmove
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4040},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x40},
    // fsmul
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4063},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x63},
    // fsneg
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x405A},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x5A},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x5A},
    // fsqrt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4004},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x4},
    // fssqrt
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4041},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x41},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x41},
    // fssub
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4068},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x68},
    // fsub
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA, CLS_FPN}, H_FP_ARITH, 0xF200, 0x4028},
    {SZ_D, {CLS_FPN, CLS_FPN}, H_FP_ARITH, 0xF200, 0x28},
    // ftst
    {SZ_B|SZ_W|SZ_L|SZ_S|SZ_D|SZ_U, {CLS_FLOAT_EA}, H_FP_ARITH, 0xF200, 0x403A},
    {SZ_D, {CLS_FPN}, H_FP_ARITH, 0xF200, 0x3A},
    // halt
    {SZ_U, {}, H_FIXED, 0x4AC8},
    // idnt
    {SZ_U, {}, H_IDNT, 0x0000},
    // ifd
    {SZ_U, {}, H_IFD, 0x0000},
    // ifeq
    {SZ_U, {}, H_IFEQ, 0x0000},
    // ifge
    {SZ_U, {}, H_IFGE, 0x0000},
    // ifgt
    {SZ_U, {}, H_IFGT, 0x0000},
    // ifle
    {SZ_U, {}, H_IFLE, 0x0000},
    // iflt
    {SZ_U, {}, H_IFLT, 0x0000},
    // ifnc
    {SZ_U, {}, H_IFNC, 0x0000},
    // ifnd
    {SZ_U, {}, H_IFND, 0x0000},
    // ifne
    {SZ_U, {}, H_IFNE, 0x0000},
    // illegal
    {SZ_U, {}, H_FIXED, 0x4AFC},
    // incbin
    {SZ_U, {}, H_INCBIN, 0x0000},
    // incdir
    {SZ_U, {}, H_INCDIR, 0x0000},
    // include
    {SZ_U, {}, H_INCLUDE, 0x0000},
    // intouch
    {SZ_U, {CLS_AN_IND}, H_INTOUCH, 0xF428},
    // jmp
    {SZ_U, {CLS_CTL_EA}, H_EA_SOURCE, 0x4EC0},
    // jsr
    {SZ_U, {CLS_CTL_EA}, H_EA_SOURCE, 0x4E80},
    // label
    {SZ_U, {}, H_LABEL, 0x0000},
    // lea
    {SZ_L|SZ_U, {CLS_CTL_EA, CLS_AN}, H_EA_TO_AREG, 0x41C0},
    // link
    {SZ_W|SZ_U, {CLS_AN, CLS_IMM}, H_LINK, 0x4E50},
    // llen
    {SZ_U, {}, H_IGNORED, 0x0000},
    // long
    {SZ_U, {}, H_FIELD_LONG, 0x0000},
    // lsl
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_SHIFT_REG, 0xE128},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_SHIFT_IMM, 0xE108},
    // lsr
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_SHIFT_REG, 0xE028},
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_SHIFT_IMM, 0xE008},
    // lvo
    {SZ_U, {}, H_LVO, 0x0000},
    // lvoreset
    {SZ_U, {}, H_LVORESET, 0x0000},
    // lvorst
    {SZ_U, {}, H_LVORESET, 0x0000},
    // mac
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN}, H_MAC, 0xA000},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_ACC}, H_MAC, 0xA000},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN}, H_MAC_LOAD, 0xA080},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MAC_LOAD, 0xA080},
    // macl
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN}, H_MAC_LOAD, 0xA080},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MAC_LOAD, 0xA080},
    // mov
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DATA_ALT}, H_MOVE, 0x3000},
    {SZ_B, {CLS_ANY_EA, CLS_DATA_ALT}, H_MOVE, 0x1000},
    {SZ_L, {CLS_ANY_EA, CLS_DATA_ALT}, H_MOVE, 0x2000},
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN}, H_MOVE, 0x3000},
    {SZ_L, {CLS_ANY_EA, CLS_AN}, H_MOVE, 0x2000},
    {SZ_L, {CLS_MACSR, CLS_CCR}, H_FIXED, 0xA9C0},
    {SZ_W|SZ_U, {CLS_CCR, CLS_DN}, H_EA_DEST, 0x42C0},
    {SZ_W|SZ_U, {CLS_DN, CLS_CCR}, H_EA_SOURCE, 0x44C0},
    {SZ_W|SZ_U, {CLS_IMM, CLS_CCR}, H_EA_SOURCE, 0x44C0},
    {SZ_W|SZ_U, {CLS_SR, CLS_DATA_ALT}, H_EA_DEST, 0x40C0},
    {SZ_W|SZ_U, {CLS_DATA, CLS_SR}, H_EA_SOURCE, 0x46C0},
    {SZ_L|SZ_U, {CLS_CN, CLS_AN}, H_MOVE_USP, 0x4E68},
    {SZ_L|SZ_U, {CLS_AN, CLS_CN}, H_MOVE_USP, 0x4E60},
    {SZ_L, {CLS_ACC, CLS_RN}, H_MOVE_FROM_ACC, 0xA180},
    {SZ_L, {CLS_RN, CLS_ACC}, H_MOVE_TO_ACC, 0xA100},
    {SZ_L, {CLS_IMM, CLS_ACC}, H_MOVE_TO_ACC, 0xA100},
    {SZ_L, {CLS_ACC, CLS_ACC}, H_MOVE_TO_ACC, 0xA110},
    {SZ_L, {CLS_MASK, CLS_RN}, H_EA_DEST, 0xAD80},
    {SZ_L, {CLS_RN, CLS_MASK}, H_EA_SOURCE, 0xAD00},
    {SZ_L, {CLS_IMM, CLS_MASK}, H_EA_SOURCE, 0xAD00},
    {SZ_L, {CLS_MACSR, CLS_RN}, H_EA_DEST, 0xA980},
    {SZ_L, {CLS_RN, CLS_MACSR}, H_EA_SOURCE, 0xA900},
    {SZ_L, {CLS_IMM, CLS_MACSR}, H_EA_SOURCE, 0xA900},
    // mov3q
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE}, H_MOV3Q, 0xA140},
    // movclr
    {SZ_L|SZ_U, {CLS_ACC, CLS_RN}, H_MOVE_FROM_ACC, 0xA1C0},
    // move
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DATA_ALT}, H_MOVE, 0x3000},
    {SZ_B, {CLS_ANY_EA, CLS_DATA_ALT}, H_MOVE, 0x1000},
    {SZ_L, {CLS_ANY_EA, CLS_DATA_ALT}, H_MOVE, 0x2000},
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN}, H_MOVE, 0x3000},
    {SZ_L, {CLS_ANY_EA, CLS_AN}, H_MOVE, 0x2000},
    {SZ_L, {CLS_MACSR, CLS_CCR}, H_FIXED, 0xA9C0},
    {SZ_W|SZ_U, {CLS_CCR, CLS_DN}, H_EA_DEST, 0x42C0},
    {SZ_W|SZ_U, {CLS_DN, CLS_CCR}, H_EA_SOURCE, 0x44C0},
    {SZ_W|SZ_U, {CLS_IMM, CLS_CCR}, H_EA_SOURCE, 0x44C0},
    {SZ_W|SZ_U, {CLS_SR, CLS_DATA_ALT}, H_EA_DEST, 0x40C0},
    {SZ_W|SZ_U, {CLS_DATA, CLS_SR}, H_EA_SOURCE, 0x46C0},
    {SZ_L|SZ_U, {CLS_CN, CLS_AN}, H_MOVE_USP, 0x4E68},
    {SZ_L|SZ_U, {CLS_AN, CLS_CN}, H_MOVE_USP, 0x4E60},
    {SZ_L, {CLS_ACC, CLS_RN}, H_MOVE_FROM_ACC, 0xA180},
    {SZ_L, {CLS_RN, CLS_ACC}, H_MOVE_TO_ACC, 0xA100},
    {SZ_L, {CLS_IMM, CLS_ACC}, H_MOVE_TO_ACC, 0xA100},
    {SZ_L, {CLS_ACC, CLS_ACC}, H_MOVE_TO_ACC, 0xA110},
    {SZ_L, {CLS_MASK, CLS_RN}, H_EA_DEST, 0xAD80},
    {SZ_L, {CLS_RN, CLS_MASK}, H_EA_SOURCE, 0xAD00},
    {SZ_L, {CLS_IMM, CLS_MASK}, H_EA_SOURCE, 0xAD00},
    {SZ_L, {CLS_MACSR, CLS_RN}, H_EA_DEST, 0xA980},
    {SZ_L, {CLS_RN, CLS_MACSR}, H_EA_SOURCE, 0xA900},
    {SZ_L, {CLS_IMM, CLS_MACSR}, H_EA_SOURCE, 0xA900},
    // movea
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_AN}, H_MOVE, 0x3000},
    {SZ_L, {CLS_ANY_EA, CLS_AN}, H_MOVE, 0x2000},
    // movec
    {SZ_L|SZ_U, {CLS_RN, CLS_CN}, H_MOVEC, 0x4E7B},
    // movem
    {SZ_L|SZ_U, {CLS_RN, CLS_AN_IND}, H_MOVEM_STORE, 0x48C0},
    {SZ_L|SZ_U, {CLS_RN, CLS_INDEXED}, H_MOVEM_STORE, 0x48C0},
    {SZ_L|SZ_U, {CLS_RLIST, CLS_AN_IND}, H_MOVEM_STORE, 0x48C0},
    {SZ_L|SZ_U, {CLS_RLIST, CLS_INDEXED}, H_MOVEM_STORE, 0x48C0},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_RN}, H_MOVEM_LOAD, 0x4CC0},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_RN}, H_MOVEM_LOAD, 0x4CC0},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_RLIST}, H_MOVEM_LOAD, 0x4CC0},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_RLIST}, H_MOVEM_LOAD, 0x4CC0},
    // moveq
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_MOVEQ, 0x7000},
    // msac
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN}, H_MSAC, 0xA000},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_ACC}, H_MSAC, 0xA000},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN}, H_MSAC_LOAD, 0xA080},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MSAC_LOAD, 0xA080},
    // msacl
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN}, H_MSAC_LOAD, 0xA080},
    {SZ_W|SZ_L|SZ_U, {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MSAC_LOAD, 0xA080},
    // muls
    {SZ_W, {CLS_DATA, CLS_DN}, H_EA_TO_AREG, 0xC1C0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_MUL_LONG, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN}, H_MUL_LONG, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN}, H_MUL_LONG, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN}, H_MUL_LONG, 0x4C00, 0x800},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN}, H_MUL_LONG, 0x4C00, 0x800},
    // mulu
    {SZ_W, {CLS_DATA, CLS_DN}, H_EA_TO_AREG, 0xC0C0},
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_MUL_LONG, 0x4C00},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN}, H_MUL_LONG, 0x4C00},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN}, H_MUL_LONG, 0x4C00},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN}, H_MUL_LONG, 0x4C00},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN}, H_MUL_LONG, 0x4C00},
    // mvs
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DN}, H_MVS_MVZ, 0x7100},
    {SZ_B|SZ_U, {CLS_ANY_EA, CLS_DN}, H_MVS_MVZ, 0x7100},
    // mvz
    {SZ_W|SZ_U, {CLS_ANY_EA, CLS_DN}, H_MVS_MVZ, 0x7180},
    {SZ_B|SZ_U, {CLS_ANY_EA, CLS_DN}, H_MVS_MVZ, 0x7180},
    // nam
    {SZ_U, {}, H_IGNORED, 0x0000},
    // name
    {SZ_U, {}, H_IGNORED, 0x0000},
    // neg
    {SZ_L|SZ_U, {CLS_DN}, H_EA_SIZED, 0x4400},
    // negx
    {SZ_L|SZ_U, {CLS_DN}, H_EA_SIZED, 0x4000},
    // nop
    {SZ_U, {}, H_FIXED, 0x4E71},
    // not
    {SZ_L|SZ_U, {CLS_DN}, H_EA_SIZED, 0x4600},
    // opt
    {SZ_U, {}, H_OPT, 0x0000},
    // or
    {SZ_L|SZ_U, {CLS_DATA, CLS_DN}, H_LOGIC_TO_DREG, 0x8000},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM}, H_DREG_TO_EA, 0x8100},
    // org
    {SZ_U, {CLS_EXPR}, H_ORG, 0x0000},
    // ori
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_IMM_TO_DREG, 0x0000},
    // pag
    {SZ_U, {}, H_PAGE, 0x000C},
    // page
    {SZ_U, {}, H_PAGE, 0x000C},
    // pea
    {SZ_L|SZ_U, {CLS_CTL_EA}, H_EA_SOURCE, 0x4840},
    // plen
    {SZ_U, {}, H_IGNORED, 0x0000},
    // pull
    {SZ_U, {CLS_RLIST}, H_PULL, 0x4CC0},
    {SZ_U, {CLS_RN}, H_PULL, 0x4CC0},
    // pulse
    {SZ_U, {}, H_FIXED, 0x4ACC},
    // push
    {SZ_U, {CLS_RLIST}, H_PUSH, 0x48C0},
    {SZ_U, {CLS_RN}, H_PUSH, 0x48C0},
    // rems
    {SZ_L|SZ_U, {CLS_DN, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40, 0x800},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40, 0x800},
    // remu
    {SZ_L|SZ_U, {CLS_DN, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_AN_IND, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_POSTINC, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_PREDEC, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40},
    {SZ_L|SZ_U, {CLS_INDEXED, CLS_DN_PAIR}, H_DIV_LONG, 0x4C40},
    // rorg
    {SZ_U, {CLS_EXPR}, H_RORG, 0x0000},
    // rptr
    {SZ_U, {}, H_FIELD_LONG, 0x0000},
    // rte
    {SZ_U, {}, H_RTS, 0x4E73},
    // rts
    {SZ_U, {}, H_RTS, 0x4E75},
    // sats
    {SZ_L|SZ_U, {CLS_DN}, H_SATS_TAS, 0x4C80},
    // scc
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x54C0},
    // scs
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x55C0},
    // sect
    {SZ_U, {}, H_SECTION, 0x0000},
    // section
    {SZ_U, {}, H_SECTION, 0x0000},
    // seq
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x57C0},
    // sf
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x51C0},
    // sge
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x5CC0},
    // sgt
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x5EC0},
    // shi
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x52C0},
    // short
    {SZ_U, {}, H_FIELD_WORD, 0x0000},
    // sle
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x5FC0},
    // sls
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x53C0},
    // slt
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x5DC0},
    // smi
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x5BC0},
    // sne
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x56C0},
    // spc
    {SZ_U, {}, H_IGNORED, 0x0000},
    // spl
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x5AC0},
    // st
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x50C0},
    // stkstruct
    {SZ_U, {}, H_STKSTRUCT, 0x0000},
    // stop
    {SZ_U, {CLS_IMM}, H_STOP, 0x4E72},
    // strldsr
    {SZ_L|SZ_U, {CLS_IMM}, H_ISA_A_PLUS, 0x40E7, 0x46FC},
    // struct
    {SZ_U, {}, H_STRUCT, 0x0000},
    // structure
    {SZ_U, {}, H_STRUCTURE, 0x0000},
    // sub
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_DN}, H_SUB, 0x9000},
    {SZ_L|SZ_U, {CLS_DN, CLS_ALT_MEM}, H_DREG_TO_EA, 0x9100},
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN}, H_EA_TO_AREG, 0x91C0},
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE}, H_SUB, 0x9000},
    // suba
    {SZ_L|SZ_U, {CLS_ANY_EA, CLS_AN}, H_EA_TO_AREG, 0x91C0},
    // subi
    {SZ_L|SZ_U, {CLS_IMM, CLS_DN}, H_IMM_TO_DREG, 0x0400},
    // subq
    {SZ_L|SZ_U, {CLS_IMM, CLS_ALTERABLE}, H_QUICK, 0x5100},
    // subx
    {SZ_L|SZ_U, {CLS_DN, CLS_DN}, H_ADDX, 0x9100},
    // svc
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x58C0},
    // svs
    {SZ_B|SZ_U, {CLS_DN}, H_EA_SOURCE, 0x59C0},
    // swap
    {SZ_W|SZ_U, {CLS_DN}, H_REG_ONLY, 0x4840},
    // tas
    {SZ_B|SZ_U, {CLS_ALT_MEM}, H_SATS_TAS, 0x4AC0},
    // tpf
    {SZ_U, {}, H_FIXED, 0x51FC},
    {SZ_W|SZ_L|SZ_U, {CLS_IMM}, H_TPF, 0x51F8},
    // trap
    {SZ_U, {CLS_IMM}, H_TRAP, 0x4E40},
    // trapf
    {SZ_U, {}, H_FIXED, 0x51FC},
    {SZ_W|SZ_L|SZ_U, {CLS_IMM}, H_TPF, 0x51F8},
    // tst
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_ANY_EA}, H_EA_SIZED, 0x4A00},
    // ttl
    {SZ_U, {}, H_IGNORED, 0x0000},
    // ubyte
    {SZ_U, {}, H_FIELD_BYTE, 0x0000},
    // ulong
    {SZ_U, {}, H_FIELD_LONG, 0x0000},
    // unlk
    {SZ_U, {CLS_AN}, H_REG_ONLY, 0x4E58},
    // ushort
    {SZ_U, {}, H_FIELD_WORD, 0x0000},
    // uword
    {SZ_U, {}, H_FIELD_WORD, 0x0000},
    // wddata
    {SZ_B|SZ_W|SZ_L|SZ_U, {CLS_ALT_MEM}, H_EA_SIZED, 0xFB00},
    // wdebug
    {SZ_L|SZ_U, {CLS_AN_IND}, H_WDEBUG, 0xFBC0, 0x3},
    {SZ_L|SZ_U, {CLS_INDEXED}, H_WDEBUG, 0xFBC0, 0x3},
    // word
    {SZ_U, {}, H_FIELD_WORD, 0x0000},
    // xdef
    {SZ_U, {}, H_XDEF, 0x0000},
    // xref
    {SZ_U, {}, H_XREF, 0x0000},
};

constexpr MnemonicEntry mnemonic_table[MNEMONIC_COUNT] = {
    {"add", 4, variant_table + 0},
    {"adda", 1, variant_table + 4},
    {"addi", 1, variant_table + 5},
    {"addq", 1, variant_table + 6},
    {"addx", 1, variant_table + 7},
    {"align", 1, variant_table + 8},
    {"and", 2, variant_table + 9},
    {"andi", 1, variant_table + 11},
    {"aptr", 1, variant_table + 12},
    {"asl", 2, variant_table + 13},
    {"asr", 2, variant_table + 15},
    {"bcc", 1, variant_table + 17},
    {"bchg", 4, variant_table + 18},
    {"bclr", 4, variant_table + 22},
    {"bcs", 1, variant_table + 26},
    {"beq", 1, variant_table + 27},
    {"bge", 1, variant_table + 28},
    {"bgt", 1, variant_table + 29},
    {"bhi", 1, variant_table + 30},
    {"bitdef", 1, variant_table + 31},
    {"bitrev", 1, variant_table + 32},
    {"ble", 1, variant_table + 33},
    {"bls", 1, variant_table + 34},
    {"blt", 1, variant_table + 35},
    {"bmi", 1, variant_table + 36},
    {"bne", 1, variant_table + 37},
    {"bool", 1, variant_table + 38},
    {"boundary", 1, variant_table + 39},
    {"bpl", 1, variant_table + 40},
    {"bra", 1, variant_table + 41},
    {"bset", 4, variant_table + 42},
    {"bsr", 1, variant_table + 46},
    {"btst", 4, variant_table + 47},
    {"bvc", 1, variant_table + 51},
    {"bvs", 1, variant_table + 52},
    {"byte", 1, variant_table + 53},
    {"byterev", 1, variant_table + 54},
    {"call", 1, variant_table + 55},
    {"callres", 1, variant_table + 56},
    {"callusr", 1, variant_table + 57},
    {"char", 1, variant_table + 58},
    {"classtag", 1, variant_table + 59},
    {"classtagbegin", 1, variant_table + 60},
    {"classtagconcat", 1, variant_table + 61},
    {"classtagend", 1, variant_table + 62},
    {"clr", 1, variant_table + 63},
    {"cmp", 1, variant_table + 64},
    {"cmpa", 2, variant_table + 65},
    {"cmpi", 1, variant_table + 67},
    {"cpu", 1, variant_table + 68},
    {"cpushl", 2, variant_table + 69},
    {"dc", 1, variant_table + 71},
    {"divs", 6, variant_table + 72},
    {"divu", 6, variant_table + 78},
    {"dr", 1, variant_table + 84},
    {"ds", 2, variant_table + 85},
    {"else", 1, variant_table + 87},
    {"end", 1, variant_table + 88},
    {"endc", 1, variant_table + 89},
    {"enum", 1, variant_table + 90},
    {"enumreset", 1, variant_table + 91},
    {"enumset", 1, variant_table + 92},
    {"eor", 1, variant_table + 93},
    {"eori", 1, variant_table + 94},
    {"equ", 3, variant_table + 95},
    {"ext", 2, variant_table + 98},
    {"extb", 1, variant_table + 100},
    {"fabs", 3, variant_table + 101},
    {"fadd", 2, variant_table + 104},
    {"fbeq", 1, variant_table + 106},
    {"fbf", 1, variant_table + 107},
    {"fbge", 1, variant_table + 108},
    {"fbgl", 1, variant_table + 109},
    {"fbgle", 1, variant_table + 110},
    {"fbgt", 1, variant_table + 111},
    {"fble", 1, variant_table + 112},
    {"fblt", 1, variant_table + 113},
    {"fbne", 1, variant_table + 114},
    {"fbnge", 1, variant_table + 115},
    {"fbngl", 1, variant_table + 116},
    {"fbngle", 1, variant_table + 117},
    {"fbngt", 1, variant_table + 118},
    {"fbnle", 1, variant_table + 119},
    {"fbnlt", 1, variant_table + 120},
    {"fboge", 1, variant_table + 121},
    {"fbogl", 1, variant_table + 122},
    {"fbogt", 1, variant_table + 123},
    {"fbole", 1, variant_table + 124},
    {"fbolt", 1, variant_table + 125},
    {"fbor", 1, variant_table + 126},
    {"fbseq", 1, variant_table + 127},
    {"fbsf", 1, variant_table + 128},
    {"fbsne", 1, variant_table + 129},
    {"fbst", 1, variant_table + 130},
    {"fbt", 1, variant_table + 131},
    {"fbueq", 1, variant_table + 132},
    {"fbuge", 1, variant_table + 133},
    {"fbugt", 1, variant_table + 134},
    {"fbule", 1, variant_table + 135},
    {"fbult", 1, variant_table + 136},
    {"fbun", 1, variant_table + 137},
    {"fcmp", 2, variant_table + 138},
    {"fdabs", 3, variant_table + 140},
    {"fdadd", 2, variant_table + 143},
    {"fddiv", 2, variant_table + 145},
    {"fdiv", 2, variant_table + 147},
    {"fdmove", 2, variant_table + 149},
    {"fdmul", 2, variant_table + 151},
    {"fdneg", 3, variant_table + 153},
    {"fdsqrt", 3, variant_table + 156},
    {"fdsub", 2, variant_table + 159},
    {"ff1", 1, variant_table + 161},
    {"fint", 3, variant_table + 162},
    {"fintrz", 3, variant_table + 165},
    {"fixed", 1, variant_table + 168},
    {"float", 1, variant_table + 169},
    {"fmove", 7, variant_table + 170},
    {"fmovem", 10, variant_table + 177},
    {"fmul", 2, variant_table + 187},
    {"fneg", 3, variant_table + 189},
    {"fnop", 1, variant_table + 192},
    {"frestore", 3, variant_table + 193},
    {"fsabs", 3, variant_table + 196},
    {"fsadd", 2, variant_table + 199},
    {"fsave", 2, variant_table + 201},
    {"fsdiv", 2, variant_table + 203},
    {"fsmove", 2, variant_table + 205},
    {"fsmul", 2, variant_table + 207},
    {"fsneg", 3, variant_table + 209},
    {"fsqrt", 3, variant_table + 212},
    {"fssqrt", 3, variant_table + 215},
    {"fssub", 2, variant_table + 218},
    {"fsub", 2, variant_table + 220},
    {"ftst", 2, variant_table + 222},
    {"halt", 1, variant_table + 224},
    {"idnt", 1, variant_table + 225},
    {"ifd", 1, variant_table + 226},
    {"ifeq", 1, variant_table + 227},
    {"ifge", 1, variant_table + 228},
    {"ifgt", 1, variant_table + 229},
    {"ifle", 1, variant_table + 230},
    {"iflt", 1, variant_table + 231},
    {"ifnc", 1, variant_table + 232},
    {"ifnd", 1, variant_table + 233},
    {"ifne", 1, variant_table + 234},
    {"illegal", 1, variant_table + 235},
    {"incbin", 1, variant_table + 236},
    {"incdir", 1, variant_table + 237},
    {"include", 1, variant_table + 238},
    {"intouch", 1, variant_table + 239},
    {"jmp", 1, variant_table + 240},
    {"jsr", 1, variant_table + 241},
    {"label", 1, variant_table + 242},
    {"lea", 1, variant_table + 243},
    {"link", 1, variant_table + 244},
    {"llen", 1, variant_table + 245},
    {"long", 1, variant_table + 246},
    {"lsl", 2, variant_table + 247},
    {"lsr", 2, variant_table + 249},
    {"lvo", 1, variant_table + 251},
    {"lvoreset", 1, variant_table + 252},
    {"lvorst", 1, variant_table + 253},
    {"mac", 4, variant_table + 254},
    {"macl", 2, variant_table + 258},
    {"mov", 23, variant_table + 260},
    {"mov3q", 1, variant_table + 283},
    {"movclr", 1, variant_table + 284},
    {"move", 23, variant_table + 285},
    {"movea", 2, variant_table + 308},
    {"movec", 1, variant_table + 310},
    {"movem", 8, variant_table + 311},
    {"moveq", 1, variant_table + 319},
    {"msac", 4, variant_table + 320},
    {"msacl", 2, variant_table + 324},
    {"muls", 6, variant_table + 326},
    {"mulu", 6, variant_table + 332},
    {"mvs", 2, variant_table + 338},
    {"mvz", 2, variant_table + 340},
    {"nam", 1, variant_table + 342},
    {"name", 1, variant_table + 343},
    {"neg", 1, variant_table + 344},
    {"negx", 1, variant_table + 345},
    {"nop", 1, variant_table + 346},
    {"not", 1, variant_table + 347},
    {"opt", 1, variant_table + 348},
    {"or", 2, variant_table + 349},
    {"org", 1, variant_table + 351},
    {"ori", 1, variant_table + 352},
    {"pag", 1, variant_table + 353},
    {"page", 1, variant_table + 354},
    {"pea", 1, variant_table + 355},
    {"plen", 1, variant_table + 356},
    {"pull", 2, variant_table + 357},
    {"pulse", 1, variant_table + 359},
    {"push", 2, variant_table + 360},
    {"rems", 5, variant_table + 362},
    {"remu", 5, variant_table + 367},
    {"rorg", 1, variant_table + 372},
    {"rptr", 1, variant_table + 373},
    {"rte", 1, variant_table + 374},
    {"rts", 1, variant_table + 375},
    {"sats", 1, variant_table + 376},
    {"scc", 1, variant_table + 377},
    {"scs", 1, variant_table + 378},
    {"sect", 1, variant_table + 379},
    {"section", 1, variant_table + 380},
    {"seq", 1, variant_table + 381},
    {"sf", 1, variant_table + 382},
    {"sge", 1, variant_table + 383},
    {"sgt", 1, variant_table + 384},
    {"shi", 1, variant_table + 385},
    {"short", 1, variant_table + 386},
    {"sle", 1, variant_table + 387},
    {"sls", 1, variant_table + 388},
    {"slt", 1, variant_table + 389},
    {"smi", 1, variant_table + 390},
    {"sne", 1, variant_table + 391},
    {"spc", 1, variant_table + 392},
    {"spl", 1, variant_table + 393},
    {"st", 1, variant_table + 394},
    {"stkstruct", 1, variant_table + 395},
    {"stop", 1, variant_table + 396},
    {"strldsr", 1, variant_table + 397},
    {"struct", 1, variant_table + 398},
    {"structure", 1, variant_table + 399},
    {"sub", 4, variant_table + 400},
    {"suba", 1, variant_table + 404},
    {"subi", 1, variant_table + 405},
    {"subq", 1, variant_table + 406},
    {"subx", 1, variant_table + 407},
    {"svc", 1, variant_table + 408},
    {"svs", 1, variant_table + 409},
    {"swap", 1, variant_table + 410},
    {"tas", 1, variant_table + 411},
    {"tpf", 2, variant_table + 412},
    {"trap", 1, variant_table + 414},
    {"trapf", 2, variant_table + 415},
    {"tst", 1, variant_table + 417},
    {"ttl", 1, variant_table + 418},
    {"ubyte", 1, variant_table + 419},
    {"ulong", 1, variant_table + 420},
    {"unlk", 1, variant_table + 421},
    {"ushort", 1, variant_table + 422},
    {"uword", 1, variant_table + 423},
    {"wddata", 1, variant_table + 424},
    {"wdebug", 2, variant_table + 425},
    {"word", 1, variant_table + 427},
    {"xdef", 1, variant_table + 428},
    {"xref", 1, variant_table + 429},
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
