// The mnemonic table: every instruction and directive with its variants.
#include "isa/mnemonics.h"

#include <bit>
#include <cstring>
#include <initializer_list>

namespace tobra {

namespace {

// A line of the table below: a mnemonic's name, or one of its variants.
struct TableRow {
    const char* mnemonic = nullptr;  // nullptr: a variant of the last name
    Variant variant;

    constexpr TableRow(const char* name) : mnemonic(name) {}
    constexpr TableRow(uint32_t sizes, std::array<OperandClass, 5> classes, Handler handler, uint32_t opcode,
                       uint32_t flags = 0, Need need = NEEDS_NOTHING)
        : variant(sizes, classes, handler, opcode, flags, need) {}
    constexpr TableRow(uint32_t sizes, std::array<OperandClass, 5> classes, Handler handler, uint32_t opcode,
                       Need need)
        : variant(sizes, classes, handler, opcode, 0, need) {}
};

// Each name is followed by its variants: {sizes, operand classes, handler, base
// opcode, flags, need}; flags left out are 0. The need, in the last column, is
// what the part must have for the form (isa/features.h); a row without one runs
// on every part. The names are in byte order.
//
// The variants of a mnemonic are tried in the order written, and the first
// whose sizes and operand classes fit the line wins: a form that must be
// preferred comes before a wider one that would also take its operands. A
// winner whose need the part lacks is refused, not passed over for a later row.
// clang-format off
constexpr TableRow rows[] = {
    "=",
    {SZ_U,      {CLS_EXPR},                                    H_SET,            0x0000},
    {SZ_U,      {CLS_STRING},                                  H_SET,            0x0000},
    "add",
    {SZ_LU,     {CLS_ANY_EA, CLS_DN},                          H_ADD,            0xD000},
    {SZ_LU,     {CLS_DN, CLS_ALT_MEM},                         H_DREG_TO_EA,     0xD100},
    {SZ_LU,     {CLS_ANY_EA, CLS_AN},                          H_EA_TO_AREG,     0xD1C0},
    {SZ_LU,     {CLS_IMM, CLS_ALTERABLE},                      H_ADD,            0xD000},
    "adda",
    {SZ_LU,     {CLS_ANY_EA, CLS_AN},                          H_EA_TO_AREG,     0xD1C0},
    "addi",
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_IMM_TO_DREG,    0x0600},
    "addq",
    {SZ_LU,     {CLS_IMM, CLS_ALTERABLE},                      H_QUICK,          0x5000},
    "addx",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_ADDX,           0xD100},
    "align",
    {SZ_U,      {CLS_EXPR},                                    H_ALIGN,          0x0000},
    "and",
    {SZ_LU,     {CLS_DATA, CLS_DN},                            H_LOGIC_TO_DREG,  0xC000},
    {SZ_LU,     {CLS_DN, CLS_ALT_MEM},                         H_DREG_TO_EA,     0xC100},
    "andi",
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_IMM_TO_DREG,    0x0200},
    "aptr",
    {SZ_U,      {},                                            H_FIELD_LONG,     0x0000},
    "asl",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_SHIFT_REG,      0xE120},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_SHIFT_IMM,      0xE100},
    "asr",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_SHIFT_REG,      0xE020},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_SHIFT_IMM,      0xE000},
    "bcc",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6400},
    "bchg",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_BIT_DYNAMIC,    0x0140},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_BIT_STATIC,     0x0840},
    {SZ_BU,     {CLS_DN, CLS_ALT_MEM},                         H_BIT_DYNAMIC,    0x0140},
    {SZ_BU,     {CLS_IMM, CLS_DN_CTL_ALT},                     H_BIT_STATIC,     0x0840},
    "bclr",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_BIT_DYNAMIC,    0x0180},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_BIT_STATIC,     0x0880},
    {SZ_BU,     {CLS_DN, CLS_ALT_MEM},                         H_BIT_DYNAMIC,    0x0180},
    {SZ_BU,     {CLS_IMM, CLS_DN_CTL_ALT},                     H_BIT_STATIC,     0x0880},
    "bcs",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6500},
    "beq",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6700},
    "bge",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6C00},
    "bgt",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6E00},
    "bhi",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6200},
    "bhs",                                                     // bcc as other assemblers spell it
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6400},
    "bitdef",
    {SZ_U,      {},                                            H_BITDEF,         0x0000},
    "bitrev",
    {SZ_LU,     {CLS_DN},                                      H_ISA_A_PLUS,     0x00C0,             NEEDS_ISA_A_PLUS},
    "ble",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6F00},
    "blo",                                                     // bcs as other assemblers spell it
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6500},
    "bls",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6300},
    "blt",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6D00},
    "bmi",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6B00},
    "bne",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6600},
    "bool",
    {SZ_U,      {},                                            H_FIELD_WORD,     0x0000},
    "boundary",
    {SZ_U,      {},                                            H_BOUNDARY,       0x0000},
    "bpl",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6A00},
    "bra",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6000},
    "bset",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_BIT_DYNAMIC,    0x01C0},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_BIT_STATIC,     0x08C0},
    {SZ_BU,     {CLS_DN, CLS_ALT_MEM},                         H_BIT_DYNAMIC,    0x01C0},
    {SZ_BU,     {CLS_IMM, CLS_DN_CTL_ALT},                     H_BIT_STATIC,     0x08C0},
    "bsr",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6100},
    "btst",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_BIT_DYNAMIC,    0x0100},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_BIT_STATIC,     0x0800},
    {SZ_BU,     {CLS_DN, CLS_DATA},                            H_BIT_DYNAMIC,    0x0100},
    {SZ_BU,     {CLS_IMM, CLS_DN_CTL_ALT},                     H_BIT_STATIC,     0x0800},
    "bvc",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6800},
    "bvs",
    {SZ_BWLSU,  {CLS_EXPR},                                    H_BRANCH,         0x6900},
    "byte",
    {SZ_U,      {},                                            H_FIELD_BYTE,     0x0000},
    "byterev",
    {SZ_LU,     {CLS_DN},                                      H_ISA_A_PLUS,     0x02C0,             NEEDS_ISA_A_PLUS},
    "call",
    {SZ_U,      {},                                            H_CALL,           0x0000},
    "callres",
    {SZ_U,      {},                                            H_CALLRES,        0x0000},
    "callusr",
    {SZ_U,      {},                                            H_CALLUSR,        0x0000},
    "char",
    {SZ_U,      {},                                            H_FIELD_BYTE,     0x0000},
    "classtag",
    {SZ_U,      {},                                            H_CLASSTAG,       0x0000},
    "classtagbegin",
    {SZ_U,      {},                                            H_CLASSTAGBEGIN,  0x0000},
    "classtagconcat",
    {SZ_U,      {},                                            H_CLASSTAGCONCAT, 0x0000},
    "classtagend",
    {SZ_U,      {},                                            H_CLASSTAGEND,    0x0000},
    "clr",
    {SZ_BWLU,   {CLS_DATA_ALT},                                H_EA_SIZED,       0x4200},
    "cmp",
    {SZ_BWLU,   {CLS_ANY_EA, CLS_DN},                          H_CMP,            0xB000},
    // cmp to an address register is cmpa, with cmpa's sizes.
    {SZ_LU,     {CLS_ANY_EA, CLS_AN},                          H_CMPA,           0xB1C0},
    {SZ_W,      {CLS_ANY_EA, CLS_AN},                          H_CMPA,           0xB0C0},
    "cmpa",
    {SZ_LU,     {CLS_ANY_EA, CLS_AN},                          H_CMPA,           0xB1C0},
    {SZ_WU,     {CLS_ANY_EA, CLS_AN},                          H_CMPA,           0xB0C0},
    "cmpi",
    {SZ_BWLU,   {CLS_IMM, CLS_DN},                             H_CMPI,           0x0C00},
    "cnop",
    {SZ_U,      {CLS_EXPR, CLS_EXPR},                          H_CNOP,           0x0000},
    "cpu",
    {SZ_U,      {},                                            H_CPU,            0x0000},
    "cpushl",
    {SZ_U,      {CLS_AN_IND},                                  H_REG_ONLY,       0xF4E8},
    {SZ_U,      {CLS_CPSH, CLS_AN_IND},                        H_CPUSHL_CACHE,   0xF428},
    "dc",
    {SZ_BWLSDU, {CLS_EXPR_LIST},                               H_DC,             0x0000},
    "dcb",
    {SZ_BWLU,   {CLS_EXPR},                                    H_DCB,            0x0000},
    {SZ_BWLU,   {CLS_EXPR, CLS_EXPR},                          H_DCB,            0x0000},
    "divs",
    {SZ_W,      {CLS_DATA, CLS_DN},                            H_DIV_WORD,       0x81C0,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_AN_IND, CLS_DN},                          H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_POSTINC, CLS_DN},                         H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_PREDEC, CLS_DN},                          H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_INDEXED, CLS_DN},                         H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    "divu",
    {SZ_W,      {CLS_DATA, CLS_DN},                            H_DIV_WORD,       0x80C0,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_AN_IND, CLS_DN},                          H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_POSTINC, CLS_DN},                         H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_PREDEC, CLS_DN},                          H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_INDEXED, CLS_DN},                         H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    "dr",
    {SZ_BWLU,   {CLS_EXPR_LIST},                               H_DR,             0x0000},
    "ds",
    {SZ_BWLU,   {CLS_EXPR},                                    H_DS,             0x0000},
    {SZ_BWLU,   {CLS_EXPR, CLS_EXPR},                          H_DS,             0x0000},
    "else",
    {SZ_U,      {},                                            H_ELSE,           0x0000},
    "end",
    {SZ_U,      {},                                            H_END,            0x0000},
    "endc",
    {SZ_U,      {},                                            H_ENDC,           0x0000},
    "endm",
    {SZ_U,      {},                                            H_ENDM,           0x0000},
    "endr",
    {SZ_U,      {},                                            H_ENDR,           0x0000},
    "enum",
    {SZ_BWLU,   {},                                            H_ENUM,           0x0000},
    "enumreset",
    {SZ_U,      {},                                            H_ENUMRESET,      0x0000},
    "enumset",
    {SZ_U,      {CLS_EXPR},                                    H_ENUMSET,        0x0000},
    "eor",
    {SZ_LU,     {CLS_DN, CLS_DATA_ALT},                        H_DREG_TO_EA,     0xB100},
    "eori",
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_IMM_TO_DREG,    0x0A00},
    "equ",
    {SZ_U,      {CLS_EXPR},                                    H_EQU,            0x0000},
    {SZ_U,      {CLS_STRING},                                  H_EQU,            0x0000},
    {SZ_S,      {CLS_EXPR},                                    H_EQU,            0x0000},
    "even",
    {SZ_U,      {},                                            H_EVEN,           0x0000},
    "ext",
    {SZ_W,      {CLS_DN},                                      H_REG_ONLY,       0x4880},
    {SZ_LU,     {CLS_DN},                                      H_REG_ONLY,       0x48C0},
    "extb",
    {SZ_LU,     {CLS_DN},                                      H_REG_ONLY,       0x49C0},
    "fabs",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4018,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x18,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x18,       NEEDS_FPU},
    "fadd",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4022,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x22,       NEEDS_FPU},
    "fbeq",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF281,             NEEDS_FPU},
    "fbf",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF280,             NEEDS_FPU},
    "fbge",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF293,             NEEDS_FPU},
    "fbgl",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF296,             NEEDS_FPU},
    "fbgle",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF297,             NEEDS_FPU},
    "fbgt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF292,             NEEDS_FPU},
    "fble",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF295,             NEEDS_FPU},
    "fblt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF294,             NEEDS_FPU},
    "fbne",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF28E,             NEEDS_FPU},
    "fbnge",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF29C,             NEEDS_FPU},
    "fbngl",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF299,             NEEDS_FPU},
    "fbngle",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF298,             NEEDS_FPU},
    "fbngt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF29D,             NEEDS_FPU},
    "fbnle",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF29A,             NEEDS_FPU},
    "fbnlt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF29B,             NEEDS_FPU},
    "fboge",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF283,             NEEDS_FPU},
    "fbogl",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF286,             NEEDS_FPU},
    "fbogt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF282,             NEEDS_FPU},
    "fbole",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF285,             NEEDS_FPU},
    "fbolt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF284,             NEEDS_FPU},
    "fbor",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF287,             NEEDS_FPU},
    "fbseq",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF291,             NEEDS_FPU},
    "fbsf",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF290,             NEEDS_FPU},
    "fbsne",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF29E,             NEEDS_FPU},
    "fbst",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF29F,             NEEDS_FPU},
    "fbt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF28F,             NEEDS_FPU},
    "fbueq",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF289,             NEEDS_FPU},
    "fbuge",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF28B,             NEEDS_FPU},
    "fbugt",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF28A,             NEEDS_FPU},
    "fbule",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF28D,             NEEDS_FPU},
    "fbult",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF28C,             NEEDS_FPU},
    "fbun",
    {SZ_WLU,    {CLS_EXPR},                                    H_FBRANCH,        0xF288,             NEEDS_FPU},
    "fcmp",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4038,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x38,       NEEDS_FPU},
    "fdabs",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x405C,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x5C,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x5C,       NEEDS_FPU},
    "fdadd",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4066,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x66,       NEEDS_FPU},
    "fddiv",
    {SZ_SD,     {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4064,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x64,       NEEDS_FPU},
    "fdiv",
    {SZ_SD,     {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4020,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x20,       NEEDS_FPU},
    "fdmove",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4044,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x44,       NEEDS_FPU},
    "fdmul",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4067,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x67,       NEEDS_FPU},
    "fdneg",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x405E,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x5E,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x5E,       NEEDS_FPU},
    "fdsqrt",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4045,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x45,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x45,       NEEDS_FPU},
    "fdsub",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x406C,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x6C,       NEEDS_FPU},
    "ff1",
    {SZ_LU,     {CLS_DN},                                      H_ISA_A_PLUS,     0x04C0,             NEEDS_ISA_A_PLUS},
    "fint",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4001,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x1,        NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x1,        NEEDS_FPU},
    "fintrz",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4003,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x3,        NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x3,        NEEDS_FPU},
    "fixed",
    {SZ_U,      {},                                            H_FIELD_LONG,     0x0000},
    "float",
    {SZ_U,      {},                                            H_FIELD_LONG,     0x0000},
    "fmove",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4000,     NEEDS_FPU},
    {SZ_BWLSDU, {CLS_FPN, CLS_DN_CTL_ALT},                     H_FP_STORE,       0xF200, 0x6000,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200,             NEEDS_FPU},
    {SZ_L,      {CLS_FLOAT_EA, CLS_FPCN},                      H_FP_TO_CTL,      0xF200, 0x8000,     NEEDS_FPU},
    {SZ_L,      {CLS_AN, CLS_FPCN},                            H_FP_TO_CTL,      0xF200, 0x8000,     NEEDS_FPU},
    {SZ_L,      {CLS_FPCN, CLS_DN_CTL_ALT},                    H_FP_FROM_CTL,    0xF200, 0xA000,     NEEDS_FPU},
    {SZ_L,      {CLS_FPCN, CLS_AN},                            H_FP_FROM_CTL,    0xF200, 0xA000,     NEEDS_FPU},
    "fmovem",
    {SZ_DU,     {CLS_FPN, CLS_AN_IND},                         H_FMOVEM_STORE,   0xF200, 0xF000,     NEEDS_FPU},
    {SZ_DU,     {CLS_FPN, CLS_INDEXED},                        H_FMOVEM_STORE,   0xF200, 0xF000,     NEEDS_FPU},
    {SZ_DU,     {CLS_FPLIST, CLS_AN_IND},                      H_FMOVEM_STORE,   0xF200, 0xF000,     NEEDS_FPU},
    {SZ_DU,     {CLS_FPLIST, CLS_INDEXED},                     H_FMOVEM_STORE,   0xF200, 0xF000,     NEEDS_FPU},
    {SZ_DU,     {CLS_AN_IND, CLS_FPN},                         H_FMOVEM_LOAD,    0xF200, 0xD000,     NEEDS_FPU},
    {SZ_DU,     {CLS_INDEXED, CLS_FPN},                        H_FMOVEM_LOAD,    0xF200, 0xD000,     NEEDS_FPU},
    {SZ_DU,     {CLS_PC_INDEXED, CLS_FPN},                     H_FMOVEM_LOAD,    0xF200, 0xD000,     NEEDS_FPU},
    {SZ_DU,     {CLS_AN_IND, CLS_FPLIST},                      H_FMOVEM_LOAD,    0xF200, 0xD000,     NEEDS_FPU},
    {SZ_DU,     {CLS_INDEXED, CLS_FPLIST},                     H_FMOVEM_LOAD,    0xF200, 0xD000,     NEEDS_FPU},
    {SZ_DU,     {CLS_PC_INDEXED, CLS_FPLIST},                  H_FMOVEM_LOAD,    0xF200, 0xD000,     NEEDS_FPU},
    "fmul",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4023,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x23,       NEEDS_FPU},
    "fneg",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x401A,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x1A,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x1A,       NEEDS_FPU},
    "fnop",
    {SZ_U,      {},                                            H_FNOP,           0xF280},
    "frestore",
    {SZ_U,      {CLS_AN_IND},                                  H_EA_SOURCE,      0xF340},
    {SZ_U,      {CLS_INDEXED},                                 H_EA_SOURCE,      0xF340},
    {SZ_U,      {CLS_PC_INDEXED},                              H_EA_SOURCE,      0xF340},
    "fsabs",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4058,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x58,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x58,       NEEDS_FPU},
    "fsadd",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4062,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x62,       NEEDS_FPU},
    "fsave",
    {SZ_U,      {CLS_AN_IND},                                  H_EA_SOURCE,      0xF300},
    {SZ_U,      {CLS_INDEXED},                                 H_EA_SOURCE,      0xF300},
    "fsdiv",
    {SZ_SD,     {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4060,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x60,       NEEDS_FPU},
    "fsmove",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4040,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x40,       NEEDS_FPU},
    "fsmul",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4063,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x63,       NEEDS_FPU},
    "fsneg",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x405A,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x5A,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x5A,       NEEDS_FPU},
    "fsqrt",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4004,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x4,        NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x4,        NEEDS_FPU},
    "fssqrt",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4041,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x41,       NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x41,       NEEDS_FPU},
    "fssub",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4068,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x68,       NEEDS_FPU},
    "fsub",
    {SZ_BWLSDU, {CLS_FLOAT_EA, CLS_FPN},                       H_FP_ARITH,       0xF200, 0x4028,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN, CLS_FPN},                            H_FP_ARITH,       0xF200, 0x28,       NEEDS_FPU},
    "ftst",
    {SZ_BWLSDU, {CLS_FLOAT_EA},                                H_FP_ARITH,       0xF200, 0x403A,     NEEDS_FPU},
    {SZ_D,      {CLS_FPN},                                     H_FP_ARITH,       0xF200, 0x3A,       NEEDS_FPU},
    "halt",
    {SZ_U,      {},                                            H_FIXED,          0x4AC8},
    "idnt",
    {SZ_U,      {},                                            H_IDNT,           0x0000},
    "ifc",
    {SZ_U,      {},                                            H_IFC,            0x0000},
    "ifd",
    {SZ_U,      {},                                            H_IFD,            0x0000},
    "ifeq",
    {SZ_U,      {},                                            H_IFEQ,           0x0000},
    "ifge",
    {SZ_U,      {},                                            H_IFGE,           0x0000},
    "ifgt",
    {SZ_U,      {},                                            H_IFGT,           0x0000},
    "ifle",
    {SZ_U,      {},                                            H_IFLE,           0x0000},
    "iflt",
    {SZ_U,      {},                                            H_IFLT,           0x0000},
    "ifnc",
    {SZ_U,      {},                                            H_IFNC,           0x0000},
    "ifnd",
    {SZ_U,      {},                                            H_IFND,           0x0000},
    "ifne",
    {SZ_U,      {},                                            H_IFNE,           0x0000},
    "illegal",
    {SZ_U,      {},                                            H_FIXED,          0x4AFC},
    "incbin",
    {SZ_U,      {},                                            H_INCBIN,         0x0000},
    "incdir",
    {SZ_U,      {},                                            H_INCDIR,         0x0000},
    "include",
    {SZ_U,      {},                                            H_INCLUDE,        0x0000},
    "intouch",
    {SZ_U,      {CLS_AN_IND},                                  H_INTOUCH,        0xF428,             NEEDS_ISA_B},
    "jmp",
    {SZ_U,      {CLS_CTL_EA},                                  H_EA_SOURCE,      0x4EC0},
    "jsr",
    {SZ_U,      {CLS_CTL_EA},                                  H_EA_SOURCE,      0x4E80},
    "label",
    {SZ_U,      {},                                            H_LABEL,          0x0000},
    "lea",
    {SZ_LU,     {CLS_CTL_EA, CLS_AN},                          H_EA_TO_AREG,     0x41C0},
    "link",
    {SZ_WU,     {CLS_AN, CLS_IMM},                             H_LINK,           0x4E50},
    "llen",
    {SZ_U,      {},                                            H_IGNORED,        0x0000},
    "long",
    {SZ_U,      {},                                            H_FIELD_LONG,     0x0000},
    "lsl",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_SHIFT_REG,      0xE128},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_SHIFT_IMM,      0xE108},
    "lsr",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_SHIFT_REG,      0xE028},
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_SHIFT_IMM,      0xE008},
    "lvo",
    {SZ_U,      {},                                            H_LVO,            0x0000},
    "lvoreset",
    {SZ_U,      {},                                            H_LVORESET,       0x0000},
    "lvorst",
    {SZ_U,      {},                                            H_LVORESET,       0x0000},
    "mac",
    {SZ_WLU,    {CLS_RN, CLS_RN},                              H_MAC,            0xA000,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_ACC},                     H_MAC,            0xA000,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN},          H_MAC_LOAD,       0xA080,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MAC_LOAD,       0xA080,             NEEDS_MAC},
    "macl",
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN},          H_MAC_LOAD,       0xA080,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MAC_LOAD,       0xA080,             NEEDS_MAC},
    "macro",
    {SZ_U,      {},                                            H_MACRO,          0x0000},
    "mexit",
    {SZ_U,      {},                                            H_MEXIT,          0x0000},
    "mov",
    {SZ_WU,     {CLS_ANY_EA, CLS_DATA_ALT},                    H_MOVE,           0x3000},
    {SZ_B,      {CLS_ANY_EA, CLS_DATA_ALT},                    H_MOVE,           0x1000},
    {SZ_L,      {CLS_ANY_EA, CLS_DATA_ALT},                    H_MOVE,           0x2000},
    {SZ_WU,     {CLS_ANY_EA, CLS_AN},                          H_MOVE,           0x3000},
    {SZ_L,      {CLS_ANY_EA, CLS_AN},                          H_MOVE,           0x2000},
    {SZ_L,      {CLS_MACSR, CLS_CCR},                          H_FIXED,          0xA9C0},
    {SZ_WU,     {CLS_CCR, CLS_DN},                             H_EA_DEST,        0x42C0},
    {SZ_WU,     {CLS_DN, CLS_CCR},                             H_EA_SOURCE,      0x44C0},
    {SZ_WU,     {CLS_IMM, CLS_CCR},                            H_EA_SOURCE,      0x44C0},
    {SZ_WU,     {CLS_SR, CLS_DATA_ALT},                        H_EA_DEST,        0x40C0},
    {SZ_WU,     {CLS_DATA, CLS_SR},                            H_EA_SOURCE,      0x46C0},
    {SZ_LU,     {CLS_CN, CLS_AN},                              H_MOVE_USP,       0x4E68},
    {SZ_LU,     {CLS_AN, CLS_CN},                              H_MOVE_USP,       0x4E60},
    {SZ_L,      {CLS_ACC, CLS_RN},                             H_MOVE_FROM_ACC,  0xA180,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_RN, CLS_ACC},                             H_MOVE_TO_ACC,    0xA100,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_IMM, CLS_ACC},                            H_MOVE_TO_ACC,    0xA100,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_ACC, CLS_ACC},                            H_MOVE_TO_ACC,    0xA110,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_MASK, CLS_RN},                            H_EA_DEST,        0xAD80},
    {SZ_L,      {CLS_RN, CLS_MASK},                            H_EA_SOURCE,      0xAD00},
    {SZ_L,      {CLS_IMM, CLS_MASK},                           H_EA_SOURCE,      0xAD00},
    {SZ_L,      {CLS_MACSR, CLS_RN},                           H_EA_DEST,        0xA980},
    {SZ_L,      {CLS_RN, CLS_MACSR},                           H_EA_SOURCE,      0xA900},
    {SZ_L,      {CLS_IMM, CLS_MACSR},                          H_EA_SOURCE,      0xA900},
    "mov3q",
    {SZ_LU,     {CLS_IMM, CLS_ALTERABLE},                      H_MOV3Q,          0xA140,             NEEDS_ISA_B},
    "movclr",
    {SZ_LU,     {CLS_ACC, CLS_RN},                             H_MOVE_FROM_ACC,  0xA1C0,             NEEDS_MAC_ACC},
    "move",
    {SZ_WU,     {CLS_ANY_EA, CLS_DATA_ALT},                    H_MOVE,           0x3000},
    {SZ_B,      {CLS_ANY_EA, CLS_DATA_ALT},                    H_MOVE,           0x1000},
    {SZ_L,      {CLS_ANY_EA, CLS_DATA_ALT},                    H_MOVE,           0x2000},
    {SZ_WU,     {CLS_ANY_EA, CLS_AN},                          H_MOVE,           0x3000},
    {SZ_L,      {CLS_ANY_EA, CLS_AN},                          H_MOVE,           0x2000},
    {SZ_L,      {CLS_MACSR, CLS_CCR},                          H_FIXED,          0xA9C0},
    {SZ_WU,     {CLS_CCR, CLS_DN},                             H_EA_DEST,        0x42C0},
    {SZ_WU,     {CLS_DN, CLS_CCR},                             H_EA_SOURCE,      0x44C0},
    {SZ_WU,     {CLS_IMM, CLS_CCR},                            H_EA_SOURCE,      0x44C0},
    {SZ_WU,     {CLS_SR, CLS_DATA_ALT},                        H_EA_DEST,        0x40C0},
    {SZ_WU,     {CLS_DATA, CLS_SR},                            H_EA_SOURCE,      0x46C0},
    {SZ_LU,     {CLS_CN, CLS_AN},                              H_MOVE_USP,       0x4E68},
    {SZ_LU,     {CLS_AN, CLS_CN},                              H_MOVE_USP,       0x4E60},
    {SZ_L,      {CLS_ACC, CLS_RN},                             H_MOVE_FROM_ACC,  0xA180,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_RN, CLS_ACC},                             H_MOVE_TO_ACC,    0xA100,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_IMM, CLS_ACC},                            H_MOVE_TO_ACC,    0xA100,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_ACC, CLS_ACC},                            H_MOVE_TO_ACC,    0xA110,             NEEDS_MAC_ACC},
    {SZ_L,      {CLS_MASK, CLS_RN},                            H_EA_DEST,        0xAD80},
    {SZ_L,      {CLS_RN, CLS_MASK},                            H_EA_SOURCE,      0xAD00},
    {SZ_L,      {CLS_IMM, CLS_MASK},                           H_EA_SOURCE,      0xAD00},
    {SZ_L,      {CLS_MACSR, CLS_RN},                           H_EA_DEST,        0xA980},
    {SZ_L,      {CLS_RN, CLS_MACSR},                           H_EA_SOURCE,      0xA900},
    {SZ_L,      {CLS_IMM, CLS_MACSR},                          H_EA_SOURCE,      0xA900},
    "movea",
    {SZ_WU,     {CLS_ANY_EA, CLS_AN},                          H_MOVE,           0x3000},
    {SZ_L,      {CLS_ANY_EA, CLS_AN},                          H_MOVE,           0x2000},
    "movec",
    {SZ_LU,     {CLS_RN, CLS_CN},                              H_MOVEC,          0x4E7B},
    "movem",
    {SZ_LU,     {CLS_RN, CLS_AN_IND},                          H_MOVEM_STORE,    0x48C0},
    {SZ_LU,     {CLS_RN, CLS_INDEXED},                         H_MOVEM_STORE,    0x48C0},
    {SZ_LU,     {CLS_RLIST, CLS_AN_IND},                       H_MOVEM_STORE,    0x48C0},
    {SZ_LU,     {CLS_RLIST, CLS_INDEXED},                      H_MOVEM_STORE,    0x48C0},
    {SZ_LU,     {CLS_AN_IND, CLS_RN},                          H_MOVEM_LOAD,     0x4CC0},
    {SZ_LU,     {CLS_INDEXED, CLS_RN},                         H_MOVEM_LOAD,     0x4CC0},
    {SZ_LU,     {CLS_AN_IND, CLS_RLIST},                       H_MOVEM_LOAD,     0x4CC0},
    {SZ_LU,     {CLS_INDEXED, CLS_RLIST},                      H_MOVEM_LOAD,     0x4CC0},
    "moveq",
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_MOVEQ,          0x7000},
    "msac",
    {SZ_WLU,    {CLS_RN, CLS_RN},                              H_MSAC,           0xA000,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_ACC},                     H_MSAC,           0xA000,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN},          H_MSAC_LOAD,      0xA080,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MSAC_LOAD,      0xA080,             NEEDS_MAC},
    "msacl",
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN},          H_MSAC_LOAD,      0xA080,             NEEDS_MAC},
    {SZ_WLU,    {CLS_RN, CLS_RN, CLS_MAC_EA, CLS_RN, CLS_ACC}, H_MSAC_LOAD,      0xA080,             NEEDS_MAC},
    "muls",
    {SZ_W,      {CLS_DATA, CLS_DN},                            H_EA_TO_AREG,     0xC1C0},
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_MUL_LONG,       0x4C00, 0x800},
    {SZ_LU,     {CLS_AN_IND, CLS_DN},                          H_MUL_LONG,       0x4C00, 0x800},
    {SZ_LU,     {CLS_POSTINC, CLS_DN},                         H_MUL_LONG,       0x4C00, 0x800},
    {SZ_LU,     {CLS_PREDEC, CLS_DN},                          H_MUL_LONG,       0x4C00, 0x800},
    {SZ_LU,     {CLS_INDEXED, CLS_DN},                         H_MUL_LONG,       0x4C00, 0x800},
    "mulu",
    {SZ_W,      {CLS_DATA, CLS_DN},                            H_EA_TO_AREG,     0xC0C0},
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_MUL_LONG,       0x4C00},
    {SZ_LU,     {CLS_AN_IND, CLS_DN},                          H_MUL_LONG,       0x4C00},
    {SZ_LU,     {CLS_POSTINC, CLS_DN},                         H_MUL_LONG,       0x4C00},
    {SZ_LU,     {CLS_PREDEC, CLS_DN},                          H_MUL_LONG,       0x4C00},
    {SZ_LU,     {CLS_INDEXED, CLS_DN},                         H_MUL_LONG,       0x4C00},
    "mvs",
    {SZ_WU,     {CLS_ANY_EA, CLS_DN},                          H_MVS_MVZ,        0x7100,             NEEDS_ISA_B},
    {SZ_BU,     {CLS_ANY_EA, CLS_DN},                          H_MVS_MVZ,        0x7100,             NEEDS_ISA_B},
    "mvz",
    {SZ_WU,     {CLS_ANY_EA, CLS_DN},                          H_MVS_MVZ,        0x7180,             NEEDS_ISA_B},
    {SZ_BU,     {CLS_ANY_EA, CLS_DN},                          H_MVS_MVZ,        0x7180,             NEEDS_ISA_B},
    "nam",
    {SZ_U,      {},                                            H_IGNORED,        0x0000},
    "name",
    {SZ_U,      {},                                            H_IGNORED,        0x0000},
    "neg",
    {SZ_LU,     {CLS_DN},                                      H_EA_SIZED,       0x4400},
    "negx",
    {SZ_LU,     {CLS_DN},                                      H_EA_SIZED,       0x4000},
    "nop",
    {SZ_U,      {},                                            H_FIXED,          0x4E71},
    "not",
    {SZ_LU,     {CLS_DN},                                      H_EA_SIZED,       0x4600},
    "opt",
    {SZ_U,      {},                                            H_OPT,            0x0000},
    "or",
    {SZ_LU,     {CLS_DATA, CLS_DN},                            H_LOGIC_TO_DREG,  0x8000},
    {SZ_LU,     {CLS_DN, CLS_ALT_MEM},                         H_DREG_TO_EA,     0x8100},
    "org",
    {SZ_U,      {CLS_EXPR},                                    H_ORG,            0x0000},
    "ori",
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_IMM_TO_DREG,    0x0000},
    "pag",
    {SZ_U,      {},                                            H_PAGE,           0x000C},
    "page",
    {SZ_U,      {},                                            H_PAGE,           0x000C},
    "pea",
    {SZ_LU,     {CLS_CTL_EA},                                  H_EA_SOURCE,      0x4840},
    "plen",
    {SZ_U,      {},                                            H_IGNORED,        0x0000},
    "pull",
    {SZ_U,      {CLS_RLIST},                                   H_PULL,           0x4CC0},
    {SZ_U,      {CLS_RN},                                      H_PULL,           0x4CC0},
    "pulse",
    {SZ_U,      {},                                            H_FIXED,          0x4ACC},
    "push",
    {SZ_U,      {CLS_RLIST},                                   H_PUSH,           0x48C0},
    {SZ_U,      {CLS_RN},                                      H_PUSH,           0x48C0},
    "rems",
    {SZ_LU,     {CLS_DN, CLS_DN_PAIR},                         H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_AN_IND, CLS_DN_PAIR},                     H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_POSTINC, CLS_DN_PAIR},                    H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_PREDEC, CLS_DN_PAIR},                     H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    {SZ_LU,     {CLS_INDEXED, CLS_DN_PAIR},                    H_DIV_LONG,       0x4C40, 0x800,      NEEDS_DIVIDE},
    "remu",
    {SZ_LU,     {CLS_DN, CLS_DN_PAIR},                         H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_AN_IND, CLS_DN_PAIR},                     H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_POSTINC, CLS_DN_PAIR},                    H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_PREDEC, CLS_DN_PAIR},                     H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    {SZ_LU,     {CLS_INDEXED, CLS_DN_PAIR},                    H_DIV_LONG,       0x4C40,             NEEDS_DIVIDE},
    "rept",
    {SZ_U,      {},                                            H_REPT,           0x0000},
    "rorg",
    {SZ_U,      {CLS_EXPR},                                    H_RORG,           0x0000},
    "rptr",
    {SZ_U,      {},                                            H_FIELD_LONG,     0x0000},
    "rte",
    {SZ_U,      {},                                            H_RTS,            0x4E73},
    "rts",
    {SZ_U,      {},                                            H_RTS,            0x4E75},
    "sats",
    {SZ_LU,     {CLS_DN},                                      H_SATS_TAS,       0x4C80,             NEEDS_ISA_B},
    "scc",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x54C0},
    "scs",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x55C0},
    "sect",
    {SZ_U,      {},                                            H_SECTION,        0x0000},
    "section",
    {SZ_U,      {},                                            H_SECTION,        0x0000},
    "seq",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x57C0},
    "set",
    {SZ_U,      {CLS_EXPR},                                    H_SET,            0x0000},
    {SZ_U,      {CLS_STRING},                                  H_SET,            0x0000},
    "sf",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x51C0},
    "sge",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x5CC0},
    "sgt",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x5EC0},
    "shi",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x52C0},
    "short",
    {SZ_U,      {},                                            H_FIELD_WORD,     0x0000},
    "sle",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x5FC0},
    "sls",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x53C0},
    "slt",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x5DC0},
    "smi",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x5BC0},
    "sne",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x56C0},
    "spc",
    {SZ_U,      {},                                            H_IGNORED,        0x0000},
    "spl",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x5AC0},
    "st",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x50C0},
    "stkstruct",
    {SZ_U,      {},                                            H_STKSTRUCT,      0x0000},
    "stop",
    {SZ_U,      {CLS_IMM},                                     H_STOP,           0x4E72},
    "strldsr",
    {SZ_LU,     {CLS_IMM},                                     H_ISA_A_PLUS,     0x40E7, 0x46FC,     NEEDS_ISA_A_PLUS},
    "struct",
    {SZ_U,      {},                                            H_STRUCT,         0x0000},
    "structure",
    {SZ_U,      {},                                            H_STRUCTURE,      0x0000},
    "sub",
    {SZ_LU,     {CLS_ANY_EA, CLS_DN},                          H_SUB,            0x9000},
    {SZ_LU,     {CLS_DN, CLS_ALT_MEM},                         H_DREG_TO_EA,     0x9100},
    {SZ_LU,     {CLS_ANY_EA, CLS_AN},                          H_EA_TO_AREG,     0x91C0},
    {SZ_LU,     {CLS_IMM, CLS_ALTERABLE},                      H_SUB,            0x9000},
    "suba",
    {SZ_LU,     {CLS_ANY_EA, CLS_AN},                          H_EA_TO_AREG,     0x91C0},
    "subi",
    {SZ_LU,     {CLS_IMM, CLS_DN},                             H_IMM_TO_DREG,    0x0400},
    "subq",
    {SZ_LU,     {CLS_IMM, CLS_ALTERABLE},                      H_QUICK,          0x5100},
    "subx",
    {SZ_LU,     {CLS_DN, CLS_DN},                              H_ADDX,           0x9100},
    "svc",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x58C0},
    "svs",
    {SZ_BU,     {CLS_DN},                                      H_EA_SOURCE,      0x59C0},
    "swap",
    {SZ_WU,     {CLS_DN},                                      H_REG_ONLY,       0x4840},
    "tas",
    {SZ_BU,     {CLS_ALT_MEM},                                 H_SATS_TAS,       0x4AC0,             NEEDS_ISA_B},
    "tpf",
    {SZ_U,      {},                                            H_FIXED,          0x51FC},
    {SZ_WLU,    {CLS_IMM},                                     H_TPF,            0x51F8},
    "trap",
    {SZ_U,      {CLS_IMM},                                     H_TRAP,           0x4E40},
    "trapf",
    {SZ_U,      {},                                            H_FIXED,          0x51FC},
    {SZ_WLU,    {CLS_IMM},                                     H_TPF,            0x51F8},
    "tst",
    {SZ_BWLU,   {CLS_ANY_EA},                                  H_EA_SIZED,       0x4A00},
    "ttl",
    {SZ_U,      {},                                            H_IGNORED,        0x0000},
    "ubyte",
    {SZ_U,      {},                                            H_FIELD_BYTE,     0x0000},
    "ulong",
    {SZ_U,      {},                                            H_FIELD_LONG,     0x0000},
    "unlk",
    {SZ_U,      {CLS_AN},                                      H_REG_ONLY,       0x4E58},
    "ushort",
    {SZ_U,      {},                                            H_FIELD_WORD,     0x0000},
    "uword",
    {SZ_U,      {},                                            H_FIELD_WORD,     0x0000},
    "wddata",
    {SZ_BWLU,   {CLS_ALT_MEM},                                 H_EA_SIZED,       0xFB00},
    "wdebug",
    {SZ_LU,     {CLS_AN_IND},                                  H_WDEBUG,         0xFBC0, 0x3},
    {SZ_LU,     {CLS_INDEXED},                                 H_WDEBUG,         0xFBC0, 0x3},
    "word",
    {SZ_U,      {},                                            H_FIELD_WORD,     0x0000},
    "xdef",
    {SZ_U,      {},                                            H_XDEF,           0x0000},
    "xref",
    {SZ_U,      {},                                            H_XREF,           0x0000},
};
// clang-format on

