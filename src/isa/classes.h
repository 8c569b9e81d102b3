// Operand classes and size masks shared by the scanner, the matcher, the
// mnemonic table and the encoders.
#pragma once
#include <cstdint>

namespace tobra {

// Size masks of the size suffixes (.b .w .l .s .d, and u for "no suffix").
inline constexpr uint32_t SZ_B = 0x01;
inline constexpr uint32_t SZ_W = 0x02;
inline constexpr uint32_t SZ_L = 0x04;
inline constexpr uint32_t SZ_S = 0x10;
inline constexpr uint32_t SZ_D = 0x20;
inline constexpr uint32_t SZ_U = 0x80;

// The sets of sizes variants accept, by their letters; U is "no suffix".
inline constexpr uint32_t SZ_BU = SZ_B | SZ_U;
inline constexpr uint32_t SZ_WU = SZ_W | SZ_U;
inline constexpr uint32_t SZ_LU = SZ_L | SZ_U;
inline constexpr uint32_t SZ_DU = SZ_D | SZ_U;
inline constexpr uint32_t SZ_SD = SZ_S | SZ_D;
inline constexpr uint32_t SZ_WLU = SZ_W | SZ_L | SZ_U;
inline constexpr uint32_t SZ_BWLU = SZ_B | SZ_W | SZ_L | SZ_U;
inline constexpr uint32_t SZ_BWLSU = SZ_B | SZ_W | SZ_L | SZ_S | SZ_U;
inline constexpr uint32_t SZ_BWLSDU = SZ_B | SZ_W | SZ_L | SZ_S | SZ_D | SZ_U;

// Operand classes. 0-25 and 42-45 are produced by the scanner; 26-41 are
// composite classes that appear only in variant signatures.
// clang-format off
enum OperandClass : uint8_t {
    CLS_NONE = 0,
    CLS_DN = 1,
    CLS_AN = 2,
    CLS_AN_IND = 3,       // (An)
    CLS_POSTINC = 4,      // (An)+
    CLS_PREDEC = 5,       // -(An)
    CLS_INDEXED = 6,      // d16(An), (d8,An,Xi)
    CLS_EXPR = 7,         // absolute address / bare expression
    CLS_IMM = 8,          // #imm
    CLS_PC_INDEXED = 9,   // d16(PC), (d8,PC,Xi)
    CLS_DN_PAIR = 10,     // Dn:Dn
    CLS_RN_PAIR_IND = 11, // (Rn):(Rn), never produced
    CLS_RLIST = 12,
    CLS_BITFIELD = 13,    // {Dn/#:Dn/#}, never produced
    CLS_CN = 14,
    CLS_CCR = 15,
    CLS_SR = 16,
    CLS_FPN = 17,
    CLS_FPCN = 18,
    CLS_FPLIST = 19,
    CLS_FP_PAIR = 20,     // never produced
    CLS_FPCLIST = 21,
    CLS_BRACED_DN = 22,   // {Dn}, never produced
    CLS_BRACED_IMM = 23,  // {#}, never produced
    CLS_PN = 24,
    CLS_STRING = 25,
    CLS_RN = 26,
    CLS_ANY_EA = 27,
    CLS_CTL_EA = 28,
    CLS_ALT_MEM = 29,
    CLS_DATA_ALT = 30,
    CLS_ALTERABLE = 31,
    CLS_DATA = 32,
    CLS_DN_CTL_ALT = 33,  // --CtlAlt
    CLS_ANY_NO_IMM = 34,  // AnyEA without #imm; no variant uses it
    CLS_CTL_POSTINC = 35, // Ctl++
    CLS_CTL_ALT = 36,
    CLS_MEMORY = 37,
    CLS_DN_CN_MASK = 38,
    CLS_EXPR_LIST = 39,
    CLS_MAC_EA = 40,
    CLS_FLOAT_EA = 41,
    CLS_ACC = 42,
    CLS_MASK = 43,
    CLS_MACSR = 44,
    CLS_CPSH = 45,
    CLS_COUNT = 46
};
// clang-format on

// Symbol types (the register classes of the reserved names, 12 string, 13 user).
enum SymbolType : uint8_t {
    TYPE_SYM = 0,
    TYPE_SREG = 1,
    TYPE_DREG = 2,
    TYPE_AREG = 3,
    TYPE_CREG = 4,
    TYPE_FPREG = 5,
    TYPE_FPCREG = 6,
    TYPE_PC = 7,
    TYPE_ZPC = 8,
    TYPE_ZAREG = 9,
    TYPE_ZDREG = 10,
    TYPE_PMMU = 11,
    TYPE_STRING = 12,
    TYPE_USER = 13,
    TYPE_CACHE = 14,
    TYPE_ACCUM = 15
};

// Value kinds of symbols.
enum SymbolKind : uint8_t {
    KIND_ABSOLUTE = 0,
    KIND_EQUATE = 1,
    KIND_EXTERNAL = 2,
    KIND_RELOCATABLE = 3,
    KIND_UNDEFINED = 4
};

// Sections.
enum Section : uint8_t {
    SEC_CODE = 0,
    SEC_DATA = 1,
    SEC_BSS = 2,
    SEC_BASEDATA = 3,
    SEC_BASEBSS = 4
};

} // namespace tobra
