// One scanned operand: what the scanner hands to matching, encoders and directives.
#pragma once
#include <cstdint>

namespace tobra {

// How an indexed or PC-relative operand is written and whether its
// displacement fits the written form: the encoders choose the mode and the
// extension word from it.
enum class ExtForm : uint8_t {
    none,         // not an indexed form
    d16,          // d16(An), d16(PC): the displacement fits 16 bits
    brief,        // (d8,An,Xi), (d8,PC,Xi): one brief extension word
    d16_unfit,    // d16(An), d16(PC) whose displacement does not fit, or is not known yet
    index_unfit,  // (d8,An,Xi) whose displacement does not fit 8 bits or is not known yet, or without a base
};

// The size written on an absolute address (or taken for it), or on an index register.
enum class AddrSize : uint8_t {
    none,      // not an address, no index register
    byte,      // under -f, a suffix the scanner does not know on a short address: encoded as a word
    word,
    longword,
};

// clang-format off
struct Operand {
    int32_t reg = 0;       // register number, control code, cache selector, accumulator, list mask
    int32_t reg2 = 0;      // index register, or second register of Dn:Dn
    int32_t value = 0;     // immediate, address, displacement; string: index into the string pool; high word of a double;
                           // control register: which one (ControlRegister), as its name says
    int32_t value2 = 0;    // low word of a double-precision immediate
    uint8_t cls = 0;       // operand class
    ExtForm ext_form = ExtForm::none;
    uint8_t index_is_an = 0;
    uint8_t no_base = 0;   // indexed: no base register (An.L*4); PC forms: no displacement written, (pc) and (pc,Xi)
    AddrSize addr_size = AddrSize::none;  // expr: the address's size; indexed: the index register's
    uint8_t scale = 0;     // 0 x1, 1 x2, 2 x4, 3 x8
    uint8_t fwd = 0;       // the expression held a forward reference
    uint8_t fraction = 0;  // a number with a fraction or exponent was read as its floating-point bits
    uint8_t half = 0;      // MAC half: 1 upper, 2 lower
    uint8_t mac_shift = 0; // 1 <<1, 3 >>1
    uint8_t mask_flag = 0; // followed by & (MAC mask)
    uint8_t reloc_kind = 0;
    uint8_t sym_slot = 0;
    uint8_t list_count = 1;
    uint8_t is_abs = 1;
    uint8_t sym_section = 0;
    uint8_t size_written = 0;  // expr: the address carried its own .w or .l
    uint8_t pc_relative = 0;   // expr: a linked address less a place of this section (ext-*)
    uint8_t address = 0;       // expr: the value is an address (a label, an external or *, plus or less a number)

    // Copied from a constant record: cheaper than building a fresh one each time.
    void clear();
};
// clang-format on

// The matcher copies five of these per line: the typed fields keep their
// byte, and a new field takes one of the two bytes of padding at the end.
static_assert(sizeof(ExtForm) == 1 && sizeof(AddrSize) == 1);
static_assert(sizeof(Operand) == 36);

inline constexpr Operand blank_operand{};
inline void Operand::clear() { *this = blank_operand; }

// Instructions use five records; expression lists are read 32 items at a time plus a terminator.
inline constexpr int MAX_OPERANDS = 33;
inline constexpr int MAX_EXPR_ITEMS = 32;

} // namespace tobra