// The variants alone, in the order written; each name's entry points at its first.
struct VariantRows {
    Variant rows[VARIANT_COUNT];
};
struct MnemonicRows {
    MnemonicEntry rows[MNEMONIC_COUNT];
};

constexpr int count_rows(bool names) {
    int n = 0;
    for (const TableRow& r : rows) n += (r.mnemonic != nullptr) == names ? 1 : 0;
    return n;
}
static_assert(count_rows(false) == VARIANT_COUNT, "VARIANT_COUNT (isa/mnemonics.h) must count the variant rows");
static_assert(count_rows(true) == MNEMONIC_COUNT, "MNEMONIC_COUNT (isa/mnemonics.h) must count the names");

constexpr VariantRows variant_rows = [] {
    VariantRows v{};
    int n = 0;
    for (const TableRow& r : rows)
        if (!r.mnemonic) v.rows[n++] = r.variant;
    return v;
}();

constexpr MnemonicRows mnemonic_rows = [] {
    MnemonicRows m{};
    int name = -1, variant = 0;
    for (const TableRow& r : rows) {
        if (r.mnemonic) {
            // A name without variants, or a variant before the first name: the compiler stops here.
            if (name >= 0 && m.rows[name].variant_count == 0) throw "a mnemonic without variants";
            m.rows[++name] = {r.mnemonic, 0, &variant_rows.rows[variant]};
        } else {
            if (name < 0 || m.rows[name].variant_count == 255) throw "a variant without a mnemonic, or too many";
            ++m.rows[name].variant_count;
            ++variant;
        }
    }
    if (m.rows[name].variant_count == 0) throw "a mnemonic without variants";
    return m;
}();

} // namespace

