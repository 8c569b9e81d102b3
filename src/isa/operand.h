// One scanned operand: what the scanner hands to matching, encoders and directives.
#pragma once
#include <cstdint>

namespace tobra {

struct Operand {
    int32_t reg = 0;       // register number, control code, cache selector, accumulator, list mask
    int32_t reg2 = 0;      // index register, or second register of Dn:Dn
    int32_t value = 0;     // immediate, address, displacement; string: index into the string pool; high word of a double;
                           // control register: which one (ControlRegister), as its name says
    int32_t value2 = 0;    // low word of a double-precision immediate
    uint8_t cls = 0;       // operand class
    uint8_t ext_form = 0;  // indexed forms: 1 d16, 2 brief index, 3 does not fit the written form
    uint8_t index_is_an = 0;
    uint8_t no_base = 0;   // indexed: no base register (An.L*4); PC forms: no displacement written, (pc) and (pc,Xi)
    uint8_t size_code = 0; // expr: 2 word / 4 long (1 under -f); indexed: index size
    uint8_t scale = 0;     // 0 x1, 1 x2, 2 x4, 3 x8
    uint8_t fwd = 0;       // the expression held a forward reference
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

    // Copied from a constant record: cheaper than building a fresh one each time.
    void clear();
};

inline constexpr Operand blank_operand{};
inline void Operand::clear() { *this = blank_operand; }

// Instructions use five records; expression lists are read 32 items at a time plus a terminator.
inline constexpr int MAX_OPERANDS = 33;
inline constexpr int MAX_EXPR_ITEMS = 32;

} // namespace tobra