const Variant (&variant_table)[VARIANT_COUNT] = variant_rows.rows;
const MnemonicEntry (&mnemonic_table)[MNEMONIC_COUNT] = mnemonic_rows.rows;
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

constexpr int INDEX_SLOTS = SHORT_MNEMONIC_SLOTS;  // a power of two, about four times the entries
constexpr size_t SHORT_NAME = SHORT_MNEMONIC;

// Bytes of the name in ascending order from the low end, the length in the top
// byte; never 0 for a name of one character or more.
constexpr uint64_t short_key(std::string_view s) {
    uint64_t k = uint64_t{s.size()} << 56;
    for (size_t i = 0; i < s.size(); ++i) k |= uint64_t{static_cast<uint8_t>(s[i])} << (8 * i);
    return k;
}

constexpr uint32_t short_slot(uint64_t key) { return short_mnemonic_slot(key); }

using ShortSlot = ShortMnemonicSlot;

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
        const std::string_view name(mnemonic_rows.rows[i].name, length_of(mnemonic_rows.rows[i].name));
        if (name.size() <= SHORT_NAME) {
            uint32_t h = short_slot(short_key(name));
            while (ix.short_slots[h].key != 0) h = (h + 1) & (INDEX_SLOTS - 1);
            const MnemonicEntry& entry = mnemonic_rows.rows[i];
            ix.short_slots[h] = {short_key(name), &entry, entry.variants, entry.variant_count,
                                 handler_row(entry.variants[0].handler()).operands};
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

const ShortMnemonicSlot (&short_mnemonic_index)[SHORT_MNEMONIC_SLOTS] = mnemonic_index.short_slots;

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

// clang-format off
const char* const class_names[CLS_COUNT] = {
    "---", "Dn", "An", "(An)", "(An)+", "-(An)", "indexed", "expr", "#imm", "pc-indexed",
    "Dn:Dn", "(Rn):(Rn)", "RList", "{Dn/#:Dn/#}", "Cn", "CCR", "SR", "FPn", "FPCn", "FPList",
    "FPn:FPn", "FPClist", "{Dn}", "{#}", "Pn", "String", "Rn", "AnyEA", "CtlEA", "AltMem",
    "DataAlt", "Alterable", "Data", "--CtlAlt", "AnyNoImm", "Ctl++", "CtlAlt", "Memory", "Dn/Cn/Mask", "ExprList",
    "MacEA", "FloatEA", "ACC", "MASK", "MACSR", "CPSH"};
// clang-format on

namespace {

// A set of operand classes, one bit per class.
constexpr uint32_t members(std::initializer_list<OperandClass> classes) {
    uint32_t bits = 0;
    for (OperandClass c : classes) bits |= uint32_t{1} << c;
    return bits;
}

} // namespace

// The members of the composite classes; the other classes have none.
// clang-format off
constexpr std::array<uint32_t, CLS_COUNT> class_sets = [] {
    std::array<uint32_t, CLS_COUNT> s{};
    s[CLS_RN] = members({CLS_DN, CLS_AN});
    s[CLS_ANY_EA] = members({CLS_DN, CLS_AN, CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_EXPR, CLS_IMM,
                             CLS_PC_INDEXED});
    s[CLS_CTL_EA] = members({CLS_AN_IND, CLS_INDEXED, CLS_EXPR, CLS_PC_INDEXED});
    s[CLS_ALT_MEM] = members({CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_EXPR});
    s[CLS_DATA_ALT] = members({CLS_DN, CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_EXPR});
    s[CLS_ALTERABLE] = members({CLS_DN, CLS_AN, CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_EXPR});
    s[CLS_DATA] = members({CLS_DN, CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_EXPR, CLS_IMM,
                           CLS_PC_INDEXED});
    s[CLS_DN_CTL_ALT] = members({CLS_DN, CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED});
    // Used by no variant, shown by the -x64 dump.
    s[CLS_ANY_NO_IMM] = members({CLS_DN, CLS_AN, CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_EXPR,
                                 CLS_PC_INDEXED});
    s[CLS_CTL_POSTINC] = members({CLS_AN_IND, CLS_POSTINC, CLS_INDEXED, CLS_EXPR, CLS_PC_INDEXED});
    s[CLS_CTL_ALT] = members({CLS_AN_IND, CLS_INDEXED, CLS_EXPR});
    s[CLS_MEMORY] = members({CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_EXPR, CLS_IMM, CLS_PC_INDEXED});
    // The mask is an expression.
    s[CLS_DN_CN_MASK] = members({CLS_DN, CLS_EXPR, CLS_CN});
    s[CLS_MAC_EA] = members({CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED});
    s[CLS_FLOAT_EA] = members({CLS_DN, CLS_AN_IND, CLS_POSTINC, CLS_PREDEC, CLS_INDEXED, CLS_PC_INDEXED});
    return s;
}();
// clang-format on

namespace {

constexpr std::array<uint64_t, CLS_COUNT> build_accepts() {
    std::array<uint64_t, CLS_COUNT> a{};
    for (std::size_t s = 0; s < CLS_COUNT; ++s) {
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
